#include "help/HelpBuild.h"

#include "help/HelpFiles.h"
#include "setup/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <limits>

namespace help {

namespace {

const QLatin1String CrLf("\r\n");

QString StripTrailingBlanks(QString line)
{
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    line.truncate(end);
    return line;
}

void AddError(QStringList* errors, int line, const QString& message)
{
    if (errors)
        errors->append(QStringLiteral("line %1: %2").arg(line).arg(message));
}

} // namespace

QList<HelpSourceTopic> ParseHelpSource(const QString& source, QStringList* errors)
{
    struct Pending {
        int number = -1; // -1: the head line was bad, collect and drop
        int line = 0;
        QStringList lines;
    };
    QList<Pending> pending;

    const QStringList sourceLines = source.split(QLatin1Char('\n'));
    for (int i = 0; i < sourceLines.size(); ++i) {
        const int lineNo = i + 1;
        QString line = sourceLines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String("@@"))) {
            Pending p;
            p.line = lineNo;
            const QString head = line.mid(2).trimmed();
            const QString numberText = head.section(QLatin1Char(' '), 0, 0);
            bool ok = false;
            const int number = numberText.toInt(&ok);
            const bool digitsOnly = !numberText.isEmpty()
                && std::all_of(numberText.begin(), numberText.end(),
                               [](QChar c) { return c.isDigit(); });
            if (!ok || !digitsOnly)
                AddError(errors, lineNo, QStringLiteral("a topic line needs a topic number after \"@@\""));
            else if (!HelpGroupHasFiles(HelpGroup(number)) || HelpRecord(number) == 0)
                AddError(errors, lineNo,
                         QStringLiteral("topic %1 is out of range (1001 to 9999, not a multiple of 100)")
                             .arg(number));
            else
                p.number = number;
            pending.append(p);
            continue;
        }
        if (pending.isEmpty())
            continue; // preamble
        if (line.contains(QLatin1Char('\t')))
            AddError(errors, lineNo, QStringLiteral("tab character; use blanks"));
        for (QChar c : line) {
            if (c.unicode() > 0xFF) {
                AddError(errors, lineNo,
                         QStringLiteral("character U+%1 cannot be stored in the help files")
                             .arg(c.unicode(), 4, 16, QLatin1Char('0')));
                break;
            }
        }
        pending.last().lines.append(StripTrailingBlanks(line));
    }

    QList<HelpSourceTopic> topics;
    QSet<int> seen;
    for (Pending& p : pending) {
        if (p.number < 0)
            continue;
        while (!p.lines.isEmpty() && p.lines.first().isEmpty())
            p.lines.removeFirst();
        while (!p.lines.isEmpty() && p.lines.last().isEmpty())
            p.lines.removeLast();
        if (seen.contains(p.number)) {
            AddError(errors, p.line, QStringLiteral("topic %1 is given twice").arg(p.number));
            continue;
        }
        seen.insert(p.number);
        if (p.lines.isEmpty()) {
            AddError(errors, p.line, QStringLiteral("topic %1 has no text").arg(p.number));
            continue;
        }
        HelpSourceTopic t;
        t.number = p.number;
        t.line = p.line;
        t.text = p.lines.join(CrLf);
        if (t.text.size() > std::numeric_limits<qint16>::max()) {
            AddError(errors, p.line, QStringLiteral("topic %1 is too long").arg(p.number));
            continue;
        }
        topics.append(t);
    }
    return topics;
}

QList<HelpGroupFiles> BuildHelpFiles(const QList<HelpSourceTopic>& topics)
{
    QMap<int, QMap<int, QString>> byGroup; // group -> record -> text
    for (const HelpSourceTopic& t : topics)
        byGroup[HelpGroup(t.number)][HelpRecord(t.number)] = t.text;

    QList<HelpGroupFiles> groups;
    for (auto g = byGroup.cbegin(); g != byGroup.cend(); ++g) {
        HelpGroupFiles files;
        files.group = g.key();
        const QMap<int, QString>& records = g.value();
        QList<HelpIndex> index(records.lastKey());
        for (auto r = records.cbegin(); r != records.cend(); ++r) {
            if (!files.text.isEmpty())
                files.text.append("\r\n");
            const QByteArray bytes = r.value().toLatin1();
            index[r.key() - 1] = {qint32(files.text.size() + 1), qint16(bytes.size())};
            files.text.append(bytes);
        }
        files.text.append("\r\n");
        for (const HelpIndex& record : index)
            files.index.append(EncodeHelpIndex(record));
        groups.append(files);
    }
    return groups;
}

bool GenerateHelpFiles(const QString& sourcePath, const QString& folder, QStringList* errors)
{
    QStringList problems;
    QFile sourceFile(sourcePath);
    if (!sourceFile.open(QIODevice::ReadOnly)) {
        problems.append(QStringLiteral("%1: %2").arg(sourcePath, sourceFile.errorString()));
    } else {
        QStringList parseErrors;
        const QList<HelpSourceTopic> topics =
            ParseHelpSource(QString::fromUtf8(sourceFile.readAll()), &parseErrors);
        for (const QString& e : parseErrors)
            problems.append(QStringLiteral("%1: %2").arg(sourcePath, e));
        if (problems.isEmpty()) {
            const QDir dir(folder);
            const auto write = [&](const QString& name, const QByteArray& bytes) {
                const QString path = dir.filePath(name);
                const QString reason = setup::ReplaceFile(path, bytes);
                if (!reason.isNull())
                    problems.append(QStringLiteral("%1: %2").arg(path, reason));
            };
            for (const HelpGroupFiles& g : BuildHelpFiles(topics)) {
                write(HelpTextFileName(g.group), g.text);
                write(HelpIndexFileName(g.group), g.index);
            }
        }
    }
    if (errors)
        errors->append(problems);
    return problems.isEmpty();
}

} // namespace help
