#pragma once
// A stand-in for the serial device that records every call with its time
// and simulates a line that sends bytes at a given rate, as an adapter that
// holds bytes back for a while before they go out. For what a
// pseudo-terminal cannot show: the modem lines and the order of calls.

#include "link/PortDevice.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <vector>

namespace emu {

struct PortEvent {
    QString what;   // "open", "close", "configure", "handshaking", "rts", "dtr", "write", "read", "drain"
    QString detail; // the path, "1"/"0", the bytes written ...
    std::chrono::steady_clock::time_point at;
    qint64 pendingAtCall = 0; // bytes not yet on the line when the call was made
};

class RecordingPortDevice final : public meterlink::PortDevice {
public:
    // lineBaud: the rate bytes leave at (ten bits each); latencyMs: how
    // long the adapter holds the first byte of each write back.
    // lineEcho: every write comes back as input, as on a two-wire line.
    explicit RecordingPortDevice(int lineBaud = 9600, int latencyMs = 0,
                                 bool modemLines = true, bool lineEcho = false);

    bool open(const QString& path, const meterlink::LineSettings& settings, int handshaking) override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool configure(const meterlink::LineSettings& settings) override;
    bool setHandshaking(int handshaking) override;
    meterlink::ModemLine setRts(bool on) override;
    meterlink::ModemLine setDtr(bool on) override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    qint64 pendingOutput() override;
    bool drainTransmitter() override;
    QString errorText() const override { return QString(); }
    QString takeLineError() override { return QString(); }

    // What the far end sends next (returned by the next readAll).
    void feed(const QByteArray& bytes) { incoming_ += bytes; }

    std::vector<PortEvent> events;
    meterlink::LineSettings settings;
    // The index of the first event named what (and with detail, when given)
    // from `from` on; -1 when there is none.
    int find(const QString& what, const QString& detail = QString(), int from = 0) const;

private:
    void log(const QString& what, const QString& detail);

    int lineBaud_;
    int latencyMs_;
    bool modemLines_;
    bool lineEcho_;
    bool open_ = false;
    QByteArray incoming_;
    std::chrono::steady_clock::time_point lineFreeAt_;
};

} // namespace emu
