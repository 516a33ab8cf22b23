#include "pages/SetupPage.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "pages/Shared.h"
#include "pages/ValueEntry.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"

namespace pages {

namespace {
constexpr int KeyF1 = 112;
} // namespace

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height)
{
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    f->setGeometry(platform::TwipsRect(left, top, width, height));
    return f;
}

TextBox* ValueBox(QGroupBox* frame, const QString& name, const QString& designText)
{
    auto* box = Inside<TextBox>(frame, name);
    box->SetText(designText);
    return box;
}

ScalingGroup BuildScalingGroup(QWidget* parent, int left, int top, const QString& item,
                               const QString& suffix, const ScalingDesign& design)
{
    ScalingGroup g;
    auto name = [&](const char* base) { return QLatin1String(base) + item + suffix; };
    g.fraScaleCoord = MakeFrame(parent, name("fraScaleCoord"), QString(), left, top, 1750, 900);
    auto option = [&](const char* base, const QString& caption, int optTop) {
        auto* o = new OptionButton(caption, g.fraScaleCoord);
        o->setObjectName(name(base));
        o->setGeometry(platform::TwipsRect(90, optTop, 1600, 280));
        return o;
    };
    if (design.coordFirst)
        g.optCoord = option("optCoord", QStringLiteral("Coordinates   >"), 520);
    g.optScale = option("optScale", QStringLiteral("Scale, Offset  >"), 160);
    if (!design.coordFirst)
        g.optCoord = option("optCoord", QStringLiteral("Coordinates   >"), 520);

    const int x1 = left + 1850, x2 = left + 3250, x3 = left + 4650;
    auto frame = [&](const char* base, const QString& caption, int x, int y) {
        return MakeFrame(parent, name(base), caption, x, y, 1350, 560);
    };
    auto value = [&](QGroupBox* fra, const char* base) {
        TextBox* box = ValueBox(fra, name(base), design.valueText);
        if (design.arialValues)
            box->setFont(platform::DesignFont(QStringLiteral("Arial"), 8.25));
        return box;
    };
    g.fraScale = frame("fraScale", design.scaleCaption, x1, top);
    g.txtScale = ValueBox(g.fraScale, name("txtScale"), design.scaleText);
    g.fraMult = frame("fraMult", QStringLiteral("Multiplier ") + item, x2, top);
    g.cboMult = Inside<ComboBox>(g.fraMult, name("cboMult"));
    g.fraOffset = frame("fraOffset", QStringLiteral("Offset ") + item, x3, top);
    g.txtOffset = value(g.fraOffset, "txtOffset");
    g.fraLoIn = frame("fraLoIn", QStringLiteral("Low In ") + item, x1, top + 620);
    g.txtLoIn = value(g.fraLoIn, "txtLoIn");
    g.fraLoRd = frame("fraLoRd", QStringLiteral("Low Read ") + item, x2, top + 620);
    g.txtLoRd = value(g.fraLoRd, "txtLoRd");
    g.fraHiIn = frame("fraHiIn", QStringLiteral("High In ") + item, x1, top + 1240);
    g.txtHiIn = value(g.fraHiIn, "txtHiIn");
    g.fraHiRd = frame("fraHiRd", QStringLiteral("High Read ") + item, x2, top + 1240);
    g.txtHiRd = value(g.fraHiRd, "txtHiRd");
    return g;
}

QString Idx(const char* base, int i)
{
    return QLatin1String(base) + QStringLiteral("(%1)").arg(i);
}

void FillList(ComboBox* combo, const QStringList& texts)
{
    combo->Clear();
    for (const QString& t : texts)
        combo->AddItem(t);
}

void FillList(ComboBox* combo, const QStringList& texts, int selected)
{
    FillList(combo, texts);
    combo->SetListIndex(selected);
}

void Enable(QWidget* w, bool on)
{
    if (w)
        w->setEnabled(on);
}

void ShowDecPtList(const std::array<QGroupBox*, 2>& fraDecPt1, const std::array<ComboBox*, 2>& cboDecPt1,
                   const std::array<QGroupBox*, 2>& fraDecPt2, const std::array<ComboBox*, 2>& cboDecPt2,
                   int c1, int c2)
{
    const bool item2 = c1 == 9;
    const int c = item2 ? c2 : c1;
    if (c < 0 || c > 1)
        return;
    CurCombo = item2 ? cboDecPt2[c] : cboDecPt1[c];
    CurFrame = item2 ? fraDecPt2[c] : fraDecPt1[c];
    FillDecPtList(item2 ? 1 : 0);
    EnableFrameCombo(CurFrame, CurCombo, setup::DisplayType != 5 ? 1 : 0);
}

