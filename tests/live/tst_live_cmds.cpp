// The commands window on an emulated meter: every button puts one frame on
// the line, answers show in the read-out boxes, failures in red; and what
// the link does when it cannot send or loses the line.

#include "link/CommControl.h"
#include "link/PortLoss.h"
#include "link/Wait.h"
#include "platform/Appearance.h"
#include "live/Commands.h"
#include "live/frmCmds.h"
#include "mainmenu/frmMMenu.h"
#include "support/FormTestKit.h"
#include "support/GetPutKit.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using live::frmCmds;

namespace {

const QString Failure = "Communications failure.  Program may have to be re-started.";

// The sample image with the mode/function byte (SetupB 63) and byte 51 given.
frmCmds* OpenCommands(const QString& modeFunction = "31", const QString& byte51 = "00")
{
    emu::LoadSampleImage("2C40");
    setup::SetupB.replace(62, 2, modeFunction);
    setup::SetupB.replace(50, 2, byte51);
    auto* w = platform::Load<frmCmds>();
    w->Show();
    emu::Settle();
    return w;
}

QStringList RawFrames(const emu::MeterEmulator& line, size_t from = 0)
{
    QStringList out;
    const auto frames = line.frames();
    for (size_t i = from; i < frames.size(); ++i)
        out << QString::fromLatin1(frames[i].raw);
    return out;
}

} // namespace

