// The procedures the setup pages share: where they could show or store the
// wrong thing (decimal points, sources, scaling locks), not their list texts.

#include "pages/Shared.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "setup/DefaultImage.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"
#include "support/ImageKit.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace pages;
using namespace setup;

namespace {

// One item's scaling panel, bound as a page binds it.
struct Panel {
    QWidget window;
    OptionButton* optScale;
    OptionButton* optCoord;
    TextBox *scale, *offset, *loIn, *loRd, *hiIn, *hiRd;
    ComboBox* mult;
    Panel()
    {
        auto* group = new QWidget(&window);
        optScale = new OptionButton("Scale, Offset  >", group);
        optCoord = new OptionButton("Coordinates   >", group);
        for (TextBox** b : {&scale, &offset, &loIn, &loRd, &hiIn, &hiRd})
            *b = new TextBox(&window);
        mult = new ComboBox(&window);
        CurOptScale = optScale, CurOptCoord = optCoord;
        CurTxtScale = scale, CurTxtOffset = offset, CurTxtLoIn = loIn, CurTxtLoRd = loRd;
        CurTxtHiIn = hiIn, CurTxtHiRd = hiRd, CurCboMult = mult;
    }
    bool coordinatesUsable() const
    {
        return loIn->isEnabled() && loRd->isEnabled() && hiIn->isEnabled() && hiRd->isEnabled();
    }
};

} // namespace

