#include "setup/Conventions.h"
#include "setup/FieldMap.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace setup;

namespace {

struct OfferedRow {
    int mode, function;
    const char* name;
    int code, itemLayout, filteredItem;
};

// The mode/function table as the meter defines it, written out pair by pair
// (the V-F modes 8..10 in full) so that a copying slip in the program shows.
// clang-format off
const OfferedRow Offered[] = {
    {0, 0, "A, B", 0x3904, 0, 1},   {0, 1, "A Only", 0x1B00, 0, 1},
    {0, 2, " Batch", 0x280B, 3, 3}, {0, 3, "A, A Total", 0x3B00, 0, 1},
    {0, 5, "A, B Total", 0x3904, 0, 1},
    {0, 11, "A + B", 0x3904, 2, 1}, {0, 12, "A - B", 0x3904, 2, 1},
    {0, 13, "A X B", 0x3904, 2, 1}, {0, 14, "A / B", 0x3904, 2, 1},
    {0, 15, "(A / B) -1", 0x3904, 2, 1},
    {1, 0, "A, B", 0x3904, 0, 1},   {1, 1, "A Only", 0x1B00, 0, 1},
    {1, 11, "A + B", 0x3904, 2, 1}, {1, 12, "A - B", 0x3904, 2, 1},
    {1, 13, "A X B", 0x3904, 2, 1}, {1, 14, "A / B", 0x3904, 2, 1},
    {2, 0, "A, B", 0x2004, 0, 0},   {2, 1, "A Only", 0x0200, 0, 0},
    {2, 4, "A -B  UpDn", 0x0600, 0, 0}, {2, 6, " Burst", 0x3003, 1, 2},
    {2, 7, "B, A Rate", 0x3403, 1, 2},  {2, 9, "A, B UpDnCtl", 0x0600, 0, 0},
    {2, 10, "A, B InhibitCtl", 0x0600, 0, 0},
    {2, 11, "A + B", 0x2004, 2, 0}, {2, 12, "A - B", 0x2004, 2, 0},
    {2, 13, "A X B", 0x2004, 2, 0}, {2, 14, "A / B", 0x2004, 2, 0},
    {3, 0, "None", 0x0000, 0, 0},
    {4, 1, "A to B", 0x1500, 0, 1},
    {5, 0, "A to A", 0x2000, 0, 0}, {5, 1, "A to B", 0x2400, 0, 0},
    {6, 1, "A to B", 0x1500, 0, 1},
    {8, 1, "A Only", 0x0B00, 0, 1},  {8, 2, " Batch", 0x3001, 3, 3},
    {8, 3, "A, A Total", 0x2B00, 0, 1}, {8, 8, "A Total, A", 0x2019, 1, 2},
    {8, 15, "1/(A Rate)", 0x0B00, 0, 1},
    {9, 1, "A Only", 0x0B00, 0, 1},  {9, 2, " Batch", 0x3001, 3, 3},
    {9, 3, "A, A Total", 0x2B00, 0, 1}, {9, 8, "A Total, A", 0x2019, 1, 2},
    {9, 15, "1/(A Rate)", 0x0B00, 0, 1},
    {10, 1, "A Only", 0x0B00, 0, 1}, {10, 2, " Batch", 0x3001, 3, 3},
    {10, 3, "A, A Total", 0x2B00, 0, 1}, {10, 8, "A Total, A", 0x2019, 1, 2},
    {10, 15, "1/(A Rate)", 0x0B00, 0, 1},
    {12, 0, "Total", 0x0000, 0, 0}, {12, 1, "Rate", 0x3500, 2, 1},
};
// clang-format on

void freshImage()
{
    SetupA = QString(108, u'0');
    SetupB = QString(68, u'0');
    SetupChars = QString(16, u'0');
}

void setField(const Field& f, int value)
{
    QVERIFY(SetSetupBits(f.hiBit, f.loBit, f.pos, value));
}

} // namespace

