#pragma once
// The meter link's program-wide state, set at start-up from the settings
// file "Settings.SSS" in the program's folder, and the start-up itself.

#include <QString>

#include <array>

namespace meterlink {

// Fixed tables.
extern std::array<QString, 8> BaudRates;      // "300" .. "19200" for 0..6; 7 stays empty
extern std::array<QString, 33> CtrlCharNames; // "nul" .. "us ", "sp " for codes 0..32
extern QString CrStr;                         // the command and reply terminator, CR

// Fills CtrlCharNames (start-up does; windows that show names may too).
void InitCtrlCharNames();

// Link state.
extern QString SettingsLine; // the normalised settings line; empty when no settings were read
extern int BaudIndex;        // into BaudRates
extern int CommPortNo;
extern QString MeterAddr;    // one character, as put into commands
extern int MeterAddrValue;   // its number, 0..31
extern int Rs485Mode;        // 1 = two-wire RS-485 line, turned around after each command
extern int MeterRevision;
extern int MeterType;
extern int AutoOpenPort;     // not 0 while the port is open for use (serial menus enabled)
extern int CharTimeMs;       // milliseconds per character at BaudIndex

// Start-up, up to the main window: tables, the program's folder as the
// current directory, the settings file, the port, the character time, the
// mode/function tables and colours (setup::InitTables), and an all-zero
// setup image. The caller then shows the main window.
//
// A missing, empty or unreadable settings file, a baud character outside
// "0".."6", port number 0 and a port that will not open are each told in a
// message box (naming the file or the port, its device and the reason); the
// program then runs with the port closed and AutoOpenPort 0. No settings
// file is written.
void Main();

// The folder of the executable; tests point it elsewhere (empty = back to
// the executable's folder).
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
QString SettingsFilePath();

// Waits `seconds` (0 means 0.55 - 0.1 * BaudIndex; a result at or below
// zero returns at once), giving the event loop its turns. Measured on a
// steady clock, so midnight and clock changes do not disturb it; ends early
// when the program is quitting.
void Delay(float seconds);

// The port's settings text for BaudIndex: BaudRates(BaudIndex) & ",n,8,1".
QString PortSettingsText();

// Follows a new baud index (Put Setup): BaudIndex, CharTimeMs, the open
// port's settings and character 2 of SettingsLine. False, changing nothing,
// for an index without a rate (outside 0..6); false too, with everything
// but the port changed, when the open port refuses the new rate (the
// port's pending error then tells why).
bool ApplyBaudIndex(int baudIndex);

// Follows a new meter address (Put Setup): MeterAddr, MeterAddrValue and
// character 8 of SettingsLine, the place start-up reads it from. False,
// changing nothing, outside 0..31.
bool ApplyMeterAddress(int addrValue);

// Rewrites "Settings.SSS" in the program's folder as SettingsLine and a line
// end, atomically (a failure leaves the old file whole). False when it could
// not be written, or when there is no settings line to write.
bool WriteSettingsFile();

} // namespace meterlink
