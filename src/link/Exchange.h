#pragma once
// The command and reply cycle with the meter. A caller puts the command,
// "*" & MeterAddr & letters & data, into Cmd and calls SendCommand; for a
// command that has an answer it then calls ReceiveReply and tests
// CommStatus. Every wait gives the event loop its turns (see Wait.h); a
// handler that starts an exchange holds a meterlink::ExchangeGuard.

#include <QString>

namespace meterlink {

extern QString Cmd;   // the command, without its CR
extern QString Reply; // the answer, without its CR and without the echo of the command
extern int CommStatus;
// True when the last ReceiveReply took an answer of odd length to a setup
// command and dropped its last character: Reply is then not what the meter
// sent. A caller that writes an answer back into the meter must refuse it.
extern bool ReplyCut;

// CommStatus values.
enum : int {
    StatusOk = 0,
    StatusPortError = 1, // the port failed, is closed, or was busy with another exchange
    StatusNoAnswer = 4,  // nothing arrived before the answer deadline; Reply unchanged
    StatusBrokeOff = 5,  // no further piece within 0.5 s; Reply holds the last piece
    StatusNoEnd = 9,     // the answer runs on without a CR; Reply holds the last piece
};

// The longest answer, after the echo of the command, that may arrive
// without its CR before the reply counts as never ending (status 9).
inline constexpr int MaxAnswerChars = 128;

// Sends Cmd & CR: raises RTS, drops what input is left over, waits 100 ms,
// queues the frame. On an RS-485 line (Rs485Mode 1) it then waits the
// frame's time plus 3 ms and until the port has sent its last byte, drops
// RTS, waits 8 ms and drops the line's echo of the frame. CommStatus is 0
// when the frame went to the port, 1 when nothing was sent (another
// exchange is waiting, the program is ending) or the port failed.
void SendCommand();

// Collects the answer to Cmd into Reply and sets CommStatus. The first
// character is awaited ((length of Cmd + 1) x CharTimeMs) / 1000 + 3 s, each
// further piece 0.5 s. An echo of the frame is removed; an answer to a
// command whose third character is not "B" loses a last odd character
// (ReplyCut then tells so).
void ReceiveReply();

// Returns when input is waiting (left in the port for the next command to
// drop) or after 3 s; CommStatus 0, or 1 when the port failed or is closed.
void WaitForInput();

// Waits ms milliseconds on a steady clock, giving the event loop its
// turns; 0 or less returns at once without a turn.
void DelayMs(int ms);

// At the end of the program: ends every wait still running (RequestQuit),
// turns handshaking off, lets the output drain, waits 200 ms and closes the
// port. Does nothing to a port that is not open.
void ClosePort();

} // namespace meterlink
