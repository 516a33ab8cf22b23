// The command and reply cycle against the meter emulator on a real
// pseudo-terminal: framing, pieces, echoes, odd lengths, NULs, fast paced
// lines, and one exchange at a time.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace meterlink;
using emu::Response;

namespace {
QByteArray hexDigits(int n)
{
    QByteArray s;
    for (int i = 0; i < n; ++i)
        s += "0123456789ABCDEF"[(i * 5 + 1) % 16];
    return s;
}
} // namespace

class LinkExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sixDigitReply();
    void oddLength_data();
    void oddLength();
    void threePiecesJoined();
    void echo_data();
    void echo();
    void stallGivesFive();
    void nulsDropped();
    void leftoverInputDropped();
    void pacedReply_data();
    void pacedReply();
    void waitForInputSeesInput();
    void inputLenAndSettings();
    void secondExchangeRefused();
    void readingsStream();

private:
    std::unique_ptr<emu::MeterEmulator> meter;
    std::unique_ptr<emu::MessageCatcher> messages;
    int exchange(const QString& command)
    {
        Cmd = QStringLiteral("*1") + command;
        SendCommand();
        ReceiveReply();
        return CommStatus;
    }
};

void LinkExchangeTest::init()
{
    meter = std::make_unique<emu::MeterEmulator>(1);
    messages = std::make_unique<emu::MessageCatcher>();
    QVERIFY2(emu::StartLink(*meter), qPrintable(meter->errorText()));
    QVERIFY(messages->texts.isEmpty());
}

void LinkExchangeTest::cleanup()
{
    emu::StopLink();
    messages.reset();
    meter.reset();
}

void LinkExchangeTest::sixDigitReply()
{
    meter->on("G130", Response::Text("01A2B3"));
    QElapsedTimer t;
    t.start();
    QCOMPARE(exchange("G130"), int(StatusOk));
    QCOMPARE(Reply, QStringLiteral("01A2B3"));
    const auto frames = meter->frames();
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].raw, QByteArray("*1G130"));
    QCOMPARE(frames[0].address, '1');
    QCOMPARE(frames[0].command, QByteArray("G130"));
    // The frame leaves 100 ms after SendCommand starts.
    const double sentAfter =
        std::chrono::duration<double, std::milli>(frames[0].at - meter->started()).count();
    QVERIFY2(sentAfter >= 95, qPrintable(QString::number(sentAfter)));
    QVERIFY(t.elapsed() < 600);
}

void LinkExchangeTest::oddLength_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("reply");
    QTest::newRow("setup read loses the odd character") << "G130" << QByteArray("12345") << "1234";
    QTest::newRow("reading request keeps it") << "B0" << QByteArray("12345") << "12345";
    QTest::newRow("even length unchanged") << "G128" << QByteArray("80") << "80";
    QTest::newRow("empty answer") << "G128" << QByteArray() << "";
}

void LinkExchangeTest::oddLength()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, answer);
    QFETCH(QString, reply);
    meter->on(command.toLatin1(), Response::Text(answer));
    QCOMPARE(exchange(command), int(StatusOk));
    QCOMPARE(Reply, reply);
}

void LinkExchangeTest::threePiecesJoined()
{
    meter->on("XR1AZ", Response::Pieces({"0123", "4567", "89AB\r"}, 150));
    QCOMPARE(exchange("XR1AZ"), int(StatusOk));
    QCOMPARE(Reply, QStringLiteral("0123456789AB"));
}

void LinkExchangeTest::echo_data()
{
    QTest::addColumn<int>("echo");
    QTest::addColumn<bool>("lineEcho");
    QTest::newRow("echo as its own piece") << int(Response::Echo::OwnPiece) << false;
    QTest::newRow("echo and answer in one piece") << int(Response::Echo::Joined) << false;
    QTest::newRow("line echoes every frame") << int(Response::Echo::None) << true;
}

void LinkExchangeTest::echo()
{
    QFETCH(int, echo);
    QFETCH(bool, lineEcho);
    meter->setLineEcho(lineEcho);
    Response r = Response::Text("1F2E3D");
    r.withEcho(Response::Echo(echo), 150);
    if (lineEcho)
        r.pieces[0].delayMs = 150;
    meter->on("XH2BZ", r);
    QCOMPARE(exchange("XH2BZ"), int(StatusOk));
    QCOMPARE(Reply, QStringLiteral("1F2E3D"));
}

void LinkExchangeTest::stallGivesFive()
{
    meter->on("G130", Response::Pieces({"12", "34\r"}, 700));
    Reply = QStringLiteral("before");
    QElapsedTimer t;
    t.start();
    QCOMPARE(exchange("G130"), int(StatusBrokeOff));
    QCOMPARE(Reply, QStringLiteral("12")); // the last piece read
    QVERIFY(t.elapsed() >= 600 && t.elapsed() < 900);
}

void LinkExchangeTest::nulsDropped()
{
    meter->on("B0", Response::Raw(QByteArray("12\0\0" "3", 5) + QByteArray("\0" "4\r", 3)));
    Commx().SetNullDiscard(true);
    QCOMPARE(exchange("B0"), int(StatusOk));
    QCOMPARE(Reply, QStringLiteral("1234"));
    Commx().SetNullDiscard(false);
    QCOMPARE(exchange("B0"), int(StatusOk));
    QCOMPARE(Reply, QString::fromLatin1(QByteArray("12\0\0" "3\0" "4", 7)));
}

