// Slow lines: a whole setup block arriving one character at a time at line
// pace, and a reply that never ends. On the meter emulator.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "support/LinkTestKit.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace meterlink;
using emu::Response;

class LinkPacingTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void slowLineReadWhole_data();
    void slowLineReadWhole();
    void replyThatNeverEnds();

private:
    std::unique_ptr<emu::MeterEmulator> meter;
    std::unique_ptr<emu::MessageCatcher> messages;
};

void LinkPacingTest::init()
{
    meter = std::make_unique<emu::MeterEmulator>(1);
    messages = std::make_unique<emu::MessageCatcher>();
}

void LinkPacingTest::cleanup()
{
    emu::StopLink();
    messages.reset();
    meter.reset();
}

void LinkPacingTest::slowLineReadWhole_data()
{
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<int>("baud");
    QTest::newRow("300") << 0 << 300;
    QTest::newRow("1200") << 2 << 1200;
}

void LinkPacingTest::slowLineReadWhole()
{
    // Far more than fifty reads: each character is a piece of its own.
    QFETCH(int, baudIndex);
    QFETCH(int, baud);
    QVERIFY(emu::StartLink(*meter, baudIndex));
    meter->setBaud(baud);
    meter->setPacing(true);
    QByteArray block;
    for (int i = 0; i < 108; ++i)
        block += "0123456789ABCDEF"[(i * 3) % 16];
    meter->on("XR1AZ", Response::Text(block).withEcho(Response::Echo::OwnPiece, 20));
    Cmd = QStringLiteral("*1XR1AZ");
    SendCommand();
    ReceiveReply();
    QCOMPARE(CommStatus, int(StatusOk));
    QCOMPARE(Reply, QString::fromLatin1(block));
}

void LinkPacingTest::replyThatNeverEnds()
{
    QVERIFY(emu::StartLink(*meter, 5));
    meter->setBaud(9600);
    meter->setPacing(true);
    meter->on("G130", Response::Raw(QByteArray(600, '5')));
    Cmd = QStringLiteral("*1G130");
    SendCommand();
    QElapsedTimer t;
    t.start();
    ReceiveReply();
    QCOMPARE(CommStatus, int(StatusNoEnd));
    QVERIFY(!Reply.isEmpty() && !Reply.contains(u'\r'));
    // Ends once the text is longer than any answer: well before the stream does.
    QVERIFY2(t.elapsed() < 400, qPrintable(QString::number(t.elapsed())));
}

QTEST_MAIN(LinkPacingTest)
#include "tst_link_pacing.moc"
