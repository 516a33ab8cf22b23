#include "mainmenu/frmMMenu.h"

#include "link/Exchange.h"
#include "link/Link.h"
#include "link/PortLoss.h"
#include "link/Wait.h"
#include "help/HelpPrintArea.h"
#include "help/HelpViewer.h"
#include "mainmenu/MenuState.h"
#include "mainmenu/frmMHELP.h"
#include "live/Windows.h"
#include "pages/Windows.h"
#include "views/Windows.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace mainmenu {

using help::HelpLine;
using help::ShowHelpModal;

using platform::MousePointer;
using platform::TwipsRect;

namespace {

constexpr int ClientWidthTwips = 11880;
constexpr int ClientHeightTwips = 7905;
constexpr int KeyF1 = 112;

// The windows this window opened and unloads each time it is active again;
// the board windows that leave it visible are not among them.
const char* const UnloadOnActivate[] = {
    "frmCtrMenu", "frmCmds", "frmList", "frmPlot",  "frmGRAPH",
    "frmCalib",   "frmJDSC", "frmJVF",  "frmJQuad", "frmMHELP",
};

// Windows that return here show the main menu by name, without its header.
[[maybe_unused]] const bool registered = [] {
    platform::RegisterForm(QStringLiteral("frmMMenu"), [] { return new frmMMenu(); });
    return true;
}();

QFont TimesBold(double points)
{
    return platform::DesignFont(QStringLiteral("Times New Roman"), points, true);
}

void SetHeadingEnabled(QMenu* heading, bool on)
{
    heading->setEnabled(on);
    heading->menuAction()->setEnabled(on);
}

} // namespace

const QStringList& frmMMenu::MenuHelpLines()
{
    static const QStringList lines{
        QStringLiteral("    If the Main Menu is reached without establishing communications, then click on 'File'"),
        QStringLiteral("    to load Setup data to the program from either"),
        QStringLiteral("         1. A Default Setup file furnished with the program, or"),
        QStringLiteral("         2. A previously saved Setup file."),
        QStringLiteral("    Once a Setup file is loaded, the View menu item becomes active to allow viewing the"),
        QStringLiteral("    Setup data.  Since communications has not been established, the 'Counter', 'Commands'"),
        QStringLiteral("    and 'Readings' Menu items are not active."),
        QString(),
        QStringLiteral("    If the Main Menu is reached after establishing communications, then in addition to the"),
        QStringLiteral("    above two methods, a common choice for loading Setup data to the program is to"),
        QStringLiteral("         3. Click on the 'Counter' menu item and select 'Get Setup' to load the Setup data"),
        QStringLiteral("             currently in the Counter."),
        QStringLiteral("    If Setup data is loaded to the program by method 3, the 'Commands' menu item becomes active."),
        QStringLiteral("    'Counter' and 'Readings' Menu items become active immediately because communications is"),
        QStringLiteral("    established."),
        QString(),
        QStringLiteral("    Click a Menu heading on and off, then press the F1 key for specific information."),
        QStringLiteral("    When ready to exit program, click on File and select Exit."),
    };
    return lines;
}

frmMMenu::frmMMenu() : platform::Form(QStringLiteral("frmMMenu"))
{
    // The windows this one opens by name.
    static const bool windowsKnown = [] {
        pages::RegisterWindows();
        live::RegisterWindows();
        views::RegisterWindows();
        return true;
    }();
    Q_UNUSED(windowsKnown);
    setWindowTitle(QStringLiteral("COUNTER MAIN  MENU"));
    SetDesignFont(QStringLiteral("Times New Roman"), 9, true);
    SetKeyPreview(true);
    BuildMenus();
    BuildControls();
    // A port that failed under the program stays unusable for this run.
    meterlink::OnPortLost(this, [this] {
        SetHeadingEnabled(mnuCounter, false);
        SetHeadingEnabled(mnuCmds, false);
        SetHeadingEnabled(mnuMRdgs, false);
        SetHeadingEnabled(mnuCalib, false);
    });
}

