#pragma once
// Modal message boxes and the beep, behind one seam so that tests can
// answer them without a window.

#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { Exclamation, Information, Critical, Question, None };
enum class MsgResult { Ok, Cancel, Yes, No };

// Shows a modal message box (exclamation icon unless told otherwise) and
// returns the button pressed. title empty = the program's own title.
MsgResult MsgBox(const QString& text, const QString& title = QString(),
                 MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::Exclamation,
                 QWidget* parent = nullptr);

// Sounds the system beep. BeepCount() counts every Beep() of the run, so
// that tests can see the beep that goes with an input error.
void Beep();
int BeepCount();

// The title a message box carries when none is given: the application's
// display name when it set one, else "Counter Setup".
QString ProgramTitle();

// Tests install an answerer; while one is installed no window is shown and
// every message is passed to it instead.
struct ShownMessage {
    QString text;
    QString title;
    MsgButtons buttons;
    MsgIcon icon;
};
using MsgAnswerer = std::function<MsgResult(const ShownMessage&)>;
void SetMsgAnswerer(MsgAnswerer answerer); // empty function = real boxes again

} // namespace platform