class TstShared : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitTables();
        platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    }

    void init()
    {
        emu::LoadDefault();
        ModeCode = FunctionCode = 0;
        CusCrvActive = 0;
        DisplayType = StopwatchTimeFormat = 0;
        ItemLayout = 0;
        DecPt1 = DecPt2 = 3;
    }

    void decimalPointMoves_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decPt");
        QTest::addColumn<QString>("moved");
        QTest::newRow("inner point") << " +1234. 56" << 4 << " +123. 456";
        QTest::newRow("point to the end") << " +1234. 56" << 1 << " +123456. ";
        QTest::newRow("already there") << " +1234. 56" << 3 << " +1234. 56";
        QTest::newRow("from the end") << " +123456. " << 6 << " +1. 23456";
        // What the entry dialog writes back has no blank after the point;
        // every digit after it must survive.
        QTest::newRow("dialog text, same point") << "+0102.00" << 3 << "+0102.00";
        QTest::newRow("dialog text, new point") << "+0102.00" << 4 << "+010. 200";
        QTest::newRow("code 0 is 1") << " +1234. 56" << 0 << " +123456. ";
        QTest::newRow("code 7 is 6") << " +123456. " << 7 << " +1. 23456";
        QTest::newRow("no point") << "123" << 2 << "12. 3";
        QTest::newRow("too short: unchanged") << "12" << 6 << "";
    }
    void decimalPointMoves()
    {
        QFETCH(QString, text);
        QFETCH(int, decPt);
        QFETCH(QString, moved);
        QCOMPARE(MoveDecimalPoint(text, decPt), moved);
        if (!moved.isEmpty())
            QCOMPARE(MoveDecimalPoint(moved, decPt), moved); // twice changes nothing more
    }

    void insertDecimalPointOnBoxes()
    {
        TextBox a, b;
        a.SetText(" +1234. 56");
        b.SetText("12");
        FormatList = {&a, &b, nullptr};
        InsertDecimalPoint(4, 2);
        QCOMPARE(a.Text(), QString(" +123. 456"));
        QCOMPARE(b.Text(), QString("12")); // cannot take it: left alone
    }

    void sources()
    {
        ComboBox list;
        CurCombo = &list;
        const int beeps = platform::BeepCount();
        FilteredItem = 0;
        FillSourceList();
        QCOMPARE(list.List(0), QString(" Invalid  "));
        QCOMPARE(CheckSource(0), 0);
        QCOMPARE(platform::BackColor(&list), ColorRed);
        QCOMPARE(CheckSource(-1), 0); // no selection is no source
        QCOMPARE(platform::BeepCount(), beeps + 2);
        QCOMPARE(CheckSource(2), 2);
        QCOMPARE(platform::BackColor(&list), ColorLightYellow);

        FilteredItem = 2;
        FillSourceList();
        QCOMPARE(list.List(0), QString("Filtered Item2"));
        QCOMPARE(list.ListCount(), 4);
        QCOMPARE(CheckSource(0), 2);
        CurCombo = nullptr;
    }

    void sourceDecimalPoints()
    {
        DecPt1 = 2, DecPt2 = 5;
        int source = 0;
        FilteredItem = 0;
        QCOMPARE(SourceDecPt(3, source), 1);
        FilteredItem = 3;
        QCOMPARE(SourceDecPt(3, source), 5);
        QCOMPARE(source, 3); // the caller learns which item it was
        source = 2;
        QCOMPARE(SourceDecPt(3, source), 0); // Grand Total A: no point
        QCOMPARE(SourceDecPt(0, source), 5);
        source = 1;
        QCOMPARE(SourceDecPt(1, source), 5);
        QCOMPARE(SourceDecPt(0, source), 2);
    }

    void characterNames()
    {
        QCOMPARE(CharName(35), QString("#"));
        QCOMPARE(CharName(13), QString("cr "));
        QCOMPARE(CharName(32), QString("sp "));
        QCOMPARE(RecogCharEntry(35), QString("Custom   '#'"));
        QCOMPARE(RecogCharEntry(13), QString("Custom  Chr$(13)"));

        SetSetupBits(7, 0, 13, 35);
        SetSetupBits(5, 5, 51, 1);
        ComboBox list;
        QLineEdit code;
        QLabel name;
        FillRecogCharList(&list, &code, &name);
        QCOMPARE(code.text(), QString(" 35"));
        QCOMPARE(name.text(), QString("#"));
        QCOMPARE(list.ListIndex(), 1);
    }

    void decimalPointListFollowsImage()
    {
        ComboBox list;
        CurCombo = &list;
        SetSetupBits(7, 0, 15, 0x04); // item 1: code 4, item 2: code 0
        FillDecPtList(0);
        QCOMPARE(DecPt1, 4);
        QCOMPARE(list.ListIndex(), 3);
        FillDecPtList(1);
        QCOMPARE(DecPt2, 0);
        QCOMPARE(list.ListIndex(), -1); // no entry for 0: nothing chosen
        QCOMPARE(list.List(0), QString(" 222222."));
        CurCombo = nullptr;
    }

    // Item 1 following a custom curve cannot be scaled at all, whichever way
    // the image says it is scaled.
    void customCurveLocksItem1()
    {
        for (int coord : {0, 1}) {
            Panel p;
            SetSetupBits(3, 2, 49, 2); // Curve #1
            SetSetupBits(5, 5, 61, coord);
            CusCrvActive = 1;
            ShowScaling(5);
            QVERIFY(!p.optScale->isEnabled() && !p.optCoord->isEnabled());
            QVERIFY(!p.optScale->Value() && !p.optCoord->Value()); // neither shown chosen
            QVERIFY(!p.scale->isEnabled() && !p.offset->isEnabled() && !p.mult->isEnabled());
            QVERIFY(!p.coordinatesUsable());
        }
    }

    void scalingChoices()
    {
        Panel p;
        SetSetupBits(5, 5, 61, 0);
        ShowScaling(5);
        QVERIFY(p.optScale->Value() && p.scale->isEnabled() && !p.coordinatesUsable());
        QCOMPARE(p.mult->ListIndex(), GetSetupBits(3, 0, 29));

        // Item 2 of the V-F modes keeps its coordinates but cannot switch to them.
        ModeCode = 9;
        SetSetupBits(4, 4, 61, 1);
        ShowScaling(4);
        QVERIFY(p.optCoord->Value() && !p.optCoord->isEnabled());
        QVERIFY(p.coordinatesUsable());
        QVERIFY(!p.scale->isEnabled());

        // A clock display cannot come from coordinates: they turn red.
        DisplayType = 5;
        ShowScaling(4);
        QCOMPARE(platform::BackColor(p.loIn), ColorRed);
        DisplayType = 0;
        ShowScaling(4);
        QCOMPARE(platform::BackColor(p.loIn), ColorWhite);
        QCOMPARE(EntryTimeFormat, 0); // nothing left over for the next entry
    }

    void bindingsDoNotDangle()
    {
        auto* window = new QWidget;
        CurCombo = new ComboBox(window);
        FormatList[0] = new TextBox(window);
        CurForm = window;
        ClearBindings(window);
        QVERIFY(!CurCombo && !FormatList[0] && !CurForm);
        delete window;
        FillSlopeList(); // with nothing bound: nothing happens
        ShowRd0In();
    }
};

QTEST_MAIN(TstShared)
#include "tst_shared.moc"