class TstLiveCmds : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        platform::CloseAllForms();
        emu::Settle();
    }

    // Resets and remote-display text: one frame each, no answer awaited.
    void sends()
    {
        emu::CounterBench bench;
        frmCmds* w = OpenCommands();
        QVERIFY(!w->lblErrText->isVisible());
        w->txtRmtDspy->setText("12'0D");
        struct Case {
            QPushButton* button;
            QString frame;
            QString status;
        };
        const Case cases[] = {
            {w->cmdMRst, "*1C0", "Meter Reset Command sent."},
            {w->cmdFRst, "*1C1", "Function Reset Command sent."},
            {w->cmdLARst, "*1C2", "Latched Alarms Reset Command sent."},
            {w->cmdPeak, "*1C3", "Peak Reset Command sent."},
            {w->cmdRmtDspy, "*1C4", "Remote Display Reset Command sent."},
            {w->cmdDspyOnly, "*1H12'0D", "Remote data sent to Display only."},
            {w->cmdItm3Only, "*1K12'0D", "Remote data sent to Item 3 only."},
            {w->cmdBoth, "*1L12'0D", "Remote data sent to Display and Item 3."},
            {w->cmdC, "12'0D", "Remote data sent to Display"},
        };
        for (const Case& c : cases) {
            const size_t before = bench.line.frames().size();
            c.button->click();
            QTRY_COMPARE(RawFrames(bench.line, before), QStringList{c.frame});
            QCOMPARE(w->lblErrText->text(), c.status);
            QCOMPARE(platform::BackColor(w->lblErrText), setup::ColorGreen);
            QVERIFY(w->lblErrText->isVisible());
        }
        // The arrow went back to its blank picture.
        QVERIFY(!w->Timer1->isActive());

        // After sending, the text box empties when it gets the focus again.
        QCOMPARE(w->RmtTextSent, 1);
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(w->txtRmtDspy, &in);
        QVERIFY(w->txtRmtDspy->text().isEmpty());
        QVERIFY(w->lblModeC->isVisibleTo(w));
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(w->txtRmtDspy, &out);
        QVERIFY(!w->lblModeC->isVisibleTo(w));
        w->txtRmtDspy->setText("5");
        QVERIFY(w->lblModeC->isVisibleTo(w));
    }

    // An answer in two pieces 200 ms apart is shown whole; a silent meter
    // gives the red failure text once the answer deadline has passed.
    void readings()
    {
        emu::CounterBench bench;
        bench.line.on("B1", emu::Response::Pieces({" 12", "34.5\r"}, 200));
        frmCmds* w = OpenCommands();
        w->cmdItem1->click();
        QCOMPARE(w->picItem1->Text(), " 1234.5");
        QCOMPARE(w->lblErrText->text(), "Item 1 request sent.    Item 1 received.");
        QCOMPARE(platform::BackColor(w->lblErrText), setup::ColorGreen);
        // Item 3 and the peak have their own boxes.
        bench.line.on("B3", emu::Response::Text(" 3"));
        bench.line.on("B4", emu::Response::Text(" 4"));
        w->cmdItem3->click();
        QCOMPARE(w->picItem3->Text(), " 3");
        QCOMPARE(w->lblErrText->text(), "Item 3 request sent.    Item 3 received.");
        w->cmdPeakRd->click();
        QCOMPARE(w->lblErrText->text(), "Peak Request sent.    Peak received.");
        QCOMPARE(w->picPeak->Text() + '|' + w->picItem3->Text(), " 4|");

        QElapsedTimer t;
        t.start();
        w->cmdItem2->click(); // nothing scripted: the meter stays silent
        QVERIFY2(t.elapsed() >= 3000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(w->lblErrText->text(), Failure);
        QCOMPARE(platform::BackColor(w->lblErrText), setup::ColorRed);
        QVERIFY(w->picItem1->Text().isEmpty() && w->picItem2->Text().isEmpty());
        QCOMPARE(RawFrames(bench.line), (QStringList{"*1B1", "*1B3", "*1B4", "*1B2"}));
    }

    void allActive_data()
    {
        QTest::addColumn<bool>("withPeak");
        QTest::addColumn<QString>("byte51"); // bit 3: each item terminated
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("items"); // 1|2|3|peak as shown
        QTest::newRow("B0") << false << "00" << QByteArray(" 1234-0056 0012")
                            << "All Active Readings request sent.  All Active Items received."
                            << " 1234|-0056 0012||";
        QTest::newRow("B5") << true << "00" << QByteArray(" 1111111 2222222 3333333 4444444")
                            << "All Active Readings + Peak request sent.  All Active Items + Peak received."
                            << " 1111111| 2222222| 3333333| 4444444";
        QTest::newRow("B5, each item terminated")
            << true << "08" << QByteArray(" 1111111")
            << "All Active Readings + Peak request sent.  Only Item 1 displayed because "
               "Termination after each item set."
            << "||| 1111111";
    }
    void allActive()
    {
        QFETCH(bool, withPeak);
        QFETCH(QString, byte51);
        QFETCH(QByteArray, answer);
        QFETCH(QString, status);
        QFETCH(QString, items);
        emu::CounterBench bench;
        bench.line.on(withPeak ? "B5" : "B0", emu::Response::Text(answer));
        frmCmds* w = OpenCommands("31", byte51);
        (withPeak ? w->cmdActiveP : w->cmdActive)->click();
        QCOMPARE(w->lblErrText->text(), status);
        QCOMPARE(QStringList({w->picItem1->Text(), w->picItem2->Text(), w->picItem3->Text(),
                              w->picPeak->Text()}).join('|'),
                 items);
    }

    // The pairs that use display item 3 keep remote text away from it.
    void item3AtLoad_data()
    {
        QTest::addColumn<QString>("modeFunction");
        QTest::addColumn<bool>("inUse");
        QTest::newRow("batch (function 2)") << "12" << true;
        QTest::newRow("A + B (function 11)") << "0B" << true;
        QTest::newRow("A / B (function 14)") << "1E" << true;
        QTest::newRow("(A / B) -1 (mode 0, function 15)") << "0F" << true;
        QTest::newRow("1/(A Rate) (mode 8, function 15)") << "8F" << false;
        QTest::newRow("quadrature rate (mode 12, function 1)") << "C1" << false;
    }
    void item3AtLoad()
    {
        QFETCH(QString, modeFunction);
        QFETCH(bool, inUse);
        setup::InitTables();
        frmCmds* w = OpenCommands(modeFunction);
        QCOMPARE(w->cmdItm3Only->isEnabled(), !inUse);
        QCOMPARE(w->cmdBoth->isEnabled(), !inUse);
        QCOMPARE(w->lblErrText->isVisible(), inUse);
        if (inUse) {
            QCOMPARE(w->lblErrText->text(),
                     "Remote display is unavailable for Item 3 because it is being used by the "
                     "selected Mode/Function.");
            QCOMPARE(platform::BackColor(w->lblErrText), setup::ColorGreen);
        }
    }

    // While a command runs, the other buttons and the close box do nothing.
    void oneCommandAtATime()
    {
        emu::CounterBench bench;
        bench.line.on("B1", emu::Response::Text(" 1"));
        frmCmds* w = OpenCommands();
        QPointer<frmCmds> alive(w);
        QTimer::singleShot(400, w, [w] {
            w->cmdMRst->click();
            w->cmdItem2->click();
            w->close();
            w->cmdOK_Click();
        });
        w->cmdItem1->click();
        emu::Settle();
        QVERIFY(alive && alive->isVisible());
        QCOMPARE(w->picItem1->Text(), " 1");
        QCOMPARE(RawFrames(bench.line), QStringList{"*1B1"});
        // Once it is over, the close box works.
        w->close();
        emu::Settle();
        QVERIFY(!alive);
    }

    // A frame that never left is a failure, not "sent".
    void nothingSent()
    {
        emu::CounterBench bench;
        {
            meterlink::PortWaitScope anotherExchange;
            meterlink::Cmd = "*1C0";
            meterlink::SendCommand();
            QCOMPARE(meterlink::CommStatus, int(meterlink::StatusPortError));
        }
        frmCmds* w = OpenCommands();
        meterlink::Commx().SetPortOpen(false);
        w->cmdMRst->click();
        QCOMPARE(w->lblErrText->text(), Failure);
        QCOMPARE(platform::BackColor(w->lblErrText), setup::ColorRed);
        QTest::qWait(150);
        QVERIFY(bench.line.frames().empty());
    }

    // The line lost under the program: one message, the serial menus off,
    // and Get Setup does not try.
    void lineLost()
    {
        emu::CounterBench bench;
        auto* menu = platform::Load<mainmenu::frmMMenu>();
        menu->Show();
        emu::Settle();
        QVERIFY(menu->mnuCounter->isEnabled());
        bench.line.hangUp();
        QTRY_COMPARE(bench.messages.size(), 1);
        QVERIFY(bench.messages[0].text.contains("was lost"));
        QVERIFY(!menu->mnuCounter->isEnabled() && !menu->mnuMRdgs->isEnabled()
                && !menu->mnuCmds->isEnabled() && !menu->mnuCalib->isEnabled());
        const int beeps = platform::BeepCount();
        menu->mnuGet_Click();
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QVERIFY(!menu->lblGPText->isVisible());
        // Coming back to the main menu does not turn them on again.
        menu->hide();
        menu->Show();
        emu::Settle();
        QVERIFY(!menu->mnuCounter->isEnabled());
        QTest::qWait(100);
        QCOMPARE(bench.messages.size(), 1);
        QVERIFY(bench.line.frames().empty());
    }
};

QTEST_MAIN(TstLiveCmds)
#include "tst_live_cmds.moc"
