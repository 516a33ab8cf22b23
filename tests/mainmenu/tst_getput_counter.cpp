// Get Setup from a counter of revision 35 or later against the meter on a
// pseudo-terminal: the image as the meter holds it, the frames in order,
// the option-board byte and the feature register, replies that must not be
// taken, and a second transfer refused while one runs.

#include "link/Exchange.h"
#include "mainmenu/SetupTransfer.h"
#include "support/GetPutKit.h"

#include <QTimer>
#include <QtTest>

using namespace mainmenu;
using emu::Response;

class TstGetPutCounter : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { meterlink::SetQuitting(false); }

    void counterImageAsHeld()
    {
        emu::CounterBench bench;
        QVERIFY(bench.started);
        const emu::CounterImage img = bench.meter.image();
        setup::ExtendedMode = 0;

        QStringList shownMeanwhile;
        TransferOutcome second;
        const int beeps = platform::BeepCount();
        QTimer::singleShot(200, [&] { second = PutSetup(); });
        const TransferOutcome out =
            GetSetup([&](const QString& text, quint32 color) {
                shownMeanwhile << text;
                QCOMPARE(color, setup::ColorGreen);
            });

        QCOMPARE(shownMeanwhile, QStringList{"Getting data from the Counter"});
        QCOMPARE(int(second.result), int(TransferResult::Busy));
        QCOMPARE(platform::BeepCount(), beeps + 1);

        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(out.statusText,
                 QStringLiteral("Getting data from the Counter.  Data received O.K."));
        QCOMPARE(out.statusColor, setup::ColorGreen);
        QVERIFY(out.enableCmds && out.enableView && out.enablePut);
        QVERIFY(SetupLoaded);

        QCOMPARE(bench.commands(),
                 (QStringList{"XR1AZ", "XH2BZ", "X46DZ", "G130", "G128"}));
        for (const auto& f : bench.line.frames())
            QCOMPARE(f.address, '1');

        QCOMPARE(setup::SetupA, QString::fromLatin1(img.a));
        QString b = QString::fromLatin1(img.b);
        b.replace(56, 2, QString::fromLatin1(img.optionByte)); // "G130" laid over 57-58
        QCOMPARE(setup::SetupB, b);
        QCOMPARE(setup::SetupB.size(), 68);
        QCOMPARE(setup::SetupChars, QString::fromLatin1(img.chars));
        QCOMPARE(meterlink::MeterType, 3);
        QCOMPARE(meterlink::MeterRevision, 0x25);
        QCOMPARE(setup::ExtendedMode, 1);
        QCOMPARE(setup::GetSetupBits(3, 2, 49), 1); // custom curve kept
        QVERIFY(bench.messages.shown.isEmpty());
    }

    // The option-board byte and the feature register, including exchanges
    // that fail: a failed one counts as an empty reply, never as the piece
    // it left in Reply nor the reply of the command before it.
    void registers_data()
    {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QByteArray>("features");
        QTest::addColumn<QString>("byte57");
        QTest::addColumn<int>("extended");
        QTest::addColumn<int>("cusCrv");
        QTest::newRow("G128 7F: basic meter") << true << QByteArray("7F") << "C0" << 0 << 0;
        QTest::newRow("both broken off") << false << QByteArray("80") << "69" << 0 << 0;
    }
    void registers()
    {
        QFETCH(bool, answered);
        QFETCH(QByteArray, features);
        QFETCH(QString, byte57);
        QFETCH(int, extended);
        QFETCH(int, cusCrv);
        emu::CounterBench bench;
        QVERIFY(bench.started);
        emu::CounterImage img = bench.meter.image();
        img.features = features;
        bench.meter.setImage(img);
        if (!answered) {
            // Each breaks off without its CR (status 5, the piece left in
            // Reply); "Z" comes later for the input wait after "G130".
            bench.line.on("G130", Response::Pieces({"C0", "Z"}, 700));
            bench.line.on("G128", Response::Raw("80"));
        }
        setup::ExtendedMode = 1 - extended;

        const TransferOutcome out = GetSetup();
        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(setup::SetupB.mid(56, 2), byte57);
        QCOMPARE(setup::ExtendedMode, extended);
        QCOMPARE(setup::GetSetupBits(3, 2, 49), cusCrv);
        QCOMPARE(setup::GetSetupBits(7, 4, 49), 2); // the rest of the byte stays
    }

    // Blocks A and B are taken only whole: anything else fails the Get and
    // leaves the image as it was.
    void blocksTakenWholeOnly_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply"); // empty: no answer at all
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("A short") << QByteArray("XR1AZ") << QByteArray(100, 'A')
                                 << QStringList{"XR1AZ"};
        QTest::newRow("A not hex") << QByteArray("XR1AZ") << QByteArray(107, '0') + 'G'
                                   << QStringList{"XR1AZ"};
        QTest::newRow("B long") << QByteArray("XH2BZ") << QByteArray(70, '1')
                                << QStringList{"XR1AZ", "XH2BZ"};
        QTest::newRow("B broken off") << QByteArray("XH2BZ") << QByteArray("0123")
                                      << QStringList{"XR1AZ", "XH2BZ"};
    }
    void blocksTakenWholeOnly()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, sent);
        emu::CounterBench bench;
        QVERIFY(bench.started);
        // "0123" without its CR breaks off; the others come whole.
        bench.line.on(command, reply == "0123" ? Response::Raw(reply) : Response::Text(reply));
        setup::SetupA = QString(108, '0');
        setup::SetupB = QString(68, '0');

        const TransferOutcome out = GetSetup();
        QCOMPARE(int(out.result), int(TransferResult::Failed));
        QCOMPARE(out.statusText,
                 QStringLiteral("Failed to Get data, check connections and restart program."));
        QCOMPARE(out.statusColor, setup::ColorRed);
        QVERIFY(!out.enableCmds && !out.enableView && !out.enablePut);
        QVERIFY(!SetupLoaded);
        QCOMPARE(setup::SetupA, QString(108, '0'));
        QCOMPARE(setup::SetupB, QString(68, '0'));
        QCOMPARE(bench.commands(), sent);
    }
};

QTEST_MAIN(TstGetPutCounter)
#include "tst_getput_counter.moc"
