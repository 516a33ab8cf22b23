#include "pages/frmSetup2.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "pages/Shared.h"
#include "pages/ValueEntry.h"
#include "pages/Windows.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace pages {

using namespace setup;
using help::HelpTopic;
using platform::Px;
using platform::TwipsRect;

namespace {

// Channel 1's offset and coordinate boxes are designed in Arial.
const ScalingDesign Scaling1{.scaleCaption = QStringLiteral(" Scale 1"),
                             .scaleText = QStringLiteral("+999. 999"),
                             .valueText = QStringLiteral("+999.999"),
                             .arialValues = true};
const ScalingDesign Scaling2{.scaleCaption = QStringLiteral(" Scale 2"),
                             .scaleText = QStringLiteral("+999. 999"),
                             .valueText = QStringLiteral("+999. 999")};
// Every item frame stands on the same place; one is shown at a time.
constexpr int ItemLeft = 200, ItemTop = 2860, ItemWidth = 9090;

// Columns of ItemLayoutTable as this page reads them.
enum Column {
    ColItem3 = 0,
    ColScale = 1,
    ColItem2 = 2,
    ColSlopeB = 3,
    ColDecPt1 = 4,
    ColDecPt2 = 5,
    ColSlopeA = 6
};

// A reading as a number, whatever time format a value entry left behind.
QString ReadingText(int pos, int decPt)
{
    const int keep = EntryTimeFormat;
    EntryTimeFormat = TimeFormatNumber;
    const QString text = FormatNumber(KindReading, SetupA, pos, decPt);
    EntryTimeFormat = keep;
    return text;
}

} // namespace

// ---- window --------------------------------------------------------------

frmSetup2::frmSetup2() : SetupPage(QStringLiteral("frmSetup2"))
{
    setWindowTitle(QStringLiteral("COUNTER SETUP  PAGE  2"));
    SetDesignFont(QStringLiteral("Times New Roman"), 8.25);
    setFixedSize(Px(ItemPageWidthTwips), Px(ItemPageHeightTwips));
    BuildControls();
    BuildItemFrames();
    ConnectHandlers();
}

void frmSetup2::ShowPage()
{
    ShowPageOf<frmSetup2>();
}

void frmSetup2::Form_Load()
{
    SetupPage::Form_Load();
    ShowAlarmValues();
}

