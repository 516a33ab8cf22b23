#pragma once
// The settings file "Settings.SSS": one text line of fixed character
// positions (counted from 1):
//   2      baud-rate index "0".."6" (300 .. 19200 baud)
//   3-4    serial port number
//   8      meter address character "0".."9", "A".."V" (0 .. 31)
//   12     1 = two-wire RS-485 line
//   13-15  meter firmware revision
//   16     greater than 0 = open the port at start
// Everything here is pure text handling; Link.h reads and writes the file.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace meterlink {

inline constexpr char SettingsFileName[] = "Settings.SSS";

// The first field of the file's first line, read as a delimited text field:
// leading blanks and tabs skipped; a field in quotation marks runs to the
// closing mark (commas inside kept); otherwise it ends at the first comma
// or the line end. Bytes are read one character each.
QString ReadSettingsField(const QByteArray& content);

// A 17-character line gains "10000"; then a line shorter than 22 characters
// gains "000000" and is cut to 22 (so 16..21 become 22 and a shorter one
// only grows by six). Longer lines are kept whole.
QString NormaliseSettingsLine(const QString& line);

struct DecodedSettings {
    int commPortNo = 0;
    int baudIndex = 0;  // -1 when the baud character is not "0".."6"
    QChar baudChar;
    QString meterAddr;  // one character
    int meterAddrValue = 0;
    int rs485Mode = 0;
    int meterRevision = 0;
    int autoOpenPort = 0;
};

// Decodes a normalised line. A position past the end of the line reads as
// the character "0".
DecodedSettings DecodeSettingsLine(const QString& line);

// Milliseconds per character: 10000 / baud rate, rounded; 0 for an index
// that has no rate.
int CharTimeMsFor(int baudIndex);

// "0".."9" -> 0..9, and from "A" on, code - 55 ("A" 10 .. "V" 31).
int MeterAddrValueOf(QChar c);
// 0..31 -> "0".."9", "A".."V"; a null character for anything else.
QChar MeterAddrCharOf(int value);

// The line with its baud digit (character 2) or its address character
// (character 8) replaced; a line too short for it is padded with "0".
QString SettingsLineWithBaud(const QString& line, int baudIndex);
QString SettingsLineWithAddress(const QString& line, int addrValue);

// The file's bytes for a line: the line and a CR LF, in quotation marks
// when it would not read back whole otherwise (a comma or leading blanks).
QByteArray SettingsFileContent(const QString& line);

} // namespace meterlink
