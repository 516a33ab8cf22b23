#include "support/RecordingPortDevice.h"

#include <algorithm>
#include <utility>

namespace emu {

using meterlink::ModemLine;

RecordingPortDevice::RecordingPortDevice(int lineBaud, int latencyMs, bool lineEcho)
    : perChar_(10'000'000'000LL / lineBaud), latency_(latencyMs), lineEcho_(lineEcho)
{
}

int RecordingPortDevice::find(const QString& what, int from) const
{
    for (int i = std::max(from, 0); i < int(events.size()); ++i)
        if (events[i].what.startsWith(what))
            return i;
    return -1;
}

bool RecordingPortDevice::open(const QString& path, const meterlink::LineSettings&, int handshaking)
{
    open_ = true;
    log(QStringLiteral("open ") + path);
    return setHandshaking(handshaking);
}

void RecordingPortDevice::close()
{
    if (open_)
        log(QStringLiteral("close"));
    open_ = false;
}

bool RecordingPortDevice::setHandshaking(int handshaking)
{
    log(QStringLiteral("handshaking %1").arg(handshaking));
    return true;
}

ModemLine RecordingPortDevice::setRts(bool on)
{
    log(QStringLiteral("rts %1").arg(int(on)));
    return ModemLine::Done;
}

ModemLine RecordingPortDevice::setDtr(bool on)
{
    log(QStringLiteral("dtr %1").arg(int(on)));
    return ModemLine::Done;
}

QByteArray RecordingPortDevice::readAll()
{
    return std::exchange(incoming_, QByteArray());
}

bool RecordingPortDevice::write(const QByteArray& bytes)
{
    log(QStringLiteral("write ") + QString::fromLatin1(bytes));
    lineFreeAt_ = std::max(lineFreeAt_, Clock::now() + latency_) + perChar_ * bytes.size();
    if (lineEcho_)
        incoming_ += bytes;
    return true;
}

qint64 RecordingPortDevice::pendingOutput()
{
    const auto left = lineFreeAt_ - Clock::now();
    return left <= Clock::duration::zero() ? 0 : left / perChar_ + 1;
}

bool RecordingPortDevice::drainTransmitter()
{
    log(QStringLiteral("drain"));
    return true;
}

} // namespace emu
