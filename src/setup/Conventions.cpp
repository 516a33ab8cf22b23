#include "setup/Conventions.h"

#include <cmath>
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
        num += char(text.at(i).unicode());
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
    if (num == "+" || num == "-")
        return 0.0;
    const double v = std::strtod(num.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

qint64 RoundHalfEven(double v)
{
    return qint64(std::nearbyint(v)); // default rounding mode is to-nearest-even
}

qint64 WholePart(double v)
{
    return qint64(std::floor(v));
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
