// Put Setup against the meter on a pseudo-terminal: the three writes in
// order, a new baud rate and meter address followed into the port, the
// link and "Settings.SSS" (and read back by start-up), display mode C and
// an incomplete image sending nothing, and a hang-up during the writes.

#include "link/CommControl.h"
#include "link/Exchange.h"
#include "mainmenu/SetupTransfer.h"
#include "support/GetPutKit.h"

#include <QFile>
#include <QtTest>

using namespace mainmenu;
using emu::LoadSampleImage;
using emu::Response;

namespace {

QString SettingsFileLine()
{
    QFile f(meterlink::SettingsFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.readLine()).trimmed();
}

} // namespace

class TstGetPutPut : public QObject {
    Q_OBJECT

private slots:
    void newBaudAndAddressFollowed()
    {
        emu::CounterBench bench(5, '1'); // 9600 baud, address 1
        QVERIFY(bench.started);
        LoadSampleImage("40", "2C"); // 4800 baud, address 12
        QStringList shown;
        const TransferOutcome out =
            PutSetup([&](const QString& text, quint32) { shown << text; });

        QCOMPARE(shown, QStringList{"Putting data to the Counter."});
        QCOMPARE(int(out.result), int(TransferResult::Done));
        QCOMPARE(out.statusText,
                 QStringLiteral("Putting data to the Counter.  Data Transferred O.K."));
        QCOMPARE(out.statusColor, setup::ColorGreen);
        QVERIFY(!out.enableCmds && !out.enableView && !out.enablePut);
        QVERIFY(bench.messages.shown.isEmpty());

        // The writes, all at the old rate and address.
        const auto frames = bench.line.frames();
        QCOMPARE(bench.commands(), (QStringList{"WR1A", "W46D", "WG2A"}));
        QCOMPARE(frames[0].command, "WR1A" + setup::SetupA.toLatin1());
        QCOMPARE(frames[1].command, "W46D" + setup::SetupChars.toLatin1());
        QCOMPARE(frames[2].command, "WG2A" + setup::SetupB.mid(4, 64).toLatin1());
        for (const auto& f : frames) {
            QCOMPARE(f.address, '1');
            QCOMPARE(f.programBaud, 9600);
        }
        QVERIFY(frames[1].ms - frames[0].ms >= 2000);
        QCOMPARE(QString::fromLatin1(bench.meter.image().b), setup::SetupB);

        // The program follows the meter.
        QCOMPARE(bench.line.programBaud(), 4800);
        QCOMPARE(meterlink::BaudIndex, 4);
        QCOMPARE(meterlink::CharTimeMs, 2);
        QCOMPARE(meterlink::MeterAddr, QStringLiteral("C"));
        QCOMPARE(meterlink::MeterAddrValue, 12);
        const QString line = SettingsFileLine();
        QCOMPARE(line.mid(1, 1), QStringLiteral("4"));
        QCOMPARE(line.mid(7, 1), QStringLiteral("C"));
        QCOMPARE(line, meterlink::SettingsLine);

        bench.line.setAddress('C');
        meterlink::Cmd = QStringLiteral("*") + meterlink::MeterAddr + QStringLiteral("G130");
        meterlink::SendCommand();
        meterlink::ReceiveReply();
        QCOMPARE(meterlink::CommStatus, 0);
        QCOMPARE(meterlink::Reply, QStringLiteral("C0"));
        QCOMPARE(bench.line.frames().back().address, 'C');
        QCOMPARE(bench.line.frames().back().programBaud, 4800);

        // The next start reads both back.
        meterlink::Main();
        QCOMPARE(meterlink::BaudIndex, 4);
        QCOMPARE(meterlink::MeterAddr, QStringLiteral("C"));
        QCOMPARE(meterlink::MeterAddrValue, 12);
        QVERIFY(meterlink::Commx().PortOpen());
        QCOMPARE(bench.line.programBaud(), 4800);
    }

    void nothingSent_data()
    {
        QTest::addColumn<QString>("byte49");
        QTest::addColumn<bool>("withChars");
        QTest::addColumn<QString>("title"); // empty: the program's own
        QTest::addColumn<QString>("text");
        QTest::newRow("display mode C")
            << "C4" << true << "Error"
            << "Cannot 'Put' data for display mode 'C' or 'Get' data when meter is in display "
               "mode 'C'.  Change to another display mode for data transfer. ";
        QTest::newRow("no characters")
            << "24" << false << ""
            << "The setup data is incomplete, so nothing was sent to the Counter. Load a setup "
               "first.";
    }
    void nothingSent()
    {
        QFETCH(QString, byte49);
        QFETCH(bool, withChars);
        QFETCH(QString, title);
        QFETCH(QString, text);
        emu::CounterBench bench;
        QVERIFY(bench.started);
        LoadSampleImage("40", "2C");
        setup::SetupB.replace(48, 2, byte49);
        if (!withChars)
            setup::SetupChars.clear();
        int shown = 0;
        const TransferOutcome out = PutSetup([&](const QString&, quint32) { ++shown; });
        QCOMPARE(int(out.result), int(TransferResult::Blocked));
        QVERIFY(!out.showStatus);
        QCOMPARE(shown, 0);
        QCOMPARE(bench.messages.shown.size(), 1);
        QCOMPARE(bench.messages.shown[0].title, title.isEmpty() ? platform::ProgramTitle() : title);
        QCOMPARE(bench.messages.shown[0].text, text);
        QCOMPARE(int(bench.messages.shown[0].icon), int(platform::MsgIcon::Exclamation));
        QTest::qWait(150); // a frame would have reached the meter by now
        QVERIFY(bench.line.frames().empty());
        QCOMPARE(meterlink::BaudIndex, 5);
    }

    void hangUpDuringPutFails()
    {
        emu::CounterBench bench;
        QVERIFY(bench.started);
        LoadSampleImage("40", "2C");
        bench.line.on("W46D", Response::HangUp());
        const TransferOutcome out = PutSetup();
        QCOMPARE(int(out.result), int(TransferResult::Failed));
        QCOMPARE(out.statusText,
                 QStringLiteral("Data transfer unsuccessful. Check connections and try again."));
        QCOMPARE(out.statusColor, setup::ColorRed);
        QCOMPARE(bench.commands(), (QStringList{"WR1A", "W46D"}));
        // Neither the rate nor the address was followed.
        QCOMPARE(meterlink::BaudIndex, 5);
        QCOMPARE(meterlink::MeterAddr, QStringLiteral("1"));
        QCOMPARE(SettingsFileLine().mid(7, 1), QStringLiteral("1"));
    }
};

QTEST_MAIN(TstGetPutPut)
#include "tst_getput_put.moc"
