#pragma once
// The serial line as the port control sees it: a device that opens a path,
// takes line settings, moves bytes and drives the modem lines. The program
// uses QtPortDevice; tests put a recording stand-in in its place.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace meterlink {

// A settings text such as "9600,n,8,1": baud rate, parity (n, e, o, m, s),
// data bits (5..8) and stop bits (1, 1.5 given as 15, or 2).
struct LineSettings {
    int baud = 9600;
    char parity = 'n';
    int dataBits = 8;
    int stopBits = 1; // 1, 2, or 15 for one and a half
    bool operator==(const LineSettings&) const = default;
};

// Reads a settings text; nothing when any part is missing or out of range.
std::optional<LineSettings> ParseLineSettings(const QString& text);

// The port control's handshaking codes.
enum Handshaking { HandshakeNone = 0, HandshakeXonXoff = 1, HandshakeRts = 2, HandshakeRtsXonXoff = 3 };

enum class ModemLine { Done, NotSupported, Failed };

class PortDevice {
public:
    virtual ~PortDevice() = default;

    // Opens the device at path with the given settings; false when it will
    // not open, with the reason in errorText().
    virtual bool open(const QString& path, const LineSettings& settings, int handshaking) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool configure(const LineSettings& settings) = 0;
    virtual bool setHandshaking(int handshaking) = 0;

    // NotSupported: the device has no such line (a pseudo-terminal); the
    // port goes on working without it.
    virtual ModemLine setRts(bool on) = 0;
    virtual ModemLine setDtr(bool on) = 0;

    // Everything received so far (empties the device's buffer).
    virtual QByteArray readAll() = 0;
    // Queues bytes for sending and returns at once.
    virtual bool write(const QByteArray& bytes) = 0;
    // Bytes not yet on the line: queued in the program and in the system.
    virtual qint64 pendingOutput() = 0;
    // Waits for the transmitter to empty. Called when pendingOutput() has
    // reached 0, so that it returns within a character or two.
    virtual bool drainTransmitter() = 0;

    // The reason of the last failure, and whether a failure of the line
    // happened since the last call (a read, write or resource error);
    // takeLineError returns it once and clears it.
    virtual QString errorText() const = 0;
    virtual QString takeLineError() = 0;

    // Called from the event loop when new input has arrived, for readers
    // that wait for input without polling. A device that cannot tell keeps
    // quiet; its readers poll.
    virtual void setInputNotify(std::function<void()>) {}

    // Batching on: input may be held back in the system until the next
    // readAll(), so that a reader of a steady stream is woken a few times
    // per read instead of once per character. Nothing is lost: readAll()
    // returns it then or at the read after. A device without it ignores it.
    virtual void setInputBatching(bool) {}
};

} // namespace meterlink
