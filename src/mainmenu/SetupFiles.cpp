#include "mainmenu/SetupFiles.h"

#include "mainmenu/FileDialog.h"
#include "mainmenu/MenuState.h"
#include "platform/MessageBox.h"
#include "setup/DefaultImage.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"
#include "setup/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <optional>

namespace mainmenu {

bool SetupLoaded = false;

void SetSetupLoaded(bool loaded)
{
    SetupLoaded = loaded;
}

void DefaultSetupA()
{
    setup::SetupA = setup::DefaultSetupAText;
}

void DefaultSetupB()
{
    setup::SetupB = setup::DefaultSetupBText;
}

void DefaultSetupChars()
{
    setup::SetupChars = setup::DefaultSetupCharsText;
}

namespace {

constexpr int LenA = setup::SetupALength;
constexpr int LenB = setup::SetupBLength;
constexpr int LenChars = setup::SetupCharsLength;
constexpr int LenCurrent = LenA + LenB + LenChars; // 192
constexpr int LenNoRevision = LenA + LenB + 12;    // 188: characters without revision and type
constexpr int LenOldest = LenA + LenB;             // 176: no characters at all

// The oldest file form carries no characters: they are taken as those of a
// revision 34 counter with the meter's default characters.
const QString OldestFormChars = QStringLiteral("22030D0008000D00");
// The 188 form lost revision and type; such files came from revision 35.
const QString NoRevisionPrefix = QStringLiteral("2303");

const QString SetupFilter = QStringLiteral("Setup files (*.CTR)|*.CTR");
const QString ContinueTitle = QStringLiteral("Continue");

// Whatever way an entry point is left, the program's folder is the current
// directory again afterwards (the file chooser may have moved it).
class CurrentDirRestorer {
public:
    explicit CurrentDirRestorer(const QString& programDir)
        : dir_(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir)
    {
    }
    ~CurrentDirRestorer() { QDir::setCurrent(dir_); }
    CurrentDirRestorer(const CurrentDirRestorer&) = delete;
    CurrentDirRestorer& operator=(const CurrentDirRestorer&) = delete;

private:
    QString dir_;
};

void Warn(QWidget* parent, const QString& text, const QString& title = QString())
{
    platform::MsgBox(text, title, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, parent);
}

void BeepAndWarn(QWidget* parent, const QString& text)
{
    platform::Beep();
    Warn(parent, text, ContinueTitle);
}

// Replaces the file in one step: either the whole new line is there or the
// old file is untouched. Returns the reason on failure.
QString WriteSetupLine(const QString& path, const QString& line)
{
    return setup::ReplaceFile(path, line.toLatin1() + "\r\n");
}

// A save writes only a line that Open Setup takes back whole.
bool ImageReadyToSave(QWidget* parent, QString& line)
{
    if (!SetupLoaded) {
        BeepAndWarn(parent, QStringLiteral("No Setup data loaded"));
        return false;
    }
    line = SetupFileLine();
    if (!ParseSetupLine(line).ok) {
        Warn(parent, QStringLiteral("The setup data is incomplete, so it was not saved."));
        return false;
    }
    return true;
}

// The chosen path, or nothing when the user cancelled.
std::optional<QString> ChooseSetupFile(QWidget* parent, const QString& title, int action)
{
    FileDialog dialog(parent);
    dialog.CancelError = true;
    dialog.DialogTitle = title;
    dialog.Filter = SetupFilter;
    if (!dialog.Action(action))
        return std::nullopt;
    return dialog.FileName;
}

bool SaveTo(QWidget* parent, const QString& path, const QString& line)
{
    const QString reason = WriteSetupLine(path, line);
    if (reason.isNull())
        return true;
    Warn(parent, QStringLiteral("The setup could not be saved to\n%1\n\n%2")
                     .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

} // namespace

ParsedSetupLine ParseSetupLine(const QString& line)
{
    ParsedSetupLine r;
    const int n = int(line.size());
    if (n == 0) {
        r.problem = QStringLiteral("it holds no setup line");
        return r;
    }
    if (n != LenCurrent && n != LenNoRevision && n != LenOldest) {
        r.problem = QStringLiteral("its line holds %1 characters, a setup line %2, %3 or %4")
                        .arg(n)
                        .arg(LenCurrent)
                        .arg(LenNoRevision)
                        .arg(LenOldest);
        return r;
    }
    if (!setup::IsHexText(line)) {
        r.problem = QStringLiteral("its line holds characters that are not hex digits");
        return r;
    }

    const QString upper = line.toUpper();
    r.a = upper.left(LenA);
    r.b = upper.mid(LenA, LenB);
    if (n == LenCurrent) {
        r.chars = upper.right(LenChars);
    } else if (n == LenNoRevision) {
        r.chars = NoRevisionPrefix + upper.right(LenNoRevision - LenOldest);
        r.rewrite = true;
    } else {
        r.chars = OldestFormChars;
        r.rewrite = true;
    }
    r.ok = true;
    return r;
}

QString SetupFileLine()
{
    // An image without characters stands for the oldest form, which the
    // program has always read as these characters.
    const QString chars = setup::SetupChars.isEmpty() ? OldestFormChars : setup::SetupChars;
    return (setup::SetupA + setup::SetupB.left(LenB) + chars).toUpper();
}

FileOutcome LoadDefaultSetup()
{
    DefaultSetupA();
    DefaultSetupB();
    DefaultSetupChars();
    SetupLoaded = true;

    FileOutcome out;
    out.loaded = true;
    out.showStatus = true;
    out.statusText = QStringLiteral("Default Setup data loaded into the 3-Page Form.");
    out.statusColor = setup::ColorWhite;
    return out;
}

FileOutcome OpenSetupFile(QWidget* parent, const QString& programDir)
{
    CurrentDirRestorer restore(programDir);
    FileOutcome out;

    const std::optional<QString> chosen =
        ChooseSetupFile(parent, QStringLiteral("Open Setup File"), FileDialog::ActionOpen);
    if (!chosen)
        return out;
    const QString path = *chosen;
    const QString shownPath = QDir::toNativeSeparators(path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Warn(parent, QStringLiteral("The setup file\n%1\ncould not be read.\n\n%2")
                         .arg(shownPath, file.errorString()));
        return out;
    }
    // A setup line is 192 characters; reading a little more than that is
    // enough to tell a wrong length, even from a large file picked by mistake.
    QByteArray raw = file.readLine(4096);
    if (file.error() != QFileDevice::NoError) {
        Warn(parent, QStringLiteral("The setup file\n%1\ncould not be read.\n\n%2")
                         .arg(shownPath, file.errorString()));
        return out;
    }
    file.close();
    while (raw.endsWith('\n') || raw.endsWith('\r'))
        raw.chop(1);

    // The whole line is checked before any of the image changes.
    const ParsedSetupLine parsed = ParseSetupLine(QString::fromLatin1(raw).trimmed());
    if (!parsed.ok) {
        Warn(parent, QStringLiteral("The file\n%1\nis not a setup file: %2.\n\nThe setup data was not changed.")
                         .arg(shownPath, parsed.problem));
        return out;
    }

    setup::SetupA = parsed.a;
    setup::SetupB = parsed.b;
    setup::SetupChars = parsed.chars;
    SetupLoaded = true;
    SetupFileName = path;
    out.loaded = true;

    if (parsed.rewrite) {
        const QString reason = WriteSetupLine(path, parsed.a + parsed.b + parsed.chars);
        if (!reason.isNull()) {
            Warn(parent, QStringLiteral("The setup was loaded, but the file\n%1\ncould not be "
                                        "brought up to the current form.\n\n%2")
                             .arg(shownPath, reason));
        }
    }
    return out;
}

FileOutcome SaveSetupFile(QWidget* parent, const QString& programDir)
{
    CurrentDirRestorer restore(programDir);
    FileOutcome out;

    if (SetupFileName.isEmpty()) {
        BeepAndWarn(parent, QStringLiteral("No file name active, use Save Setup As"));
        return out;
    }
    QString line;
    if (!ImageReadyToSave(parent, line))
        return out;
    if (platform::MsgBox(QStringLiteral("Current data will be replaced."), QString(),
                         platform::MsgButtons::OkCancel, platform::MsgIcon::Exclamation, parent)
        != platform::MsgResult::Ok)
        return out;
    SaveTo(parent, SetupFileName, line);
    return out;
}

FileOutcome SaveSetupFileAs(QWidget* parent, const QString& programDir)
{
    CurrentDirRestorer restore(programDir);
    FileOutcome out;

    QString line;
    if (!ImageReadyToSave(parent, line))
        return out;

    const std::optional<QString> chosen =
        ChooseSetupFile(parent, QStringLiteral("Save Setup File As"), FileDialog::ActionSave);
    if (!chosen)
        return out;

    // The name is kept only once the file holds the setup, so that Save
    // Setup never aims at a place that has already failed.
    if (SaveTo(parent, *chosen, line))
        SetupFileName = *chosen;
    return out;
}

} // namespace mainmenu
