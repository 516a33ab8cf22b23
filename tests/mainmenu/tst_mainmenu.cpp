// The main menu window: captions and start states of the menu bar, what
// loading a setup and Get Setup enable, the activation's unload list (also
// after the modal help window closes), the Menu Help text, heading clicks,
// the Help heading's page, and the close box ending the program.

#include "support/FormTestKit.h"
#include "link/CommControl.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "mainmenu/HelpPrintArea.h"
#include "mainmenu/MenuState.h"
#include "mainmenu/SetupFiles.h"
#include "mainmenu/frmAppHelp.h"
#include "mainmenu/frmMHELP.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "support/CounterMeter.h"
#include "support/LinkTestKit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace mainmenu;
using platform::MousePointer;

using emu::Settle;
using emu::OtherWindow;

namespace {

class CountingMenu : public frmMMenu {
public:
    int activations = 0;
    void Form_Activate() override
    {
        ++activations;
        frmMMenu::Form_Activate();
    }
};

QStringList PrintedText(const HelpPrintArea* area)
{
    QStringList lines;
    for (const auto& line : area->printed()) {
        QString text;
        for (const HelpRun& run : line.runs)
            text += run.text;
        lines << text;
    }
    return lines;
}

bool HeadingEnabled(const QMenu* m)
{
    return m->isEnabled() && m->menuAction()->isEnabled();
}

} // namespace

class TstMainMenu : public QObject {
    Q_OBJECT

    frmMMenu* menu = nullptr;

    frmMMenu* ShowMenu()
    {
        menu = platform::Load<frmMMenu>();
        menu->Show();
        Settle();
        return menu;
    }

private slots:
    void initTestCase()
    {
        platform::InstallFontSubstitutions();
        setup::InitTables();
    }
    void init()
    {
        meterlink::AutoOpenPort = 0;
        SetSetupLoaded(false);
        HelpTopic = 0;
        CtrMenuLoaded = 0;
    }
    void cleanup()
    {
        platform::SetMsgAnswerer({});
        platform::CloseAllForms();
        Settle();
        emu::StopLink();
        meterlink::SetProgramFolder(QString());
        menu = nullptr;
    }

