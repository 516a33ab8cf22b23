// What the commands and readings windows do without a window: the split of
// an "All Active" answer, the item-3 rule, the record terminators, the
// framing of the readings stream and what the list shows of a record.

#include "link/Link.h"
#include "live/Commands.h"
#include "live/Readings.h"
#include "setup/FieldMap.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace live;

namespace {

QString Items(bool withPeak, const QString& reply)
{
    SplitActiveItems(reply, withPeak);
    return QStringList{ActiveItems[1], ActiveItems[2], ActiveItems[3], ActiveItems[4]}.join('|');
}

// The default-like image with the fields the framing reads.
void Image(int lf, int tranChars, int tranStop, int tranStart, int revision)
{
    setup::SetupB = QString(68, u'0');
    setup::SetupChars = QString(16, u'0');
    setup::WriteRaw(setup::field::LF, lf);
    setup::WriteRaw(setup::field::TranChars, tranChars);
    setup::WriteRaw(setup::field::TranStop, tranStop);
    setup::WriteRaw(setup::field::TranStart, tranStart);
    meterlink::MeterRevision = revision;
}

QString Codes(const QString& s)
{
    QStringList out;
    for (QChar c : s)
        out << QString::number(c.unicode());
    return out.join(',');
}

} // namespace

class TstLiveFraming : public QObject {
    Q_OBJECT

private slots:
    void splitActiveItems_data()
    {
        QTest::addColumn<bool>("withPeak");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("items"); // 1|2|3|4
        QTest::newRow("15 characters, one split at the minus")
            << false << " 1234-0056 0012" << " 1234|-0056 0012||";
        QTest::newRow("under 10: all item 1") << false << " 12345" << " 12345|||";
        QTest::newRow("under 10 with peak: all peak") << true << " 12345" << "||| 12345";
        QTest::newRow("three items") << false << " 11111111 22222222-33333333"
                                     << " 11111111| 22222222|-33333333|";
        QTest::newRow("three items and peak") << true << " 1111111 2222222 3333333 4444444"
                                              << " 1111111| 2222222| 3333333| 4444444";
        // 40 characters and more: more pieces than places.
        QTest::newRow("40 characters, no peak")
            << false << " 1111111 2222222 3333333 4444444 5555555"
            << " 1111111| 2222222| 3333333| 4444444";
        QTest::newRow("55 characters with peak: the last piece is the peak")
            << true << " 1111111 2222222 3333333 4444444 5555555 6666666-777777"
            << " 1111111| 2222222| 3333333| 6666666-777777";
        QTest::newRow("no separators at all") << false << "123456789012345678901" << "123456789012345678901|||";
    }
    void splitActiveItems()
    {
        QFETCH(bool, withPeak);
        QFETCH(QString, reply);
        QFETCH(QString, items);
        QCOMPARE(Items(withPeak, reply), items);
        QVERIFY(ActiveItems[0].isEmpty());
    }

    void item3Rule()
    {
        QVERIFY(Item3InUse(1, 2));   // Batch
        QVERIFY(Item3InUse(4, 11) && Item3InUse(4, 14));
        QVERIFY(Item3InUse(0, 15));
        QVERIFY(!Item3InUse(3, 15));
        QVERIFY(!Item3InUse(12, 1)); // Quadrature Rate
        QVERIFY(!Item3InUse(0, 10));
    }

    void terminators_data()
    {
        QTest::addColumn<int>("lf");
        QTest::addColumn<int>("tranChars");
        QTest::addColumn<int>("stop");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("t1"); // codes
        QTest::addColumn<QString>("t2");
        QTest::newRow("CR") << 0 << 0 << 3 << 2 << 46 << "13" << "0";
        QTest::newRow("LF") << 1 << 0 << 3 << 2 << 46 << "10" << "0";
        QTest::newRow("ETX/STX") << 0 << 1 << 3 << 2 << 46 << "3" << "2";
        QTest::newRow("older meter ignores them") << 1 << 1 << 3 << 2 << 34 << "10" << "0";
        QTest::newRow("revision 35 takes them") << 0 << 1 << 3 << 2 << 35 << "3" << "2";
        QTest::newRow("stop 0: start ends records") << 0 << 1 << 0 << 2 << 46 << "2" << "";
        QTest::newRow("both 0") << 0 << 1 << 0 << 0 << 46 << "0" << "";
    }
    void terminators()
    {
        QFETCH(int, lf);
        QFETCH(int, tranChars);
        QFETCH(int, stop);
        QFETCH(int, start);
        QFETCH(int, revision);
        QFETCH(QString, t1);
        QFETCH(QString, t2);
        Image(lf, tranChars, stop, start, revision);
        SetRecordTerminators();
        QCOMPARE(Codes(Terminator1), t1);
        QCOMPARE(Codes(Terminator2), t2);
    }

