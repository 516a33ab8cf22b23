#pragma once
// The serial line on a real device (a serial port, a USB adapter, or a
// pseudo-terminal in the tests), through QSerialPort.

#include "link/PortDevice.h"

#include <memory>

class QSerialPort;

namespace meterlink {

class QtPortDevice final : public PortDevice {
public:
    QtPortDevice();
    ~QtPortDevice() override;

    bool open(const QString& path, const LineSettings& settings, int handshaking) override;
    void close() override;
    bool isOpen() const override;
    bool configure(const LineSettings& settings) override;
    bool setHandshaking(int handshaking) override;
    ModemLine setRts(bool on) override;
    ModemLine setDtr(bool on) override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    qint64 pendingOutput() override;
    bool drainTransmitter() override;
    QString errorText() const override { return errorText_; }
    QString takeLineError() override;
    void setInputNotify(std::function<void()> notify) override { notify_ = std::move(notify); }
    void setInputBatching(bool on) override;

private:
    ModemLine modemCall(bool rts, bool on);
    void onError(int error);

    std::unique_ptr<QSerialPort> port_;
    QString errorText_;
    QString lineError_;
    std::function<void()> notify_;
    bool batching_ = false;
    bool inModemCall_ = false;
    bool lsrUnsupported_ = false;
};

} // namespace meterlink
