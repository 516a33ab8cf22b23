#pragma once
// The value-entry hand-off: what a setup page passes to the value-entry
// dialog and gets back from it. Kept here, beside the number coding that
// reads it, because the help viewer and the number coding use it too.

#include <QPointer>
#include <QString>

// Only a guarded pointer is kept here; the setup code itself needs no widgets.
class QWidget;

namespace setup {

extern QString EntryText;   // the value's text going in and coming back
extern int EntryCode;       // a character code (kind 7) going in and coming back
extern int EntryKind;       // number kind (KindWord ...)
extern int EntryPos;        // the field's first character in the image
extern int EntryDecPt;      // decimal-point code 1..6
extern int EntryTimeFormat; // 0 number, 1 clock time, 2 stopwatch time
extern int EntryActive;     // 1 while the value-entry dialog is up
extern QPointer<QWidget> EntryBox; // the page's box that shows the value

} // namespace setup
