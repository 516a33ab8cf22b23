#pragma once
// The number fields of the setup image as the meter's six-digit display
// shows them, and the way back from an entered text to the image's digits.

#include <QString>

namespace setup {

// Number kinds. A kind plus KindPlainStyle asks FormatSetupNumber for the
// plain style (sign column, no blank after the point).
inline constexpr int KindWord = 0;       // SetupB, 4 digits, unsigned 16-bit
inline constexpr int KindSignedWord = 1; // SetupB, 4 digits, bit 15 sign + 15-bit magnitude
inline constexpr int KindReading = 2;    // SetupA, 6 digits, signed 24-bit two's complement
inline constexpr int KindScale = 3;      // SetupA, flag digit (bit 3 sign) + 20-bit magnitude
inline constexpr int KindInput = 4;      // as KindScale, flag bits 2..0 = decimal-point code
inline constexpr int KindCharCode = 7;   // a character code 0..255
inline constexpr int KindPlainStyle = 10;

// Values of EntryTimeFormat.
inline constexpr int TimeFormatNumber = 0;
inline constexpr int TimeFormatClock = 1;     // hhmmss held as the plain number it forms
inline constexpr int TimeFormatStopwatch = 2; // a reading holds seconds, shown as hhmmss

// Scratch text for number texts being tidied (and other shared text work).
extern QString WorkStr;

// The field at pos of setupStr as display text: sign, six digits, the point
// after 7 - decPt of them, one blank after an inner point (" +0100. 00").
// kind above 9: plain style ("-0001.00"); kind is reduced by 10 in place.
// decPt is clamped to 1..6 in place; for KindInput it first receives the
// field's own code (or the V-F converter board's fixed one). A KindReading is
// shown as hhmmss while EntryTimeFormat is TimeFormatStopwatch.
QString FormatSetupNumber(int& kind, const QString& setupStr, int pos, int& decPt);

// Stores an entered text (sign for kinds 1..4, digits, at most one point)
// into the field at pos of SetupA (kinds 2..4) or SetupB (kinds 0, 1).
// A KindInput text without a point is a whole number (code 1). A stopwatch
// time needs hours 0..99, minutes and seconds 0..59.
// Returns false and leaves the image untouched when the value does not fit
// the field, the field lies past the end of its string, or the kind has no
// stored form here.
bool StoreEnteredValue(int kind, int pos, const QString& text);

// WorkStr trimmed, then without any blank or point (" 1. 234. 5" -> "12345").
void StripNumberText();
// WorkStr trimmed, "+" appended when six characters long, then grouped as
// "123. 45. 6+".
void DotFormat();

} // namespace setup
