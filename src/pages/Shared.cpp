#include "pages/Shared.h"

#include "link/Link.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace pages {

using namespace setup;

QPointer<QWidget> CurForm;
QPointer<QWidget> CurFrame;
QPointer<ComboBox> CurCombo;
QPointer<CheckBox> CurCheck;
QPointer<ComboBox> FilterTypeCombo, ThresholdCombo, PeakValueCombo;
QPointer<ComboBox> CurCboMult;
QPointer<OptionButton> CurOptScale, CurOptCoord;
QPointer<TextBox> CurTxtScale, CurTxtOffset, CurTxtLoIn, CurTxtLoRd, CurTxtHiIn, CurTxtHiRd;
QPointer<QWidget> CurFraScale, CurFraMult, CurFraOffset, CurFraLoIn, CurFraLoRd, CurFraHiIn,
    CurFraHiRd;
std::array<QPointer<TextBox>, 3> FormatList;
std::array<int, 4> SourceAvail{};

const QStringList CusCrvTexts{QStringLiteral(" Disabled"), QStringLiteral(" Curve #1"),
                              QStringLiteral(" Curve #2")};
const QString CusCrvNotAvailable = QStringLiteral(" #2 Not Available");
const QStringList DecPt1Texts{
    QStringLiteral(" 111111."),  QStringLiteral(" 11111. 1"), QStringLiteral(" 1111. 11"),
    QStringLiteral(" 111. 111"), QStringLiteral(" 11. 1111"), QStringLiteral(" 1. 11111"),
};
const QStringList DecPt2Texts{
    QStringLiteral(" 222222."),  QStringLiteral(" 22222. 2"), QStringLiteral(" 2222. 22"),
    QStringLiteral(" 222. 222"), QStringLiteral(" 22. 2222"), QStringLiteral(" 2. 22222"),
};
const QStringList TimeConstantTexts{
    QStringLiteral(" No Filter"), QStringLiteral(" 0. 1 Sec"), QStringLiteral(" 0. 2 Sec"),
    QStringLiteral(" 0. 4 Sec"),  QStringLiteral(" 0. 8 Sec"), QStringLiteral(" 1. 6 Sec"),
    QStringLiteral(" 3. 2 Sec"),  QStringLiteral(" 6. 4 Sec"),
};
const QStringList FilterTypeTexts{QStringLiteral(" Adaptive"), QStringLiteral(" Conventional")};
const QStringList ThresholdTexts{QStringLiteral(" Low adaptive"),
                                 QStringLiteral(" High adaptive")};
const QStringList PeakValueTexts{QStringLiteral(" Unfiltered"), QStringLiteral(" Filtered")};
const QStringList MultiplierTexts{
    QStringLiteral(" 0. 00001"), QStringLiteral("  0. 0001"), QStringLiteral("   0. 001"),
    QStringLiteral("    0. 01"), QStringLiteral("     0. 1"), QStringLiteral("        1"),
    QStringLiteral("       10"), QStringLiteral("      100"), QStringLiteral("     1000"),
    QStringLiteral("    10000"), QStringLiteral("   100000"),
};
const QStringList SlopeTexts{QStringLiteral(" Positive"), QStringLiteral(" Negative")};

namespace {

void Fill(ComboBox* combo, const QStringList& texts)
{
    combo->Clear();
    for (const QString& t : texts)
        combo->AddItem(t);
}

void SetEnabled(QWidget* w, bool on)
{
    if (w)
        w->setEnabled(on);
}

template <class P> void Forget(P& p, const QWidget* form)
{
    if (p && (p == form || form->isAncestorOf(p)))
        p = nullptr;
}

} // namespace

