#include "views/frmCtrMenu.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "help/frmAppHelp.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/Grid.h"
#include "platform/Printing.h"
#include "platform/Twips.h"
#include "setup/ModeModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace views {

using platform::Grid;
using platform::Px;
using platform::TwipsRect;

namespace {

constexpr int ClientWidth = 11880, ClientHeight = 8190;
constexpr int MainRows = 35;      // rows of the main grid as laid out, header included
constexpr int SetPtRows = 3;
constexpr int RowTwips = 270;     // every grid row
constexpr int OverlayRowTwips = 255;
constexpr int KeyWidth = 1300, SignWidth = 200, DigitWidth = 350;
constexpr int OverlayLeft = 4320;
// An overlay's top for a row: the grid's first item row starts here.
constexpr int FirstRowTop = 440;
constexpr int HelpLeftForMain = 5895;
constexpr int HelpTopForSetPt = 6120;

// The window whose hook the help window's OK calls: only the newest menu
// view may clear it again.
frmCtrMenu* HookOwner = nullptr;

int OverlayTop(int row, int topRow) { return (row - topRow) * RowTwips + FirstRowTop; }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect at)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    return l;
}

Grid* MakeGrid(QWidget* parent, const char* name, QRect at)
{
    auto* g = new Grid(parent);
    g->setObjectName(QLatin1String(name));
    g->setGeometry(at);
    g->setFont(platform::DesignFont(QStringLiteral("Arial"), 8.25));
    g->SetScrollBars(Grid::ScrollBarsKind::None);
    return g;
}

// Sets a grid out with the key, sign and six digit columns and its header
// row. The header row is kept as the grid's fixed row 0 and shown in a
// header strip that stays in place while the rows scroll.
void LayOutMenuGrid(Grid* g, int rows, const QString& keyHeader)
{
    g->SetRows(rows);
    g->SetCols(8);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->SetColWidth(0, KeyWidth);
    g->SetColWidth(1, SignWidth);
    g->SetTextMatrix(0, 0, keyHeader);
    g->SetTextMatrix(0, 1, QStringLiteral("S"));
    for (int c = 2; c <= 7; ++c) {
        g->SetColWidth(c, DigitWidth);
        g->SetTextMatrix(0, c, QStringLiteral(" %1").arg(c - 1));
    }
}

// After the rows are in: every row one height, and row 0 in the strip.
void FreezeHeaderRow(Grid* g)
{
    for (int r = 0; r < g->Rows(); ++r)
        g->SetRowHeight(r, RowTwips);
    QStringList labels;
    for (int c = 0; c < g->Cols(); ++c)
        labels << g->TextMatrix(0, c);
    g->setHorizontalHeaderLabels(labels);
    QHeaderView* header = g->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(Px(RowTwips));
    header->setHighlightSections(false);
    header->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: #C0C0C0; padding: 0px;"
        " border: 0px; border-right: 1px solid #808080; border-bottom: 1px solid #808080; }"));
    header->show();
    g->setRowHidden(0, true);
}

void LayOutOverlay(Grid* g, int cols)
{
    g->SetRows(1);
    g->SetCols(cols);
    for (int c = 0; c < qMin(cols, 6); ++c)
        g->SetColWidth(c, DigitWidth);
    g->SetRowHeight(0, OverlayRowTwips);
    g->setFocusPolicy(Qt::NoFocus);
    g->setSelectionMode(QAbstractItemView::NoSelection);
}

QString RowText(const MenuRow& row)
{
    return row.key + u'\t' + row.cells.join(u'\t');
}

} // namespace