void frmSetup2::BuildControls()
{
    fraRly1State = MakeFrame(this, QStringLiteral("fraRly1State"), QStringLiteral("Relay1 Alrm State"), 200, 60, 2050, 560);
    cboRly1State = Inside<ComboBox>(fraRly1State, QStringLiteral("cboRly1State"));
    fraRly2State = MakeFrame(this, QStringLiteral("fraRly2State"), QStringLiteral("Relay2 Alrm State"), 2350, 60, 2050, 560);
    cboRly2State = Inside<ComboBox>(fraRly2State, QStringLiteral("cboRly2State"));

    fraBothAlm = MakeFrame(this, QStringLiteral("fraBothAlm"), QStringLiteral("Both Alarms"), 4500, 0, 4790, 700);
    chkDevStatus = new CheckBox(QStringLiteral("No Menu Deviation"), fraBothAlm);
    chkDevStatus->setObjectName(QStringLiteral("chkDevStatus"));
    chkDevStatus->setGeometry(TwipsRect(150, 300, 2150, 280));
    fraNoRdgsAlm = MakeFrame(fraBothAlm, QStringLiteral("fraNoRdgsAlm"), QStringLiteral("No. Rdgs to Alarm"), 2400, 110, 2250, 560);
    cboNoRdgsAlm = Inside<ComboBox>(fraNoRdgsAlm, QStringLiteral("cboNoRdgsAlm"));

    // The two alarms side by side, each with the same six boxes.
    struct AlarmControls {
        QGroupBox **fra, **type, **state, **devType, **source, **devn, **setpt;
        ComboBox **cboType, **cboState, **cboDevType, **cboSource;
        TextBox **txtDevn, **txtSetpt;
    };
    auto build = [this](const AlarmControls& a, int n, int left, const QString& setptName) {
        const QString d = QString::number(n);
        auto name = [&](const char* base) { return QLatin1String(base) + d; };
        *a.fra = MakeFrame(this, name("fraAlarm"), QStringLiteral("Alarm ") + d, left, 720, 4500, 2060);
        QGroupBox* f = *a.fra;
        *a.type = MakeFrame(f, QStringLiteral("fraAlm%1Type").arg(n), QStringLiteral("Alarm %1 Type").arg(n), 100, 230, 2100, 560);
        *a.cboType = Inside<ComboBox>(*a.type, QStringLiteral("cboAlm%1Type").arg(n));
        *a.state = MakeFrame(f, name("fraState"), QStringLiteral("Alarm State ") + d, 2300, 230, 2100, 560);
        *a.cboState = Inside<ComboBox>(*a.state, name("cboState"));
        *a.source = MakeFrame(f, name("fraSource"), QStringLiteral("Alarm Source ") + d, 100, 830, 2100, 560);
        *a.cboSource = Inside<ComboBox>(*a.source, name("cboSource"));
        *a.setpt = MakeFrame(f, name("fraSetpt"), QStringLiteral("Setpoint ") + d, 2300, 830, 2100, 560);
        *a.txtSetpt = ValueBox(*a.setpt, setptName, QStringLiteral("+999. 999"));
        *a.devType = MakeFrame(f, QStringLiteral("fraDevType%1").arg(n), QStringLiteral("Deviation %1 Type").arg(n), 100, 1430, 2100, 560);
        *a.cboDevType = Inside<ComboBox>(*a.devType, QStringLiteral("cboDevType%1").arg(n));
        *a.devn = MakeFrame(f, name("fraDevn"), QStringLiteral("Deviation ") + d, 2300, 1430, 2100, 560);
        *a.txtDevn = ValueBox(*a.devn, name("txtDevn"), QStringLiteral("+999. 999"));
    };
    build({&fraAlarm1, &fraAlm1Type, &fraState1, &fraDevType1, &fraSource1, &fraDevn1, &fraSetpt1,
           &cboAlm1Type, &cboState1, &cboDevType1, &cboSource1, &txtDevn1, &txtSetpt1},
          1, 200, QStringLiteral("txtSetpt1"));
    build({&fraAlarm2, &fraAlm2Type, &fraState2, &fraDevType2, &fraSource2, &fraDevn2, &fraSetpt2,
           &cboAlm2Type, &cboState2, &cboDevType2, &cboSource2, &txtDevn2, &txtSetPt2},
          2, 4790, QStringLiteral("txtSetPt2"));

    cmdPrevPage = new QPushButton(QStringLiteral("<    Page 1"), this);
    cmdPrevPage->setObjectName(QStringLiteral("cmdPrevPage"));
    cmdPrevPage->setGeometry(TwipsRect(200, 7020, 1500, 420));
    cmdMMenu = new QPushButton(QStringLiteral("Main Menu"), this);
    cmdMMenu->setObjectName(QStringLiteral("cmdMMenu"));
    cmdMMenu->setGeometry(TwipsRect(4000, 7020, 1500, 420));
    cmdNextPage = new QPushButton(QStringLiteral("Page 3    >"), this);
    cmdNextPage->setObjectName(QStringLiteral("cmdNextPage"));
    cmdNextPage->setGeometry(TwipsRect(7790, 7020, 1500, 420));
}

