#include "setup/Conventions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace setup {

namespace {
bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}
} // namespace

double Val(const QString& text)
{
    // Collect the number's characters in C locale form, skipping blanks as we
    // go, then let the standard library convert what we collected.
    std::string num;
    int i = 0;
    const int n = text.size();
    auto skip = [&] {
        while (i < n && isSkipped(text.at(i)))
            ++i;
    };

    skip();
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        if (text.at(i) == u'-')
            num += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (;; ++i) {
        skip();
        if (i >= n)
            break;
        const QChar c = text.at(i);
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            num += char(c.unicode());
            digits = true;
        } else if (c == u'.' && !point) {
            num += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;

    // Optional exponent: only taken when at least one exponent digit follows.
    skip();
    if (i < n && (text.at(i).toUpper() == u'E' || text.at(i).toUpper() == u'D')) {
        int j = i + 1;
        std::string exp = "e";
        while (j < n && isSkipped(text.at(j)))
            ++j;
        if (j < n && (text.at(j) == u'+' || text.at(j) == u'-')) {
            exp += char(text.at(j).unicode());
            ++j;
        }
        bool expDigits = false;
        for (; j < n; ++j) {
            const QChar c = text.at(j);
            if (isSkipped(c))
                continue;
            if (c.unicode() < '0' || c.unicode() > '9')
                break;
            exp += char(c.unicode());
            expDigits = true;
        }
        if (expDigits)
            num += exp;
    }
    // from_chars, not strtod: Qt sets the process locale from the
    // environment, and a decimal comma there must not change how "1.5" reads.
    double v = 0.0;
    const auto [end, ec] = std::from_chars(num.data(), num.data() + num.size(), v);
    (void)end;
    if (ec != std::errc() || !std::isfinite(v))
        return 0.0;
    return v;
}

namespace {
// Converting a double outside qint64's range is undefined; such values
// (typed as "1E30") saturate instead, and NaN gives 0.
qint64 Saturate(double w)
{
    if (std::isnan(w))
        return 0;
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (w >= limit)
        return std::numeric_limits<qint64>::max();
    if (w < -limit)
        return std::numeric_limits<qint64>::min();
    return qint64(w);
}
} // namespace

qint64 RoundHalfEven(double v)
{
    return Saturate(std::nearbyint(v)); // default rounding mode is to-nearest-even
}

qint64 WholePart(double v)
{
    return Saturate(std::floor(v));
}

QColor ColorFromNumber(quint32 number)
{
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

quint32 NumberFromColor(const QColor& c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

} // namespace setup
