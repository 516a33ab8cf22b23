#include "platform/Grid.h"

#include "platform/Twips.h"

#include <QHeaderView>
#include <QScrollBar>

namespace platform {

namespace {
constexpr quint32 FixedGrey = 0xC0C0C0;
}

Grid::Grid(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) {
        moveTo(r, c);
        emit Click();
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int r, int c, int pr, int pc) {
        // Qt makes a cell current by itself the first time the view is shown
        // or filled; that is nobody's choice and changes no selection.
        if (pr < 0 || pc < 0)
            return;
        if (r >= 0 && c >= 0)
            moveTo(r, c);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
}

void Grid::moveTo(int r, int c)
{
    if (r == row_ && c == col_)
        return;
    row_ = r;
    col_ = c;
    emit SelChange();
}

void Grid::SetRows(int n)
{
    const int old = rowCount();
    setRowCount(qMax(0, n));
    for (int r = old; r < rowCount(); ++r)
        setRowHeight(r, old > 0 ? rowHeight(0) : verticalHeader()->defaultSectionSize());
    row_ = qBound(0, row_, qMax(0, rowCount() - 1));
    applyFixed();
}

void Grid::SetCols(int n)
{
    setColumnCount(qMax(0, n));
    col_ = qBound(0, col_, qMax(0, columnCount() - 1));
    applyFixed();
}

void Grid::SetFixedRows(int n)
{
    fixedRows_ = qBound(0, n, rowCount());
    applyFixed();
}

void Grid::SetFixedCols(int n)
{
    fixedCols_ = qBound(0, n, columnCount());
    applyFixed();
}

void Grid::applyFixed()
{
    fixedRows_ = qMin(fixedRows_, rowCount());
    fixedCols_ = qMin(fixedCols_, columnCount());
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const bool fixed = r < fixedRows_ || c < fixedCols_;
            QTableWidgetItem* it = item(r, c);
            if (!fixed && !it)
                continue;
            if (!it) {
                it = new QTableWidgetItem;
                setItem(r, c, it);
            }
            it->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            it->setBackground(fixed ? QBrush(QColor(QRgb(FixedGrey))) : QBrush());
        }
    }
}

void Grid::SetRow(int r)
{
    if (r < 0 || r >= rowCount())
        return;
    moveTo(r, col_);
}

void Grid::SetCol(int c)
{
    if (c < 0 || c >= columnCount())
        return;
    moveTo(row_, c);
}

QString Grid::TextMatrix(int r, int c) const
{
    const QTableWidgetItem* it = item(r, c);
    return it ? it->text() : QString();
}

void Grid::SetTextMatrix(int r, int c, const QString& text)
{
    if (r < 0 || r >= rowCount() || c < 0 || c >= columnCount())
        return;
    if (QTableWidgetItem* it = item(r, c)) {
        it->setText(text);
        return;
    }
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(r, c, it);
    if (r < fixedRows_ || c < fixedCols_)
        applyFixed();
}

int Grid::ColWidth(int c) const
{
    return columnWidth(c) * TwipsPerPixel;
}

void Grid::SetColWidth(int c, int twips)
{
    if (c >= 0 && c < columnCount())
        setColumnWidth(c, Px(qMax(0, twips)));
}

int Grid::RowHeight(int r) const
{
    return rowHeight(r) * TwipsPerPixel;
}

void Grid::SetRowHeight(int r, int twips)
{
    if (r >= 0 && r < rowCount())
        setRowHeight(r, Px(qMax(0, twips)));
}

int Grid::TopRow() const
{
    const int r = rowAt(0);
    return qMax(r < 0 ? 0 : r, fixedRows_);
}

void Grid::SetTopRow(int r)
{
    if (r < 0 || r >= rowCount())
        return;
    verticalScrollBar()->setValue(qMax(0, r - fixedRows_));
}

void Grid::SetScrollBars(ScrollBarsKind kind)
{
    const int k = int(kind);
    setHorizontalScrollBarPolicy((k & 1) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((k & 2) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void Grid::AddItem(const QString& text, int index)
{
    const int at = (index < 0 || index > rowCount()) ? rowCount() : index;
    insertRow(at);
    setRowHeight(at, at > 0 ? rowHeight(0) : verticalHeader()->defaultSectionSize());
    const QStringList pieces = text.split(u'\t');
    for (int c = 0; c < pieces.size() && c < columnCount(); ++c)
        SetTextMatrix(at, c, pieces[c]);
    if (at <= row_ && rowCount() > 1)
        row_ = qMin(row_ + 1, rowCount() - 1);
    if (fixedRows_ > 0 || fixedCols_ > 0)
        applyFixed();
}

QString Grid::Contents() const
{
    QStringList lines;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c)
            cells << TextMatrix(r, c);
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}

} // namespace platform
