#pragma once
// What window tests share: letting queued activations and deferred
// deletions run, a stand-in for any other window of the program, and
// controls as the user finds them.

#include "platform/Forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>
#include <initializer_list>
#include <utility>

namespace emu {

// Runs what the event loop has queued, deferred deletions included, so that
// unloaded windows are really gone and activations have run.
inline void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Any other window of the program, counting its activations.
class OtherWindow : public platform::Form {
public:
    explicit OtherWindow(const QString& name) : platform::Form(name) { resize(100, 80); }
    int activations = 0;
    void Form_Activate() override { ++activations; }
};

// "name on" or "name grey" for each control on show, in the order given;
// the hidden ones are left out.
inline QString InUse(std::initializer_list<std::pair<const char*, QWidget*>> controls)
{
    QStringList out;
    for (const auto& [name, w] : controls)
        if (w->isVisible())
            out << QLatin1String(name) + (w->isEnabled() ? QLatin1String(" on") : QLatin1String(" grey"));
    return out.join(QLatin1String(", "));
}

} // namespace emu