void frmSetup2::BuildItemFrames()
{
    auto itemLabel = [&](QWidget* parent, const char* base, int i, const QString& design) {
        auto* l = new QLabel(design, parent);
        l->setObjectName(Idx(base, i));
        l->setGeometry(TwipsRect(150, 230, 2800, 300));
        l->setFont(platform::DesignFont(QStringLiteral("Times New Roman"), 9.75, true));
        return l;
    };
    auto listFrame = [&](QWidget* parent, std::array<QGroupBox*, 2>& fra, std::array<ComboBox*, 2>& cbo,
                         const char* fraName, const char* cboName, const QString& caption, int i,
                         int left, int top) {
        fra[i] = MakeFrame(parent, Idx(fraName, i), caption, left, top, 1350, 560);
        cbo[i] = Inside<ComboBox>(fra[i], Idx(cboName, i));
    };
    auto sqrtBox = [&](QWidget* parent, int i) {
        chkSqRt[i] = new CheckBox(QStringLiteral("Square Root"), parent);
        chkSqRt[i]->setObjectName(Idx("chkSqRt", i));
        chkSqRt[i]->setGeometry(TwipsRect(7700, 1300, 1300, 280));
    };
    const QString slopeA = QStringLiteral("Trigger Slope A"), slopeB = QStringLiteral("Trigger Slope B");
    const QString decPt1 = QStringLiteral("Decimal Point 1"), decPt2 = QStringLiteral("Decimal Point 2");

    // Layout 0: item 2 with channel 2's scaling, copy 0.
    auto* f = fraItem2[0] = MakeFrame(this, Idx("fraItem2", 0), QStringLiteral("Item 2  L0"), ItemLeft, ItemTop, ItemWidth, 2480);
    lblItem2[0] = itemLabel(f, "lblItem2", 0, QStringLiteral("     B Rate"));
    scale2[0] = BuildScalingGroup(f, 150, 560, QStringLiteral("2"), QStringLiteral("(0)"), Scaling2);
    listFrame(f, fraDecPt2, cboDecPt2, "fraDecPt2", "cboDecPt2", decPt2, 0, 6300, 560);
    listFrame(f, fraTrigSlpB, cboTrigSlpB, "fraTrigSlpB", "cboTrigSlpB", slopeB, 0, 7650, 560);

    // Layout 1: item 2 with channel 1's scaling and everything around it.
    f = fraItem2[1] = MakeFrame(this, Idx("fraItem2", 1), QStringLiteral("Item 2  L1"), ItemLeft, ItemTop, ItemWidth, 3480);
    lblItem2[1] = itemLabel(f, "lblItem2", 1, QStringLiteral("   Rate A"));
    scale1 = BuildScalingGroup(f, 150, 560, QStringLiteral("1"), QString(), Scaling1);
    listFrame(f, fraDecPt1, cboDecPt1, "fraDecPt1", "cboDecPt1", decPt1, 0, 6300, 560);
    listFrame(f, fraTrigSlpA, cboTrigSlpA, "fraTrigSlpA", "cboTrigSlpA", slopeA, 0, 6300, 1180);
    sqrtBox(f, 0);
    // The curve list's longest entry needs a frame wider than a column.
    fraCusCrv = MakeFrame(f, QStringLiteral("fraCusCrv"), QStringLiteral("Custom Curve"), 6300, 1800, 1850, 560);
    cboCusCrv = Inside<ComboBox>(fraCusCrv, QStringLiteral("cboCusCrv"));
    fraRd0In = MakeFrame(f, QStringLiteral("fraRd0In"), QStringLiteral("Read 0 In"), 7650, 560, 1350, 560);
    txtRd0In = ValueBox(fraRd0In, QStringLiteral("txtRd0In"), QStringLiteral("+999.999"));
    txtRd0In->setFont(platform::DesignFont(QStringLiteral("Arial"), 8.25));
    BuildFilterFrame(*this, f, 0, 150, 2460);

    // Layout 2: item 3, channel 2's scaling copy 1.
    f = fraItem3[0] = MakeFrame(this, Idx("fraItem3", 0), QStringLiteral(" Item 3  L2"), ItemLeft, ItemTop, ItemWidth, 2480);
    lblItem3[2] = itemLabel(f, "lblItem3", 2, QStringLiteral("     B Rate"));
    scale2[1] = BuildScalingGroup(f, 150, 560, QStringLiteral("2"), QStringLiteral("(1)"), Scaling2);
    listFrame(f, fraDecPt1, cboDecPt1, "fraDecPt1", "cboDecPt1", decPt1, 1, 6300, 560);
    listFrame(f, fraTrigSlpB, cboTrigSlpB, "fraTrigSlpB", "cboTrigSlpB", slopeB, 1, 7650, 560);

    // Layout 3: item 3, channel 2's scaling copy 2, with filter and square root.
    f = fraItem3[1] = MakeFrame(this, Idx("fraItem3", 1), QStringLiteral("Item 3  L3"), ItemLeft, ItemTop, ItemWidth, 3480);
    lblItem3[3] = itemLabel(f, "lblItem3", 3, QStringLiteral("     B Rate"));
    scale2[2] = BuildScalingGroup(f, 150, 560, QStringLiteral("2"), QStringLiteral("(2)"), Scaling2);
    listFrame(f, fraDecPt2, cboDecPt2, "fraDecPt2", "cboDecPt2", decPt2, 1, 6300, 560);
    listFrame(f, fraTrigSlpA, cboTrigSlpA, "fraTrigSlpA", "cboTrigSlpA", slopeA, 1, 6300, 1180);
    sqrtBox(f, 1);
    BuildFilterFrame(*this, f, 1, 150, 2460);

    for (QGroupBox* frame : fraItem2)
        frame->hide();
    for (QGroupBox* frame : fraItem3)
        frame->hide();
}

