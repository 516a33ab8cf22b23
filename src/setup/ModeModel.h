#pragma once
// The meter's modes and functions: fixed tables built once at start-up, and
// the values derived from the setup image that every window shares.

#include <QString>
#include <array>

namespace setup {

// Tables (InitTables fills them; never changed afterwards).
extern std::array<QString, 13> ModeNames;            // index: mode code 0..12
extern std::array<QString, 13 * 16> FunctionNames;   // element mode + 13 * function
extern std::array<int, 194> LayoutCodeTable;         // index mode * 16 + function
extern std::array<std::array<int, 8>, 4> ItemLayoutTable; // [layout 0..3][column 0..7]
extern const std::array<const char*, 4> LayoutDigits;

// Bounds-checked look-ups: an index outside the table gives "" / 0.
QString ModeName(int mode);
QString FunctionName(int mode, int function);
int LayoutCode(int mode, int function);
// The copy index of column 0..7 for item layout 0..3; 9 ("no such group")
// outside the table, e.g. while ItemLayout still holds its start value 9.
int ItemLayoutEntry(int layout, int column);

// Derived values shared by every window.
extern int InputOption;  // 0 none, 1 dual signal conditioner, 2 V-F converter, 3 quadrature
extern int ModeCode;
extern int FunctionCode;
extern int ExtendedMode; // 1 extended feature set, 0 basic
extern int LayoutFlags;  // high byte of the current layout code
extern int LayoutFlags2; // low byte
extern int PresetShown;
extern int ItemLayout;   // 0..3; 9 until page 1 has arranged its items
extern int FilteredItem; // 1..3, 0 none; 9 until page 1 has set it
extern int CusCrvActive;

// Colours, as colour numbers (&H00BBGGRR); see Conventions.h for QColor.
extern quint32 ColorWhite, ColorLightYellow, ColorGray, ColorDarkGray, ColorBlack, ColorRed,
    ColorDarkRed, ColorGreen;

void InitTables();
void InitLayoutCodeTable();
void InitModeFunctionNames();
void ReadInputOption();
void NormaliseModeFunction();
int ItemLayoutOf(int mode, int function);
int FilteredItemOf(int mode, int function);
QString Item1Name(int layout, int mode);
QString Item2Name(int layout, int mode);
QString Item3Name(int layout, int mode);
int ModeFunctionRule2(int mode, int function);
int ModeFunctionRule3(int mode, int function);

} // namespace setup