void frmMMenu::BuildMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    // The designed layout has the menu bar inside the window.
    menuBar->setNativeMenuBar(false);
    // Menus speak the system's menu font, not the window's.
    menuBar->setFont(QApplication::font("QMenuBar"));

    auto heading = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [](QMenu* m, const char* name, const QString& caption,
                   auto&& handler) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        QObject::connect(a, &QAction::triggered, m, handler);
        return a;
    };

    mnuFile = heading("mnuFile", QStringLiteral("&File"));
    mnuDefaultSet = item(mnuFile, "mnuDefaultSet", QStringLiteral("&Default  Setup"),
                         [this] { mnuDefaultSet_Click(); });
    mnuOpen = item(mnuFile, "mnuOpen", QStringLiteral("&Open Setup"), [this] { mnuOpen_Click(); });
    mnuSave = item(mnuFile, "mnuSave", QStringLiteral("&Save Setup"), [this] { mnuSave_Click(); });
    mnuSaveAs = item(mnuFile, "mnuSaveAs", QStringLiteral("Save Setup &As"),
                     [this] { mnuSaveAs_Click(); });
    mnuF2Sep = mnuFile->addSeparator();
    mnuF2Sep->setObjectName(QStringLiteral("mnuF2Sep"));
    mnuExit = item(mnuFile, "mnuExit", QStringLiteral("E&xit"), [this] { mnuExit_Click(); });

    mnuCounter = heading("mnuCounter", QStringLiteral("&Counter"));
    mnuGet = item(mnuCounter, "mnuGet", QStringLiteral("&Get Setup"), [this] { mnuGet_Click(); });
    mnuPut = item(mnuCounter, "mnuPut", QStringLiteral("&Put Setup"), [this] { mnuPut_Click(); });

    mnuView = heading("mnuView", QStringLiteral("&View"));
    mnuSetup = item(mnuView, "mnuSetup", QStringLiteral("&Setup"), [this] { mnuSetup_Click(); });
    mnuMenu = item(mnuView, "mnuMenu", QStringLiteral("&Menu"),
                   [this] { OpenWindow(QStringLiteral("frmCtrMenu"), false); });

    mnuCmds = heading("mnuCmds", QStringLiteral("Co&mmands"));
    mnuCmdsGo = item(mnuCmds, "mnuCmdsGo", QStringLiteral("Comman&ds"), [this] {
        OpenWindow(QStringLiteral("frmCmds"), true);
    });

    mnuMRdgs = heading("mnuMRdgs", QStringLiteral("&Readings"));
    mnuList = item(mnuMRdgs, "mnuList", QStringLiteral("&List"),
                   [this] { OpenWindow(QStringLiteral("frmList"), true); });
    mnuPlot = item(mnuMRdgs, "mnuPlot", QStringLiteral("&Plot"),
                   [this] { OpenWindow(QStringLiteral("frmPlot"), true); });
    mnuGraph = item(mnuMRdgs, "mnuGraph", QStringLiteral("&Graph"),
                    [this] { OpenWindow(QStringLiteral("frmGRAPH"), true); });

    mnuCalib = heading("mnuCalib", QStringLiteral("Cali&bration"));
    mnuCalibGo = item(mnuCalib, "mnuCalibGo", QStringLiteral("Calibra&tion"),
                      [this] { OpenWindow(QStringLiteral("frmCalib"), true); });

    mnuJmps = heading("mnuJmps", QStringLiteral("&Jumpers"));
    struct Board {
        QAction** action;
        const char* name;
        const char* caption;
        const char* window;
        bool hideMenu;
    };
    const Board boards[] = {
        {&mnuDual, "mnuDual", "&Dual S/C", "frmJDSC", true},
        {&mnuDualG, "mnuDualG", "Dual S/C &G", "frmJDSCG", true},
        {&mnuVFConv, "mnuVFConv", "&V-F Converter", "frmJVF", true},
        {&mnuVFConvE, "mnuVFConvE", "V-F Converter &E", "frmJVFE", true},
        {&mnuQuad, "mnuQuad", "&Quadrature", "frmJQuad", true},
        {&mnuQuadC, "mnuQuadC", "Quadrature Rev &C ", "frmJQuadC", true},
        {&mnuPS, "mnuPS", "Po&wer Supply", "frmJPS", false},
        {&mnuRS232F, "mnuRS232F", "RS232/485 Rev &F", "frmJRS232F", false},
        {&mnuRS232G, "mnuRS232G", "RS232  Rev &G", "frmJRS232G", false},
        {&mnuRS485G, "mnuRS485G", "RS485  Re&v G", "frmJRS485G", false},
    };
    for (const Board& b : boards) {
        const QString window = QLatin1String(b.window);
        const bool hideMenu = b.hideMenu;
        *b.action = item(mnuJmps, b.name, QLatin1String(b.caption),
                         [this, window, hideMenu] { OpenWindow(window, hideMenu); });
    }

    mnuMHelp = menuBar->addAction(QStringLiteral("&Help"));
    mnuMHelp->setObjectName(QStringLiteral("mnuMHelp"));
    connect(mnuMHelp, &QAction::triggered, this, [this] { mnuMHelp_Click(); });

    // Opening a heading is its click.
    connect(mnuFile, &QMenu::aboutToShow, this, [this] { mnuFile_Click(); });
    connect(mnuCounter, &QMenu::aboutToShow, this, [this] { mnuCounter_Click(); });
    connect(mnuView, &QMenu::aboutToShow, this, [this] { mnuView_Click(); });
    connect(mnuCmds, &QMenu::aboutToShow, this, [this] { mnuCmds_Click(); });
    connect(mnuMRdgs, &QMenu::aboutToShow, this, [this] { mnuMRdgs_Click(); });
    connect(mnuCalib, &QMenu::aboutToShow, this, [this] { mnuCalib_Click(); });
    connect(mnuJmps, &QMenu::aboutToShow, this, [this] { mnuJmps_Click(); });

    // Start states: the serial menus wait for the port, View and Put Setup
    // for a loaded setup, Commands for a setup read from the meter.
    SetHeadingEnabled(mnuCounter, false);
    mnuPut->setEnabled(false);
    SetHeadingEnabled(mnuView, false);
    SetHeadingEnabled(mnuCmds, false);
    SetHeadingEnabled(mnuMRdgs, false);
    SetHeadingEnabled(mnuCalib, false);
}