// ---- wiring ----------------------------------------------------------------

void frmSetup2::ConnectHandlers()
{
    auto fixed = [](int t) { return [t] { return t; }; };

    StoreOnClick(cboAlm1Type, 4, 4, 67);
    StoreOnClick(cboAlm2Type, 5, 5, 67);
    StoreOnClick(cboDevType1, 3, 3, 65);
    StoreOnClick(cboDevType2, 4, 4, 65);
    StoreOnClick(cboRly1State, 6, 6, 67);
    StoreOnClick(cboRly2State, 7, 7, 67);
    StoreOnClick(cboState1, 1, 0, 67);
    StoreOnClick(cboState2, 3, 2, 67);
    StoreOnClick(cboNoRdgsAlm, 2, 0, 65);
    connect(cboSource1, &ComboBox::Click, this, &frmSetup2::cboSource1_Click);
    connect(cboSource2, &ComboBox::Click, this, &frmSetup2::cboSource2_Click);
    connect(cboCusCrv, &ComboBox::Click, this, &frmSetup2::cboCusCrv_Click);
    connect(chkDevStatus, &CheckBox::Click, this, &frmSetup2::chkDevStatus_Click);
    for (int i = 0; i < 2; ++i) {
        ConnectDecPtLists(cboDecPt1[i], cboDecPt2[i], [this] {
            FormatScaleTexts();
            FormatAlarmTexts();
        });
        ConnectSlopeAndFilterLists(cboTrigSlpA[i], cboTrigSlpB[i], cboTimConst[i], cboFType[i],
                                   cboThresh[i], cboPeakVal[i]);
        connect(chkSqRt[i], &CheckBox::Click, this, [this, i] { chkSqRt_Click(i); });
        OnFocusTopic(chkSqRt[i], fixed(1153));
    }
    // Channel 2's offset is the stopwatch time; the dialog opens low, and
    // the boxes that are no times are entered as numbers.
    const ScalingEntry entry{.flag = 1, .plainFormat = TimeFormatNumber, .stopwatchItem = 2};
    ConnectScalingGroup(scale1, 1, entry, [this] { optScale1_Click(); }, [this] { optCoord1_Click(); });
    for (int i = 0; i < 3; ++i)
        ConnectScalingGroup(scale2[i], 2, entry, [this, i] { optScale2_Click(i); },
                            [this, i] { optCoord2_Click(i); });

    connect(cmdMMenu, &QPushButton::clicked, this, &frmSetup2::cmdMMenu_Click);
    connect(cmdNextPage, &QPushButton::clicked, this, &frmSetup2::cmdNextPage_Click);
    connect(cmdPrevPage, &QPushButton::clicked, this, &frmSetup2::cmdPrevPage_Click);

    // Setpoints and deviations take the decimal point of their alarm's
    // source. A deviation is never a time.
    auto setptTime = [] { return StopwatchTimeFormat == 5 ? TimeFormatClock : TimeFormatNumber; };
    connect(txtSetpt1, &TextBox::Click, this, [this, setptTime] {
        ValueBoxClick(txtSetpt1, KindReading, 55, SourceDecPt(ItemLayout, AlarmSrc1), setptTime(), 0);
    });
    connect(txtSetPt2, &TextBox::Click, this, [this, setptTime] {
        ValueBoxClick(txtSetPt2, KindReading, 49, SourceDecPt(ItemLayout, AlarmSrc2), setptTime(), 0);
    });
    connect(txtDevn1, &TextBox::Click, this, [this] {
        ValueBoxClick(txtDevn1, KindReading, 19, SourceDecPt(ItemLayout, AlarmSrc1), TimeFormatNumber, 0);
    });
    connect(txtDevn2, &TextBox::Click, this, [this] {
        ValueBoxClick(txtDevn2, KindReading, 13, SourceDecPt(ItemLayout, AlarmSrc2), TimeFormatNumber, 0);
    });
    connect(txtRd0In, &TextBox::Click, this, [this] {
        ValueBoxClick(txtRd0In, KindInput, 79, -1, TimeFormatNumber, 0);
    });

    OnFocusTopic(cboCusCrv, fixed(1134));
    OnFocusTopic(txtRd0In, fixed(1161));
    OnFocusTopic(chkDevStatus, fixed(1202));
    OnFocusTopic(txtDevn1, fixed(1202));
    OnFocusTopic(txtDevn2, fixed(1202));
    OnFocusTopic(cboSource1, fixed(1203));
    OnFocusTopic(cboSource2, fixed(1203));
    OnFocusTopic(cboState1, fixed(1204));
    OnFocusTopic(cboState2, fixed(1204));
    OnFocusTopic(cboRly1State, fixed(1205));
    OnFocusTopic(cboRly2State, fixed(1205));
    OnFocusTopic(cboAlm1Type, fixed(1206));
    OnFocusTopic(cboAlm2Type, fixed(1206));
    OnFocusTopic(cboNoRdgsAlm, fixed(1207));
    OnFocusTopic(cboDevType1, fixed(1208));
    OnFocusTopic(cboDevType2, fixed(1208));
    OnFocusTopic(txtSetpt1, [this] { return FunctionRuleTopic(1201); });
    OnFocusTopic(txtSetPt2, [this] { return FunctionRuleTopic(1201); });
}

