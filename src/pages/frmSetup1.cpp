#include "pages/frmSetup1.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "link/Link.h"
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
#include <QLineEdit>
#include <QPushButton>

namespace pages {

using namespace setup;
using help::HelpTopic;
using platform::Px;
using platform::TwipsRect;

namespace {

// The item-1 frames of every layout share one place.
constexpr int ItemLeft = 200, ItemTop = 2580, ItemWidth = 9090;
// Item 1's scaling boxes show six digits, item 2's three and three.
const ScalingDesign Scaling1{.coordFirst = true,
                             .scaleCaption = QStringLiteral("Scale 1"),
                             .scaleText = QStringLiteral("+999.999"),
                             .valueText = QStringLiteral("+999.999")};
const ScalingDesign Scaling2{.coordFirst = true,
                             .scaleCaption = QStringLiteral("Scale 2"),
                             .scaleText = QStringLiteral("+999. 999"),
                             .valueText = QStringLiteral("+999. 999")};
// The two columns right of a scaling group, in an item frame.
constexpr int Right = 6200, Right2 = 7650;

const QString DesignCaption = QStringLiteral("COUNTER SETUP  PAGE  1  ");

// Columns of ItemLayoutTable as this page reads them.
enum Column { ColItem2 = 0, ColScale1 = 1, ColSlopeB = 2, ColSlopeA = 3, ColDecPt2 = 4, ColDecPt1 = 5 };

void SetVisible(QWidget* w, bool on)
{
    if (w)
        w->setVisible(on);
}

} // namespace

// ---- window --------------------------------------------------------------

frmSetup1::frmSetup1() : SetupPage(QStringLiteral("frmSetup1"))
{
    setWindowTitle(DesignCaption);
    SetDesignFont(QStringLiteral("MS Sans Serif"), 8.25);
    setFixedSize(Px(ItemPageWidthTwips), Px(ItemPageHeightTwips));
    BuildControls();
    BuildItemFrames();
    ConnectHandlers();
}

void frmSetup1::ShowPage()
{
    ShowPageOf<frmSetup1>();
}

void frmSetup1::BuildControls()
{
    txtF1Help = new QLineEdit(QStringLiteral(" <  Select box and use F1 Key for Help  >"), this);
    txtF1Help->setObjectName(QStringLiteral("txtF1Help"));
    txtF1Help->setReadOnly(true);
    txtF1Help->setFocusPolicy(Qt::NoFocus);
    txtF1Help->setGeometry(TwipsRect(4990, 40, 4300, 300));

    Label1 = new QLabel(QStringLiteral("Option Boards"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(200, 90, 2000, 240));

    fraInOpt = MakeFrame(this, QStringLiteral("fraInOpt"), QStringLiteral("Input Option"), 200, 340, 2200, 560);
    cboInOpt = Inside<ComboBox>(fraInOpt, QStringLiteral("cboInOpt"));
    fraRlyOpt = MakeFrame(this, QStringLiteral("fraRlyOpt"), QStringLiteral("Relay Option"), 2500, 340, 2200, 560);
    cboRlyOpt = Inside<ComboBox>(fraRlyOpt, QStringLiteral("cboRlyOpt"));
    fraComOpt = MakeFrame(this, QStringLiteral("fraComOpt"), QStringLiteral("Comm Option"), 4800, 340, 2200, 560);
    cboComOpt = Inside<ComboBox>(fraComOpt, QStringLiteral("cboComOpt"));
    fraAnaOpt = MakeFrame(this, QStringLiteral("fraAnaOpt"), QStringLiteral("Analog Option"), 7090, 340, 2200, 560);
    cboAnaOpt = Inside<ComboBox>(fraAnaOpt, QStringLiteral("cboAnaOpt"));

    fraInput = MakeFrame(this, QStringLiteral("fraInput"), QStringLiteral("Input"), 200, 960, 4000, 1560);
    fraMode = MakeFrame(fraInput, QStringLiteral("fraMode"), QStringLiteral("Mode"), 100, 220, 1800, 560);
    cboMode = Inside<ComboBox>(fraMode, QStringLiteral("cboMode"));
    fraFunct = MakeFrame(fraInput, QStringLiteral("fraFunct"), QStringLiteral("Function"), 1950, 220, 1950, 560);
    cboFunction = Inside<ComboBox>(fraFunct, QStringLiteral("cboFunction"));
    fraGateTime = MakeFrame(fraInput, QStringLiteral("fraGateTime"), QStringLiteral("Gate Time"), 100, 880, 1280, 560);
    txtGateTime = new TextBox(fraGateTime);
    txtGateTime->setObjectName(QStringLiteral("txtGateTime"));
    txtGateTime->setGeometry(TwipsRect(90, InsideTopTwips, 700, 300));
    txtGateTime->setAccessibleName(QStringLiteral("Gate Time"));
    txtGateTime->SetText(QStringLiteral("199.99"));
    lblSecs = new QLabel(QStringLiteral("  Secs"), fraGateTime);
    lblSecs->setObjectName(QStringLiteral("lblSecs"));
    lblSecs->setGeometry(TwipsRect(790, 240, 480, 240));
    fraTimeOut = MakeFrame(fraInput, QStringLiteral("fraTimeOut"), QStringLiteral("Time Out"), 1400, 880, 1280, 560);
    txtTimeOut = new TextBox(fraTimeOut);
    txtTimeOut->setObjectName(QStringLiteral("txtTimeOut"));
    txtTimeOut->setGeometry(TwipsRect(90, InsideTopTwips, 700, 300));
    txtTimeOut->setAccessibleName(QStringLiteral("Time Out"));
    txtTimeOut->SetText(QStringLiteral("199.99"));
    lblTSecs = new QLabel(QStringLiteral("  Secs"), fraTimeOut);
    lblTSecs->setObjectName(QStringLiteral("lblTSecs"));
    lblTSecs->setGeometry(TwipsRect(790, 240, 480, 240));
    fraDspyN = MakeFrame(fraInput, QStringLiteral("fraDspyN"), QStringLiteral("Display Item No."), 2700, 880, 1260, 560);
    cboDspyN = Inside<ComboBox>(fraDspyN, QStringLiteral("cboDspyN"));
    fraPulses = MakeFrame(fraInput, QStringLiteral("fraPulses"), QStringLiteral("Pulses per Rev"), 2700, 880, 1260, 560);
    txtPulses = ValueBox(fraPulses, QStringLiteral("txtPulses"), QStringLiteral("  59999"));

    fraDisplay = MakeFrame(this, QStringLiteral("fraDisplay"), QStringLiteral("Display"), 4290, 960, 5000, 1560);
    fraDType = MakeFrame(fraDisplay, QStringLiteral("fraDType"), QStringLiteral("Type"), 100, 220, 1750, 560);
    cboDType = Inside<ComboBox>(fraDType, QStringLiteral("cboDType"));
    fraDVal = MakeFrame(fraDisplay, QStringLiteral("fraDVal"), QStringLiteral("Value"), 1880, 220, 1370, 560);
    cboDVal = Inside<ComboBox>(fraDVal, QStringLiteral("cboDVal"));
    fraLeadZ = MakeFrame(fraDisplay, QStringLiteral("fraLeadZ"), QStringLiteral("Leading Zeros"), 3300, 220, 1680, 560);
    cboLeadZ = Inside<ComboBox>(fraLeadZ, QStringLiteral("cboLeadZ"));
    fraPwrOnTot = MakeFrame(fraDisplay, QStringLiteral("fraPwrOnTot"), QStringLiteral("Power-On Total"), 100, 880, 1750, 560);
    cboPwrOnTot = Inside<ComboBox>(fraPwrOnTot, QStringLiteral("cboPwrOnTot"));
    fraNegSamp = MakeFrame(fraDisplay, QStringLiteral("fraNegSamp"), QStringLiteral("Neg Samples"), 1880, 880, 1480, 560);
    cboNegSamp = Inside<ComboBox>(fraNegSamp, QStringLiteral("cboNegSamp"));
    optBasic = new OptionButton(QStringLiteral("BASIC"), fraDisplay);
    optBasic->setObjectName(QStringLiteral("optBasic"));
    optBasic->setGeometry(TwipsRect(3500, 900, 1400, 260));
    optExtended = new OptionButton(QStringLiteral("EXTENDED"), fraDisplay);
    optExtended->setObjectName(QStringLiteral("optExtended"));
    optExtended->setGeometry(TwipsRect(3500, 1180, 1400, 260));

    cmdMMenu = new QPushButton(QStringLiteral("Main Menu"), this);
    cmdMMenu->setObjectName(QStringLiteral("cmdMMenu"));
    cmdMMenu->setGeometry(TwipsRect(200, 7020, 1500, 420));
    cmdNextPage = new QPushButton(QStringLiteral("Page 2    >"), this);
    cmdNextPage->setObjectName(QStringLiteral("cmdNextPage"));
    cmdNextPage->setGeometry(TwipsRect(7790, 7020, 1500, 420));
}

void frmSetup1::BuildItemFrames()
{
    auto itemLabel = [&](QWidget* parent, const char* base, int i, int left, int top) {
        auto* l = new QLabel(parent);
        l->setObjectName(Idx(base, i));
        l->setGeometry(TwipsRect(left, top, 2800, 300));
        l->setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 9.75, true));
        return l;
    };
    auto sqrtBox = [&](QWidget* parent, int i, int left, int top) {
        chkSqRt[i] = new CheckBox(QStringLiteral("Square Root"), parent);
        chkSqRt[i]->setObjectName(Idx("chkSqRt", i));
        chkSqRt[i]->setGeometry(TwipsRect(left, top, 1400, 280));
    };
    auto listFrame = [&](QWidget* parent, std::array<QGroupBox*, 2>& fra, std::array<ComboBox*, 2>& cbo,
                         const char* fraName, const char* cboName, const QString& caption, int i,
                         int left, int top) {
        fra[i] = MakeFrame(parent, Idx(fraName, i), caption, left, top, 1400, 560);
        cbo[i] = Inside<ComboBox>(fra[i], Idx(cboName, i));
    };