void frmMMenu::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    // The designed client area lies below the menu bar.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(platform::Px(ClientWidthTwips), platform::Px(ClientHeightTwips));
    layout->addWidget(client);

    picInitText = new HelpPrintArea(client);
    picInitText->setObjectName(QStringLiteral("picInitText"));
    picInitText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picInitText->setGeometry(TwipsRect(225, 360, 9240, 4695));
    picInitText->setFont(TimesBold(10.5));

    cmdMenuHelp = new QPushButton(QStringLiteral("Menu Help"), picInitText);
    cmdMenuHelp->setObjectName(QStringLiteral("cmdMenuHelp"));
    cmdMenuHelp->setGeometry(TwipsRect(4050, 3150, 1290, 390));
    cmdMenuHelp->setFont(TimesBold(9.75));
    platform::SetBackColor(cmdMenuHelp, 0x00D9D9D9);
    connect(cmdMenuHelp, &QPushButton::clicked, this, [this] { cmdMenuHelp_Click(); });

    cmdOK = new QPushButton(QStringLiteral("OK"), client);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(4200, 5520, 1095, 375));
    cmdOK->hide();
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    lblGPText = new QLabel(QStringLiteral("Getting data from the Counter."), client);
    lblGPText->setObjectName(QStringLiteral("lblGPText"));
    lblGPText->setGeometry(TwipsRect(3375, 5160, 3165, 915));
    lblGPText->setFont(TimesBold(12));
    lblGPText->setWordWrap(true);
    lblGPText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::SetBackColor(lblGPText, 0x00FFFFFF);
    lblGPText->hide();

    adjustSize();
}

// ---- activation, keys, closing ---------------------------------------------

void frmMMenu::Form_Activate()
{
    cmdMenuHelp->show();
    for (const char* name : UnloadOnActivate) {
        platform::Unload(QLatin1String(name));
        if (qstrcmp(name, "frmCtrMenu") == 0)
            CtrMenuLoaded = 0;
    }
    platform::SetMousePointer(this, MousePointer::Default);
    const bool portOpen = meterlink::AutoOpenPort != 0;
    SetHeadingEnabled(mnuCounter, portOpen);
    SetHeadingEnabled(mnuMRdgs, portOpen);
    SetHeadingEnabled(mnuCalib, portOpen);
}

void frmMMenu::Form_KeyDown(int& keyCode, int shift)
{
    Q_UNUSED(shift);
    if (keyCode != KeyF1)
        return;
    // When the help window's OK hides it, this window is active again and
    // its activation has run.
    ShowHelpModal();
}

void frmMMenu::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    mnuExit_Click();
}

void frmMMenu::mnuExit_Click()
{
    meterlink::ClosePort();
    platform::EndProgram();
}

// ---- text area -------------------------------------------------------------

void frmMMenu::cmdMenuHelp_Click()
{
    cmdMenuHelp->hide();
    picInitText->Cls();
    QList<HelpLine> lines;
    for (const QString& line : MenuHelpLines())
        lines.append(line.isEmpty() ? HelpLine() : HelpLine{{line, false}});
    picInitText->PrintLines(lines, TimesBold(10.5));
    HelpTopic = 3101;
    platform::SetMousePointer(this, MousePointer::Default);
    cmdOK->show();
    cmdOK->setFocus();
    lblGPText->hide();
}

void frmMMenu::cmdOK_Click()
{
    picInitText->Cls();
    cmdMenuHelp->show();
    cmdOK->hide();
}

// ---- headings --------------------------------------------------------------

void frmMMenu::HeadingOpened(int helpTopic)
{
    picInitText->Cls();
    cmdOK->hide();
    lblGPText->hide();
    HelpTopic = helpTopic;
}

