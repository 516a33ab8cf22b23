// Help topics: the generated files, the look-up and its refusals, the "$"
// emphasis, and the two help windows: activation, OK and its stand-ins, the
// modal showing.

#include "support/FormTestKit.h"
#include "mainmenu/HelpBuild.h"
#include "mainmenu/HelpFiles.h"
#include "mainmenu/HelpPrintArea.h"
#include "mainmenu/HelpViewer.h"
#include "mainmenu/MenuState.h"
#include "mainmenu/frmAppHelp.h"
#include "mainmenu/frmMHELP.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "setup/Conventions.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace mainmenu;

using emu::Settle;
using emu::OtherWindow;

namespace {

// Runs as "plain|*bold*|plain", lines joined by " / ".
QString Show(const QList<HelpRun>& runs)
{
    QStringList parts;
    for (const HelpRun& r : runs)
        parts.append(r.emphasised ? QLatin1Char('*') + r.text + QLatin1Char('*') : r.text);
    return parts.join(QLatin1Char('|'));
}

QString Show(const QList<HelpLine>& lines)
{
    QStringList parts;
    for (const HelpLine& l : lines)
        parts.append(Show(l));
    return parts.join(QStringLiteral(" / "));
}

QByteArray Index(std::initializer_list<HelpIndex> records)
{
    QByteArray bytes;
    for (const HelpIndex& r : records)
        bytes.append(EncodeHelpIndex(r));
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString AppFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../app"));
}

class CountingHelp : public frmAppHelp {
public:
    int activations = 0;
    void Form_Activate() override
    {
        ++activations;
        frmAppHelp::Form_Activate();
    }
};

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        HelpTopic = 0;
        CtrMenuLoaded = 0;
        SetHelpFolder(QString());
        ResetMenuViewGrid = nullptr;
    }
    void cleanup()
    {
        platform::CloseAllForms();
        Settle();
    }

    void emphasis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("runs");
        QTest::newRow("no marks") << "plain" << "plain";
        QTest::newRow("one pair") << "A$B$C" << "A|*B*|C";
        QTest::newRow("pair at the ends") << "$B$" << "|*B*|";
        QTest::newRow("two pairs") << "$A$ and $B$." << "|*A*| and |*B*|.";
        QTest::newRow("one mark opens nothing") << "A$B" << "A|B";
        QTest::newRow("three marks: last plain") << "A$B$C$D" << "A|*B*|C|D";
        QTest::newRow("empty pair") << "x$$y" << "x|**|y";
    }
    void emphasis()
    {
        QFETCH(QString, text);
        QFETCH(QString, runs);
        QCOMPARE(Show(SplitEmphasis(text)), runs);
    }

    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("raw");
        QTest::addColumn<QString>("lines");
        QTest::newRow("one line") << "A$B$C" << false << "A|*B*|C";
        QTest::newRow("emphasis across a line end") << "A$B\r\nC$D" << false << "A|*B* / *C*|D";
        QTest::newRow("empty line kept") << "A\r\n\r\nB" << false << "A /  / B";
        QTest::newRow("lone LF and CR") << "A\nB\rC" << false << "A / B / C";
        QTest::newRow("ascii table raw") << "$ 36\r\n% 37" << true << "$ 36 / % 37";
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(bool, raw);
        QFETCH(QString, lines);
        QCOMPARE(Show(HelpTextLines(text, raw)), lines);
    }

    void plainTextForLabels()
    {
        QCOMPARE(PlainHelpText("$Power$ supply\r\nline 2"), QString(" Power  supply\nline 2"));
    }

    // The source file format, byte for byte, and back through the look-up.
    void generatorRoundTrip()
    {
        const QString source = "preamble, ignored\n"
                               "@@ 1101 First\n"
                               "\n"
                               "AB   \n"
                               "$C$\n"
                               "\n"
                               "@@ 1103\r\n"
                               "X\r\n"
                               "@@ 3102 another group\n"
                               "caf\u00e9 \u00b5s\n";
        QStringList errors;
        const QList<HelpSourceTopic> topics = ParseHelpSource(source, &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        const QList<HelpGroupFiles> groups = BuildHelpFiles(topics);
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups[0].group, 11);
        QCOMPARE(groups[0].text, QByteArray("AB\r\n$C$\r\nX\r\n"));
        QCOMPARE(groups[0].index, QByteArray::fromHex("010000000700" "000000000000" "0a0000000100"));
        QCOMPARE(groups[1].group, 31);
        QCOMPARE(groups[1].index.size(), 2 * HelpIndexSize);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString sourcePath = dir.filePath("topics.txt");
        WriteFile(sourcePath, source.toUtf8());
        QVERIFY(GenerateHelpFiles(sourcePath, dir.path(), &errors));
        QVERIFY(QFile::exists(dir.filePath("Help11.S10")) && QFile::exists(dir.filePath("Help31.R10")));

        QCOMPARE(ReadHelpTopic(dir.path(), 1101), std::optional<QString>("AB\r\n$C$"));
        QCOMPARE(ReadHelpTopic(dir.path(), 1103), std::optional<QString>("X"));
        QCOMPARE(ReadHelpTopic(dir.path(), 3102), std::optional<QString>("caf\u00e9 \u00b5s"));
        QCOMPARE(HelpTopicText(dir.path(), 1102), NoHelpText); // gap in the index
        QCOMPARE(HelpTopicText(dir.path(), 1104), NoHelpText); // past the index
    }

    void generatorRefuses_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("line");
        QTest::newRow("no number") << "@@ first\ntext" << "line 1:";
        QTest::newRow("below the groups") << "@@ 999\ntext" << "line 1:";
        QTest::newRow("record 0") << "@@ 1200\ntext" << "line 1:";
        QTest::newRow("twice") << "@@ 1201\na\n@@ 1201\nb" << "line 3:";
        QTest::newRow("no text") << "@@ 1201\n\n@@ 1202\nb" << "line 1:";
        QTest::newRow("tab") << "@@ 1201\na\tb" << "line 2:";
        QTest::newRow("not Latin-1") << "@@ 1201\n\u2013" << "line 2:";
    }
    void generatorRefuses()
    {
        QFETCH(QString, source);
        QFETCH(QString, line);
        QStringList errors;
        ParseHelpSource(source, &errors);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(line), qPrintable(errors.first()));

        QTemporaryDir dir;
        WriteFile(dir.filePath("topics.txt"), source.toUtf8());
        errors.clear();
        QVERIFY(!GenerateHelpFiles(dir.filePath("topics.txt"), dir.path(), &errors));
        QVERIFY(!QFile::exists(dir.filePath("Help12.S10")));
    }

    // Broken or missing files give the no-help text, never a read outside.
    void lookupRefuses_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("expected");
        const QByteArray good = Index({{1, 5}, {8, 3}});
        QTest::newRow("good record 1") << good << 4401 << "Hello";
        QTest::newRow("good record 2") << good << 4402 << "Bye";
        QTest::newRow("topic 0") << good << 0 << NoHelpText;
        QTest::newRow("record 0") << good << 4400 << NoHelpText;
        QTest::newRow("beyond the index") << good << 4403 << NoHelpText;
        QTest::newRow("no file for the group") << good << 4501 << NoHelpText;
        QTest::newRow("negative topic") << good << -5599 << NoHelpText;
        QTest::newRow("group beyond 99") << good << 14401 << NoHelpText;
        QTest::newRow("short last record") << good.left(10) << 4402 << NoHelpText;
        QTest::newRow("length 0") << Index({{1, 0}}) << 4401 << NoHelpText;
        QTest::newRow("negative length") << Index({{1, -3}}) << 4401 << NoHelpText;
        QTest::newRow("length past the end") << Index({{10, 4}}) << 4401 << NoHelpText;
        QTest::newRow("offset 0") << Index({{0, 3}}) << 4401 << NoHelpText;
        QTest::newRow("negative offset") << Index({{-100, 3}}) << 4401 << NoHelpText;
        QTest::newRow("offset past the end") << Index({{0x7fffffff, 3}}) << 4401 << NoHelpText;
    }
    void lookupRefuses()
    {
        QFETCH(QByteArray, index);
        QFETCH(int, topic);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        WriteFile(dir.filePath("Help44.S10"), "Hello\r\nBye\r\n");
        WriteFile(dir.filePath("Help44.R10"), index);
        QCOMPARE(HelpTopicText(dir.path(), topic), expected);
    }

    void lookupWithoutTextFile()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath("Help44.R10"), Index({{1, 5}}));
        QCOMPARE(HelpTopicText(dir.path(), 4401), NoHelpText);
    }

    // The files the build put beside the program hold this topics.
    void shippedTopics_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("File") << 3101 << "Save Setup As";
        QTest::newRow("Counter") << 3102 << "Display mode C";
        QTest::newRow("View") << 3103 << "three setup pages";
        QTest::newRow("Commands") << 3104 << "Remote Display";
        QTest::newRow("Readings") << 3105 << "Graph";
        QTest::newRow("Jumpers") << 3106 << "Power Supply";
        QTest::newRow("Calibration") << 1210 << "PPM";
    }
    void shippedTopics()
    {
        QFETCH(int, topic);
        QFETCH(QString, mentions);
        const std::optional<QString> text = ReadHelpTopic(AppFolder(), topic);
        QVERIFY2(text, qPrintable(QString("topic %1 missing from %2 (build the help-files target)")
                                      .arg(topic).arg(AppFolder())));
        QVERIFY(text->contains(mentions));
        QVERIFY(text->contains("\r\n"));
        QVERIFY(!text->contains(QRegularExpression("[^\r]\n")));
    }

    // Every topic shipped must fit the help window: the viewer does not wrap,
    // and the OK button covers the window's lower part. Marks must be paired.
    void shippedTopicsFitTheWindow()
    {
        const QDir app(AppFolder());
        const QStringList indexes = app.entryList({"Help*.R10"}, QDir::Files);
        QVERIFY2(!indexes.isEmpty(), qPrintable("no help files in " + app.path()));
        const QSize room(platform::Px(5955), platform::Px(6685));
        int seen = 0;
        for (const QString& name : indexes) {
            const int group = name.mid(4, 2).toInt();
            QFile f(app.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const int records = int(f.size() / HelpIndexSize);
            for (int r = 1; r <= records; ++r) {
                const int topic = group * 100 + r;
                const std::optional<QString> text = ReadHelpTopic(app.path(), topic);
                if (!text)
                    continue;
                ++seen;
                const bool raw = topic == AsciiTableTopic;
                if (!raw)
                    QVERIFY2(text->count('$') % 2 == 0, qPrintable(QString("topic %1: unpaired $").arg(topic)));
                const QFont font = platform::DesignFont(raw ? "Courier New" : "Arial", 9);
                const QSize size = HelpPrintArea::Extent(HelpTextLines(*text, raw), font);
                QVERIFY2(size.width() <= room.width() && size.height() <= room.height(),
                         qPrintable(QString("topic %1 needs %2 x %3 pixels, the window has %4 x %5")
                                        .arg(topic).arg(size.width()).arg(size.height())
                                        .arg(room.width()).arg(room.height())));
            }
        }
        QVERIFY(seen >= 7);
    }

    void viewerActivation()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath("Help11.S10"), "A$B$C\r\nD\r\n$ 36 $\r\n");
        WriteFile(dir.filePath("Help11.R10"),
                  Index({{1, 8}}) + QByteArray(36 * HelpIndexSize, '\0') + Index({{11, 6}}));
        SetHelpFolder(dir.path());
        setup::InitTables();

        frmAppHelp help;
        QLineEdit box;
        QPalette p = box.palette();
        p.setColor(QPalette::Base, Qt::yellow);
        box.setPalette(p);
        setup::EntryBox = &box;
        setup::EntryActive = 1;

        HelpTopic = 1101;
        help.Form_Activate();
        QCOMPARE(setup::EntryActive, 0);
        QVERIFY(setup::EntryBox.isNull());
        QCOMPARE(box.palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(help.textArea()->printed().size(), 2);
        QCOMPARE(Show(help.textArea()->printed()[0].runs), QString("A|*B*|C"));
        const QString arial = help.textArea()->printed()[0].font.family();

        HelpTopic = AsciiTableTopic; // printed as it stands, in another face
        help.Form_Activate();
        QCOMPARE(help.textArea()->printed().size(), 1);
        QCOMPARE(Show(help.textArea()->printed()[0].runs), QString("$ 36 $"));
        QCOMPARE(help.textArea()->printed()[0].font.family(),
                 platform::DesignFont("Courier New", 9).family());
        QVERIFY(help.textArea()->printed()[0].font.family() != arial);

        HelpTopic = 0; // F1 before any heading set a topic
        help.Form_Activate();
        QCOMPARE(Show(help.textArea()->printed()[0].runs), NoHelpText);
        QVERIFY(help.cmdOK()->isEnabled());
    }

    void viewerWindow()
    {
        frmAppHelp* help = platform::Load<frmAppHelp>();
        QCOMPARE(platform::Find("frmAppHelp"), help);
        QCOMPARE(help->windowTitle(), QString("APPLICATION  HELP"));
        const Qt::WindowFlags flags = help->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        const QRect ok = help->cmdOK()->geometry();
        QCOMPARE(ok.topLeft(), platform::TwipsRect(4650, 6685, 0, 0).topLeft());
        QCOMPARE(ok.height(), platform::Px(390));
        QVERIFY(help->rect().contains(ok)); // not cut off at the right edge
    }

    // Each way out hides the window and keeps it loaded where it was.
    void viewerOk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("menuView"); // CtrMenuLoaded
        QTest::newRow("OK") << "ok" << 0;
        QTest::newRow("OK, menu view loaded") << "ok" << 1;
        QTest::newRow("Escape") << "escape" << 1;
        QTest::newRow("Enter") << "enter" << 0;
        QTest::newRow("close request") << "close" << 1;
    }
    void viewerOk()
    {
        QFETCH(QString, how);
        QFETCH(int, menuView);
        int resets = 0;
        ResetMenuViewGrid = [&] { ++resets; };
        CtrMenuLoaded = menuView;
        frmAppHelp* help = platform::Load<frmAppHelp>();
        help->move(140, 90);
        help->Show();
        Settle();
        QVERIFY(help->isVisible());
        const QPoint place = help->pos();
        if (how == "ok")
            help->cmdOK()->click();
        else if (how == "escape") // from the focused button up to the window
            QTest::keyClick(help->cmdOK(), Qt::Key_Escape);
        else if (how == "enter")
            QTest::keyClick(help, Qt::Key_Return);
        else
            help->close();
        QVERIFY(!help->isVisible());
        QCOMPARE(platform::Find<frmAppHelp>(), help);
        QCOMPARE(resets, menuView);
        help->Show();
        Settle();
        QCOMPARE(help->pos(), place);
    }

    // Shown modal: its activation runs once, and when OK hides it the opener
    // is active again at once, once.
    void viewerModal()
    {
        auto* opener = new OtherWindow("frmSetup1");
        opener->Show();
        Settle();
        auto* help = new CountingHelp;
        int helpActivations = -1, openerMeanwhile = -1;
        bool modal = false;
        QTimer::singleShot(30, help, [&] {
            helpActivations = help->activations;
            openerMeanwhile = opener->activations;
            modal = help->isVisible() && help->IsShownModal();
            QTest::keyClick(help->cmdOK(), Qt::Key_Escape);
        });
        ShowHelpModal();
        QVERIFY(modal);
        QCOMPARE(helpActivations, 1);
        QCOMPARE(openerMeanwhile, 1);
        QCOMPARE(opener->activations, 2);
        Settle();
        QCOMPARE(opener->activations, 2);
        QCOMPARE(help->activations, 1);
        QCOMPARE(platform::Find<frmAppHelp>(), help); // hidden, still loaded
    }

    void showHelpTextIntoLabel()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath("Help13.S10"), "$Jumper$ one\r\ntwo");
        WriteFile(dir.filePath("Help13.R10"), QByteArray(74 * HelpIndexSize, '\0') + Index({{1, 17}}));
        SetHelpFolder(dir.path());

        QWidget window;
        auto* label = new QLabel(" ", &window);
        label->setObjectName("lblText");
        HelpTopic = 1375;
        setup::EntryActive = 1;
        ShowHelpText(&window);
        QCOMPARE(label->text(), QString(" Jumper  one\ntwo"));
        QCOMPARE(setup::EntryActive, 0);

        HelpTopic = 1380; // no record: a short text, not the old one
        ShowHelpText(label);
        QCOMPARE(label->text(), NoHelpText);
        ShowHelpText(nullptr); // nothing to fill: nothing happens
    }

    void setupHelpPage()
    {
        auto* menu = new OtherWindow("frmMMenu"); // the main menu, hidden for the page
        frmMHELP* page = platform::Load<frmMHELP>();
        QCOMPARE(platform::Find("frmMHELP"), page);
        page->Show();
        Settle();
        QCOMPARE(HelpTopic, 3101);
        QCOMPARE(page->picture2()->printed().size(), 9);
        QCOMPARE(Show(page->picture2()->printed()[5].runs), QString());
        page->Form_Activate(); // printed afresh, not added to
        QCOMPARE(page->picture2()->printed().size(), 9);
        page->cmdMHelp()->click();
        QVERIFY(menu->isVisible());
        QVERIFY(page->isVisible()); // the menu's activation unloads it, not OK
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
