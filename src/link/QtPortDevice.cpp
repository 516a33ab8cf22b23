#include "link/QtPortDevice.h"

#include "link/PortLoss.h"

#include <QSerialPort>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <termios.h>

namespace meterlink {

namespace {

// Held input from which on a batching port keeps reading as input comes.
constexpr qint64 BatchFloodBytes = 1024;

QSerialPort::Parity parityOf(char p)
{
    switch (p) {
    case 'e': return QSerialPort::EvenParity;
    case 'o': return QSerialPort::OddParity;
    case 'm': return QSerialPort::MarkParity;
    case 's': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits stopBitsOf(int s)
{
    switch (s) {
    case 2: return QSerialPort::TwoStop;
    case 15: return QSerialPort::OneAndHalfStop;
    default: return QSerialPort::OneStop;
    }
}

// Handshaking 3 asks for RTS and XON/XOFF together. The system cannot have
// both and still leave RTS to the program, and the program drives RTS
// itself (it turns a two-wire line around), so 3 keeps XON/XOFF only.
QSerialPort::FlowControl flowOf(int h)
{
    switch (h) {
    case HandshakeXonXoff:
    case HandshakeRtsXonXoff: return QSerialPort::SoftwareControl;
    case HandshakeRts: return QSerialPort::HardwareControl;
    default: return QSerialPort::NoFlowControl;
    }
}

bool apply(QSerialPort& port, const LineSettings& s)
{
    return port.setBaudRate(s.baud) && port.setDataBits(QSerialPort::DataBits(s.dataBits))
        && port.setParity(parityOf(s.parity)) && port.setStopBits(stopBitsOf(s.stopBits));
}

} // namespace

QtPortDevice::QtPortDevice() = default;

QtPortDevice::~QtPortDevice()
{
    close();
}

bool QtPortDevice::open(const QString& path, const LineSettings& settings, int handshaking)
{
    close();
    errorText_.clear();
    lineError_.clear();
    lsrUnsupported_ = false;
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(path);
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this](QSerialPort::SerialPortError e) { onError(int(e)); });
    QObject::connect(port_.get(), &QSerialPort::readyRead, port_.get(), [this] {
        // Batching: what waited has come in with this notice. A trickle
        // (a character or a record at a time) is then left in the system
        // until the next read: the port takes no more than it holds, so it
        // stops waking the program. A flood is taken in as it comes, in
        // large pieces that cost little, so that it never backs up.
        if (batching_ && port_->bytesAvailable() < BatchFloodBytes)
            port_->setReadBufferSize(1);
        if (notify_)
            notify_();
    });
    apply(*port_, settings);
    port_->setFlowControl(flowOf(handshaking));
    if (!port_->open(QIODevice::ReadWrite)) {
        errorText_ = port_->errorString();
        port_.reset();
        return false;
    }
    return true;
}

void QtPortDevice::close()
{
    if (!port_)
        return;
    // Detach first: closing must not report itself as a failure of the line.
    QObject::disconnect(port_.get(), nullptr, nullptr, nullptr);
    if (port_->isOpen())
        port_->close();
    port_.reset();
}

bool QtPortDevice::isOpen() const
{
    return port_ && port_->isOpen();
}

bool QtPortDevice::configure(const LineSettings& settings)
{
    if (!isOpen())
        return false;
    if (!apply(*port_, settings)) {
        errorText_ = port_->errorString();
        return false;
    }
    return true;
}

bool QtPortDevice::setHandshaking(int handshaking)
{
    if (!isOpen())
        return false;
    if (!port_->setFlowControl(flowOf(handshaking))) {
        errorText_ = port_->errorString();
        return false;
    }
    return true;
}

ModemLine QtPortDevice::modemCall(bool rts, bool on)
{
    if (!isOpen())
        return ModemLine::Failed;
    inModemCall_ = true;
    const bool ok = rts ? port_->setRequestToSend(on) : port_->setDataTerminalReady(on);
    inModemCall_ = false;
    if (ok)
        return ModemLine::Done;
    // A pseudo-terminal has no modem lines (the system answers "inappropriate
    // ioctl"), nor has a port whose RTS the driver owns under RTS/CTS
    // handshaking. Neither stops the port from carrying data.
    if (port_->error() == QSerialPort::UnsupportedOperationError) {
        port_->clearError();
        return ModemLine::NotSupported;
    }
    errorText_ = port_->errorString();
    return ModemLine::Failed;
}

ModemLine QtPortDevice::setRts(bool on)
{
    return modemCall(true, on);
}

ModemLine QtPortDevice::setDtr(bool on)
{
    return modemCall(false, on);
}

void QtPortDevice::onError(int error)
{
    const auto e = QSerialPort::SerialPortError(error);
    if (e == QSerialPort::NoError)
        return;
    if (inModemCall_ && e == QSerialPort::UnsupportedOperationError)
        return; // answered by modemCall
    const QString text = port_ ? port_->errorString() : QString();
    switch (e) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        // The line is gone (adapter unplugged, the far end hung up). Left
        // open, the port would report the same failure on every turn of
        // the event loop; it is closed as soon as this signal is done.
        lineError_ = QStringLiteral("the serial line was lost (%1)").arg(text);
        errorText_ = lineError_;
        ReportLineLost(lineError_);
        QTimer::singleShot(0, port_.get(), [this] {
            if (port_ && port_->isOpen()) {
                QObject::disconnect(port_.get(), nullptr, nullptr, nullptr);
                port_->close();
            }
        });
        break;
    default:
        // Failures to open are answered by open() itself.
        if (port_ && port_->isOpen()) {
            lineError_ = text;
            errorText_ = text;
        }
        break;
    }
}

QString QtPortDevice::takeLineError()
{
    QString e;
    e.swap(lineError_);
    return e;
}

QByteArray QtPortDevice::readAll()
{
    if (!isOpen())
        return {};
    // No limit again: the port's next notice takes in all that waits.
    if (batching_)
        port_->setReadBufferSize(0);
    return port_->readAll();
}

void QtPortDevice::setInputBatching(bool on)
{
    batching_ = on;
    if (isOpen())
        port_->setReadBufferSize(0);
}

bool QtPortDevice::write(const QByteArray& bytes)
{
    if (!isOpen())
        return false;
    if (port_->write(bytes) != bytes.size()) {
        errorText_ = port_->errorString();
        return false;
    }
    port_->flush(); // hands what it can to the system now, without blocking
    return true;
}

qint64 QtPortDevice::pendingOutput()
{
    if (!isOpen())
        return 0;
    qint64 pending = port_->bytesToWrite();
    const int fd = int(port_->handle());
    int queued = 0;
    if (::ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0)
        pending += queued;
#ifdef TIOCSERGETLSR
    // The system's queue can be empty while the last character is still in
    // the transmitter; where the driver tells, count that as one more.
    if (pending == 0 && !lsrUnsupported_) {
        unsigned int lsr = 0;
        if (::ioctl(fd, TIOCSERGETLSR, &lsr) == 0) {
            if (!(lsr & TIOCSER_TEMT))
                pending = 1;
        } else {
            lsrUnsupported_ = true;
        }
    }
#endif
    return pending;
}

bool QtPortDevice::drainTransmitter()
{
    if (!isOpen())
        return false;
    if (port_->bytesToWrite() > 0)
        port_->flush();
    return ::tcdrain(int(port_->handle())) == 0;
}

} // namespace meterlink
