#include "live/ChartWindow.h"

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Wait.h"
#include "live/Readings.h"
#include "platform/Controls.h"
#include "platform/Appearance.h"
#include "platform/FileDialog.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Printing.h"
#include "platform/Twips.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace live {

using platform::TwipsRect;

namespace {

constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Black = 0x000000;
const QString NineBlanks = QStringLiteral("         ");

bool Ending()
{
    return meterlink::Quitting() || platform::ProgramEnding();
}

QRect Px(const QRect& twips)
{
    return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

} // namespace

ChartWindow::ChartWindow(const Design& d) : platform::Form(d.name)
{
    setWindowTitle(d.caption);
    SetClientSizeTwips(9390, 6780);

    const QFont captions = platform::DesignFont(QStringLiteral("Times New Roman"), 12, true);
    const QFont boxes = platform::DesignFont(QStringLiteral("MS Sans Serif"), 9.75, true);

    Picture1 = new platform::PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(Px(d.picture));
    Picture1->SetPictureFont(boxes);
    Picture1->SetPictureBackColor(White);
    Picture1->SetPictureForeColor(Black);
    Picture1->setAccessibleName(QStringLiteral("Picture"));

    // The entry lies over the picture: made after it, so drawn above it.
    auto label = [&](const char* name, const QString& text, QRect at) {
        auto* l = platform::MakeControl<QLabel>(this, QLatin1String(name), Px(at), text);
        l->setFont(captions);
        return l;
    };
    auto box = [&](const char* name, QRect at) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QLatin1String(name));
        t->setGeometry(Px(at));
        t->setFont(boxes);
        t->installEventFilter(this);
        return t;
    };
    auto button = [&](const char* name, const QString& text, QRect at, auto&& handler) {
        auto* b = platform::MakeButton(this, QLatin1String(name), text, Px(at), handler);
        b->setFont(captions);
        // Enter on a button that has the focus presses it.
        b->setAutoDefault(true);
        return b;
    };

    lblMidVal = label("lblMidVal", QStringLiteral("Mid-Scale Value"), QRect(3225, 975, 1740, 315));
    txtMidVal = box("txtMidVal", QRect(5100, 960, 1290, 360));
    lblSmallVal =
        label("lblSmallVal", QStringLiteral("Small Division Value"), QRect(2895, 1500, 2145, 315));
    txtSmallVal = box("txtSmallVal", QRect(5100, 1500, 1290, 360));
    lblThird = label(d.thirdLabelName.toLatin1().constData(), d.thirdLabel, d.thirdLabelAt);
    txtThird = box(d.thirdTextName.toLatin1().constData(), d.thirdTextAt);
    lblMidVal->setBuddy(txtMidVal);
    lblSmallVal->setBuddy(txtSmallVal);
    lblThird->setBuddy(txtThird);
    cmdOK = button("cmdOK", QStringLiteral("OK"), QRect(5100, 3000, 1290, 540), [this] { cmdOK_Click(); });

    cmdPrint = button("cmdPrint", QStringLiteral("Print"), d.print, [this] { cmdPrint_Click(); });
    cmdSave = button("cmdSave", QStringLiteral("Save"), d.save, [this] { cmdSave_Click(); });
    cmdPause = button("cmdPause", QStringLiteral("Pause"), d.pause, [this] { cmdPause_Click(); });
    cmdContinue =
        button("cmdContinue", QStringLiteral("Continue"), d.cont, [this] { cmdContinue_Click(); });
    cmdNewScale = button("cmdNewScale", QStringLiteral("New Scale"), d.newScale,
                         [this] { cmdNewScale_Click(); });
    cmdEnd = button("cmdEnd", QStringLiteral("End"), d.end, [this] { cmdEnd_Click(); });
    cmdNewScale->installEventFilter(this);

    QWidget* order[] = {txtMidVal, txtSmallVal, txtThird, cmdOK,    cmdPause, cmdSave,
                        cmdContinue, cmdNewScale, cmdEnd,  Picture1, cmdPrint};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    reader_ = new ReadingsReader(false, false, this);
    connect(reader_, &ReadingsReader::Records, this, &ChartWindow::UseRecords);
}

ChartWindow::~ChartWindow()
{
    // Closed without its unload handler (the program ends): the reader
    // lets go of the port.
    reader_->Stop();
}

void ChartWindow::Form_Load()
{
    ApplyReadingsPortSettings();
}

