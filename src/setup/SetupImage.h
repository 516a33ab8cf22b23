#pragma once
// The meter's whole setup as the program holds it: three strings of hex
// digits addressed by 1-based character position, two characters a byte.

#include <QString>
#include <QStringView>

namespace setup {

// Lengths of the three strings as the meter sends them.
inline constexpr int SetupALength = 108;
inline constexpr int SetupBLength = 68;
inline constexpr int SetupCharsLength = 16;

// Program-wide setup image. SetupA: 18 six-digit numbers (108 characters);
// SetupB: 34 option bytes (68 characters, 84 after Get Setup from an older
// meter); SetupChars: 8 bytes (16 characters, empty until a setup is loaded).
extern QString SetupA;
extern QString SetupB;
extern QString SetupChars;

// Bits hiBit..loBit of the SetupB byte at pos (0 when pos lies past the end).
int GetSetupBits(int hiBit, int loBit, int pos);
// Stores value into bits hiBit..loBit of the SetupB byte at pos. Refuses
// (returns false, writes nothing) a negative value, a result above 255 or a
// byte past the end of the string.
bool SetSetupBits(int hiBit, int loBit, int pos, int value);

// The SetupChars byte at pos, 0..255 (0 when pos lies past the end).
int GetCharsByte(int pos);
// Stores value 0..255 at pos of SetupChars; refuses anything else.
bool PutCharsByte(int pos, int value);

// True when text is not empty and every character is a hex digit (either
// case): what a block from the meter or a setup file must be before it may
// become part of the image.
bool IsHexText(QStringView text);

} // namespace setup
