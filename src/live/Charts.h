#pragma once
// What the plot and graph windows compute, apart from any window: the value
// of a record, the scales and their labels, where a reading is drawn on the
// strip chart, the running time of a plot, and the classes and counts of the
// bar graph.
//
// Values are read as single-precision numbers, and a reading's place on the
// plot or its class on the graph is worked out in single precision too,
// which decides where an exact half at a decimal division rounds to. Where
// that overflows (a reading far off the scale, a tiny division), the place
// is worked out again in double precision, which only has to tell the side.

#include <QString>

#include <array>
#include <optional>

namespace live {

// ---- Values -----------------------------------------------------------------

// The numeric value of a text (blanks skipped, sign, digits, point,
// exponent; no number gives 0) as a single-precision number; nothing when
// the number is too large for one, which no reading or scale can use.
std::optional<float> SingleValue(const QString& text);

// The value of a record: the leading characters that cannot begin a number
// (codes below "+" other than a blank, above "9", "," and "/") are dropped,
// then the rest is read as SingleValue reads it. A record without a number
// gives 0; nothing when its number is too large to be a reading.
std::optional<float> RecordValue(const QString& record);

// The number of characters after the "." of the trimmed texts, the larger
// of the two, at most 6 (0 without a ".").
int LabelDecimals(const QString& midText, const QString& smallText);

// The value a scale label stands for, mid + i small, reckoned in single
// precision as the scale is; where that overflows (a division so large that
// the outer labels pass a single's range), in double precision, so that
// every label still reads as its number.
double ScaleLabelValue(float mid, float small, int i);
// The same for time label j (0..10) of a plot time T: j T / 10.
double TimeLabelValue(float time, int j);

// value with a single's seven digits and d decimals; d = 0 keeps the point
// ("-20.").
QString ScaleLabel(double value, int decimals);

// A time in seconds with a single's seven digits and up to six decimals, no
// trailing zeros and no leading zero ("6.", "12.5", ".1"); "0" for 0.
QString TimeLabel(double value);

// ---- Plot ---------------------------------------------------------------------

// The picture's user scale.
constexpr double PlotLeft = -150, PlotTop = 215, PlotRight = 1020, PlotBottom = -250;
// Where off-scale readings are drawn.
constexpr double PlotHighClamp = 210, PlotLowClamp = -205;

// Steady-clock seconds at the start, or the last restart, of the running
// time; seconds gathered before the last Pause; 1 once the time axis is
// full; 1 until the first record of a run has been plotted.
extern double PlotStart;
extern double PlotElapsed;
extern int PlotDone;
extern int FirstReading;

// The running time of a plot: it starts with the run's first record, stands
// still while paused, and never falls back (the clock is a steady one, so
// midnight or a change of the system time does not matter).
enum class PlotTiming { Idle, Running, Paused };
extern PlotTiming PlotTimeState;

void ResetPlotTime();             // a new run: nothing gathered, not running
void StartPlotTime(double now);   // the run's first record
void PausePlotTime(double now);   // gathers the time so far, only while running
void ContinuePlotTime(double now); // restarts the clock, only when paused
double PlotRunningTime(double now);

// Seconds on the steady clock; tests can put a clock of their own in.
double PlotClock();
void SetPlotClock(double (*clock)());

// Values of one run, from the texts of the entry boxes.
struct PlotScale {
    float mid = 0;   // M
    float small = 1; // S, never 0
    float time = 1;  // T in seconds, positive
    int decimals = 0;
};
// M is 0 without a number, S and T 1 (T by magnitude).
PlotScale ReadPlotScale(const QString& midText, const QString& smallText, const QString& timeText);

// x across the time axis (0..1000 in T seconds) and y up the scale (10 a
// small division, reckoned as (v - (M - 20 S)) 400 / (40 S) - 200), rounded
// half to even, not clamped.
double PlotX(double t, const PlotScale& s);
double PlotY(float v, const PlotScale& s);

struct PlotStep {
    double x = 0;
    double y = 0;     // clamped to 210 / -205 when off the scale
    int width = 2;    // 1 along the edge for a run of off-scale readings
    bool done = false; // x passed the end of the time axis
};
// The point of a reading v at running time t. prevY is the previous
// point's y (0 at the start of a run) and becomes this one's.
PlotStep NextPlotStep(float v, double t, bool first, double& prevY, const PlotScale& s);

// ---- Graph --------------------------------------------------------------------

constexpr int GraphClasses = 31;
constexpr double GraphLeft = -150, GraphTop = 1030, GraphRight = 1000, GraphBottom = -80;

extern double GraphFullScale; // the count at the top of the bars
extern float GraphMidVal;     // the value of the middle class (15)
extern float GraphSmallVal;   // the width of a class, never 0

// The full scale a run starts with: the magnitude of the text's value; 0,
// or no usable number, gives 1.
double InitialFullScale(const QString& text);

// The class of a value counted from the lowest (0..30), reckoned as
// (v - mid + 15 small) / small; -1 below the classes, GraphClasses above.
// Halves go to the even class.
int GraphClassOf(float v, float mid, float small);

struct GraphRun {
    std::array<double, GraphClasses> counts {};
    int leftBlink = 0;
    int rightBlink = 0;
};

// Counts a reading in class c (0..30); true when GraphFullScale had to be
// doubled (as often as needed) to hold the new count.
bool CountReading(GraphRun& run, int c);

// The count between two count lines: GraphFullScale / 5.
double GraphLabelStep();
// The label of a count line: a whole count as a whole number, else to two
// decimals ("0.2", "1.4").
QString CountLabel(double count);

} // namespace live
