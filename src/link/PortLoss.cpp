#include "link/PortLoss.h"

#include "link/Link.h"
#include "link/Wait.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace meterlink {

namespace {

bool lost = false;
int run = 0; // a message still queued from an earlier run is not shown

struct Listener {
    QPointer<QObject> receiver;
    std::function<void()> f;
};

QList<Listener>& listeners()
{
    static QList<Listener> list;
    return list;
}

} // namespace

QString PortLostText(const QString& reason)
{
    return QStringLiteral("The connection to the Counter on serial port %1 was lost (%2).\n\n"
                          "The Counter, Commands, Readings and Calibration menus are disabled. "
                          "Check the cable and restart the program.")
        .arg(CommPortNo)
        .arg(reason);
}

void ReportLineLost(const QString& reason)
{
    if (lost)
        return;
    lost = true;
    AutoOpenPort = 0;
    auto& list = listeners();
    list.removeIf([](const Listener& l) { return !l.receiver; });
    const QList<Listener> now = list;
    for (const Listener& l : now)
        if (l.receiver)
            l.f();
    // Not from inside the port's own signal: the message box runs an event
    // loop of its own.
    if (!QCoreApplication::instance())
        return;
    const int thisRun = run;
    const QString text = PortLostText(reason);
    QTimer::singleShot(0, QCoreApplication::instance(), [thisRun, text] {
        if (thisRun != run || Quitting() || platform::ProgramEnding())
            return;
        platform::MsgBox(text);
    });
}

bool PortLost()
{
    return lost;
}

void OnPortLost(QObject* receiver, std::function<void()> f)
{
    listeners().append({receiver, std::move(f)});
}

void ResetPortLost()
{
    lost = false;
    ++run;
}

} // namespace meterlink
