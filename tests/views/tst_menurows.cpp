// The menu view's rows, without the window: which items each setup shows,
// their keys and cells, the lock marks, the decimal points of the alarm and
// analog values, the help topics, and what building leaves in the image and
// in the shared values.

#include "setup/DefaultImage.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"
#include "views/MenuRows.h"
#include "support/ImageKit.h"

#include <QtTest>

using namespace views;
using namespace setup;
using namespace emu;

namespace {

void Number(int pos, const char* hex) { SetupA.replace(pos - 1, 6, QLatin1String(hex)); }

void Pair(int mode, int function) { Bits(7, 0, 63, mode * 16 + function); }

QStringList Keys(const MenuRows& v)
{
    QStringList keys;
    for (const MenuRow& r : v.rows)
        keys << r.key;
    return keys;
}

const MenuRow* Find(const MenuRows& v, const QString& key)
{
    for (const MenuRow& r : v.rows)
        if (r.key == key || r.key == key + '*')
            return &r;
    return nullptr;
}

// A row's cells, checked to exist.
QStringList Cells(const MenuRows& v, const QString& key)
{
    const MenuRow* r = Find(v, key);
    if (!r) {
        qWarning() << "no row" << key << "in" << Keys(v);
        return {};
    }
    return r->cells;
}

QStringList L(std::initializer_list<const char*> cells)
{
    QStringList out;
    for (const char* c : cells)
        out << QLatin1String(c);
    return out;
}

} // namespace

