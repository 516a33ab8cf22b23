#include "setup/Conventions.h"
#include "setup/FieldMap.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace setup;

class TestModeModel : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        InitTables();
        SetupA = QString(108, u'0');
        SetupB = QString(68, u'0');
        SetupChars = QString(16, u'0');
    }

    void tables()
    {
        // Written out by hand so that a copying slip in the program's tables shows.
        const struct { int mode, function; const char* name; int code, itemLayout, filteredItem; } rows[] = {
            {0, 0, "A, B", 0x3904, 0, 1},       {0, 2, " Batch", 0x280B, 3, 3},
            {0, 15, "(A / B) -1", 0x3904, 2, 1}, {8, 15, "1/(A Rate)", 0x0B00, 0, 1},
            {2, 0, "A, B", 0x2004, 0, 0},       {2, 4, "A -B  UpDn", 0x0600, 0, 0},
            {2, 6, " Burst", 0x3003, 1, 2},     {3, 0, "None", 0x0000, 0, 0},
            {5, 1, "A to B", 0x2400, 0, 0},     {8, 2, " Batch", 0x3001, 3, 3},
            {10, 8, "A Total, A", 0x2019, 1, 2}, {12, 1, "Rate", 0x3500, 2, 1},
        };
        for (const auto& r : rows) {
            QCOMPARE(FunctionName(r.mode, r.function), QString(r.name));
            QCOMPARE(LayoutCode(r.mode, r.function), r.code);
            QCOMPARE(ItemLayoutOf(r.mode, r.function), r.itemLayout);
            LayoutFlags = r.code >> 8;
            QCOMPARE(FilteredItemOf(r.mode, r.function), r.filteredItem);
            if (r.mode != 3) // page 2's item-2 rule: "a second item exists"
                QCOMPARE(ModeFunctionRule2(r.mode, r.function), (r.code & 0x2000) ? 0 : 1);
        }
        int offered = 0;
        for (int m = 0; m < 13; ++m)
            for (int f = 0; f < 16; ++f)
                offered += !FunctionName(m, f).isEmpty();
        QCOMPARE(offered, 49);
        QCOMPARE(ModeName(12), QStringLiteral("Quadrature"));
        QCOMPARE(ItemLayoutTable[3], (std::array<int, 8>{1, 2, 9, 9, 9, 1, 1, 0}));
        QCOMPARE(ItemLayoutEntry(ItemLayout, 0), 9); // before page 1 has arranged its items
        QCOMPARE(ColorFromNumber(ColorRed), QColor(255, 0, 0));
    }

    void lookupsOutsideTheTables()
    {
        // Unchecked, each of these would land on some other pair's entry.
        const int pairs[][2] = {{13, 0}, {-1, 1}, {0, 16}, {1, -1}, {12, 2}, {15, 15}};
        for (const auto& p : pairs) {
            QVERIFY(FunctionName(p[0], p[1]).isEmpty());
            QCOMPARE(LayoutCode(p[0], p[1]), 0);
        }
        QVERIFY(ModeName(13).isEmpty() && ModeName(-1).isEmpty());
        QCOMPARE(ItemLayoutEntry(0, 8), 9);
    }

    void readInputOption()
    {
        const int expected[8] = {0, 1, 3, 3, 2, 5, 6, 7};
        for (int stored = 0; stored < 8; ++stored) {
            // The other option boards share the byte; they must not leak in.
            QVERIFY(SetSetupBits(7, 0, field::InOpt.pos, 0xF8));
            QVERIFY(SetSetupBits(field::InOpt.hiBit, field::InOpt.loBit, field::InOpt.pos, stored));
            ReadInputOption();
            QCOMPARE(InputOption, expected[stored]);
        }
    }

    // Whatever the image holds, a fitted input board ends in a pair that the
    // board and the feature set offer.
    void normaliseAlwaysOffered()
    {
        for (int option = 1; option <= 3; ++option)
            for (int ext = 0; ext <= 1; ++ext)
                for (int m = 0; m < 16; ++m)
                    for (int f = 0; f < 16; ++f) {
                        InputOption = option;
                        ExtendedMode = ext;
                        ModeCode = m;
                        FunctionCode = f;
                        NormaliseModeFunction();
                        const int nm = ModeCode, nf = FunctionCode;
                        const QByteArray where =
                            QString::asprintf("option %d ext %d %d/%d -> %d/%d", option, ext, m, f, nm, nf).toLatin1();
                        QVERIFY2(!FunctionName(nm, nf).isEmpty(), where);
                        if (option == 1)
                            QVERIFY2(QList<int>({0, 1, 2, 4, 5, 6}).contains(nm) && (ext || (nm <= 4 && nf <= 1)),
                                     where);
                        else if (option == 2)
                            QVERIFY2(nm >= 8 && nm <= 10 && (ext || nf == 1), where);
                        else
                            QVERIFY2(nm == 12 && (ext || nf == 0), where);
                        QCOMPARE(LayoutFlags * 256 + LayoutFlags2, LayoutCode(nm, nf));
                    }
        QCOMPARE(SetupA + SetupB + SetupChars, QString(192, u'0')); // the image is left alone
    }

    void normaliseExamples()
    {
        const struct { int option, ext, mode, function, newMode, newFunction, preset; } rows[] = {
            {1, 0, 4, 0, 4, 1, 0},    // basic dual board: Time Interval A to B
            {1, 0, 5, 1, 0, 1, 0},    // basic dual board has no Stopwatch: Rate A Only
            {1, 1, 2, 9, 2, 9, 1},    // Total UpDnCtl shows the preset
            {2, 1, 2, 8, 8, 8, 0},    // V-F board moves Total to its own modes
            {3, 0, 5, 9, 12, 0, 1},   // basic quadrature: Total
            {0, 1, 0, 4, 0, 1, 0},    // no board, unknown function
            {0, 0, 15, 9, 15, 1, 0},  // a mode no table knows keeps its code
        };
        for (const auto& r : rows) {
            InputOption = r.option;
            ExtendedMode = r.ext;
            ModeCode = r.mode;
            FunctionCode = r.function;
            LayoutFlags = LayoutFlags2 = PresetShown = 77;
            NormaliseModeFunction();
            QCOMPARE(QList<int>({ModeCode, FunctionCode, PresetShown}),
                     QList<int>({r.newMode, r.newFunction, r.preset}));
            QCOMPARE(LayoutFlags * 256 + LayoutFlags2, LayoutCode(r.newMode, r.newFunction));
        }
    }

    void captions()
    {
        const struct { int mode, function, batItm2; QString item1, item2, item3; } rows[] = {
            {1, 11, 0, "PeriodA+PeriodB", "Period A", "Period B"},
            {0, 15, 0, "(Rate A/Rate B)-1", "Rate A", "Rate B"},
            {0, 2, 0, "Batch A", "Grand Total A", "Rate A"},
            {9, 2, 1, "Batch A", "No. of Batches A", "Rate A"},
            {2, 4, 0, "Total A-B UpDn", "Total B", "Total B"},
            {2, 7, 0, "Total B", "Rate A", "Total B"},
            {5, 1, 0, "Time A to B", "Total Time A-B", "Uh-Oh3"},
            {12, 0, 0, "Total", "", ""},
        };
        for (const auto& r : rows) {
            // Fill the byte around the Batch Item 2 bit so a wrong bit shows.
            QVERIFY(SetSetupBits(7, 0, field::BatItm2.pos, r.batItm2 ? 0x02 : 0xFD));
            FunctionCode = r.function;
            const int layout = ItemLayoutOf(r.mode, r.function);
            QCOMPARE(Item1Name(layout, r.mode), r.item1);
            QCOMPARE(Item2Name(layout, r.mode), r.item2);
            QCOMPARE(Item3Name(layout, r.mode), r.item3);
        }
    }

    void pageTwoRules()
    {
        QCOMPARE(ModeFunctionRule2(12, 0), 1);
        QCOMPARE(ModeFunctionRule3(12, 1) * 10 + ModeFunctionRule3(12, 0), 1);
        QCOMPARE(ModeFunctionRule3(8, 15), 0);
    }
};

QTEST_GUILESS_MAIN(TestModeModel)
#include "tst_modemodel.moc"
