#pragma once
// The modal open/save file chooser, set up property by property the way the
// windows use it, with one program-wide hook that lets tests answer it
// without a window.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace platform {

// Turns a filter written as "description|pattern[;pattern]..." pairs (all
// joined by "|") into Qt's "description (patterns);;..." form. Linux file
// names are case-sensitive, so every pattern is offered in its upper- and
// lower-case spelling too: "Setup files (*.CTR)|*.CTR" becomes
// "Setup files (*.CTR *.ctr)".
QString QtFilterFrom(const QString& filter);

class FileDialog {
public:
    enum { ActionOpen = 1, ActionSave = 2 };

    explicit FileDialog(QWidget* parent = nullptr) : parent_(parent) {}

    // With CancelError set (the way every caller uses it) Cancel makes
    // Action return false; without it Cancel returns true with an empty
    // FileName.
    bool CancelError = false;
    QString DialogTitle;
    QString Filter;   // "description|pattern" form, converted by QtFilterFrom
    QString FileName; // after Action: the full path chosen, used unchanged

    // Shows the open (ActionOpen) or save (ActionSave) dialog modally over
    // the parent and returns when the user closes it. False means cancelled
    // (see CancelError) or an unknown action; FileName is then empty.
    bool Action(int action);

private:
    QWidget* parent_;
};

// What the dialog was asked to show, as an answerer sees it.
struct FileDialogRequest {
    int action;     // FileDialog::ActionOpen / ActionSave
    QString title;
    QString filter; // already in Qt's form
};
// A path, or std::nullopt for Cancel.
using FileDialogAnswerer = std::function<std::optional<QString>(const FileDialogRequest&)>;

// While an answerer is installed no dialog is shown: every request goes to
// it. An empty function brings the real dialogs back.
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

} // namespace platform
