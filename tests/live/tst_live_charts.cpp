// The arithmetic of the plot and graph windows, apart from any window: the
// value of a record, where a reading goes on the plot and which class it
// counts in on the graph (halves to even, in single precision), the full
// scale's doubling, the labels and the plot's running time.
//
// Built a second time as for a processor with fused multiply-add: a fused
// multiply and add rounds once where the single-precision sums round twice,
// and would move exact halves to the other side.

#include "live/Charts.h"

#include <QtTest>

#include <cstdio>

class TstLiveCharts : public QObject {
    Q_OBJECT

private slots:
    void recordValues()
    {
        QCOMPARE(live::RecordValue("\x02 12.5\x03"), std::optional<float>(12.5f));
        QCOMPARE(live::RecordValue("ABC"), std::optional<float>(0.0f));
        QCOMPARE(live::RecordValue("*/,-3"), std::optional<float>(-3.0f));
        QCOMPARE(live::RecordValue("1E-400"), std::optional<float>(0.0f));
        // Too large for any scale: not a reading of 0, nor infinity.
        QVERIFY(!live::RecordValue("1E39"));
        QVERIFY(!live::RecordValue("5E99999999999999999999"));
    }

    void points()
    {
        // Halves to even on both axes.
        live::PlotScale s = live::ReadPlotScale("0", "4", "1000");
        QCOMPARE(live::PlotY(1, s), 2.0);
        QCOMPARE(live::PlotY(3, s), 8.0);
        QCOMPARE(live::PlotX(2.5, s), 2.0);
        QCOMPARE(live::PlotX(3.5, s), 4.0);

        // Off the scale: the way there is thick, a run along the edge thin.
        s = live::ReadPlotScale("100", "1", "10");
        double prevY = 0;
        struct Want { double v; double y; int width; };
        const Want steps[] = {{125, 210, 2}, {125, 210, 1}, {100, 0, 2}, {-1e30, -205, 2},
                              {-50, -205, 1}, {120, 200, 2}, {80, -200, 2}, {79.9f, -205, 2}};
        for (const Want& want : steps) {
            const live::PlotStep st = live::NextPlotStep(want.v, 1, false, prevY, s);
            QCOMPARE(st.y, want.y);
            QCOMPARE(st.width, want.width);
            QCOMPARE(prevY, want.y);
        }
        // A negative division turns the scale upside down.
        QCOMPARE(live::PlotY(105, live::ReadPlotScale("100", "-1", "10")), -50.0);
        // An exact half at a decimal division, reckoned in single precision.
        QCOMPARE(live::PlotY(-1.875f, live::ReadPlotScale("0", "0.1", "10")), -188.0);
        // The end of the time axis.
        QVERIFY(!live::NextPlotStep(100, 10, false, prevY, s).done);
        QVERIFY(live::NextPlotStep(100, 10.01, false, prevY, s).done);
        // Far outside in both directions, no overflow.
        const live::PlotScale tiny = live::ReadPlotScale("-3E38", "1E-38", "1E-30");
        const live::PlotStep far = live::NextPlotStep(3e38, 1e6, false, prevY, tiny);
        QCOMPARE(far.y, 210.0);
        QVERIFY(far.done);

        // Entry texts: blanks give M 0, S 1, T 1; T by magnitude; an unusable
        // number counts as none.
        s = live::ReadPlotScale("         ", "         ", "         ");
        QVERIFY(s.mid == 0 && s.small == 1 && s.time == 1 && s.decimals == 0);
        s = live::ReadPlotScale(" 12.25 ", "0", "-60");
        QVERIFY(s.mid == 12.25f && s.small == 1 && s.time == 60 && s.decimals == 2);
        s = live::ReadPlotScale("1E39", "1E39", "1E39");
        QVERIFY(s.mid == 0 && s.small == 1 && s.time == 1);
    }

    void labelFormats()
    {
        QCOMPARE(live::LabelDecimals("1.1234567", ""), 6);
        QCOMPARE(live::ScaleLabel(-20, 0), "-20.");
        QCOMPARE(live::ScaleLabel(0.3f - 3 * 0.1f, 1), "0.0");
        QCOMPARE(live::TimeLabel(0), "0");
        QCOMPARE(live::TimeLabel(3 * 1.0f / 10), ".3");
        // Outer labels past a single's range still read as their numbers.
        const QString far = "4" + QString(38, '0') + ".";
        QCOMPARE(live::ScaleLabel(live::ScaleLabelValue(0, 2e37f, 20), 0), far);
        QCOMPARE(live::ScaleLabel(live::ScaleLabelValue(0, 2e37f, -20), 0), "-" + far);
        QCOMPARE(live::TimeLabel(live::TimeLabelValue(2e38f, 10)), "2" + QString(38, '0') + ".");
    }