void ShowCurveList(QGroupBox* fraCusCrv, ComboBox* cboCusCrv)
{
    if (setup::ExtendedMode == 0)
        setup::SetSetupBits(3, 2, 49, 0);
    CurFrame = fraCusCrv;
    CurCombo = cboCusCrv;
    FillCusCrvList();
    // A field of 3 without the V-F board shows " #2 Not Available".
    cboCusCrv->SetListIndex(qMax(setup::GetSetupBits(3, 2, 49) - 1, 0));
    setup::CusCrvActive = cboCusCrv->ListIndex() > 0 && fraCusCrv->isEnabled() ? 1 : 0;
}

void ShowSlopeList(QGroupBox* frame, ComboBox* combo, int bit)
{
    CurFrame = frame;
    CurCombo = combo;
    FillSlopeList();
    combo->SetListIndex(setup::GetSetupBits(bit, bit, 23));
}

void ShowFilterLists(ComboBox* timConst, ComboBox* fType, ComboBox* thresh, ComboBox* peakVal)
{
    CurCombo = timConst;
    FilterTypeCombo = fType;
    ThresholdCombo = thresh;
    PeakValueCombo = peakVal;
    FillFilterLists();
}

int FunctionRuleTopic(int otherwise)
{
    if (setup::FunctionCode == 2)
        return setup::ModeCode < 5 ? 1157 : 1158;
    return otherwise;
}

SetupPage::SetupPage(const QString& name) : platform::Form(name)
{
    SetKeyPreview(true);
}

void SetupPage::Form_Load()
{
    PageReady = 0;
}

void SetupPage::Form_KeyDown(int& keyCode, int shift)
{
    Q_UNUSED(shift);
    if (keyCode != KeyF1)
        return;
    keyCode = 0;
    help::ShowHelpModal();
}

void SetupPage::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    ClearBindings(this);
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

void SetupPage::LeaveFor(const std::function<void()>& showNext)
{
    QPointer<SetupPage> self(this);
    platform::SetMousePointer(this, platform::MousePointer::Hourglass);
    showNext();
    if (!self)
        return;
    hide();
    platform::SetMousePointer(this, platform::MousePointer::Default);
}

void SetupPage::LeaveForMainMenu()
{
    LeaveFor([] {
        platform::ShowForm(QStringLiteral("frmMMenu"));
    });
}

int SetupPage::Picked(const ComboBox* combo) const
{
    return PageReady == 0 ? -1 : combo->ListIndex();
}

void SetupPage::StoreOnClick(ComboBox* combo, int hi, int lo, int pos, int add,
                             std::function<void(int)> after)
{
    connect(combo, &ComboBox::Click, this, [=, this] {
        const int i = Picked(combo);
        if (i < 0)
            return;
        setup::SetSetupBits(hi, lo, pos, i + add);
        if (after)
            after(i);
    });
}

void SetupPage::StoreOnClick(CheckBox* box, int hi, int lo, int pos)
{
    connect(box, &CheckBox::Click, this, [=, this] {
        if (PageReady != 0)
            setup::SetSetupBits(hi, lo, pos, box->Value());
    });
}

void SetupPage::ConnectDecPtLists(ComboBox* decPt1, ComboBox* decPt2, std::function<void()> reformat)
{
    StoreOnClick(decPt1, 2, 0, 15, 1, [reformat](int k) {
        setup::DecPt1 = k + 1;
        reformat();
    });
    StoreOnClick(decPt2, 6, 4, 15, 1, [reformat](int k) {
        setup::DecPt2 = k + 1;
        reformat();
    });
    OnFocusTopic(decPt1, 1131);
    OnFocusTopic(decPt2, 1131);
}

bool SetupPage::StoreCurveChoice(ComboBox* cboCusCrv)
{
    const int i = Picked(cboCusCrv);
    if (i < 0)
        return false;
    const int curve = i + 1;
    setup::SetSetupBits(3, 2, 49, curve);
    if (curve > 1)
        setup::SetSetupBits(1, 1, 49, 0);
    const bool refused = curve == 3 && setup::InputOption != 2;
    platform::SetBackColor(cboCusCrv, refused ? setup::ColorRed : setup::ColorLightYellow);
    return true;
}

