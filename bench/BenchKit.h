#pragma once
// What the processor-time benchmarks share: the program's own processor
// time, and the meter's side, which runs as a process of its own so that
// its work is not counted as the program's.

#include "support/MeterEmulator.h"

#include <QString>

#include <csignal>
#include <cstdio>
#include <functional>
#include <pthread.h>
#include <sys/resource.h>

namespace bench {

inline double CpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs an emulated meter on a pseudo-terminal linked as <folder>/COM<port>,
// set up by `configure`, prints "ready" and serves until SIGTERM or SIGINT.
inline int ServeMeter(const QString& folder, int port,
                      const std::function<void(emu::MeterEmulator&)>& configure)
{
    // Block the stop signals before the emulator's thread starts, so that
    // only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    emu::MeterEmulator meter(port, folder);
    if (!meter.ok()) {
        std::fprintf(stderr, "meter: %s\n", qPrintable(meter.errorText()));
        return 2;
    }
    configure(meter);
    std::printf("ready\n");
    std::fflush(stdout);
    int sig = 0;
    sigwait(&stopSignals, &sig);
    return 0;
}

} // namespace bench
