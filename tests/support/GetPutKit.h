#pragma once
// What the Get Setup / Put Setup tests share: a fresh link on a counter meter
// for each case, the frames it saw, and every message box shown.

#include "link/Exchange.h"
#include "link/Link.h"
#include "mainmenu/SetupFiles.h"
#include "mainmenu/SetupTransfer.h"
#include "platform/MessageBox.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "support/CounterMeter.h"
#include "support/LinkTestKit.h"

#include <QtTest>

namespace emu {

// The program's link on a counter at 9600 baud, address 1, revision 46 (no
// input waits after the block reads); a link that does not start fails the test.
struct CounterBench {
    MeterEmulator line;
    CounterMeter meter;
    QList<platform::ShownMessage> messages; // each answered with OK

    explicit CounterBench(const CounterImage& start = SampleCounterImage()) : meter(line, start)
    {
        platform::SetMsgAnswerer([this](const platform::ShownMessage& m) {
            messages << m;
            return platform::MsgResult::Ok;
        });
        if (!StartLink(line))
            QTest::qFail("the link did not start", __FILE__, __LINE__);
        mainmenu::SetSetupLoaded(false);
    }
    ~CounterBench() { StopLink(); platform::SetMsgAnswerer({}); meterlink::SetProgramFolder({}); }
    // The commands the meter received; writes cut to their letters.
    QStringList commands() const
    {
        QStringList out;
        for (const Frame& f : line.frames())
            out << QString::fromLatin1(f.command.startsWith('W') ? f.command.left(4) : f.command);
        return out;
    }
};

// The sample image in the program, with the address and baud bytes (53-56) given.
inline void LoadSampleImage(const QString& addressAndBaud)
{
    const CounterImage img = SampleCounterImage();
    setup::SetupA = QString::fromLatin1(img.a);
    setup::SetupB = QString::fromLatin1(img.b).replace(52, 4, addressAndBaud);
    setup::SetupChars = QString::fromLatin1(img.chars);
    mainmenu::SetSetupLoaded(true);
}

} // namespace emu
