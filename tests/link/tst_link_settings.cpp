// Start-up and the settings file: reading, normalising and decoding the
// line, what start-up does with a missing or faulty file or port, following
// a new baud rate or address into the file, and the plain waits.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/SettingsLine.h"
#include "link/Wait.h"
#include "setup/SetupImage.h"
#include "support/LinkTestKit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace meterlink;

class LinkSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void readField_data();
    void readField();
    void normalise_data();
    void normalise();
    void decode_data();
    void decode();
    void charTime();
    void lineSettings_data();
    void lineSettings();
    void fileContentReadsBack_data();
    void fileContentReadsBack();

    void tablesAndStartImage();
    void settingsProblems_data();
    void settingsProblems();
    void opensPortOnTheMeter();
    void openFlagZeroKeepsPortClosed();
    void portProblems_data();
    void portProblems();
    void devicePath();

    void newBaudAndAddressReadBack();
    void writeRefusedWithoutLine();

    void delayZeroAtSlowestRate();
    void delayMsZeroDoesNotYield();
    void quittingEndsWaits();
};

void LinkSettingsTest::cleanup()
{
    emu::StopLink();
    SetProgramFolder(QString());
}

void LinkSettingsTest::readField_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("field");
    QTest::newRow("crlf") << QByteArray("0501000100000460000000\r\nnext\r\n")
                          << "0501000100000460000000";
    QTest::newRow("lf, no end") << QByteArray("abc\nx") << "abc";
    QTest::newRow("no line end") << QByteArray("abc") << "abc";
    QTest::newRow("leading blanks and tabs") << QByteArray(" \t 0501") << "0501";
    QTest::newRow("trailing blanks kept") << QByteArray("0501  \r\n") << "0501  ";
    QTest::newRow("comma ends it") << QByteArray("0501,0002") << "0501";
    QTest::newRow("quoted with comma") << QByteArray("  \"05,01 \"rest") << "05,01 ";
    QTest::newRow("empty first line") << QByteArray("\r\n0501") << "";
    QTest::newRow("empty file") << QByteArray() << "";
}

void LinkSettingsTest::readField()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, field);
    QCOMPARE(ReadSettingsField(content), field);
}

void LinkSettingsTest::normalise_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("17 gains 10000") << "05010001000004601"
                                    << "0501000100000460110000";
    QTest::newRow("10 gains six zeros only") << "0501000100" << "0501000100000000";
    QTest::newRow("16 padded to 22") << "0501000100000461" << "0501000100000461000000";
    QTest::newRow("21 padded to 22") << "050100010000046100000"
                                     << "0501000100000461000000";
    QTest::newRow("22 kept") << "0501000100000461ABCDEF" << "0501000100000461ABCDEF";
    QTest::newRow("25 kept whole") << "0501000100000461ABCDEFGHI"
                                   << "0501000100000461ABCDEFGHI";
    QTest::newRow("empty") << "" << "000000";
}

void LinkSettingsTest::normalise()
{
    QFETCH(QString, line);
    QFETCH(QString, normalised);
    QCOMPARE(NormaliseSettingsLine(line), normalised);
}

void LinkSettingsTest::decode_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("addr");
    QTest::addColumn<int>("addrValue");
    QTest::addColumn<int>("rs485");
    QTest::addColumn<int>("revision");
    QTest::addColumn<int>("open");
    //                              1234567890123456
    QTest::newRow("9600, A, 046")  << "0503000A00010461000000" << 3 << 5 << "A" << 10 << 1 << 46 << 1;
    QTest::newRow("address 9")     << "0012000900000370000000" << 12 << 0 << "9" << 9 << 0 << 37 << 0;
    QTest::newRow("address V")     << "0612000V00000000000000" << 12 << 6 << "V" << 31 << 0 << 0 << 0;
    QTest::newRow("open flag 9")   << "0501000100000009000000" << 1 << 5 << "1" << 1 << 0 << 0 << 9;
    QTest::newRow("open flag x")   << "050100010000000x000000" << 1 << 5 << "1" << 1 << 0 << 0 << 0;
    QTest::newRow("port blank 3")  << "05 3000100000001000000" << 3 << 5 << "1" << 1 << 0 << 0 << 1;
    QTest::newRow("baud 7")        << "0701000100000001000000" << 1 << -1 << "1" << 1 << 0 << 0 << 1;
    QTest::newRow("baud letter")   << "0x01000100000001000000" << 1 << -1 << "1" << 1 << 0 << 0 << 1;
    QTest::newRow("short line")    << NormaliseSettingsLine("0")
                                   << 0 << 0 << "0" << 0 << 0 << 0 << 0;
    QTest::newRow("10 characters") << NormaliseSettingsLine("0503000Z00")
                                   << 3 << 5 << "Z" << 35 << 0 << 0 << 0;
}

