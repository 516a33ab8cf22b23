#include "pages/frmSetup3.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "link/Link.h"
#include "pages/Shared.h"
#include "pages/ValueEntry.h"
#include "pages/Windows.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace pages {

using namespace setup;
using help::HelpTopic;
using platform::Px;
using platform::TwipsRect;

namespace {

constexpr int ClientWidthTwips = 11880;
constexpr int ClientHeightTwips = 8190;
constexpr int AsciiTableTopic = 1138;
constexpr int LockoutJumperTopic = 1241;
constexpr int ParallelBcd = 3;
constexpr int Rs485Board = 2;
// No value entry gives this code; still there after the dialog, it means
// the entry was cancelled.
constexpr int NoEntryCode = -1;

const QString DesignCaption = QStringLiteral("COUNTER SETUP  PAGE  3  ");
const QString CalMessage = QStringLiteral(
    "This is a read-only item.  To change the calibration, select the Main Menu Calibration "
    "item or use the Counter Front Panel Menu.");

const QStringList ExtInputTexts{
    QStringLiteral("Meter Reset     Funct Reset"),
    QStringLiteral("Meter Reset     Hold"),
    QStringLiteral("Meter Reset     Peak Display"),
    QStringLiteral("Meter Reset     Ext. Gate"),
    QStringLiteral("Funct Reset      Hold"),
    QStringLiteral("Funct Reset      Peak Display"),
    QStringLiteral("Funct Reset      Ext. Gate"),
    QStringLiteral("Hold                    Peak Display"),
    QStringLiteral("Hold                    Ext. Gate"),
    QStringLiteral("Peak Display    Ext. Gate"),
    QStringLiteral("Meter Reset      Display Blank"),
    QStringLiteral("Funct Reset       Display Blank"),
    QStringLiteral("Hold                    Display Blank"),
    QStringLiteral("Peak Display    Display Blank"),
    QStringLiteral("Display Blank  Ext. Gate"),
    QStringLiteral("Display Item2   Display Item3"),
};

const char* const LockCaptions[16] = {
    "Input Type",          "Setup, Config",          "GateTime,Timeout,Batch", "Filter",
    "Slope, DecPt's",      "Scale,Offst,Coord,Resln", "Alrm Source,Setup,Devn", "Alarm Setpoints",
    "Analog Output",       "SerialCommunication",    "Calibration",            "Change Display Item#",
    "View Peak",           "View Setpoints",         " Front Pnl Func Resets", "Front Panel Ctr Reset",
};

// The page's captions are larger than on pages 1 and 2: what a frame holds
// starts lower.
constexpr int FrameTop = 255;

// A value box at the frame's left, and, for a character code, the label
// beside it that names the character. The label is read as the name it
// shows; what it names goes into its description.
TextBox* BoxIn(QGroupBox* frame, const QString& name, int width, const QString& designText = {})
{
    auto* box = new TextBox(frame);
    box->setObjectName(name);
    box->setGeometry(TwipsRect(90, FrameTop, width, 300));
    box->setAccessibleName(frame->title().trimmed());
    box->SetText(designText);
    return box;
}

QLabel* NameLabel(QGroupBox* frame, const QString& name, int left)
{
    auto* l = new QLabel(frame);
    l->setObjectName(name);
    l->setGeometry(TwipsRect(left, FrameTop, 500, 260));
    l->setAccessibleDescription(frame->title().trimmed() + QStringLiteral(" name"));
    return l;
}

CheckBox* Check(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                int width)
{
    auto* c = new CheckBox(caption, parent);
    c->setObjectName(name);
    c->setGeometry(TwipsRect(left, top, width, 280));
    return c;
}

QString CodeText(int code)
{
    return QLatin1Char(' ') + QString::number(code);
}

} // namespace

// ---- window --------------------------------------------------------------

frmSetup3::frmSetup3() : SetupPage(QStringLiteral("frmSetup3"))
{
    setWindowTitle(DesignCaption);
    SetDesignFont(QStringLiteral("Times New Roman"), 9);
    setFixedSize(Px(ClientWidthTwips), Px(ClientHeightTwips));
    BuildControls();
    ConnectHandlers();
}

