#include "link/SettingsLine.h"

#include "setup/Conventions.h"

#include <algorithm>
#include <limits>

namespace meterlink {

namespace {

QChar charAt(const QString& line, int pos)
{
    return pos <= line.size() ? line.at(pos - 1) : QChar(u'0');
}

QString charsAt(const QString& line, int pos, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += charAt(line, pos + i);
    return s;
}

int valueOf(const QString& text)
{
    const qint64 v = setup::RoundHalfEven(setup::Val(text));
    return int(std::clamp<qint64>(v, std::numeric_limits<qint16>::min(),
                                  std::numeric_limits<qint16>::max()));
}

QString withChar(QString line, int pos, QChar c)
{
    while (line.size() < pos)
        line += u'0';
    line[pos - 1] = c;
    return line;
}

} // namespace

QString ReadSettingsField(const QByteArray& content)
{
    const QString text = QString::fromLatin1(content);
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
    QString field;
    if (i < n && text.at(i) == u'"') {
        for (++i; i < n && text.at(i) != u'"' && !isLineEnd(text.at(i)); ++i)
            field += text.at(i);
        return field;
    }
    for (; i < n && text.at(i) != u',' && !isLineEnd(text.at(i)); ++i)
        field += text.at(i);
    return field;
}

QString NormaliseSettingsLine(const QString& line)
{
    QString s = line;
    if (s.size() == 17)
        s += QStringLiteral("10000");
    if (s.size() < 22)
        s = (s + QStringLiteral("000000")).left(22);
    return s;
}

DecodedSettings DecodeSettingsLine(const QString& line)
{
    DecodedSettings d;
    d.commPortNo = valueOf(charsAt(line, 3, 2));
    d.baudChar = charAt(line, 2);
    const qsizetype b = QStringLiteral("0123456").indexOf(d.baudChar);
    d.baudIndex = b < 0 ? -1 : int(b);
    d.meterAddr = QString(charAt(line, 8));
    d.rs485Mode = valueOf(charsAt(line, 12, 1));
    d.meterAddrValue = MeterAddrValueOf(d.meterAddr.at(0));
    d.autoOpenPort = valueOf(charsAt(line, 16, 1));
    d.meterRevision = valueOf(charsAt(line, 13, 3));
    return d;
}

int CharTimeMsFor(int baudIndex)
{
    static constexpr int rates[] = {300, 600, 1200, 2400, 4800, 9600, 19200};
    if (baudIndex < 0 || baudIndex > 6)
        return 0;
    return int(setup::RoundHalfEven(10000.0 / rates[baudIndex]));
}

int MeterAddrValueOf(QChar c)
{
    const int code = c.unicode();
    return code < 'A' ? code - 48 : code - 55;
}

QChar MeterAddrCharOf(int value)
{
    if (value < 0 || value > 31)
        return QChar();
    return QChar(value < 10 ? value + 48 : value + 55);
}

QString SettingsLineWithBaud(const QString& line, int baudIndex)
{
    return withChar(line, 2, QChar(u'0' + baudIndex));
}

QString SettingsLineWithAddress(const QString& line, int addrValue)
{
    return withChar(line, 8, MeterAddrCharOf(addrValue));
}

QByteArray SettingsFileContent(const QString& line)
{
    const bool quote = !line.contains(u'"')
        && (line.contains(u',') || line.startsWith(u' ') || line.startsWith(u'\t'));
    QByteArray out = line.toLatin1();
    if (quote)
        out = '"' + out + '"';
    return out + "\r\n";
}

} // namespace meterlink
