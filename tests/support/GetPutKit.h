#pragma once
// What the Get Setup / Put Setup tests share: a fresh link on a counter
// meter for each case, the frames the meter saw, and every message box
// with its title.

#include "link/Link.h"
#include "link/Wait.h"
#include "mainmenu/SetupFiles.h"
#include "platform/MessageBox.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "support/CounterMeter.h"
#include "support/LinkTestKit.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace emu {

// Answers every message box with OK and keeps it, while it lives.
class MessageRecorder {
public:
    MessageRecorder()
    {
        platform::SetMsgAnswerer([this](const platform::ShownMessage& m) {
            shown << m;
            return platform::MsgResult::Ok;
        });
    }
    ~MessageRecorder() { platform::SetMsgAnswerer({}); }
    QList<platform::ShownMessage> shown;
};

// The meter's line with a counter on it and the program's link started on
// it (revision 46 in the settings: no input waits after the block reads).
struct CounterBench {
    MeterEmulator line;
    CounterMeter meter{line};
    MessageRecorder messages;
    bool started = false;

    explicit CounterBench(int baudIndex = 5, char address = '1')
    {
        started = StartLink(line, baudIndex, 0, address, 46);
        mainmenu::SetSetupLoaded(false);
        setup::SetupChars.clear();
    }
    ~CounterBench() { StopLink(); meterlink::SetProgramFolder(QString()); }

    // The commands the meter received, each cut to its letters (data dropped).
    QStringList commands() const
    {
        QStringList out;
        for (const Frame& f : line.frames()) {
            const QString c = QString::fromLatin1(f.command);
            out << (c.startsWith(QLatin1String("W")) ? c.left(4) : c);
        }
        return out;
    }
    // The whole text after "*" and the address of the frame for `command`.
    QByteArray frameFor(const QByteArray& command) const
    {
        for (const Frame& f : line.frames())
            if (f.command.startsWith(command))
                return f.command;
        return QByteArray();
    }
};

// The sample counter's image in the program, loaded, with the baud-rate and
// address bytes (positions 55 and 53) given.
inline void LoadSampleImage(const QString& baudByte, const QString& addressByte)
{
    const CounterImage img = SampleCounterImage();
    setup::SetupA = QString::fromLatin1(img.a);
    setup::SetupB = QString::fromLatin1(img.b);
    setup::SetupB.replace(54, 2, baudByte);
    setup::SetupB.replace(52, 2, addressByte);
    setup::SetupChars = QString::fromLatin1(img.chars);
    mainmenu::SetSetupLoaded(true);
}

} // namespace emu
