// Get Setup from a counter of revision 35 or later.

#include "support/GetPutKit.h"

using namespace mainmenu;

class TstGetPutCounter : public QObject {
    Q_OBJECT

private slots:
    void getFromCounter_data()
    {
        QTest::addColumn<QByteArray>("features"); // empty: "G130" and "G128" break off
        QTest::newRow("extended") << QByteArray("80");
        QTest::newRow("basic: custom curve cleared") << QByteArray("7F");
        QTest::newRow("registers fail: no stale Reply") << QByteArray();
    }
    void getFromCounter()
    {
        QFETCH(QByteArray, features);
        emu::CounterImage img = emu::SampleCounterImage();
        img.features = features;
        emu::CounterBench bench(img);
        if (features.isEmpty()) { // a piece left in Reply; "Z" ends the wait after "G130"
            bench.line.on("G130", emu::Response::Pieces({"C0", "Z"}, 700));
            bench.line.on("G128", emu::Response::Raw("80"));
        }
        const bool extended = features == "80";
        setup::ExtendedMode = !extended;

        TransferOutcome second;
        const int beeps = platform::BeepCount();
        QTimer::singleShot(200, [&] { second = PutSetup(); });
        const TransferOutcome out = GetSetup();
        QVERIFY(second.result == TransferResult::Busy && platform::BeepCount() == beeps + 1);
        QCOMPARE(out.statusText, "Getting data from the Counter.  Data received O.K.");
        QVERIFY(out.enableCmds && out.enableView && out.enablePut && SetupLoaded);
        QCOMPARE(bench.commands().join(' '), "XR1AZ XH2BZ X46DZ G130 G128");
        QCOMPARE(setup::SetupA + setup::SetupChars, QString::fromLatin1(img.a + img.chars));
        QCOMPARE(meterlink::MeterRevision, 35);
        QCOMPARE(setup::ExtendedMode, int(extended));
        // Position 57 from "G130", custom curve (49 bits 3-2) kept only when extended.
        QCOMPARE(setup::SetupB, QString::fromLatin1(img.b)
                                    .replace(56, 2, features.isEmpty() ? "69" : "C0")
                                    .replace(48, 2, extended ? "24" : "20"));
    }
};

QTEST_MAIN(TstGetPutCounter)
#include "tst_getput_counter.moc"
