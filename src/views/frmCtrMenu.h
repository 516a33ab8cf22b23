#pragma once
// The menu view: the setup image as the meter's own front-panel menu, built
// once when the window loads (MenuRows.h holds the content) and shown in a
// main grid with the alarm setpoints in a small grid beside it. The InPut,
// SCALE1 and SCALE2 rows carry a second value in small grids to the right of
// their row, and the CALib row a warning label; these follow their rows when
// the main grid scrolls and are hidden while their row is out of sight.
// A click on a row shows that item's help in a modeless help window.

#include "platform/Forms.h"
#include "views/MenuRows.h"

class QLabel;
class QPushButton;

namespace platform {
class Grid;
}

namespace views {

class frmCtrMenu : public platform::Form {
    Q_OBJECT
public:
    frmCtrMenu();
    ~frmCtrMenu() override;

    platform::Grid* grdMain = nullptr;
    platform::Grid* grdInput = nullptr;
    platform::Grid* grdScale1 = nullptr;
    platform::Grid* grdScale2 = nullptr;
    platform::Grid* grdSetPt = nullptr;
    QLabel* lblLocked = nullptr;
    QLabel* lblNoChange = nullptr;
    QLabel* lblInpOpt = nullptr;
    QLabel* lblSigCond = nullptr;
    QPushButton* cmdMainMenu = nullptr;
    QPushButton* cmdPrinter = nullptr;

    // What the grids show.
    const MenuRows& Rows() const { return view_; }

    // Grid rows of item rows that are fully visible below the header.
    int VisibleItemRows() const;

    void grdMain_Click();
    void grdMain_SelChange();
    void grdMain_Scroll();
    void grdSetPt_Click();
    void grdSetPt_SelChange();
    void cmdMainMenu_Click();
    void cmdPrinter_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FillMain();
    void FillSetPoints();
    void FillOverlays();
    // Puts the overlays and the calibration label beside their rows.
    void PlaceOverlays();
    // Shows topic in the modeless help window; nothing for topic 0.
    // left/top: the help window's place in twips from this window's corner,
    // -1 keeps it where it is.
    void ShowMenuHelp(int topic, int left, int top);

    MenuRows view_;
    bool resettingSetPt_ = false;
};

} // namespace views
