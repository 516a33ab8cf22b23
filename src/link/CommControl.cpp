#include "link/CommControl.h"

#include "link/Link.h"
#include "link/PortLoss.h"
#include "link/QtPortDevice.h"
#include "link/Wait.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace meterlink {

std::optional<LineSettings> ParseLineSettings(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    LineSettings s;
    bool ok = false;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return std::nullopt;
    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity))
        return std::nullopt;
    s.parity = char(parity.at(0).unicode());
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8)
        return std::nullopt;
    const QString stop = parts[3].trimmed();
    if (stop == u"1")
        s.stopBits = 1;
    else if (stop == u"1.5")
        s.stopBits = 15;
    else if (stop == u"2")
        s.stopBits = 2;
    else
        return std::nullopt;
    return s;
}

QString PortDevicePathIn(const QString& folder, int portNo)
{
    const QString link = folder + QStringLiteral("/COM") + QString::number(portNo);
    const QFileInfo info(link);
    if (info.exists() || info.isSymLink())
        return link;
    return QStringLiteral("/dev/ttyS") + QString::number(portNo - 1);
}

CommControl::CommControl()
    : device_(std::make_unique<QtPortDevice>())
{
    line_ = *ParseLineSettings(settings_);
}

CommControl::~CommControl() = default;

void CommControl::fail(const QString& text)
{
    if (error_.isEmpty())
        error_ = text;
}

bool CommControl::requireOpen(const char* what)
{
    if (PortOpen())
        return true;
    fail(QStringLiteral("%1: the serial port is not open").arg(QLatin1String(what)));
    return false;
}

void CommControl::pump()
{
    const QString lost = device_->takeLineError();
    if (!lost.isEmpty()) {
        fail(lost);
        ReportLineLost(lost);
    }
    if (!device_->isOpen())
        return;
    QByteArray bytes = device_->readAll();
    if (nullDiscard_)
        bytes.replace('\0', QByteArray());
    rx_ += bytes;
}

bool CommControl::PortOpen() const
{
    return device_->isOpen();
}

QString CommControl::DevicePath() const
{
    return PortDevicePathIn(ProgramFolder(), commPort_);
}

bool CommControl::SetPortOpen(bool open)
{
    if (!open) {
        device_->close();
        rx_.clear();
        return true;
    }
    if (device_->isOpen())
        return true;
    if (commPort_ < 1) {
        fail(QStringLiteral("there is no serial port number %1").arg(commPort_));
        return false;
    }
    // A link is followed to its device, so that the lock file and every
    // other program see the device's own name.
    const QString path = DevicePath();
    const QString target = QFileInfo(path).canonicalFilePath();
    rx_.clear();
    if (!device_->open(target.isEmpty() ? path : target, line_, handshaking_)) {
        fail(device_->errorText());
        return false;
    }
    applyModem(true, rts_);
    applyModem(false, dtr_);
    return true;
}

bool CommControl::SetSettings(const QString& text)
{
    const auto parsed = ParseLineSettings(text);
    if (!parsed) {
        fail(QStringLiteral("the port settings \"%1\" cannot be read").arg(text));
        return false;
    }
    if (device_->isOpen() && !device_->configure(*parsed)) {
        fail(device_->errorText());
        return false;
    }
    settings_ = text;
    line_ = *parsed;
    return true;
}

void CommControl::applyModem(bool rts, bool on)
{
    if (!device_->isOpen())
        return;
    switch (rts ? device_->setRts(on) : device_->setDtr(on)) {
    case ModemLine::Done: break;
    case ModemLine::NotSupported: modemLines_ = false; break;
    case ModemLine::Failed: fail(device_->errorText()); break;
    }
}

void CommControl::SetRTSEnable(bool on)
{
    rts_ = on;
    applyModem(true, on);
}

void CommControl::SetDTREnable(bool on)
{
    dtr_ = on;
    applyModem(false, on);
}

void CommControl::SetHandshaking(int handshaking)
{
    handshaking_ = handshaking;
    if (device_->isOpen() && !device_->setHandshaking(handshaking))
        fail(device_->errorText());
}

int CommControl::InBufferCount()
{
    if (!requireOpen("InBufferCount"))
        return 0;
    pump();
    return int(rx_.size());
}

int CommControl::OutBufferCount()
{
    if (!requireOpen("OutBufferCount"))
        return 0;
    return int(device_->pendingOutput());
}

QString CommControl::Input()
{
    if (!requireOpen("Input"))
        return QString();
    pump();
    QByteArray taken;
    if (inputLen_ > 0 && rx_.size() > inputLen_) {
        taken = rx_.left(inputLen_);
        rx_.remove(0, inputLen_);
    } else {
        taken.swap(rx_);
    }
    return QString::fromLatin1(taken);
}

void CommControl::Output(const QString& text)
{
    if (!requireOpen("Output"))
        return;
    if (!device_->write(text.toLatin1()))
        fail(device_->errorText());
}

bool CommControl::Drain(int maxMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(maxMs);
    while (device_->isOpen()) {
        pump();
        const qint64 pending = device_->pendingOutput();
        if (pending == 0)
            return device_->drainTransmitter();
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        // No event tells when the system's queue empties: look again when
        // the characters still queued should have gone out.
        const auto lineTime = std::chrono::microseconds(pending * 10'000'000 / line_.baud);
        YieldUntil(std::min(deadline, now + std::max<Clock::duration>(lineTime, std::chrono::milliseconds(1))));
    }
    return false;
}

bool CommControl::HasError()
{
    const QString lost = device_->takeLineError();
    if (!lost.isEmpty()) {
        fail(lost);
        ReportLineLost(lost);
    }
    return !error_.isEmpty();
}

QString CommControl::LastError()
{
    HasError();
    return error_;
}

void CommControl::ClearError()
{
    const QString lost = device_->takeLineError();
    if (!lost.isEmpty())
        ReportLineLost(lost);
    error_.clear();
}

void CommControl::SetInputNotify(std::function<void()> notify)
{
    notify_ = std::move(notify);
    device_->setInputNotify(notify_);
}

void CommControl::SetInputBatching(bool on)
{
    batching_ = on;
    device_->setInputBatching(on);
}

void CommControl::SetDevice(std::unique_ptr<PortDevice> device)
{
    device_->close();
    device_ = std::move(device);
    device_->setInputNotify(notify_);
    device_->setInputBatching(batching_);
    rx_.clear();
    error_.clear();
    modemLines_ = true;
}

namespace {
CommControl* commx = nullptr;

void dropCommx()
{
    delete commx;
    commx = nullptr;
}
} // namespace

CommControl& Commx()
{
    if (!commx) {
        commx = new CommControl;
        // The port's notifiers belong to the event loop, so the port goes
        // with the application object and not after it.
        qAddPostRoutine(dropCommx);
    }
    return *commx;
}

} // namespace meterlink
