#pragma once
// The plot window: the meter's readings drawn against time as a strip
// chart. The user enters a mid-scale value, the value of one small division
// and the total plot time; each record then adds a point until the time
// axis is full, which pauses the plot (Continue starts a new one). Readings
// off the scale are drawn at its edge, a run of them as a thin line.

#include "live/ChartWindow.h"
#include "live/Charts.h"

namespace live {

class frmPlot : public ChartWindow {
    Q_OBJECT
public:
    frmPlot();

    QLabel* lblHorzTime = nullptr;
    QLineEdit* txtHorzTime = nullptr;

    // Draws the scale of a new run and starts reading.
    void PlotReadings();
    // Plots one record (without its terminator).
    void PlotRecord(const QString& record);

    const PlotScale& RunScale() const { return scale_; }

protected:
    void StartRun() override { PlotReadings(); }
    void UseRecord(const QString& record) override { PlotRecord(record); }
    void AfterPause() override;
    void AfterContinue() override;

private:
    void DrawPlotScale();

    PlotScale scale_;
    double prevY_ = 0;
};

} // namespace live
