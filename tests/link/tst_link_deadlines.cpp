// The multi-second deadlines of the serial cycle, on the meter emulator.
// Kept apart so that they run beside the other serial tests.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace meterlink;

class LinkDeadlinesTest : public QObject {
    Q_OBJECT

private slots:
    void silenceGivesFour();
    void waitForInputEndsAfterThreeSeconds();
};

void LinkDeadlinesTest::silenceGivesFour()
{
    // At 300 baud the answer deadline of a seven-character command is
    // (7 + 1) x 33 ms + 3 s.
    emu::MeterEmulator meter(1);
    emu::MessageCatcher messages;
    QVERIFY(emu::StartLink(meter, 0));
    Reply = QStringLiteral("kept");
    Cmd = QStringLiteral("*1XR1AZ");
    SendCommand();
    QElapsedTimer t;
    t.start();
    const double cpu0 = emu::CpuSeconds();
    ReceiveReply();
    const qint64 waited = t.elapsed();
    const double cpu = emu::CpuSeconds() - cpu0;
    QCOMPARE(CommStatus, int(StatusNoAnswer));
    QCOMPARE(Reply, QStringLiteral("kept"));
    QVERIFY2(waited >= 3264 && waited < 3500, qPrintable(QString::number(waited)));
    // Waiting is no work.
    QVERIFY2(cpu < 0.05 * waited / 1000.0, qPrintable(QString::number(cpu)));
    QCOMPARE(meter.frames().size(), size_t(1));
    emu::StopLink();
}

void LinkDeadlinesTest::waitForInputEndsAfterThreeSeconds()
{
    emu::MeterEmulator meter(1);
    emu::MessageCatcher messages;
    QVERIFY(emu::StartLink(meter, 5));
    CommStatus = 7;
    QElapsedTimer t;
    t.start();
    WaitForInput();
    QCOMPARE(CommStatus, int(StatusOk));
    QVERIFY2(t.elapsed() >= 3000 && t.elapsed() < 3300, qPrintable(QString::number(t.elapsed())));
    emu::StopLink();
}

QTEST_MAIN(LinkDeadlinesTest)
#include "tst_link_deadlines.moc"
