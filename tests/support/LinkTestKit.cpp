#include "support/LinkTestKit.h"

#include <sys/resource.h>

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "platform/MessageBox.h"

namespace emu {

MessageCatcher::MessageCatcher()
{
    platform::SetMsgAnswerer([this](const platform::ShownMessage& m) {
        texts << m.text;
        return platform::MsgResult::Ok;
    });
}

MessageCatcher::~MessageCatcher()
{
    platform::SetMsgAnswerer({});
}

bool StartLink(MeterEmulator& meter, int baudIndex, int rs485, char address, int revision)
{
    if (!meter.ok())
        return false;
    const QString line = SettingsLineFor(baudIndex, meter.portNo(), address, rs485, revision, 1);
    if (!WriteSettings(meter.programFolder(), line.toLatin1() + "\r\n"))
        return false;
    meterlink::SetProgramFolder(meter.programFolder());
    meterlink::SetQuitting(false);
    meterlink::Main();
    return meterlink::Commx().PortOpen();
}

void StopLink()
{
    meterlink::ClosePort();
    meterlink::SetQuitting(false);
    auto& port = meterlink::Commx();
    port.SetPortOpen(false);
    port.ClearError();
    port.SetInputLen(0);
    port.SetNullDiscard(false);
    port.SetHandshaking(meterlink::HandshakeNone);
}

double CpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace emu
