#pragma once
// The program's one serial port, reached as meterlink::Commx(). Its properties
// and their meaning follow the serial control the meter software was built
// around: a port number, a settings text, the modem lines, buffer counts,
// and Input/Output of whole texts. Port number N is the file "COM<N>" in
// the program's folder when there is one (a link to /dev/ttyUSB0,
// /dev/serial/by-id/..., or a test's pseudo-terminal), else /dev/ttyS<N-1>.
//
// Failures never throw: an operation on a closed port, a port that will not
// open, settings it rejects, and a failure of the line while it is open
// (adapter unplugged, far end hung up) are kept as the port's pending error
// until ClearError(). The serial procedures turn that into status 1.

#include "link/PortDevice.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace meterlink {

// The device a port number stands for, looked up in folder.
QString PortDevicePathIn(const QString& folder, int portNo);

class CommControl {
public:
    CommControl();
    ~CommControl();

    bool PortOpen() const;
    // True opens (false when it will not open: see LastError()); false closes.
    bool SetPortOpen(bool open);

    int CommPort() const { return commPort_; }
    void SetCommPort(int portNo) { commPort_ = portNo; }

    QString Settings() const { return settings_; }
    // Takes effect at once on an open port; false (nothing changed) when
    // the text cannot be read or the port refuses it.
    bool SetSettings(const QString& text);

    bool RTSEnable() const { return rts_; }
    void SetRTSEnable(bool on);
    bool DTREnable() const { return dtr_; }
    void SetDTREnable(bool on);

    int Handshaking() const { return handshaking_; }
    void SetHandshaking(int handshaking);

    // Received characters waiting (NULs not counted under NullDiscard).
    int InBufferCount();
    // Characters not yet sent (in the program, the system or the transmitter).
    int OutBufferCount();

    int InputLen() const { return inputLen_; }
    void SetInputLen(int n) { inputLen_ = n < 0 ? 0 : n; }
    bool NullDiscard() const { return nullDiscard_; }
    void SetNullDiscard(bool on) { nullDiscard_ = on; }
    int RThreshold() const { return rThreshold_; }
    void SetRThreshold(int n) { rThreshold_ = n; }
    int SThreshold() const { return sThreshold_; }
    void SetSThreshold(int n) { sThreshold_ = n; }

    // Every character waiting (at most InputLen when that is not 0), each
    // byte one character; "" when none.
    QString Input();
    // Queues text for sending (each character one byte) and returns at once.
    void Output(const QString& text);

    // Waits, giving the event loop its turns, until the output has left the
    // port, the transmitter included, or until `maxMs` has passed. True when
    // it has all left.
    bool Drain(int maxMs);

    // The device path the port number stands for now.
    QString DevicePath() const;
    // False once a modem-line call found the device without modem lines.
    bool ModemLinesSupported() const { return modemLines_; }

    bool HasError();
    QString LastError();
    void ClearError();

    // Runs notify from the event loop whenever new input arrives (empty:
    // no more). Readers that wait for input without a loop of their own use
    // it together with a slow timer, since not every device can tell.
    void SetInputNotify(std::function<void()> notify);
    // For a reader of a steady stream (see PortDevice::setInputBatching).
    void SetInputBatching(bool on);

    // Tests: use this device instead of the real one (closes the port).
    void SetDevice(std::unique_ptr<PortDevice> device);
    PortDevice& Device() { return *device_; }

private:
    void pump();
    void fail(const QString& text);
    bool requireOpen(const char* what);
    void applyModem(bool rts, bool on);

    std::unique_ptr<PortDevice> device_;
    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    LineSettings line_;
    bool rts_ = false;
    bool dtr_ = true;
    int handshaking_ = HandshakeNone;
    int inputLen_ = 0;
    bool nullDiscard_ = false;
    int rThreshold_ = 0;
    int sThreshold_ = 0;
    bool modemLines_ = true;
    QByteArray rx_;
    QString error_;
    std::function<void()> notify_;
    bool batching_ = false;
};

// The program's port. Created on first use; lives until the application
// object goes.
CommControl& Commx();

} // namespace meterlink
