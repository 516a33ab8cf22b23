#pragma once
// Help topics and the two files of each topic group beside the program.
//
// Topic T lives in group T / 100 as record T % 100 (1138: group 11,
// record 38). A group has a text file "HelpNN.S10" holding the topic texts
// one after another (lines end in CR LF) and an index file "HelpNN.R10" of
// 6-byte records, record r at byte 6 * (r - 1):
//   signed 32-bit little-endian offset: 1-based byte position of the text
//   signed 16-bit little-endian length: characters (bytes) of the text
// The texts are single-byte (Latin-1), so characters and bytes agree.
//
// Only QtCore here: the help-file generator is built from this too.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace help {

struct HelpIndex {
    qint32 Offset = 0; // 1-based byte position in the text file; 0 = no text
    qint16 Length = 0; // characters of the topic text
};

constexpr int HelpIndexSize = 6;
using HelpIndexBytes = std::array<char, HelpIndexSize>;

// The topic whose text is printed unchanged in a fixed-pitch face: the ASCII
// character table, whose "$" is a character of the table, not a mark.
constexpr int AsciiTableTopic = 1138;

// What the viewer shows when a topic has no text (no file, no record, a
// broken record, or topic 0 before anything set a topic).
extern const QString NoHelpText;

QByteArray EncodeHelpIndex(const HelpIndex& record);
HelpIndex DecodeHelpIndex(const HelpIndexBytes& bytes);

// Group and record of a topic; groups outside 10..99 have no files (their
// two-character file names would clash with other groups or be malformed).
int HelpGroup(int topic);
int HelpRecord(int topic);
bool HelpGroupHasFiles(int group);
QString HelpTextFileName(int group);  // "Help31.S10"
QString HelpIndexFileName(int group); // "Help31.R10"

// Reads a topic's text from the files in folder. Files are opened for the
// one look-up and closed again. Anything that would read outside the files
// (missing file, record 0 or past the index, offset or length out of range,
// an empty text) gives no value.
std::optional<QString> ReadHelpTopic(const QString& folder, int topic);

// The same, with NoHelpText in place of a missing text.
QString HelpTopicText(const QString& folder, int topic);

// Emphasis: "$" marks switch emphasis. Scanning left to right, each mark
// toggles k (starting at 0) and the text before the mark is emphasised when
// k is now 0; the text after the last mark is plain. So pairs of marks
// enclose emphasised text, and an unpaired last mark opens nothing.
struct HelpRun {
    QString text;
    bool emphasised = false;
    bool operator==(const HelpRun& o) const = default;
};
using HelpLine = QList<HelpRun>;

QList<HelpRun> SplitEmphasis(const QString& text);

// The printed lines of a topic: runs split at line breaks (CR LF, or a lone
// CR or LF). raw: no "$" processing (the ASCII table). Empty runs are
// dropped; an empty line is a line without runs.
QList<HelpLine> HelpTextLines(const QString& text, bool raw);

// A topic as one plain text for a label: "$" marks become blanks and line
// breaks become "\n".
QString PlainHelpText(const QString& text);

} // namespace help
