// The main menu window: its texts, what the port and a loaded setup enable,
// the activation's unload list, F1 help, the Help heading's page.

#include "support/FormTestKit.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "help/HelpPrintArea.h"
#include "mainmenu/MenuState.h"
#include "help/frmAppHelp.h"
#include "mainmenu/frmMHELP.h"
#include "mainmenu/frmMMenu.h"
#include "platform/MessageBox.h"
#include "setup/SetupImage.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace mainmenu;
using help::frmAppHelp;
using emu::OtherWindow;
using emu::Settle;

namespace {

class CountingMenu : public frmMMenu {
public:
    int activations = 0;
    void Form_Activate() override { ++activations, frmMMenu::Form_Activate(); }
};

// The enabled headings, and "Put" when Put Setup is enabled.
QString Enabled(const frmMMenu* w)
{
    QStringList on;
    for (QAction* a : w->menuBar->actions())
        if (a->isEnabled() && (!a->menu() || a->menu()->isEnabled()))
            on << QString(a->text()).remove('&');
    return (on << (w->mnuPut->isEnabled() ? "Put" : "")).join(' ').trimmed();
}

frmMMenu* ShowMenu()
{
    frmMMenu* w = platform::Load<frmMMenu>();
    w->Show();
    Settle();
    return w;
}

} // namespace

