#include "live/Calibration.h"

#include "setup/Conventions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace live {

const QString RangeText = QStringLiteral("  Maximum correction applied ");

double CalibWaitFactor = 1.0;

namespace {

bool IsSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The number at the start of text, read as setup::Val reads it; nullopt when
// there is none (Val gives 0 then, as for "0") or it lies beyond the range of
// a double (Val gives 0 for that too).
std::optional<double> LeadingNumber(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && IsSkipped(text.at(i)))
        ++i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    bool point = false, digits = false, nonZero = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (IsSkipped(c))
            continue;
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            digits = true;
            nonZero = nonZero || c != u'0';
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    const double v = setup::Val(text);
    if (!std::isfinite(v) || (v == 0 && nonZero))
        return std::nullopt;
    return v;
}

bool AllHex(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool hex = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
        if (!hex)
            return false;
    }
    return true;
}

} // namespace

std::optional<TempScale> ScaleFor(double hz)
{
    double ratio = CalibTarget / hz;
    if (!std::isfinite(ratio) || !(ratio > 0))
        return std::nullopt;
    TempScale s;
    s.e = 5;
    while (ratio >= 10) {
        ratio /= 10;
        ++s.e;
    }
    while (ratio < 1) {
        ratio *= 10;
        --s.e;
    }
    s.factor = QStringLiteral("0")
        + QString::number(setup::RoundHalfEven(ratio * 100000), 16).toUpper();
    return s;
}

FrequencyCheck CheckFrequency(const QString& text)
{
    FrequencyCheck c;
    const QString askNumber =
        QStringLiteral("Enter the known input frequency in Hertz, a number above 0.");
    const std::optional<double> hz = LeadingNumber(text);
    c.hz = hz.value_or(0);
    const std::optional<TempScale> scale = c.hz > 0 ? ScaleFor(c.hz) : std::nullopt;
    if (!scale) {
        c.refusal = askNumber;
        return c;
    }
    c.scale = *scale;
    // The exponent goes into one digit of the scale register.
    if (c.scale.e > 9)
        c.refusal = QStringLiteral("The frequency is too low to calibrate with: it must be "
                                   "above 9 Hz.");
    else if (c.scale.e < 0)
        c.refusal = QStringLiteral("The frequency is too high to calibrate with: it must be "
                                   "below 90,000,000,000 Hz.");
    return c;
}

bool ScaleReplyOk(const QString& reply)
{
    return reply.size() == 12 && AllHex(reply);
}

bool RegisterReplyOk(const QString& reply)
{
    return reply.size() >= 2 && AllHex(reply);
}

QString RegisterWithExponent(const QString& reg, int e)
{
    QString out = reg;
    const QString digits = QString::number(e);
    if (out.size() >= 2)
        out[1] = digits.back();
    return out;
}

std::optional<double> ReadingValue(const QString& reply)
{
    QString text = reply;
    const int point = text.indexOf(u'.');
    if (point >= 0)
        text.remove(point, 1);
    return LeadingNumber(text);
}

int CorrectionPpm(double r, bool* limited)
{
    const double ppm = std::floor((CalibTarget - r) * 10.0 / 9.0 + 0.5);
    const bool over = !(std::fabs(ppm) <= MaxCorrectionPpm);
    if (limited)
        *limited = over;
    if (over)
        return ppm > 0 ? MaxCorrectionPpm : -MaxCorrectionPpm;
    return int(ppm);
}

QString CorrectionWord(int ppm)
{
    const int magnitude = std::min(std::abs(ppm), MaxCorrectionPpm);
    const unsigned word = unsigned(magnitude) | (ppm < 0 ? 0x8000u : 0u);
    return QString::number(word, 16).toUpper().rightJustified(4, u'0');
}

} // namespace live
