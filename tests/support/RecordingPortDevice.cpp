#include "support/RecordingPortDevice.h"

#include <algorithm>

namespace emu {

using Clock = std::chrono::steady_clock;

RecordingPortDevice::RecordingPortDevice(int lineBaud, int latencyMs, bool modemLines,
                                         bool lineEcho)
    : lineBaud_(lineBaud)
    , latencyMs_(latencyMs)
    , modemLines_(modemLines)
    , lineEcho_(lineEcho)
    , lineFreeAt_(Clock::now())
{
}

void RecordingPortDevice::log(const QString& what, const QString& detail)
{
    events.push_back({what, detail, Clock::now(), pendingOutput()});
}

int RecordingPortDevice::find(const QString& what, const QString& detail, int from) const
{
    for (int i = std::max(from, 0); i < int(events.size()); ++i) {
        if (events[i].what == what && (detail.isNull() || events[i].detail == detail))
            return i;
    }
    return -1;
}

bool RecordingPortDevice::open(const QString& path, const meterlink::LineSettings& s, int handshaking)
{
    open_ = true;
    settings = s;
    log(QStringLiteral("open"), path);
    log(QStringLiteral("handshaking"), QString::number(handshaking));
    return true;
}

void RecordingPortDevice::close()
{
    if (open_)
        log(QStringLiteral("close"), QString());
    open_ = false;
}

bool RecordingPortDevice::configure(const meterlink::LineSettings& s)
{
    settings = s;
    log(QStringLiteral("configure"), QString::number(s.baud));
    return true;
}

bool RecordingPortDevice::setHandshaking(int handshaking)
{
    log(QStringLiteral("handshaking"), QString::number(handshaking));
    return true;
}

meterlink::ModemLine RecordingPortDevice::setRts(bool on)
{
    log(QStringLiteral("rts"), on ? QStringLiteral("1") : QStringLiteral("0"));
    return modemLines_ ? meterlink::ModemLine::Done : meterlink::ModemLine::NotSupported;
}

meterlink::ModemLine RecordingPortDevice::setDtr(bool on)
{
    log(QStringLiteral("dtr"), on ? QStringLiteral("1") : QStringLiteral("0"));
    return modemLines_ ? meterlink::ModemLine::Done : meterlink::ModemLine::NotSupported;
}

QByteArray RecordingPortDevice::readAll()
{
    QByteArray out;
    out.swap(incoming_);
    if (!out.isEmpty())
        log(QStringLiteral("read"), QString::fromLatin1(out));
    return out;
}

bool RecordingPortDevice::write(const QByteArray& bytes)
{
    log(QStringLiteral("write"), QString::fromLatin1(bytes));
    const auto perChar = std::chrono::nanoseconds(10'000'000'000LL / lineBaud_);
    const auto start = std::max(lineFreeAt_, Clock::now() + std::chrono::milliseconds(latencyMs_));
    lineFreeAt_ = start + perChar * bytes.size();
    if (lineEcho_)
        incoming_ += bytes;
    return true;
}

qint64 RecordingPortDevice::pendingOutput()
{
    const auto now = Clock::now();
    if (now >= lineFreeAt_)
        return 0;
    const auto perChar = std::chrono::nanoseconds(10'000'000'000LL / lineBaud_);
    return (lineFreeAt_ - now) / perChar + 1;
}

bool RecordingPortDevice::drainTransmitter()
{
    log(QStringLiteral("drain"), QString());
    return true;
}

} // namespace emu