void SetupPage::ConnectSlopeAndFilterLists(ComboBox* slopeA, ComboBox* slopeB, ComboBox* timConst,
                                           ComboBox* fType, ComboBox* thresh, ComboBox* peakVal)
{
    struct List {
        ComboBox* combo;
        int hi, lo, pos, topic;
    };
    const List lists[] = {
        {slopeA, 1, 1, 23, 1132},   {slopeB, 0, 0, 23, 1132}, {timConst, 2, 0, 59, 1144},
        {fType, 6, 6, 59, 1145},    {thresh, 3, 3, 59, 1146}, {peakVal, 5, 5, 59, 1147},
    };
    for (const List& l : lists) {
        if (!l.combo)
            continue;
        StoreOnClick(l.combo, l.hi, l.lo, l.pos);
        OnFocusTopic(l.combo, l.topic);
    }
}

void SetupPage::ConnectScalingGroup(const ScalingGroup& g, int item, const ScalingEntry& entry,
                                    std::function<void()> scaleClick,
                                    std::function<void()> coordClick)
{
    const bool one = item == 1;
    connect(g.optScale, &OptionButton::Click, this, std::move(scaleClick));
    connect(g.optCoord, &OptionButton::Click, this, std::move(coordClick));
    StoreOnClick(g.cboMult, one ? 3 : 7, one ? 0 : 4, 29);
    OnFocusTopic(g.cboMult, 1137);
    OnFocusTopic(g.txtScale, [] { return FunctionRuleTopic(1137); });
    OnFocusTopic(g.txtOffset, [] { return FunctionRuleTopic(1139); });
    for (TextBox* box : {g.txtLoIn, g.txtHiIn, g.txtLoRd, g.txtHiRd})
        OnFocusTopic(box, [] { return FunctionRuleTopic(1140); });

    // The reading boxes are entered with the decimal point they are shown
    // with (item 2 of the compound layout 2 takes item 1's). The offset is a
    // clock time on a clock display, and on the page's stopwatch item a
    // stopwatch time when the display shows one.
    const int flag = entry.flag;
    const int plain = entry.plainFormat;
    const bool stopwatch = item == entry.stopwatchItem;
    auto decPt = [one] { return one || setup::ItemLayout == 2 ? setup::DecPt1 : setup::DecPt2; };
    TextBox* scale = g.txtScale;
    TextBox* offset = g.txtOffset;
    connect(scale, &TextBox::Click, this, [=, this] {
        ValueBoxClick(scale, setup::KindScale, one ? 43 : 31, -1, plain, flag);
    });
    connect(offset, &TextBox::Click, this, [=, this] {
        int tf = setup::DisplayType == 5 ? setup::TimeFormatClock : setup::TimeFormatNumber;
        if (stopwatch && setup::StopwatchTimeFormat == 5)
            tf = setup::TimeFormatStopwatch;
        ValueBoxClick(offset, setup::KindReading, one ? 37 : 25, decPt(), tf, flag);
    });
    auto reading = [=, this](TextBox* box, int pos) {
        connect(box, &TextBox::Click, this, [=, this] {
            ValueBoxClick(box, setup::KindReading, pos, decPt(), setup::TimeFormatNumber, flag);
        });
    };
    auto input = [=, this](TextBox* box, int pos) {
        connect(box, &TextBox::Click, this, [=, this] {
            ValueBoxClick(box, setup::KindInput, pos, -1, plain, flag);
        });
    };
    reading(g.txtLoRd, one ? 97 : 73);
    reading(g.txtHiRd, one ? 85 : 61);
    input(g.txtLoIn, one ? 103 : 79);
    input(g.txtHiIn, one ? 91 : 67);
}

void SetupPage::OnFocusTopic(QWidget* w, std::function<int()> topic)
{
    platform::OnGotFocus(w, [topic] {
        const int t = topic();
        if (t > 0)
            help::HelpTopic = t;
    });
}

void SetupPage::OnFocusTopic(QWidget* w, int topic)
{
    OnFocusTopic(w, [topic] { return topic; });
}

void SetupPage::ValueBoxClick(TextBox* box, int kind, int pos, int decPt, int timeFormat, int flag,
                              const std::function<void()>& then)
{
    setup::EntryText = box->Text();
    setup::EntryKind = kind;
    setup::EntryBox = box;
    setup::EntryPos = pos;
    if (decPt >= 0)
        setup::EntryDecPt = decPt;
    if (timeFormat >= 0)
        setup::EntryTimeFormat = timeFormat;
    QPointer<SetupPage> self(this);
    ShowValueEntry(flag);
    if (!self || platform::ProgramEnding())
        return;
    if (then)
        then();
    if (self)
        self->AfterValueEntry();
}

} // namespace pages