class TestModeModel : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        InitTables();
        freshImage();
    }

    void startValuesAndLayoutTable()
    {
        ItemLayout = 2;
        FilteredItem = 1;
        InitTables();
        QCOMPARE(ItemLayout, 9);
        QCOMPARE(FilteredItem, 9);
        const int expected[4][8] = {{9, 0, 0, 0, 9, 0, 9, 0}, {9, 9, 1, 9, 0, 9, 0, 0},
                                    {0, 1, 9, 1, 1, 9, 9, 0}, {1, 2, 9, 9, 9, 1, 1, 0}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 8; ++c) {
                QCOMPARE(ItemLayoutTable[r][c], expected[r][c]);
                QCOMPARE(ItemLayoutEntry(r, c), expected[r][c]);
            }
        // Before page 1 has arranged its items ItemLayout is 9: no group.
        QCOMPARE(ItemLayoutEntry(9, 0), 9);
        QCOMPARE(ItemLayoutEntry(0, 8), 9);
        QCOMPARE(ItemLayoutEntry(-1, 0), 9);
    }

    void modeNames()
    {
        const char* names[13] = {"Rate",       "Period",    "Total",     "None", "Time Interval",
                                 "Stopwatch",  "Phase",     "",          "VF 4-20 mA",
                                 "VF 0-1 mA",  "VF 0-10 V", "",          "Quadrature"};
        for (int m = 0; m < 13; ++m) {
            QCOMPARE(ModeNames[m], QString(names[m]));
            QCOMPARE(ModeName(m), QString(names[m]));
        }
        QVERIFY(ModeName(13).isEmpty());
        QVERIFY(ModeName(-1).isEmpty());
    }

    void offeredPair_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("function");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("itemLayout");
        QTest::addColumn<int>("filteredItem");
        for (const OfferedRow& r : Offered)
            QTest::addRow("%d/%d", r.mode, r.function)
                << r.mode << r.function << QString(r.name) << r.code << r.itemLayout
                << r.filteredItem;
    }
    void offeredPair()
    {
        QFETCH(int, mode);
        QFETCH(int, function);
        QFETCH(QString, name);
        QFETCH(int, code);
        QFETCH(int, itemLayout);
        QFETCH(int, filteredItem);
        QCOMPARE(FunctionName(mode, function), name);
        QCOMPARE(FunctionNames[mode + 13 * function], name);
        QCOMPARE(LayoutCode(mode, function), code);
        QCOMPARE(ItemLayoutOf(mode, function), itemLayout);
        LayoutFlags = code >> 8;
        QCOMPARE(FilteredItemOf(mode, function), filteredItem);
        // Page 2's item-2 rule agrees with "a second item exists" everywhere
        // but the None mode.
        if (mode != 3)
            QCOMPARE(ModeFunctionRule2(mode, function), (code & 0x2000) ? 0 : 1);
        QCOMPARE(code & 0xC0C0, 0);
    }

    void everyOtherPairIsEmpty()
    {
        int offered = 0;
        for (int m = 0; m < 13; ++m)
            for (int f = 0; f < 16; ++f) {
                bool listed = false;
                for (const OfferedRow& r : Offered)
                    listed = listed || (r.mode == m && r.function == f);
                offered += listed;
                if (!listed) {
                    QVERIFY2(FunctionName(m, f).isEmpty(), qPrintable(QString("%1/%2").arg(m).arg(f)));
                    QCOMPARE(LayoutCode(m, f), 0);
                }
            }
        QCOMPARE(offered, int(std::size(Offered)));
    }

    void lookupsOutsideTheTables_data()
    {
        // Unchecked, each of these would land on some other pair's entry.
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("function");
        QTest::newRow("mode 13 = (0,1)") << 13 << 0;
        QTest::newRow("mode 15") << 15 << 15;
        QTest::newRow("mode -1 = (12,0)") << -1 << 1;
        QTest::newRow("function 16 = (1,0)") << 0 << 16;
        QTest::newRow("function -1") << 1 << -1;
        QTest::newRow("(12,2) past the end") << 12 << 2;
        QTest::newRow("(12,15)") << 12 << 15;
    }
    void lookupsOutsideTheTables()
    {
        QFETCH(int, mode);
        QFETCH(int, function);
        QVERIFY(FunctionName(mode, function).isEmpty());
        QCOMPARE(LayoutCode(mode, function), 0);
    }

    void readInputOption_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("option");
        const int expected[8] = {0, 1, 3, 3, 2, 5, 6, 7};
        for (int s = 0; s < 8; ++s)
            QTest::addRow("stored %d", s) << s << expected[s];
    }
    void readInputOption()
    {
        QFETCH(int, stored);
        QFETCH(int, option);
        // The other option boards share the byte; they must not leak in.
        QVERIFY(SetSetupBits(7, 0, field::InOpt.pos, 0xF8));
        setField(field::InOpt, stored);
        ReadInputOption();
        QCOMPARE(InputOption, option);
    }

    // Whatever the image holds, a fitted input board ends in a pair that the
    // board and the feature set offer.
    void normaliseAlwaysOffered()
    {
        for (int option = 1; option <= 3; ++option)
            for (int ext = 0; ext <= 1; ++ext)
                for (int m = 0; m < 16; ++m)
                    for (int f = 0; f < 16; ++f) {
                        const QString image = SetupA + SetupB + SetupChars;
                        InputOption = option;
                        ExtendedMode = ext;
                        ModeCode = m;
                        FunctionCode = f;
                        NormaliseModeFunction();
                        const QString where =
                            QString("option %1 ext %2 stored %3/%4 -> %5/%6")
                                .arg(option).arg(ext).arg(m).arg(f).arg(ModeCode).arg(FunctionCode);
                        QVERIFY2(!FunctionName(ModeCode, FunctionCode).isEmpty(), qPrintable(where));
                        if (option == 1) {
                            QVERIFY2(QList<int>({0, 1, 2, 4, 5, 6}).contains(ModeCode), qPrintable(where));
                            if (ext == 0)
                                QVERIFY2(ModeCode <= 4 && FunctionCode <= 1, qPrintable(where));
                        } else if (option == 2) {
                            QVERIFY2(ModeCode >= 8 && ModeCode <= 10, qPrintable(where));
                            if (ext == 0)
                                QVERIFY2(FunctionCode == 1, qPrintable(where));
                        } else {
                            QVERIFY2(ModeCode == 12, qPrintable(where));
                            if (ext == 0)
                                QVERIFY2(FunctionCode == 0, qPrintable(where));
                        }
                        const int code = LayoutCode(ModeCode, FunctionCode);
                        QCOMPARE(LayoutFlags, code >> 8);
                        QCOMPARE(LayoutFlags2, code & 0xFF);
                        QCOMPARE(SetupA + SetupB + SetupChars, image);
                    }
    }

    void normaliseExamples_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("ext");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("newMode");
        QTest::addColumn<int>("newFunction");
        QTest::addColumn<int>("preset");
        // clang-format off
        QTest::newRow("dual, None mode -> Rate A, B")    << 1 << 1 << 3 << 5 << 0 << 0 << 0;
        QTest::newRow("dual, mode 7 -> Rate A, B")       << 1 << 1 << 7 << 1 << 0 << 0 << 0;
        QTest::newRow("dual, mode 11 basic")             << 1 << 0 << 11 << 2 << 0 << 0 << 0;
        QTest::newRow("dual, mode 15 -> Rate A, B")      << 1 << 1 << 15 << 15 << 0 << 0 << 0;
        QTest::newRow("dual basic (4,0) -> A to B")      << 1 << 0 << 4 << 0 << 4 << 1 << 0;
        QTest::newRow("dual basic (5,1) -> Rate A Only") << 1 << 0 << 5 << 1 << 0 << 1 << 0;
        QTest::newRow("dual basic (0,11) -> (0,0)")      << 1 << 0 << 0 << 11 << 0 << 0 << 0;
        QTest::newRow("dual (2,4) preset")               << 1 << 1 << 2 << 4 << 2 << 4 << 1;
        QTest::newRow("dual (2,9) preset")               << 1 << 1 << 2 << 9 << 2 << 9 << 1;
        QTest::newRow("dual (2,5) -> (2,1)")             << 1 << 1 << 2 << 5 << 2 << 1 << 0;
        QTest::newRow("V-F, mode 2 -> 8")                << 2 << 1 << 2 << 8 << 8 << 8 << 0;
        QTest::newRow("V-F basic, function 1")           << 2 << 0 << 2 << 8 << 8 << 1 << 0;
        QTest::newRow("V-F (10,15) stays")               << 2 << 1 << 10 << 15 << 10 << 15 << 0;
        QTest::newRow("V-F (9,0) -> (9,1)")              << 2 << 1 << 9 << 0 << 9 << 1 << 0;
        QTest::newRow("quad basic (12,1) -> Total")      << 3 << 0 << 12 << 1 << 12 << 0 << 1;
        QTest::newRow("quad basic (5,9) -> Total")       << 3 << 0 << 5 << 9 << 12 << 0 << 1;
        QTest::newRow("quad (12,1) stays")               << 3 << 1 << 12 << 1 << 12 << 1 << 0;
        QTest::newRow("quad (3,7) -> Total")             << 3 << 1 << 3 << 7 << 12 << 0 << 1;
        QTest::newRow("no board (3,0) stays")            << 0 << 1 << 3 << 0 << 3 << 0 << 0;
        QTest::newRow("no board (2,4) stays")            << 0 << 1 << 2 << 4 << 2 << 4 << 1;
        QTest::newRow("no board (0,4) -> (0,1)")         << 0 << 1 << 0 << 4 << 0 << 1 << 0;
        // A mode no table knows keeps its code; its function becomes 1.
        QTest::newRow("no board mode 13")                << 0 << 1 << 13 << 0 << 13 << 1 << 0;
        QTest::newRow("no board mode 15")                << 0 << 0 << 15 << 9 << 15 << 1 << 0;
        QTest::newRow("board code 5, mode 14")           << 5 << 1 << 14 << 4 << 14 << 1 << 0;
        // clang-format on
    }
    void normaliseExamples()
    {
        QFETCH(int, option);
        QFETCH(int, ext);
        QFETCH(int, mode);
        QFETCH(int, function);
        QFETCH(int, newMode);
        QFETCH(int, newFunction);
        QFETCH(int, preset);
        InputOption = option;
        ExtendedMode = ext;
        ModeCode = mode;
        FunctionCode = function;
        LayoutFlags = LayoutFlags2 = PresetShown = 77;
        NormaliseModeFunction();
        QCOMPARE(ModeCode, newMode);
        QCOMPARE(FunctionCode, newFunction);
        QCOMPARE(PresetShown, preset);
        const int code = LayoutCode(newMode, newFunction);
        QCOMPARE(LayoutFlags, code >> 8);
        QCOMPARE(LayoutFlags2, code & 0xFF);
    }

    void captions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("batItm2");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("item1");
        QTest::addColumn<QString>("item2");
        QTest::addColumn<QString>("item3");
        // clang-format off
        QTest::newRow("Rate A, B")      << 0 << 0 << 0 << 0 << "Rate A" << "Rate B" << "Rate B";
        QTest::newRow("Rate A, A Tot")  << 0 << 3 << 0 << 0 << "Rate A" << "Total A" << "Rate B";
        QTest::newRow("Rate A, B Tot")  << 0 << 5 << 0 << 0 << "Rate A" << "Total B" << "Rate B";
        QTest::newRow("Rate A + B")     << 0 << 11 << 0 << 2 << "Rate A+Rate B" << "Rate A" << "Rate B";
        QTest::newRow("Rate A - B")     << 0 << 12 << 0 << 2 << "Rate A-Rate B" << "Rate A" << "Rate B";
        QTest::newRow("Rate A X B")     << 0 << 13 << 0 << 2 << "Rate AXRate B" << "Rate A" << "Rate B";
        QTest::newRow("Rate A / B")     << 0 << 14 << 0 << 2 << "Rate A/Rate B" << "Rate A" << "Rate B";
        QTest::newRow("Rate (A/B)-1")   << 0 << 15 << 0 << 2 << "(Rate A/Rate B)-1" << "Rate A" << "Rate B";
        QTest::newRow("Rate Batch")     << 0 << 2 << 0 << 3 << "Batch A" << "Grand Total A" << "Rate A";
        QTest::newRow("Rate Batch #")   << 0 << 2 << 1 << 3 << "Batch A" << "No. of Batches A" << "Rate A";
        QTest::newRow("Period A + B")   << 1 << 11 << 0 << 2 << "PeriodA+PeriodB" << "Period A" << "Period B";
        QTest::newRow("Period A, B")    << 1 << 0 << 0 << 0 << "Period A" << "Period B" << "Period B";
        QTest::newRow("Total A - B")    << 2 << 12 << 0 << 2 << "Total A-Total B" << "Total A" << "Total B";
        QTest::newRow("Total UpDn")     << 2 << 4 << 0 << 0 << "Total A-B UpDn" << "Total B" << "Total B";
        QTest::newRow("Total Burst")    << 2 << 6 << 0 << 1 << "Total A" << "Rate A" << "Total B";
        QTest::newRow("Total B, A Rt")  << 2 << 7 << 0 << 1 << "Total B" << "Rate A" << "Total B";
        QTest::newRow("None")           << 3 << 0 << 0 << 0 << "Uh-Oh1" << "Uh-Oh2" << "Uh-Oh3";
        QTest::newRow("Time Interval")  << 4 << 1 << 0 << 0 << "Time A to B" << "Uh-Oh2" << "Uh-Oh3";
        QTest::newRow("Stopwatch A-A")  << 5 << 0 << 0 << 0 << "Time A to A" << "Total Time A-A" << "Uh-Oh3";
        QTest::newRow("Stopwatch A-B")  << 5 << 1 << 0 << 0 << "Time A to B" << "Total Time A-B" << "Uh-Oh3";
        QTest::newRow("Phase")          << 6 << 1 << 0 << 0 << "Phase A to B" << "Uh-Oh2" << "Uh-Oh3";
        QTest::newRow("VF A Only")      << 8 << 1 << 0 << 0 << "Rate A" << "Total A" << "Rate A";
        QTest::newRow("VF Batch #")     << 9 << 2 << 1 << 3 << "Batch A" << "No. of Batches A" << "Rate A";
        QTest::newRow("VF Total, A")    << 10 << 8 << 0 << 1 << "Total A" << "Rate A" << "Rate A";
        QTest::newRow("VF 1/(A Rate)")  << 8 << 15 << 0 << 0 << "1/(Rate A)" << "Total A" << "Rate A";
        QTest::newRow("Quad Total")     << 12 << 0 << 0 << 0 << "Total" << "" << "";
        QTest::newRow("Quad Rate")      << 12 << 1 << 0 << 2 << "Rate" << "" << "";
        QTest::newRow("mode 13")        << 13 << 1 << 0 << 0 << "Uh-Oh1" << "Uh-Oh2" << "Uh-Oh3";
        // clang-format on
    }
    void captions()
    {
        QFETCH(int, mode);
        QFETCH(int, function);
        QFETCH(int, batItm2);
        QFETCH(int, layout);
        QFETCH(QString, item1);
        QFETCH(QString, item2);
        QFETCH(QString, item3);
        // Fill byte 35 around the Batch Item 2 bit so a wrong bit shows.
        QVERIFY(SetSetupBits(7, 0, field::BatItm2.pos, batItm2 ? 0x02 : 0xFD));
        FunctionCode = function;
        QCOMPARE(ItemLayoutOf(mode, function), layout);
        QCOMPARE(Item1Name(layout, mode), item1);
        QCOMPARE(Item2Name(layout, mode), item2);
        QCOMPARE(Item3Name(layout, mode), item3);
    }

    void pageTwoRules_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("rule2");
        QTest::addColumn<int>("rule3");
        QTest::newRow("Quad Rate") << 12 << 1 << 0 << 0;
        QTest::newRow("Quad Total") << 12 << 0 << 1 << 1;
        QTest::newRow("Rate Batch") << 0 << 2 << 0 << 0;
        QTest::newRow("Rate A, B") << 0 << 0 << 0 << 1;
        QTest::newRow("Rate (A/B)-1") << 0 << 15 << 0 << 0;
        QTest::newRow("VF 1/(A Rate)") << 8 << 15 << 1 << 0;
        QTest::newRow("Stopwatch A to B") << 5 << 1 << 0 << 1;
        QTest::newRow("Total UpDnCtl") << 2 << 9 << 1 << 1;
    }
    void pageTwoRules()
    {
        QFETCH(int, mode);
        QFETCH(int, function);
        QFETCH(int, rule2);
        QFETCH(int, rule3);
        QCOMPARE(ModeFunctionRule2(mode, function), rule2);
        QCOMPARE(ModeFunctionRule3(mode, function), rule3);
    }

    void colours()
    {
        const struct {
            quint32 number;
            quint32 expected;
            QColor qcolor;
        } rows[] = {
            {ColorWhite, 16777215, QColor(255, 255, 255)},
            {ColorLightYellow, 14745599, QColor(255, 255, 224)},
            {ColorGray, 12632256, QColor(192, 192, 192)},
            {ColorDarkGray, 8421504, QColor(128, 128, 128)},
            {ColorBlack, 0, QColor(0, 0, 0)},
            {ColorRed, 255, QColor(255, 0, 0)},
            {ColorDarkRed, 128, QColor(128, 0, 0)},
            {ColorGreen, 65280, QColor(0, 255, 0)},
        };
        for (const auto& r : rows) {
            QCOMPARE(r.number, r.expected);
            QCOMPARE(ColorFromNumber(r.number), r.qcolor);
        }
    }
};

QTEST_GUILESS_MAIN(TestModeModel)
#include "tst_modemodel.moc"
