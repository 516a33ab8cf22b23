#include "setup/EntryHandoff.h"

namespace setup {

QString EntryText;
int EntryCode = 0;
int EntryKind = 0;
int EntryPos = 0;
int EntryDecPt = 0;
int EntryTimeFormat = 0;
int EntryActive = 0;
QPointer<QWidget> EntryBox;

} // namespace setup
