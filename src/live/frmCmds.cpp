#include "live/frmCmds.h"

#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "live/Commands.h"
#include "platform/Controls.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

// The arrow pictures are built into the library; a static library's
// resources are registered by hand.
static void InitPictures()
{
    Q_INIT_RESOURCE(Pictures);
}

namespace live {

using platform::TwipsRect;

namespace {

constexpr int ClientWidth = 9000;
constexpr int ClientHeight = 5400;
constexpr int PrintX = 230;
constexpr int PrintY = 60;
constexpr int ArrowTop = 4800;
constexpr int ArrowLeftEnd = 2625;
constexpr int ArrowRightEnd = 4425;
constexpr int ArrowStep = 100;
constexpr int ArrowHeight = 240;
// The picture the arrow slides over; its line runs through the arrow's middle.
constexpr int PictureLeft = 1200, PictureTop = 4200, PictureWidth = 4800, PictureHeight = 1140;

const QString FailureText =
    QStringLiteral("Communications failure.  Program may have to be re-started.");
const QString Item3Notice = QStringLiteral(
    "Remote display is unavailable for Item 3 because it is being used by the selected "
    "Mode/Function.");
const QString ModeCNote = QStringLiteral(
    "For Display Mode C,  use the hex format 'xx to enter unprintable characters (e.g. a "
    "carriage return is entered as '0D)");
const QString OnlyItem1 =
    QStringLiteral("Only Item 1 displayed because Termination after each item set.");

QString Frame(const char* letters)
{
    return QStringLiteral("*") + meterlink::MeterAddr + QLatin1String(letters);
}

// The computer on the left, the meter on the right, and the line between.
class CmptrCtrPicture : public QWidget {
public:
    CmptrCtrPicture(QWidget* parent, int lineY) : QWidget(parent), lineY_(lineY) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int w = width();
        p.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
        // Computer: a screen on a stand.
        p.setPen(Qt::black);
        p.setBrush(QColor(0xE0, 0xE0, 0xE0));
        p.drawRect(6, 6, 80, 52);
        p.setBrush(QColor(0x00, 0x40, 0x80));
        p.drawRect(12, 12, 68, 40);
        p.setBrush(QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(36, 58, 20, 8);
        p.drawRect(16, 66, 60, 6);
        // Meter: a case with a red digital display.
        const int mx = w - 70;
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.drawRect(mx, 14, 62, 44);
        p.setBrush(Qt::black);
        p.drawRect(mx + 6, 22, 50, 18);
        p.setPen(QColor(0xFF, 0x30, 0x30));
        p.setFont(platform::DesignFont(QStringLiteral("Courier New"), 9, true));
        p.drawText(QRect(mx + 6, 22, 50, 18), Qt::AlignCenter, QStringLiteral("88888"));
        // The serial line.
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(86, lineY_, mx, lineY_);
    }

private:
    int lineY_;
};

QPixmap Picture(const QString& name)
{
    return QPixmap(QStringLiteral(":/live/") + name + QStringLiteral(".xpm"));
}

} // namespace

// ---- ReadoutBox ---------------------------------------------------------

ReadoutBox::ReadoutBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
}

void ReadoutBox::Cls()
{
    text_.clear();
    setAccessibleName(QString());
    update();
}

void ReadoutBox::Print(int xTwips, int yTwips, const QString& text)
{
    at_ = QPoint(platform::Px(xTwips), platform::Px(yTwips));
    text_ = text;
    setAccessibleName(text);
    update();
}

void ReadoutBox::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    if (text_.isEmpty())
        return;
    QPainter p(this);
    p.setFont(font());
    p.drawText(at_.x(), at_.y() + p.fontMetrics().ascent(), text_);
}

// ---- frmCmds ------------------------------------------------------------

frmCmds::frmCmds() : platform::Form(QStringLiteral("frmCmds"))
{
    InitPictures();
    setWindowTitle(QStringLiteral("COMMANDS"));
    SetDesignFont(QStringLiteral("Times New Roman"), 9.75, true);
    SetClientSizeTwips(ClientWidth, ClientHeight);
    BuildControls();
}