void LinkSettingsTest::decode()
{
    QFETCH(QString, line);
    const DecodedSettings d = DecodeSettingsLine(line);
    QTEST(d.commPortNo, "port");
    QTEST(d.baudIndex, "baud");
    QTEST(d.meterAddr, "addr");
    QTEST(d.meterAddrValue, "addrValue");
    QTEST(d.rs485Mode, "rs485");
    QTEST(d.meterRevision, "revision");
    QTEST(d.autoOpenPort, "open");
}

void LinkSettingsTest::charTime()
{
    const int expected[] = {33, 17, 8, 4, 2, 1, 1};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(CharTimeMsFor(i), expected[i]);
    QCOMPARE(CharTimeMsFor(7), 0);
}

void LinkSettingsTest::lineSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("stop");
    QTest::newRow("9600,n,8,1") << "9600,n,8,1" << true << 9600 << 1;
    QTest::newRow("300,E,7,2") << "300,E,7,2" << true << 300 << 2;
    QTest::newRow("1.5 stop") << "19200,n,8,1.5" << true << 19200 << 15;
    QTest::newRow("no rate") << ",n,8,1" << false << 0 << 0;
    QTest::newRow("parity x") << "9600,x,8,1" << false << 0 << 0;
    QTest::newRow("9 bits") << "9600,n,9,1" << false << 0 << 0;
    QTest::newRow("three parts") << "9600,n,8" << false << 0 << 0;
}

void LinkSettingsTest::lineSettings()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const auto s = ParseLineSettings(text);
    QCOMPARE(s.has_value(), valid);
    if (valid) {
        QTEST(s->baud, "baud");
        QTEST(s->stopBits, "stop");
    }
}

void LinkSettingsTest::fileContentReadsBack_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "0501000100000461000000";
    QTest::newRow("comma") << "05,1000100000461000000";
    QTest::newRow("leading blank") << " 501000100000461000000";
}

void LinkSettingsTest::fileContentReadsBack()
{
    QFETCH(QString, line);
    const QByteArray content = SettingsFileContent(line);
    QVERIFY(content.endsWith("\r\n"));
    QCOMPARE(ReadSettingsField(content), line);
}

void LinkSettingsTest::tablesAndStartImage()
{
    emu::MessageCatcher messages;
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    QVERIFY(emu::WriteSettings(dir.path(), "0501000100000460000000\r\n"));
    Main();
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
    QCOMPARE(BaudRates[0], QStringLiteral("300"));
    QCOMPARE(BaudRates[6], QStringLiteral("19200"));
    QVERIFY(BaudRates[7].isEmpty());
    QCOMPARE(CrStr, QStringLiteral("\r"));
    QCOMPARE(CtrlCharNames[0], QStringLiteral("nul"));
    QCOMPARE(CtrlCharNames[8], QStringLiteral("bs "));
    QCOMPARE(CtrlCharNames[13], QStringLiteral("cr "));
    QCOMPARE(CtrlCharNames[17], QStringLiteral("dc1"));
    QCOMPARE(CtrlCharNames[27], QStringLiteral("esc"));
    QCOMPARE(CtrlCharNames[32], QStringLiteral("sp "));
    QCOMPARE(setup::SetupA, QString(108, u'0'));
    QCOMPARE(setup::SetupB, QString(68, u'0'));
    QCOMPARE(MeterRevision, 46);
    QCOMPARE(CharTimeMs, 1);
    QCOMPARE(PortSettingsText(), QStringLiteral("9600,n,8,1"));
    QVERIFY(!Commx().PortOpen());
}

