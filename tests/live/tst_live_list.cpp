// The list window on an emulated meter streaming its readings: start,
// records in order, pause, continue, end, the port left for Get Setup, and
// printing the window.

#include "link/CommControl.h"
#include "live/Readings.h"
#include "live/frmList.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Grid.h"
#include "platform/Printing.h"
#include "support/FormTestKit.h"
#include "support/GetPutKit.h"

#include <QPushButton>
#include <QTemporaryDir>

using live::frmList;

namespace {

QByteArray Record(int n)
{
    return " " + QByteArray::number(n).rightJustified(5, '0') + "\r";
}

QStringList RawFrames(const emu::MeterEmulator& line)
{
    QStringList out;
    for (const emu::Frame& f : line.frames())
        out << QString::fromLatin1(f.raw);
    return out;
}

// The numbers shown, in the order the grid fills (column by column).
QList<int> Shown(const frmList* w)
{
    QList<int> out;
    for (int c = 0; c < w->grdList->Cols(); ++c)
        for (int r = 0; r < w->grdList->Rows(); ++r) {
            const QString t = w->grdList->TextMatrix(r, c);
            if (!t.trimmed().isEmpty())
                out << t.toInt();
        }
    return out;
}

frmList* OpenList()
{
    auto* menu = platform::Load<mainmenu::frmMMenu>();
    menu->Show();
    emu::Settle();
    auto* w = static_cast<frmList*>(platform::Load(QStringLiteral("frmList")));
    w->Show();
    return w;
}

} // namespace

class TstLiveList : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        platform::SetPrintToPdf({});
        platform::CloseAllForms();
        emu::Settle();
    }

    void streamEndToEnd()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        bench.line.setStream("A0", "A1", Record, 20);
        frmList* w = OpenList();
        QPointer<frmList> alive(w);

        // Started once, the port set for the readings, records in order.
        QTRY_VERIFY(Shown(w).size() >= 10);
        QCOMPARE(RawFrames(bench.line), QStringList{"*1A0"});
        auto& port = meterlink::Commx();
        QVERIFY(port.NullDiscard() && port.InputLen() == 0 && port.Handshaking() == 3);
        QVERIFY(live::ListCols >= 1 && w->grdList->Cols() == live::ListCols);
        QCOMPARE(w->grdList->RowHeight(0), 300); // 304 twips, to whole pixels
        QList<int> shown = Shown(w);
        for (int i = 1; i < shown.size(); ++i)
            QCOMPARE(shown[i], shown[i - 1] + 1);
        QCOMPARE(w->grdList->TextMatrix(live::ListRow, live::ListCol), " ");
        QVERIFY(!w->grdList->TextMatrix(0, 0).contains('\r'));

        // Pause: nothing is sent and the list stands still.
        w->cmdPause->click();
        QTest::qWait(100);
        const QString paused = w->grdList->Contents();
        QTest::qWait(300);
        QCOMPARE(w->grdList->Contents(), paused);
        QCOMPARE(RawFrames(bench.line), QStringList{"*1A0"});

        // Continue asks again and the list moves on, still in order.
        w->cmdContin->click();
        QTRY_COMPARE(RawFrames(bench.line), (QStringList{"*1A0", "*1A0"}));
        QTRY_VERIFY(w->grdList->Contents() != paused);
        QTest::qWait(200);
        shown = Shown(w);
        QVERIFY(shown.size() >= 2);

        // End: "A1" once, back to the main menu, the window gone.
        w->cmdEnd->click();
        emu::Settle();
        QTRY_VERIFY(!alive);
        QTRY_COMPARE(RawFrames(bench.line), (QStringList{"*1A0", "*1A0", "*1A1"}));
        QTest::qWait(100);
        QCOMPARE(RawFrames(bench.line).size(), 3);
        QVERIFY(!bench.line.streaming());
        QVERIFY(!meterlink::Commx().RTSEnable());
        QVERIFY(platform::Find<mainmenu::frmMMenu>()->isVisible());

        // The port serves the next Get Setup.
        const mainmenu::TransferOutcome got = mainmenu::GetSetup();
        QCOMPARE(int(got.result), int(mainmenu::TransferResult::Done));
    }

    // A backlog arriving at once: every record is framed and the grid ends
    // with the newest, none merged.
    void backlog()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        frmList* w = OpenList();
        QTRY_COMPARE(RawFrames(bench.line), QStringList{"*1A0"});
        QTest::qWait(50);
        QByteArray burst;
        for (int n = 0; n < 5000; ++n)
            burst += Record(n);
        bench.line.send(burst);
        QTRY_VERIFY(Shown(w).contains(4999));
        const QList<int> shown = Shown(w);
        const int cells = 20 * live::ListCols - 1; // all but the blank marker
        QCOMPARE(shown.size(), cells);
        // Filled column by column, wrapping: consecutive once rotated.
        QList<int> sorted = shown;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted.last(), 4999);
        QCOMPARE(sorted.first(), 4999 - cells + 1);
        // Closing the window ends the stream too.
        w->close();
        emu::Settle();
        QTRY_COMPARE(RawFrames(bench.line).last(), "*1A1");
        QCOMPARE(RawFrames(bench.line).count("*1A1"), 1);
    }

    // The 21st record goes to the top of the next column; after the last
    // column the first is written over; the next cell is always blank.
    void wrap()
    {
        setup::InitTables();
        auto* w = static_cast<frmList*>(platform::Load(QStringLiteral("frmList")));
        w->grdList->SetCols(2);
        live::ListCols = 2;
        live::ListRow = live::ListCol = 0;
        for (int n = 1; n <= 21; ++n)
            w->AddListRow(QString::number(n));
        QCOMPARE(w->grdList->TextMatrix(0, 1), "21");
        QCOMPARE(w->grdList->TextMatrix(1, 1), " ");
        for (int n = 22; n <= 41; ++n)
            w->AddListRow(QString::number(n));
        QCOMPARE(w->grdList->TextMatrix(0, 0), "41");
        QCOMPARE(w->grdList->TextMatrix(1, 0), " ");
        QCOMPARE(w->grdList->TextMatrix(2, 0), "3");

        const int beeps = platform::BeepCount();
        emit w->grdList->Click();
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(platform::BeepCount(), beeps + 2);
    }

    void print()
    {
        setup::InitTables();
        QTemporaryDir dir;
        const QString pdf = dir.filePath("list.pdf");
        platform::SetPrintToPdf(pdf);
        auto* w = static_cast<frmList*>(platform::Load(QStringLiteral("frmList")));
        w->grdList->SetTextMatrix(0, 0, " 12345");
        w->cmdPrint->click();
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.size() > 1000);
        QVERIFY(f.read(5) == "%PDF-");
    }
};

QTEST_MAIN(TstLiveList)
#include "tst_live_list.moc"
