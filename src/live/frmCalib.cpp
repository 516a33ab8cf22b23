#include "live/frmCalib.h"

#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "live/Calibration.h"
#include "platform/Controls.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "setup/ModeModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include <optional>

namespace live {

using platform::TwipsRect;

namespace {

constexpr int ClientWidth = 8640;
constexpr int ClientHeight = 5520;
constexpr quint32 RangeRed = 0x000000FF;
constexpr quint32 White = 0x00FFFFFF;

const QString NoAnswerText =
    QStringLiteral("The meter did not answer properly. Nothing was changed.");
const QString NoReadingText = QStringLiteral(
    "The meter gave no reading. Its own scale factor and offset were put back; no new "
    "correction was written, so its correction is now 0.");
const QString LineFailedText = QStringLiteral(
    "The line to the meter failed. Its own scale factor and offset were put back; no new "
    "correction was written, so its correction is now 0.");
const QString NotRestoredText = QStringLiteral(
    "The line to the meter failed. Its own scale factor and offset could not be put back: "
    "check the meter's setup.");
const QString CorrectionUnsureText = QStringLiteral(
    "The line to the meter failed. Its own scale factor and offset were not changed, but "
    "its correction may now be 0.");
const QString NoCorrectionText = QStringLiteral(
    "The line to the meter failed. Its own scale factor and offset were put back, but the "
    "new correction could not be sent, so its correction is now 0.");

QString Frame(const QString& letters)
{
    return QStringLiteral("*") + meterlink::MeterAddr + letters;
}

bool Ending()
{
    return meterlink::Quitting() || platform::ProgramEnding();
}

void ShowMainMenu()
{
    if (platform::Form* menu = platform::Load(QStringLiteral("frmMMenu"))) {
        menu->Show();
        platform::SetMousePointer(menu, platform::MousePointer::Default);
    }
}

} // namespace

// ---- PrintBox -------------------------------------------------------------

PrintBox::PrintBox(QWidget* parent) : QFrame(parent) {}

void PrintBox::Cls()
{
    lines_.clear();
    setAccessibleDescription(QString());
    update();
}

void PrintBox::Print(const QString& line)
{
    lines_ << line;
    setAccessibleDescription(lines_.join(u'\n'));
    update();
}

void PrintBox::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    QPainter p(this);
    p.setFont(font());
    const QFontMetrics fm = p.fontMetrics();
    int y = fm.ascent();
    for (const QString& line : lines_) {
        p.drawText(0, y, line);
        y += fm.lineSpacing();
    }
}

// ---- frmCalib -------------------------------------------------------------

frmCalib::frmCalib() : platform::Form(QStringLiteral("frmCalib"))
{
    setWindowTitle(QStringLiteral("CALIBRATION"));
    SetDesignFont(QStringLiteral("Times New Roman"), 9.75, true);
    SetClientSizeTwips(ClientWidth, ClientHeight);
    BuildControls();
}

