#include "mainmenu/SetupTransfer.h"

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "link/Link.h"
#include "link/Wait.h"
#include "mainmenu/SetupFiles.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "setup/FieldMap.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <QDir>

namespace mainmenu {

const QString NoCharsAnswer = QStringLiteral("00000D0008000D00");

namespace {

using namespace meterlink;

constexpr int LenA = setup::SetupALength;
constexpr int LenB = setup::SetupBLength;
constexpr int LenChars = setup::SetupCharsLength;

// Meters from this revision on answer at once; older ones get an input wait
// after each block.
constexpr int PromptRevision = 46;
// Counters from this revision on answer block C with their own characters.
constexpr int CharsRevision = 35;
constexpr int CounterType = 3;
constexpr int DisplayModeC = 12;

// Characters of a revision 34 counter with the meter's default characters:
// what an older meter without characters of its own is given.
const QString OlderMeterChars = QStringLiteral("22030D0008000D00");

const QString GettingText = QStringLiteral("Getting data from the Counter");
const QString GotText = QStringLiteral("Getting data from the Counter.  Data received O.K.");
const QString GetFailedText =
    QStringLiteral("Failed to Get data, check connections and restart program.");
const QString PuttingText = QStringLiteral("Putting data to the Counter.");
const QString PutText = QStringLiteral("Putting data to the Counter.  Data Transferred O.K.");
const QString PutFailedText =
    QStringLiteral("Data transfer unsuccessful. Check connections and try again.");
const QString ModeCText = QStringLiteral(
    "Cannot 'Put' data for display mode 'C' or 'Get' data when meter is in display mode "
    "'C'.  Change to another display mode for data transfer. ");

bool Ending()
{
    return Quitting() || platform::ProgramEnding();
}

bool IsBlock(const QString& s, int length)
{
    return s.size() == length && setup::IsHexText(s);
}

QString Frame(const char* letters, const QString& data = QString())
{
    return QStringLiteral("*") + MeterAddr + QLatin1String(letters) + data;
}

void Exchange(const QString& cmd)
{
    Cmd = cmd;
    SendCommand();
    ReceiveReply();
}

// The reply of the exchange just made, or "" when it failed: a failed
// exchange leaves an older reply in Reply, which must not be taken.
QString ReplyIfOk()
{
    return CommStatus == StatusOk ? Reply : QString();
}

TransferOutcome Stopped()
{
    TransferOutcome out;
    out.result = TransferResult::Stopped;
    return out;
}

TransferOutcome Shown(TransferResult result, const QString& text, quint32 color)
{
    TransferOutcome out;
    out.result = result;
    out.showStatus = true;
    out.statusText = text;
    out.statusColor = color;
    return out;
}

void Warn(QWidget* parent, const QString& text, const QString& title = QString())
{
    platform::MsgBox(text, title, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, parent);
}

// The pause after each block read: one second, and for a meter older than
// PromptRevision a wait for its next output. False when the program is ending.
bool PauseAfterBlock(bool olderMeter)
{
    Delay(1.0f);
    if (Ending())
        return false;
    if (olderMeter) {
        WaitForInput();
        if (Ending())
            return false;
    }
    return true;
}

// Reads one block; an empty result when the meter's answer failed or is not
// exactly `length` hex digits.
QString ReadBlock(const char* letters, int length)
{
    Exchange(Frame(letters));
    const QString reply = ReplyIfOk();
    return IsBlock(reply, length) ? reply : QString();
}

bool ImageComplete()
{
    return IsBlock(setup::SetupA, LenA) && setup::SetupB.size() >= LenB
        && setup::IsHexText(setup::SetupB.left(LenB)) && IsBlock(setup::SetupChars, LenChars);
}

} // namespace

TransferOutcome GetSetup(const TransferStarted& started)
{
    ExchangeGuard guard;
    if (!guard) {
        platform::Beep();
        return TransferOutcome();
    }
    if (Ending())
        return Stopped();
    if (started)
        started(GettingText, setup::ColorGreen);

    // The revision known before this Get decides the input waits.
    const bool olderMeter = MeterRevision < PromptRevision;
    const TransferOutcome failed = Shown(TransferResult::Failed, GetFailedText, setup::ColorRed);

    // Blocks A and B are kept aside until both have arrived: a failure
    // leaves the image as it was instead of mixing two setups.
    const QString blockA = ReadBlock("XR1AZ", LenA);
    if (Ending())
        return Stopped();
    if (blockA.isEmpty())
        return failed;
    if (!PauseAfterBlock(olderMeter))
        return Stopped();

    const QString blockB = ReadBlock("XH2BZ", LenB);
    if (Ending())
        return Stopped();
    if (blockB.isEmpty())
        return failed;
    setup::SetupA = blockA;
    setup::SetupB = blockB;
    if (!PauseAfterBlock(olderMeter))
        return Stopped();

    // An older meter may not answer block C at all; characters that say
    // "no counter of revision 35 or later" send it through the rebuild below.
    Exchange(Frame("X46DZ"));
    if (Ending())
        return Stopped();
    const QString blockC = ReplyIfOk();
    setup::SetupChars = IsBlock(blockC, LenChars) ? blockC : NoCharsAnswer;
    if (!PauseAfterBlock(olderMeter))
        return Stopped();

    MeterType = setup::ReadRaw(setup::field::MeterType);
    MeterRevision = setup::ReadRaw(setup::field::Revision);
    if (!(MeterType == CounterType && MeterRevision >= CharsRevision)) {
        // Older meters keep their revision in block B.
        MeterRevision = setup::ReadRaw(setup::field::RevisionB);
        if (MeterRevision >= CharsRevision) {
            setup::SetupChars =
                setup::SetupB.mid(4, 2) + QStringLiteral("03") + setup::SetupChars.mid(4);
        } else {
            setup::WriteRaw(setup::field::RevisionB, 34);
            setup::SetupChars = OlderMeterChars;
            MeterRevision = 34;
        }
        // The meter's answer to the write tells nothing.
        Exchange(Frame("W46D", setup::SetupChars));
        if (Ending())
            return Stopped();
        setup::SetupB += setup::SetupChars;
    }

    // Option boards: the byte at position 57 as the meter reports it.
    Exchange(Frame("G130"));
    if (Ending())
        return Stopped();
    const QString option = ReplyIfOk().left(2);
    Delay(0.3f);
    if (Ending())
        return Stopped();
    WaitForInput();
    if (Ending())
        return Stopped();
    if (IsBlock(option, 2))
        setup::SetupB.replace(56, 2, option);

    // Feature level: bit 7 of the register marks an extended meter; a basic
    // one has no custom curve.
    Exchange(Frame("G128"));
    if (Ending())
        return Stopped();
    const QString features = ReplyIfOk();
    bool isNumber = false;
    const qulonglong level = features.toULongLong(&isNumber, 16);
    setup::ExtendedMode = isNumber && setup::IsHexText(features) && (level & 0x80) ? 1 : 0;
    if (setup::ExtendedMode == 0)
        setup::WriteRaw(setup::field::CusCrv, 0);

    SetSetupLoaded(true);
    TransferOutcome out = Shown(TransferResult::Done, GotText, setup::ColorGreen);
    out.enableCmds = out.enableView = out.enablePut = true;
    return out;
}

TransferOutcome PutSetup(const TransferStarted& started, QWidget* parent)
{
    ExchangeGuard guard;
    if (!guard) {
        platform::Beep();
        return TransferOutcome();
    }
    TransferOutcome blocked;
    blocked.result = TransferResult::Blocked;
    if (setup::ReadRaw(setup::field::DType) == DisplayModeC) {
        Warn(parent, ModeCText, QStringLiteral("Error"));
        return blocked;
    }
    // A short or damaged image must never reach the meter.
    if (!ImageComplete()) {
        Warn(parent, QStringLiteral("The setup data is incomplete, so nothing was sent to the "
                                    "Counter. Load a setup first."));
        return blocked;
    }
    if (Ending())
        return Stopped();
    if (started)
        started(PuttingText, setup::ColorGreen);

    // The three writes go to the address and rate in use now, and carry the
    // image as it stands now, even if something changes it during the waits.
    const QString frames[] = {
        Frame("WR1A", setup::SetupA),
        Frame("W46D", setup::SetupChars),
        Frame("WG2A", setup::SetupB.mid(4, LenB - 4)),
    };
    const int newBaud = setup::ReadRaw(setup::field::BaudRate);
    const int newAddress = setup::ReadRaw(setup::field::Address);

    for (const QString& frame : frames) {
        Cmd = frame;
        SendCommand();
        if (Ending())
            return Stopped();
        DelayMs(2000);
        if (Ending())
            return Stopped();
        WaitForInput();
        if (Ending())
            return Stopped();
        if (CommStatus == StatusPortError)
            return Shown(TransferResult::Failed, PutFailedText, setup::ColorRed);
    }

    // The meter now talks at its new rate and address; the program follows,
    // and "Settings.SSS" keeps both for the next start.
    bool settingsChanged = false;
    if (newBaud != BaudIndex) {
        const QString oldRate = BaudRates[BaudIndex >= 0 && BaudIndex < 7 ? BaudIndex : 0];
        if (newBaud < 0 || newBaud > 6) {
            Warn(parent, QStringLiteral("The setup's baud rate field holds %1, which stands for no "
                                        "baud rate. The program stays at %2 baud.")
                             .arg(newBaud)
                             .arg(oldRate));
        } else {
            settingsChanged = true;
            CommControl& port = Commx();
            if (!ApplyBaudIndex(newBaud)) {
                Warn(parent, QStringLiteral("The serial port could not be set to %1 baud: %2")
                                 .arg(BaudRates[newBaud], port.LastError()));
                port.ClearError();
            }
        }
    }
    if (newAddress != MeterAddrValue) {
        ApplyMeterAddress(newAddress);
        settingsChanged = true;
    }
    if (settingsChanged && !WriteSettingsFile()) {
        Warn(parent, QStringLiteral("The settings file \"%1\" could not be written, so the new "
                                    "baud rate and meter address hold only until the program "
                                    "ends.")
                         .arg(QDir::toNativeSeparators(SettingsFilePath())));
    }

    return Shown(TransferResult::Done, PutText, setup::ColorGreen);
}

} // namespace mainmenu
