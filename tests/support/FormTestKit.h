#pragma once
// What window tests share: letting queued activations and deferred
// deletions run, and a stand-in for any other window of the program.

#include "platform/Forms.h"

#include <QCoreApplication>
#include <QEvent>

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

} // namespace emu
