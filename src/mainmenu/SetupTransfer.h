#pragma once
// Counter > Get Setup and Counter > Put Setup: the meter's whole setup read
// into the setup image, and the image written back to the meter. The work
// needs no window: the main menu calls GetSetup / PutSetup and shows the
// TransferOutcome in its status line and menus.
//
// Each transfer holds the link's ExchangeGuard for its whole length, so a
// click that would start a second one while the first waits is refused
// with a beep. Every wait gives the event loop its turns; when the program
// starts to end during one, the transfer stops where it is and reports
// nothing.

#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

namespace mainmenu {

enum class TransferResult {
    Done,    // the transfer ran to its end
    Failed,  // the meter did not answer as it should (status line in red)
    Busy,    // another exchange is under way: refused with a beep, nothing shown
    Blocked, // Put refused before sending anything (a message box said why)
    Stopped, // the program is ending: nothing to show
};

struct TransferOutcome {
    TransferResult result = TransferResult::Busy;
    bool showStatus = false; // show lblGPText with statusText on statusColor
    QString statusText;
    quint32 statusColor = 0; // colour number (&H00BBGGRR)
    bool enableCmds = false; // menus to enable: mnuCmds, mnuView, mnuPut
    bool enableView = false;
    bool enablePut = false;
};

// Called once a transfer has really begun, before its first wait, with the
// status line to show meanwhile; the window also sets its hourglass then.
using TransferStarted = std::function<void(const QString& text, quint32 color)>;

// Reads blocks A, B and C ("XR1AZ", "XH2BZ", "X46DZ"), rebuilds the
// characters of a meter that is not a counter of revision 35 or later and
// writes them to it ("W46D"), then reads the option-board byte ("G130") and
// the feature register ("G128"). The image changes only once blocks A and B
// have both arrived whole.
TransferOutcome GetSetup(const TransferStarted& started = {});

// Writes SetupA ("WR1A"), SetupChars ("W46D") and SetupB from character 5
// ("WG2A"), then follows a changed baud rate and meter address into the
// port, the link state and "Settings.SSS". parent: the window message boxes
// are modal over.
TransferOutcome PutSetup(const TransferStarted& started = {}, QWidget* parent = nullptr);

// The characters Get Setup starts from when block C does not come as 16 hex
// digits: revision 0 and type 0, so that the meter counts as an older one
// and its characters are rebuilt from block B; the remaining six bytes are
// the meter's default characters.
extern const QString NoCharsAnswer;

} // namespace mainmenu
