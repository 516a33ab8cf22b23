#pragma once
// Setup page 2: the relay board's two alarms (state, type, source, setpoint,
// deviation, relay state in alarm, readings to alarm) and the second group
// of item settings of the current item layout (decimal point, trigger
// slopes, scaling, multiplier, filter, square root, custom curve, Read 0 In).
//
// Like page 1, the page reads everything from the setup image when a window
// shows it (ShowPage) and writes each change back into the image at once;
// coming back from the value-entry dialog or the help window refills
// nothing, so a choice made after a value entry is stored as usual.
//
// Each item layout has its own item frame with its own copies of the
// repeated controls; the copy in use is chosen from ItemLayout and
// ItemLayoutTable, whose columns this page reads in its own way.

#include "pages/SetupPage.h"
#include "pages/Shared.h"

#include <QString>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace pages {

class frmSetup2 : public SetupPage {
    Q_OBJECT
public:
    frmSetup2();

    // Shows the page filled afresh from the setup image.
    static void ShowPage();

    // ---- controls ----
    QPushButton *cmdMMenu = nullptr, *cmdNextPage = nullptr, *cmdPrevPage = nullptr;
    QGroupBox *fraRly1State = nullptr, *fraRly2State = nullptr;
    ComboBox *cboRly1State = nullptr, *cboRly2State = nullptr;

    QGroupBox *fraAlarm1 = nullptr, *fraAlm1Type = nullptr, *fraState1 = nullptr,
              *fraDevType1 = nullptr, *fraSource1 = nullptr, *fraDevn1 = nullptr,
              *fraSetpt1 = nullptr;
    ComboBox *cboAlm1Type = nullptr, *cboState1 = nullptr, *cboDevType1 = nullptr,
             *cboSource1 = nullptr;
    TextBox *txtDevn1 = nullptr, *txtSetpt1 = nullptr;

    QGroupBox *fraAlarm2 = nullptr, *fraAlm2Type = nullptr, *fraState2 = nullptr,
              *fraDevType2 = nullptr, *fraSource2 = nullptr, *fraDevn2 = nullptr,
              *fraSetpt2 = nullptr;
    ComboBox *cboAlm2Type = nullptr, *cboState2 = nullptr, *cboDevType2 = nullptr,
             *cboSource2 = nullptr;
    TextBox *txtDevn2 = nullptr, *txtSetPt2 = nullptr;

    QGroupBox *fraBothAlm = nullptr, *fraNoRdgsAlm = nullptr;
    CheckBox* chkDevStatus = nullptr;
    ComboBox* cboNoRdgsAlm = nullptr;

    std::array<QGroupBox*, 2> fraItem2{}, fraItem3{};
    std::array<QLabel*, 4> lblItem2{}; // copies 0 and 1 exist
    std::array<QLabel*, 4> lblItem3{}; // copies 2 and 3 exist

    QGroupBox *fraRd0In = nullptr, *fraCusCrv = nullptr;
    TextBox* txtRd0In = nullptr;
    ComboBox* cboCusCrv = nullptr;

    ScalingGroup scale1;                // channel 1 (layout 1)
    std::array<ScalingGroup, 3> scale2; // channel 2, copies 0..2

    std::array<QGroupBox*, 2> fraTrigSlpA{}, fraTrigSlpB{}, fraDecPt1{}, fraDecPt2{}, fraFilter{},
        fraTimConst{}, fraFType{}, fraThresh{}, fraPeakVal{};
    std::array<ComboBox*, 2> cboTrigSlpA{}, cboTrigSlpB{}, cboDecPt1{}, cboDecPt2{},
        cboTimConst{}, cboFType{}, cboThresh{}, cboPeakVal{};
    std::array<CheckBox*, 2> chkSqRt{};

    // ---- page state ----
    int AlarmSrc1 = 0;
    int AlarmSrc2 = 0;

    // ---- activation and layout ----
    void Refill() override; // the page's activation: everything from the image
    void ShowItemsAndSources();
    void ShowScalingItems();
    void ShowSqRt();
    void ShowAlarmValues();
    void FormatScaleTexts();
    void FormatAlarmTexts();
    void Rules2();
    void FillAlarm1Type();
    void FillAlarm2Type();
    void FillDevType1();
    void FillDevType2();
    void FillRelay1State();
    void FillRelay2State();
    void FillAlarmState1();
    void FillAlarmState2();
    void FillNoRdgsAlarm();
    void FocusMainMenu();

    // ---- handlers ----
    void cboSource1_Click();
    void cboSource2_Click();
    void cboCusCrv_Click();
    void chkSqRt_Click(int index);
    void chkDevStatus_Click();
    void optCoord1_Click();
    void optScale1_Click();
    void optCoord2_Click(int index);
    void optScale2_Click(int index);
    void cmdMMenu_Click();
    void cmdNextPage_Click();
    void cmdPrevPage_Click();

protected:
    void Form_Load() override;
    void AfterValueEntry() override { FocusMainMenu(); }

private:
    void BuildControls();
    void BuildItemFrames();
    void ConnectHandlers();
    // Binds the scaling controls of the current layout for ShowScaling and
    // returns the scaling bit (5 channel 1, 4 channel 2).
    int BindScaling();
    int ItemColumn(int column) const;
};

} // namespace pages
