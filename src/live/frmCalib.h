#pragma once
// The time-base calibration window. The user applies a known frequency to
// the meter and types it; Calib gives the meter a temporary scale that makes
// that frequency read near 900,000, clears its correction, reads item 1,
// puts the meter's own scale factor, offset and scale register back and
// writes the correction worked out from the reading.
//
// The window is ready (instructions, frequency, CANCEL), running (the steps
// appear one by one, no button; closing is ignored, so that the meter gets
// its own settings back) or done (OK). A meter that does not answer, or
// gives no reading, ends the run with a red message telling what was
// changed and what was put back.

#include "platform/Forms.h"

#include <QFrame>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace live {

// A picture box that lines are printed into, one below the other from its
// top left.
class PrintBox : public QFrame {
    Q_OBJECT
public:
    explicit PrintBox(QWidget* parent = nullptr);
    void Cls();
    void Print(const QString& line);
    QStringList Lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QStringList lines_;
};

class frmCalib : public platform::Form {
    Q_OBJECT
public:
    frmCalib();

    enum class State { Ready, Running, Done };
    State CurrentState() const { return state_; }

    QLabel* lblProc = nullptr;
    PrintBox* picCAL1 = nullptr;
    QLabel* lblEnter = nullptr;
    QLineEdit* txtFreq = nullptr;
    PrintBox* picCAL2 = nullptr;
    QLabel *lblCalc = nullptr, *lblReturn = nullptr, *lblSet = nullptr;
    QLineEdit* txtScaleFactor = nullptr;
    QLabel *lblPPM = nullptr, *lblRange = nullptr, *lblDone = nullptr;
    // The red message of a run that did not finish.
    QLabel* lblFail = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCANCEL = nullptr;

    void Calib();
    void cmdOK_Click();
    void cmdCANCEL_Click();

protected:
    void Form_Unload(bool& cancel) override;
    void showEvent(QShowEvent* e) override;

private:
    void BuildControls();
    void SetUp();
    void Finish(const QString& failure);

    State state_ = State::Ready;
    bool setUp_ = false;
};

} // namespace live
