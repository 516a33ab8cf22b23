#include "pages/SetupPage.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "pages/Shared.h"
#include "pages/ValueEntry.h"
#include "platform/Appearance.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
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
