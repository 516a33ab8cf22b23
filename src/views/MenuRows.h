#pragma once
// The menu view's content without its window: the setup image shown as the
// meter's own front-panel menu, one row per menu item in the order the meter
// steps through them, each with its key in the meter's seven-segment style,
// a sign cell and six digit cells, and the item code that selects its help
// topic. The two alarm setpoints form rows of their own.
//
// Building reads the setup image and derives the shared values from it
// (setup::DeriveSharedValues) as page 1 would; the only change it makes to
// the image is a decimal-point code of 0, which the meter reads as 1, written
// back as 1. The value-entry hand-off (EntryDecPt, EntryTimeFormat) is left
// as it was found.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace views {

// Help topics: main grid row r shows topic MenuTopicBase + its item code
// (2101 to 2144; the header row has none); the setpoint grid's header 2172,
// SETPT1 2173 and SETPT2 2174.
inline constexpr int MenuTopicBase = 2100;
inline constexpr int SetPointTopicBase = 2172;

// Item codes that the window needs to tell apart.
inline constexpr int CodeInput = 1;
inline constexpr int CodeDecPt1 = 11;
inline constexpr int CodeDecPt2 = 12;
inline constexpr int CodeScale1 = 13;
inline constexpr int CodeScale2 = 19;
inline constexpr int CodeResolution = 26;
inline constexpr int CodeCalib = 37;
inline constexpr int CodeSetPt1 = 42;
inline constexpr int CodeSetPt2 = 43;
inline constexpr int CodePreset = 44;

// From the 28th item row on the main grid scrolls.
inline constexpr int RowsWithoutScrolling = 27;

struct MenuRow {
    QString key;         // " " & key, "*" appended when the item is locked out
    QStringList cells;   // the sign cell and the six digit cells
    QStringList overlay; // the row's second value (function name, multiplier); empty when none
    int code = 0;        // item code
    bool locked = false;
};

struct MenuRows {
    QString inputOptionName;          // the input option board's name
    std::vector<MenuRow> rows;        // main grid rows 1, 2, ...
    std::vector<MenuRow> setPoints;   // setpoint grid rows 1, 2, ...
    int scale1Row = 0;                // grid rows of SCALE1, SCALE2 and CALib; 0 none
    int scale2Row = 0;
    int calibRow = 0;
    bool scrollBars = false;          // more rows than the grid shows at once
};

// The whole view from the current setup image.
MenuRows BuildMenuRows();

// The help topic of a grid row, or 0 for a row that holds no item (past the
// last item, and the main grid's header row 0).
int MenuRowTopic(const MenuRows& view, int gridRow);
int SetPointRowTopic(const MenuRows& view, int gridRow);

// A digit code as its cell: -1 blank, 0..15 "0".."9", "A", "b", "C", "d",
// "E", "F", 16..31 the same with the decimal point; other codes are blank.
QString DigitCodeCell(int code);

// The cells of a number text in the plain style (sign, six digits, one
// point): sign cell and six digit cells, the point on the digit before it.
// A point after the last digit is shown only when pointAfterLast is set (the
// decimal-point rows); clockTime puts points after the hours and minutes
// instead (hh.mm.ss).
QStringList NumberCells(const QString& valueText, bool pointAfterLast, bool clockTime);
// The six digit cells of a multiplier text ("    0.1", "   1000").
QStringList MultiplierCells(const QString& text);
// Seven cells from the first seven characters of a name, no points.
QStringList TextCells(const QString& text);

// The row builder: one procedure per group of the meter's menu, called in
// menu order by Build. Public so that the groups can be tested alone; the
// window only uses BuildMenuRows.
class MenuRowBuilder {
public:
    MenuRows Build();

    // Derives the values that the groups share (as the view does at load).
    void Prepare();

    // Group procedures, in menu order.
    void RowInput();
    void RowSetup();
    void RowConfig();
    void Row4();
    void RowGate();
    void RowBatch();
    void RowFilter();
    void RowSlope();
    void RowDecPt();
    void RowScale1();
    void RowLoHi1();
    void RowScale2();
    void RowLoHi2();
    void RowRd0In();
    void RowResolution();
    void RowSource();
    void RowAlarmSet();
    void RowDeviation();
    void RowAnalog();
    void RowSerial();
    void RowCalib();
    void RowLockout();
    // The setpoint rows.
    void SetPointRows();

    // Appends one main row from ItemName, Locked, ValueText, ValueText2 and
    // DigitCodes. Kinds 0..4 a number or decimal-point pattern, 5 a text
    // (code 26: a multiplier), 6 digit codes.
    void AddMenuRow(int kind, int code);
    // Appends one setpoint row from ItemName, Locked and ValueText.
    void PrntSP(int code);
    // OptText 0..10: the multiplier texts, 10^(index - 5).
    void FillMultiplierTable();
    // DpWork = the item the filtered-item source stands for.
    void DefaultDpMode();
    // DpResult = the decimal-point code of item DpMode (limited to the items
    // of the current pair).
    void ResolveDecimalPoint();
    // SpDp1, SpDp2 from the alarm sources.
    void SetPointDecimals();

    // The row being built.
    QString ItemName;
    QString ValueText;
    QString ValueText2;
    std::array<QString, 16> OptText;
    std::array<int, 7> DigitCodes{}; // 1..6 used
    int Locked = 0;

    // Working values.
    int Mode = 0;      // the stored mode and function (SetupB byte 63)
    int Function = 0;
    int CusCrvActive = 0;
    int Item2DecPt = 1;  // decimal-point code of item 2's values
    int TimeFormat = 0;  // 1: the next number row shows hh.mm.ss
    int DpWork = 0, DpMode = 0, DpResult = 0;
    int SpDp1 = 1, SpDp2 = 1;

    MenuRows View;

private:
    // A number field in the plain style (kind 10..14).
    QString Number(int kind, const QString& setupStr, int pos, int decPt) const;
    // A value that is a time on clock and stopwatch displays (offsets, preset).
    QString TimeValue(const QString& setupStr, int pos, int decPt);
    void ClearDigits();
};

} // namespace views