void frmCmds::BuildControls()
{
    auto label = [this](const char* name, const QString& text, QRect at) {
        return platform::MakeControl<QLabel>(this, QLatin1String(name), at, text);
    };
    auto button = [this](const char* name, const QString& text, QRect at, auto&& handler) {
        return platform::MakeButton(this, QLatin1String(name), text, at, handler);
    };
    auto readout = [this](const char* name, QRect at) {
        auto* r = new ReadoutBox(this);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(at);
        r->setFont(platform::DesignFont(QStringLiteral("Times New Roman"), 12, true));
        platform::SetBackColor(r, 0x00FFFFFF);
        return r;
    };

    // Resets.
    lblResets = label("lblResets", QStringLiteral("RESETS"), TwipsRect(240, 120, 1800, 255));
    cmdMRst = button("cmdMRst", QStringLiteral("Meter"), TwipsRect(240, 420, 1800, 375),
                     [this] { Reset("C0", QStringLiteral("Meter Reset Command sent.")); });
    cmdFRst = button("cmdFRst", QStringLiteral("Function"), TwipsRect(240, 870, 1800, 375),
                     [this] { Reset("C1", QStringLiteral("Function Reset Command sent.")); });
    cmdLARst = button("cmdLARst", QStringLiteral("Latched Alarm"), TwipsRect(240, 1320, 1800, 375),
                      [this] { Reset("C2", QStringLiteral("Latched Alarms Reset Command sent.")); });
    cmdPeak = button("cmdPeak", QStringLiteral("Peak"), TwipsRect(240, 1770, 1800, 375),
                     [this] { Reset("C3", QStringLiteral("Peak Reset Command sent.")); });
    cmdRmtDspy =
        button("cmdRmtDspy", QStringLiteral("Remote Display"), TwipsRect(240, 2220, 1800, 375),
               [this] { Reset("C4", QStringLiteral("Remote Display Reset Command sent.")); });

    // Readings.
    lblRdgs = label("lblRdgs", QStringLiteral("READINGS"), TwipsRect(2280, 120, 3400, 255));
    picItem1 = readout("picItem1", TwipsRect(4200, 420, 1560, 375));
    picItem2 = readout("picItem2", TwipsRect(4200, 870, 1560, 375));
    picItem3 = readout("picItem3", TwipsRect(4200, 1320, 1560, 375));
    picPeak = readout("picPeak", TwipsRect(4200, 1770, 1560, 375));
    cmdItem1 = button("cmdItem1", QStringLiteral("Item 1"), TwipsRect(2280, 420, 1800, 375), [this] {
        Reading("B1", picItem1, QStringLiteral("Item 1 request sent."),
                QStringLiteral("Item 1 request sent.    Item 1 received."));
    });
    cmdItem2 = button("cmdItem2", QStringLiteral("Item 2"), TwipsRect(2280, 870, 1800, 375), [this] {
        Reading("B2", picItem2, QStringLiteral("Item 2 request sent."),
                QStringLiteral("Item 2 request sent.    Item 2 received."));
    });
    cmdItem3 = button("cmdItem3", QStringLiteral("Item 3"), TwipsRect(2280, 1320, 1800, 375), [this] {
        Reading("B3", picItem3, QStringLiteral("Item 3 request sent."),
                QStringLiteral("Item 3 request sent.    Item 3 received."));
    });
    cmdPeakRd = button("cmdPeakRd", QStringLiteral("Peak"), TwipsRect(2280, 1770, 1800, 375), [this] {
        Reading("B4", picPeak, QStringLiteral("Peak Request sent."),
                QStringLiteral("Peak Request sent.    Peak received."));
    });
    cmdActive = button("cmdActive", QStringLiteral("All Active"), TwipsRect(2280, 2220, 1800, 375),
                       [this] { AllActive(0); });
    cmdActiveP = button("cmdActiveP", QStringLiteral("All Active + Peak"),
                        TwipsRect(2280, 2670, 1800, 375), [this] { AllActive(1); });

    // Remote display.
    lblRmtDspy = label("lblRmtDspy", QStringLiteral("REMOTE DISPLAY"), TwipsRect(6060, 120, 2700, 255));
    lblEntVal = label("lblEntVal", QStringLiteral("Enter Value"), TwipsRect(6060, 420, 2700, 255));
    txtRmtDspy = new QLineEdit(this);
    txtRmtDspy->setObjectName(QStringLiteral("txtRmtDspy"));
    txtRmtDspy->setGeometry(TwipsRect(6060, 690, 2700, 345));
    txtRmtDspy->installEventFilter(this);
    connect(txtRmtDspy, &QLineEdit::textChanged, this, [this] { lblModeC->show(); });
    auto remote = [this](const char* letter, const QString& sent) {
        return [this, letter, sent] {
            RemoteText(letter ? Frame(letter) + txtRmtDspy->text() : txtRmtDspy->text(), sent);
        };
    };
    cmdDspyOnly = button("cmdDspyOnly", QStringLiteral("Display Only"), TwipsRect(6060, 1110, 2700, 375),
                         remote("H", QStringLiteral("Remote data sent to Display only.")));
    cmdItm3Only = button("cmdItm3Only", QStringLiteral("Item 3 Only"), TwipsRect(6060, 1560, 2700, 375),
                         remote("K", QStringLiteral("Remote data sent to Item 3 only.")));
    cmdBoth = button("cmdBoth", QStringLiteral("Display + Item 3"), TwipsRect(6060, 2010, 2700, 375),
                     remote("L", QStringLiteral("Remote data sent to Display and Item 3.")));
    cmdC = button("cmdC", QStringLiteral("Display Mode C"), TwipsRect(6060, 2460, 2700, 375),
                  remote(nullptr, QStringLiteral("Remote data sent to Display")));
    // Five lines of the note under the remote-display buttons; the status
    // line keeps to the left of it, so that both can show at once.
    lblModeC = label("lblModeC", ModeCNote, TwipsRect(6060, 2910, 2700, 1200));
    lblModeC->setWordWrap(true);
    lblModeC->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblModeC->hide();

    // Status line.
    // The longest status texts take two lines.
    lblErrText = label("lblErrText", QString(), TwipsRect(240, 3240, 5700, 600));
    lblErrText->setWordWrap(true);
    lblErrText->setAlignment(Qt::AlignCenter);
    lblErrText->hide();

    // The traffic picture and its arrow.
    picCmptrCtr = new CmptrCtrPicture(this, platform::Px(ArrowTop + ArrowHeight / 2 - PictureTop));
    picCmptrCtr->setObjectName(QStringLiteral("picCmptrCtr"));
    picCmptrCtr->setGeometry(TwipsRect(PictureLeft, PictureTop, PictureWidth, PictureHeight));
    picCurrent = new QLabel(this);
    picCurrent->setObjectName(QStringLiteral("picCurrent"));
    picCurrent->setGeometry(TwipsRect(ArrowLeftEnd, ArrowTop, 480, ArrowHeight));
    picCurrent->setPixmap(Picture(QStringLiteral("Blank")));
    picCurrent->raise();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, [] { TimerTick = 1; });

    cmdOK = button("cmdOK", QStringLiteral("OK"), TwipsRect(7320, 4740, 1095, 375),
                   [this] { cmdOK_Click(); });
}