    void captions_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items"); // captions, "-" a separator
        QTest::newRow("File") << "mnuFile" << "&File"
                              << QStringList{"&Default  Setup", "&Open Setup", "&Save Setup",
                                             "Save Setup &As", "-", "E&xit"};
        QTest::newRow("Counter") << "mnuCounter" << "&Counter"
                                 << QStringList{"&Get Setup", "&Put Setup"};
        QTest::newRow("View") << "mnuView" << "&View" << QStringList{"&Setup", "&Menu"};
        QTest::newRow("Commands") << "mnuCmds" << "Co&mmands" << QStringList{"Comman&ds"};
        QTest::newRow("Readings") << "mnuMRdgs" << "&Readings"
                                  << QStringList{"&List", "&Plot", "&Graph"};
        QTest::newRow("Calibration") << "mnuCalib" << "Cali&bration"
                                     << QStringList{"Calibra&tion"};
        QTest::newRow("Jumpers")
            << "mnuJmps" << "&Jumpers"
            << QStringList{"&Dual S/C",        "Dual S/C &G",  "&V-F Converter",
                           "V-F Converter &E", "&Quadrature",  "Quadrature Rev &C ",
                           "Po&wer Supply",    "RS232/485 Rev &F", "RS232  Rev &G",
                           "RS485  Re&v G"};
    }
    void captions()
    {
        QFETCH(QString, heading);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        frmMMenu* w = ShowMenu();
        auto* m = w->findChild<QMenu*>(heading);
        QVERIFY(m);
        QCOMPARE(m->title(), caption);
        QStringList got;
        for (QAction* a : m->actions())
            got << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(got, items);
    }

    void windowAndBar()
    {
        frmMMenu* w = ShowMenu();
        QCOMPARE(w->windowTitle(), QStringLiteral("COUNTER MAIN  MENU"));
        QStringList bar;
        for (QAction* a : w->menuBar->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"&File", "&Counter", "&View", "Co&mmands", "&Readings",
                                   "Cali&bration", "&Jumpers", "&Help"}));
        QVERIFY(!w->mnuMHelp->menu()); // a command, not a heading
        QCOMPARE(w->findChild<QWidget*>("clientArea")->size(), QSize(792, 527));
        QCOMPARE(w->picInitText->geometry(), QRect(15, 24, 616, 313));
        QCOMPARE(w->cmdMenuHelp->parentWidget(), w->picInitText);
        QVERIFY(w->cmdMenuHelp->isVisible());
        QVERIFY(!w->cmdOK->isVisible());
        QVERIFY(!w->lblGPText->isVisible());
        QCOMPARE(w->lblGPText->text(), QStringLiteral("Getting data from the Counter."));
        QCOMPARE(platform::BackColor(w->lblGPText), 0x00FFFFFFu);
        QCOMPARE(platform::BackColor(w->cmdMenuHelp), 0x00D9D9D9u);
        QVERIFY(w->KeyPreview());
    }

    void startStates_data()
    {
        QTest::addColumn<int>("autoOpen");
        QTest::addColumn<bool>("serial");
        QTest::newRow("port closed") << 0 << false;
        QTest::newRow("port opened at start") << 1 << true;
    }
    void startStates()
    {
        QFETCH(int, autoOpen);
        QFETCH(bool, serial);
        meterlink::AutoOpenPort = autoOpen;
        frmMMenu* w = ShowMenu();
        QVERIFY(HeadingEnabled(w->mnuFile));
        QVERIFY(HeadingEnabled(w->mnuJmps));
        QVERIFY(w->mnuMHelp->isEnabled());
        QCOMPARE(HeadingEnabled(w->mnuCounter), serial);
        QCOMPARE(HeadingEnabled(w->mnuMRdgs), serial);
        QCOMPARE(HeadingEnabled(w->mnuCalib), serial);
        QVERIFY(w->mnuGet->isEnabled());
        QVERIFY(!w->mnuPut->isEnabled());
        QVERIFY(!HeadingEnabled(w->mnuView));
        QVERIFY(!HeadingEnabled(w->mnuCmds));

        // The serial headings follow the setting on every activation.
        meterlink::AutoOpenPort = serial ? 0 : 1;
        w->hide();
        w->Show();
        Settle();
        QCOMPARE(HeadingEnabled(w->mnuCounter), !serial);
        QCOMPARE(HeadingEnabled(w->mnuCalib), !serial);
    }

    void defaultSetupEnablesViewAndPut()
    {
        frmMMenu* w = ShowMenu();
        w->mnuDefaultSet->trigger();
        QVERIFY(HeadingEnabled(w->mnuView));
        QVERIFY(w->mnuPut->isEnabled());
        QVERIFY(!HeadingEnabled(w->mnuCmds));
        QVERIFY(w->lblGPText->isVisible());
        QCOMPARE(w->lblGPText->text(),
                 QStringLiteral("Default Setup data loaded into the 3-Page Form."));
        QCOMPARE(platform::BackColor(w->lblGPText), setup::ColorWhite);
        QCOMPARE(setup::SetupChars, QStringLiteral("25030D0008000D00"));
    }

    // The Help heading's page goes by OK or by its close box: either way
    // the main menu comes back and its activation unloads the page too.
    void activationUnloadsListedWindowsOnly_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("page OK") << false;
        QTest::newRow("page close box") << true;
    }
    void activationUnloadsListedWindowsOnly()
    {
        QFETCH(bool, closeBox);
        frmMMenu* w = ShowMenu();
        const QStringList listed{"frmCtrMenu", "frmCmds", "frmList",  "frmPlot", "frmGRAPH",
                                 "frmCalib",   "frmJDSC", "frmJVF",   "frmJQuad"};
        const QStringList kept{"frmJPS",   "frmJRS232F", "frmJRS232G", "frmJRS485G",
                               "frmJDSCG", "frmJVFE",    "frmJQuadC",  "frmSetup1"};
        for (const QString& name : listed + kept)
            new OtherWindow(name);
        CtrMenuLoaded = 1;
        w->cmdMenuHelp->click();
        w->mnuMHelp->trigger();
        Settle();
        frmMHELP* page = platform::Find<frmMHELP>();
        QVERIFY(!w->isVisible());
        QVERIFY(page && page->isVisible());
        QCOMPARE(HelpTopic, 3101);
        QVERIFY(PrintedText(w->picInitText).isEmpty());
        QVERIFY(!w->cmdOK->isVisible());
        QCOMPARE(platform::GetMousePointer(w), MousePointer::Hourglass);
        if (closeBox)
            page->close();
        else
            page->cmdMHelp()->click();
        Settle();
        QVERIFY(w->isVisible());
        for (const QString& name : listed)
            QVERIFY2(!platform::IsLoaded(name), qPrintable(name));
        for (const QString& name : kept)
            QVERIFY2(platform::IsLoaded(name), qPrintable(name));
        QVERIFY(!platform::IsLoaded("frmMHELP"));
        QCOMPARE(CtrMenuLoaded, 0);
        QCOMPARE(platform::GetMousePointer(w), MousePointer::Default);
    }

    void f1ShowsHelpModalAndReactivatesOnce()
    {
        auto* w = new CountingMenu;
        menu = platform::Load<frmMMenu>();
        QCOMPARE(menu, w);
        w->Show();
        Settle();
        QCOMPARE(w->activations, 1);
        w->mnuJmps_Click();
        QCOMPARE(HelpTopic, 3106);
        new OtherWindow("frmCmds"); // opened meanwhile; gone once the menu is active again
        bool shown = false;
        int menuMeanwhile = -1;
        QTimer::singleShot(50, w, [&] {
            frmAppHelp* help = platform::Find<frmAppHelp>();
            if (!help)
                return;
            shown = help->isVisible() && help->IsShownModal()
                    && !help->textArea()->printed().isEmpty();
            menuMeanwhile = w->activations;
            help->cmdOK()->click();
        });
        QTest::keyClick(w->windowHandle(), Qt::Key_F1);
        QVERIFY(shown);
        QCOMPARE(menuMeanwhile, 1);
        QCOMPARE(w->activations, 2); // by the time F1's handler is done
        QVERIFY(!platform::IsLoaded("frmCmds"));
        Settle();
        QCOMPARE(w->activations, 2); // and not again later
        QVERIFY(platform::IsLoaded<frmAppHelp>());
        QVERIFY(!platform::Find<frmAppHelp>()->isVisible());

        // Other keys do nothing.
        new OtherWindow("frmCmds");
        QTest::keyClick(w->windowHandle(), Qt::Key_F2);
        QVERIFY(platform::IsLoaded("frmCmds"));
        QCOMPARE(w->activations, 2);
    }

    void menuHelpText()
    {
        frmMMenu* w = ShowMenu();
        w->mnuDefaultSet->trigger(); // status line up
        w->cmdMenuHelp->click();
        const QStringList expected{
            "    If the Main Menu is reached without establishing communications, then click on 'File'",
            "    to load Setup data to the program from either",
            "         1. A Default Setup file furnished with the program, or",
            "         2. A previously saved Setup file.",
            "    Once a Setup file is loaded, the View menu item becomes active to allow viewing the",
            "    Setup data.  Since communications has not been established, the 'Counter', 'Commands'",
            "    and 'Readings' Menu items are not active.",
            "",
            "    If the Main Menu is reached after establishing communications, then in addition to the",
            "    above two methods, a common choice for loading Setup data to the program is to",
            "         3. Click on the 'Counter' menu item and select 'Get Setup' to load the Setup data",
            "             currently in the Counter.",
            "    If Setup data is loaded to the program by method 3, the 'Commands' menu item becomes active.",
            "    'Counter' and 'Readings' Menu items become active immediately because communications is",
            "    established.",
            "",
            "    Click a Menu heading on and off, then press the F1 key for specific information.",
            "    When ready to exit program, click on File and select Exit.",
        };
        QCOMPARE(PrintedText(w->picInitText), expected);
        QCOMPARE(HelpTopic, 3101);
        QVERIFY(!w->cmdMenuHelp->isVisible());
        QVERIFY(w->cmdOK->isVisible());
        QVERIFY(!w->lblGPText->isVisible());

        w->cmdOK->click();
        QVERIFY(PrintedText(w->picInitText).isEmpty());
        QVERIFY(w->cmdMenuHelp->isVisible());
        QVERIFY(!w->cmdOK->isVisible());
    }

    void headingClicks_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("topic");
        QTest::newRow("File") << "mnuFile" << 3101;
        QTest::newRow("Counter") << "mnuCounter" << 3102;
        QTest::newRow("View") << "mnuView" << 3103;
        QTest::newRow("Commands") << "mnuCmds" << 3104;
        QTest::newRow("Readings") << "mnuMRdgs" << 3105;
        QTest::newRow("Calibration") << "mnuCalib" << 1210;
        QTest::newRow("Jumpers") << "mnuJmps" << 3106;
    }
    void headingClicks()
    {
        QFETCH(QString, heading);
        QFETCH(int, topic);
        meterlink::AutoOpenPort = 1;
        frmMMenu* w = ShowMenu();
        w->cmdMenuHelp->click(); // text shown, OK up, Menu Help button hidden
        w->lblGPText->show();
        auto* m = w->findChild<QMenu*>(heading);
        m->popup(w->mapToGlobal(QPoint(10, 10)));
        Settle();
        m->hide();
        QCOMPARE(HelpTopic, topic);
        QVERIFY(PrintedText(w->picInitText).isEmpty());
        QVERIFY(!w->cmdOK->isVisible());
        QVERIFY(!w->lblGPText->isVisible());
        QVERIFY(!w->cmdMenuHelp->isVisible()); // left as it was
    }

    void getFromSilentMeterEnablesNothing()
    {
        emu::MeterEmulator line;
        emu::MessageCatcher messages;
        QVERIFY(emu::StartLink(line));
        frmMMenu* w = ShowMenu();
        w->mnuGet->trigger();
        QCOMPARE(w->lblGPText->text(),
                 QStringLiteral("Failed to Get data, check connections and restart program."));
        QVERIFY(w->lblGPText->isVisible());
        QCOMPARE(platform::BackColor(w->lblGPText), setup::ColorRed);
        QVERIFY(!HeadingEnabled(w->mnuView));
        QVERIFY(!HeadingEnabled(w->mnuCmds));
        QVERIFY(!w->mnuPut->isEnabled());
        QVERIFY(!SetupLoaded);
        QCOMPARE(setup::SetupA, QString(108, '0')); // the image is untouched
        QCOMPARE(platform::GetMousePointer(w), MousePointer::Default);
        QVERIFY(messages.texts.isEmpty());
    }

    void getEnablesCommandsViewAndPut()
    {
        emu::MeterEmulator line;
        emu::CounterMeter meter(line);
        emu::MessageCatcher messages;
        QVERIFY(emu::StartLink(line));
        frmMMenu* w = ShowMenu();

        // While the transfer waits, neither a second one nor a file item may
        // touch the image.
        const int beeps = platform::BeepCount();
        QString statusMeanwhile;
        MousePointer pointerMeanwhile = MousePointer::Default;
        QTimer::singleShot(300, [&] {
            statusMeanwhile = w->lblGPText->text();
            pointerMeanwhile = platform::GetMousePointer(w);
            w->mnuGet->trigger();
            w->mnuDefaultSet->trigger();
        });
        w->mnuGet->trigger();

        QCOMPARE(statusMeanwhile, QStringLiteral("Getting data from the Counter"));
        QCOMPARE(pointerMeanwhile, MousePointer::Hourglass);
        QCOMPARE(platform::BeepCount(), beeps + 2);
        QCOMPARE(w->lblGPText->text(),
                 QStringLiteral("Getting data from the Counter.  Data received O.K."));
        QCOMPARE(platform::BackColor(w->lblGPText), setup::ColorGreen);
        QVERIFY(HeadingEnabled(w->mnuCmds));
        QVERIFY(HeadingEnabled(w->mnuView));
        QVERIFY(w->mnuPut->isEnabled());
        QVERIFY(SetupLoaded);
        QCOMPARE(setup::SetupA, QString::fromLatin1(meter.image().a));
        QCOMPARE(platform::GetMousePointer(w), MousePointer::Default);
        int gets = 0;
        for (const auto& f : line.frames())
            gets += f.command == "XR1AZ";
        QCOMPARE(gets, 1);

        // Stays enabled across activations.
        w->hide();
        w->Show();
        Settle();
        QVERIFY(HeadingEnabled(w->mnuCmds));
        QVERIFY(w->mnuPut->isEnabled());
    }

    // Last: ending the program cannot be undone within the run.
    void closeBoxEndsProgram()
    {
        emu::MeterEmulator line;
        emu::MessageCatcher messages;
        QVERIFY(emu::StartLink(line));
        frmMMenu* w = ShowMenu();
        w->close();
        QVERIFY(platform::ProgramEnding());
        QVERIFY(meterlink::Quitting());
        QVERIFY(!meterlink::Commx().PortOpen());
    }
};

QTEST_MAIN(TstMainMenu)
#include "tst_mainmenu.moc"
