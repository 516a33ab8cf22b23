#pragma once
// Builds the help files from the readable topic source (help/topics.txt).
// Used at build time by the mkhelp tool and by the tests; QtCore only.
//
// Source format:
//   - Everything before the first topic is a preamble and is ignored.
//   - A line starting with "@@" begins a topic: "@@ 3101 File menu" — the
//     topic number, then an optional title for the reader (ignored).
//   - The lines after it, up to the next "@@" line, are the topic's text.
//     Blank lines at its start and end are dropped, trailing blanks of each
//     line too; lines are joined with CR LF. "$" pairs mark emphasis.
//   - Texts are Latin-1 (the source file itself is UTF-8); tabs are refused
//     because the viewer prints lines as they stand.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace help {

struct HelpSourceTopic {
    int number = 0;
    QString text;   // lines joined with CR LF
    int line = 0;   // line of its "@@" in the source, for messages
};

// Parses the source text. Problems (bad or duplicate number, empty text,
// characters outside Latin-1, tabs, over-long text) are appended to errors
// as "line N: message"; the topics that are sound are still returned.
QList<HelpSourceTopic> ParseHelpSource(const QString& source, QStringList* errors);

struct HelpGroupFiles {
    int group = 0;
    QByteArray text;  // contents of HelpNN.S10
    QByteArray index; // contents of HelpNN.R10
};

// One pair of files per group present, groups in ascending order. Topics
// are laid out in number order, separated by CR LF (not part of any text);
// the index runs from record 1 to the highest record of the group, records
// without a topic holding offset 0 and length 0.
QList<HelpGroupFiles> BuildHelpFiles(const QList<HelpSourceTopic>& topics);

// Reads the source, builds the files and writes them into folder (each file
// replaced whole). Returns false with a message per problem in errors.
bool GenerateHelpFiles(const QString& sourcePath, const QString& folder, QStringList* errors);

} // namespace help
