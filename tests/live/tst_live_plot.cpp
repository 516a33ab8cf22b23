// The plot window: the scale and time labels as drawn, a run across Pause
// and Continue up to a full time axis, and the window on an emulated meter
// streaming readings, with Save and Print.

#include "link/CommControl.h"
#include "live/Charts.h"
#include "live/Readings.h"
#include "live/frmPlot.h"
#include "platform/FileDialog.h"
#include "platform/Printing.h"
#include "support/ChartTestKit.h"
#include "support/GetPutKit.h"

#include <QTemporaryDir>

using live::frmPlot;
using emu::Drawn;

namespace {

double fakeNow = 0;
double FakeClock()
{
    return fakeNow;
}

frmPlot* OpenPlot(const QString& mid, const QString& small, const QString& time)
{
    auto* w = emu::OpenChart<frmPlot>(QStringLiteral("frmPlot"));
    if (!QTest::qWaitFor([&] { return QApplication::focusWidget() == w->txtMidVal; }))
        QTest::qFail("the scale entry did not open", __FILE__, __LINE__);
    emu::TypeScale(w, w->txtHorzTime, mid, small, time);
    return w;
}

// A record at a given clock time.
void At(frmPlot* w, double now, const QString& record)
{
    fakeNow = now;
    w->PlotRecord(record);
}

} // namespace

