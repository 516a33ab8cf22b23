#pragma once
// What the time-base calibration needs that is no window: the frequency
// check, the temporary scale that makes the known frequency read near
// 900,000, the checks of the meter's answers, and the correction word.
//
// The calibration writes into the meter, so every answer it builds on is
// checked first: the scale factor and offset ("X311") and the scale
// register ("X124") it must put back, and the reading ("B1") it computes the
// correction from.

#include <QString>

#include <optional>

namespace live {

// The reading the temporary scale aims at.
inline constexpr double CalibTarget = 900000.0;
// The largest correction the meter takes, in parts per million.
inline constexpr int MaxCorrectionPpm = 29999;

// Caption of lblRange, shown when the correction was limited.
extern const QString RangeText;

// The settling waits of the calibration are this many times the designed
// ones: 1 in the program; tests shorten them.
extern double CalibWaitFactor;

// The scale that makes a frequency read near 900,000: 900000 / frequency
// as ratio x 10^(e - 5) with the ratio in [1, 10).
struct TempScale {
    int e = 5;          // the exponent, 0..9 when it fits the register's digit
    QString factor;     // "0" & the ratio x 100000 in hex: "0186A0" for 1.0
};

// The frequency typed by the user in Hertz, or the reason it is refused:
// empty, no number (or one beyond the range of a double), not above 0, or so low or high that the exponent of the
// temporary scale would not fit its one digit (e outside 0..9).
struct FrequencyCheck {
    double hz = 0;
    TempScale scale;
    QString refusal; // empty: accepted
};
FrequencyCheck CheckFrequency(const QString& text);

// The temporary scale for a frequency above 0. The exponent is not limited
// here; CheckFrequency refuses what does not fit. nullopt when the ratio is
// not a finite number above 0.
std::optional<TempScale> ScaleFor(double hz);

// True for exactly 12 hex digits: the scale factor and offset to put back.
bool ScaleReplyOk(const QString& reply);
// True for 2 hex digits or more: the scale register to put back.
bool RegisterReplyOk(const QString& reply);

// The scale register with its exponent digit (character 2) set to e's last digit.
QString RegisterWithExponent(const QString& reg, int e);

// The value of an item reading with its first "." removed; nullopt when it
// holds no number or one beyond the range of a double.
std::optional<double> ReadingValue(const QString& reply);

// The correction in parts per million for reading r: the largest whole
// number not above (900000 - r) x 10 / 9 + 0.5, limited to +-29999
// (limited then tells whether it was).
int CorrectionPpm(double r, bool* limited = nullptr);

// The 4-hex-digit correction word: bits 14..0 the magnitude, bit 15 set for
// a negative correction (-100 gives "8064", 100 "0064").
QString CorrectionWord(int ppm);

} // namespace live
