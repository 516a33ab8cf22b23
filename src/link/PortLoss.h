#pragma once
// A port that fails while the program runs (the cable pulled, the adapter
// unplugged, the far end hung up) is not coming back by itself: the user is
// told once, the serial menus go off (AutoOpenPort 0) and stay off until the
// program is started again.

#include <QString>

#include <functional>

class QObject;

namespace meterlink {

// The line of the open port failed. The first report of a run sets
// AutoOpenPort to 0, tells the listeners at once and shows the message
// from the event loop; later reports change nothing.
void ReportLineLost(const QString& reason);

// True once the line was lost in this run.
bool PortLost();

// Runs f when the line is lost, for as long as receiver lives.
void OnPortLost(QObject* receiver, std::function<void()> f);

// Start-up begins a new run: nothing lost, no message pending.
void ResetPortLost();

// The message shown.
QString PortLostText(const QString& reason);

} // namespace meterlink
