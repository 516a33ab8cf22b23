#include "setup/NumberCoding.h"

#include "setup/Conventions.h"
#include "setup/EntryHandoff.h"
#include "setup/HexText.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <cstdlib>

namespace setup {

QString WorkStr;

namespace {

constexpr qint64 ReadingMax = 8388607;   // 24-bit two's complement
constexpr qint64 MagnitudeMax = 1048575; // five hex digits
constexpr qint64 WordMax = 65535;
constexpr qint64 SignedWordMax = 32767;

// Blanks only, like the trimming the texts were always given; tabs and other
// white space are kept.
QString TrimBlanks(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b) == u' ')
        ++b;
    while (e > b && s.at(e - 1) == u' ')
        --e;
    return s.mid(b, e - b);
}

// Seconds as the hhmmss number the display shows for a stopwatch time.
qint64 SecondsToHhmmss(qint64 seconds)
{
    return (seconds / 3600) * 10000 + (seconds % 3600 / 60) * 100 + seconds % 60;
}

// One part (hours, minutes or seconds) of an entered stopwatch time, or -1
// when it is not a whole number of 0..max once rounded.
qint64 TimePart(const QString& text, qint64 max)
{
    const double x = Val(text);
    if (!(x >= 0 && x <= double(max) + 0.5)) // also refuses NaN and infinities
        return -1;
    const qint64 part = RoundHalfEven(x);
    return part <= max ? part : -1;
}

} // namespace

QString FormatSetupNumber(int& kind, const QString& setupStr, int pos, int& decPt)
{
    bool plain = false;
    if (kind > 9) {
        plain = true;
        kind -= KindPlainStyle;
    }
    const bool word = kind == KindWord || kind == KindSignedWord;
    const QStringView s = hex::Mid(setupStr, pos, word ? 4 : 6);
    const int flagDigit = int(hex::Value(s.left(1)));

    const bool negative = kind != KindWord && (flagDigit & 8) != 0;
    if (kind == KindInput) {
        // The V-F converter board works with a fixed number of decimals,
        // whatever the field's own flag says.
        if (InputOption == 2)
            decPt = ModeCode == 9 ? 6 : 5;
        else
            decPt = flagDigit & 7;
    }

    QString text;
    switch (kind) {
    case KindWord:
        text = QString::number(hex::Value(s));
        break;
    case KindSignedWord:
        text = QString::number(hex::Value(s) & 0x7FFF);
        break;
    case KindReading: {
        qint64 v = hex::Value(s);
        if (v > ReadingMax)
            v -= 16777216;
        // The sign is shown from the flag bit; the digits are the magnitude,
        // also for a negative stopwatch time, so that it reads back the same.
        const qint64 magnitude = std::llabs(v);
        text = QString::number(EntryTimeFormat == TimeFormatStopwatch ? SecondsToHhmmss(magnitude)
                                                                      : magnitude);
        break;
    }
    case KindScale:
    case KindInput:
    case KindCharCode:
        text = QString::number(hex::Value(s.right(5)));
        break;
    default:
        break; // no decoding: shown as zeros
    }

    // Six digits; a seven-digit value loses its first digit, as on the meter.
    text = (QStringLiteral("000000") + text).right(6);
    decPt = qBound(1, decPt, 6);
    text = text.left(7 - decPt) + u'.' + text.right(decPt - 1);
    if (kind == KindWord)
        text = text.right(6);

    if (plain) {
        if (kind == KindWord)
            text.prepend(QStringLiteral("  "));
        else
            text.prepend(negative ? QStringLiteral("-") : QStringLiteral(" "));
    } else {
        if (kind != KindWord)
            text.prepend(negative ? QStringLiteral(" - ") : QStringLiteral(" +"));
        const qsizetype point = text.indexOf(u'.');
        if (point >= 0 && point < text.size() - 1)
            text.insert(point + 1, u' ');
    }
    return text;
}

bool StoreEnteredValue(int kind, int pos, const QString& text)
{
    QString t = text;
    const qsizetype point = t.indexOf(u'.');
    int code = 0;
    // A typed input value without a point is a whole number: code 1, the
    // point after the last digit (not five decimals).
    if (kind == KindInput)
        code = point < 0 ? 1 : qBound(1, int(9 - (point + 1)), 6);
    if (point >= 0)
        t.remove(point, 1);

    if (kind == KindReading || kind == KindScale || kind == KindInput) {
        const bool minus = t.startsWith(u'-');
        const QString digits = t.mid(1); // the sign character is never part of the number
        qint64 v;
        if (kind == KindReading && EntryTimeFormat == TimeFormatStopwatch) {
            // Each part is checked before they are combined: a huge part
            // ("1e30", twenty digits) must be refused, not overflow the sum.
            const qint64 h = TimePart(digits.mid(0, 2), 99);
            const qint64 m = TimePart(digits.mid(2, 2), 59);
            const qint64 sec = TimePart(digits.mid(4), 59);
            if (h < 0 || m < 0 || sec < 0)
                return false;
            v = h * 3600 + m * 60 + sec;
        } else {
            v = RoundHalfEven(Val(digits));
        }
        if (v < 0)
            return false;

        QString h;
        if (kind == KindReading) {
            if (v > (minus ? ReadingMax + 1 : ReadingMax))
                return false;
            h = hex::Digits(minus && v != 0 ? 16777216 - v : v, 6);
        } else {
            if (v > MagnitudeMax)
                return false;
            h = hex::Digits((minus ? 8 : 0) + code, 1) + hex::Digits(v, 5);
        }
        return hex::Overwrite(SetupA, pos, h);
    }

    if (kind == KindWord || kind == KindSignedWord) {
        qint64 add = 0;
        if (kind == KindSignedWord) {
            if (t.startsWith(u'-'))
                add = 32768;
            t.remove(0, 1);
        }
        const qint64 v = RoundHalfEven(Val(t));
        if (v < 0 || v > (kind == KindWord ? WordMax : SignedWordMax))
            return false;
        return hex::Overwrite(SetupB, pos, hex::Digits(v + add, 4));
    }
    return false;
}

void StripNumberText()
{
    WorkStr = TrimBlanks(WorkStr);
    WorkStr.remove(u' ');
    WorkStr.remove(u'.');
}

void DotFormat()
{
    WorkStr = TrimBlanks(WorkStr);
    if (WorkStr.size() == 6)
        WorkStr += u'+';
    WorkStr = WorkStr.mid(0, 3) + QStringLiteral(". ") + WorkStr.mid(3, 2) + QStringLiteral(". ")
              + WorkStr.mid(5, 2);
}

} // namespace setup
