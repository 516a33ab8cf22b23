#include "link/Exchange.h"

#include "link/CommControl.h"
#include "link/Link.h"
#include "link/Wait.h"

#include <QtGlobal>

namespace meterlink {

QString Cmd;
QString Reply;
int CommStatus = 0;
bool ReplyCut = false;

using std::chrono::milliseconds;

namespace {

// The longest the output of a frame of n characters may take to leave the
// port before the port counts as stuck.
int drainBoundMs(qsizetype chars)
{
    return int(chars) * 2 * qMax(CharTimeMs, 1) + 1000;
}

// A serial procedure entered from a handler that runs during another one's
// wait would mix two exchanges on one line; it is refused.
bool refused()
{
    return InsidePortWait() || Quitting();
}

} // namespace

void DelayMs(int ms)
{
    if (ms <= 0)
        return;
    WaitUntil(Clock::now() + milliseconds(ms));
}

void SendCommand()
{
    if (refused()) {
        CommStatus = StatusPortError;
        return;
    }
    PortWaitScope busy;
    // Handlers that run during the waits below may assign Cmd; the caller's
    // ReceiveReply must still see the command that went out.
    const QString cmd = Cmd;
    CommControl& port = Commx();
    port.ClearError();
    port.SetRTSEnable(true);
    const int turnaround = int(cmd.size() + 1) * CharTimeMs + 3;
    port.Input();
    DelayMs(100);
    port.Output(cmd + CrStr);
    if (Rs485Mode == 1) {
        DelayMs(turnaround);
        // The frame's nominal time is not enough on its own: the character
        // time is rounded and an adapter may hold bytes back; dropping RTS
        // early would cut the frame's tail off the line.
        port.Drain(drainBoundMs(cmd.size() + 1));
        port.SetRTSEnable(false);
        DelayMs(8);
        port.Input();
    }
    Cmd = cmd;
    // A frame the port did not take must not be reported as sent.
    CommStatus = port.HasError() ? StatusPortError : StatusOk;
}

void ReceiveReply()
{
    CommStatus = StatusOk;
    // A call refused while another one yields must leave that one's answer
    // alone: its flag is still to be read.
    if (refused()) {
        CommStatus = StatusPortError;
        return;
    }
    ReplyCut = false;
    PortWaitScope busy;
    const QString cmd = Cmd;
    const QChar cr(13);
    CommControl& port = Commx();
    auto failed = [&port] { return port.HasError() || Quitting(); };

    const float w = float(double(qint32(cmd.size() + 1) * CharTimeMs) / 1000.0 + 3.0);
    const auto answerEnd =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(w));

    // The first character.
    for (;;) {
        const int waiting = port.InBufferCount();
        if (failed()) {
            CommStatus = StatusPortError;
            return;
        }
        if (waiting != 0)
            break;
        if (Clock::now() > answerEnd) {
            CommStatus = StatusNoAnswer;
            return;
        }
        YieldUntil(answerEnd);
    }

    // The pieces. Counting reads would fail a slow line, where every
    // character can come as a read of its own; what tells a reply that
    // never ends is its length.
    QString text;
    for (;;) {
        const auto pieceEnd = Clock::now() + milliseconds(500);
        for (;;) {
            const int waiting = port.InBufferCount();
            if (failed()) {
                CommStatus = StatusPortError;
                return;
            }
            if (waiting > 0)
                break;
            if (Clock::now() > pieceEnd) {
                CommStatus = StatusBrokeOff;
                return;
            }
            YieldUntil(pieceEnd);
        }
        const QString piece = port.Input();
        Reply = piece;
        text += piece;
        if (!text.contains(cr)) {
            if (text.size() > cmd.size() + 1 + MaxAnswerChars) {
                CommStatus = StatusNoEnd;
                return;
            }
            continue;
        }
        // The frame's echo goes, with everything before it; an answer that
        // came in the same piece is complete already.
        bool echoLeft = false;
        while (!cmd.isEmpty()) {
            const qsizetype at = text.indexOf(cmd);
            if (at < 0)
                break;
            text.remove(0, at + cmd.size() + 1);
            echoLeft = true;
        }
        if (echoLeft && !text.contains(cr))
            continue;
        break;
    }

    Reply = text.left(text.indexOf(cr));
    if (cmd.mid(2, 1) != u"B" && Reply.size() % 2 == 1) {
        Reply.chop(1);
        ReplyCut = true;
    }
    YieldUntil(Clock::now());
    CommStatus = StatusOk;
}

void WaitForInput()
{
    CommStatus = StatusOk;
    if (refused()) {
        CommStatus = StatusPortError;
        return;
    }
    PortWaitScope busy;
    CommControl& port = Commx();
    const auto end = Clock::now() + milliseconds(3000);
    for (;;) {
        const int waiting = port.InBufferCount();
        if (port.HasError() || Quitting()) {
            CommStatus = StatusPortError;
            return;
        }
        if (waiting != 0 || Clock::now() > end)
            return;
        YieldUntil(end);
    }
}

void ClosePort()
{
    RequestQuit();
    CommControl& port = Commx();
    if (!port.PortOpen())
        return;
    port.SetHandshaking(HandshakeNone);
    port.Drain(drainBoundMs(port.OutBufferCount()));
    // Quitting: these turns sleep and run no handlers.
    const auto end = Clock::now() + milliseconds(200);
    while (Clock::now() < end)
        YieldUntil(end);
    port.SetPortOpen(false);
}

} // namespace meterlink
