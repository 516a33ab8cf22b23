#pragma once
// Writing a file whole: the new content takes the old one's place in one
// step, or the old file stays exactly as it was. Only QtCore, and inline:
// the help-file generator writes its files this way too.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace setup {

// Writes bytes as the file at path. Returns a null string when the file
// holds them; else the reason, the old file (or none) being left as it was.
inline QString ReplaceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a write cut short (a full disk) shows here: a
    // buffered one would only fail inside commit(), which can miss it and
    // put the cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        // A write that stops part-way leaves no error code behind.
        const QString reason = file.error() == QFileDevice::NoError
            ? QStringLiteral("Only part of it could be written: the disk may be full.")
            : file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace setup