void frmSetup3::ShowPage()
{
    ShowPageOf<frmSetup3>();
}

bool frmSetup3::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == lblAscTbl) {
            lblAscTbl_Click();
            return true;
        }
        if (watched == lblLockout) {
            lblLockout_Click();
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

void frmSetup3::BuildControls()
{
    // Serial communications: three columns of settings.
    fraSerComm = MakeFrame(this, QStringLiteral("fraSerComm"), QStringLiteral("Serial Communications"),
                           120, 60, 6360, 3740);
    auto listFrame = [&](const char* fraName, const char* caption, const char* cboName, int left,
                         int top, ComboBox*& combo) {
        QGroupBox* f = MakeFrame(fraSerComm, QLatin1String(fraName), QLatin1String(caption), left, top, 2000, 580);
        combo = Inside<ComboBox>(f, QLatin1String(cboName), FrameTop);
        return f;
    };
    constexpr int c1 = 120, c2 = 2200, c3 = 4280;
    fraBaudRate = listFrame("fraBaudRate", "Baud Rate", "cboBaudRate", c1, 240, cboBaudRate);
    fraAddress = listFrame("fraAddress", "Address", "cboAddress", c2, 240, cboAddress);
    fraSerMode = listFrame("fraSerMode", "Output Mode", "cboSerMode", c3, 240, cboSerMode);
    fraOutItems = listFrame("fraOutItems", "Output Items", "cboOutItems", c1, 880, cboOutItems);
    fraOutRate = listFrame("fraOutRate", "Output Rate", "cboOutRate", c2, 880, cboOutRate);
    fraOutVal = listFrame("fraOutVal", "Output Value", "cboOutVal", c3, 880, cboOutVal);
    fraCR = listFrame("fraCR", "CR (LF)", "cboCR", c1, 1520, cboCR);
    fraRTS = listFrame("fraRTS", "RTS Type", "cboRTS", c2, 1520, cboRTS);
    fraDuplex = listFrame("fraDuplex", "Full/Half Duplex", "cboDuplex", c3, 1520, cboDuplex);
    fraRecogChr = listFrame("fraRecogChr", "Recognition Char", "cboRecogChr", c1, 2160, cboRecogChr);
    fraCusRecog = MakeFrame(fraSerComm, QStringLiteral("fraCusRecog"), QStringLiteral("Cust RecogChar"), c2, 2160, 2000, 580);
    txtCusRecog = BoxIn(fraCusRecog, QStringLiteral("txtCusRecog"), 800);
    lblCusRecog = NameLabel(fraCusRecog, QStringLiteral("lblCusRecog"), 1000);
    chkLF = Check(fraSerComm, QStringLiteral("chkLF"), QStringLiteral("Include LF"), c3 + 90, 2180, 1900);
    chkAlmData = Check(fraSerComm, QStringLiteral("chkAlmData"), QStringLiteral("Incl Alarm Data"), c3 + 90, 2460, 1900);
    fraTranChars = listFrame("fraTranChars", "Transmission Chars", "cboTranChars", c1, 2800, cboTranChars);
    fraTranStart = MakeFrame(fraSerComm, QStringLiteral("fraTranStart"), QStringLiteral("Custom Start Char"), c2, 2800, 2000, 580);
    txtTranStart = BoxIn(fraTranStart, QStringLiteral("txtTranStart"), 800);
    lblTranStart = NameLabel(fraTranStart, QStringLiteral("lblTranStart"), 1000);
    fraTranStop = MakeFrame(fraSerComm, QStringLiteral("fraTranStop"), QStringLiteral("Custom Stop Char"), c3, 2800, 2000, 580);
    txtTranStop = BoxIn(fraTranStop, QStringLiteral("txtTranStop"), 800);
    lblTranStop = NameLabel(fraTranStop, QStringLiteral("lblTranStop"), 1000);

    // Analog output.
    fraAnaOut = MakeFrame(this, QStringLiteral("fraAnaOut"), QStringLiteral("Analog Out"), 120, 3880, 6360, 900);
    // The source list's "Filtered Item" entries take the room of the reading boxes.
    fraSource = MakeFrame(fraAnaOut, QStringLiteral("fraSource"), QStringLiteral("Source"), 120, FrameTop, 1660, 580);
    cboSource = Inside<ComboBox>(fraSource, QStringLiteral("cboSource"), FrameTop);
    fraCircuit = MakeFrame(fraAnaOut, QStringLiteral("fraCircuit"), QStringLiteral("Circuit"), 1840, FrameTop, 1800, 580);
    cboCircuit = Inside<ComboBox>(fraCircuit, QStringLiteral("cboCircuit"), FrameTop);
    fraAnaLo = MakeFrame(fraAnaOut, QStringLiteral("fraAnaLo"), QStringLiteral("Low Reading"), 3700, FrameTop, 1280, 580);
    txtAnaLo = BoxIn(fraAnaLo, QStringLiteral("txtAnaLo"), 1100, QStringLiteral("+999. 999"));
    fraAnaHI = MakeFrame(fraAnaOut, QStringLiteral("fraAnaHI"), QStringLiteral("High Reading"), 5040, FrameTop, 1280, 580);
    txtAnaHi = BoxIn(fraAnaHI, QStringLiteral("txtAnaHi"), 1100, QStringLiteral("+999. 999"));

    // External inputs and the calibration correction.
    fraExtIn = MakeFrame(this, QStringLiteral("fraExtIn"), QStringLiteral("External Inputs"), 120, 4860, 4300, 1060);
    fraExtAB = MakeFrame(fraExtIn, QStringLiteral("fraExtAB"), QStringLiteral(" Ext In A              Ext In B"), 120, 260, 4060, 640);
    cboExtAB = Inside<ComboBox>(fraExtAB, QStringLiteral("cboExtAB"), FrameTop);
    fraCalib = MakeFrame(this, QStringLiteral("fraCalib"), QStringLiteral("Calibration"), 4500, 4860, 1980, 1060);
    fraCal = MakeFrame(fraCalib, QStringLiteral("fraCal"), QStringLiteral("Parts per Million"), 120, 260, 1740, 640);
    txtCal = BoxIn(fraCal, QStringLiteral("txtCal"), 1000, QStringLiteral("+29999"));

    // Remote display C.
    fraRmtDspyC = MakeFrame(this, QStringLiteral("fraRmtDspyC"), QStringLiteral("Remote Display \"C\""), 120, 6000, 6360, 900);
    fraShow = MakeFrame(fraRmtDspyC, QStringLiteral("fraShow"), QStringLiteral("Show No."), 120, FrameTop, 1440, 580);
    txtShow = BoxIn(fraShow, QStringLiteral("txtShow"), 800);
    fraStopChr = MakeFrame(fraRmtDspyC, QStringLiteral("fraStopChr"), QStringLiteral("Stop Char"), 1640, FrameTop, 1500, 580);
    txtStopChr = BoxIn(fraStopChr, QStringLiteral("txtStopChr"), 800);
    lblStopChr = NameLabel(fraStopChr, QStringLiteral("lblStopChr"), 950);
    fraSkip = MakeFrame(fraRmtDspyC, QStringLiteral("fraSkip"), QStringLiteral("Skip No."), 3220, FrameTop, 1440, 580);
    txtSkip = BoxIn(fraSkip, QStringLiteral("txtSkip"), 800);
    fraStartChr = MakeFrame(fraRmtDspyC, QStringLiteral("fraStartChr"), QStringLiteral("Start Char"), 4740, FrameTop, 1500, 580);
    txtStartChr = BoxIn(fraStartChr, QStringLiteral("txtStartChr"), 800);
    lblStartChr = NameLabel(fraStartChr, QStringLiteral("lblStartChr"), 950);

    // Lockouts: two columns of eight.
    fraLockOut = MakeFrame(this, QStringLiteral("fraLockOut"), QStringLiteral("Lockouts"), 6600, 60, 5160, 4700);
    for (int i = 0; i < 16; ++i) {
        const int left = i < 8 ? 150 : 2650;
        const int top = 300 + (i % 8) * 540;
        chkLock[i] = Check(fraLockOut, QStringLiteral("chkLock(%1)").arg(i),
                           QLatin1String(LockCaptions[i]), left, top, 2450);
    }

    lblLockout = new QLabel(QStringLiteral("  Lockout  jumper IS NOT installed"), this);
    lblLockout->setObjectName(QStringLiteral("lblLockout"));
    lblLockout->setGeometry(TwipsRect(6600, 4900, 5160, 300));
    lblAscTbl = new QLabel(QStringLiteral("ASCII   Char    Table"), this);
    lblAscTbl->setObjectName(QStringLiteral("lblAscTbl"));
    lblAscTbl->setGeometry(TwipsRect(6600, 5400, 3000, 300));
    lblAscTbl->setCursor(Qt::PointingHandCursor);
    for (QLabel* l : {lblLockout, lblAscTbl})
        l->installEventFilter(this);

    cmdPrevPage = new QPushButton(QStringLiteral("<    Page 2"), this);
    cmdPrevPage->setObjectName(QStringLiteral("cmdPrevPage"));
    cmdPrevPage->setGeometry(TwipsRect(6600, 7500, 1500, 450));
    cmdMMenu = new QPushButton(QStringLiteral("Main Menu"), this);
    cmdMMenu->setObjectName(QStringLiteral("cmdMMenu"));
    cmdMMenu->setGeometry(TwipsRect(10260, 7500, 1500, 450));
}

// ---- wiring ----------------------------------------------------------------

void frmSetup3::ConnectHandlers()
{
    StoreOnClick(cboAddress, 4, 0, 53);
    StoreOnClick(cboBaudRate, 6, 4, 55);
    StoreOnClick(cboCircuit, 2, 2, 31);
    StoreOnClick(cboCR, 3, 3, 51);
    StoreOnClick(cboDuplex, 7, 7, 51);
    StoreOnClick(cboExtAB, 3, 0, 61);
    StoreOnClick(cboOutRate, 3, 0, 55);
    StoreOnClick(cboOutVal, 7, 7, 55);
    StoreOnClick(cboRecogChr, 5, 5, 51);
    StoreOnClick(cboRTS, 4, 4, 51);
    StoreOnClick(cboSerMode, 5, 5, 53);
    StoreOnClick(cboTranChars, 6, 6, 51);
    StoreOnClick(chkAlmData, 6, 6, 53);
    StoreOnClick(chkLF, 7, 7, 53);
    connect(cboOutItems, &ComboBox::Click, this, &frmSetup3::cboOutItems_Click);
    connect(cboSource, &ComboBox::Click, this, &frmSetup3::cboSource_Click);
    for (int i = 0; i < 16; ++i) {
        connect(chkLock[i], &CheckBox::Click, this, [this, i] { chkLock_Click(i); });
        OnFocusTopic(chkLock[i], 1225 + i);
    }

    connect(txtAnaHi, &TextBox::Click, this, &frmSetup3::txtAnaHi_Click);
    connect(txtAnaLo, &TextBox::Click, this, &frmSetup3::txtAnaLo_Click);
    connect(txtCusRecog, &TextBox::Click, this, &frmSetup3::txtCusRecog_Click);
    connect(txtTranStop, &TextBox::Click, this, &frmSetup3::txtTranStop_Click);
    connect(txtTranStart, &TextBox::Click, this, &frmSetup3::txtTranStart_Click);
    connect(txtShow, &TextBox::Click, this, &frmSetup3::txtShow_Click);
    connect(txtSkip, &TextBox::Click, this, &frmSetup3::txtSkip_Click);
    connect(txtStopChr, &TextBox::Click, this, &frmSetup3::txtStopChr_Click);
    connect(txtStartChr, &TextBox::Click, this, &frmSetup3::txtStartChr_Click);
    connect(txtCal, &TextBox::Click, this, &frmSetup3::txtCal_Click);
    connect(cmdMMenu, &QPushButton::clicked, this, &frmSetup3::cmdMMenu_Click);
    connect(cmdPrevPage, &QPushButton::clicked, this, &frmSetup3::cmdPrevPage_Click);

    OnFocusTopic(cboExtAB, 1209);
    OnFocusTopic(txtCal, 1210);
    OnFocusTopic(cboBaudRate, 1211);
    OnFocusTopic(cboAddress, 1212);
    OnFocusTopic(cboOutItems, 1213);
    OnFocusTopic(cboOutVal, 1214);
    OnFocusTopic(cboOutRate, 1215);
    OnFocusTopic(cboSerMode, 1216);
    OnFocusTopic(chkAlmData, 1217);
    OnFocusTopic(chkLF, 1218);
    OnFocusTopic(cboCR, 1219);
    OnFocusTopic(cboRTS, 1220);
    OnFocusTopic(cboCircuit, 1221);
    OnFocusTopic(cboSource, 1222);
    OnFocusTopic(txtAnaHi, 1223);
    OnFocusTopic(txtAnaLo, 1223);
    OnFocusTopic(cboRecogChr, 1242);
    OnFocusTopic(txtCusRecog, 1243);
    OnFocusTopic(cboDuplex, 1244);
    for (QWidget* w : {static_cast<QWidget*>(cboTranChars), static_cast<QWidget*>(txtTranStart),
                       static_cast<QWidget*>(txtTranStop)})
        OnFocusTopic(w, 1245);
    for (TextBox* box : {txtShow, txtSkip, txtStartChr, txtStopChr})
        OnFocusTopic(box, 1246);
}

// ---- activation ------------------------------------------------------------

void frmSetup3::Refill()
{
    PageReady = 0;

    if (CommOption != 0) {
        fraSerComm->show();
        const int f = CommOption != ParallelBcd ? 1 : 0;
        EnableFrameCombo(fraBaudRate, cboBaudRate, f);
        EnableFrameCombo(fraAddress, cboAddress, f);
        EnableFrameCombo(fraSerMode, cboSerMode, f);
        EnableIfOne(chkAlmData, f);
        EnableIfOne(chkLF, f);
        EnableFrameCombo(fraCR, cboCR, f);
        EnableFrameCombo(fraRTS, cboRTS, f);
        EnableFrameCombo(fraRecogChr, cboRecogChr, f);
        EnableFrameCombo(fraDuplex, cboDuplex, f);
    } else {
        fraSerComm->hide();
    }

    EnableCustomRecog();

    if (AnalogOption != 0) {
        fraAnaOut->show();
        CurCombo = cboSource;
        FillSourceList();
        const int source = GetSetupBits(1, 0, 31);
        cboSource->SetListIndex(source);
        AnaSource = CheckSource(source); // a refused source beeps and shows red
        ShowAnalogTexts();
    } else {
        fraAnaOut->hide();
    }

    EnableFrameCombo(fraOutVal, cboOutVal, FilteredItem > 0 ? 1 : 0);
    txtCal->SetText(FormatNumber(KindSignedWord, SetupB, 1, 1));

    FillExtInputsList();
    LoadLockouts();
    FillAddressList();
    FillBaudRateList();
    FillOutItemsList();
    FillOutValueList();
    FillOutRateList();
    FillSerModeList();
    LoadAlarmDataCheck();
    LoadIncludeLFCheck();
    FillCRList();
    FillRTSList();
    FillRecogCharList(cboRecogChr, txtCusRecog, lblCusRecog);
    OtherChar();
    FillDuplexList();
    FillCircuitList();

    for (QWidget* w : std::initializer_list<QWidget*>{fraRmtDspyC, fraStartChr, txtStartChr, lblStartChr,
                                                      fraStopChr, txtStopChr, lblStopChr, fraShow,
                                                      txtShow, fraSkip, txtSkip})
        Enable(w, true);

    FillList(cboTranChars, {QStringLiteral("Normal"), QStringLiteral("Start/StopChars")}, GetSetupBits(6, 6, 51));
    Enable(fraTranChars, true);
    const bool startStop = meterlink::MeterRevision > 34;
    Enable(cboTranChars, startStop);
    Enable(fraTranStart, startStop);
    for (QWidget* w : std::initializer_list<QWidget*>{txtTranStart, lblTranStart, fraTranStop,
                                                      txtTranStop, lblTranStop})
        Enable(w, true);

    PageReady = 1;
}

void frmSetup3::EnableCustomRecog()
{
    const bool on = CommOption != ParallelBcd;
    Enable(fraCusRecog, on);
    Enable(txtCusRecog, on);
    platform::SetForeColor(fraCusRecog, on ? ColorDarkRed : ColorGray);
    platform::SetForeColor(txtCusRecog, on ? ColorBlack : ColorGray);
}

void frmSetup3::FillAddressList()
{
    static constexpr char HexDigit[] = "0123456789AbCdEF";
    cboAddress->Clear();
    for (int a = 0; a < 32; ++a) {
        QString text = a < 10 ? QLatin1Char(' ') + QString::number(a) : QString::number(a);
        text += QStringLiteral(" (") + QLatin1Char(HexDigit[a % 16]);
        if (a >= 16)
            text += QLatin1Char('.');
        cboAddress->AddItem(text + QLatin1Char(')'));
    }
    cboAddress->SetListIndex(GetSetupBits(4, 0, 53));
}

void frmSetup3::FillBaudRateList()
{
    FillList(cboBaudRate, {QStringLiteral("  300"), QStringLiteral("  600"), QStringLiteral(" 1200"),
                           QStringLiteral(" 2400"), QStringLiteral(" 4800"), QStringLiteral(" 9600"),
                           QStringLiteral("19200")}, GetSetupBits(6, 4, 55)); // code 7: no entry, nothing selected
}

void frmSetup3::FillCircuitList()
{
    FillList(cboCircuit, {QStringLiteral("Current Output"), QStringLiteral("Voltage Output")}, GetSetupBits(2, 2, 31));
}

void frmSetup3::FillCRList()
{
    FillList(cboCR, {QStringLiteral("End of all items"), QStringLiteral("End of each item")}, GetSetupBits(3, 3, 51));
}

void frmSetup3::FillDuplexList()
{
    const int d = GetSetupBits(7, 7, 51);
    cboDuplex->Clear();
    cboDuplex->AddItem(QStringLiteral("Full Duplex"));
    if (CommOption == Rs485Board) {
        cboDuplex->AddItem(QStringLiteral("Half Duplex"));
        cboDuplex->SetListIndex(d);
    } else {
        cboDuplex->SetListIndex(0);
    }
}

void frmSetup3::FillExtInputsList()
{
    FillList(cboExtAB, ExtInputTexts);
    cboExtAB->SetListIndex(GetSetupBits(3, 0, 61));
}

void frmSetup3::FillOutItemsList()
{
    const bool bcd = CommOption == ParallelBcd;
    cboOutItems->Clear();
    if (!bcd)
        cboOutItems->AddItem(QStringLiteral("All active items"));
    for (const char* t : {"Item #1 Only", "Item #2 Only", "Item #3 Only", "Peak Only"})
        cboOutItems->AddItem(QLatin1String(t));
    if (!bcd)
        cboOutItems->AddItem(QStringLiteral("All active + Pk"));
    int c = GetSetupBits(2, 0, 51);
    if (bcd) {
        // The BCD board sends one item: "all" shows as item 1 until a pick
        // writes; 6 and 7 have no entry and select nothing.
        if (c == 0 || c == 5)
            c = 1;
        cboOutItems->SetListIndex(c - 1);
    } else {
        cboOutItems->SetListIndex(c);
    }
}

void frmSetup3::FillOutRateList()
{
    cboOutRate->Clear();
    cboOutRate->AddItem(QStringLiteral("Read Rate"));
    for (int k = 1; k <= 8; ++k)
        cboOutRate->AddItem(QStringLiteral("Read Rate/") + QString::number(1 << k));
    cboOutRate->SetListIndex(GetSetupBits(3, 0, 55)); // 9..15: nothing selected
}

void frmSetup3::FillOutValueList()
{
    FillList(cboOutVal, {QStringLiteral("Unfiltered"), QStringLiteral("Filtered")}, GetSetupBits(7, 7, 55));
}

void frmSetup3::FillRTSList()
{
    FillList(cboRTS, {QStringLiteral("Non-Latching"), QStringLiteral("Latching")}, GetSetupBits(4, 4, 51));
}

void frmSetup3::FillSerModeList()
{
    FillList(cboSerMode, {QStringLiteral("Continuous"), QStringLiteral("Command")}, GetSetupBits(5, 5, 53));
}

void frmSetup3::LoadAlarmDataCheck()
{
    chkAlmData->SetValue(GetSetupBits(6, 6, 53));
}

void frmSetup3::LoadIncludeLFCheck()
{
    chkLF->SetValue(GetSetupBits(7, 7, 53));
}

void frmSetup3::LoadLockouts()
{
    LockBitTable = {3, 2, 1, 0, 7, 6, 5, 4};
    for (int i = 0; i < 16; ++i) {
        const int b = LockBitTable[i & 7];
        chkLock[i]->SetValue(GetSetupBits(b, b, i < 8 ? 47 : 45));
    }
    lblLockout->setText(GetSetupBits(7, 7, 57) != 0
                            ? QStringLiteral("  Lockout  jumper IS installed")
                            : QStringLiteral("  Lockout  jumper IS NOT installed"));
}

void frmSetup3::OtherChar()
{
    struct Field {
        int pos;
        TextBox* box;
        QLabel* name;
    };
    for (const Field& f : {Field{5, txtTranStop, lblTranStop}, Field{7, txtTranStart, lblTranStart},
                           Field{9, txtShow, nullptr}, Field{11, txtSkip, nullptr},
                           Field{13, txtStopChr, lblStopChr}, Field{15, txtStartChr, lblStartChr}}) {
        const int code = GetCharsByte(f.pos);
        f.box->SetText(CodeText(code));
        if (f.name)
            f.name->setText(CharName(code));
    }
}

int frmSetup3::AnalogDecPt() const
{
    switch (AnaSource) {
    case 1:
        return ItemLayout == 0 || ItemLayout == 3 ? DecPt1 : DecPt2;
    case 2:
        if (ItemLayout == 0)
            return DecPt2;
        return ItemLayout == 3 ? 1 : DecPt1;
    case 3:
        if (ItemLayout == 0 || ItemLayout == 1)
            return 0; // no decimal point of its own
        return ItemLayout == 3 ? DecPt2 : DecPt1;
    default:
        return 0;
    }
}

void frmSetup3::SetupAnalogEntryBoxes()
{
    FormatList = {txtAnaLo, txtAnaHi, nullptr};
    if (AnaSource == 0)
        return;
    // Item 3 of layouts 0 and 1 has no decimal point: the boxes keep the
    // point that the formatting gave them.
    const int code = AnalogDecPt();
    if (code != 0)
        InsertDecimalPoint(code, 1);
}

void frmSetup3::ShowAnalogTexts()
{
    txtAnaLo->SetText(FormatNumber(KindReading, SetupA, 7, DecPt1));
    txtAnaHi->SetText(FormatNumber(KindReading, SetupA, 1, DecPt1));
    SetupAnalogEntryBoxes();
}

void frmSetup3::FocusMainMenuButton()
{
    cmdMMenu->setFocus();
}

// ---- list and check handlers ------------------------------------------------

void frmSetup3::cboOutItems_Click()
{
    const int i = Picked(cboOutItems);
    if (i < 0)
        return;
    SetSetupBits(2, 0, 51, CommOption == ParallelBcd ? i + 1 : i);
}

void frmSetup3::cboSource_Click()
{
    if (PageReady == 0)
        return;
    const int i = cboSource->ListIndex();
    if (i < 0)
        return;
    CurCombo = cboSource;
    AnaSource = CheckSource(i);
    SetSetupBits(1, 0, 31, i); // stored even when refused; the list shows it red
    SetupAnalogEntryBoxes();
}

void frmSetup3::chkLock_Click(int index)
{
    if (PageReady == 0 || index < 0 || index > 15)
        return;
    LockBitTable = {3, 2, 1, 0, 7, 6, 5, 4};
    const int byte = index < 8 ? 47 : 45;
    const int b = LockBitTable[index & 7];
    SetSetupBits(b, b, byte, chkLock[index]->Value());
}

// ---- value boxes ------------------------------------------------------------

void frmSetup3::AnalogBoxClick(TextBox* box, int pos)
{
    // The dialog shows the value with the point that the box shows, so
    // that the digits typed mean what the box means; a reading, never a time.
    const int code = AnalogDecPt();
    // The dialog stored the value into SetupA; both boxes then show it as stored.
    ValueBoxClick(box, KindReading, pos, code != 0 ? code : DecPt1, TimeFormatNumber, 0,
                  [this] { ShowAnalogTexts(); });
}

void frmSetup3::txtAnaHi_Click()
{
    AnalogBoxClick(txtAnaHi, 1);
}

void frmSetup3::txtAnaLo_Click()
{
    AnalogBoxClick(txtAnaLo, 7);
}

void frmSetup3::CharBoxClick(TextBox* box, int flag, const std::function<void(int)>& store)
{
    EntryCode = NoEntryCode; // only OK gives a code back
    ValueBoxClick(box, KindCharCode, 1, -1, TimeFormatNumber, flag, [&store] {
        if (EntryCode >= 0 && EntryCode <= 255)
            store(EntryCode);
    });
}

void frmSetup3::txtCusRecog_Click()
{
    CharBoxClick(txtCusRecog, 0, [this](int code) {
        SetSetupBits(7, 0, 13, code);
        // Refilling the list selects its stored entry again: nothing to store.
        PageReady = 0;
        FillRecogCharList(cboRecogChr, txtCusRecog, lblCusRecog);
        PageReady = 1;
    });
}

void frmSetup3::txtTranStop_Click()
{
    CharBoxClick(txtTranStop, 0, [this](int code) {
        PutCharsByte(5, code);
        OtherChar();
    });
}

void frmSetup3::txtTranStart_Click()
{
    CharBoxClick(txtTranStart, 0, [this](int code) {
        PutCharsByte(7, code);
        OtherChar();
    });
}

void frmSetup3::txtShow_Click()
{
    CharBoxClick(txtShow, 1, [this](int code) {
        PutCharsByte(9, code);
        OtherChar();
    });
}

void frmSetup3::txtSkip_Click()
{
    CharBoxClick(txtSkip, 1, [this](int code) {
        PutCharsByte(11, code);
        OtherChar();
    });
}

void frmSetup3::txtStopChr_Click()
{
    CharBoxClick(txtStopChr, 1, [this](int code) {
        PutCharsByte(13, code);
        OtherChar();
    });
}

void frmSetup3::txtStartChr_Click()
{
    CharBoxClick(txtStartChr, 1, [this](int code) {
        PutCharsByte(15, code);
        OtherChar();
    });
}

void frmSetup3::txtCal_Click()
{
    EntryText = txtCal->Text();
    QPointer<frmSetup3> self(this);
    platform::MsgBox(CalMessage, QStringLiteral("Calibration"), platform::MsgButtons::Ok,
                     platform::MsgIcon::None, this);
    if (self && !platform::ProgramEnding())
        self->FocusMainMenuButton();
}

// ---- labels and navigation --------------------------------------------------

void frmSetup3::lblAscTbl_Click()
{
    HelpTopic = AsciiTableTopic;
    help::ShowHelpModal();
}

void frmSetup3::lblLockout_Click()
{
    HelpTopic = LockoutJumperTopic;
}

void frmSetup3::cmdMMenu_Click()
{
    LeaveForMainMenu();
}

void frmSetup3::cmdPrevPage_Click()
{
    LeaveFor(ShowSetupPage2);
}

} // namespace pages