    // The list's framing, fed in chunks as the port delivers them.
    void framing()
    {
        RecordFramer f(true, true);
        f.Start(QChar(13));
        auto cut = f.Feed("34\r 0001");         // the fragment goes
        QVERIFY(cut.records.isEmpty() && !cut.sample);
        cut = f.Feed("2.5\r 00");                // the first whole record sizes
        QCOMPARE(cut.sample.value_or("none"), " 00012.5p");
        QVERIFY(cut.records.isEmpty());
        cut = f.Feed(QString("13.1") + QChar(0) + "\r 14\r 1"); // NUL dropped, varying lengths
        QCOMPARE(cut.records, QStringList({" 0013.1\r", " 14\r"}));
        QCOMPARE(f.RdgBuf(), " 1");
        cut = f.Feed("5.25");
        QVERIFY(cut.records.isEmpty());
        cut = f.Feed("\r");                     // a terminator on its own
        QCOMPARE(cut.records, QStringList({" 15.25\r"}));
        QVERIFY(f.RdgBuf().isEmpty());

        // After a pause the stream is joined afresh, without a new sample.
        f.Rejoin();
        cut = f.Feed("99\r 16\r");
        QCOMPARE(cut.records, QStringList({" 16\r"}));
        QVERIFY(!cut.sample);

        // Plot and graph: no sizing, records without their terminator.
        RecordFramer plot(false, false);
        plot.Start(QChar(10));
        QCOMPARE(plot.Feed("x\n 1\n 2\n").records, QStringList({" 1", " 2"}));
    }

    // A meter that never sends the terminator cannot fill memory.
    void framingBounded()
    {
        RecordFramer f(true, true);
        f.Start(QChar(13));
        const QString junk(4096, u'7');
        for (int i = 0; i < 20; ++i)
            f.Feed(junk);
        QVERIFY(f.RdgBuf().size() <= RecordFramer::MaxPending);
        // What follows is joined like a fresh stream.
        f.Feed("\r 1\r 2\r");
        QCOMPARE(f.Feed(" 3\r").records, QStringList({" 3\r"}));

        RecordFramer nul(true, false);
        nul.Start(QChar(0)); // a terminator the port discards: nothing is ever cut
        QVERIFY(nul.Feed(QString(" 1") + QChar(0) + " 2" + QChar(0)).records.isEmpty());
    }

    void listText()
    {
        Image(0, 1, 3, 2, 46);
        SetRecordTerminators();
        QCOMPARE(ListRecordText(QString(QChar(2)) + "123" + QChar(3), 1), "t123p");
        Image(0, 1, 3, 't', 46); // a start character that is itself "t"
        SetRecordTerminators();
        QCOMPARE(ListRecordText("t12" + QString(QChar(3)), 1), "t12p");
        Image(0, 1, 0, 2, 46);   // cut at the start character: no "t"
        SetRecordTerminators();
        QCOMPARE(ListRecordText("123" + QString(QChar(2)), 1), "123p");
        Image(0, 1, 3, 2, 34);   // older meter: the CR shows as "p"
        SetRecordTerminators();
        QCOMPARE(ListRecordText(" 123\r", 1), " 123p");
        Image(0, 0, 3, 2, 46);
        SetRecordTerminators();
        QCOMPARE(ListRecordText(" 123\r", 0), " 123");
    }
};

QTEST_GUILESS_MAIN(TstLiveFraming)
#include "tst_live_framing.moc"
