// A port that fails or closes under the program, and the end of the program
// during a wait: failures, never hangs, and no busy loop afterwards.

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

class LinkPortLossTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hangUpDuringReply();
    void hangUpBeforeWaitForInput();
    void portClosedUnderTheProgram();
    void quitDuringWaitClosesPort();
    void closePortNeverOpened();

private:
    std::unique_ptr<emu::MeterEmulator> meter;
    std::unique_ptr<emu::MessageCatcher> messages;
};

void LinkPortLossTest::init()
{
    meter = std::make_unique<emu::MeterEmulator>(1);
    messages = std::make_unique<emu::MessageCatcher>();
    QVERIFY(emu::StartLink(*meter));
}

void LinkPortLossTest::cleanup()
{
    emu::StopLink();
    messages.reset();
    meter.reset();
}

void LinkPortLossTest::hangUpDuringReply()
{
    Response r = Response::Raw("12");
    r.thenHangUp();
    meter->on("XR1AZ", r);
    Reply = QStringLiteral("kept");
    Cmd = QStringLiteral("*1XR1AZ");
    SendCommand();
    QElapsedTimer t;
    t.start();
    ReceiveReply();
    QCOMPARE(CommStatus, int(StatusPortError));
    QVERIFY2(t.elapsed() < 450, qPrintable(QString::number(t.elapsed())));

    // The dead line is closed, not left to report itself on every turn.
    QTRY_VERIFY(!Commx().PortOpen());
    const double cpu0 = emu::CpuSeconds();
    QTest::qWait(300);
    QVERIFY2(emu::CpuSeconds() - cpu0 < 0.03, qPrintable(QString::number(emu::CpuSeconds() - cpu0)));

    // Every later exchange fails at once.
    SendCommand();
    t.restart();
    ReceiveReply();
    QCOMPARE(CommStatus, int(StatusPortError));
    QVERIFY(t.elapsed() < 50);
}

void LinkPortLossTest::hangUpBeforeWaitForInput()
{
    meter->hangUp();
    QElapsedTimer t;
    t.start();
    WaitForInput();
    QCOMPARE(CommStatus, int(StatusPortError));
    QVERIFY(t.elapsed() < 1000);
}

void LinkPortLossTest::portClosedUnderTheProgram()
{
    Commx().SetPortOpen(false);
    Cmd = QStringLiteral("*1G130");
    QElapsedTimer t;
    t.start();
    SendCommand();
    ReceiveReply();
    QCOMPARE(CommStatus, int(StatusPortError));
    WaitForInput();
    QCOMPARE(CommStatus, int(StatusPortError));
    QVERIFY(t.elapsed() < 400);
    QVERIFY(meter->frames().empty());
}

void LinkPortLossTest::quitDuringWaitClosesPort()
{
    // The main window closes while an exchange waits for its answer: the
    // close handler ends the program's waits and closes the port.
    meter->on("XR1AZ", Response::Silence());
    QTimer::singleShot(300, this, [] { ClosePort(); });
    Cmd = QStringLiteral("*1XR1AZ");
    SendCommand();
    QElapsedTimer t;
    t.start();
    ReceiveReply();
    QCOMPARE(CommStatus, int(StatusPortError));
    QVERIFY2(t.elapsed() < 800, qPrintable(QString::number(t.elapsed())));
    QVERIFY(!Commx().PortOpen());
    QVERIFY(Quitting());
    // Nothing new starts on the way out.
    SendCommand();
    QCOMPARE(meter->frames().size(), size_t(1));
}

void LinkPortLossTest::closePortNeverOpened()
{
    Commx().SetPortOpen(false);
    QElapsedTimer t;
    t.start();
    ClosePort();
    QVERIFY(t.elapsed() < 50);
    QVERIFY(!Commx().HasError());
}

QTEST_MAIN(LinkPortLossTest)
#include "tst_link_portloss.moc"