    // Layout 0: one item with everything.
    auto* f = fraItem1[0] = MakeFrame(this, Idx("fraItem1", 0), QStringLiteral("Item 1  L0"), ItemLeft, ItemTop, ItemWidth, 3450);
    scale1[0] = BuildScalingGroup(f, 150, 240, QStringLiteral("1"), QStringLiteral("(0)"), Scaling1);
    listFrame(f, fraDecPt1, cboDecPt1, "fraDecPt1", "cboDecPt1", QStringLiteral("Decimal Point 1"), 0, Right, 240);
    sqrtBox(f, 0, Right2, 380);
    listFrame(f, fraTrigSlpA, cboTrigSlpA, "fraTrigSlpA", "cboTrigSlpA", QStringLiteral(" Trigger Slope A"), 0, Right, 860);
    listFrame(f, fraTrigSlpB, cboTrigSlpB, "fraTrigSlpB", "cboTrigSlpB", QStringLiteral("Trigger Slope B"), 0, Right2, 860);
    // The curve list's longest entry needs a frame wider than a column.
    fraCusCrv = MakeFrame(f, QStringLiteral("fraCusCrv"), QStringLiteral("Custom Curve"), Right, 1480, 1850, 560);
    cboCusCrv = Inside<ComboBox>(fraCusCrv, QStringLiteral("cboCusCrv"));
    lblItem1[0] = itemLabel(f, "lblItem1", 0, Right, 2100);
    fraPreset = MakeFrame(f, QStringLiteral("fraPreset"), QStringLiteral("Preset"), 150, 1220, 1650, 560);
    txtPreset = ValueBox(fraPreset, QStringLiteral("txtPreset"), QStringLiteral("+999.999"));
    fraRd0In = MakeFrame(f, QStringLiteral("fraRd0In"), QStringLiteral("Read 0 In"), 150, 1820, 1650, 560);
    txtRd0In = ValueBox(fraRd0In, QStringLiteral("txtRd0In"), QStringLiteral("+999.999"));
    BuildFilterFrame(*this, f, 0, 150, 2450);

