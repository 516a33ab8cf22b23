#include "live/frmList.h"

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Wait.h"
#include "live/Readings.h"
#include "platform/Controls.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/Grid.h"
#include "platform/MessageBox.h"
#include "platform/Printing.h"
#include "platform/Twips.h"
#include "setup/FieldMap.h"
#include "setup/SetupImage.h"

#include <QFontMetrics>
#include <QPointer>
#include <QPushButton>

namespace live {

int ListEnd = 0;
int ListRow = 0;
int ListCol = 0;
int ListCols = 10;

using platform::TwipsRect;

namespace {

constexpr int GridLeft = 240, GridTop = 120, GridWidth = 9015, GridHeight = 6080;
constexpr int CellMargin = 150;

bool Ending()
{
    return meterlink::Quitting() || platform::ProgramEnding();
}

} // namespace

frmList::frmList() : platform::Form(QStringLiteral("frmList"))
{
    setWindowTitle(QStringLiteral("LIST READINGS"));
    SetDesignFont(QStringLiteral("Times New Roman"), 9.75, true);
    SetClientSizeTwips(9495, 6900);

    grdList = new platform::Grid(this);
    grdList->setObjectName(QStringLiteral("grdList"));
    grdList->setGeometry(TwipsRect(GridLeft, GridTop, GridWidth, GridHeight));
    grdList->setFont(platform::DesignFont(QStringLiteral("Times New Roman"), 9.75, true));
    grdList->SetScrollBars(platform::Grid::ScrollBarsKind::None);
    connect(grdList, &platform::Grid::Click, this, [] { platform::Beep(); });

    const QFont buttons = platform::DesignFont(QStringLiteral("Times New Roman"), 12, true);
    auto button = [&](const char* name, const QString& text, QRect at, auto&& handler) {
        auto* b = platform::MakeButton(this, QLatin1String(name), text, at, handler);
        b->setFont(buttons);
        return b;
    };
    cmdPrint = button("cmdPrint", QStringLiteral("Print"), TwipsRect(1920, 6360, 1065, 390),
                      [this] { cmdPrint_Click(); });
    cmdPause = button("cmdPause", QStringLiteral("Pause"), TwipsRect(3300, 6360, 1095, 375),
                      [this] { cmdPause_Click(); });
    cmdContin = button("cmdContin", QStringLiteral("Continue"), TwipsRect(4680, 6360, 1095, 375),
                       [this] { cmdContin_Click(); });
    cmdEnd = button("cmdEnd", QStringLiteral("End"), TwipsRect(6000, 6360, 1095, 375),
                    [this] { cmdEnd_Click(); });

    reader_ = new ReadingsReader(true, true, this);
    connect(reader_, &ReadingsReader::Sized, this, &frmList::SizeGrid);
    connect(reader_, &ReadingsReader::Records, this, &frmList::ShowRecords);
}

frmList::~frmList()
{
    // Closed without its unload handler (the program ends): the reader goes
    // with it and lets go of the port.
    reader_->Stop();
}

void frmList::Form_Load()
{
    ApplyReadingsPortSettings();
    grdList->SetRows(GridRows);
    grdList->SetCols(10);
}

void frmList::Form_Activate()
{
    // The stream starts once, when the window is first shown; coming back
    // to the window later changes nothing.
    if (started_)
        return;
    started_ = true;
    ListEnd = 0;
    QPointer<frmList> self(this);
    SendStartCommand();
    if (!self || Ending() || ListEnd == 1)
        return;
    meterlink::Commx().SetRTSEnable(true);
    ListReadings();
}

void frmList::ListReadings()
{
    ListRow = 0;
    ListCol = 0;
    reader_->Start();
}

void frmList::SizeGrid(const QString& sample)
{
    const int rowHeight = int(std::lround(double(GridHeight) / GridRows));
    for (int r = 0; r < GridRows; ++r)
        grdList->SetRowHeight(r, rowHeight);
    const int w = QFontMetrics(grdList->font()).horizontalAdvance(sample) * platform::TwipsPerPixel;
    // A record wider than the grid still gets its one column.
    ListCols = qMax(1, GridWidth / (w + CellMargin));
    grdList->SetCols(ListCols);
    for (int c = 0; c < ListCols; ++c)
        grdList->SetColWidth(c, w + CellMargin);
    ListCol = qMin(ListCol, ListCols - 1);
}

void frmList::ShowRecords(const QStringList& records)
{
    if (ListEnd == 1 || Paused == 1)
        return;
    const int tranChars = setup::ReadRaw(setup::field::TranChars);
    // A backlog longer than the grid: the older records would be written
    // over within this batch, so only their places are counted.
    const qsizetype cells = qsizetype(GridRows) * qMax(1, ListCols);
    qsizetype first = 0;
    if (records.size() > cells) {
        first = records.size() - cells;
        const qsizetype at = (qsizetype(ListCol) * GridRows + ListRow + first) % cells;
        ListCol = int(at / GridRows);
        ListRow = int(at % GridRows);
    }
    for (qsizetype i = first; i < records.size(); ++i)
        AddListRow(ListRecordText(records[i], tranChars));
}

void frmList::AddListRow(const QString& text)
{
    grdList->SetTextMatrix(ListRow, ListCol, text);
    ++ListRow;
    if (ListRow > GridRows - 1) {
        ListRow = 0;
        ++ListCol;
        if (ListCol > ListCols - 1)
            ListCol = 0;
    }
    grdList->SetTextMatrix(ListRow, ListCol, QStringLiteral(" "));
}

void frmList::cmdPause_Click()
{
    grdList->setFocus();
    Paused = 1;
}

void frmList::cmdContin_Click()
{
    if (ListEnd == 1)
        return;
    Paused = 0;
    grdList->setFocus();
    QPointer<frmList> self(this);
    SendStartCommand();
    if (!self || ListEnd == 1)
        return;
    // What arrives now may begin in the middle of a record.
    reader_->Rejoin();
}

void frmList::End()
{
    ListEnd = 1;
    reader_->Stop();
    if (!stopSent_) {
        stopSent_ = true;
        SendStopCommand(true);
    }
}

void frmList::cmdEnd_Click()
{
    QPointer<frmList> self(this);
    End();
    if (!self)
        return;
    meterlink::YieldUntil(meterlink::Clock::now());
    if (!self || Ending())
        return;
    platform::SetMousePointer(this, platform::MousePointer::Hourglass);
    platform::ShowForm(QStringLiteral("frmMMenu"));
    if (self)
        platform::SetMousePointer(this, platform::MousePointer::Default);
}

void frmList::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    QPointer<frmList> self(this);
    End();
    if (!self || Ending())
        return;
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

void frmList::cmdPrint_Click()
{
    platform::PrintForm(this);
}

void frmList::mousePressEvent(QMouseEvent* e)
{
    Q_UNUSED(e);
    platform::Beep();
}

} // namespace live
