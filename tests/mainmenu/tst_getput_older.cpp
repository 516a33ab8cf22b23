// Get Setup from meters whose characters are rebuilt from block B and written back.

#include "support/GetPutKit.h"

using namespace mainmenu;

class TstGetPutOlder : public QObject {
    Q_OBJECT

private slots:
    void rebuilt_data()
    {
        QTest::addColumn<QString>("revisionB");
        QTest::addColumn<QString>("blockC"); // as the meter answers it
        QTest::addColumn<QString>("newChars");
        QTest::addColumn<int>("revision");
        QTest::newRow("type 1, RevisionB 40")
            << "28" << "2A010A000D000A00" << "28030A000D000A00" << 40;
        QTest::newRow("counter rev 32, RevisionB 20")
            << "14" << "20030D0008000D00" << "22030D0008000D00" << 34;
        QTest::newRow("block C short, as rev 35") << "00" << "23030D00" << "22030D0008000D00" << 34;
    }
    void rebuilt()
    {
        QFETCH(QString, revisionB);
        QFETCH(QString, blockC);
        QFETCH(QString, newChars);
        QFETCH(int, revision);
        emu::CounterImage img = emu::SampleCounterImage();
        img.b.replace(4, 2, revisionB.toLatin1());
        img.chars = blockC.toLatin1();
        emu::CounterBench bench(img);

        QCOMPARE(int(GetSetup().result), int(TransferResult::Done));
        QCOMPARE(bench.commands().join(' '), "XR1AZ XH2BZ X46DZ W46D G130 G128");
        QCOMPARE(bench.line.frames()[3].command, "W46D" + newChars.toLatin1());
        QCOMPARE(setup::SetupChars, newChars);
        QCOMPARE(meterlink::MeterRevision, revision);
        const QString b = QString::fromLatin1(img.b).replace(4, 2, newChars.left(2));
        QCOMPARE(setup::SetupB, QString(b).replace(56, 2, "C0") + newChars); // "G130" at 57
    }
};

QTEST_MAIN(TstGetPutOlder)
#include "tst_getput_older.moc"