    // Layout 1: item 2's scaling.
    f = fraItem1[1] = MakeFrame(this, Idx("fraItem1", 1), QStringLiteral("Item 1  L1"), ItemLeft, ItemTop, ItemWidth, 2300);
    scale2 = BuildScalingGroup(f, 150, 240, QStringLiteral("2"), QString(), Scaling2);
    listFrame(f, fraDecPt2, cboDecPt2, "fraDecPt2", "cboDecPt2", QStringLiteral("Decimal Point 2"), 0, Right, 240);
    listFrame(f, fraTrigSlpB, cboTrigSlpB, "fraTrigSlpB", "cboTrigSlpB", QStringLiteral(" Trigger Slope B"), 1, Right, 860);
    lblItem1[1] = itemLabel(f, "lblItem1", 1, Right, 1560);

    // Layout 2: a compound item above item 2.
    f = fraItem1[2] = MakeFrame(this, Idx("fraItem1", 2), QStringLiteral("Item 1  L2"), ItemLeft, ItemTop, ItemWidth, 2000);
    listFrame(f, fraDecPt2, cboDecPt2, "fraDecPt2", "cboDecPt2", QStringLiteral("Decimal Point 2"), 1, 150, 240);
    listFrame(f, fraResoln, cboResoln, "fraResoln", "cboResoln", QStringLiteral("Resolution"), 0, 1600, 240);
    sqrtBox(f, 1, 3100, 380);
    lblItem1[2] = itemLabel(f, "lblItem1", 2, Right, 380);
    BuildFilterFrame(*this, f, 1, 150, 900);
    f = fraItem2[0] = MakeFrame(this, Idx("fraItem2", 0), QStringLiteral("Item 2  L2"), ItemLeft, ItemTop + 2060, ItemWidth, 2260);
    scale1[1] = BuildScalingGroup(f, 150, 240, QStringLiteral("1"), QStringLiteral("(1)"), Scaling1);
    listFrame(f, fraTrigSlpA, cboTrigSlpA, "fraTrigSlpA", "cboTrigSlpA", QStringLiteral("Trigger Slope A"), 1, Right, 240);
    lblItem2[2] = itemLabel(f, "lblItem2", 2, Right, 900);

    // Layout 3: batch.
    f = fraItem1[3] = MakeFrame(this, Idx("fraItem1", 3), QStringLiteral("Item 1  L3"), ItemLeft, ItemTop, ItemWidth, 2760);
    scale1[2] = BuildScalingGroup(f, 150, 240, QStringLiteral("1"), QStringLiteral("(2)"), Scaling1);
    listFrame(f, fraDecPt1, cboDecPt1, "fraDecPt1", "cboDecPt1", QStringLiteral("Decimal Point 1"), 1, Right, 240);
    lblItem1[3] = itemLabel(f, "lblItem1", 3, Right, 900);
    fraBatCount = MakeFrame(f, QStringLiteral("fraBatCount"), QStringLiteral("Batch Count"), 150, 2100, 2000, 560);
    cboBatCount = Inside<ComboBox>(fraBatCount, QStringLiteral("cboBatCount"));
    fraBatItm2 = MakeFrame(f, QStringLiteral("fraBatItm2"), QStringLiteral("Batch Item 2"), 2250, 2100, 1600, 560);
    cboBatItm2 = Inside<ComboBox>(fraBatItm2, QStringLiteral("cboBatItm2"));
    fraBatStart = MakeFrame(f, QStringLiteral("fraBatStart"), QStringLiteral("Batch Start "), 3950, 2100, 1900, 560);
    cboBatStart = Inside<ComboBox>(fraBatStart, QStringLiteral("cboBatStart"));
    fraBatReset = MakeFrame(f, QStringLiteral("fraBatReset"), QStringLiteral("Batch Reset"), 5950, 2100, 1400, 560);
    cboBatReset = Inside<ComboBox>(fraBatReset, QStringLiteral("cboBatReset"));
    f = fraItem2[1] = MakeFrame(this, Idx("fraItem2", 1), QStringLiteral("Item 2  L3"), ItemLeft, ItemTop + 2820, ItemWidth, 920);
    listFrame(f, fraResoln, cboResoln, "fraResoln", "cboResoln", QStringLiteral("Resolution"), 1, 150, 240);
    lblItem2[3] = itemLabel(f, "lblItem2", 3, 1700, 400);