frmCtrMenu::frmCtrMenu() : platform::Form(QStringLiteral("frmCtrMenu"))
{
    setWindowTitle(QStringLiteral("CTR  MENU"));
    setFixedSize(Px(ClientWidth), Px(ClientHeight));
    SetDesignFont(QStringLiteral("MS Sans Serif"), 8.25);

    grdMain = MakeGrid(this, "grdMain", TwipsRect(240, 120, 3960, 7935));
    grdInput = MakeGrid(this, "grdInput", TwipsRect(OverlayLeft, 480, 2055, 285));
    grdScale1 = MakeGrid(this, "grdScale1", TwipsRect(OverlayLeft, 1200, 2055, 270));
    grdScale2 = MakeGrid(this, "grdScale2", TwipsRect(OverlayLeft, 1800, 2055, 270));
    grdSetPt = MakeGrid(this, "grdSetPt", TwipsRect(6600, 1080, 3645, 900));

    lblLocked = MakeLabel(this, "lblLocked", QStringLiteral(" * Menu item locked out"),
                          TwipsRect(OverlayLeft, 120, 2175, 255));
    lblNoChange = MakeLabel(this, "lblNoChange", QStringLiteral(" Do Not Change Calib"),
                            TwipsRect(OverlayLeft, 2400, 2175, 255));
    lblInpOpt = MakeLabel(this, "lblInpOpt", QStringLiteral("  INPUT OPTION"),
                          TwipsRect(6600, 120, 3765, 315));
    lblSigCond = MakeLabel(this, "lblSigCond", QString(), TwipsRect(6600, 480, 3765, 315));
    platform::SetBackColor(lblLocked, setup::ColorWhite);
    platform::SetBackColor(lblNoChange, setup::ColorWhite);
    platform::SetBackColor(lblInpOpt, setup::ColorGray);
    platform::SetForeColor(lblSigCond, setup::ColorDarkRed);
    lblSigCond->setFont(platform::DesignFont(QStringLiteral("Times New Roman"), 12, true));

    cmdMainMenu = new QPushButton(QStringLiteral("Main Menu"), this);
    cmdMainMenu->setObjectName(QStringLiteral("cmdMainMenu"));
    cmdMainMenu->setGeometry(TwipsRect(5160, 7440, 1365, 390));
    cmdPrinter = new QPushButton(QStringLiteral("Print"), this);
    cmdPrinter->setObjectName(QStringLiteral("cmdPrinter"));
    cmdPrinter->setGeometry(TwipsRect(8760, 7440, 1200, 390));

    connect(cmdMainMenu, &QPushButton::clicked, this, &frmCtrMenu::cmdMainMenu_Click);
    connect(cmdPrinter, &QPushButton::clicked, this, &frmCtrMenu::cmdPrinter_Click);
    connect(grdMain, &Grid::Click, this, &frmCtrMenu::grdMain_Click);
    connect(grdMain, &Grid::SelChange, this, &frmCtrMenu::grdMain_SelChange);
    connect(grdMain, &Grid::Scroll, this, &frmCtrMenu::grdMain_Scroll);
    // How many rows are in sight is known only once the grid is laid out
    // at its shown size (header, scroll bar); until then a partly shown row
    // would count as in sight.
    grdMain->viewport()->installEventFilter(this);
    connect(grdSetPt, &Grid::Click, this, &frmCtrMenu::grdSetPt_Click);
    connect(grdSetPt, &Grid::SelChange, this, &frmCtrMenu::grdSetPt_SelChange);
    // The header strip is the grids' row 0: its help is the header topic.
    connect(grdMain->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { ShowMenuHelp(MenuRowTopic(view_, 0), -1, -1); });
    connect(grdSetPt->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { ShowMenuHelp(SetPointRowTopic(view_, 0), -1, -1); });
}

frmCtrMenu::~frmCtrMenu()
{
    if (HookOwner == this) {
        HookOwner = nullptr;
        help::ResetMenuViewGrid = nullptr;
    }
}

void frmCtrMenu::Form_Load()
{
    help::CtrMenuLoaded = 1;
    view_ = BuildMenuRows();
    lblSigCond->setText(view_.inputOptionName);

    FillMain();
    FillSetPoints();
    FillOverlays();
    PlaceOverlays();

    // The help window's OK takes the highlight off the row whose help it
    // showed. The grid may be gone by then (the view closed meanwhile).
    HookOwner = this;
    help::ResetMenuViewGrid = [grid = QPointer<Grid>(grdMain)] {
        if (grid)
            grid->clearSelection();
    };
}

void frmCtrMenu::FillMain()
{
    LayOutMenuGrid(grdMain, MainRows, QStringLiteral(" MENU KEY   "));
    int rowCount = 0;
    for (const MenuRow& row : view_.rows)
        grdMain->AddItem(RowText(row), ++rowCount);
    FreezeHeaderRow(grdMain);
    if (view_.scrollBars)
        grdMain->SetScrollBars(Grid::ScrollBarsKind::Vertical);
}

void frmCtrMenu::FillSetPoints()
{
    LayOutMenuGrid(grdSetPt, SetPtRows, QStringLiteral(" ALARM KEY  "));
    int rowCount = 0;
    for (const MenuRow& row : view_.setPoints)
        grdSetPt->AddItem(RowText(row), ++rowCount);
    FreezeHeaderRow(grdSetPt);
}

