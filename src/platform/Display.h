#pragma once
// The program's connection to the display. When Qt cannot open one, it ends
// the program with an abort and a hint to reinstall it, which is not true
// here; the program says instead what went wrong, and ends with status 1:
// - when no display could be reached, one line that says so, naming the
//   variable that named the display that failed (DISPLAY, WAYLAND_DISPLAY);
// - otherwise Qt's own lines about its platform plugins (without the hint),
//   with the loader's reason for a plugin that was found but would not load,
//   and what to do where that is known: the plugin's Debian package, or the
//   platform to choose instead.

#include <QApplication>

#include <memory>

namespace platform {

// The application on the display that the environment names. When Qt will
// not open it, prints the report above on the standard error and ends the
// process with status 1; nothing else has run by then. What Qt reports
// while it opens the display is held back and passed on once it has, except
// where the environment may make Qt stop at a message (QT_FATAL_WARNINGS,
// QT_FATAL_CRITICALS): then every message is passed on as it comes, so that
// the one Qt stops at is seen.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

} // namespace platform