    for (QGroupBox* frame : fraItem1)
        frame->hide();
    for (QGroupBox* frame : fraItem2)
        frame->hide();
}

// ---- wiring ----------------------------------------------------------------

void frmSetup1::ConnectHandlers()
{
    auto fixed = [](int t) { return [t] { return t; }; };
    auto click = [this](ComboBox* c, void (frmSetup1::*handler)()) {
        connect(c, &ComboBox::Click, this, handler);
    };

    click(cboInOpt, &frmSetup1::cboInOpt_Click);
    StoreOnClick(cboRlyOpt, 6, 6, 57, 0, [](int i) { RelayOption = i; });
    StoreOnClick(cboComOpt, 4, 3, 57, 0, [](int i) { CommOption = i; });
    StoreOnClick(cboAnaOpt, 5, 5, 57, 0, [](int i) { AnalogOption = i; });
    click(cboMode, &frmSetup1::cboMode_Click);
    click(cboFunction, &frmSetup1::cboFunction_Click);
    click(cboDType, &frmSetup1::cboDType_Click);
    click(cboCusCrv, &frmSetup1::cboCusCrv_Click);
    StoreOnClick(cboDVal, 4, 4, 59);
    StoreOnClick(cboLeadZ, 6, 6, 61);
    StoreOnClick(cboPwrOnTot, 7, 7, 61);
    StoreOnClick(cboNegSamp, 0, 0, 49);
    StoreOnClick(cboDspyN, 1, 0, 21, 1);
    StoreOnClick(cboBatCount, 5, 3, 35);
    StoreOnClick(cboBatItm2, 1, 1, 35, 0, [this](int) { ShowItemFrames(); });
    StoreOnClick(cboBatStart, 0, 0, 35);
    StoreOnClick(cboBatReset, 2, 2, 35);
    for (int i = 0; i < 2; ++i) {
        ConnectDecPtLists(cboDecPt1[i], cboDecPt2[i], [this] { FormatReadingTexts(); });
        StoreOnClick(cboResoln[i], 3, 0, 19);
        ConnectSlopeAndFilterLists(cboTrigSlpA[i], cboTrigSlpB[i], cboTimConst[i], cboFType[i],
                                   cboThresh[i], cboPeakVal[i]);
        connect(chkSqRt[i], &CheckBox::Click, this, [this, i] { chkSqRt_Click(i); });
        OnFocusTopic(cboResoln[i], fixed(1133));
        OnFocusTopic(chkSqRt[i], [] { return InputOption == 3 ? 1154 : 1153; });
    }
    // Item 1's offset is the stopwatch time; the dialog opens high.
    const ScalingEntry entry{.flag = 0, .plainFormat = -1, .stopwatchItem = 1};
    for (int i = 0; i < 3; ++i)
        ConnectScalingGroup(scale1[i], 1, entry, [this, i] { optScale1_Click(i); },
                            [this, i] { optCoord1_Click(i); });
    ConnectScalingGroup(scale2, 2, entry, [this] { optScale2_Click(); }, [this] { optCoord2_Click(); });

    connect(optBasic, &OptionButton::Click, this, &frmSetup1::optBasic_Click);
    connect(optExtended, &OptionButton::Click, this, &frmSetup1::optExtended_Click);
    connect(cmdMMenu, &QPushButton::clicked, this, &frmSetup1::cmdMMenu_Click);
    connect(cmdNextPage, &QPushButton::clicked, this, &frmSetup1::cmdNextPage_Click);

    // Value boxes: the dialog opens on the box's number.
    auto entryOffset1 = [] {
        int tf = DisplayType == 5 ? TimeFormatClock : TimeFormatNumber;
        if (StopwatchTimeFormat == 5)
            tf = TimeFormatStopwatch;
        return tf;
    };
    connect(txtGateTime, &TextBox::Click, this, [this] { ValueBoxClick(txtGateTime, KindWord, 41, -1, -1, 0); });
    connect(txtTimeOut, &TextBox::Click, this, [this] { ValueBoxClick(txtTimeOut, KindWord, 37, -1, -1, 0); });
    connect(txtPulses, &TextBox::Click, this, [this] { ValueBoxClick(txtPulses, KindWord, 25, -1, -1, 1); });
    connect(txtPreset, &TextBox::Click, this, [this, entryOffset1] {
        ValueBoxClick(txtPreset, KindReading, 25, DecPt1, entryOffset1(), 0);
    });
    connect(txtRd0In, &TextBox::Click, this, [this] { ValueBoxClick(txtRd0In, KindInput, 79, -1, -1, 1); });

    OnFocusTopic(cboInOpt, fixed(1101));
    OnFocusTopic(cboRlyOpt, fixed(1102));
    OnFocusTopic(cboComOpt, fixed(1103));
    OnFocusTopic(cboAnaOpt, fixed(1104));
    OnFocusTopic(cboMode, [] { return 1106 + InputOption; });
    OnFocusTopic(cboFunction, [] {
        switch (InputOption) {
        case 0: return 1111;
        case 1: return ModeCode < 4 ? 1113 + ModeCode : 1112 + ModeCode;
        case 2: return 1120;
        case 3: return 1123;
        default: return 0; // topic unchanged
        }
    });
    OnFocusTopic(cboDType, [] { return DisplayType < 6 ? 1126 : 1122; });
    OnFocusTopic(cboDVal, fixed(1127));
    OnFocusTopic(cboLeadZ, fixed(1128));
    OnFocusTopic(cboNegSamp, fixed(1129));
    OnFocusTopic(cboPwrOnTot, fixed(1130));
    OnFocusTopic(cboCusCrv, fixed(1134));
    OnFocusTopic(cboDspyN, fixed(1136));
    OnFocusTopic(txtGateTime, [this] { return FunctionRuleTopic(1124); });
    OnFocusTopic(txtTimeOut, [this] { return FunctionRuleTopic(1125); });
    OnFocusTopic(cboBatReset, fixed(1148));
    OnFocusTopic(cboBatItm2, fixed(1149));
    OnFocusTopic(cboBatStart, fixed(1150));
    OnFocusTopic(cboBatCount, fixed(1151));
    OnFocusTopic(txtPulses, fixed(1154));
    OnFocusTopic(txtPreset, fixed(1159));
}

