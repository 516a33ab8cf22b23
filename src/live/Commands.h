#pragma once
// What the commands window needs that is no window: the split of an "All
// Active" answer into its items, the display-item-3 rule, and the state the
// window shares with the rest of the program.

#include <QString>

#include <array>

namespace live {

// Copy of SetupB byte 51 bit 3: the meter ends each item of a multi-item
// answer with its own terminator, so only item 1 arrives.
extern int TermEachItem;
// 1..3 the items of the last "All Active" answer, 4 the peak (or the last
// piece); 0 is not used.
extern std::array<QString, 5> ActiveItems;
// Set by the commands window's 50 ms timer; the arrow moves one step a tick.
extern int TimerTick;

// Splits reply, items one after another each beginning with its sign ("-"
// or a blank), into ActiveItems. withPeak: the last piece is the peak
// (ActiveItems(4)). An answer of 40 characters or more holds more pieces
// than there is room for: items beyond the third are dropped, except that
// with the peak the last piece still becomes the peak.
void SplitActiveItems(const QString& reply, bool withPeak);

// True for the mode/function pairs that use display item 3 themselves, so
// that remote-display text cannot go to it: function 2, 11..14, and 15 in
// mode 0.
bool Item3InUse(int mode, int function);

} // namespace live
