// Get Setup from meters that are not counters of revision 35 or later, and
// from meters whose block C does not come whole: the characters rebuilt
// from block B, written back with "W46D" and appended to SetupB. Also the
// program ending in the middle of a Get.

#include "link/Exchange.h"
#include "mainmenu/SetupTransfer.h"
#include "support/GetPutKit.h"

#include <QTimer>
#include <QtTest>

using namespace mainmenu;
using emu::Response;

namespace {

// The sample counter's block B with another RevisionB (position 5).
QByteArray BlockBWithRevision(const QByteArray& revisionHex)
{
    QByteArray b = emu::SampleCounterImage().b;
    b.replace(4, 2, revisionHex);
    return b;
}

} // namespace

class TstGetPutOlder : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { meterlink::SetQuitting(false); }

    void rebuilt_data()
    {
        QTest::addColumn<QByteArray>("revisionB");
        QTest::addColumn<QByteArray>("chars"); // block C as the meter answers it
        QTest::addColumn<QString>("newChars");
        QTest::addColumn<QString>("newRevisionB");
        QTest::addColumn<int>("revision");
        QTest::addColumn<int>("type");
        QTest::newRow("type 1, RevisionB 40") << QByteArray("28") << QByteArray("2A010A000D000A00")
                                              << "28030A000D000A00" << "28" << 40 << 1;
        QTest::newRow("counter rev 32, RevisionB 20")
            << QByteArray("14") << QByteArray("20030D0008000D00") << "22030D0008000D00" << "22"
            << 34 << 3;
    }
    void rebuilt()
    {
        QFETCH(QByteArray, revisionB);
        QFETCH(QByteArray, chars);
        QFETCH(QString, newChars);
        QFETCH(QString, newRevisionB);
        QFETCH(int, revision);
        QFETCH(int, type);
        emu::CounterBench bench;
        QVERIFY(bench.started);
        emu::CounterImage img = bench.meter.image();
        img.b = BlockBWithRevision(revisionB);
        img.chars = chars;
        bench.meter.setImage(img);

        const TransferOutcome out = GetSetup();
        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(bench.commands(),
                 (QStringList{"XR1AZ", "XH2BZ", "X46DZ", "W46D", "G130", "G128"}));
        QCOMPARE(bench.frameFor("W46D"), "W46D" + newChars.toLatin1());
        QCOMPARE(QString::fromLatin1(bench.meter.image().chars), newChars);
        QCOMPARE(setup::SetupChars, newChars);
        QCOMPARE(meterlink::MeterRevision, revision);
        QCOMPARE(meterlink::MeterType, type);
        QCOMPARE(setup::SetupB.size(), 84);
        QCOMPARE(setup::SetupB.mid(4, 2), newRevisionB);
        QCOMPARE(setup::SetupB.mid(68), newChars);
        QString b = QString::fromLatin1(img.b);
        b.replace(4, 2, newRevisionB);
        b.replace(56, 2, QString::fromLatin1(img.optionByte));
        QCOMPARE(setup::SetupB.left(68), b);
        QCOMPARE(setup::SetupA, QString::fromLatin1(img.a));
    }

    // Block C that does not come as 16 hex digits is never taken, whatever
    // Reply holds; the rebuild starts from revision 0, type 0 and the
    // default characters.
    void blockCNotWhole_data()
    {
        QTest::addColumn<QByteArray>("revisionB");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("newChars");
        QTest::newRow("no answer, RevisionB 40")
            << QByteArray("28") << true << "28030D0008000D00";
        QTest::newRow("short answer reading as a new counter, RevisionB 0")
            << QByteArray("00") << false << "22030D0008000D00";
    }
    void blockCNotWhole()
    {
        QFETCH(QByteArray, revisionB);
        QFETCH(bool, silent);
        QFETCH(QString, newChars);
        emu::CounterBench bench;
        QVERIFY(bench.started);
        emu::CounterImage img = bench.meter.image();
        img.b = BlockBWithRevision(revisionB);
        bench.meter.setImage(img);
        bench.line.on("X46DZ", silent ? Response::Silence() : Response::Text("25030D00"));

        const TransferOutcome out = GetSetup();
        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(setup::SetupChars, newChars);
        QCOMPARE(bench.frameFor("W46D"), "W46D" + newChars.toLatin1());
        QCOMPARE(setup::SetupB.size(), 84);
    }

    void endingMidGetStopsQuietly()
    {
        emu::CounterBench bench;
        QVERIFY(bench.started);
        setup::SetupA = QString(108, '0');
        int shown = 0;
        QTimer::singleShot(300, [] { meterlink::RequestQuit(); });
        const TransferOutcome out = GetSetup([&](const QString&, quint32) { ++shown; });
        QCOMPARE(int(out.result), int(TransferResult::Stopped));
        QVERIFY(!out.showStatus);
        QVERIFY(!out.enableCmds && !out.enableView && !out.enablePut);
        QCOMPARE(shown, 1);
        QCOMPARE(bench.commands(), QStringList{"XR1AZ"});
        QCOMPARE(setup::SetupA, QString(108, '0'));
        QVERIFY(!SetupLoaded);
    }
};

QTEST_MAIN(TstGetPutOlder)
#include "tst_getput_older.moc"