int frmSetup2::ItemColumn(int column) const
{
    return ItemLayoutEntry(ItemLayout, column);
}

// ---- activation ------------------------------------------------------------

void frmSetup2::Refill()
{
    PageReady = 0;
    if (EntryActive == 1)
        return;
    // The page follows page 1's arrangement; shown without it (nothing
    // arranged yet), it works the arrangement out from the image itself.
    if (ItemLayout < 0 || ItemLayout > 3) {
        DeriveSharedValues();
        ItemLayout = ItemLayoutOf(ModeCode, FunctionCode);
        FilteredItem = FilteredItemOf(ModeCode, FunctionCode);
    }
    const bool relay = RelayOption != 0;
    for (QWidget* w : {static_cast<QWidget*>(fraAlarm1), static_cast<QWidget*>(fraAlarm2),
                       static_cast<QWidget*>(fraBothAlm), static_cast<QWidget*>(fraRly1State),
                       static_cast<QWidget*>(fraRly2State)})
        w->setVisible(relay);
    ShowItemsAndSources();
    ShowScalingItems();
    FillRelay1State();
    FillAlarm1Type();
    FillRelay2State();
    FillAlarm2Type();
    FillAlarmState1();
    FillAlarmState2();
    FillNoRdgsAlarm();
    FillDevType1();
    FillDevType2();
    ShowAlarmValues();
    Rules2();
    chkDevStatus->SetValue(GetSetupBits(5, 5, 65));
    PageReady = 1;
}

