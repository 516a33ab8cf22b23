#pragma once
// What the serial tests share: starting the program's link on an emulated
// meter, catching message boxes, and ending cleanly between cases.

#include "support/MeterEmulator.h"

#include <QStringList>

namespace emu {

// Answers every message box with OK and keeps its text, while it lives.
class MessageCatcher {
public:
    MessageCatcher();
    ~MessageCatcher();
    QStringList texts;
};

// Writes the settings file into the meter's program folder (port open at
// start, the meter's port number) and runs start-up on it. True when the
// port is open afterwards.
bool StartLink(MeterEmulator& meter, int baudIndex = 5, int rs485 = 0, char address = '1',
               int revision = 46);

// Closes the port and makes the link ready for the next case (not
// quitting, no pending error, the port's receive options back to plain).
void StopLink();

// Processor time this process has used so far, user and system, in seconds:
// the measure that shows whether a wait blocks or spins.
double CpuSeconds();

} // namespace emu