int frmSetup1::ItemColumn(int column) const
{
    return ItemLayoutEntry(ItemLayout, column);
}

// ---- activation ------------------------------------------------------------

void frmSetup1::Refill()
{
    PageReady = 0;
    if (EntryActive == 1)
        return;
    for (QGroupBox* f : fraItem1)
        f->hide();
    for (QGroupBox* f : fraItem2)
        f->hide();
    ExtendedMode = GetSetupBits(3, 2, 49) != 0 ? 1 : 0;
    if (meterlink::MeterRevision > 34)
        setWindowTitle(QStringLiteral("COUNTER SETUP PAGE 1    REVISION  ")
                       + QString::number(meterlink::MeterRevision));
    else
        setWindowTitle(DesignCaption);
    ItemLayout = 9;
    LoadOptionBoardLists();
    ShowItemFrames();
    LoadModeList();
    LoadFunctionList();
    txtGateTime->SetText(FormatNumber(KindWord, SetupB, 41, 3));
    txtTimeOut->SetText(FormatNumber(KindWord, SetupB, 37, 3));
    LoadDisplayTypeList();
    LoadDisplayValueList();
    LoadLeadingZeroList();
    LoadPowerOnTotalList();
    DecPt1 = GetSetupBits(2, 0, 15);
    DecPt2 = GetSetupBits(6, 4, 15);
    ArrangeItemControls();
}

void frmSetup1::LoadOptionBoardLists()
{
    FillList(cboInOpt, {QStringLiteral("None"), QStringLiteral("Dual Sig Cond"),
                        QStringLiteral("V-F Converter"), QStringLiteral("Quadrature")});
    ReadInputOption();
    cboInOpt->SetListIndex(InputOption);
    FillList(cboRlyOpt, {QStringLiteral("None"), QStringLiteral("Relay Board")});
    RelayOption = GetSetupBits(6, 6, 57);
    cboRlyOpt->SetListIndex(RelayOption);
    FillList(cboComOpt, {QStringLiteral("None"), QStringLiteral("RS232 Board"),
                         QStringLiteral("RS485 Board"), QStringLiteral("Parallel BCD")});
    CommOption = GetSetupBits(4, 3, 57);
    cboComOpt->SetListIndex(CommOption);
    FillList(cboAnaOpt, {QStringLiteral("None"), QStringLiteral("Analog Out Bd")});
    AnalogOption = GetSetupBits(5, 5, 57);
    cboAnaOpt->SetListIndex(AnalogOption);
}

void frmSetup1::LoadModeList()
{
    fraPulses->hide();
    fraRd0In->hide();
    cboMode->Clear();
    switch (InputOption) {
    case 0:
        cboMode->AddItem(QStringLiteral("None"));
        cboMode->SetListIndex(0);
        break;
    case 1: {
        FillList(cboMode, {QStringLiteral("Rate"), QStringLiteral("Period"), QStringLiteral("Total"),
                           QStringLiteral("Time Interval")});
        if (ExtendedMode == 1) {
            cboMode->AddItem(QStringLiteral("Stopwatch"));
            cboMode->AddItem(QStringLiteral("Phase"));
        }
        cboMode->SetListIndex(ModeCode > 2 ? ModeCode - 1 : ModeCode);
        break;
    }
    case 2:
        fraRd0In->show();
        FillList(cboMode, {QStringLiteral("VF 4-20 mA"), QStringLiteral("VF  0-1 mA"),
                           QStringLiteral("VF 0-10 V")}, ModeCode - 8);
        break;
    case 3:
        fraPulses->show();
        txtPulses->SetText(FormatNumber(KindWord, SetupB, 25, 1));
        cboMode->AddItem(QStringLiteral("Quadrature"));
        cboMode->SetListIndex(0);
        break;
    default:
        break; // a board code without a list entry: nothing to choose
    }
}

