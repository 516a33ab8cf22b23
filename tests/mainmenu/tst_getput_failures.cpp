// Transfers that fail or are refused: blocks A and B are taken only whole, a
// Put that loses the line follows nothing, a refused Put sends nothing.

#include "support/GetPutKit.h"

using namespace mainmenu;

class TstGetPutFailures : public QObject {
    Q_OBJECT

private slots:
    void transferFails_data()
    {
        QTest::addColumn<QByteArray>("command"); // "W...": a Put, the line hung up after it
        QTest::addColumn<QByteArray>("reply");   // the meter's bytes, exactly
        QTest::newRow("silent meter") << QByteArray("XR1AZ") << QByteArray();
        QTest::newRow("A not hex") << QByteArray("XR1AZ") << QByteArray(107, '0') + "G\r";
        QTest::newRow("B broken off") << QByteArray("XH2BZ") << QByteArray("0123");
        QTest::newRow("hang-up during Put") << QByteArray("W46D") << QByteArray();
    }
    void transferFails()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        const bool put = command.startsWith('W');
        emu::CounterBench bench;
        bench.line.on(command, put ? emu::Response::HangUp() : emu::Response::Raw(reply));
        emu::LoadSampleImage("2C40");
        setup::SetupA.fill('0'); // unlike the meter's
        const QString image = setup::SetupA + setup::SetupB;

        const TransferOutcome out = put ? PutSetup() : GetSetup();
        QCOMPARE(out.statusText,
                 put ? "Data transfer unsuccessful. Check connections and try again."
                     : "Failed to Get data, check connections and restart program.");
        QCOMPARE(out.statusColor, setup::ColorRed);
        QVERIFY(!out.enableCmds && !out.enableView && !out.enablePut);
        QCOMPARE(setup::SetupA + setup::SetupB, image);
        QCOMPARE(bench.line.frames().size(), size_t(command == "XR1AZ" ? 1 : 2));
        QCOMPARE(meterlink::BaudIndex, 5);
    }

    void putRefused_data()
    {
        QTest::addColumn<bool>("modeC"); // else the characters are missing
        QTest::addColumn<QString>("text"); // the message's beginning
        QTest::newRow("display mode C")
            << true << "Cannot 'Put' data for display mode 'C' or 'Get' data when meter is in "
                       "display mode 'C'.  Change to another display mode for data transfer. ";
        QTest::newRow("no characters") << false << "The setup data is incomplete";
    }
    void putRefused()
    {
        QFETCH(bool, modeC);
        QFETCH(QString, text);
        emu::CounterBench bench;
        emu::LoadSampleImage("2C40");
        modeC ? void(setup::SetupB.replace(48, 2, "C4")) : setup::SetupChars.clear();
        QCOMPARE(int(PutSetup().result), int(TransferResult::Blocked));
        QCOMPARE(bench.messages.size(), 1);
        QVERIFY2(bench.messages[0].text.startsWith(text), qPrintable(bench.messages[0].text));
        QCOMPARE(bench.messages[0].title, modeC ? "Error" : platform::ProgramTitle());
        QTest::qWait(150); // a frame would have reached the meter by now
        QVERIFY(bench.line.frames().empty());
    }
};

QTEST_MAIN(TstGetPutFailures)
#include "tst_getput_failures.moc"