void frmSetup2::ShowItemsAndSources()
{
    for (QGroupBox* f : fraItem2)
        f->hide();
    for (QGroupBox* f : fraItem3)
        f->hide();
    if (ItemLayout >= 2) {
        const int k = ItemColumn(ColItem3);
        if (k >= 0 && k <= 1 && ModeFunctionRule3(ModeCode, FunctionCode) == 0) {
            fraItem3[k]->show();
            if (QLabel* l = lblItem3[ItemLayout])
                l->setText(Item3Name(ItemLayout, ModeCode));
        }
    } else {
        // Pairs whose second item the meter does not show get no frame; the
        // hidden controls are filled all the same.
        const int k = ItemColumn(ColItem2);
        if (k >= 0 && k <= 1 && ModeFunctionRule2(ModeCode, FunctionCode) == 0) {
            fraItem2[k]->show();
            if (QLabel* l = lblItem2[ItemLayout])
                l->setText(Item2Name(ItemLayout, ModeCode));
        }
    }

    CurCombo = cboSource1;
    FillSourceList();
    const int source1 = GetSetupBits(3, 2, 33);
    cboSource1->SetListIndex(source1);
    AlarmSrc1 = CheckSource(source1);

    CurCombo = cboSource2;
    FillSourceList();
    const int source2 = GetSetupBits(1, 0, 33);
    cboSource2->SetListIndex(source2);
    AlarmSrc2 = CheckSource(source2);

    const int k = ItemColumn(ColSlopeA);
    if (k != 9)
        fraFilter[k]->setVisible(FilteredItem == 2 || FilteredItem == 3);
    if (ModeCode >= 8 && ModeCode <= 10)
        scale2[2].optCoord->setEnabled(false);
}

int frmSetup2::BindScaling()
{
    const int k = ItemColumn(ColScale);
    const ScalingGroup& g = k == 9 ? scale1 : scale2[std::size_t(qBound(0, k, 2))];
    pages::BindScaling(g);
    return k == 9 ? 5 : 4;
}

void frmSetup2::ShowScalingItems()
{
    PageReady = 0;

    ShowDecPtList(fraDecPt1, cboDecPt1, fraDecPt2, cboDecPt2, ItemColumn(ColDecPt1),
                  ItemColumn(ColDecPt2));

    const bool curveOn = (LayoutFlags2 & 16) != 0 && ExtendedMode != 0;
    EnableFrameCombo(fraCusCrv, cboCusCrv, curveOn ? 1 : 0);
    ShowCurveList(fraCusCrv, cboCusCrv);

    const int scaleBit = BindScaling();
    if (ItemColumn(ColScale) == 0)
        platform::SetBackColor(scale2[0].txtOffset,
                               DisplayType == 5 && StopwatchTimeFormat == 0 ? ColorRed : ColorWhite);
    ShowScaling(scaleBit);
    FormatScaleTexts();
    FormatAlarmTexts();

    const int c6 = ItemColumn(ColSlopeA);
    if (c6 == 9) {
        fraTrigSlpA[0]->hide();
        fraTrigSlpA[1]->hide();
    } else {
        fraTrigSlpA[c6]->show();
        ShowSlopeList(fraTrigSlpA[c6], cboTrigSlpA[c6], 1);
        EnableFrameCombo(fraTrigSlpA[c6], cboTrigSlpA[c6],
                         (LayoutFlags2 & 2) != 0 && InputOption != 2 ? 1 : 0);
    }

    const int c3 = ItemColumn(ColSlopeB);
    if (c3 == 9) {
        fraTrigSlpB[0]->hide();
        fraTrigSlpB[1]->hide();
    } else {
        fraTrigSlpB[c3]->show();
        ShowSlopeList(fraTrigSlpB[c3], cboTrigSlpB[c3], 0);
        EnableFrameCombo(fraTrigSlpB[c3], cboTrigSlpB[c3], (LayoutFlags2 & 4) != 0 ? 1 : 0);
    }

    if (c6 != 9)
        ShowFilterLists(cboTimConst[c6], cboFType[c6], cboThresh[c6], cboPeakVal[c6]);

    ShowSqRt();
    PageReady = 1;
    ShowAlarmValues();
    CurForm = this;
    ShowRd0In();
}

void frmSetup2::ShowSqRt()
{
    const int curve = (LayoutFlags2 & 16) != 0 ? GetSetupBits(3, 2, 49) : 0;
    const int k = ItemColumn(ColSlopeA);
    if (k == 9) {
        chkSqRt[0]->hide();
        chkSqRt[1]->hide();
        return;
    }
    CheckBox* box = chkSqRt[k];
    box->show();
    // What the box shows here is never stored: a box that a curve disables
    // shows unchecked while the stored bit stays as it is.
    const int ready = PageReady;
    PageReady = 0;
    if ((LayoutFlags2 & 8) != 0 && curve == 0) {
        box->SetValue(GetSetupBits(1, 1, 49));
        box->setEnabled(true);
    } else {
        box->SetValue(0);
        box->setEnabled(false);
    }
    PageReady = ready;
}

