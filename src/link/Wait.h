#pragma once
// How the program waits without stopping its windows: every wait is a loop
// that gives the event loop one turn and looks again. A turn blocks until
// something happens (input on the serial port, a click, a repaint) or a
// short timer runs out, so a waiting program uses no processor time.

#include <chrono>

namespace meterlink {

using Clock = std::chrono::steady_clock;

// The longest a single turn sleeps before its caller looks again.
inline constexpr std::chrono::milliseconds MaxNap{50};

// One turn of the event loop: returns after the next batch of events, or at
// `until` (never later than MaxNap from now). Once the program is quitting
// it processes no events any more and only sleeps up to that time.
void YieldUntil(Clock::time_point until);
// One turn with the plain MaxNap bound.
void YieldOnce();

// Set when the program is ending: every wait returns at its next turn and
// the serial procedures stop starting new traffic. It is never cleared in
// the program; tests clear it between cases.
bool Quitting();
void RequestQuit();
void SetQuitting(bool quitting);

// Waits on the steady clock until `until`, a turn at a time; returns early
// when the program is quitting. Returns at once, without a turn, when the
// time has already come.
void WaitUntil(Clock::time_point until);

// Exchanges with the meter must not interleave: while one waits for its
// reply, a click that would start another one is refused. A handler that
// starts a transfer (Get Setup, Put Setup, a command, the calibration)
// holds an ExchangeGuard for its whole length:
//
//     meterlink::ExchangeGuard guard;
//     if (!guard) { platform::Beep(); return; }
//
// ExchangeBusy() tells whether an exchange is under way: a guard is held,
// or a serial procedure is waiting further down the stack.
bool ExchangeBusy();

class ExchangeGuard {
public:
    ExchangeGuard();
    ~ExchangeGuard();
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;
    explicit operator bool() const { return held_; }

private:
    bool held_ = false;
};

// Marks a serial procedure's own wait, so that a handler run during it can
// see that the port is in use (ExchangeBusy) and the serial procedures can
// refuse to be entered from it.
class PortWaitScope {
public:
    PortWaitScope();
    ~PortWaitScope();
    PortWaitScope(const PortWaitScope&) = delete;
    PortWaitScope& operator=(const PortWaitScope&) = delete;
};
// True while a handler runs inside a serial procedure's wait.
bool InsidePortWait();

} // namespace meterlink