    // Pause counts the time so far only while the clock runs: a second
    // Pause, or one before the first record, leaves it alone; Continue
    // restarts the clock only after a Pause.
    void runningTime()
    {
        live::ResetPlotTime();
        live::PausePlotTime(5);
        live::ContinuePlotTime(6);
        QCOMPARE(live::PlotElapsed, 0.0);
        live::StartPlotTime(10);
        QCOMPARE(live::PlotRunningTime(12), 2.0);
        live::PausePlotTime(13);
        live::PausePlotTime(20);
        QCOMPARE(live::PlotRunningTime(25), 3.0);
        live::ContinuePlotTime(30);
        QCOMPARE(live::PlotRunningTime(31), 4.0);
        live::ContinuePlotTime(32);
        QCOMPARE(live::PlotRunningTime(33), 6.0);
        // A second Pause keeps the time before the first.
        live::PausePlotTime(35);
        QCOMPARE(live::PlotRunningTime(40), 8.0);
    }

    void classes()
    {
        struct Case { float v; int c; };
        const Case cases[] = {{100, 15}, {85, 0}, {115, 30}, {84.6f, 0}, {84.5f, 0},
                              {84.4f, -1}, {115.5f, 30}, {115.6f, 31}, {-3e38f, -1}, {3e38f, 31}};
        for (const Case& k : cases)
            QCOMPARE(live::GraphClassOf(k.v, 100, 1), k.c);
        // A tiny division puts everything far outside, without overflow.
        QCOMPARE(live::GraphClassOf(101, 100, 1e-38f), 31);
        QCOMPARE(live::GraphClassOf(99, 100, 1e-38f), -1);
        // A negative division turns the classes round.
        QCOMPARE(live::GraphClassOf(101, 100, -1), 14);
        // Exact halves at a decimal division, reckoned in single precision.
        QCOMPARE(live::GraphClassOf(-1.25f, 0, 0.1f), 2);
        QCOMPARE(live::GraphClassOf(0.15f, 0, 0.1f), 16);
    }

    // The full scale doubles as often as a count needs; a negative scale is
    // taken by magnitude and 0 (or none) as 1, so the doubling ends.
    void fullScale()
    {
        QCOMPARE(live::InitialFullScale("         "), 1.0);
        QCOMPARE(live::InitialFullScale("-5"), 5.0);
        QCOMPARE(live::InitialFullScale("1E39"), 1.0);

        live::GraphRun run;
        live::GraphFullScale = 5;
        for (int i = 0; i < 5; ++i)
            QVERIFY(!live::CountReading(run, 15));
        QVERIFY(live::CountReading(run, 15));
        QCOMPARE(live::GraphFullScale, 10.0);
        QCOMPARE(live::GraphLabelStep(), 2.0);

        live::GraphFullScale = live::InitialFullScale("0.3");
        run = live::GraphRun();
        QVERIFY(live::CountReading(run, 0));
        QCOMPARE(live::GraphFullScale, double(0.3f) * 4);
        QVERIFY(!live::CountReading(run, 31));
        QCOMPARE(live::CountLabel(2 * 5), "10");
        QCOMPARE(live::CountLabel(1e12), "1000000000000");
        // A full scale that is no multiple of 5 labels its lines truly.
        live::GraphFullScale = 1;
        QCOMPARE(live::CountLabel(live::GraphLabelStep() * 3), "0.6");
        live::GraphFullScale = 7;
        QCOMPARE(live::CountLabel(live::GraphLabelStep() * 5), "7");
        live::GraphFullScale = 10;
    }
};

int main(int argc, char** argv)
{
#ifdef CTR_FMA_CHECK
#if !defined(__FP_FAST_FMAF)
    std::puts("SKIP: the compiler has no fused multiply-add for this processor");
    return 77;
#elif defined(__x86_64__) || defined(__i386__)
    if (!__builtin_cpu_supports("fma")) {
        std::puts("SKIP: this processor has no fused multiply-add");
        return 77;
    }
#endif
#endif
    TstLiveCharts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_live_charts.moc"