void frmCmds::Form_Load()
{
    TermEachItem = setup::GetSetupBits(3, 3, 51);
    // The mode and function as stored, not as a page may have decoded them.
    const int mode = setup::GetSetupBits(7, 4, 63);
    const int function = setup::GetSetupBits(3, 0, 63);
    if (Item3InUse(mode, function)) {
        cmdItm3Only->setEnabled(false);
        cmdBoth->setEnabled(false);
        ShowStatus(Item3Notice, setup::ColorGreen);
    }
}

void frmCmds::Form_Unload(bool& cancel)
{
    if (busy_) {
        cancel = true; // the running command ends first
        return;
    }
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

void frmCmds::cmdOK_Click()
{
    if (busy_)
        return;
    platform::SetMousePointer(this, platform::MousePointer::Hourglass);
    platform::ShowForm(QStringLiteral("frmMMenu"));
    platform::SetMousePointer(this, platform::MousePointer::Default);
}

bool frmCmds::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == txtRmtDspy) {
        if (e->type() == QEvent::FocusIn) {
            if (RmtTextSent == 1) {
                txtRmtDspy->clear();
                RmtTextSent = 0;
                lblModeC->show();
            }
        } else if (e->type() == QEvent::FocusOut) {
            lblModeC->hide();
        }
    }
    return platform::Form::eventFilter(watched, e);
}

void frmCmds::ShowStatus(const QString& text, quint32 color)
{
    lblErrText->show();
    platform::SetBackColor(lblErrText, color);
    lblErrText->setText(text);
}

void frmCmds::ClearItemPictures()
{
    picItem1->Cls();
    picItem2->Cls();
    picItem3->Cls();
    picPeak->Cls();
}

// ---- commands -----------------------------------------------------------

namespace {

// Marks the window busy for the length of a command; the window may be gone
// by the end.
class BusyScope {
public:
    explicit BusyScope(bool& flag, QObject* owner) : flag_(flag), owner_(owner) { flag_ = true; }
    ~BusyScope()
    {
        if (owner_)
            flag_ = false;
    }

private:
    bool& flag_;
    QPointer<QObject> owner_;
};

bool Ending()
{
    return meterlink::Quitting() || platform::ProgramEnding();
}

} // namespace

void frmCmds::Reset(const char* letters, const QString& sent)
{
    if (busy_)
        return;
    meterlink::ExchangeGuard guard;
    if (!guard)
        return;
    QPointer<frmCmds> self(this);
    BusyScope busy(busy_, this);
    ShowStatus(sent, setup::ColorGreen);
    meterlink::Cmd = Frame(letters);
    meterlink::SendCommand();
    if (!self || Ending())
        return;
    if (meterlink::CommStatus != meterlink::StatusOk) {
        ShowStatus(FailureText, setup::ColorRed);
        return;
    }
    AnimateSend();
}

