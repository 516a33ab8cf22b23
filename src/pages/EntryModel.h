#pragma once
// What the value-entry dialog does with its seven one-character boxes,
// without any window: which boxes a number kind uses, which keys each box
// takes, where the decimal point stands and moves, where the caret goes next,
// and the commit of the composed text into the setup image.
//
// The value is typed the way the meter's front panel is set: a sign box, then
// one digit per box, the decimal point carried by the box whose digit it
// follows ("2." in that box). The dialog shows Box, BoxVisible and MarkInUse
// after each call and moves the focus to Focus when it names a box.
//
// It reads the hand-off globals of setup/EntryHandoff.h (EntryText, EntryKind,
// EntryPos, EntryDecPt, EntryTimeFormat) and InputOption when loading, and
// writes EntryText / EntryCode and the setup image on a successful commit.

#include <QChar>
#include <QString>
#include <array>

namespace pages {

inline constexpr int EntryBoxCount = 7; // txtDigit(0..6)
inline constexpr int EntryMarkCount = 6; // lblDP(0..5); lblDP(k) stands for code k + 1

// Where the caret is to go: a box, at the start of its text or after its
// digit. box -1: the focus stays where it is.
struct EntryFocus {
    int box = -1;
    bool afterDigit = false;
};

class EntryModel {
public:
    std::array<QString, EntryBoxCount> Box;
    std::array<bool, EntryBoxCount> BoxVisible{};
    std::array<bool, EntryMarkCount> MarkInUse{}; // dark red when true, else dark gray
    int EntryAtEnd = 0;    // 1 once the caret has moved past box 6
    int EntryDecimals = 1; // box 7 - EntryDecimals carries the point; 0 none (kind 4 typing)
    EntryFocus Focus;      // set by every call below

    // Fills the boxes from a text in the page's display style (" +0100. 00")
    // for the kind; reads EntryPos, EntryDecPt, EntryTimeFormat and the input
    // board for the rules of this entry. Focus: the kind's first box.
    void LoadEntryDigits(const QString& text, int kind);

    // Left (37) and Right (39) arrows in box index; other codes do nothing.
    void KeyDown(int index, int keyCode);

    // A character typed into box index. Refused characters beep (a refused
    // "." is dropped silently). Returns true for Enter (13): the caller
    // commits as OK does.
    bool KeyPress(int index, QChar ch);

    // A character typed while OK has the focus: for an input value (kind 4),
    // "." puts the point after the last digit.
    void OkKeyPress(QChar ch);

    // Joins the boxes and stores the value: StoreEnteredValue for kinds 0..4,
    // EntryCode for a character code (kind 7). On success EntryText holds the
    // text for the page's box and true is returned. A value that cannot be
    // stored (a character code of 256 or more, a value that does not fit its
    // field) beeps, changes nothing, puts the focus on the first digit box
    // and returns false: the dialog stays up.
    bool CommitEntry();

    int Kind() const { return kind_; }
    int FirstBox() const;      // the leftmost box the kind uses
    int SignBox() const;       // -1: the kind has no sign
    bool TimeFormat() const { return timeFormat_; }
    bool FixedPoint() const { return fixedPoint_; } // V-F converter board fixes an input's point

private:
    bool Accepts(int index, QChar ch) const;
    void MovePoint(int index);
    void CutToDigits();
    void ShowMarks();

    int kind_ = 0;
    int pos_ = 0;
    bool timeFormat_ = false;
    bool fixedPoint_ = false;
};

} // namespace pages
