#pragma once
// A stand-in for the serial device for what a pseudo-terminal cannot show:
// the modem lines and the order and time of every call. Written bytes
// leave at the line's pace, the first of each write held back as an adapter
// holds it.

#include "link/PortDevice.h"

#include <chrono>
#include <vector>

namespace emu {

struct PortEvent {
    QString what;   // "open <path>", "close", "handshaking 0", "rts 1", "dtr 1", "write <bytes>",
                    // "drain"
    qint64 pending; // bytes not yet on the line when the call was made
    std::chrono::steady_clock::time_point at;
};

class RecordingPortDevice final : public meterlink::PortDevice {
public:
    // lineEcho: every write comes back as input, as on a two-wire line.
    explicit RecordingPortDevice(int lineBaud = 9600, int latencyMs = 0, bool lineEcho = false);

    bool open(const QString& path, const meterlink::LineSettings&, int handshaking) override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool configure(const meterlink::LineSettings&) override { return true; }
    bool setHandshaking(int handshaking) override;
    meterlink::ModemLine setRts(bool on) override;
    meterlink::ModemLine setDtr(bool on) override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    qint64 pendingOutput() override;
    bool drainTransmitter() override;
    QString errorText() const override { return QString(); }
    QString takeLineError() override { return QString(); }

    std::vector<PortEvent> events;
    // The first event at or after `from` whose text starts with `what`; -1 if none.
    int find(const QString& what, int from = 0) const;

private:
    using Clock = std::chrono::steady_clock;
    void log(const QString& what) { events.push_back({what, pendingOutput(), Clock::now()}); }

    std::chrono::nanoseconds perChar_;
    std::chrono::milliseconds latency_;
    bool lineEcho_;
    bool open_ = false;
    QByteArray incoming_;
    Clock::time_point lineFreeAt_ = Clock::now();
};

} // namespace emu
