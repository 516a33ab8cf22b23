#pragma once
// Reading and writing the hex digits of the setup image. Internal to the
// setup folder: other code goes through the accessors and the number coding.

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace setup::hex {

// The characters of s from the 1-based position pos, at most count of them;
// empty when pos lies before the start or past the end (the image's fields
// are addressed like this, so a short string simply yields fewer digits).
inline QStringView Mid(QStringView s, int pos, int count)
{
    if (pos < 1 || pos > s.size() || count <= 0)
        return {};
    return s.mid(pos - 1, qMin<qsizetype>(count, s.size() - (pos - 1)));
}

// The value of the hex digits a text begins with, either case. Blanks, tabs
// and line feeds are passed over like anywhere else a number is read; the
// first other non-hex character ends the number, and a text without leading
// hex digits reads as 0 (a hand-edited image must never stop the program).
inline qint64 Value(QStringView digits)
{
    qint64 v = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int d;
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        if (u >= u'0' && u <= u'9')
            d = u - u'0';
        else if (u >= u'A' && u <= u'F')
            d = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            d = u - u'a' + 10;
        else
            break;
        if (v > (Q_INT64_C(1) << 56)) // far beyond any field; keep it from overflowing
            break;
        v = v * 16 + d;
    }
    return v;
}

// v (not negative) as exactly width upper-case hex digits, zero-filled on
// the left; callers make sure v fits.
inline QString Digits(qint64 v, int width)
{
    return QString::number(v, 16).toUpper().rightJustified(width, u'0', true);
}

// Writes text over the characters at pos when all of them lie inside s; the
// string never grows or shrinks. False (nothing written) otherwise.
inline bool Overwrite(QString& s, int pos, const QString& text)
{
    if (pos < 1 || pos - 1 + text.size() > s.size())
        return false;
    s.replace(pos - 1, text.size(), text);
    return true;
}

} // namespace setup::hex