void frmSetup1::RefreshModeList()
{
    // The lists are built for a pair the meter offers.
    NormaliseModeFunction();
    LoadModeList();
}

void frmSetup1::ReadModeChoice()
{
    const int i = cboMode->ListIndex();
    if (i < 0)
        return;
    switch (InputOption) {
    case 1: ModeCode = i > 2 ? i + 1 : i; break;
    case 2: ModeCode = i + 8; break;
    case 3: ModeCode = 12; break;
    default: break;
    }
}

void frmSetup1::LoadFunctionList()
{
    cboFunction->Clear();
    FunctionListPos.fill(-1);
    if (InputOption == 0) {
        cboFunction->AddItem(QStringLiteral("None"));
        cboFunction->SetListIndex(0);
        return;
    }
    int last = 15;
    if (ExtendedMode == 0)
        last = ModeCode == 12 ? 0 : 1;
    for (int f = 0; f <= last; ++f) {
        const QString name = FunctionName(ModeCode, f);
        if (name.isEmpty())
            continue;
        FunctionListPos[f] = cboFunction->ListCount();
        cboFunction->AddItem(name);
    }
    const bool known = FunctionCode >= 0 && FunctionCode < 16;
    cboFunction->SetListIndex(known ? FunctionListPos[FunctionCode] : -1);
}

void frmSetup1::ReadFunctionChoice()
{
    const int i = cboFunction->ListIndex();
    if (i < 0)
        return;
    int count = 0;
    for (int f = 0; f < 16; ++f) {
        if (FunctionName(ModeCode, f).isEmpty())
            continue;
        if (count == i) {
            FunctionCode = f;
            return;
        }
        ++count;
    }
}

void frmSetup1::LoadDisplayTypeList()
{
    FillList(cboDType, {QStringLiteral(" Normal, Expnt"), QStringLiteral(" Norml 999999"),
                        QStringLiteral(" 1 RH Zero"), QStringLiteral(" 2 RH Zeros"),
                        QStringLiteral(" Time in Secs"), QStringLiteral(" Clock hhmmss"),
                        QStringLiteral(" Rmt Dsply A"), QStringLiteral(" Rmt Dsply S"),
                        QStringLiteral(" Rmt Dsply 1"), QStringLiteral(" Rmt Dsply 2"),
                        QStringLiteral(" Rmt Dsply 3"), QStringLiteral(" Rmt Dsply 4"),
                        QStringLiteral(" Rmt Dsply C")});
    const int stored = GetSetupBits(7, 4, 49);
    cboDType->SetListIndex(stored);
    // A code without an entry keeps its own number, so that nothing takes it
    // for one of the listed types.
    DisplayType = stored;
}

void frmSetup1::LoadDisplayValueList()
{
    FillList(cboDVal, {QStringLiteral(" Unfiltered"), QStringLiteral(" Filtered")}, GetSetupBits(4, 4, 59));
}

void frmSetup1::LoadLeadingZeroList()
{
    FillList(cboLeadZ, {QStringLiteral(" Blank Zeros"), QStringLiteral(" Display Zeros")}, GetSetupBits(6, 6, 61));
}

void frmSetup1::LoadPowerOnTotalList()
{
    FillList(cboPwrOnTot, {QStringLiteral(" Zero Total"), QStringLiteral(" Restore Total")}, GetSetupBits(7, 7, 61));
}

void frmSetup1::LoadNegSampleList()
{
    FillList(cboNegSamp, {QStringLiteral(" Excluded"), QStringLiteral(" Included")}, GetSetupBits(0, 0, 49));
    const bool on = (FunctionCode == 2 && ModeCode >= 8) || FunctionCode == 3 || FunctionCode == 8;
    Enable(fraNegSamp, on);
    Enable(cboNegSamp, on);
}

void frmSetup1::LoadBatchLists()
{
    Enable(fraBatCount, InputOption == 1);
    Enable(cboBatCount, InputOption == 1);
    FillList(cboBatCount, {QStringLiteral("Up,Preset,Preset"), QStringLiteral("Dn,Preset,Preset"),
                           QStringLiteral("Up,All,Preset"), QStringLiteral("Dn,All,Preset"),
                           QStringLiteral("Up,Preset,All"), QStringLiteral("Dn,Preset,All"),
                           QStringLiteral("Up,All,All"), QStringLiteral("Dn,All,All")}, GetSetupBits(5, 3, 35));
    FillList(cboBatItm2, {QStringLiteral("Grand Total"), QStringLiteral("# Batches")}, GetSetupBits(1, 1, 35));
    FillList(cboBatStart, {QStringLiteral("'Ready'"), QStringLiteral("Start Immediate")}, GetSetupBits(0, 0, 35));
    FillList(cboBatReset, {QStringLiteral("Internal"), QStringLiteral("External")}, GetSetupBits(2, 2, 35));
}