class TstMenuRows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTables(); }
    void init()
    {
        LoadDefault();
        EntryTimeFormat = 0;
        EntryDecPt = 1;
    }

    void defaultSetup()
    {
        const MenuRows v = BuildMenuRows();
        QCOMPARE(Keys(v),
                 QStringList({"  InPut", "  SEtuP", " ConFiG", " dSPyno", " GAtE t", " ti Out",
                              " FiLtEr", "  SLOPE", " DecPt1", " DecPt2", " SCALE1", " OFFSt1",
                              " SCALE2", " OFFSt2", " SourcE", " AL SEt", " dEUn1b", " dEUn2b",
                              " An SEt", "  An Lo", "  An Hi", "  SEr 1", "  SEr 2", "  SEr 3",
                              "  CALib", "  Loc 1", "  Loc 2", "  Loc 3", "  Loc 4"}));
        QCOMPARE(v.inputOptionName, " Dual Signal Conditioner");
        QCOMPARE(Cells(v, "  InPut"), L({" ", " ", " ", " r", " A", " t", " E"}));
        QCOMPARE(v.rows[0].overlay, L({" A", " ", " ", " b", " ", " ", " "}));
        // Gate time 0.10 s: five digits of a word.
        QCOMPARE(Cells(v, " GAtE t"), L({" ", " ", " 0", " 0", " 0.", " 1", " 0"}));
        // No decimals: the point after the last digit only on the pattern rows.
        QCOMPARE(Cells(v, " DecPt1"), L({" ", " 1", " 1", " 1", " 1", " 1", " 1."}));
        QCOMPARE(Cells(v, " SCALE1"), L({" ", " 1.", " 0", " 0", " 0", " 0", " 0"}));
        QCOMPARE(Find(v, " SCALE1")->overlay, L({" ", " ", " ", " ", " ", " 1"}));
        QCOMPARE(Cells(v, "  SEr 1"), L({" ", " ", " ", " ", " 0", " 5", " 0"}));
        QCOMPARE(Cells(v, "  CALib"), L({" -", " 0", " 0", " 0", " 1", " 0", " 0"}));

        QCOMPARE(v.scale1Row, 11);
        QCOMPARE(v.scale2Row, 13);
        QCOMPARE(v.calibRow, 25);
        QVERIFY(v.scrollBars); // 29 rows

        QCOMPARE(int(v.setPoints.size()), 2);
        QCOMPARE(v.setPoints[1].key, " SETPT2");
        QCOMPARE(v.setPoints[1].cells, L({" ", " 0", " 2", " 0", " 0", " 0", " 0"}));
    }

    // Which items a setup shows, in the meter's order.
    void itemsBySetup_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("keys");
        const QStringList head{"  InPut", "  SEtuP", " ConFiG", " dSPyno"};
        const QStringList alarms{" SourcE", " AL SEt", " dEUn1b", " dEUn2b"};
        const QStringList tail{" An SEt", "  An Lo", "  An Hi", "  SEr 1", "  SEr 2", "  SEr 3",
                               "  CALib", "  Loc 1", "  Loc 2", "  Loc 3", "  Loc 4"};
        const QStringList bare{"  CALib", "  Loc 1", "  Loc 2", "  Loc 3", "  Loc 4"};

        QTest::newRow("rate batch")
            << Edit([] { Pair(0, 2); })
            << head + QStringList{" GAtE t", "  bAtCH", " FiLtEr", "  SLOPE", " DecPt1", " DecPt2",
                                  " SCALE1", " OFFSt1", " SCALE2", " OFFSt2", " rESoLn"} +
                   alarms + tail;
        QTest::newRow("compound, coordinates")
            << Edit([] { Pair(0, 11); Bits(5, 4, 61, 3); })
            << head + QStringList{" GAtE t", " ti Out", " FiLtEr", "  SLOPE", " DecPt1", " DecPt2",
                                  " Lo In1", " Lo rd1", " Hi In1", " Hi rd1", " Lo In2", " Lo rd2",
                                  " Hi In2", " Hi rd2", " rESoLn"} +
                   alarms + tail;
        QTest::newRow("quadrature total")
            << Edit([] { Bits(2, 0, 57, Quad); Pair(12, 0); })
            << head + QStringList{" PULSES", " GAtE t", " DecPt1", " SCALE1", " OFFSt1", " PrESEt"} +
                   alarms + tail;
        // A custom curve replaces item 1's scaling; Read 0 In applies.
        QTest::newRow("V-F curve")
            << Edit([] { Bits(2, 0, 57, VF); Pair(8, 1); Bits(3, 2, 49, 2); })
            << head + QStringList{" GAtE t", " FiLtEr", " DecPt1", " rd0 In"} + alarms +
                   tail;
        QTest::newRow("no boards, mode none")
            << Edit([] { Bits(7, 0, 57, 0); Pair(3, 0); })
            << head + QStringList{" GAtE t", " DecPt1", " SCALE1", " OFFSt1"} + bare;
        QTest::newRow("no deviation in the menu")
            << Edit([] { Bits(5, 5, 65, 1); Bits(4, 3, 57, 0); Bits(5, 5, 57, 0); Pair(0, 1); })
            << head + QStringList{" GAtE t", " ti Out", " FiLtEr", "  SLOPE", " DecPt1", " SCALE1",
                                  " OFFSt1", " SourcE", " AL SEt"} +
                   bare;
    }
    void itemsBySetup()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, keys);
        edit();
        const QString before = Image();
        const MenuRows v = BuildMenuRows();
        QCOMPARE(Keys(v), keys);
        // Building the view writes nothing back (decimal points are 1 here).
        QCOMPARE(Image(), before);
        QCOMPARE(v.scrollBars, keys.size() > RowsWithoutScrolling);
        // Help topics follow the rows.
        for (int r = 1; r <= int(v.rows.size()); ++r)
            QCOMPARE(MenuRowTopic(v, r), MenuTopicBase + v.rows[size_t(r - 1)].code);
    }

    void inputAndFunctionNames_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("board");
        QTest::addColumn<QStringList>("mode");
        QTest::addColumn<QStringList>("function");
        QTest::newRow("V-F 1/A") << Edit([] { Bits(2, 0, 57, VF); Pair(9, 15); })
                                 << " V-to-F Converter" << L({" ", " U", " F", " ", " 0", " -", " 1"})
                                 << L({" ", " ", " 1", " /", " A", " ", " "});
        // No board keeps a stored mode that no table knows: nothing to show.
        QTest::newRow("mode 15") << Edit([] { Bits(2, 0, 57, NoBoard); Pair(15, 0); }) << " None"
                                 << L({" ", " ", " ", " ", " ", " ", " "})
                                 << L({" A", " ", " O", " n", " L", " y", " "});
    }
    void inputAndFunctionNames()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, board);
        QFETCH(QStringList, mode);
        QFETCH(QStringList, function);
        edit();
        const QString before = Image();
        const MenuRows v = BuildMenuRows();
        QCOMPARE(v.inputOptionName, board);
        QCOMPARE(v.rows[0].cells, mode);
        QCOMPARE(v.rows[0].overlay, function);
        QCOMPARE(Image(), before);
    }

    void digitCodes()
    {
        // The ends of each range, and codes past the table: blank.
        const QStringList cells{DigitCodeCell(-1), DigitCodeCell(9), DigitCodeCell(10),
                                DigitCodeCell(15), DigitCodeCell(16), DigitCodeCell(31),
                                DigitCodeCell(32), DigitCodeCell(-2)};
        QCOMPARE(cells, L({" ", " 9", " A", " F", " 0.", " F.", " ", " "}));

        // Address 26, external inputs pair 13, and transmission 2 beside RTS
        // on (bits 6-5 and 4 of one byte) as the meter shows them.
        Bits(4, 0, 53, 26);
        Bits(3, 0, 61, 13);
        Bits(6, 4, 51, 0b101);
        const MenuRows v = BuildMenuRows();
        QCOMPARE(Cells(v, "  SEr 2").last(), " A.");
        QCOMPARE(Cells(v, "  SEtuP").last(), " d");
        QCOMPARE(Cells(v, "  SEr 3").mid(3, 2), L({" 2", " 1"}));
    }

    void valuesAndCorrections()
    {
        // Resolution 0.01, multiplier 1000 on item 2, negative setpoint,
        // alarm 1 low active with alarm 2 disabled.
        Pair(0, 2);
        Bits(3, 0, 19, 3);
        Bits(7, 4, 29, 8);
        Bits(3, 0, 59, 1); // threshold low: batch rate shows it high all the same
        Bits(3, 3, 59, 0);
        Number(55, "FFFFFF");
        Bits(3, 0, 67, 2 * 4 + 1);
        Bits(1, 0, 21, 3);
        MenuRows v = BuildMenuRows();
        QCOMPARE(Cells(v, " rESoLn"), L({" ", " ", " ", " ", " 0.", " 0", " 1"}));
        QCOMPARE(Find(v, " SCALE2")->overlay, L({" ", " ", " 1", " 0", " 0", " 0"}));
        QCOMPARE(Cells(v, " FiLtEr")[5], " 1");
        QCOMPARE(Cells(v, " AL SEt")[4], " 7");
        Bits(3, 0, 67, 2 * 4 + 0); // states 2 and 0: the code after the unused 7
        QCOMPARE(Cells(BuildMenuRows(), " AL SEt")[4], " 6");
        QCOMPARE(Cells(v, " dSPyno").last(), " 3");
        QCOMPARE(Cells(v, "  bAtCH"), L({" ", " ", " 0", " 0", " 0", " 0", " 0"}));
        QCOMPARE(int(v.setPoints.size()), 1);
        QCOMPARE(v.setPoints[0].key, " SETPT1");
        QCOMPARE(v.setPoints[0].cells, L({" -", " 0", " 0", " 0", " 0", " 0", " 1"}));

        // Display items limited to what the pair has; 0 reads as 1.
        LoadDefault();
        Bits(1, 0, 21, 3);
        QCOMPARE(Cells(BuildMenuRows(), " dSPyno").last(), " 2");
        Bits(1, 0, 21, 0);
        QCOMPARE(Cells(BuildMenuRows(), " dSPyno").last(), " 1");

        // Custom curve 2 needs the V-F board; a curve beside a pair without
        // one shows as disabled, and a curve turns square root off.
        LoadDefault();
        Bits(3, 2, 49, 3);
        Bits(1, 1, 49, 1);
        Pair(0, 1);
        QCOMPARE(Cells(BuildMenuRows(), " ConFiG"), L({" ", " ", " ", " 0", " 2", " 0", " 0"}));
        Pair(0, 0);
        QCOMPARE(Cells(BuildMenuRows(), " ConFiG"), L({" ", " ", " ", " 0", " 1", " 1", " 0"}));
        Pair(2, 0);
        QCOMPARE(Cells(BuildMenuRows(), " ConFiG"), L({" ", " ", " ", " 0", " 1", " 0", " 0"}));

        // Deviation types; V-F board: no Coord2 digit.
        LoadDefault();
        Bits(4, 3, 65, 1);
        Bits(2, 0, 57, VF);
        Pair(8, 1);
        v = BuildMenuRows();
        QVERIFY(Find(v, " dEUn1H"));
        QVERIFY(Find(v, " dEUn2b"));
        QCOMPARE(Cells(v, "  SEtuP")[5], " ");
    }

    void timesAndDecimalPoints()
    {
        // Stopwatch seconds on a clock display: 3725 s as 01.02.05.
        Pair(5, 0);
        Bits(7, 4, 49, 5);
        Number(37, "000E8D");
        MenuRows v = BuildMenuRows();
        QCOMPARE(Cells(v, " OFFSt1"), L({" ", " 0", " 1.", " 0", " 2.", " 0", " 5"}));
        // Only the time rows get the clock points.
        QCOMPARE(Cells(v, " SCALE2"), L({" ", " 1.", " 0", " 0", " 0", " 0", " 0"}));

        // Clock display in rate mode: the offset's digits as they stand.
        LoadDefault();
        Bits(7, 4, 49, 5);
        Number(37, "01E240"); // 123456
        v = BuildMenuRows();
        QCOMPARE(Cells(v, " OFFSt1"), L({" ", " 1", " 2.", " 3", " 4.", " 5", " 6"}));
        QVERIFY(!Find(v, " DecPt1"));

        // Item 2 takes item 1's point for the compound functions.
        LoadDefault();
        Bits(7, 0, 15, 0x13); // DecPt1 3, DecPt2 1
        Number(25, "002710");
        Pair(0, 11);
        QCOMPARE(Cells(BuildMenuRows(), " OFFSt2"), L({" ", " 0", " 1", " 0", " 0.", " 0", " 0"}));
        Pair(0, 0);
        QCOMPARE(Cells(BuildMenuRows(), " OFFSt2"), L({" ", " 0", " 1", " 0", " 0", " 0", " 0"}));
        // The preset is item 1's value, with item 1's point.
        Pair(2, 4);
        QCOMPARE(Cells(BuildMenuRows(), " PrESEt"), L({" ", " 0", " 1", " 0", " 0.", " 0", " 0"}));

        // Coordinates: inputs with their own point, readings with DecPt1.
        LoadDefault();
        Bits(7, 0, 15, 0x12);
        Bits(5, 5, 61, 1);
        Number(91, "4186A0"); // code 4: 100.000
        Number(85, "002710");
        v = BuildMenuRows();
        QCOMPARE(Cells(v, " Hi In1"), L({" ", " 1", " 0", " 0.", " 0", " 0", " 0"}));
        QCOMPARE(Cells(v, " Hi rd1"), L({" ", " 0", " 1", " 0", " 0", " 0.", " 0"}));
        // The V-F board fixes the inputs' decimals.
        Bits(2, 0, 57, VF);
        Pair(9, 1);
        QCOMPARE(Cells(BuildMenuRows(), " Hi In1"), L({" ", " 1.", " 0", " 0", " 0", " 0", " 0"}));
    }

    void alarmAndAnalogPoints()
    {
        MenuRowBuilder b;
        DecPt1 = 2;
        DecPt2 = 4;
        struct Case {
            int mode, function, dpMode, result;
        };
        const Case cases[] = {
            {0, 0, 2, 4},  {0, 2, 2, 0}, // batch: the grand total has none
            {0, 11, 1, 4}, {0, 11, 3, 2}, // compound: three items
            {2, 1, 2, 2},  {0, 0, 0, 2},  // one item only; no item
        };
        for (const Case& c : cases) {
            b.Mode = c.mode;
            b.Function = c.function;
            b.DpMode = c.dpMode;
            b.ResolveDecimalPoint();
            QVERIFY2(b.DpResult == c.result,
                     qPrintable(QString("%1,%2 item %3: %4").arg(c.mode).arg(c.function)
                                    .arg(c.dpMode).arg(b.DpResult)));
        }
        const int defaults[][3] = {{2, 6, 2}, {2, 0, 0}, {0, 2, 3}};
        for (const auto& d : defaults) {
            b.Mode = d[0];
            b.Function = d[1];
            b.DefaultDpMode();
            QCOMPARE(b.DpWork, d[2]);
        }

        // Alarm sources pick the setpoints' and deviations' points; the
        // filtered item stands for item 1 here.
        Bits(7, 0, 15, 0x42);
        Bits(3, 0, 33, 0x2); // source 1: filtered item, source 2: item 2
        Number(55, "002710");
        Number(49, "002710");
        Number(13, "002710");
        Number(1, "002710");
        Bits(1, 0, 31, 2); // analog: item 2
        const MenuRows v = BuildMenuRows();
        QCOMPARE(v.setPoints[0].cells, L({" ", " 0", " 1", " 0", " 0", " 0.", " 0"}));
        QCOMPARE(v.setPoints[1].cells, L({" ", " 0", " 1", " 0.", " 0", " 0", " 0"}));
        QCOMPARE(Cells(v, " dEUn2b"), L({" ", " 0", " 1", " 0.", " 0", " 0", " 0"}));
        QCOMPARE(Cells(v, "  An Hi"), L({" ", " 0", " 1", " 0.", " 0", " 0", " 0"}));
    }

    // Each lockout marks its own items and no other, one lockout at a time,
    // on a rate batch setup that shows the batch and resolution rows too.
    void lockMarks_data()
    {
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("mask");
        QTest::addColumn<QStringList>("marked");
        QTest::addColumn<bool>("setPoints");
        const auto row = [](const char* name, int pos, int bit, QStringList marked, bool sp = false) {
            QTest::newRow(name) << pos << (1 << bit) << marked << sp;
        };
        row("input type", 47, 3, {"  InPut*"});
        row("setup, config", 47, 2, {"  SEtuP*", " ConFiG*", " dSPyno*"});
        row("gate time, time-out, batch", 47, 1, {" GAtE t*", "  bAtCH*"});
        row("filter", 47, 0, {" FiLtEr*"});
        row("slope, decimal points", 47, 7, {"  SLOPE*", " DecPt1*", " DecPt2*"});
        row("scaling, resolution", 47, 6, {" SCALE1*", " OFFSt1*", " SCALE2*", " OFFSt2*", " rESoLn*"});
        row("alarm source, setup, deviation", 47, 5, {" SourcE*", " AL SEt*", " dEUn1b*", " dEUn2b*"});
        row("alarm setpoints", 47, 4, {}, true);
        row("analog output", 45, 3, {" An SEt*", "  An Lo*", "  An Hi*"});
        row("serial communication", 45, 2, {"  SEr 1*", "  SEr 2*", "  SEr 3*"});
        row("calibration", 45, 1, {"  CALib*"});
        row("view setpoints", 45, 6, {}, true);
        row("lockout jumper", 57, 7, {"  Loc 1*", "  Loc 2*", "  Loc 3*", "  Loc 4*"});
        QTest::newRow("lockouts without an item") << 45 << 0xB1 << QStringList() << false;
    }
    void lockMarks()
    {
        QFETCH(int, pos);
        QFETCH(int, mask);
        QFETCH(QStringList, marked);
        QFETCH(bool, setPoints);
        Pair(0, 2);
        Bits(7, 0, pos, GetSetupBits(7, 0, pos) | mask);
        const MenuRows v = BuildMenuRows();
        QStringList locked;
        for (const MenuRow& r : v.rows) {
            QCOMPARE(r.key.endsWith('*'), r.locked);
            if (r.locked)
                locked << r.key;
        }
        QCOMPARE(locked, marked);
        QCOMPARE(int(v.setPoints.size()), 2);
        for (const MenuRow& r : v.setPoints) {
            QCOMPARE(r.locked, setPoints);
            QCOMPARE(r.key.endsWith('*'), setPoints);
        }
    }

    void lockRows()
    {
        // The lockout rows show the lockouts as digits.
        Bits(7, 0, 47, 0x0C); // input type, setup and config
        QCOMPARE(Cells(BuildMenuRows(), "  Loc 1"), L({" ", " ", " ", " 1", " 1", " 0", " 0"}));

        // Read 0 In carries the mark of the row before it.
        LoadDefault();
        Bits(2, 0, 57, VF);
        Pair(8, 1);
        Bits(3, 2, 49, 2);
        Bits(7, 7, 47, 1);
        const MenuRows v = BuildMenuRows();
        QVERIFY(Find(v, " DecPt1*"));
        QVERIFY(Find(v, " rd0 In*"));
    }

    // The only change building makes: a decimal-point code of 0 becomes 1.
    void decimalPointWriteBack()
    {
        Bits(7, 0, 15, 0x00);
        QString want = Image();
        want[SetupA.size() + 1 + 14] = '1';
        want[SetupA.size() + 1 + 15] = '1';
        MenuRows v = BuildMenuRows();
        QCOMPARE(Image(), want);
        QCOMPARE(Cells(v, " DecPt1"), L({" ", " 1", " 1", " 1", " 1", " 1", " 1."}));
        QCOMPARE(DecPt1, 1);
        QCOMPARE(DecPt2, 1);

        // Codes past the table show blanks and stay as they are.
        Bits(7, 0, 15, 0x77);
        const QString before = Image();
        v = BuildMenuRows();
        QCOMPARE(Cells(v, " DecPt2"), L({" ", " ", " ", " ", " ", " ", " "}));
        QCOMPARE(Image(), before);

        // Item 2's point is left alone where there is no item 2.
        Bits(7, 0, 15, 0x00);
        Pair(0, 1);
        want = Image();
        want[SetupA.size() + 1 + 15] = '1';
        BuildMenuRows();
        QCOMPARE(Image(), want);
    }

    void helpTopics()
    {
        MenuRows v = BuildMenuRows();
        QCOMPARE(MenuRowTopic(v, 0), 0); // 2100 cannot be held by the help files
        QCOMPARE(MenuRowTopic(v, 1), 2101);
        QCOMPARE(MenuRowTopic(v, int(v.rows.size())), 2141);
        // Past the items, and nonsense rows: no topic.
        QCOMPARE(MenuRowTopic(v, int(v.rows.size()) + 1), 0);
        QCOMPARE(MenuRowTopic(v, 34), 0);
        QCOMPARE(MenuRowTopic(v, -1), 0);
        QCOMPARE(SetPointRowTopic(v, 0), 2172);
        QCOMPARE(SetPointRowTopic(v, 1), 2173);
        QCOMPARE(SetPointRowTopic(v, 2), 2174);
        QCOMPARE(SetPointRowTopic(v, 3), 0);

        // Alarm 1 disabled: SETPT2 alone, first row, still its own topic.
        Bits(1, 0, 67, 2);
        v = BuildMenuRows();
        QCOMPARE(int(v.setPoints.size()), 1);
        QCOMPARE(v.setPoints[0].key, " SETPT2");
        QCOMPARE(SetPointRowTopic(v, 1), 2174);
        QCOMPARE(SetPointRowTopic(v, 2), 0);

        // No relay board: header only.
        Bits(6, 6, 57, 0);
        v = BuildMenuRows();
        QVERIFY(v.setPoints.empty());
        QCOMPARE(SetPointRowTopic(v, 1), 0);

        Pair(2, 4);
        v = BuildMenuRows();
        QCOMPARE(MenuRowTopic(v, int(Keys(v).indexOf(" PrESEt")) + 1), 2144);
    }

    // The view reads the image, not what a page left in the shared values,
    // and leaves the value-entry hand-off as it found it.
    void sharedValues()
    {
        DisplayType = 5; // stale: the image says normal display
        DecPt1 = 4;
        StopwatchTimeFormat = 5;
        EntryTimeFormat = 2;
        EntryDecPt = 4;
        Number(37, "000E8D");
        const MenuRows v = BuildMenuRows();
        QVERIFY(Find(v, " DecPt1"));
        QCOMPARE(Cells(v, " OFFSt1"), L({" ", " 0", " 0", " 3", " 7", " 2", " 5"}));
        QCOMPARE(DisplayType, 0);
        QCOMPARE(DecPt1, 1);
        QCOMPARE(StopwatchTimeFormat, 0);
        QCOMPARE(EntryTimeFormat, 2);
        QCOMPARE(EntryDecPt, 4);

        // And the same after a stopwatch image with times.
        Pair(5, 0);
        Bits(7, 4, 49, 5);
        EntryTimeFormat = 0;
        BuildMenuRows();
        QCOMPARE(EntryTimeFormat, 0);
        QCOMPARE(EntryDecPt, 4);
    }
};

QTEST_MAIN(TstMenuRows)
#include "tst_menurows.moc"
