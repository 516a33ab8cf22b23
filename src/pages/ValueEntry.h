#pragma once
// The one way a setup page changes a number: set the hand-off globals of
// setup/EntryHandoff.h (EntryText, EntryKind, EntryBox, EntryPos, and
// EntryDecPt, EntryTimeFormat, EntryCode where the box needs them), then
// call ShowValueEntry. It returns when the dialog has closed; by then an
// accepted value is in the setup image (or, for a character code, in
// EntryCode) and in the page's box, and a cancelled one changed nothing.

namespace pages {

// Shows the value-entry dialog (frmEntVal) modal: high on the screen for
// flag 0, lower (top at 2900 twips) for any other flag, so that it does not
// cover the field being edited. EntryActive is 1 and the page's box pale
// green while it is up.
void ShowValueEntry(int flag);

} // namespace pages
