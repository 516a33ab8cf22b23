#pragma once
// Setup page 1: option boards, input (mode, function, gate time, time-out,
// display items, pulses), display settings and the item panels of the
// current mode and function (scaling, decimal point, resolution, slopes,
// filter, square root, custom curve, preset, Read 0 In, batch).
//
// The page reads everything from the setup image when it is shown (Refill)
// and writes each change back into the image at once. It refills only when
// a window shows it (View > Setup, page 2's Previous): coming back from the
// value-entry dialog, the help window or another application changes
// nothing on it, so a choice made after a value entry is stored as usual.
//
// Several controls exist in copies, one per item layout; the copy in use is
// chosen from ItemLayout and ItemLayoutTable, and the shared procedures of
// Shared.h act on the copy bound just before the call.

#include "pages/SetupPage.h"
#include "pages/Shared.h"

#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace pages {

class frmSetup1 : public SetupPage {
    Q_OBJECT
public:
    frmSetup1();

    // Shows the page filled afresh from the setup image.
    static void ShowPage();

    // ---- controls ----
    QLineEdit* txtF1Help = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox *fraInOpt = nullptr, *fraRlyOpt = nullptr, *fraComOpt = nullptr, *fraAnaOpt = nullptr;
    ComboBox *cboInOpt = nullptr, *cboRlyOpt = nullptr, *cboComOpt = nullptr, *cboAnaOpt = nullptr;
    QPushButton *cmdMMenu = nullptr, *cmdNextPage = nullptr;

    QGroupBox *fraInput = nullptr, *fraMode = nullptr, *fraFunct = nullptr, *fraGateTime = nullptr,
              *fraTimeOut = nullptr, *fraDspyN = nullptr, *fraPulses = nullptr;
    ComboBox *cboMode = nullptr, *cboFunction = nullptr, *cboDspyN = nullptr;
    TextBox *txtGateTime = nullptr, *txtTimeOut = nullptr, *txtPulses = nullptr;
    QLabel *lblSecs = nullptr, *lblTSecs = nullptr;

    QGroupBox *fraDisplay = nullptr, *fraDType = nullptr, *fraDVal = nullptr, *fraLeadZ = nullptr,
              *fraPwrOnTot = nullptr, *fraNegSamp = nullptr;
    ComboBox *cboDType = nullptr, *cboDVal = nullptr, *cboLeadZ = nullptr, *cboPwrOnTot = nullptr,
             *cboNegSamp = nullptr;
    OptionButton *optBasic = nullptr, *optExtended = nullptr;

    std::array<QGroupBox*, 4> fraItem1{};
    std::array<QGroupBox*, 2> fraItem2{};
    std::array<QLabel*, 4> lblItem1{};
    std::array<QLabel*, 4> lblItem2{}; // copies 2 and 3 exist

    QGroupBox *fraPreset = nullptr, *fraRd0In = nullptr, *fraCusCrv = nullptr;
    TextBox *txtPreset = nullptr, *txtRd0In = nullptr;
    ComboBox* cboCusCrv = nullptr;

    std::array<ScalingGroup, 3> scale1; // item 1, copies 0..2
    ScalingGroup scale2;                // item 2

    std::array<QGroupBox*, 2> fraTrigSlpA{}, fraTrigSlpB{}, fraDecPt1{}, fraDecPt2{}, fraResoln{},
        fraFilter{}, fraTimConst{}, fraFType{}, fraThresh{}, fraPeakVal{};
    std::array<ComboBox*, 2> cboTrigSlpA{}, cboTrigSlpB{}, cboDecPt1{}, cboDecPt2{}, cboResoln{},
        cboTimConst{}, cboFType{}, cboThresh{}, cboPeakVal{};
    std::array<CheckBox*, 2> chkSqRt{};

    QGroupBox *fraBatCount = nullptr, *fraBatItm2 = nullptr, *fraBatStart = nullptr,
              *fraBatReset = nullptr;
    ComboBox *cboBatCount = nullptr, *cboBatItm2 = nullptr, *cboBatStart = nullptr,
             *cboBatReset = nullptr;

    // ---- page state ----
    std::array<int, 16> FunctionListPos{};

    // ---- activation and layout ----
    void Refill() override; // the page's activation: everything from the image
    void LoadOptionBoardLists();
    void LoadModeList();
    void RefreshModeList();
    void ReadModeChoice();
    void LoadFunctionList();
    void ReadFunctionChoice();
    void LoadDisplayTypeList();
    void LoadDisplayValueList();
    void LoadLeadingZeroList();
    void LoadPowerOnTotalList();
    void LoadNegSampleList();
    void LoadBatchLists();
    void ShowItemFrames();
    void ArrangeItemControls();
    void UpdateSquareRootBox();
    void FormatReadingTexts();
    void FocusMainMenuButton();

    // ---- handlers ----
    void cboInOpt_Click();
    void cboMode_Click();
    void cboFunction_Click();
    void cboDType_Click();
    void cboCusCrv_Click();
    void chkSqRt_Click(int index);
    void optBasic_Click();
    void optExtended_Click();
    void optScale1_Click(int index);
    void optCoord1_Click(int index);
    void optScale2_Click();
    void optCoord2_Click();
    void cmdMMenu_Click();
    void cmdNextPage_Click();

protected:
    void AfterValueEntry() override { FocusMainMenuButton(); }

private:
    void BuildControls();
    void BuildItemFrames();
    void ConnectHandlers();
    int ItemColumn(int column) const;
};

} // namespace pages
