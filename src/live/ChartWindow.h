#pragma once
// What the plot and graph windows share: a picture box, the scale entry
// over it (three labelled boxes and OK, shown only while a scale is being
// entered), the Print, Save, Pause, Continue, New Scale and End buttons, and
// the readings stream they draw from. Each window adds only its drawing:
// what a run draws first (StartRun) and what it does with a record
// (UseRecord).
//
// The stream is started when the window is first shown; the focus then goes
// to New Scale, whose getting the focus opens the scale entry (so does a
// click on it, keeping the texts). OK starts a run. Records are used only
// while a run is on and the readings are not paused.

#include "platform/Forms.h"

#include <QRect>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class PictureBox;
}

namespace live {

class ReadingsReader;

class ChartWindow : public platform::Form {
    Q_OBJECT
public:
    // Places in twips (left, top, width, height).
    struct Design {
        QString name, caption;
        QRect picture;
        QString thirdLabel, thirdLabelName, thirdTextName;
        QRect thirdLabelAt, thirdTextAt;
        QRect print, save, pause, cont, newScale, end;
    };

    explicit ChartWindow(const Design& design);
    ~ChartWindow() override;

    platform::PictureBox* Picture1 = nullptr;
    QLabel *lblMidVal = nullptr, *lblSmallVal = nullptr;
    QLineEdit *txtMidVal = nullptr, *txtSmallVal = nullptr;
    QPushButton *cmdOK = nullptr, *cmdPrint = nullptr, *cmdSave = nullptr, *cmdPause = nullptr,
                *cmdContinue = nullptr, *cmdNewScale = nullptr, *cmdEnd = nullptr;

    void cmdNewScale_GotFocus();
    void cmdNewScale_Click();
    void cmdOK_Click();
    void cmdPause_Click();
    void cmdContinue_Click();
    void cmdEnd_Click();
    void cmdSave_Click();
    void cmdPrint_Click();

    // Uses the records as the stream delivers them, in order, while a run
    // is on; stops at a pause (a full time axis pauses too).
    void UseRecords(const QStringList& records);

    // True while a run is drawing (after OK, until a new scale entry).
    bool RunActive() const { return runActive_; }
    ReadingsReader* Reader() const { return reader_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    // The third entry box and its label (plot time or vertical scale).
    QLabel* lblThird = nullptr;
    QLineEdit* txtThird = nullptr;

    // Draws the scale of a new run and starts reading (after OK, and after
    // Continue when the plot is full).
    virtual void StartRun() = 0;
    virtual void UseRecord(const QString& record) = 0;
    virtual void AfterPause() {}
    virtual void AfterContinue() {}

    // Starts the stream reader for a run.
    void BeginReading();
    void EndRun() { runActive_ = false; }

private:
    void OpenScaleEntry(bool blankTexts);
    void ShowScaleEntry(bool shown);
    void End();

    ReadingsReader* reader_ = nullptr;
    bool started_ = false;
    bool runActive_ = false;
    bool ended_ = false;
    bool stopSent_ = false;
};

} // namespace live