void frmSetup2::ShowAlarmValues()
{
    int decPt = SourceDecPt(ItemLayout, AlarmSrc1);
    auto setpoint = [](TextBox* box, int pos, int dp) {
        box->SetText(ReadingText(pos, dp));
        if (StopwatchTimeFormat == 5) {
            WorkStr = box->Text();
            StripNumberText();
            DotFormat();
            box->SetText(WorkStr);
        }
    };
    setpoint(txtSetpt1, 55, decPt);
    txtDevn1->SetText(ReadingText(19, decPt));
    decPt = SourceDecPt(ItemLayout, AlarmSrc2);
    setpoint(txtSetPt2, 49, decPt);
    txtDevn2->SetText(ReadingText(13, decPt));
}

void frmSetup2::FormatScaleTexts()
{
    if (ItemLayout == 1) {
        FormatList = {scale1.txtOffset, scale1.txtLoRd, scale1.txtHiRd};
        if (DisplayType != 5)
            InsertDecimalPoint(DecPt1, 2);
        return;
    }
    const int k = ItemColumn(ColScale);
    if (k < 0 || k > 2)
        return;
    const ScalingGroup& g = scale2[std::size_t(k)];
    FormatList = {g.txtOffset, g.txtLoRd, g.txtHiRd};
    if (DisplayType != 5)
        InsertDecimalPoint(ItemLayout == 2 ? DecPt1 : DecPt2, 2);
}

void frmSetup2::FormatAlarmTexts()
{
    const int base = ItemLayout == 0 || ItemLayout == 3 ? 0 : 1;
    auto one = [&](TextBox* devn, TextBox* setpt, int s) {
        int choice;
        switch (s) {
        case 1: choice = base; break;
        case 2: choice = ItemLayout == 3 ? 2 : 1 - base; break;
        case 3: choice = ItemLayout < 2 ? 3 : 1 - base; break;
        default: return; // the filtered item, or a source refused: left as shown
        }
        int dp;
        switch (choice) {
        case 0: dp = DecPt1; break;
        case 1: dp = DecPt2; break;
        case 2: dp = 1; break; // no decimals
        default: return;
        }
        FormatList = {devn, setpt, nullptr};
        // A stopwatch setpoint is a time: only the deviation takes the point.
        InsertDecimalPoint(dp, StopwatchTimeFormat != 5 ? 1 : 0);
    };
    one(txtDevn1, txtSetpt1, AlarmSrc1);
    one(txtDevn2, txtSetPt2, AlarmSrc2);
}

void frmSetup2::Rules2()
{
    const bool on = GetSetupBits(5, 5, 65) == 0;
    for (QWidget* f : {fraDevn1, fraDevType1, fraDevn2, fraDevType2})
        f->setEnabled(on);
    for (QWidget* c : {static_cast<QWidget*>(txtDevn1), static_cast<QWidget*>(cboDevType1),
                       static_cast<QWidget*>(txtDevn2), static_cast<QWidget*>(cboDevType2)})
        platform::SetForeColor(c, on ? ColorBlack : ColorGray);
}

// ---- list fillers ------------------------------------------------------------

void frmSetup2::FillAlarm1Type()
{
    FillList(cboAlm1Type, {QStringLiteral("Non-latching"), QStringLiteral("Latching")}, GetSetupBits(4, 4, 67));
}

void frmSetup2::FillAlarm2Type()
{
    FillList(cboAlm2Type, {QStringLiteral("Non-latching"), QStringLiteral("Latching")}, GetSetupBits(5, 5, 67));
}

void frmSetup2::FillDevType1()
{
    FillList(cboDevType1, {QStringLiteral("Band"), QStringLiteral("Hysteresis")}, GetSetupBits(3, 3, 65));
}

