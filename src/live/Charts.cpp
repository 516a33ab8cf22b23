#include "live/Charts.h"

#include "setup/Conventions.h"

#include <QRegularExpression>

#include <chrono>
#include <cmath>
#include <limits>

namespace live {

double PlotStart = 0;
double PlotElapsed = 0;
int PlotDone = 0;
int FirstReading = 1;
PlotTiming PlotTimeState = PlotTiming::Idle;

double GraphFullScale = 1;
float GraphMidVal = 0;
float GraphSmallVal = 1;

namespace {

// The largest power of ten a single-precision number reaches.
constexpr int SingleMaxExponent = 38;

// The power of ten of the number's first significant digit, read the way
// setup::Val reads it; nothing when the number is 0 or there is none.
std::optional<long long> DecimalExponent(const QString& text)
{
    QString packed = text;
    packed.remove(QLatin1Char(' '));
    packed.remove(QLatin1Char('\t'));
    packed.remove(QLatin1Char('\n'));
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d*)(?:\\.(\\d*))?(?:[EeDd]([+-]?\\d+))?"));
    const QRegularExpressionMatch m = number.match(packed);
    const QString whole = m.captured(1), fraction = m.captured(2);
    long long at = 0;
    const qsizetype firstWhole = whole.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
    if (firstWhole >= 0) {
        at = whole.size() - firstWhole - 1;
    } else {
        const qsizetype firstFraction =
            fraction.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
        if (firstFraction < 0)
            return std::nullopt;
        at = -(firstFraction + 1);
    }
    const QString exp = m.captured(3);
    if (!exp.isEmpty()) {
        // Anything beyond a few digits is out of every range anyway.
        const bool negative = exp.startsWith(QLatin1Char('-'));
        at += exp.size() > 12 ? (negative ? -1000000000LL : 1000000000LL) : exp.toLongLong();
    }
    return at;
}

// A value shown with the digits a single holds.
double SingleDigits(double v)
{
    return QString::number(v, 'g', 7).toDouble();
}

// A value in fixed notation with d decimals and a single's seven digits:
// past those, a large value shows zeros, not the binary expansion of the
// double that holds it ("400000000000000000000000000000000000000").
QString FixedDigits(double value, int decimals)
{
    const double v = SingleDigits(value);
    if (std::fabs(v) < 1e15)
        return QString::number(v, 'f', decimals);
    const QString scientific = QString::number(v, 'e', 6); // "-4.000000e+38"
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(e).remove(QLatin1Char('.'));
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative)
        digits.remove(0, 1);
    QString text = digits.leftJustified(scientific.mid(e + 1).toInt() + 1, QLatin1Char('0'));
    if (decimals > 0)
        text += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + text : text;
}

double (*clockSource)() = nullptr;

} // namespace

std::optional<float> SingleValue(const QString& text)
{
    const double v = setup::Val(text);
    if (v != 0.0) {
        const float f = float(v);
        if (!std::isfinite(f))
            return std::nullopt;
        return f;
    }
    // Val gives 0 for a number beyond a double's range too: that one is no 0.
    const std::optional<long long> exponent = DecimalExponent(text);
    if (exponent && *exponent > SingleMaxExponent)
        return std::nullopt;
    return 0.0f;
}

std::optional<float> RecordValue(const QString& record)
{
    qsizetype from = 0;
    while (from < record.size()) {
        const ushort c = record.at(from).unicode();
        const bool drop = (c < '+' && c != ' ') || c > '9' || c == ',' || c == '/';
        if (!drop)
            break;
        ++from;
    }
    return SingleValue(record.mid(from));
}

int LabelDecimals(const QString& midText, const QString& smallText)
{
    auto after = [](const QString& text) {
        const QString t = text.trimmed();
        const qsizetype point = t.indexOf(QLatin1Char('.'));
        return point < 0 ? 0 : int(t.size() - point - 1);
    };
    return qMin(6, qMax(after(midText), after(smallText)));
}

double ScaleLabelValue(float mid, float small, int i)
{
    const float single = mid + float(i) * small;
    return std::isfinite(single) ? double(single) : double(mid) + double(i) * double(small);
}

double TimeLabelValue(float time, int j)
{
    const float single = float(j) * time / 10.0f;
    return std::isfinite(single) ? double(single) : double(j) * double(time) / 10.0;
}

