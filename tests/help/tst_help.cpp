// Help topics: generated files and the look-up refusing to read outside them,
// the "$" emphasis, the topics shipped beside the program, the help window.

#include "help/HelpBuild.h"
#include "help/HelpFiles.h"
#include "help/HelpPrintArea.h"
#include "help/HelpViewer.h"
#include "help/HelpState.h"
#include "help/frmAppHelp.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "setup/EntryHandoff.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace help;

namespace {

// Lines joined by " / ", runs by "|", emphasised runs in "*".
QString Show(const QList<HelpLine>& lines)
{
    QStringList out;
    for (const HelpLine& line : lines) {
        QStringList runs;
        for (const HelpRun& r : line)
            runs << (r.emphasised ? '*' + r.text + '*' : r.text);
        out << runs.join('|');
    }
    return out.join(" / ");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    // Generated from a source, then records 2 to 4 broken by hand.
    void initTestCase()
    {
        WriteFile(dir_.filePath("topics.txt"), QString("preamble, ignored\n@@ 1101 First\n\nA$B$C   \nD\n\n"
                                                       "@@ 1107\r\nX\r\n@@ 1138\n$ 36 $\n@@ 3102\ncaf\u00e9 \u00b5s\n").toUtf8());
        QStringList errors;
        QVERIFY2(GenerateHelpFiles(dir_.filePath("topics.txt"), dir_.path(), &errors), qPrintable(errors.join('\n')));
        QFile generated(dir_.filePath("Help11.R10"));
        QVERIFY(generated.open(QIODevice::ReadOnly));
        QByteArray index = generated.readAll();
        QCOMPARE(index.left(12) + index.mid(36, 6), QByteArray::fromHex("010000000800" "000000000000" "0b0000000100"));
        const HelpIndex broken[] = {{15, 10}, {1, 0}, {0x7fffffff, 3}}; // records 2, 3, 4
        for (int i = 0; i < 3; ++i)
            index.replace(HelpIndexSize * (i + 1), HelpIndexSize, EncodeHelpIndex(broken[i]));
        WriteFile(dir_.filePath("Help11.R10"), index);
        SetHelpFolder(dir_.path());
    }

    void lookup_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("text");
        QTest::newRow("1101") << 1101 << "A$B$C\r\nD";
        QTest::newRow("1107") << 1107 << "X";
        QTest::newRow("1138") << 1138 << "$ 36 $";
        QTest::newRow("Latin-1") << 3102 << "caf\u00e9 \u00b5s";
        QTest::newRow("length past the end") << 1102 << NoHelpText;
        QTest::newRow("length 0") << 1103 << NoHelpText;
        QTest::newRow("offset past the end") << 1104 << NoHelpText;
        QTest::newRow("gap in the index") << 1105 << NoHelpText;
        QTest::newRow("beyond the index") << 1139 << NoHelpText;
        QTest::newRow("record 0") << 1100 << NoHelpText;
        QTest::newRow("topic 0") << 0 << NoHelpText;
        QTest::newRow("no files for the group") << 1201 << NoHelpText;
    }
    void lookup()
    {
        QFETCH(int, topic);
        QFETCH(QString, text);
        QCOMPARE(HelpTopicText(dir_.path(), topic), text);
    }

    void emphasis()
    {
        QCOMPARE(Show(HelpTextLines("A$B$C", false)), "A|*B*|C");
        QCOMPARE(Show(HelpTextLines("A$B$C$D", false)), "A|*B*|C|D"); // an unpaired last mark opens nothing
        QCOMPARE(Show(HelpTextLines("A$B\r\nC$D", false)), "A|*B* / *C*|D");
        QCOMPARE(Show(HelpTextLines("A\r\n\r\nB\nC\rD", false)), "A /  / B / C / D");
        QCOMPARE(Show(HelpTextLines("$ 36\r\n% $37", true)), "$ 36 / % $37");
    }

    // The viewer does not wrap, and OK covers the window's lower part.
    void shippedTopicsFitTheWindow()
    {
        const QString app = QCoreApplication::applicationDirPath() + "/../app";
        for (int topic : {3101, 3102, 3103, 3104, 3105, 3106, 1210}) // the menu headings'
            QVERIFY2(ReadHelpTopic(app, topic), qPrintable(QString::number(topic)));
        for (int topic = 1000; topic < 10000; ++topic) {
            const std::optional<QString> text = ReadHelpTopic(app, topic);
            const bool raw = topic == AsciiTableTopic;
            if (!text)
                continue;
            QVERIFY2(raw || text->count('$') % 2 == 0, qPrintable(QString::number(topic)));
            const QFont font = platform::DesignFont(raw ? "Courier New" : "Arial", 9);
            const QSize size = HelpPrintArea::Extent(HelpTextLines(*text, raw), font);
            QVERIFY2(size.width() <= platform::Px(5955) && size.height() <= platform::Px(6685),
                     qPrintable(QString::number(topic)));
        }
    }

    // The help window takes over from a value entry and prints 1138 as it
    // stands, in a fixed face.
    void viewer()
    {
        frmAppHelp help;
        setup::EntryActive = 1;
        HelpTopic = 1101;
        help.Form_Activate();
        QCOMPARE(setup::EntryActive, 0);
        QCOMPARE(help.textArea()->printed().size(), 2);
        QCOMPARE(Show({help.textArea()->printed()[0].runs}), "A|*B*|C");
        HelpTopic = AsciiTableTopic;
        help.Form_Activate();
        QCOMPARE(help.textArea()->printed().size(), 1);
        QCOMPARE(Show({help.textArea()->printed()[0].runs}), "$ 36 $");
        QCOMPARE(help.textArea()->printed()[0].font.family(), platform::DesignFont("Courier New", 9).family());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
