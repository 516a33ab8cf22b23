// When the meter does not answer properly or the line goes away: each ends
// in a status, never in a hang.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/PortLoss.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace meterlink;
using emu::Response;

class LinkDeadlinesTest : public QObject {
    Q_OBJECT

    emu::MessageCatcher messages;
    QElapsedTimer t;

    // Sends the command and times the wait for its reply.
    void exchange(const QString& command)
    {
        Cmd = QStringLiteral("*1") + command;
        SendCommand();
        t.start();
        ReceiveReply();
    }

private slots:
    void cleanup() { emu::StopLink(); }

    void silenceGivesFour()
    {
        // At 300 baud: (7 + 1) x 33 ms + 3 s for a seven-character command.
        emu::MeterEmulator meter;
        QVERIFY(emu::StartLink(meter, 0));
        Reply = QStringLiteral("kept");
        const double cpu0 = emu::CpuSeconds();
        exchange("XR1AZ");
        const double cpu = emu::CpuSeconds() - cpu0;
        const qint64 waited = t.elapsed();
        QCOMPARE(CommStatus, int(StatusNoAnswer));
        QCOMPARE(Reply, QStringLiteral("kept"));
        QVERIFY2(waited >= 3264 && waited < 3500, qPrintable(QString::number(waited)));
        // Waiting is no work.
        QVERIFY2(cpu < 0.05 * waited / 1000.0, qPrintable(QString::number(cpu)));
    }

    void replyThatNeverEnds()
    {
        emu::MeterEmulator meter;
        QVERIFY(emu::StartLink(meter, 5));
        meter.setBaud(9600);
        meter.on("G130", Response::Raw(QByteArray(600, '5')));
        exchange("G130");
        QCOMPARE(CommStatus, int(StatusNoEnd));
        QVERIFY(!Reply.isEmpty());
        QVERIFY2(t.elapsed() < 400, qPrintable(QString::number(t.elapsed()))); // not all 600
    }

    void lineLost_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("hang-up during the reply") << 0;
        QTest::newRow("port closed under the program") << 1;
        QTest::newRow("program ends during the wait") << 2;
    }

    void lineLost()
    {
        QFETCH(int, how);
        emu::MeterEmulator meter;
        QVERIFY(emu::StartLink(meter));
        messages.texts.clear();
        meter.on("XR1AZ", how == 0 ? Response::Raw("12").thenHangUp() : Response::Silence());
        if (how == 1)
            Commx().SetPortOpen(false);
        if (how == 2) // the main window's close handler
            QTimer::singleShot(300, this, [] { ClosePort(); });
        exchange("XR1AZ");
        QCOMPARE(CommStatus, int(StatusPortError));
        QVERIFY2(t.elapsed() < 800, qPrintable(QString::number(t.elapsed())));
        QTRY_VERIFY(!Commx().PortOpen());
        // Every later exchange fails at once.
        exchange("XR1AZ");
        QCOMPARE(CommStatus, int(StatusPortError));
        QVERIFY(t.elapsed() < 50);
        QCOMPARE(meter.frames().size(), size_t(how == 1 ? 0 : 1));
        // A line that fails under the program is told once and turns the
        // serial menus off; a port the program closed itself is not a loss.
        QTest::qWait(50);
        QCOMPARE(messages.texts.size(), how == 0 ? 1 : 0);
        QCOMPARE(meterlink::AutoOpenPort, how == 0 ? 0 : 1);
        QCOMPARE(meterlink::PortLost(), how == 0);
    }
};

QTEST_MAIN(LinkDeadlinesTest)
#include "tst_link_deadlines.moc"
