#pragma once
// The File menu's work: the built-in default setup and the setup files
// (".CTR", one line of hex digits). Nothing here needs a window; the main
// menu window calls the four entry points and applies the FileOutcome.

#include <QString>
#include <QtGlobal>

class QWidget;

namespace mainmenu {

// True once a setup has been loaded by Default Setup, Open Setup or a
// successful Get Setup. The zeros that start-up puts into the image are not
// a setup, so emptiness of the strings cannot tell.
extern bool SetupLoaded;
void SetSetupLoaded(bool loaded);

// The built-in default image, one string each.
void DefaultSetupA();
void DefaultSetupB();
void DefaultSetupChars();

// What the main menu window does after a File menu entry point returns.
struct FileOutcome {
    bool loaded = false;     // a setup was loaded: enable mnuView and mnuPut
    bool showStatus = false; // show lblGPText with statusText on statusColor
    QString statusText;
    quint32 statusColor = 0; // colour number (&H00BBGGRR)
};

// File > Default Setup.
FileOutcome LoadDefaultSetup();

// File > Open Setup, Save Setup, Save Setup As. parent: the window the
// dialogs and messages are modal over. programDir: the folder that becomes
// the current directory again when the entry point returns, whatever
// happened (empty = the folder of the running program).
FileOutcome OpenSetupFile(QWidget* parent = nullptr, const QString& programDir = QString());
FileOutcome SaveSetupFile(QWidget* parent = nullptr, const QString& programDir = QString());
FileOutcome SaveSetupFileAs(QWidget* parent = nullptr, const QString& programDir = QString());

// --- the file forms, usable on their own ---

// A setup line read from a file, checked whole before anything is assigned.
struct ParsedSetupLine {
    bool ok = false;
    QString problem;      // why the line was refused (ok false)
    QString a, b, chars;  // upper-case SetupA, SetupB, SetupChars
    bool rewrite = false; // an older form: the file is to be rewritten as 192
};
// line: the file's first line without its line end. Accepts 192 (current),
// 188 and 176 (older forms) hex digits of either case; refuses anything else.
ParsedSetupLine ParseSetupLine(const QString& line);

// The 192-character line that a save writes for the current image: SetupA,
// the first 68 characters of SetupB (Get Setup may have appended the
// characters of an older meter to it) and SetupChars.
QString SetupFileLine();

} // namespace mainmenu
