#include "link/Wait.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <thread>

namespace meterlink {

namespace {
bool quitting = false;
int guards = 0;
int portWaits = 0;
} // namespace

bool Quitting()
{
    return quitting;
}

void RequestQuit()
{
    quitting = true;
}

void SetQuitting(bool q)
{
    quitting = q;
}

void YieldUntil(Clock::time_point until)
{
    auto nap = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    nap = std::clamp(nap, std::chrono::milliseconds(0), MaxNap);

    // While the program ends no handler may run any more; the few waits of
    // the shutdown itself (draining the port) just sleep.
    if (quitting || !QCoreApplication::instance()) {
        std::this_thread::sleep_for(nap);
        return;
    }
    // The timer only has to exist: its expiry is an event, and an event is
    // what ends the blocking turn below. Input on the port and window events
    // end it sooner.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(nap);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void YieldOnce()
{
    YieldUntil(Clock::now() + MaxNap);
}

void WaitUntil(Clock::time_point until)
{
    while (!quitting && Clock::now() < until)
        YieldUntil(until);
}

bool ExchangeBusy()
{
    return guards > 0 || portWaits > 0;
}

ExchangeGuard::ExchangeGuard()
{
    if (!ExchangeBusy()) {
        held_ = true;
        ++guards;
    }
}

ExchangeGuard::~ExchangeGuard()
{
    if (held_)
        --guards;
}

PortWaitScope::PortWaitScope()
{
    ++portWaits;
}

PortWaitScope::~PortWaitScope()
{
    --portWaits;
}

bool InsidePortWait()
{
    return portWaits > 0;
}

} // namespace meterlink
