#include "help/HelpFiles.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace help {

const QString NoHelpText = QStringLiteral("No help is available for this item.");

QByteArray EncodeHelpIndex(const HelpIndex& record)
{
    QByteArray bytes(HelpIndexSize, '\0');
    qToLittleEndian<qint32>(record.Offset, bytes.data());
    qToLittleEndian<qint16>(record.Length, bytes.data() + 4);
    return bytes;
}

HelpIndex DecodeHelpIndex(const HelpIndexBytes& bytes)
{
    HelpIndex record;
    record.Offset = qFromLittleEndian<qint32>(bytes.data());
    record.Length = qFromLittleEndian<qint16>(bytes.data() + 4);
    return record;
}

int HelpGroup(int topic)
{
    // Whole part toward minus infinity, so that negative topics never land in
    // a real group.
    return topic >= 0 ? topic / 100 : -((-topic + 99) / 100);
}

int HelpRecord(int topic)
{
    return topic - HelpGroup(topic) * 100;
}

bool HelpGroupHasFiles(int group)
{
    return group >= 10 && group <= 99;
}

QString HelpTextFileName(int group)
{
    return QStringLiteral("Help%1.S10").arg(group, 2, 10, QLatin1Char('0'));
}

QString HelpIndexFileName(int group)
{
    return QStringLiteral("Help%1.R10").arg(group, 2, 10, QLatin1Char('0'));
}

std::optional<QString> ReadHelpTopic(const QString& folder, int topic)
{
    const int group = HelpGroup(topic);
    const int record = HelpRecord(topic);
    if (!HelpGroupHasFiles(group) || record < 1)
        return std::nullopt;

    const QDir dir(folder);
    HelpIndex index;
    {
        QFile indexFile(dir.filePath(HelpIndexFileName(group)));
        if (!indexFile.open(QIODevice::ReadOnly))
            return std::nullopt;
        const qint64 at = qint64(HelpIndexSize) * (record - 1);
        if (at + HelpIndexSize > indexFile.size() || !indexFile.seek(at))
            return std::nullopt;
        HelpIndexBytes bytes;
        if (indexFile.read(bytes.data(), HelpIndexSize) != HelpIndexSize)
            return std::nullopt;
        index = DecodeHelpIndex(bytes);
    }
    if (index.Offset < 1 || index.Length < 1)
        return std::nullopt;

    QFile textFile(dir.filePath(HelpTextFileName(group)));
    if (!textFile.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 start = qint64(index.Offset) - 1;
    if (start + index.Length > textFile.size() || !textFile.seek(start))
        return std::nullopt;
    const QByteArray bytes = textFile.read(index.Length);
    if (bytes.size() != index.Length)
        return std::nullopt;
    return QString::fromLatin1(bytes);
}

QString HelpTopicText(const QString& folder, int topic)
{
    return ReadHelpTopic(folder, topic).value_or(NoHelpText);
}

QList<HelpRun> SplitEmphasis(const QString& text)
{
    QList<HelpRun> runs;
    int k = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype mark = text.indexOf(QLatin1Char('$'), from);
        if (mark < 0)
            break;
        k = 1 - k;
        runs.append({text.mid(from, mark - from), k == 0});
        from = mark + 1;
    }
    runs.append({text.mid(from), false});
    return runs;
}

QList<HelpLine> HelpTextLines(const QString& text, bool raw)
{
    const QList<HelpRun> runs = raw ? QList<HelpRun>{{text, false}} : SplitEmphasis(text);
    QList<HelpLine> lines(1);
    for (const HelpRun& run : runs) {
        const QString& t = run.text;
        qsizetype from = 0;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QChar c = t.at(i);
            if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
                continue;
            if (i > from)
                lines.last().append({t.mid(from, i - from), run.emphasised});
            lines.append(HelpLine());
            if (c == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n'))
                ++i;
            from = i + 1;
        }
        if (from < t.size())
            lines.last().append({t.mid(from), run.emphasised});
    }
    return lines;
}

QString PlainHelpText(const QString& text)
{
    QString plain = text;
    plain.replace(QLatin1Char('$'), QLatin1Char(' '));
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return plain;
}

} // namespace help
