#include "pages/ValueEntry.h"

#include "pages/frmEntVal.h"
#include "platform/Appearance.h"
#include "setup/EntryHandoff.h"

namespace pages {

namespace {

constexpr int DialogLeft = 3000;
constexpr int HighTop = 1500;
constexpr int LowTop = 2900;
constexpr quint32 ColorEntryBox = 0xC0FFC0; // pale green: the box being edited

} // namespace

void ShowValueEntry(int flag)
{
    frmEntVal* dialog = platform::Load<frmEntVal>();
    if (!dialog || dialog->isVisible())
        return; // one entry at a time
    dialog->MoveTwips(DialogLeft, flag == 0 ? HighTop : LowTop);
    setup::EntryActive = 1;
    platform::SetBackColor(setup::EntryBox.data(), ColorEntryBox);
    dialog->LoadEntry();
    dialog->ShowModal();
    // Every way out of the dialog ends the entry itself; this only covers a
    // dialog taken away by the end of the program.
    setup::EntryActive = 0;
}

} // namespace pages