class TstMainMenu : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        meterlink::AutoOpenPort = 0;
        SetSetupLoaded(false);
        HelpTopic = 0;
    }
    void cleanup()
    {
        platform::CloseAllForms();
        Settle();
    }

    void captions()
    {
        QStringList menus;
        for (QAction* heading : ShowMenu()->menuBar->actions()) {
            QStringList items;
            for (QAction* a : heading->menu() ? heading->menu()->actions() : QList<QAction*>())
                items << (a->isSeparator() ? "-" : a->text());
            menus << heading->text() + ": " + items.join(", ");
        }
        QCOMPARE(menus, (QStringList{
            "&File: &Default  Setup, &Open Setup, &Save Setup, Save Setup &As, -, E&xit",
            "&Counter: &Get Setup, &Put Setup", "&View: &Setup, &Menu", "Co&mmands: Comman&ds",
            "&Readings: &List, &Plot, &Graph", "Cali&bration: Calibra&tion",
            "&Jumpers: &Dual S/C, Dual S/C &G, &V-F Converter, V-F Converter &E, &Quadrature, "
            "Quadrature Rev &C , Po&wer Supply, RS232/485 Rev &F, RS232  Rev &G, RS485  Re&v G",
            "&Help: "}));
    }

    // The serial headings follow the port on every activation; a setup
    // from a file enables View and Put Setup, not Commands.
    void menuStates()
    {
        frmMMenu* w = ShowMenu();
        QCOMPARE(Enabled(w), "File Jumpers Help");
        meterlink::AutoOpenPort = 1;
        w->hide();
        w->Show();
        Settle();
        QCOMPARE(Enabled(w), "File Counter Readings Calibration Jumpers Help");
        {
            meterlink::ExchangeGuard transfer; // the image must not change under it
            const int beeps = platform::BeepCount();
            w->mnuDefaultSet->trigger();
            QVERIFY(platform::BeepCount() == beeps + 1 && !SetupLoaded);
        }
        w->mnuDefaultSet->trigger();
        QCOMPARE(Enabled(w), "File Counter View Readings Calibration Jumpers Help Put");
        QCOMPARE(setup::SetupChars, "25030D0008000D00");
        QVERIFY(w->lblGPText->isVisible());
        QCOMPARE(w->lblGPText->text(), "Default Setup data loaded into the 3-Page Form.");
    }

    // The Help heading's page goes by OK or by its close box; either way the
    // main menu comes back and its activation unloads the page too.
    void helpPageAndActivation()
    {
        const QStringList listed{"frmCtrMenu", "frmCmds", "frmList", "frmPlot", "frmGRAPH", "frmCalib", "frmJDSC", "frmJVF", "frmJQuad"};
        const QStringList kept{"frmJPS", "frmJRS232F", "frmJRS232G", "frmJRS485G", "frmJDSCG", "frmJVFE", "frmJQuadC", "frmSetup1"};
        frmMMenu* w = ShowMenu();
        for (bool closeBox : {false, true}) {
            for (const QString& name : listed + kept)
                if (!platform::IsLoaded(name))
                    new OtherWindow(name);
            CtrMenuLoaded = 1;
            w->mnuMHelp->trigger();
            Settle();
            frmMHELP* page = platform::Find<frmMHELP>();
            QVERIFY(!w->isVisible() && page && page->isVisible());
            QCOMPARE(HelpTopic, 3101);
            closeBox ? void(page->close()) : page->cmdMHelp()->click();
            Settle();
            QVERIFY(w->isVisible());
            for (const QString& name : listed + QStringList{"frmMHELP"})
                QVERIFY2(!platform::IsLoaded(name), qPrintable(name));
            for (const QString& name : kept)
                QVERIFY2(platform::IsLoaded(name), qPrintable(name));
            QCOMPARE(CtrMenuLoaded, 0);
        }
    }

    // Shown modal; when its OK hides it the menu's activation has run, once.
    void f1ShowsHelpModal()
    {
        auto* w = new CountingMenu;
        w->Show();
        Settle();
        int meanwhile = -1;
        QTimer::singleShot(50, w, [&] {
            frmAppHelp* help = platform::Find<frmAppHelp>();
            meanwhile = help && help->isVisible() && help->IsShownModal() ? w->activations : -2;
            if (help)
                help->cmdOK()->click();
        });
        QTest::keyClick(w->windowHandle(), Qt::Key_F1);
        QCOMPARE(meanwhile, 1);
        QCOMPARE(w->activations, 2);
        Settle();
        QCOMPARE(w->activations, 2);
    }

    void menuHelpAndHeadings()
    {
        frmMMenu* w = ShowMenu();
        w->mnuDefaultSet->trigger(); // the status line is up
        w->cmdMenuHelp->click();
        QStringList text;
        for (const auto& line : w->picInitText->printed())
            text << (line.runs.isEmpty() ? QString() : line.runs[0].text);
        QCOMPARE(text.join('\n'), QStringLiteral(R"(    If the Main Menu is reached without establishing communications, then click on 'File'
    to load Setup data to the program from either
         1. A Default Setup file furnished with the program, or
         2. A previously saved Setup file.
    Once a Setup file is loaded, the View menu item becomes active to allow viewing the
    Setup data.  Since communications has not been established, the 'Counter', 'Commands'
    and 'Readings' Menu items are not active.

    If the Main Menu is reached after establishing communications, then in addition to the
    above two methods, a common choice for loading Setup data to the program is to
         3. Click on the 'Counter' menu item and select 'Get Setup' to load the Setup data
             currently in the Counter.
    If Setup data is loaded to the program by method 3, the 'Commands' menu item becomes active.
    'Counter' and 'Readings' Menu items become active immediately because communications is
    established.

    Click a Menu heading on and off, then press the F1 key for specific information.
    When ready to exit program, click on File and select Exit.)"));
        QVERIFY(w->cmdOK->isVisible() && !w->cmdMenuHelp->isVisible() && !w->lblGPText->isVisible());

        // Opening a heading clears the text and sets the topic for F1.
        const QList<QPair<QMenu*, int>> headings{{w->mnuFile, 3101}, {w->mnuCounter, 3102}, {w->mnuView, 3103},
            {w->mnuCmds, 3104}, {w->mnuMRdgs, 3105}, {w->mnuCalib, 1210}, {w->mnuJmps, 3106}};
        for (const auto& [menu, topic] : headings) {
            menu->popup(w->mapToGlobal(QPoint(10, 10)));
            Settle();
            menu->hide();
            QCOMPARE(HelpTopic, topic);
        }
        QVERIFY(w->picInitText->printed().isEmpty() && !w->cmdOK->isVisible());
    }
};

QTEST_MAIN(TstMainMenu)
#include "tst_mainmenu.moc"
