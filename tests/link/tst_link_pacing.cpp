// The long waits of a slow or a silent line, apart so that they run beside
// the other serial tests.

#include "link/Exchange.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace meterlink;
using emu::Response;

class LinkPacingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { emu::StopLink(); }

    void slowLineReadWhole()
    {
        // One character at a time: far more pieces than any count of reads would allow.
        emu::MeterEmulator meter;
        emu::MessageCatcher messages;
        QVERIFY(emu::StartLink(meter, 0));
        meter.setBaud(300);
        QByteArray block;
        for (int i = 0; i < 108; ++i)
            block += "0123456789ABCDEF"[(i * 3) % 16];
        meter.on("XR1AZ", Response::Text(block).withEcho(Response::Echo::OwnPiece, 20));
        Cmd = QStringLiteral("*1XR1AZ");
        SendCommand();
        ReceiveReply();
        QCOMPARE(CommStatus, int(StatusOk));
        QCOMPARE(Reply, QString::fromLatin1(block));
    }

    void waitForInputEndsAfterThreeSeconds()
    {
        emu::MeterEmulator meter;
        emu::MessageCatcher messages;
        QVERIFY(emu::StartLink(meter));
        CommStatus = 7;
        QElapsedTimer t;
        t.start();
        WaitForInput();
        QCOMPARE(CommStatus, int(StatusOk));
        const qint64 waited = t.elapsed();
        QVERIFY2(waited >= 3000 && waited < 3300, qPrintable(QString::number(waited)));
    }
};

QTEST_MAIN(LinkPacingTest)
#include "tst_link_pacing.moc"
