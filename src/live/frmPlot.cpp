#include "live/frmPlot.h"

#include "live/Readings.h"
#include "platform/PictureBox.h"

#include <QLineEdit>
#include <QPushButton>

namespace live {

namespace {

ChartWindow::Design PlotDesign()
{
    ChartWindow::Design d;
    d.name = QStringLiteral("frmPlot");
    d.caption = QStringLiteral("PLOT");
    d.picture = QRect(75, 0, 9240, 6375);
    d.thirdLabel = QStringLiteral("Total Plot Time (Secs)");
    d.thirdLabelName = QStringLiteral("lblHorzTime");
    d.thirdTextName = QStringLiteral("txtHorzTime");
    d.thirdLabelAt = QRect(2760, 2025, 2280, 270);
    d.thirdTextAt = QRect(5100, 2025, 1290, 390);
    d.print = QRect(675, 6375, 1065, 315);
    d.save = QRect(1950, 6375, 1245, 300);
    d.pause = QRect(3375, 6375, 1245, 300);
    d.cont = QRect(4800, 6375, 1245, 300);
    d.newScale = QRect(6225, 6375, 1245, 300);
    d.end = QRect(7650, 6375, 1245, 300);
    return d;
}

} // namespace

frmPlot::frmPlot() : ChartWindow(PlotDesign())
{
    lblHorzTime = lblThird;
    txtHorzTime = txtThird;
}

void frmPlot::DrawPlotScale()
{
    platform::PictureBox* p = Picture1;
    p->Scale(PlotLeft, PlotTop, PlotRight, PlotBottom);

    // Axes with the width the picture has (2 after a run).
    p->Line(0, 210, 0, -210);
    p->Line(0, -210, 1000, -210);
    for (int i = 0; i <= 20; ++i) {
        p->Line(-15, 10 * i, 0, 10 * i);
        p->Line(-15, -10 * i, 0, -10 * i);
        if (i % 5 == 0) {
            p->Line(-30, 10 * i, 0, 10 * i);
            p->Line(-30, -10 * i, 0, -10 * i);
        }
    }
    for (int j = 0; j <= 10; ++j)
        p->Line(100 * j, -210, 100 * j, -220);
    for (int j = 1; j <= 10; ++j)
        p->Line(100 * j - 50, -210, 100 * j - 50, -215);

    p->SetDrawWidth(1);
    p->SetDrawStyle(platform::PictureBox::DrawStyle::Dot);
    for (int k = 0; k <= 200; k += 50) {
        p->Line(0, k, 1000, k);
        p->Line(0, -k, 1000, -k);
    }
    for (int m = 0; m <= 1000; m += 100)
        p->Line(m, -210, m, 210);
    p->SetDrawWidth(2);
    p->SetDrawStyle(platform::PictureBox::DrawStyle::Solid);

    for (int i = -20; i <= 20; i += 5) {
        const QString label =
            ScaleLabel(ScaleLabelValue(scale_.mid, scale_.small, i), scale_.decimals);
        const double w = p->TextWidth(label), h = p->TextHeight(label);
        p->SetCurrentX(-35 - w);
        p->SetCurrentY(10 * i + 18 - h / 2);
        p->Print(label);
    }
    for (int j = 0; j <= 10; ++j) {
        const QString label = TimeLabel(TimeLabelValue(scale_.time, j));
        const double w = p->TextWidth(label), h = p->TextHeight(label);
        // The last one ends at the right edge.
        p->SetCurrentX(j == 10 ? PlotRight - w : 100 * j - w / 2);
        p->SetCurrentY(-230 + h / 2);
        p->Print(label);
    }
}

void frmPlot::PlotReadings()
{
    PlotDone = 0;
    ResetPlotTime();
    scale_ = ReadPlotScale(txtMidVal->text(), txtSmallVal->text(), txtHorzTime->text());
    DrawPlotScale();
    FirstReading = 1;
    prevY_ = 0;
    Paused = 0;
    BeginReading();
}

void frmPlot::PlotRecord(const QString& record)
{
    if (!RunActive() || Paused == 1)
        return;
    // A number too large for any scale is no reading to draw.
    const std::optional<float> v = RecordValue(record);
    if (!v)
        return;
    const double now = PlotClock();
    const bool first = FirstReading == 1;
    const PlotStep step =
        NextPlotStep(*v, first ? 0.0 : PlotRunningTime(now), first, prevY_, scale_);
    if (step.done) {
        Paused = 1;
        PlotDone = 1;
        cmdContinue->setFocus(Qt::OtherFocusReason);
    }
    platform::PictureBox* p = Picture1;
    p->SetDrawWidth(step.width);
    if (first) {
        StartPlotTime(now);
        p->PSet(0, step.y);
        FirstReading = 0;
    } else {
        p->LineTo(step.x, step.y);
    }
    p->SetDrawWidth(2);
}

void frmPlot::AfterPause()
{
    PausePlotTime(PlotClock());
}

void frmPlot::AfterContinue()
{
    if (PlotDone == 1) {
        Picture1->Cls();
        PlotReadings();
    } else {
        ContinuePlotTime(PlotClock());
    }
}

} // namespace live
