// Put Setup's follow-up when the new values cannot all be kept: a baud-rate
// field without a rate, and a settings file that cannot be written.

#include "link/CommControl.h"
#include "mainmenu/SetupTransfer.h"
#include "support/GetPutKit.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace mainmenu;
using emu::LoadSampleImage;

namespace {

QByteArray SettingsFileBytes()
{
    QFile f(meterlink::SettingsFilePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstGetPutPutSettings : public QObject {
    Q_OBJECT

private slots:
    // Code 7 names no rate: the program keeps its rate and says so; the
    // address is unchanged too, so the file stays as it was.
    void baudCodeWithoutRate()
    {
        emu::CounterBench bench(5, '1');
        QVERIFY(bench.started);
        const QByteArray before = SettingsFileBytes();
        LoadSampleImage("70", "21");
        const TransferOutcome out = PutSetup();
        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(bench.messages.shown.size(), 1);
        QVERIFY2(bench.messages.shown[0].text.contains("9600 baud"),
                 qPrintable(bench.messages.shown[0].text));
        QCOMPARE(meterlink::BaudIndex, 5);
        QCOMPARE(meterlink::Commx().Settings(), QStringLiteral("9600,n,8,1"));
        QCOMPARE(bench.line.programBaud(), 9600);
        QCOMPARE(meterlink::MeterAddr, QStringLiteral("1"));
        QCOMPARE(SettingsFileBytes(), before);
    }

    // The file cannot be replaced: a message, and the link follows anyway.
    void settingsFileNotWritable()
    {
        emu::CounterBench bench(5, '1');
        QVERIFY(bench.started);
        const QString path = meterlink::SettingsFilePath();
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path)); // a folder in the file's place
        LoadSampleImage("30", "22"); // 2400 baud, address 2
        const TransferOutcome out = PutSetup();
        QVERIFY(QDir().rmdir(path));
        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(bench.messages.shown.size(), 1);
        QVERIFY2(bench.messages.shown[0].text.contains("Settings.SSS"),
                 qPrintable(bench.messages.shown[0].text));
        QCOMPARE(meterlink::BaudIndex, 3);
        QCOMPARE(bench.line.programBaud(), 2400);
        QCOMPARE(meterlink::MeterAddr, QStringLiteral("2"));
        QCOMPARE(meterlink::SettingsLine.mid(1, 1), QStringLiteral("3"));
        QCOMPARE(meterlink::SettingsLine.mid(7, 1), QStringLiteral("2"));
    }
};

QTEST_MAIN(TstGetPutPutSettings)
#include "tst_getput_putsettings.moc"
