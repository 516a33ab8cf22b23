#pragma once
// Printing a window as it stands on the screen: its picture goes to the
// printer the user picks in the usual print dialog, at the window's size on
// the screen (scaled down only when it would not fit the page).
//
// Tests send the print to a PDF file instead, without a dialog.

#include <QString>

class QWidget;

namespace platform {

// Prints the window that holds w. False when the user cancelled the dialog
// or the printer could not be used.
bool PrintForm(QWidget* w);

// Prints w's picture into a PDF file; false when it cannot be written.
bool PrintFormToPdf(QWidget* w, const QString& path);

// While a path is set, PrintForm writes there instead of asking for a
// printer (empty: the dialog again). For tests.
void SetPrintToPdf(const QString& path);

} // namespace platform