void LinkSettingsTest::settingsProblems_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected"); // part of the message
    QTest::newRow("missing") << "missing" << "was not found";
    QTest::newRow("empty") << "empty" << "is empty";
    QTest::newRow("blank first line") << "blank" << "is empty";
    QTest::newRow("a folder") << "folder" << "cannot be read";
    QTest::newRow("baud 8") << "baud" << "\"8\" as its baud-rate character";
}

void LinkSettingsTest::settingsProblems()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    emu::MeterEmulator meter(4);
    QVERIFY2(meter.ok(), qPrintable(meter.errorText()));
    const QString folder = meter.programFolder();
    const QString file = folder + QStringLiteral("/Settings.SSS");
    if (kind == u"empty")
        QVERIFY(emu::WriteSettings(folder, ""));
    else if (kind == u"blank")
        QVERIFY(emu::WriteSettings(folder, "   \r\n0504000100000461000000\r\n"));
    else if (kind == u"folder")
        QVERIFY(QDir(folder).mkdir(QStringLiteral("Settings.SSS")));
    else if (kind == u"baud")
        QVERIFY(emu::WriteSettings(folder, "0804000100000461000000\r\n"));

    emu::MessageCatcher messages;
    SetProgramFolder(folder);
    Main();
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].contains(u"Settings.SSS") && messages.texts[0].contains(expected),
             qPrintable(messages.texts[0]));
    QVERIFY(messages.texts[0].contains(u"serial port closed"));
    QCOMPARE(AutoOpenPort, 0);
    QVERIFY(!Commx().PortOpen());
    QVERIFY(CharTimeMs > 0);
    // Nothing made up: no settings file appears where there was none, and
    // there is no line that Put Setup could write.
    if (kind == u"missing")
        QVERIFY(!QFile::exists(file));
    if (kind != u"baud") {
        QVERIFY(SettingsLine.isEmpty());
        QVERIFY(!WriteSettingsFile());
    }
}

void LinkSettingsTest::opensPortOnTheMeter()
{
    emu::MeterEmulator meter(3);
    emu::MessageCatcher messages;
    QVERIFY(emu::StartLink(meter, 2, 1, 'C', 37));
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(meter.programBaud(), 1200);
    QCOMPARE(Commx().Settings(), QStringLiteral("1200,n,8,1"));
    QCOMPARE(CommPortNo, 3);
    QCOMPARE(MeterAddr, QStringLiteral("C"));
    QCOMPARE(MeterAddrValue, 12);
    QCOMPARE(Rs485Mode, 1);
    QCOMPARE(MeterRevision, 37);
    QCOMPARE(AutoOpenPort, 1);
    QCOMPARE(CharTimeMs, 8);
    // A pseudo-terminal has no modem lines: that is no failure.
    QVERIFY(!Commx().ModemLinesSupported());
    QVERIFY(!Commx().HasError());
}

void LinkSettingsTest::openFlagZeroKeepsPortClosed()
{
    emu::MeterEmulator meter(3);
    emu::MessageCatcher messages;
    QVERIFY(emu::WriteSettings(meter.programFolder(),
                               emu::SettingsLineFor(5, 3, '1', 0, 46, 0).toLatin1() + "\r\n"));
    SetProgramFolder(meter.programFolder());
    Main();
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(!Commx().PortOpen());
    QCOMPARE(AutoOpenPort, 0);
}

void LinkSettingsTest::portProblems_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("danglingLink");
    QTest::addColumn<QString>("expected");
    QTest::newRow("port 0") << 0 << false << "serial port 0";
    QTest::newRow("no such device") << 57 << false << "/dev/ttyS56";
    QTest::newRow("link to nothing") << 7 << true << "/COM7";
}

