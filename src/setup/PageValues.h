#pragma once
// Values that setup page 1 keeps while the user edits, and that the menu
// view needs as well: the option boards, the display type, the stopwatch
// time format and the two decimal points. The menu view must not depend on
// page 1's window to learn them, so the way they follow from the image is
// kept here.

namespace setup {

extern int RelayOption;         // 1: relay board fitted (SetupB 57 bit 6)
extern int AnalogOption;        // 1: analog output board fitted (57 bit 5)
extern int CommOption;          // 0 none, 1 RS232, 2 RS485, 3 parallel BCD (57 bits 4..3)
extern int DisplayType;         // 0..12 (49 bits 7..4)
extern int StopwatchTimeFormat; // the display type (4 or 5) in Stopwatch mode, else 0
extern int DecPt1;              // decimal-point codes of items 1 and 2 (15 bits 2..0, 6..4)
extern int DecPt2;

// Sets every value above, and InputOption, ExtendedMode, ModeCode and
// FunctionCode (normalised), from the image as page 1's activation does.
void DeriveSharedValues();

// The stopwatch time format for a mode and display type.
int StopwatchTimeFormatOf(int mode, int displayType);

// Whether the Read 0 In value applies: a V-F converter board, a function
// other than 2, and square root or a custom curve chosen. Reads the image and
// the current InputOption and FunctionCode.
bool Rd0InEnabled();

} // namespace setup