void LinkExchangeTest::leftoverInputDropped()
{
    meter->send("stale 99\r");
    QTRY_VERIFY(Commx().InBufferCount() > 0);
    meter->on("G128", Response::Text("80"));
    QCOMPARE(exchange("G128"), int(StatusOk));
    QCOMPARE(Reply, QStringLiteral("80"));
}

void LinkExchangeTest::pacedReply_data()
{
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<int>("baud");
    QTest::newRow("19200") << 6 << 19200;
    QTest::newRow("9600") << 5 << 9600;
    QTest::newRow("2400") << 3 << 2400;
}

void LinkExchangeTest::pacedReply()
{
    // Every character arrives on its own: a USB adapter at line pace.
    QFETCH(int, baudIndex);
    QFETCH(int, baud);
    QVERIFY(ApplyBaudIndex(baudIndex));
    meter->setBaud(baud);
    meter->setPacing(true);
    const QByteArray block = hexDigits(108);
    meter->on("XR1AZ", Response::Text(block));
    QCOMPARE(exchange("XR1AZ"), int(StatusOk));
    QCOMPARE(Reply, QString::fromLatin1(block));
}

void LinkExchangeTest::waitForInputSeesInput()
{
    QTimer::singleShot(200, this, [this] { meter->send("X"); });
    QElapsedTimer t;
    t.start();
    WaitForInput();
    QCOMPARE(CommStatus, int(StatusOk));
    QVERIFY2(t.elapsed() >= 150 && t.elapsed() < 800, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(Commx().InBufferCount(), 1); // left for the next command to drop
}

void LinkExchangeTest::inputLenAndSettings()
{
    auto& port = Commx();
    meter->send("ABCDE");
    QTRY_COMPARE(port.InBufferCount(), 5);
    port.SetInputLen(2);
    QCOMPARE(port.Input(), QStringLiteral("AB"));
    port.SetInputLen(0);
    QCOMPARE(port.Input(), QStringLiteral("CDE"));
    QCOMPARE(port.Input(), QString());

    QVERIFY(port.SetSettings(QStringLiteral("4800,n,8,1")));
    QCOMPARE(meter->programBaud(), 4800);
    QVERIFY(!port.SetSettings(QStringLiteral("fast")));
    QCOMPARE(port.Settings(), QStringLiteral("4800,n,8,1"));
    QVERIFY(port.HasError());
    port.ClearError();
    port.SetHandshaking(HandshakeRtsXonXoff); // the readings windows' setting
    QVERIFY(!port.HasError());
    port.SetRTSEnable(true); // still the program's line to drive
    QVERIFY(!port.HasError());
}

void LinkExchangeTest::secondExchangeRefused()
{
    // While one exchange waits for its answer, a click that starts another
    // must not put a frame on the line nor disturb the first one.
    meter->on("XR1AZ", Response::Pieces({"0123", "4567\r"}, 300));
    meter->on("G130", Response::Text("19"));
    bool busySeen = false;
    bool guardRefused = false;
    int nestedStatus = -1;
    QTimer::singleShot(250, this, [&] {
        busySeen = ExchangeBusy();
        ExchangeGuard guard;
        guardRefused = !guard;
        Cmd = QStringLiteral("*1G130"); // a careless handler: no guard
        SendCommand();
        ReceiveReply();
        nestedStatus = CommStatus;
    });
    {
        ExchangeGuard outer;
        QVERIFY(bool(outer));
        QCOMPARE(exchange("XR1AZ"), int(StatusOk));
    }
    QCOMPARE(Reply, QStringLiteral("01234567"));
    QVERIFY(busySeen);
    QVERIFY(guardRefused);
    QCOMPARE(nestedStatus, int(StatusPortError));
    QCOMPARE(meter->frames().size(), size_t(1));
    QVERIFY(!ExchangeBusy());
    ExchangeGuard again;
    QVERIFY(bool(again));
}

void LinkExchangeTest::readingsStream()
{
    // After "A0" the meter sends records until "A1"; the program reads the
    // port directly, with no reply cycle.
    emu::MeterEmulator& m = *meter;
    m.on("A0", [&m](const emu::Frame&) {
        m.startStream([](int i) { return QByteArray::number(1000 + i) + '\r'; }, 40);
        return Response::Silence();
    });
    m.on("A1", [&m](const emu::Frame&) {
        m.stopStream();
        return Response::Silence();
    });
    Cmd = QStringLiteral("*1A0");
    SendCommand();
    QString received;
    QTRY_VERIFY((received += Commx().Input()).count(u'\r') >= 3);
    QVERIFY(received.startsWith(QStringLiteral("1000\r1001\r1002\r")));
    Cmd = QStringLiteral("*1A1");
    SendCommand();
    QTRY_VERIFY(!m.streaming());
    QTest::qWait(60);
    Commx().Input();
    QTest::qWait(120);
    QCOMPARE(Commx().InBufferCount(), 0);
}

QTEST_MAIN(LinkExchangeTest)
#include "tst_link_exchange.moc"