void frmCtrMenu::FillOverlays()
{
    LayOutOverlay(grdInput, 6);
    LayOutOverlay(grdScale1, 7);
    LayOutOverlay(grdScale2, 7);
    // The second values go in above each overlay's own (empty) row.
    for (const MenuRow& row : view_.rows) {
        if (row.overlay.isEmpty())
            continue;
        Grid* g = row.code == CodeInput    ? grdInput
                  : row.code == CodeScale1 ? grdScale1
                  : row.code == CodeScale2 ? grdScale2
                                           : nullptr;
        if (g)
            g->AddItem(row.overlay.join(u'\t'), 0);
    }
    for (Grid* g : {grdInput, grdScale1, grdScale2})
        for (int r = 0; r < g->Rows(); ++r)
            g->SetRowHeight(r, OverlayRowTwips);
}

int frmCtrMenu::VisibleItemRows() const
{
    return qMax(1, grdMain->viewport()->height() / Px(RowTwips));
}

void frmCtrMenu::PlaceOverlays()
{
    const int top = grdMain->TopRow();
    const int shown = VisibleItemRows();
    // An overlay stands beside its row only while the row is in sight; it is
    // never left over another row or below the grid.
    auto follow = [&](QWidget* w, int row) {
        const bool inSight = row > 0 && row >= top && row < top + shown;
        if (inSight)
            w->move(w->x(), Px(OverlayTop(row, top)));
        w->setVisible(inSight);
    };
    grdInput->setVisible(top == 1);
    follow(grdScale1, view_.scale1Row);
    follow(grdScale2, view_.scale2Row);
    follow(lblNoChange, view_.calibRow);
}

void frmCtrMenu::grdMain_Scroll() { PlaceOverlays(); }

bool frmCtrMenu::eventFilter(QObject* watched, QEvent* e)
{
    // The grid settles its header's room while it is first shown, after the
    // last resize its row area reports: the showing counts as well.
    if (watched == grdMain->viewport()
        && (e->type() == QEvent::Resize || e->type() == QEvent::Show))
        PlaceOverlays();
    return platform::Form::eventFilter(watched, e);
}

void frmCtrMenu::ShowMenuHelp(int topic, int left, int top)
{
    // A row past the items has no help.
    if (topic == 0)
        return;
    auto* helpWindow = platform::Load<help::frmAppHelp>();
    if (!helpWindow)
        return;
    const QPoint corner = frameGeometry().topLeft();
    if (left >= 0)
        helpWindow->move(corner.x() + Px(left), helpWindow->y());
    if (top >= 0)
        helpWindow->move(helpWindow->x(), corner.y() + Px(top));
    help::HelpTopic = topic;
    helpWindow->setWindowTitle(QStringLiteral("Menu Help"));
    helpWindow->Show();
    // Shown again while it still counts as the active window (two rows
    // chosen in a row), its activation does not run again; the new topic is
    // read all the same.
    helpWindow->Form_Activate();
}

void frmCtrMenu::grdMain_Click()
{
    ShowMenuHelp(MenuRowTopic(view_, grdMain->Row()), -1, -1);
}

void frmCtrMenu::grdMain_SelChange()
{
    ShowMenuHelp(MenuRowTopic(view_, grdMain->Row()), HelpLeftForMain, -1);
}

void frmCtrMenu::grdSetPt_Click()
{
    ShowMenuHelp(SetPointRowTopic(view_, grdSetPt->Row()), -1, HelpTopForSetPt);
    // Back to the header row, so that the same setpoint can be chosen again;
    // that move is no choice of the user's and shows nothing.
    resettingSetPt_ = true;
    grdSetPt->SetRow(0);
    resettingSetPt_ = false;
}

void frmCtrMenu::grdSetPt_SelChange()
{
    if (resettingSetPt_)
        return;
    ShowMenuHelp(SetPointRowTopic(view_, grdSetPt->Row()), 0, -1);
}

void frmCtrMenu::cmdMainMenu_Click()
{
    // The main menu's activation unloads this window.
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

void frmCtrMenu::cmdPrinter_Click() { platform::PrintForm(this); }

void frmCtrMenu::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    help::CtrMenuLoaded = 0;
    if (HookOwner == this) {
        HookOwner = nullptr;
        help::ResetMenuViewGrid = nullptr;
    }
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

} // namespace views