void frmCalib::BuildControls()
{
    auto label = [this](const char* name, const QString& text, QRect at) {
        return platform::MakeControl<QLabel>(this, QLatin1String(name), at, text);
    };
    auto button = [this](const char* name, const QString& text, QRect at, auto&& handler) {
        return platform::MakeButton(this, QLatin1String(name), text, at, handler);
    };
    auto printBox = [this](const char* name, QRect at) {
        auto* p = new PrintBox(this);
        p->setObjectName(QLatin1String(name));
        p->setGeometry(at);
        return p;
    };

    lblProc = label("lblProc", QStringLiteral("CALIBRATION  PROCEDURE"),
                    TwipsRect(240, 120, 8160, 420));
    lblProc->setFont(platform::DesignFont(QStringLiteral("Times New Roman"), 14.25, true));
    lblProc->setAlignment(Qt::AlignCenter);

    picCAL1 = printBox("picCAL1", TwipsRect(240, 660, 8160, 840));

    lblEnter = label("lblEnter",
                     QStringLiteral("Enter the known accurate input frequency in Hertz (no commas)  >"),
                     TwipsRect(240, 1680, 6360, 285));
    txtFreq = new QLineEdit(this);
    txtFreq->setObjectName(QStringLiteral("txtFreq"));
    txtFreq->setGeometry(TwipsRect(6720, 1620, 1680, 345));
    txtFreq->setAccessibleName(lblEnter->text());
    // Enter, on either key, runs the calibration; other keys type as usual.
    connect(txtFreq, &QLineEdit::returnPressed, this, [this] { Calib(); });

    picCAL2 = printBox("picCAL2", TwipsRect(240, 2160, 8160, 600));
    picCAL2->setFocusPolicy(Qt::StrongFocus);
    picCAL2->hide();

    lblCalc = label("lblCalc", QStringLiteral("Calculating the calibration factor."),
                    TwipsRect(240, 2880, 8160, 285));
    lblReturn = label("lblReturn",
                      QStringLiteral("Returning the meter to its original scale factor and offset."),
                      TwipsRect(240, 3240, 8160, 285));
    lblSet = label("lblSet", QStringLiteral("Setting the new calibration factor to"),
                   TwipsRect(240, 3690, 3360, 300));
    platform::SetBackColor(lblSet, White);
    txtScaleFactor = new QLineEdit(this);
    txtScaleFactor->setObjectName(QStringLiteral("txtScaleFactor"));
    txtScaleFactor->setGeometry(TwipsRect(3720, 3660, 1080, 345));
    txtScaleFactor->setReadOnly(true);
    txtScaleFactor->setAccessibleName(lblSet->text());
    lblPPM = label("lblPPM", QStringLiteral("PPM"), TwipsRect(4920, 3690, 600, 300));
    platform::SetBackColor(lblPPM, White);
    lblRange = label("lblRange", RangeText, TwipsRect(5640, 3690, 2760, 300));
    platform::SetBackColor(lblRange, RangeRed);
    lblDone = label("lblDone", QStringLiteral("Done."), TwipsRect(240, 4140, 1800, 285));
    lblFail = label("lblFail", QString(), TwipsRect(240, 4080, 8160, 600));
    lblFail->setWordWrap(true);
    lblFail->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::SetBackColor(lblFail, setup::ColorRed);

    for (QWidget* w : {static_cast<QWidget*>(lblCalc), static_cast<QWidget*>(lblReturn),
                       static_cast<QWidget*>(lblSet), static_cast<QWidget*>(txtScaleFactor),
                       static_cast<QWidget*>(lblPPM), static_cast<QWidget*>(lblRange),
                       static_cast<QWidget*>(lblDone), static_cast<QWidget*>(lblFail)})
        w->hide();

    cmdOK = button("cmdOK", QStringLiteral("OK"), TwipsRect(2400, 4860, 1440, 420),
                   [this] { cmdOK_Click(); });
    cmdCANCEL = button("cmdCANCEL", QStringLiteral("CANCEL"), TwipsRect(4800, 4860, 1440, 420),
                       [this] { cmdCANCEL_Click(); });
    cmdOK->setEnabled(false);
    cmdOK->hide();
}

// The window is set up at its first showing only: a resize in the middle of
// a run must not bring back the start state.
void frmCalib::showEvent(QShowEvent* e)
{
    platform::Form::showEvent(e);
    if (!setUp_) {
        setUp_ = true;
        SetUp();
    }
}

void frmCalib::SetUp()
{
    cmdOK->setEnabled(false);
    cmdOK->hide();
    cmdCANCEL->setEnabled(true);
    cmdCANCEL->show();
    for (QWidget* w : {static_cast<QWidget*>(lblCalc), static_cast<QWidget*>(lblReturn),
                       static_cast<QWidget*>(lblSet), static_cast<QWidget*>(lblPPM),
                       static_cast<QWidget*>(lblDone), static_cast<QWidget*>(txtScaleFactor)})
        w->hide();
    picCAL1->Cls();
    picCAL1->Print(QStringLiteral(
        "This procedure requires a known accurate input frequency to be applied to the"));
    picCAL1->Print(QStringLiteral(
        "Counter with a Dual Channel Signal Conditioner in the Rate A mode.  Apply the"));
    picCAL1->Print(QStringLiteral(
        "frequency now and continue with this procedure when the reading has settled."));
    txtFreq->clear();
    txtFreq->setFocus();
}

void frmCalib::Form_Unload(bool& cancel)
{
    // The meter must get its own scale back before the window may go.
    if (state_ == State::Running) {
        cancel = true;
        return;
    }
    ShowMainMenu();
}

void frmCalib::cmdOK_Click()
{
    if (state_ != State::Done)
        return;
    QPointer<frmCalib> self(this);
    meterlink::YieldOnce();
    if (!self || Ending())
        return;
    ShowMainMenu(); // its activation unloads this window
}

void frmCalib::cmdCANCEL_Click()
{
    if (state_ != State::Ready)
        return;
    platform::Unload(this); // shows the main menu
}

void frmCalib::Finish(const QString& failure)
{
    state_ = State::Done;
    if (failure.isEmpty()) {
        lblDone->show();
    } else {
        lblFail->setText(failure);
        lblFail->show();
    }
    cmdOK->setEnabled(true);
    cmdOK->show();
    cmdOK->setFocus();
}