void frmSetup1::ShowItemFrames()
{
    ReadInputOption();
    ModeCode = GetSetupBits(7, 4, 63);
    FunctionCode = GetSetupBits(3, 0, 63);
    NormaliseModeFunction();
    const int old = ItemLayout;
    ItemLayout = ItemLayoutOf(ModeCode, FunctionCode);
    if (ItemLayout != old && old >= 0 && old <= 3) {
        fraItem1[old]->hide();
        fraItem2[0]->hide();
        fraItem2[1]->hide();
    }
    fraItem1[ItemLayout]->show();
    lblItem1[ItemLayout]->setText(Item1Name(ItemLayout, ModeCode));
    const int item2 = ItemColumn(ColItem2);
    if (item2 != 9) {
        fraItem2[item2]->show();
        if (QLabel* l = lblItem2[ItemLayout])
            l->setText(Item2Name(ItemLayout, ModeCode));
    }
    FilteredItem = FilteredItemOf(ModeCode, FunctionCode);
    const int c3 = ItemColumn(ColSlopeA);
    if (c3 != 9)
        fraFilter[c3]->setVisible(FilteredItem == 1);
    const bool dval = FilteredItem >= 1;
    Enable(fraDVal, dval);
    Enable(cboDVal, dval);
    platform::SetForeColor(cboDVal, dval ? ColorBlack : ColorGray);
    if (ExtendedMode == 1)
        optExtended->SetValue(true);
    else
        optBasic->SetValue(true);
}

void frmSetup1::ArrangeItemControls()
{
    StopwatchTimeFormat = StopwatchTimeFormatOf(ModeCode, DisplayType);

    if (ItemLayout == 2 || ItemLayout == 3) {
        CurCboMult = cboResoln[ItemLayout == 2 ? 0 : 1];
        FillMultiplierList();
        CurCboMult->SetListIndex(GetSetupBits(3, 0, 19));
    }

    ShowDecPtList(fraDecPt1, cboDecPt1, fraDecPt2, cboDecPt2, ItemColumn(ColDecPt1),
                  ItemColumn(ColDecPt2));

    const bool curveOn = (LayoutFlags & 2) != 0 && ExtendedMode != 0;
    Enable(fraCusCrv, curveOn);
    Enable(cboCusCrv, curveOn);
    ShowCurveList(fraCusCrv, cboCusCrv);

    const int c1 = ItemColumn(ColScale1);
    const ScalingGroup& g = c1 == 9 ? scale2 : scale1[c1];
    BindScaling(g);
    ShowScaling(c1 == 9 ? 4 : 5);

    SetVisible(fraPreset, PresetShown == 1);
    SetVisible(txtPreset, PresetShown == 1);
    if (PresetShown == 1)
        txtPreset->SetText(FormatNumber(KindReading, SetupA, 25, EntryDecPt));

    FormatReadingTexts();
    LoadNegSampleList();

    const int c3 = ItemColumn(ColSlopeA);
    if (c3 != 9) {
        ShowSlopeList(fraTrigSlpA[c3], cboTrigSlpA[c3], 1);
        Enable(fraTrigSlpA[c3], InputOption < 2);
        Enable(cboTrigSlpA[c3], InputOption < 2);
    }

    const int c2 = ItemColumn(ColSlopeB);
    if (c2 == 9) {
        fraTrigSlpB[0]->hide();
        fraTrigSlpB[1]->hide();
    } else {
        fraTrigSlpB[c2]->show();
        ShowSlopeList(fraTrigSlpB[c2], cboTrigSlpB[c2], 0);
        const bool on = (LayoutFlags & 4) != 0;
        Enable(fraTrigSlpB[c2], on);
        Enable(cboTrigSlpB[c2], on);
    }

    if (c3 != 9)
        ShowFilterLists(cboTimConst[c3], cboFType[c3], cboThresh[c3], cboPeakVal[c3]);

    UpdateSquareRootBox();
    if (ItemLayout == 3)
        LoadBatchLists();
    CurForm = this;
    ShowRd0In();

    // Time-out: used by the modes that wait for a signal.
    bool timeOut = true;
    if (!(ModeCode == 12 && FunctionCode == 1)) {
        if (InputOption > 1 && FunctionCode != 2)
            timeOut = false;
        if (InputOption == 1
            && ((ModeCode == 0 && FunctionCode == 2)
                || (ModeCode == 2 && FunctionCode != 6 && FunctionCode != 7) || ModeCode == 5))
            timeOut = false;
    }
    Enable(fraTimeOut, timeOut);
    Enable(txtTimeOut, timeOut);
    Enable(lblTSecs, timeOut);

    if (ModeCode == 12) {
        fraPulses->show();
        txtPulses->show();
        fraDspyN->hide();
        cboDspyN->hide();
    } else {
        fraPulses->hide();
        txtPulses->hide();
        fraDspyN->show();
        cboDspyN->show();
        int largest = 1;
        if ((LayoutFlags & 32) != 0) {
            largest = 2;
            if ((ModeCode < 3 && FunctionCode > 10) || FunctionCode == 2
                || (ModeCode == 12 && FunctionCode == 1))
                largest = 3;
        }
        if (GetSetupBits(1, 0, 21) == 0)
            SetSetupBits(1, 0, 21, 1);
        if (GetSetupBits(1, 0, 21) > largest)
            SetSetupBits(1, 0, 21, largest);
        cboDspyN->Clear();
        cboDspyN->AddItem(QStringLiteral(" Item 1"));
        if (largest > 1)
            cboDspyN->AddItem(QStringLiteral(" Item 2"));
        if (largest == 3)
            cboDspyN->AddItem(QStringLiteral(" Item 3"));
        cboDspyN->SetListIndex(GetSetupBits(1, 0, 21) - 1);
        Enable(fraDspyN, largest > 1);
        Enable(cboDspyN, largest > 1);
    }

    PageReady = 1;
}

