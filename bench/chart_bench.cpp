// Drawing cost of the plot and graph windows: 10,000 records fed to each
// window (on an emulated meter, records given straight to the window, the
// event loop running between batches as it does while streaming). Fails
// when a window needs 1 s or more for them, when the last thousand records
// cost clearly more than the first thousand (drawing must not grow with the
// picture), or when a full repaint of the window takes 20 ms or more.
//
//   chart-bench

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "live/Charts.h"
#include "live/Windows.h"
#include "live/frmGRAPH.h"
#include "live/frmPlot.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "support/MeterEmulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr int Records = 10000;
constexpr int Batch = 100;
constexpr double TotalLimitMs = 1000;
constexpr double RepaintLimitMs = 20;

double fakeNow = 0;
double FakeClock()
{
    return fakeNow;
}

bool StartLink(const QString& folder)
{
    platform::SetMsgAnswerer([](const platform::ShownMessage& m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return platform::MsgResult::Ok;
    });
    const QString line = emu::SettingsLineFor(6, 1, '1', 0, 46, 1);
    QFile settings(folder + QStringLiteral("/Settings.SSS"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(line.toLatin1() + "\r\n") < 0)
        return false;
    settings.close();
    meterlink::SetProgramFolder(folder);
    meterlink::Main();
    if (!meterlink::Commx().PortOpen()) {
        std::fprintf(stderr, "the port did not open\n");
        return false;
    }
    live::RegisterWindows();
    return true;
}

bool WaitFor(const std::function<bool()>& ready)
{
    QElapsedTimer t;
    t.start();
    while (!ready() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return ready();
}

// Opens the window, enters the scale and starts a run.
live::ChartWindow* Open(const QString& name, const QString& mid, const QString& small,
                        const QString& third)
{
    auto* w = static_cast<live::ChartWindow*>(platform::Load(name));
    w->Show();
    // The scale entry opens once the window is active.
    if (!WaitFor([w] { return QApplication::focusWidget() == w->txtMidVal; }))
        return nullptr;
    w->txtMidVal->setText(mid);
    w->txtSmallVal->setText(small);
    w->findChild<QLineEdit*>(name == QLatin1String("frmPlot") ? QStringLiteral("txtHorzTime")
                                                               : QStringLiteral("txtVertScale"))
        ->setText(third);
    w->cmdOK->click();
    return w->RunActive() ? w : nullptr;
}

struct Result {
    double totalMs = 0, firstMs = 0, lastMs = 0, repaintMs = 0;
};

Result Feed(live::ChartWindow* w, const std::function<QString(int)>& record)
{
    Result r;
    QElapsedTimer total;
    total.start();
    for (int from = 0; from < Records; from += Batch) {
        QStringList batch;
        for (int n = from; n < from + Batch; ++n)
            batch << record(n);
        QElapsedTimer t;
        t.start();
        fakeNow = from;
        w->UseRecords(batch);
        QCoreApplication::processEvents();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (from < 1000)
            r.firstMs += ms;
        if (from >= Records - 1000)
            r.lastMs += ms;
    }
    r.totalMs = double(total.nsecsElapsed()) / 1e6;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        w->repaint();
        r.repaintMs = qMax(r.repaintMs, double(t.nsecsElapsed()) / 1e6);
    }
    return r;
}

bool Report(const char* what, const Result& r)
{
    // The last thousand may cost somewhat more (a busier picture to copy),
    // but not grow with the number drawn so far.
    const bool flat = r.lastMs <= 3 * r.firstMs + 20;
    const bool ok = r.totalMs < TotalLimitMs && r.repaintMs < RepaintLimitMs && flat;
    std::printf("%s: %d records in %7.1f ms (first 1000 %6.1f ms, last 1000 %6.1f ms), "
                "full repaint %5.2f ms  %s\n",
                what, Records, r.totalMs, r.firstMs, r.lastMs, r.repaintMs,
                ok ? "ok" : (!flat ? "GROWS" : "TOO SLOW"));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    emu::MeterEmulator meter(1);
    if (!meter.ok() || !StartLink(meter.programFolder()))
        return 2;
    live::SetPlotClock(FakeClock);

    bool ok = true;
    // Plot: T = Records seconds and one record a second, so the last one
    // reaches the end of the time axis; the values swing across the scale
    // and off it.
    live::ChartWindow* plot = Open(QStringLiteral("frmPlot"), "100", "1", QString::number(Records));
    if (!plot)
        return 2;
    ok &= Report("plot ", Feed(plot, [](int n) {
                     return QStringLiteral(" %1").arg(100 + (n * 37) % 500 * 0.1 - 25, 0, 'f', 1);
                 }));
    platform::Unload(plot);

    // Graph: readings over all classes and beyond; the scale doubles as the
    // bars grow.
    live::ChartWindow* graph = Open(QStringLiteral("frmGRAPH"), "100", "1", "5");
    if (!graph)
        return 2;
    ok &= Report("graph", Feed(graph, [](int n) {
                     return QStringLiteral(" %1").arg(100 + (n * 7) % 35 - 17);
                 }));
    platform::Unload(graph);
    meterlink::ClosePort();
    return ok ? 0 : 1;
}