// Nothing is written into the meter before both values that must be put
// back have been read whole, and the correction only after the meter has
// its own scale factor, offset and scale register again. Every wait gives
// the event loop its turns; when the window or the program goes meanwhile,
// the run stops there.
void frmCalib::Calib()
{
    if (state_ != State::Ready)
        return;
    QPointer<frmCalib> self(this);
    const FrequencyCheck freq = CheckFrequency(txtFreq->text());
    if (!freq.refusal.isEmpty()) {
        platform::MsgBox(freq.refusal, QString(), platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation, this);
        if (self && state_ == State::Ready)
            txtFreq->setFocus();
        return;
    }
    meterlink::ExchangeGuard guard;
    if (!guard) {
        platform::Beep();
        return;
    }

    state_ = State::Running;
    cmdCANCEL->setEnabled(false);
    cmdCANCEL->hide();
    picCAL2->Cls();
    picCAL2->Print(QStringLiteral(
        "Wait while setting the meter scale factor and offset for a high resolution"));
    picCAL2->Print(QStringLiteral("reading near 900,000."));
    picCAL2->show();
    picCAL2->setFocus();

    // Each of these is false when the run must stop at once (window gone,
    // program ending); what happened on the line is in `sent` / the reply.
    const auto alive = [&self] { return self && !Ending(); };
    const auto wait = [&](double seconds) {
        meterlink::Delay(float(seconds * CalibWaitFactor));
        return alive();
    };
    const auto send = [&](const QString& letters, bool& sent) {
        meterlink::Cmd = Frame(letters);
        meterlink::SendCommand();
        sent = meterlink::CommStatus == meterlink::StatusOk;
        return alive();
    };
    // The reply, or empty when the exchange failed (a failed exchange leaves
    // the previous answer in Reply, which must not be taken for this one) or
    // the link cut the answer short: a cut scale written back would change
    // the meter's own settings for good.
    const auto ask = [&](const QString& letters, QString& reply) {
        reply.clear();
        bool sent = false;
        if (!send(letters, sent))
            return false;
        if (!sent)
            return true;
        meterlink::ReceiveReply();
        if (!alive())
            return false;
        if (meterlink::CommStatus == meterlink::StatusOk && !meterlink::ReplyCut)
            reply = meterlink::Reply;
        return true;
    };
    bool sent = false;

    // Continuous output stops; then what must be put back is read.
    if (!send(QStringLiteral("A1"), sent) || !wait(1.0))
        return;
    QString ownScale;
    if (!ask(QStringLiteral("X311"), ownScale))
        return;
    if (!ScaleReplyOk(ownScale)) {
        Finish(NoAnswerText);
        return;
    }
    ownScale = ownScale.left(6) + ownScale.right(6);
    if (!wait(2.0))
        return;
    QString ownRegister;
    if (!ask(QStringLiteral("X124"), ownRegister))
        return;
    if (!RegisterReplyOk(ownRegister)) {
        Finish(NoAnswerText);
        return;
    }
    if (!wait(2.0))
        return;

    // Correction 0, then the temporary scale. A frame the port failed on
    // may still have reached the meter.
    if (!send(QStringLiteral("W12B0000"), sent))
        return;
    if (!sent) {
        Finish(CorrectionUnsureText);
        return;
    }
    if (!wait(2.0))
        return;
    lblCalc->show();
    const TempScale& scale = freq.scale;
    if (!wait(2.0))
        return;
    if (!send(QStringLiteral("W311000000") + scale.factor, sent))
        return;
    bool temporaryOk = sent;
    if (temporaryOk) {
        if (!wait(2.0))
            return;
        if (!send(QStringLiteral("W124") + RegisterWithExponent(ownRegister, scale.e), sent))
            return;
        temporaryOk = sent;
    }
    std::optional<double> reading;
    if (temporaryOk) {
        if (!wait(2.0))
            return;
        QString readingReply;
        if (!ask(QStringLiteral("B1"), readingReply))
            return;
        reading = ReadingValue(readingReply);
    }

    int ppm = 0;
    if (reading) {
        bool limited = false;
        ppm = CorrectionPpm(*reading, &limited);
        if (limited)
            lblRange->show();
    }

    // The meter's own scale factor, offset and scale register go back in
    // every case.
    lblReturn->show();
    if (!wait(2.0))
        return;
    if (!send(QStringLiteral("W311") + ownScale, sent))
        return;
    bool restored = sent;
    if (!wait(2.0))
        return;
    if (reading) {
        txtScaleFactor->setText(QString::number(ppm));
        lblSet->show();
        lblPPM->show();
        txtScaleFactor->show();
    }
    if (!send(QStringLiteral("W124") + ownRegister, sent))
        return;
    restored = restored && sent;
    if (!wait(2.0))
        return;
    if (!restored) {
        Finish(NotRestoredText);
        return;
    }
    if (!temporaryOk) {
        Finish(LineFailedText);
        return;
    }
    if (!reading) {
        Finish(NoReadingText);
        return;
    }

    if (!send(QStringLiteral("W12B") + CorrectionWord(ppm), sent))
        return;
    if (!sent) {
        Finish(NoCorrectionText);
        return;
    }
    if (!wait(2.0))
        return;
    Finish(QString());
}

} // namespace live
