#include "platform/FileDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

namespace {

FileDialogAnswerer& Answerer()
{
    static FileDialogAnswerer answerer;
    return answerer;
}

// The pattern as written, then its upper- and lower-case spellings where
// they differ, so "*.CTR" also finds "report.ctr".
void AddCaseVariants(QStringList& out, const QString& pattern)
{
    for (const QString& p : {pattern, pattern.toUpper(), pattern.toLower()}) {
        if (!out.contains(p))
            out << p;
    }
}

} // namespace

QString QtFilterFrom(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patternText = i + 1 < parts.size() ? parts.at(i + 1) : QString();

        QStringList patterns;
        for (const QString& p : patternText.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            AddCaseVariants(patterns, p.trimmed());
        if (patterns.isEmpty()) {
            if (!description.isEmpty())
                entries << description;
            continue;
        }

        // Qt takes the patterns from the last parenthesised group, so the
        // description's own "(*.CTR)" is replaced by the full list.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        const QString list = patterns.join(QLatin1Char(' '));
        entries << (description.isEmpty() ? list
                                          : description + QStringLiteral(" (") + list + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

bool FileDialog::Action(int action)
{
    FileName.clear();
    if (action != ActionOpen && action != ActionSave)
        return false;

    const QString qtFilter = QtFilterFrom(Filter);
    std::optional<QString> chosen;
    if (Answerer()) {
        chosen = Answerer()(FileDialogRequest{action, DialogTitle, qtFilter});
    } else {
        // No start folder is given: the chooser opens in the current folder.
        const QString path =
            action == ActionOpen
                ? QFileDialog::getOpenFileName(parent_, DialogTitle, QString(), qtFilter)
                : QFileDialog::getSaveFileName(parent_, DialogTitle, QString(), qtFilter);
        if (!path.isEmpty())
            chosen = path;
    }

    if (!chosen || chosen->isEmpty())
        return !CancelError;
    FileName = *chosen;
    return true;
}

void SetFileDialogAnswerer(FileDialogAnswerer answerer)
{
    Answerer() = std::move(answerer);
}

} // namespace platform