void ClearBindings(const QWidget* form)
{
    if (!form)
        return;
    for (auto* p : {&CurForm, &CurFrame, &CurFraScale, &CurFraMult, &CurFraOffset, &CurFraLoIn,
                    &CurFraLoRd, &CurFraHiIn, &CurFraHiRd})
        Forget(*p, form);
    for (auto* p : {&CurCombo, &FilterTypeCombo, &ThresholdCombo, &PeakValueCombo, &CurCboMult})
        Forget(*p, form);
    Forget(CurCheck, form);
    Forget(CurOptScale, form);
    Forget(CurOptCoord, form);
    for (auto* p : {&CurTxtScale, &CurTxtOffset, &CurTxtLoIn, &CurTxtLoRd, &CurTxtHiIn, &CurTxtHiRd})
        Forget(*p, form);
    for (auto& p : FormatList)
        Forget(p, form);
}

void BindScaling(const ScalingGroup& g)
{
    CurOptScale = g.optScale;
    CurOptCoord = g.optCoord;
    CurTxtScale = g.txtScale;
    CurFraScale = g.fraScale;
    CurCboMult = g.cboMult;
    CurFraMult = g.fraMult;
    CurTxtOffset = g.txtOffset;
    CurFraOffset = g.fraOffset;
    CurTxtLoIn = g.txtLoIn;
    CurFraLoIn = g.fraLoIn;
    CurTxtLoRd = g.txtLoRd;
    CurFraLoRd = g.fraLoRd;
    CurTxtHiIn = g.txtHiIn;
    CurFraHiIn = g.fraHiIn;
    CurTxtHiRd = g.txtHiRd;
    CurFraHiRd = g.fraHiRd;
}

QString FormatNumber(int kind, const QString& setupStr, int pos, int decPt)
{
    return FormatSetupNumber(kind, setupStr, pos, decPt);
}

QString CharName(int code)
{
    if (code >= 33 && code <= 255)
        return QString(QChar(code));
    if (code < 0 || code > 32)
        return QString();
    if (meterlink::CtrlCharNames[code].isEmpty())
        meterlink::InitCtrlCharNames();
    return meterlink::CtrlCharNames[code];
}

QString RecogCharEntry(int code)
{
    if (code >= 32)
        return QStringLiteral("Custom   '") + QChar(code) + QLatin1Char('\'');
    return QStringLiteral("Custom  Chr$(") + QString::number(code) + QLatin1Char(')');
}

void FillRecogCharList(ComboBox* cboRecogChr, QLineEdit* txtCusRecog, QLabel* lblCusRecog)
{
    const int c = GetSetupBits(7, 0, 13);
    if (txtCusRecog)
        txtCusRecog->setText(QLatin1Char(' ') + QString::number(c));
    if (lblCusRecog)
        lblCusRecog->setText(CharName(c));
    if (!cboRecogChr)
        return;
    cboRecogChr->Clear();
    cboRecogChr->AddItem(QStringLiteral("Standard '*'"));
    cboRecogChr->AddItem(RecogCharEntry(c));
    cboRecogChr->SetListIndex(GetSetupBits(5, 5, 51));
}

int SourceDecPt(int layout, int& source)
{
    if (source == 0)
        source = FilteredItem;
    if (source == 0)
        return 1;
    switch (layout) {
    case 0: return source == 2 ? DecPt2 : DecPt1;
    case 1:
    case 2: return source == 1 ? DecPt2 : DecPt1;
    case 3:
        if (source == 3)
            return DecPt2;
        return source == 2 ? 0 : DecPt1; // Grand Total A has no decimal point
    default: return DecPt1;
    }
}

void ShowRd0In()
{
    if (!CurForm)
        return;
    auto* txt = CurForm->findChild<QLineEdit*>(QStringLiteral("txtRd0In"));
    auto* fra = CurForm->findChild<QWidget*>(QStringLiteral("fraRd0In"));
    if (txt)
        txt->setText(FormatNumber(KindInput, SetupA, 79, 5));
    const bool on = Rd0InEnabled();
    SetEnabled(fra, on);
    SetEnabled(txt, on);
}

void FillCusCrvList()
{
    if (!CurCombo)
        return;
    Fill(CurCombo, CusCrvTexts.mid(0, 2));
    CurCombo->AddItem(InputOption == 2 ? CusCrvTexts.at(2) : CusCrvNotAvailable);
}