void frmMMenu::mnuFile_Click() { HeadingOpened(3101); }
void frmMMenu::mnuCounter_Click() { HeadingOpened(3102); }
void frmMMenu::mnuView_Click() { HeadingOpened(3103); }
void frmMMenu::mnuCmds_Click() { HeadingOpened(3104); }
void frmMMenu::mnuMRdgs_Click() { HeadingOpened(3105); }
void frmMMenu::mnuCalib_Click() { HeadingOpened(1210); }
void frmMMenu::mnuJmps_Click() { HeadingOpened(3106); }

void frmMMenu::mnuMHelp_Click()
{
    picInitText->Cls();
    cmdOK->hide();
    platform::SetMousePointer(this, MousePointer::Hourglass);
    platform::Load<frmMHELP>()->Show();
    hide();
}

void frmMMenu::mnuSetup_Click()
{
    platform::SetMousePointer(this, MousePointer::Hourglass);
    QPointer<frmMMenu> self(this);
    pages::ShowSetupPage1();
    platform::Load(QStringLiteral("frmEntVal")); // loaded, not shown
    if (self)
        self->hide();
}

void frmMMenu::OpenWindow(const QString& name, bool hideMenu)
{
    // The windows behind these items register themselves by name; until a
    // window of that name exists the item does nothing. Loading is the
    // slow part (a window builds itself then), so the hourglass comes first.
    platform::SetMousePointer(this, MousePointer::Hourglass);
    platform::Form* window = platform::Load(name);
    if (!window) {
        platform::SetMousePointer(this, MousePointer::Default);
        return;
    }
    window->Show();
    if (hideMenu)
        hide();
    // A window that leaves the menu in sight must not leave it busy.
    platform::SetMousePointer(this, MousePointer::Default);
}

// ---- status line and outcomes ----------------------------------------------

void frmMMenu::ShowStatus(const QString& text, quint32 color)
{
    lblGPText->setText(text);
    platform::SetBackColor(lblGPText, color);
    lblGPText->show();
}

void frmMMenu::ApplyFileOutcome(const FileOutcome& outcome)
{
    if (outcome.loaded) {
        SetHeadingEnabled(mnuView, true);
        mnuPut->setEnabled(true);
    }
    if (outcome.showStatus)
        ShowStatus(outcome.statusText, outcome.statusColor);
}

void frmMMenu::ApplyTransfer(const TransferOutcome& outcome)
{
    if (outcome.result != TransferResult::Done && outcome.result != TransferResult::Failed)
        return; // refused, or the program is ending: nothing to show
    if (outcome.showStatus)
        ShowStatus(outcome.statusText, outcome.statusColor);
    if (outcome.enableCmds)
        SetHeadingEnabled(mnuCmds, true);
    if (outcome.enableView)
        SetHeadingEnabled(mnuView, true);
    if (outcome.enablePut)
        mnuPut->setEnabled(true);
    platform::SetMousePointer(this, MousePointer::Default);
}

TransferStarted frmMMenu::TransferShown()
{
    QPointer<frmMMenu> self(this);
    return [self](const QString& text, quint32 color) {
        if (!self)
            return;
        platform::SetMousePointer(self, MousePointer::Hourglass);
        self->ShowStatus(text, color);
    };
}

// The image must not change under a transfer that is reading or writing it.
bool frmMMenu::RefuseDuringTransfer()
{
    if (!meterlink::ExchangeBusy())
        return false;
    platform::Beep();
    return true;
}

// ---- File and Counter items ------------------------------------------------

void frmMMenu::mnuDefaultSet_Click()
{
    if (RefuseDuringTransfer())
        return;
    ApplyFileOutcome(LoadDefaultSetup());
}

void frmMMenu::mnuOpen_Click()
{
    if (RefuseDuringTransfer())
        return;
    ApplyFileOutcome(OpenSetupFile(this, meterlink::ProgramFolder()));
}

void frmMMenu::mnuSave_Click()
{
    if (RefuseDuringTransfer())
        return;
    ApplyFileOutcome(SaveSetupFile(this, meterlink::ProgramFolder()));
}

void frmMMenu::mnuSaveAs_Click()
{
    if (RefuseDuringTransfer())
        return;
    ApplyFileOutcome(SaveSetupFileAs(this, meterlink::ProgramFolder()));
}

void frmMMenu::mnuGet_Click()
{
    if (meterlink::PortLost()) {
        platform::Beep();
        return;
    }
    QPointer<frmMMenu> self(this);
    const TransferOutcome outcome = GetSetup(TransferShown());
    if (self)
        self->ApplyTransfer(outcome);
}

void frmMMenu::mnuPut_Click()
{
    if (meterlink::PortLost()) {
        platform::Beep();
        return;
    }
    QPointer<frmMMenu> self(this);
    const TransferOutcome outcome = PutSetup(TransferShown(), this);
    if (self)
        self->ApplyTransfer(outcome);
}

} // namespace mainmenu
