#pragma once
// Colours and mouse pointers the way the windows use them. The windows speak
// in colour numbers (&H00BBGGRR, red in the low byte) set on any control, and
// in a mouse pointer per window (hourglass while a handler works). Qt keeps
// colours in palette roles that differ by kind of widget, and a widget paints
// its own background only when told to, so the mapping lives here once.

#include <QtGlobal>

class QWidget;

namespace platform {

// Background of a control or window. Labels, frames, picture areas and
// windows are filled; text boxes colour their text area; lists colour their
// face and drop-down list; buttons their face (which the style shades, so a
// list or button shows a lighter tint of the colour, never another hue).
void SetBackColor(QWidget* w, quint32 color);
quint32 BackColor(const QWidget* w);

// Text colour of a control (also the text of a disabled control).
void SetForeColor(QWidget* w, quint32 color);
quint32 ForeColor(const QWidget* w);

enum class MousePointer { Default, Hourglass };

// The pointer of the window that holds w (not of the whole program).
void SetMousePointer(QWidget* w, MousePointer pointer);
MousePointer GetMousePointer(const QWidget* w);

} // namespace platform
