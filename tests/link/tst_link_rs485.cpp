// The modem lines on a recording stand-in for the serial device: on a
// two-wire RS-485 line RTS may drop only once the frame has left the port.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "support/LinkTestKit.h"
#include "support/RecordingPortDevice.h"

#include <QtTest>

using namespace meterlink;

class LinkRs485Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { emu::StopLink(); }

    void rtsDropsAfterTheLastByte_data()
    {
        QTest::addColumn<int>("baudIndex");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("rs485");
        // The adapter holds bytes back 40 ms (and 300 baud's character time is rounded down).
        QTest::newRow("300 baud") << 0 << 300 << 1;
        QTest::newRow("9600 baud") << 5 << 9600 << 1;
        QTest::newRow("RS-232 keeps RTS up") << 5 << 9600 << 0;
    }

    void rtsDropsAfterTheLastByte()
    {
        QFETCH(int, baudIndex);
        QFETCH(int, baud);
        QFETCH(int, rs485);
        auto device = std::make_unique<emu::RecordingPortDevice>(baud, 40, rs485 == 1);
        emu::RecordingPortDevice& dev = *device;
        Commx().SetDevice(std::move(device));
        Rs485Mode = rs485;
        CrStr = QStringLiteral("\r"); // start-up is not run here
        QVERIFY(ApplyBaudIndex(baudIndex)); // the character time
        QVERIFY(Commx().SetSettings(QString::number(baud) + QStringLiteral(",n,8,1")));
        QVERIFY(Commx().SetPortOpen(true));
        Cmd = QStringLiteral("*1G130");
        dev.events.clear();
        SendCommand();
        const int write = dev.find(QStringLiteral("write *1G130\r"));
        const int drop = dev.find(QStringLiteral("rts 0"), write);
        QVERIFY(dev.find(QStringLiteral("rts 1")) == 0 && write > 0);
        QCOMPARE(drop >= 0, rs485 == 1);
        if (drop < 0)
            return;
        // RTS drops once frame and transmitter are empty, and soon enough for the answer.
        const int drain = dev.find(QStringLiteral("drain"), write);
        QVERIFY(drain > write && drain < drop);
        QCOMPARE(dev.events[drop].pending, qint64(0));
        const double frameMs = 7 * 10000.0 / baud + 40;
        const double after = std::chrono::duration<double, std::milli>(
            dev.events[drop].at - dev.events[write].at).count();
        QVERIFY2(after >= frameMs, qPrintable(QString::number(after)));
        QVERIFY2(after < std::max(frameMs, 7.0 * CharTimeMs + 3) + 25,
                 qPrintable(QString::number(after)));
        QCOMPARE(Commx().InBufferCount(), 0); // the line's echo of the frame is gone
    }
};

QTEST_MAIN(LinkRs485Test)
#include "tst_link_rs485.moc"
