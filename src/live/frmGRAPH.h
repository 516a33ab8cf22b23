#pragma once
// The graph window: the meter's readings counted into 31 classes, one per
// small division around a mid-scale value, drawn as bars whose scale doubles
// whenever a bar would pass the top. A reading below or above the classes
// shows a blinking arrow at that side. Pause and Continue keep the bars; New
// Scale and OK start again from empty counts.

#include "live/ChartWindow.h"
#include "live/Charts.h"

namespace live {

class frmGRAPH : public ChartWindow {
    Q_OBJECT
public:
    frmGRAPH();

    QLabel* lblVertScale = nullptr;
    QLineEdit* txtVertScale = nullptr;

    // Starts a run: empty counts, the scale drawn, the stream read.
    void GraphReadings();
    void DrawGraphScale();
    void DrawGraphLabels();
    // Counts and draws one record (without its terminator).
    void GraphRecord(const QString& record);

    const GraphRun& Run() const { return run_; }

protected:
    void StartRun() override { GraphReadings(); }
    void UseRecord(const QString& record) override { GraphRecord(record); }

private:
    GraphRun run_;
};

} // namespace live
