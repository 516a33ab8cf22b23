// What a pseudo-terminal cannot show: the order of the modem-line calls
// and when RTS drops on a two-wire RS-485 line, on a recording stand-in for
// the serial device that lets bytes leave at the line's real pace.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "support/LinkTestKit.h"
#include "support/RecordingPortDevice.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace meterlink;
using Clock = std::chrono::steady_clock;

namespace {
double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}
} // namespace

class LinkRs485Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void openingOrder();
    void rtsDropsAfterTheLastByte_data();
    void rtsDropsAfterTheLastByte();
    void rs232KeepsRts();
    void closingOrder();
    void noModemLinesIsNoFailure();

private:
    emu::RecordingPortDevice* install(int lineBaud, int latencyMs, bool modemLines = true,
                                      bool lineEcho = false);
    QTemporaryDir dir;
};

emu::RecordingPortDevice* LinkRs485Test::install(int lineBaud, int latencyMs, bool modemLines,
                                                 bool lineEcho)
{
    auto device = std::make_unique<emu::RecordingPortDevice>(lineBaud, latencyMs, modemLines, lineEcho);
    auto* raw = device.get();
    Commx().SetDevice(std::move(device));
    return raw;
}

void LinkRs485Test::cleanup()
{
    emu::StopLink();
    Commx().SetDevice(std::make_unique<emu::RecordingPortDevice>());
    SetProgramFolder(QString());
}

void LinkRs485Test::openingOrder()
{
    auto* dev = install(9600, 0);
    emu::MessageCatcher messages;
    QVERIFY(emu::WriteSettings(dir.path(), "0503000100010461000000\r\n"));
    SetProgramFolder(dir.path());
    Main();
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(Commx().PortOpen());
    QCOMPARE(dev->settings.baud, 9600);
    const int open = dev->find("open");
    QCOMPARE(dev->events[open].detail, QStringLiteral("/dev/ttyS2"));
    const int rts = dev->find("rts", "1", open);
    const int dtr = dev->find("dtr", "1", rts);
    QVERIFY(open >= 0 && rts > open && dtr > rts);
}

void LinkRs485Test::rtsDropsAfterTheLastByte_data()
{
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<int>("latencyMs");
    const int rates[] = {300, 600, 1200, 2400, 4800, 9600, 19200};
    for (int i = 0; i < 7; ++i)
        QTest::addRow("%d baud, adapter holds bytes 40 ms", rates[i]) << i << 40;
    QTest::newRow("300 baud, long frame") << 0 << 0;
}

void LinkRs485Test::rtsDropsAfterTheLastByte()
{
    QFETCH(int, baudIndex);
    QFETCH(int, latencyMs);
    const int rates[] = {300, 600, 1200, 2400, 4800, 9600, 19200};
    auto* dev = install(rates[baudIndex], latencyMs, true, true);
    BaudIndex = baudIndex;
    CharTimeMs = 0;
    QVERIFY(ApplyBaudIndex(baudIndex)); // CharTimeMs follows the rate
    Rs485Mode = 1;
    Commx().SetCommPort(1);
    QVERIFY(Commx().SetPortOpen(true));

    // At 300 baud a character takes 33.3 ms, the rounded time 33 ms: a
    // frame of 120 characters outlasts its nominal time by 40 ms.
    Cmd = latencyMs ? QStringLiteral("*1G130") : QStringLiteral("*1W46D") + QString(114, u'0');
    dev->events.clear();
    SendCommand();

    const int write = dev->find("write");
    const int drop = dev->find("rts", "0", write);
    QVERIFY(dev->find("rts", "1") < write);
    QVERIFY(write >= 0 && drop > write);
    QCOMPARE(dev->events[write].detail, Cmd + QStringLiteral("\r"));
    // Nothing was left to send when RTS dropped, and the transmitter was
    // drained before.
    QCOMPARE(dev->events[drop].pendingAtCall, qint64(0));
    const int drain = dev->find("drain", QString(), write);
    QVERIFY(drain > write && drain < drop);
    const double frameMs = (Cmd.size() + 1) * 10000.0 / rates[baudIndex] + latencyMs;
    const double nominalMs = (Cmd.size() + 1) * CharTimeMs + 3;
    const double droppedAfter = msBetween(dev->events[write].at, dev->events[drop].at);
    QVERIFY2(droppedAfter >= frameMs && droppedAfter >= nominalMs - 1,
             qPrintable(QString::number(droppedAfter)));
    // ...and not much later, so that the meter's answer is not lost.
    QVERIFY2(droppedAfter < std::max(frameMs, nominalMs) + 25,
             qPrintable(QString::number(droppedAfter)));
    // The line's echo of the frame is gone.
    QCOMPARE(Commx().InBufferCount(), 0);
}

void LinkRs485Test::rs232KeepsRts()
{
    auto* dev = install(9600, 0);
    Rs485Mode = 0;
    CharTimeMs = 1;
    Commx().SetCommPort(1);
    QVERIFY(Commx().SetPortOpen(true));
    dev->events.clear();
    Cmd = QStringLiteral("*1G130");
    SendCommand();
    QVERIFY(dev->find("write") >= 0);
    QCOMPARE(dev->find("rts", "0"), -1);
}

void LinkRs485Test::closingOrder()
{
    auto* dev = install(300, 0);
    CharTimeMs = 33;
    Commx().SetCommPort(1);
    QVERIFY(Commx().SetPortOpen(true));
    Commx().SetHandshaking(HandshakeRtsXonXoff);
    Commx().Output(QStringLiteral("*1A1\r"));
    dev->events.clear();
    const auto t0 = Clock::now();
    ClosePort();
    const int hs = dev->find("handshaking", "0");
    const int close = dev->find("close");
    QVERIFY(hs >= 0 && close > hs);
    QCOMPARE(dev->events[close].pendingAtCall, qint64(0));
    // 5 characters at 300 baud, then 200 ms.
    QVERIFY(msBetween(t0, dev->events[close].at) >= 366);
    QVERIFY(!Commx().PortOpen());
}

void LinkRs485Test::noModemLinesIsNoFailure()
{
    install(9600, 0, false);
    Commx().SetCommPort(1);
    QVERIFY(Commx().SetPortOpen(true));
    Commx().SetRTSEnable(false);
    QVERIFY(!Commx().ModemLinesSupported());
    QVERIFY(!Commx().HasError());
}

QTEST_MAIN(LinkRs485Test)
#include "tst_link_rs485.moc"
