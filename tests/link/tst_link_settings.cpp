// The settings file and start-up, and the plain wait.

#include "link/CommControl.h"
#include "link/Link.h"
#include "link/SettingsLine.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace meterlink;

class LinkSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { emu::StopLink(); SetProgramFolder(QString()); }

    void settingsLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("normalised");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("rs485");
        QTest::addColumn<int>("revision");
        QTest::addColumn<int>("open");
        QTest::newRow("22, address A, rev. 046") << QByteArray("0503000A00010461000000\r\nx\r\n")
            << "0503000A00010461000000" << 3 << 5 << 10 << 1 << 46 << 1;
        QTest::newRow("17 gains 10000") << QByteArray("05010001000004601\r\n")
            << "0501000100000460110000" << 1 << 5 << 1 << 0 << 46 << 0;
        QTest::newRow("10 gains six zeros only") << QByteArray("0512000900")
            << "0512000900000000" << 12 << 5 << 9 << 0 << 0 << 0;
        QTest::newRow("25 kept whole") << QByteArray("0601000V00000371ABCDEFGHI")
            << "0601000V00000371ABCDEFGHI" << 1 << 6 << 31 << 0 << 37 << 1;
        QTest::newRow("quoted, with a comma") << QByteArray(" \t\"0501,00B00000461000000\",x")
            << "0501,00B00000461000000" << 1 << 5 << 11 << 0 << 46 << 1;
        QTest::newRow("comma ends a plain field") << QByteArray("0501000100000461,000000")
            << "0501000100000461000000" << 1 << 5 << 1 << 0 << 46 << 1;
        QTest::newRow("non-digit open flag") << QByteArray("050100010000046x000000")
            << "050100010000046x000000" << 1 << 5 << 1 << 0 << 46 << 0;
        QTest::newRow("baud letter") << QByteArray("0x01000100000461000000")
            << "0x01000100000461000000" << 1 << -1 << 1 << 0 << 46 << 1;
    }

    void settingsLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, normalised);
        const QString line = NormaliseSettingsLine(ReadSettingsField(content));
        QCOMPARE(line, normalised);
        const DecodedSettings d = DecodeSettingsLine(line);
        QTEST(d.commPortNo, "port");
        QTEST(d.baudIndex, "baud");
        QTEST(d.meterAddrValue, "address");
        QTEST(d.rs485Mode, "rs485");
        QTEST(d.meterRevision, "revision");
        QTEST(d.autoOpenPort, "open");
        // What Put Setup writes reads back whole.
        QCOMPARE(ReadSettingsField(SettingsFileContent(line)), line);
    }

    void startUpOpensThePort()
    {
        emu::MeterEmulator meter(3);
        emu::MessageCatcher messages;
        QVERIFY(emu::StartLink(meter, 2, 1, 'C', 37));
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(meter.programBaud(), 1200);
        QCOMPARE(MeterAddrValue, 12);
        QCOMPARE(Rs485Mode, 1);
        QCOMPARE(MeterRevision, 37);
        QCOMPARE(CharTimeMs, 8);
        QVERIFY(!Commx().HasError()); // a pseudo-terminal has no modem lines: no failure
        // Ten bits a character, to the nearest millisecond: 16.7 is 17, and
        // 19200 baud still waits 1 ms.
        QList<int> ms;
        for (int b = 0; b <= 6; ++b)
            ms << CharTimeMsFor(b);
        QCOMPARE(ms, (QList<int>{33, 17, 8, 4, 2, 1, 1}));
    }

    void startUpProblems_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing file") << QByteArray() << "\"Settings.SSS\" was not found";
        QTest::newRow("baud character 8") << QByteArray("0804000100000461000000\r\n")
                                          << "\"8\" as its baud-rate character";
        QTest::newRow("no such device") << emu::SettingsLineFor(5, 57).toLatin1() << "/dev/ttyS56";
    }

    void startUpProblems()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(content.isEmpty() || emu::WriteSettings(dir.path(), content));
        emu::MessageCatcher messages;
        SetProgramFolder(dir.path());
        Main();
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts[0].contains(expected), qPrintable(messages.texts[0]));
        QCOMPARE(AutoOpenPort, 0);
        QVERIFY(!Commx().PortOpen());
        if (content.isEmpty()) // nothing made up for Put Setup to write
            QVERIFY(!WriteSettingsFile() && !QFile::exists(SettingsFilePath()));
    }

    void delayZeroFollowsTheRate()
    {
        BaudIndex = 0;
        QElapsedTimer t;
        t.start();
        Delay(0);
        QVERIFY2(t.elapsed() >= 549 && t.elapsed() < 700, qPrintable(QString::number(t.elapsed())));
        BaudIndex = 6; // 0.55 - 0.6 is below zero: no wait
        t.restart();
        Delay(0);
        QVERIFY(t.elapsed() < 20);
    }
};

QTEST_MAIN(LinkSettingsTest)
#include "tst_link_settings.moc"