QString ScaleLabel(double value, int decimals)
{
    decimals = qBound(0, decimals, 6);
    QString text = FixedDigits(value, decimals);
    if (decimals == 0)
        text += QLatin1Char('.');
    // No "-0.0" for a value that only misses 0 by the last bit.
    if (text.startsWith(QLatin1Char('-')) && !text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.remove(0, 1);
    return text;
}

QString TimeLabel(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    QString text = FixedDigits(value, 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    // Too small for six decimals: still not a 0.
    if (text == QStringLiteral(".") || text == QStringLiteral("-."))
        return QStringLiteral("0");
    return text;
}

// ---- Plot ---------------------------------------------------------------------

void ResetPlotTime()
{
    PlotStart = 0;
    PlotElapsed = 0;
    PlotTimeState = PlotTiming::Idle;
}

void StartPlotTime(double now)
{
    PlotStart = now;
    PlotTimeState = PlotTiming::Running;
}

void PausePlotTime(double now)
{
    // Before the first record there is nothing to gather, and a second
    // Pause must not count the first one's time again.
    if (PlotTimeState != PlotTiming::Running)
        return;
    PlotElapsed = now - PlotStart + PlotElapsed;
    PlotTimeState = PlotTiming::Paused;
}

void ContinuePlotTime(double now)
{
    if (PlotTimeState != PlotTiming::Paused)
        return;
    PlotStart = now;
    PlotTimeState = PlotTiming::Running;
}

double PlotRunningTime(double now)
{
    if (PlotTimeState == PlotTiming::Running)
        return (now - PlotStart) + PlotElapsed;
    return PlotElapsed;
}

double PlotClock()
{
    if (clockSource)
        return clockSource();
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SetPlotClock(double (*clock)())
{
    clockSource = clock;
}

PlotScale ReadPlotScale(const QString& midText, const QString& smallText, const QString& timeText)
{
    PlotScale s;
    s.mid = SingleValue(midText.trimmed()).value_or(0.0f);
    s.small = SingleValue(smallText.trimmed()).value_or(0.0f);
    if (s.small == 0.0f)
        s.small = 1.0f;
    s.time = std::abs(SingleValue(timeText).value_or(0.0f));
    if (s.time == 0.0f)
        s.time = 1.0f;
    s.decimals = LabelDecimals(midText, smallText);
    return s;
}

double PlotX(double t, const PlotScale& s)
{
    return std::nearbyint(t * 1000.0 / double(s.time));
}

double PlotY(float v, const PlotScale& s)
{
    const float y = (v - (s.mid - 20.0f * s.small)) * 400.0f / (40.0f * s.small) - 200.0f;
    if (std::isfinite(y))
        return std::nearbyint(y);
    return std::nearbyint(10.0 * (double(v) - double(s.mid)) / double(s.small));
}

PlotStep NextPlotStep(float v, double t, bool first, double& prevY, const PlotScale& s)
{
    PlotStep step;
    if (!first) {
        step.x = PlotX(t, s);
        step.done = step.x > 1000;
    }
    double y = PlotY(v, s);
    if (y > 200) {
        y = PlotHighClamp;
        if (prevY > 200)
            step.width = 1;
    } else if (y < -200) {
        y = PlotLowClamp;
        if (prevY < -200)
            step.width = 1;
    }
    prevY = y;
    step.y = y;
    return step;
}

// ---- Graph --------------------------------------------------------------------

double InitialFullScale(const QString& text)
{
    // A negative scale would never be passed and a scale of 0 never
    // reached by doubling: the magnitude, and 1 for 0.
    const double v = std::abs(double(SingleValue(text).value_or(0.0f)));
    return v == 0.0 ? 1.0 : v;
}

int GraphClassOf(float v, float mid, float small)
{
    const float single = (v - mid + 15.0f * small) / small;
    const double c = std::isfinite(single)
        ? std::nearbyint(double(single))
        : std::nearbyint((double(v) - double(mid) + 15.0 * double(small)) / double(small));
    if (std::isnan(c) || c < 0)
        return -1;
    if (c > GraphClasses - 1)
        return GraphClasses;
    return int(c);
}

bool CountReading(GraphRun& run, int c)
{
    if (c < 0 || c >= GraphClasses)
        return false;
    run.counts[size_t(c)] += 1;
    if (!std::isfinite(GraphFullScale) || GraphFullScale <= 0)
        GraphFullScale = 1;
    bool doubled = false;
    while (run.counts[size_t(c)] > GraphFullScale) {
        GraphFullScale *= 2;
        doubled = true;
    }
    return doubled;
}

double GraphLabelStep()
{
    return GraphFullScale / 5.0;
}

QString CountLabel(double count)
{
    // Whole counts as whole numbers; a full scale that is no multiple of 5
    // puts its lines between whole counts, and they are labelled as such
    // (rounded to the step a rounded label would otherwise hide: 0.2, 1.4).
    QString text = QString::number(std::nearbyint(count * 100.0) / 100.0, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace live