void FillDecPtList(int item)
{
    int code;
    if (item == 0)
        code = DecPt1 = GetSetupBits(2, 0, 15);
    else
        code = DecPt2 = GetSetupBits(6, 4, 15);
    if (!CurCombo)
        return;
    Fill(CurCombo, item == 0 ? DecPt1Texts : DecPt2Texts);
    CurCombo->SetListIndex(code - 1); // 0 and 7 have no entry: nothing selected
}

void EnableIfOne(QWidget* ctl, int flag)
{
    SetEnabled(ctl, flag == 1);
}

void EnableFrameCombo(QWidget* frame, ComboBox* combo, int flag)
{
    const bool on = flag == 1;
    SetEnabled(frame, on);
    SetEnabled(combo, on);
    if (combo)
        platform::SetForeColor(combo, on ? ColorBlack : ColorGray);
}

void FillFilterLists()
{
    if (CurCombo) {
        Fill(CurCombo, TimeConstantTexts);
        CurCombo->SetListIndex(GetSetupBits(2, 0, 59));
    }
    if (FilterTypeCombo) {
        Fill(FilterTypeCombo, FilterTypeTexts);
        FilterTypeCombo->SetListIndex(GetSetupBits(6, 6, 59));
    }
    if (ThresholdCombo) {
        Fill(ThresholdCombo, ThresholdTexts);
        ThresholdCombo->SetListIndex(GetSetupBits(3, 3, 59));
    }
    if (PeakValueCombo) {
        Fill(PeakValueCombo, PeakValueTexts);
        PeakValueCombo->SetListIndex(GetSetupBits(5, 5, 59));
    }
}

void FillMultiplierList()
{
    if (CurCboMult)
        Fill(CurCboMult, MultiplierTexts);
}

void ShowScaling(int optBit)
{
    const bool item1 = optBit == 5;
    const int k = GetSetupBits(3, 3, 49);
    const int m = GetSetupBits(optBit, optBit, 61);
    const bool locked = item1 && k == 1 && CusCrvActive == 1;
    constexpr quint32 MultGray = 0xC0C0C0;

    auto scaleOffset = [&](bool on) {
        for (QWidget* w : {static_cast<QWidget*>(CurTxtScale), CurFraScale.data(),
                           static_cast<QWidget*>(CurCboMult), CurFraMult.data(),
                           static_cast<QWidget*>(CurTxtOffset), CurFraOffset.data()})
            SetEnabled(w, on);
        if (CurCboMult)
            platform::SetForeColor(CurCboMult, on ? 0 : MultGray);
    };
    auto coordinates = [&](bool on) {
        for (QWidget* w : {static_cast<QWidget*>(CurTxtLoIn), CurFraLoIn.data(),
                           static_cast<QWidget*>(CurTxtLoRd), CurFraLoRd.data(),
                           static_cast<QWidget*>(CurTxtHiIn), CurFraHiIn.data(),
                           static_cast<QWidget*>(CurTxtHiRd), CurFraHiRd.data()})
            SetEnabled(w, on);
    };
    auto setValue = [](OptionButton* o, bool v) {
        if (o)
            o->SetValue(v);
    };

    if (m == 1) {
        scaleOffset(false);
        SetEnabled(CurOptScale, !locked);
        setValue(CurOptCoord, !locked);
        SetEnabled(CurOptCoord, !locked);
        coordinates(!locked);
    } else {
        setValue(CurOptScale, !locked);
        SetEnabled(CurOptScale, !locked);
        scaleOffset(!locked);
        SetEnabled(CurOptCoord, !locked);
        coordinates(false);
    }
    // Item 2 of the V-F modes and item 1 of Rate Batch can only be scaled.
    if (!locked && ((!item1 && ModeCode >= 8 && ModeCode <= 10)
                    || (item1 && ModeCode == 0 && FunctionCode == 2)))
        SetEnabled(CurOptCoord, false);

    EntryDecPt = item1 || ItemLayout == 2 ? DecPt1 : DecPt2;
    auto setText = [](TextBox* box, const QString& text) {
        if (box)
            box->SetText(text);
    };
    setText(CurTxtScale, FormatNumber(KindScale, SetupA, item1 ? 43 : 31, 6));
    EntryTimeFormat = StopwatchTimeFormat == 5 ? TimeFormatStopwatch : TimeFormatNumber;
    setText(CurTxtOffset, FormatNumber(KindReading, SetupA, item1 ? 37 : 25, EntryDecPt));
    EntryTimeFormat = TimeFormatNumber;
    setText(CurTxtLoIn, FormatNumber(KindInput, SetupA, item1 ? 103 : 79, 0));
    setText(CurTxtLoRd, FormatNumber(KindReading, SetupA, item1 ? 97 : 73, EntryDecPt));
    setText(CurTxtHiIn, FormatNumber(KindInput, SetupA, item1 ? 91 : 67, 0));
    setText(CurTxtHiRd, FormatNumber(KindReading, SetupA, item1 ? 85 : 61, EntryDecPt));

    // A clock display cannot be reached through coordinates: mark them.
    const bool scaleOff = CurTxtScale && !CurTxtScale->isEnabled();
    const quint32 coordBack = scaleOff && DisplayType == 5 ? ColorRed : ColorWhite;
    for (TextBox* box : {CurTxtLoIn.data(), CurTxtLoRd.data(), CurTxtHiIn.data(), CurTxtHiRd.data()})
        if (box)
            platform::SetBackColor(box, coordBack);

    if (DisplayType == 5 && CurTxtOffset) {
        WorkStr = CurTxtOffset->Text();
        StripNumberText();
        DotFormat();
        CurTxtOffset->SetText(WorkStr);
    }

    FillMultiplierList();
    if (CurCboMult)
        CurCboMult->SetListIndex(item1 ? GetSetupBits(3, 0, 29) : GetSetupBits(7, 4, 29));
}

