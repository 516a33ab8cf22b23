#pragma once
// A counter-type meter on the emulated line, holding a setup image: the reads
// of blocks A, B and C ("XR1AZ", "XH2BZ", "X46DZ") and of "G130" / "G128"
// answer from it, the writes "WR1A", "W46D" and "WG2A" store into it and
// answer with a bare CR. Tests override single answers with line.on(...).

#include "support/MeterEmulator.h"

#include <memory>

namespace emu {

struct CounterImage {
    QByteArray a;                 // 108 hex digits
    QByteArray b;                 // 68
    QByteArray chars;             // 16
    QByteArray optionByte = "C0"; // the "G130" answer
    QByteArray features = "80";   // the "G128" answer
};

// A counter of revision 35 whose image differs from the default setup.
CounterImage SampleCounterImage();

class CounterMeter {
public:
    // Answers on the line for as long as the line lives, also after this goes.
    explicit CounterMeter(MeterEmulator& line, const CounterImage& start = SampleCounterImage());
    CounterImage image() const;
    void setImage(const CounterImage& image);

private:
    struct State; // shared with the line's handlers, which run on its thread
    std::shared_ptr<State> s_;
};

} // namespace emu
