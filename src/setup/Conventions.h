#pragma once
// Number and colour conventions that every part of the program shares:
// how a text is read as a number, how floats become whole numbers, and how
// the program's colour numbers (&H00BBGGRR, red in the low byte) map to Qt.

#include <QColor>
#include <QString>
#include <QtGlobal>

namespace setup {

// The numeric value of a text, read the way the meter's software always read
// typed numbers: blanks, tabs and line feeds are skipped anywhere (also
// between digits); then an optional sign, digits with at most one decimal
// point and an optional exponent ("E"/"D"); anything after that is ignored.
// A text that holds no number gives 0.
double Val(const QString& text);

// Float to whole number: nearest, halves to even (2.5 -> 2, 3.5 -> 4).
qint64 RoundHalfEven(double v);

// The whole part of a value: truncates toward minus infinity (-1.5 -> -2).
qint64 WholePart(double v);

// A colour number with red in the low byte, green in the middle byte and
// blue in the high byte (the top byte is ignored).
QColor ColorFromNumber(quint32 number);
quint32 NumberFromColor(const QColor& c);

} // namespace setup