int CheckSource(int source)
{
    if (!CurCombo)
        return 0;
    platform::SetBackColor(CurCombo, ColorLightYellow);
    if (source >= 0 && source < int(SourceAvail.size()) && SourceAvail[source] != 0)
        return source == 0 ? FilteredItem : source;
    platform::Beep();
    platform::SetBackColor(CurCombo, ColorRed);
    return 0;
}

void FillSourceList()
{
    if (!CurCombo)
        return;
    CurCombo->Clear();
    if (FilteredItem != 0) {
        WorkStr = QString::number(FilteredItem).right(1);
        CurCombo->AddItem(QStringLiteral("Filtered Item") + WorkStr);
        SourceAvail[0] = 1;
    } else {
        CurCombo->AddItem(QStringLiteral(" Invalid  "));
        SourceAvail[0] = 0;
    }
    for (int i = 1; i <= 3; ++i) {
        CurCombo->AddItem(QStringLiteral(" Item ") + QString::number(i));
        SourceAvail[i] = 1;
    }
}

void FillSlopeList()
{
    if (CurCombo)
        Fill(CurCombo, SlopeTexts);
}

QString MoveDecimalPoint(const QString& text, int decPt)
{
    decPt = qBound(1, decPt, 6);
    const int point = text.indexOf(QLatin1Char('.'));
    QString before = point < 0 ? text : text.left(point);
    QString after = point < 0 ? QString() : text.mid(point + 1);
    // The page's own texts have a blank after an inner point; a text the
    // entry dialog wrote back has none, and every character after it counts.
    if (after.startsWith(QLatin1Char(' ')))
        after.remove(0, 1);
    if (point >= 0 && after.size() == decPt - 1)
        return text; // already right
    const QString digits = before + after;
    const int keep = digits.size() + 1 - decPt;
    if (keep < 0)
        return QString();
    QString out = digits.left(keep) + QStringLiteral(". ");
    if (decPt > 1)
        out += digits.right(decPt - 1);
    return out;
}

void InsertDecimalPoint(int decPt, int last)
{
    for (int k = 0; k <= last && k < int(FormatList.size()); ++k) {
        TextBox* box = FormatList[k];
        if (!box)
            continue;
        const QString moved = MoveDecimalPoint(box->Text(), decPt);
        if (!moved.isEmpty())
            box->SetText(moved);
    }
}

} // namespace pages
