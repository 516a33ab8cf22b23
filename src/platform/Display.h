#pragma once
// The program's connection to the display. When Qt finds no display to
// open windows on, it ends the program with an abort and a hint to
// reinstall it; the program says instead, in one line, that no display was
// found and how to start it, and ends with status 1.

#include <QApplication>

#include <memory>

namespace platform {

// The application on the display that the environment names. When there
// is none, or it will not open, prints that one line on the standard error
// and ends the process with status 1; nothing else has run by then. What Qt
// reports while it opens the display is passed on once it has.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

} // namespace platform
