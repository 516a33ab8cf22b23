#pragma once
// A grid of text cells in the manner the windows were designed around: a
// current cell (Row, Col) whose Text is read and written, fixed (grey)
// leading rows and columns, sizes in twips, a first visible row (TopRow),
// rows added as one Tab-separated text, and Click, SelChange and Scroll
// events. Qt's table speaks in items, headers and pixels instead, and
// creates no item for an empty cell; the mapping lives here once.
//
// The cells are not editable. Row and column headers are not shown: fixed
// rows and columns are ordinary cells painted grey.

#include <QTableWidget>

namespace platform {

class Grid : public QTableWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    int Rows() const { return rowCount(); }
    void SetRows(int n);
    int Cols() const { return columnCount(); }
    void SetCols(int n);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int n);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);

    // The current cell. Setting it from code raises no Click, and SelChange
    // only when the cell changes.
    int Row() const { return row_; }
    void SetRow(int r);
    int Col() const { return col_; }
    void SetCol(int c);

    // Text of the current cell, and of any cell.
    QString Text() const { return TextMatrix(row_, col_); }
    void SetText(const QString& text) { SetTextMatrix(row_, col_, text); }
    QString TextMatrix(int r, int c) const;
    void SetTextMatrix(int r, int c, const QString& text);

    // Sizes in twips (rounded to whole pixels on the screen).
    int ColWidth(int c) const;
    void SetColWidth(int c, int twips);
    int RowHeight(int r) const;
    void SetRowHeight(int r, int twips);

    // The first row shown below the fixed rows; setting it scrolls.
    int TopRow() const;
    void SetTopRow(int r);

    enum class ScrollBarsKind { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };
    void SetScrollBars(ScrollBarsKind kind);

    // Adds a row whose cells are the Tab-separated pieces of text, at index
    // (the end when -1 or beyond it). Pieces beyond the grid's columns are
    // dropped; missing ones leave their cells empty.
    void AddItem(const QString& text, int index = -1);

    // Everything in the grid as text: rows by line, cells by Tab.
    QString Contents() const;

signals:
    void Click();     // a mouse click on a cell, after the current cell moved there
    void SelChange(); // the current cell changed
    void Scroll();    // TopRow or the first column shown changed

private:
    void applyFixed();
    void moveTo(int r, int c);

    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = 0;
    int col_ = 0;
};

} // namespace platform
