#pragma once
// A counter-type meter on the emulated line: it holds a setup image and
// answers the setup commands the program sends. Reads of blocks A, B and C
// ("XR1AZ", "XH2BZ", "X46DZ") and of the option-board and feature
// registers ("G130", "G128") answer from the image; the writes ("WR1A",
// "W46D", "WG2A") store into it and answer with a bare CR.
//
// A test changes single answers afterwards with line().on(...), which
// replaces the meter's own entry for that command.

#include "support/MeterEmulator.h"

#include <QByteArray>

#include <memory>

namespace emu {

struct CounterImage {
    QByteArray a;     // 108 hex digits
    QByteArray b;     // 68
    QByteArray chars; // 16
    QByteArray optionByte = "C0"; // the "G130" answer
    QByteArray features = "80";   // the "G128" answer
};

// A counter of revision 37 (hex 25) with every byte of its image told apart
// from the program's default setup.
CounterImage SampleCounterImage();

class CounterMeter {
public:
    // The meter answers on the line from now on, also after this object
    // goes (until the line's script is cleared).
    explicit CounterMeter(MeterEmulator& line, const CounterImage& start = SampleCounterImage());

    MeterEmulator& line() { return line_; }

    CounterImage image() const;
    void setImage(const CounterImage& image);

    // A spare CR 30 ms after each read answer: the program's input waits
    // after a read end as soon as anything is waiting, which keeps tests
    // short. On by default.
    void setSpareCr(bool on);
    // Writes answered with a bare CR (on, the default) or not at all.
    void setWriteAck(bool on);

private:
    struct State; // shared with the line's handlers, which run on its thread
    MeterEmulator& line_;
    std::shared_ptr<State> s_;
};

} // namespace emu
