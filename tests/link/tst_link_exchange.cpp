// The command and reply cycle against the emulated meter on a real
// pseudo-terminal.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Wait.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace meterlink;
using emu::Response;
Q_DECLARE_METATYPE(emu::Response)

class LinkExchangeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<emu::MeterEmulator> meter;
    std::unique_ptr<emu::MessageCatcher> messages;

    int exchange(const QString& command)
    {
        Cmd = QStringLiteral("*1") + command;
        SendCommand();
        ReceiveReply();
        return CommStatus;
    }

private slots:
    void init()
    {
        meter = std::make_unique<emu::MeterEmulator>();
        messages = std::make_unique<emu::MessageCatcher>();
        QVERIFY2(emu::StartLink(*meter), qPrintable(meter->errorText()));
    }

    void cleanup()
    {
        emu::StopLink();
        messages.reset();
        meter.reset();
    }

    void reply_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Response>("answer");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reply");
        QTest::newRow("six digits") << "G130" << Response::Text("01A2B3") << 0 << "01A2B3";
        QTest::newRow("odd length loses its last character")
            << "G130" << Response::Text("12345") << 0 << "1234";
        QTest::newRow("a B command keeps it") << "B0" << Response::Text("12345") << 0 << "12345";
        QTest::newRow("three pieces joined") << "XR1AZ"
            << Response::Pieces({"0123", "4567", "89AB\r"}, 150) << 0 << "0123456789AB";
        QTest::newRow("stall over 0.5 s: the last piece")
            << "G130" << Response::Pieces({"12", "34\r"}, 700) << int(StatusBrokeOff) << "12";
        QTest::newRow("echo as its own piece") << "XH2BZ"
            << Response::Text("1F2E3D").withEcho(Response::Echo::OwnPiece, 150) << 0 << "1F2E3D";
        QTest::newRow("echo and answer in one piece") << "XH2BZ"
            << Response::Text("1F2E3D").withEcho(Response::Echo::Joined) << 0 << "1F2E3D";
        QTest::newRow("NULs dropped")
            << "B0" << Response::Raw(QByteArray("12\0\0" "3\0" "4\r", 8)) << 0 << "1234";
    }

    void reply()
    {
        QFETCH(QString, command);
        QFETCH(Response, answer);
        meter->on(command.toLatin1(), answer);
        Commx().SetNullDiscard(true);
        QElapsedTimer t;
        t.start();
        QTEST(exchange(command), "status");
        QTEST(Reply, "reply");
        QCOMPARE(meter->frames().at(0).raw, "*1" + command.toLatin1());
        QVERIFY(t.elapsed() >= 100); // the frame leaves 100 ms after SendCommand starts
    }

    void leftoverInputDropped()
    {
        meter->send("stale 99\r");
        QTRY_VERIFY(Commx().InBufferCount() > 0);
        meter->on("G128", Response::Text("80"));
        QCOMPARE(exchange("G128"), int(StatusOk));
        QCOMPARE(Reply, QStringLiteral("80"));
    }

    // A reader of a steady stream lets the port hold input back between its
    // reads; a trickle and a flood must both arrive whole and in order.
    void batchedInputArrivesWhole()
    {
        QByteArray trickle, flood;
        for (int i = 0; i < 40; ++i)
            trickle += " " + QByteArray::number(i).rightJustified(4, '0') + "\r";
        for (int i = 0; i < 8000; ++i)
            flood += " " + QByteArray::number(i).rightJustified(6, '0') + "\r";
        Commx().SetInputBatching(true);
        meter->setBaud(19200);
        meter->setPacing(true);
        meter->send(trickle);
        meter->setPacing(false);
        meter->send(flood);
        QByteArray got;
        for (int turn = 0; turn < 400 && got.size() < trickle.size() + flood.size(); ++turn) {
            DelayMs(20);
            got += Commx().Input().toLatin1();
        }
        Commx().SetInputBatching(false);
        QCOMPARE(got.size(), trickle.size() + flood.size());
        QVERIFY(got == trickle + flood);
    }

    void waitForInputEndsAtInput()
    {
        QTimer::singleShot(200, this, [this] { meter->send("X"); });
        CommStatus = 7;
        QElapsedTimer t;
        t.start();
        WaitForInput();
        QCOMPARE(CommStatus, int(StatusOk));
        QVERIFY2(t.elapsed() >= 150 && t.elapsed() < 800, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(Commx().InBufferCount(), 1); // left for the next command to drop
    }

    void secondExchangeRefused()
    {
        // A click during the wait for an answer must neither put a frame on
        // the line nor disturb the exchange under way.
        meter->on("XR1AZ", Response::Pieces({"0123", "4567\r"}, 300));
        meter->on("G130", Response::Text("19"));
        bool busySeen = false, guardRefused = false;
        int nestedStatus = -1;
        QTimer::singleShot(250, this, [&] {
            busySeen = ExchangeBusy();
            ExchangeGuard guard;
            guardRefused = !guard;
            nestedStatus = exchange("G130"); // a careless handler: no guard
        });
        {
            ExchangeGuard outer;
            QVERIFY(bool(outer));
            QCOMPARE(exchange("XR1AZ"), int(StatusOk));
        }
        QCOMPARE(Reply, QStringLiteral("01234567"));
        QVERIFY(busySeen && guardRefused);
        QCOMPARE(nestedStatus, int(StatusPortError));
        QCOMPARE(meter->frames().size(), size_t(1));
        QVERIFY(!ExchangeBusy());

        // Refused calls at every turn, the last one included, leave the
        // outer call's word that it cut the answer.
        meter->on("G128", Response::Text("123"));
        QTimer nag;
        connect(&nag, &QTimer::timeout, this, [] { ReceiveReply(); });
        nag.start(0);
        QCOMPARE(exchange("G128"), int(StatusOk));
        nag.stop();
        QCOMPARE(Reply, QStringLiteral("12"));
        QVERIFY(ReplyCut);
    }
};

QTEST_MAIN(LinkExchangeTest)
#include "tst_link_exchange.moc"