void frmCmds::RemoteText(const QString& cmd, const QString& sent)
{
    if (busy_)
        return;
    meterlink::ExchangeGuard guard;
    if (!guard)
        return;
    QPointer<frmCmds> self(this);
    BusyScope busy(busy_, this);
    RmtTextSent = 1;
    ShowStatus(sent, setup::ColorGreen);
    meterlink::YieldUntil(meterlink::Clock::now());
    if (!self || Ending())
        return;
    meterlink::Cmd = cmd;
    meterlink::SendCommand();
    if (!self || Ending())
        return;
    if (meterlink::CommStatus != meterlink::StatusOk) {
        ShowStatus(FailureText, setup::ColorRed);
        return;
    }
    AnimateSend();
}

bool frmCmds::AskMeter(const char* letters, const QString& sent)
{
    QPointer<frmCmds> self(this);
    ClearItemPictures();
    ShowStatus(sent, setup::ColorGreen);
    meterlink::YieldUntil(meterlink::Clock::now());
    if (!self || Ending())
        return false;
    meterlink::Cmd = Frame(letters);
    meterlink::SendCommand();
    if (!self || Ending())
        return false;
    if (meterlink::CommStatus == meterlink::StatusOk) {
        AnimateSend();
        if (!self || Ending())
            return false;
        meterlink::ReceiveReply();
        if (!self || Ending())
            return false;
    }
    if (meterlink::CommStatus != meterlink::StatusOk) {
        ShowStatus(FailureText, setup::ColorRed);
        return false;
    }
    AnimateReply();
    return self && !Ending();
}

void frmCmds::Reading(const char* letters, ReadoutBox* target, const QString& sent,
                      const QString& received)
{
    if (busy_)
        return;
    meterlink::ExchangeGuard guard;
    if (!guard)
        return;
    BusyScope busy(busy_, this);
    if (!AskMeter(letters, sent))
        return;
    ShowStatus(received, setup::ColorGreen);
    target->Cls();
    target->Print(PrintX, PrintY, meterlink::Reply);
}

void frmCmds::AllActive(int withPeak)
{
    if (busy_)
        return;
    meterlink::ExchangeGuard guard;
    if (!guard)
        return;
    BusyScope busy(busy_, this);
    const QString sent = withPeak ? QStringLiteral("All Active Readings + Peak request sent.")
                                  : QStringLiteral("All Active Readings request sent.");
    if (!AskMeter(withPeak ? "B5" : "B0", sent))
        return;
    QString text = sent + QStringLiteral("  ");
    if (TermEachItem)
        text += OnlyItem1;
    else
        text += withPeak ? QStringLiteral("All Active Items + Peak received.")
                         : QStringLiteral("All Active Items received.");
    ShowStatus(text, setup::ColorGreen);
    SplitActiveItems(withPeak);
    if (withPeak) {
        picPeak->Cls();
        picPeak->Print(PrintX, PrintY, ActiveItems[4]);
    }
}

void frmCmds::SplitActiveItems(int withPeak)
{
    live::SplitActiveItems(meterlink::Reply, withPeak != 0);
    ReadoutBox* const boxes[] = {picItem1, picItem2, picItem3};
    for (int k = 0; k < 3; ++k) {
        boxes[k]->Cls();
        boxes[k]->Print(PrintX, PrintY, ActiveItems[k + 1]);
    }
}

// ---- the arrow ----------------------------------------------------------

bool frmCmds::WaitTick()
{
    QPointer<frmCmds> self(this);
    while (TimerTick != 1) {
        meterlink::YieldOnce();
        if (!self || Ending())
            return false;
    }
    return true;
}

bool frmCmds::Animate(int from, const QString& picture, int step, bool (*keepGoing)(int))
{
    QPointer<frmCmds> self(this);
    int left = from;
    picCurrent->move(platform::Px(left), platform::Px(ArrowTop));
    picCurrent->setPixmap(Picture(picture));
    TimerTick = 0;
    Timer1->start();
    if (!WaitTick())
        return false;
    do {
        left += step;
        picCurrent->move(platform::Px(left), platform::Px(ArrowTop));
        TimerTick = 0;
        if (!WaitTick())
            return false;
    } while (keepGoing(left));
    picCurrent->setPixmap(Picture(QStringLiteral("Blank")));
    Timer1->stop();
    return bool(self);
}

void frmCmds::AnimateSend()
{
    Animate(ArrowLeftEnd, QStringLiteral("LRCurr"), ArrowStep,
            [](int left) { return !(left > ArrowRightEnd - 10); });
}

void frmCmds::AnimateReply()
{
    Animate(ArrowRightEnd, QStringLiteral("RLCurr"), -ArrowStep,
            [](int left) { return left >= ArrowLeftEnd + 10; });
}

} // namespace live
