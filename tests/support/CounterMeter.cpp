#include "support/CounterMeter.h"

#include <mutex>

namespace emu {

CounterImage SampleCounterImage()
{
    CounterImage img;
    img.a = "0123456789ABCDEF0011223344556677889900AABBCCDDEEFF102030405060708090A0B0C0D0E0F0"
            "FEDCBA9876543210FFEEDDCCBBAA";
    // Position 5 (RevisionB) 00 as modern counters keep it; byte 49 holds
    // display type 2 and custom curve 1 (hex 24); byte 53 address 1; byte 55
    // baud index 5 (hex 50).
    img.b = "8064000003E823112E050101040055050500012C000A000024012150690900000000";
    img.chars = "25030D0008000D00";
    return img;
}

struct CounterMeter::State {
    std::mutex m;
    CounterImage image;
    bool spareCr = true;
    bool writeAck = true;

    CounterImage get()
    {
        std::lock_guard lock(m);
        return image;
    }

    Response read(QByteArray CounterImage::*field)
    {
        std::lock_guard lock(m);
        const QByteArray text = image.*field;
        if (!spareCr)
            return Response::Text(text);
        return Response::Pieces({text + '\r', "\r"}, 30);
    }

    Response write(const std::function<void(CounterImage&)>& store)
    {
        std::lock_guard lock(m);
        store(image);
        return writeAck ? Response::Text(QByteArray()) : Response::Silence();
    }
};

CounterMeter::CounterMeter(MeterEmulator& line, const CounterImage& start)
    : line_(line), s_(std::make_shared<State>())
{
    s_->image = start;
    const std::shared_ptr<State> s = s_;
    line_.on("XR1AZ", [s](const Frame&) { return s->read(&CounterImage::a); });
    line_.on("XH2BZ", [s](const Frame&) { return s->read(&CounterImage::b); });
    line_.on("X46DZ", [s](const Frame&) { return s->read(&CounterImage::chars); });
    line_.on("G130", [s](const Frame&) { return s->read(&CounterImage::optionByte); });
    line_.on("G128", [s](const Frame&) { return s->read(&CounterImage::features); });
    line_.on("WR1A", [s](const Frame& f) {
        return s->write([&](CounterImage& img) { img.a = f.command.mid(4); });
    });
    line_.on("W46D", [s](const Frame& f) {
        return s->write([&](CounterImage& img) { img.chars = f.command.mid(4); });
    });
    line_.on("WG2A", [s](const Frame& f) {
        // The calibration word (characters 1 to 4) is not written.
        return s->write([&](CounterImage& img) { img.b = img.b.left(4) + f.command.mid(4); });
    });
}

CounterImage CounterMeter::image() const
{
    return s_->get();
}

void CounterMeter::setImage(const CounterImage& image)
{
    std::lock_guard lock(s_->m);
    s_->image = image;
}

void CounterMeter::setSpareCr(bool on)
{
    std::lock_guard lock(s_->m);
    s_->spareCr = on;
}

void CounterMeter::setWriteAck(bool on)
{
    std::lock_guard lock(s_->m);
    s_->writeAck = on;
}

} // namespace emu
