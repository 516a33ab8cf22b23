#pragma once
// Showing help topics outside the help window, and what the help window
// shares with other windows.

#include <QString>
#include <functional>

class QWidget;

namespace help {

// The folder that holds the help files: the program's folder, unless a test
// points it elsewhere (empty = the program's folder again).
QString HelpFolder();
void SetHelpFolder(const QString& folder);

// Drops a value entry in progress (the help window takes over): the entry
// is no longer active and the box that was being edited turns white again.
void DropValueEntry();

// Shows topic HelpTopic in the help window (frmAppHelp), modal, and returns
// when its OK hides it. The window that was active before is active again
// by then: its Form_Activate has run, once, before this returns. For F1 in
// every window that offers help.
void ShowHelpModal();

// Puts the text of topic HelpTopic into a label: curForm is either the
// label itself or a window with a child QLabel named "lblText". "$" marks
// become blanks; a topic without text gives the short no-help text. The
// help files are read and closed again at once, so a window's OK need not
// close anything.
void ShowHelpText(QWidget* curForm);

// Set by the menu view while it is loaded: resets the display property of
// its grid that the help window's OK must reset. Called by that OK when
// CtrMenuLoaded is 1; empty = nothing to do.
extern std::function<void()> ResetMenuViewGrid;

} // namespace help
