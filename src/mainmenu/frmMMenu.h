#pragma once
// The main menu window: the hub every other window returns to by showing
// it. It lives from start-up to the end of the program; closing it ends the
// program as File > Exit does.
//
// Each time it becomes the program's active window (also when a modal
// window over it closes) it unloads the windows it opened, resets its
// pointer and enables the serial menus when the port was opened at start.
// Opening a heading of the menu bar clears the text area, hides the status
// line and sets the help topic that F1 shows.

#include "mainmenu/SetupFiles.h"
#include "mainmenu/SetupTransfer.h"
#include "platform/Forms.h"

#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace help {
class HelpPrintArea;
}

namespace mainmenu {

using help::HelpPrintArea;

class frmMMenu : public platform::Form {
    Q_OBJECT
public:
    frmMMenu();

    // The Menu Help text, line by line.
    static const QStringList& MenuHelpLines();

    // Menu bar: headings and their items, in order.
    QMenuBar* menuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction *mnuDefaultSet = nullptr, *mnuOpen = nullptr, *mnuSave = nullptr,
            *mnuSaveAs = nullptr, *mnuF2Sep = nullptr, *mnuExit = nullptr;
    QMenu* mnuCounter = nullptr;
    QAction *mnuGet = nullptr, *mnuPut = nullptr;
    QMenu* mnuView = nullptr;
    QAction *mnuSetup = nullptr, *mnuMenu = nullptr;
    QMenu* mnuCmds = nullptr;
    QAction* mnuCmdsGo = nullptr;
    QMenu* mnuMRdgs = nullptr;
    QAction *mnuList = nullptr, *mnuPlot = nullptr, *mnuGraph = nullptr;
    QMenu* mnuCalib = nullptr;
    QAction* mnuCalibGo = nullptr;
    QMenu* mnuJmps = nullptr;
    QAction *mnuDual = nullptr, *mnuDualG = nullptr, *mnuVFConv = nullptr,
            *mnuVFConvE = nullptr, *mnuQuad = nullptr, *mnuQuadC = nullptr, *mnuPS = nullptr,
            *mnuRS232F = nullptr, *mnuRS232G = nullptr, *mnuRS485G = nullptr;
    QAction* mnuMHelp = nullptr; // the Help heading is itself the command

    // Controls.
    HelpPrintArea* picInitText = nullptr;
    QPushButton* cmdMenuHelp = nullptr; // inside picInitText
    QPushButton* cmdOK = nullptr;
    QLabel* lblGPText = nullptr; // the status line

    // Handlers.
    void Form_Activate() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_Unload(bool& cancel) override;
    void cmdMenuHelp_Click();
    void cmdOK_Click();

    void mnuFile_Click();
    void mnuCounter_Click();
    void mnuView_Click();
    void mnuCmds_Click();
    void mnuMRdgs_Click();
    void mnuCalib_Click();
    void mnuJmps_Click();
    void mnuMHelp_Click();

    void mnuDefaultSet_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuGet_Click();
    void mnuPut_Click();
    void mnuSetup_Click();

private:
    void BuildMenus();
    void BuildControls();
    void HeadingOpened(int helpTopic);
    void ShowStatus(const QString& text, quint32 color);
    void ApplyFileOutcome(const FileOutcome& outcome);
    void ApplyTransfer(const TransferOutcome& outcome);
    TransferStarted TransferShown();
    bool RefuseDuringTransfer();
    // Shows another window of the program by name; nothing happens while no
    // window of that name exists in the program.
    void OpenWindow(const QString& name, bool hideMenu);
};

} // namespace mainmenu
