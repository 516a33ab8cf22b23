#pragma once
// The commands window: resets, reading requests whose answers show in four
// read-out boxes, and text for the meter's remote display. An arrow slides
// from the computer to the meter while a command goes out and back while
// the answer comes in.
//
// One exchange at a time: while a command runs (its send, the animation and
// its answer) the other buttons, OK and the close box do nothing.

#include "platform/Forms.h"

#include <QFrame>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace live {

// A picture box that shows text printed at a place, in twips.
class ReadoutBox : public QFrame {
    Q_OBJECT
public:
    explicit ReadoutBox(QWidget* parent = nullptr);
    void Cls();
    void Print(int xTwips, int yTwips, const QString& text);
    QString Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString text_;
    QPoint at_;
};

class frmCmds : public platform::Form {
    Q_OBJECT
public:
    frmCmds();

    QLabel *lblResets = nullptr, *lblRdgs = nullptr, *lblRmtDspy = nullptr,
           *lblEntVal = nullptr, *lblModeC = nullptr, *lblErrText = nullptr;
    QPushButton *cmdMRst = nullptr, *cmdFRst = nullptr, *cmdLARst = nullptr, *cmdPeak = nullptr,
                *cmdRmtDspy = nullptr;
    QPushButton *cmdItem1 = nullptr, *cmdItem2 = nullptr, *cmdItem3 = nullptr,
                *cmdPeakRd = nullptr, *cmdActive = nullptr, *cmdActiveP = nullptr;
    ReadoutBox *picItem1 = nullptr, *picItem2 = nullptr, *picItem3 = nullptr, *picPeak = nullptr;
    QLineEdit* txtRmtDspy = nullptr;
    QPushButton *cmdDspyOnly = nullptr, *cmdItm3Only = nullptr, *cmdBoth = nullptr,
                *cmdC = nullptr;
    QWidget* picCmptrCtr = nullptr;
    QLabel* picCurrent = nullptr;
    QTimer* Timer1 = nullptr;
    QPushButton* cmdOK = nullptr;

    int RmtTextSent = 0;

    // True while a command of this window runs.
    bool Busy() const { return busy_; }

    void ClearItemPictures();
    void AnimateSend();
    void AnimateReply();
    void SplitActiveItems(int withPeak);

    void cmdOK_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();
    void Reset(const char* letters, const QString& sent);
    void RemoteText(const QString& cmd, const QString& sent);
    void Reading(const char* letters, ReadoutBox* target, const QString& sent,
                 const QString& received);
    void AllActive(int withPeak);
    // Sends the request and collects the answer with the arrow's animation;
    // false when the meter did not answer (the red failure text is shown),
    // the window went or the program is ending.
    bool AskMeter(const char* letters, const QString& sent);
    void ShowStatus(const QString& text, quint32 color);
    // Moves the arrow from `from` by `step` twips a tick while keepGoing
    // holds. False when the window went or the program is ending meanwhile.
    bool Animate(int from, const QString& picture, int step, bool (*keepGoing)(int));
    bool WaitTick();

    bool busy_ = false;
};

} // namespace live
