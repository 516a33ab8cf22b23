#pragma once
// Setup page 3: serial communication, analog output, external inputs A/B,
// the sixteen front-panel lockouts, the custom characters of SetupChars, and
// (read only) the calibration correction and the lockout jumper.
//
// The page reads everything from the setup image when a window shows it
// (ShowPage: page 2's Next, tests) and writes each choice back at once.
// Coming back from the value-entry dialog or the help window does not
// refill it: a value box's handler stores what was entered and then
// refreshes the controls that show it itself.

#include "pages/SetupPage.h"

#include <QString>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace pages {

using platform::CheckBox;
using platform::ComboBox;
using platform::TextBox;

class frmSetup3 : public SetupPage {
    Q_OBJECT
public:
    frmSetup3();

    // Shows the page filled afresh from the setup image.
    static void ShowPage();

    // ---- controls ----
    QGroupBox *fraCalib = nullptr, *fraCal = nullptr;
    TextBox* txtCal = nullptr;

    QGroupBox *fraRmtDspyC = nullptr, *fraShow = nullptr, *fraStopChr = nullptr, *fraSkip = nullptr,
              *fraStartChr = nullptr;
    TextBox *txtShow = nullptr, *txtStopChr = nullptr, *txtSkip = nullptr, *txtStartChr = nullptr;
    QLabel *lblStopChr = nullptr, *lblStartChr = nullptr;

    QGroupBox* fraLockOut = nullptr;
    std::array<CheckBox*, 16> chkLock{};

    QPushButton *cmdMMenu = nullptr, *cmdPrevPage = nullptr;

    QGroupBox *fraExtIn = nullptr, *fraExtAB = nullptr;
    ComboBox* cboExtAB = nullptr;

    QGroupBox *fraAnaOut = nullptr, *fraAnaHI = nullptr, *fraAnaLo = nullptr, *fraSource = nullptr,
              *fraCircuit = nullptr;
    TextBox *txtAnaHi = nullptr, *txtAnaLo = nullptr;
    ComboBox *cboSource = nullptr, *cboCircuit = nullptr;

    QGroupBox *fraSerComm = nullptr, *fraTranChars = nullptr, *fraTranStop = nullptr,
              *fraTranStart = nullptr, *fraCusRecog = nullptr, *fraDuplex = nullptr,
              *fraRecogChr = nullptr, *fraRTS = nullptr, *fraCR = nullptr, *fraSerMode = nullptr,
              *fraOutRate = nullptr, *fraOutVal = nullptr, *fraOutItems = nullptr,
              *fraAddress = nullptr, *fraBaudRate = nullptr;
    ComboBox *cboTranChars = nullptr, *cboDuplex = nullptr, *cboRecogChr = nullptr, *cboRTS = nullptr,
             *cboCR = nullptr, *cboSerMode = nullptr, *cboOutRate = nullptr, *cboOutVal = nullptr,
             *cboOutItems = nullptr, *cboAddress = nullptr, *cboBaudRate = nullptr;
    TextBox *txtTranStop = nullptr, *txtTranStart = nullptr, *txtCusRecog = nullptr;
    QLabel *lblTranStop = nullptr, *lblTranStart = nullptr, *lblCusRecog = nullptr;
    CheckBox *chkLF = nullptr, *chkAlmData = nullptr;

    QLabel *lblAscTbl = nullptr, *lblLockout = nullptr;

    // ---- page state ----
    int AnaSource = 0; // analog output source as an item 1..3, 0 when refused
    std::array<int, 8> LockBitTable{};

    // ---- activation and fillers ----
    void Refill() override; // the page's activation: everything from the image
    void FillAddressList();
    void FillBaudRateList();
    void FillCircuitList();
    void FillCRList();
    void FillDuplexList();
    void FillExtInputsList();
    void FillOutItemsList();
    void FillOutRateList();
    void FillOutValueList();
    void FillRTSList();
    void FillSerModeList();
    void LoadAlarmDataCheck();
    void LoadIncludeLFCheck();
    void LoadLockouts();
    void OtherChar();
    void EnableCustomRecog();
    void SetupAnalogEntryBoxes();
    void FocusMainMenuButton();

    // ---- handlers ----
    void cboOutItems_Click();
    void cboSource_Click();
    void chkLock_Click(int index);
    void txtAnaHi_Click();
    void txtAnaLo_Click();
    void txtCusRecog_Click();
    void txtTranStop_Click();
    void txtTranStart_Click();
    void txtShow_Click();
    void txtSkip_Click();
    void txtStopChr_Click();
    void txtStartChr_Click();
    void txtCal_Click();
    void lblAscTbl_Click();
    void lblLockout_Click();
    void cmdMMenu_Click();
    void cmdPrevPage_Click();

protected:
    void AfterValueEntry() override { FocusMainMenuButton(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    // The two analog boxes from the image, with the source's decimal point.
    void ShowAnalogTexts();
    // The decimal-point code of the analog boxes, 0 when there is none.
    int AnalogDecPt() const;
    void AnalogBoxClick(TextBox* box, int pos);
    // A character-code box: the entered code goes to `store`; a cancelled
    // entry stores nothing.
    void CharBoxClick(TextBox* box, int flag, const std::function<void(int)>& store);
};

} // namespace pages