void ChartWindow::Form_Activate()
{
    // The stream starts once, when the window is first shown; coming back
    // to the window later must not start a new scale over a plot.
    if (started_)
        return;
    started_ = true;
    QPointer<ChartWindow> self(this);
    SendStartCommand();
    if (!self || Ending() || ended_)
        return;
    meterlink::Commx().SetRTSEnable(true);
    cmdNewScale->setFocus(Qt::OtherFocusReason);
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == cmdNewScale && e->type() == QEvent::FocusIn) {
        // Coming back to the window from elsewhere is no new scale.
        const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
            cmdNewScale_GotFocus();
    } else if (e->type() == QEvent::KeyPress
               && (watched == txtMidVal || watched == txtSmallVal || watched == txtThird)) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == txtMidVal)
                txtSmallVal->setFocus(Qt::OtherFocusReason);
            else if (watched == txtSmallVal)
                txtThird->setFocus(Qt::OtherFocusReason);
            else
                cmdOK->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return platform::Form::eventFilter(watched, e);
}

void ChartWindow::ShowScaleEntry(bool shown)
{
    for (QWidget* w : {static_cast<QWidget*>(txtMidVal), static_cast<QWidget*>(txtSmallVal),
                       static_cast<QWidget*>(txtThird), static_cast<QWidget*>(lblMidVal),
                       static_cast<QWidget*>(lblSmallVal), static_cast<QWidget*>(lblThird),
                       static_cast<QWidget*>(cmdOK)})
        w->setVisible(shown);
    cmdOK->setEnabled(shown);
}

void ChartWindow::OpenScaleEntry(bool blankTexts)
{
    if (ended_)
        return;
    runActive_ = false;
    Picture1->Cls();
    Paused = 1;
    if (blankTexts) {
        txtMidVal->setText(NineBlanks);
        txtSmallVal->setText(NineBlanks);
        txtThird->setText(NineBlanks);
    }
    ShowScaleEntry(true);
    txtMidVal->setFocus(Qt::OtherFocusReason);
}

void ChartWindow::cmdNewScale_GotFocus()
{
    OpenScaleEntry(true);
}

void ChartWindow::cmdNewScale_Click()
{
    OpenScaleEntry(false);
}

void ChartWindow::cmdOK_Click()
{
    if (ended_ || !cmdOK->isEnabled())
        return;
    Paused = 0;
    // The focus leaves OK before it goes, for the next control in the tab
    // order (never New Scale, which would open the entry again).
    cmdPause->setFocus(Qt::OtherFocusReason);
    ShowScaleEntry(false);
    StartRun();
}

void ChartWindow::BeginReading()
{
    runActive_ = true;
    reader_->Start();
}

void ChartWindow::UseRecords(const QStringList& records)
{
    QPointer<ChartWindow> self(this);
    for (const QString& record : records) {
        if (!self || !runActive_ || Paused == 1 || ended_)
            return;
        UseRecord(record);
    }
}

void ChartWindow::cmdPause_Click()
{
    Picture1->setFocus(Qt::OtherFocusReason);
    Paused = 1;
    AfterPause();
}

void ChartWindow::cmdContinue_Click()
{
    if (ended_)
        return;
    Paused = 0;
    Picture1->setFocus(Qt::OtherFocusReason);
    QPointer<ChartWindow> self(this);
    SendStartCommand();
    if (!self || ended_ || Ending())
        return;
    // What arrives now may begin in the middle of a record.
    reader_->Rejoin();
    // During a scale entry there is no run to go on with: OK starts one.
    if (runActive_)
        AfterContinue();
}

void ChartWindow::End()
{
    ended_ = true;
    runActive_ = false;
    reader_->Stop();
    if (!stopSent_) {
        stopSent_ = true;
        SendStopCommand(false);
    }
}

void ChartWindow::cmdEnd_Click()
{
    QPointer<ChartWindow> self(this);
    End();
    if (!self)
        return;
    meterlink::YieldUntil(meterlink::Clock::now());
    if (!self || Ending())
        return;
    Picture1->Cls();
    platform::SetMousePointer(this, platform::MousePointer::Hourglass);
    platform::ShowForm(QStringLiteral("frmMMenu"));
    if (self)
        platform::SetMousePointer(this, platform::MousePointer::Default);
}

void ChartWindow::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    QPointer<ChartWindow> self(this);
    End();
    if (!self || Ending())
        return;
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

void ChartWindow::cmdSave_Click()
{
    QPointer<ChartWindow> self(this);
    platform::FileDialog dialog(this);
    dialog.CancelError = true;
    dialog.DialogTitle = QStringLiteral("Save Graph As");
    dialog.Filter = QStringLiteral(".BMP files (*.BMP)|*.BMP");
    if (!dialog.Action(platform::FileDialog::ActionSave))
        return;
    if (!self)
        return;
    // A file that cannot be written is not reported.
    Picture1->SaveBmp(dialog.FileName);
}

void ChartWindow::cmdPrint_Click()
{
    platform::PrintForm(this);
}

} // namespace live
