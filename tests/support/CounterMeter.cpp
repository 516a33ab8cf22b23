#include "support/CounterMeter.h"

#include <mutex>

namespace emu {

CounterImage SampleCounterImage()
{
    CounterImage img;
    img.a = "0123456789ABCDEF0011223344556677889900AABBCCDDEEFF102030405060708090A0B0C0D0E0F0"
            "FEDCBA9876543210FFEEDDCCBBAA";
    // At position 5 RevisionB 00 as modern counters keep it; 49 display type 2
    // with custom curve 1 (hex 24); 53 address 1; 55 baud index 5 (hex 50).
    img.b = "8064000003E823112E050101040055050500012C000A000024012150690900000000";
    img.chars = "23030E0009000E00";
    return img;
}

struct CounterMeter::State {
    std::mutex m;
    CounterImage image;
};

CounterMeter::CounterMeter(MeterEmulator& line, const CounterImage& start)
    : s_(std::make_shared<State>())
{
    s_->image = start;
    const std::shared_ptr<State> s = s_;
    // A spare CR after each read answer ends the program's input waits at once.
    const auto read = [s](QByteArray CounterImage::*field) {
        return [s, field](const Frame&) {
            std::lock_guard lock(s->m);
            return Response::Pieces({s->image.*field + '\r', "\r"}, 30);
        };
    };
    // The calibration word (characters 1 to 4 of block B) is not written.
    const auto write = [s](QByteArray CounterImage::*field, bool keepCalibration) {
        return [s, field, keepCalibration](const Frame& f) {
            std::lock_guard lock(s->m);
            const QByteArray kept = keepCalibration ? s->image.b.left(4) : QByteArray();
            s->image.*field = kept + f.command.mid(4);
            return Response::Text(QByteArray());
        };
    };
    line.on("XR1AZ", read(&CounterImage::a));
    line.on("XH2BZ", read(&CounterImage::b));
    line.on("X46DZ", read(&CounterImage::chars));
    line.on("G130", read(&CounterImage::optionByte));
    line.on("G128", read(&CounterImage::features));
    line.on("WR1A", write(&CounterImage::a, false));
    line.on("W46D", write(&CounterImage::chars, false));
    line.on("WG2A", write(&CounterImage::b, true));
}

CounterImage CounterMeter::image() const
{
    std::lock_guard lock(s_->m);
    return s_->image;
}

void CounterMeter::setImage(const CounterImage& image)
{
    std::lock_guard lock(s_->m);
    s_->image = image;
}

} // namespace emu