class TstLivePlot : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        live::SetPlotClock(nullptr);
        platform::SetFileDialogAnswerer({});
        platform::SetPrintToPdf({});
        platform::CloseAllForms();
        emu::Settle();
    }

    // The scale of M 100, S 0.5, T 60, and of blank entries.
    void scaleDrawing()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        frmPlot* w = OpenPlot("100", "0.5", "60");
        QVERIFY(!w->cmdOK->isVisible() && !w->txtMidVal->isVisible());
        const platform::PictureBox* p = w->Picture1;
        const QList<Drawn> lines = emu::Items(p, Drawn::Kind::Line);
        QCOMPARE(lines[1].to, QPointF(1000, -210));
        QStringList want{"90.0", "92.5", "95.0", "97.5", "100.0", "102.5", "105.0", "107.5", "110.0",
                         "0",    "6.",   "12.",  "18.",  "24.",   "30.",   "36.",   "42.",   "48.",
                         "54.",  "60."};
        QCOMPARE(emu::Texts(p), want);

        // New Scale keeps the texts; emptied, they give -20. to 20.
        w->cmdNewScale->click();
        QVERIFY(p->Journal().isEmpty() && w->cmdOK->isVisible());
        QCOMPARE(w->txtHorzTime->text().trimmed(), "60");
        for (QLineEdit* t : {w->txtMidVal, w->txtSmallVal, w->txtHorzTime})
            t->setText("         ");
        w->cmdOK->click();
        QCOMPARE(emu::Texts(p).mid(0, 9),
                 (QStringList{"-20.", "-15.", "-10.", "-5.", "0.", "5.", "10.", "15.", "20."}));
        QCOMPARE(emu::Texts(p).last(), "1.");
    }

    // A run with its own clock: points at their times, Pause twice, a full
    // axis, Continue with a fresh run, and Pause before the first record.
    void plotRun()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        live::SetPlotClock(FakeClock);
        frmPlot* w = OpenPlot("100", "1", "10");
        const platform::PictureBox* p = w->Picture1;
        const qsizetype scale = p->Journal().size();

        At(w, 100, "100");
        At(w, 102.5, " 125 ");
        At(w, 105, "125");
        At(w, 105, "1E39"); // not plotted
        At(w, 105.5, "ABC"); // plots at 0
        QList<Drawn> drawn = p->Journal().mid(scale);
        QCOMPARE(drawn.size(), 4);
        QCOMPARE(int(drawn[0].kind), int(Drawn::Kind::Dot));
        QCOMPARE(drawn[0].from, QPointF(0, 0));
        QCOMPARE(drawn[1].to, QPointF(250, 210));
        QCOMPARE(drawn[1].width, 2);
        QCOMPARE(drawn[2].from, QPointF(250, 210));
        QCOMPARE(drawn[2].to, QPointF(500, 210));
        QCOMPARE(drawn[2].width, 1);
        QCOMPARE(drawn[3].to, QPointF(550, -205)); // 0 lies far below M 100
        QCOMPARE(drawn[3].width, 2);

        // Paused for 94 s, with a second Pause in between: not counted.
        fakeNow = 106;
        w->cmdPause->click();
        fakeNow = 108;
        w->cmdPause->click();
        At(w, 150, "100"); // dropped while paused
        fakeNow = 200;
        w->cmdContinue->click();
        At(w, 202, "100");
        QCOMPARE(p->Journal().last().to, QPointF(800, 0));
        QCOMPARE(live::PlotDone, 0);

        // The axis is full: the last segment still drawn, then paused.
        At(w, 205.5, "100");
        QCOMPARE(p->Journal().last().to, QPointF(1150, 0));
        QCOMPARE(live::PlotDone, 1);
        QCOMPARE(live::Paused, 1);
        QCOMPARE(QApplication::focusWidget(), w->cmdContinue);
        const qsizetype full = p->Journal().size();
        At(w, 206, "100");
        QCOMPARE(p->Journal().size(), full);

        // Continue: a new run on a fresh scale; Pause before its first
        // record does not shift its time axis.
        fakeNow = 300;
        w->cmdContinue->click();
        QTRY_COMPARE(emu::RawFrames(bench.line).count("*1A0"), 3);
        QCOMPARE(live::PlotDone, 0);
        QCOMPARE(p->Journal().size(), scale);
        fakeNow = 301;
        w->cmdPause->click();
        fakeNow = 302;
        w->cmdPause->click();
        fakeNow = 310;
        w->cmdContinue->click();
        At(w, 400, "100");
        At(w, 405, "101");
        QCOMPARE(p->Journal().last().from, QPointF(0, 0));
        QCOMPARE(p->Journal().last().to, QPointF(500, 10));
    }

    // On an emulated meter: the entry opens by itself, the stream is
    // plotted, Save writes the picture, Print prints, End stops the meter.
    void streamEndToEnd()
    {
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        bench.line.setStream("A0", "A1", [](int n) { return QByteArray(n % 2 ? " 100.5\r" : " 99.5\r"); }, 20);
        auto* w = emu::OpenChart<frmPlot>(QStringLiteral("frmPlot"));
        QPointer<frmPlot> alive(w);
        QTRY_COMPARE(QApplication::focusWidget(), w->txtMidVal);
        QCOMPARE(w->txtSmallVal->text(), "         ");
        QVERIFY(w->lblHorzTime->isVisible() && w->cmdOK->isEnabled());
        QCOMPARE(live::Paused, 1);

        QTest::keyClicks(w->txtMidVal, "100");
        QTest::keyClick(w->txtMidVal, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->txtSmallVal);
        QTest::keyClicks(w->txtSmallVal, "1");
        QTest::keyClick(w->txtSmallVal, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w->txtHorzTime);
        QTest::keyClicks(w->txtHorzTime, "60");
        QTest::keyClick(w->txtHorzTime, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->cmdOK);
        QTest::keyClick(w->cmdOK, Qt::Key_Return);
        QVERIFY(!w->cmdOK->isVisible() && !w->cmdOK->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w->cmdPause);

        const platform::PictureBox* p = w->Picture1;
        const qsizetype scale = p->Journal().size();
        QTRY_VERIFY(p->Journal().size() > scale + 5);
        QCOMPARE(emu::RawFrames(bench.line), QStringList{"*1A0"});
        const Drawn last = p->Journal().last();
        QVERIFY(last.to.y() == 5 || last.to.y() == -5);
        QVERIFY(last.to.x() >= 0 && last.to.x() < 100);

        // Save under a name without ".bmp": a 24-bit picture of the
        // picture box's size with the time axis where it is drawn.
        QTemporaryDir dir;
        platform::FileDialogRequest asked;
        platform::SetFileDialogAnswerer([&](const platform::FileDialogRequest& r) {
            asked = r;
            return std::optional<QString>(dir.filePath("plot"));
        });
        w->cmdSave->click();
        QCOMPARE(asked.action, int(platform::FileDialog::ActionSave));
        QFile bmp(dir.filePath("plot"));
        QVERIFY(bmp.open(QIODevice::ReadOnly));
        const QByteArray head = bmp.read(30);
        QCOMPARE(head.left(2), QByteArray("BM"));
        QCOMPARE(int(quint8(head[28])), 24);
        const QImage saved(dir.filePath("plot"), "BMP");
        QCOMPARE(saved.size(), p->size());
        const QPointF axis = p->ToPixels(500, -210);
        QCOMPARE(saved.pixelColor(int(axis.x()), qRound(axis.y())), QColor(Qt::black));
        // Cancel changes nothing and says nothing.
        platform::SetFileDialogAnswerer([](const platform::FileDialogRequest&) { return std::nullopt; });
        w->cmdSave->click();
        QVERIFY(bench.messages.isEmpty());

        const QString pdf = dir.filePath("plot.pdf");
        platform::SetPrintToPdf(pdf);
        w->cmdPrint->click();
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly) && printed.read(5) == "%PDF-");

        // Pause sends nothing; End stops the meter once and goes back to the menu.
        w->cmdPause->click();
        const qsizetype paused = p->Journal().size();
        QTest::qWait(200);
        QCOMPARE(p->Journal().size(), paused);
        w->cmdEnd->click();
        emu::Settle();
        QTRY_VERIFY(!alive);
        QTRY_COMPARE(emu::RawFrames(bench.line), (QStringList{"*1A0", "*1A1"}));
        QVERIFY(!bench.line.streaming());
        QVERIFY(meterlink::Commx().RTSEnable()); // only the list drops it
        QVERIFY(platform::Find<mainmenu::frmMMenu>()->isVisible());
    }
};

QTEST_MAIN(TstLivePlot)
#include "tst_live_plot.moc"
