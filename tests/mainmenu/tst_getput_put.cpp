// Put Setup: the writes, then the meter's new rate and address followed.

#include "support/GetPutKit.h"

using namespace mainmenu;

class TstGetPutPut : public QObject {
    Q_OBJECT

private slots:
    void putFollowsMeter_data()
    {
        QTest::addColumn<QString>("bytes"); // the image's address and baud rate
        QTest::addColumn<bool>("fileBlocked");
        QTest::addColumn<QString>("message"); // part of the one message expected
        QTest::addColumn<int>("rate");
        QTest::addColumn<char>("address");
        QTest::newRow("new rate and address") << "2C40" << false << "" << 4800 << 'C';
        QTest::newRow("code 7 names no rate") << "2170" << false << "9600 baud" << 9600 << '1';
        QTest::newRow("settings file blocked") << "2230" << true << "Settings.SSS" << 2400 << '2';
    }
    void putFollowsMeter()
    {
        QFETCH(QString, bytes);
        QFETCH(bool, fileBlocked);
        QFETCH(QString, message);
        QFETCH(int, rate);
        QFETCH(char, address);
        emu::CounterBench bench; // 9600 baud, address 1
        const QString settings = meterlink::SettingsFilePath();
        QVERIFY(!fileBlocked || (QFile::remove(settings) && QDir().mkdir(settings)));
        emu::LoadSampleImage(bytes);
        const TransferOutcome out = PutSetup();
        QCOMPARE(out.statusText, "Putting data to the Counter.  Data Transferred O.K.");
        QCOMPARE(bench.messages.size(), qsizetype(!message.isEmpty()));
        QVERIFY(message.isEmpty() || bench.messages[0].text.contains(message));

        // The writes, 2 s apart, at the old rate and address; then the new ones.
        const auto frames = bench.line.frames();
        QCOMPARE(frames.size(), size_t(3));
        QCOMPARE(frames[0].command + ' ' + frames[1].command + ' ' + frames[2].command,
                 QString("WR1A" + setup::SetupA + " W46D" + setup::SetupChars + " WG2A"
                         + setup::SetupB.mid(4, 64)).toLatin1());
        QVERIFY(frames[2].address == '1' && frames[2].programBaud == 9600);
        QVERIFY(frames[1].ms - frames[0].ms >= 2000);
        QCOMPARE(bench.line.programBaud(), rate);
        bench.line.setAddress(address);
        meterlink::Cmd = "*" + meterlink::MeterAddr + "G130";
        meterlink::SendCommand();
        meterlink::ReceiveReply();
        QCOMPARE(meterlink::Reply, "C0");

        if (!fileBlocked) { // start-up reads both back
            meterlink::Main();
            QCOMPARE(meterlink::MeterAddr, QString(QChar(address)));
            QCOMPARE(bench.line.programBaud(), rate);
        }
    }
};

QTEST_MAIN(TstGetPutPut)
#include "tst_getput_put.moc"