void LinkSettingsTest::portProblems()
{
    QFETCH(int, port);
    QFETCH(bool, danglingLink);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    if (danglingLink)
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/gone"),
                            dir.path() + QStringLiteral("/COM") + QString::number(port)));
    QVERIFY(emu::WriteSettings(dir.path(),
                               emu::SettingsLineFor(5, port, '1', 0, 46, 1).toLatin1() + "\r\n"));
    emu::MessageCatcher messages;
    SetProgramFolder(dir.path());
    Main();
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].contains(expected), qPrintable(messages.texts[0]));
    QCOMPARE(AutoOpenPort, 0);
    QVERIFY(!Commx().PortOpen());
    QVERIFY(!Commx().HasError());
}

void LinkSettingsTest::devicePath()
{
    QTemporaryDir dir;
    QCOMPARE(PortDevicePathIn(dir.path(), 1), QStringLiteral("/dev/ttyS0"));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), dir.path() + QStringLiteral("/COM1")));
    QCOMPARE(PortDevicePathIn(dir.path(), 1), dir.path() + QStringLiteral("/COM1"));
    QCOMPARE(PortDevicePathIn(dir.path(), 12), QStringLiteral("/dev/ttyS11"));
}

void LinkSettingsTest::newBaudAndAddressReadBack()
{
    emu::MeterEmulator meter(2);
    emu::MessageCatcher messages;
    QVERIFY(emu::StartLink(meter, 5, 0, '1', 46));
    const QString before = SettingsLine;

    QVERIFY(!ApplyBaudIndex(7)); // no rate for 7: nothing changes
    QCOMPARE(BaudIndex, 5);
    QCOMPARE(SettingsLine, before);

    QVERIFY(ApplyBaudIndex(2));
    QCOMPARE(CharTimeMs, 8);
    QCOMPARE(meter.programBaud(), 1200);
    QVERIFY(ApplyMeterAddress(12));
    QCOMPARE(MeterAddr, QStringLiteral("C"));
    QVERIFY(!ApplyMeterAddress(32));
    QVERIFY(WriteSettingsFile());
    QCOMPARE(SettingsLine.size(), before.size());

    // The next start reads back what was put.
    emu::StopLink();
    Main();
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(BaudIndex, 2);
    QCOMPARE(MeterAddr, QStringLiteral("C"));
    QCOMPARE(MeterAddrValue, 12);
    QCOMPARE(CharTimeMs, 8);
    QVERIFY(Commx().PortOpen());
    QCOMPARE(meter.programBaud(), 1200);
}

void LinkSettingsTest::writeRefusedWithoutLine()
{
    QTemporaryDir dir;
    SetProgramFolder(dir.path() + QStringLiteral("/no such folder"));
    SettingsLine = QStringLiteral("0501000100000461000000");
    QVERIFY(!WriteSettingsFile());
    SettingsLine.clear();
    SetProgramFolder(dir.path());
    QVERIFY(!WriteSettingsFile());
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/Settings.SSS")));
}

void LinkSettingsTest::delayZeroAtSlowestRate()
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

void LinkSettingsTest::delayMsZeroDoesNotYield()
{
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    DelayMs(0);
    QVERIFY(!ran);
    DelayMs(30);
    QVERIFY(ran);
}

void LinkSettingsTest::quittingEndsWaits()
{
    QTimer::singleShot(100, this, [] { RequestQuit(); });
    QElapsedTimer t;
    t.start();
    Delay(5.0f);
    QVERIFY(t.elapsed() < 1000);
    DelayMs(5000);
    WaitForInput(); // the port is not open either
    QCOMPARE(CommStatus, int(StatusPortError));
    QVERIFY(t.elapsed() < 1000);
    SetQuitting(false);
}

QTEST_MAIN(LinkSettingsTest)
#include "tst_link_settings.moc"