void frmSetup1::UpdateSquareRootBox()
{
    const int c = ItemColumn(ColSlopeA);
    if (c == 9) {
        chkSqRt[0]->hide();
        chkSqRt[1]->hide();
        return;
    }
    CheckBox* box = chkSqRt[c];
    box->show();
    box->SetValue(GetSetupBits(1, 1, 49));
    if ((LayoutFlags & 8) != 0 && GetSetupBits(3, 2, 49) == 0) {
        box->setEnabled(true);
    } else {
        box->SetValue(0);
        box->setEnabled(false);
    }
}

void frmSetup1::FormatReadingTexts()
{
    if (ItemLayout == 1) {
        FormatList = {scale2.txtOffset, scale2.txtLoRd, scale2.txtHiRd};
        if (DisplayType != 5)
            InsertDecimalPoint(DecPt2, 2);
        return;
    }
    const int c1 = ItemColumn(ColScale1);
    if (c1 < 0 || c1 > 2)
        return;
    const ScalingGroup& g = scale1[c1];
    FormatList = {g.txtOffset, g.txtLoRd, g.txtHiRd};
    if (DisplayType != 5)
        InsertDecimalPoint(DecPt1, 2);
}

void frmSetup1::FocusMainMenuButton()
{
    cmdMMenu->setFocus();
}

// ---- list and check handlers ------------------------------------------------

void frmSetup1::cboInOpt_Click()
{
    const int i = Picked(cboInOpt);
    if (i < 0)
        return;
    static constexpr int BoardCode[] = {0, 1, 4, 2};
    InputOption = i;
    SetSetupBits(2, 0, 57, BoardCode[i]);
    NormaliseModeFunction();
    LoadModeList();
}

void frmSetup1::cboMode_Click()
{
    if (Picked(cboMode) < 0)
        return;
    ReadModeChoice();
    SetSetupBits(7, 4, 63, ModeCode);
    NormaliseModeFunction();
    LoadFunctionList();
}

void frmSetup1::cboFunction_Click()
{
    if (Picked(cboFunction) < 0)
        return;
    ReadFunctionChoice();
    SetSetupBits(3, 0, 63, FunctionCode);
    ShowItemFrames();
    ArrangeItemControls();
}

void frmSetup1::cboDType_Click()
{
    const int i = Picked(cboDType);
    if (i < 0)
        return;
    SetSetupBits(7, 4, 49, i);
    DisplayType = i;
    ArrangeItemControls();
    HelpTopic = DisplayType < 6 ? 1126 : 1122;
}

void frmSetup1::cboCusCrv_Click()
{
    if (!StoreCurveChoice(cboCusCrv))
        return;
    UpdateSquareRootBox();
    PageReady = 0;
    ArrangeItemControls();
}

void frmSetup1::chkSqRt_Click(int index)
{
    if (PageReady == 0)
        return;
    SetSetupBits(1, 1, 49, chkSqRt[index]->Value());
    UpdateSquareRootBox();
    PageReady = 0;
    ArrangeItemControls();
}

// ---- option buttons (the user's clicks only) --------------------------------

void frmSetup1::optBasic_Click()
{
    ExtendedMode = 0;
    SetSetupBits(3, 2, 49, 0);
    RefreshModeList();
    HelpTopic = 1156;
}

void frmSetup1::optExtended_Click()
{
    ExtendedMode = 1;
    // Extended is marked by a curve field above 0: a curve already chosen
    // (1 Disabled, 2 Curve #1) must stay as it is.
    if (GetSetupBits(3, 2, 49) == 0)
        SetSetupBits(3, 2, 49, 1);
    RefreshModeList();
    HelpTopic = 1156;
}

void frmSetup1::optScale1_Click(int index)
{
    Q_UNUSED(index);
    ArrangeItemControls();
    SetSetupBits(5, 5, 61, 0);
    ShowScaling(5);
    HelpTopic = 1135;
}

void frmSetup1::optCoord1_Click(int index)
{
    Q_UNUSED(index);
    ArrangeItemControls();
    SetSetupBits(5, 5, 61, 1);
    ShowScaling(5);
    HelpTopic = 1135;
}

void frmSetup1::optScale2_Click()
{
    SetSetupBits(4, 4, 61, 0);
    ShowScaling(4);
    HelpTopic = 1135;
}

void frmSetup1::optCoord2_Click()
{
    SetSetupBits(4, 4, 61, 1);
    ShowScaling(4);
    HelpTopic = 1135;
}

// ---- navigation -------------------------------------------------------------

void frmSetup1::cmdMMenu_Click()
{
    LeaveForMainMenu();
}

void frmSetup1::cmdNextPage_Click()
{
    LeaveFor(ShowSetupPage2);
}

} // namespace pages