void frmSetup2::FillDevType2()
{
    FillList(cboDevType2, {QStringLiteral("Band"), QStringLiteral("Hysteresis")}, GetSetupBits(4, 4, 65));
}

void frmSetup2::FillRelay1State()
{
    FillList(cboRly1State, {QStringLiteral("Energized"), QStringLiteral("De-energized")}, GetSetupBits(6, 6, 67));
}

void frmSetup2::FillRelay2State()
{
    FillList(cboRly2State, {QStringLiteral("Energized"), QStringLiteral("De-energized")}, GetSetupBits(7, 7, 67));
}

void frmSetup2::FillAlarmState1()
{
    FillList(cboState1, {QStringLiteral("Hi Active"), QStringLiteral("Lo Active"), QStringLiteral("Disabled")}, GetSetupBits(1, 0, 67)); // 3 has no entry: nothing selected
}

void frmSetup2::FillAlarmState2()
{
    FillList(cboState2, {QStringLiteral("Hi Active"), QStringLiteral("Lo Active"), QStringLiteral("Disabled")}, GetSetupBits(3, 2, 67));
}

void frmSetup2::FillNoRdgsAlarm()
{
    FillList(cboNoRdgsAlm, {QStringLiteral("  1"), QStringLiteral("  2"), QStringLiteral("  4"),
                            QStringLiteral("  8"), QStringLiteral(" 16"), QStringLiteral(" 32"),
                            QStringLiteral(" 64"), QStringLiteral("128")}, GetSetupBits(2, 0, 65));
}

void frmSetup2::FocusMainMenu()
{
    cmdMMenu->setFocus();
}

// ---- handlers ----------------------------------------------------------------

void frmSetup2::cboSource1_Click()
{
    const int s = Picked(cboSource1);
    if (s < 0)
        return;
    CurCombo = cboSource1;
    AlarmSrc1 = CheckSource(s);
    SetSetupBits(3, 2, 33, s); // a refused source is kept, and shown red
    FormatAlarmTexts();
}

void frmSetup2::cboSource2_Click()
{
    const int s = Picked(cboSource2);
    if (s < 0)
        return;
    CurCombo = cboSource2;
    AlarmSrc2 = CheckSource(s);
    SetSetupBits(1, 0, 33, s);
    FormatAlarmTexts();
}

void frmSetup2::cboCusCrv_Click()
{
    if (!StoreCurveChoice(cboCusCrv))
        return;
    ShowSqRt();
    ShowScalingItems();
}

void frmSetup2::chkSqRt_Click(int index)
{
    if (PageReady == 0)
        return;
    SetSetupBits(1, 1, 49, chkSqRt[index]->Value());
    ShowSqRt();
}

void frmSetup2::chkDevStatus_Click()
{
    SetSetupBits(5, 5, 65, chkDevStatus->Value());
    Rules2();
}

// The scaling options store whenever the user picks one; the page's own
// redraw sets them without a Click.

void frmSetup2::optCoord1_Click()
{
    SetSetupBits(5, 5, 61, 1);
    BindScaling();
    ShowScaling(5);
    HelpTopic = 1135;
}

void frmSetup2::optScale1_Click()
{
    SetSetupBits(5, 5, 61, 0);
    BindScaling();
    ShowScaling(5);
    HelpTopic = 1137;
}

void frmSetup2::optCoord2_Click(int index)
{
    Q_UNUSED(index);
    SetSetupBits(4, 4, 61, 1);
    BindScaling();
    ShowScaling(4);
    HelpTopic = 1135;
}

void frmSetup2::optScale2_Click(int index)
{
    Q_UNUSED(index);
    SetSetupBits(4, 4, 61, 0);
    BindScaling();
    ShowScaling(4);
    HelpTopic = 1137;
}

// ---- navigation -------------------------------------------------------------

void frmSetup2::cmdMMenu_Click()
{
    LeaveForMainMenu();
}

void frmSetup2::cmdNextPage_Click()
{
    LeaveFor(ShowSetupPage3);
}

void frmSetup2::cmdPrevPage_Click()
{
    LeaveFor(ShowSetupPage1);
}

} // namespace pages
