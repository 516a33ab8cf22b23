// Setup page 2 against the setup image: what showing the page may change
// (nothing), which item frame each mode and function gets, every list's and
// check box's store, the alarm source check, the value boxes' hand-off to
// the value-entry dialog, and the way between the pages.

#include "support/FormTestKit.h"
#include "help/HelpState.h"
#include "mainmenu/frmMMenu.h"
#include "pages/Shared.h"
#include "pages/Windows.h"
#include "pages/frmEntVal.h"
#include "pages/frmSetup1.h"
#include "pages/frmSetup2.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "setup/DefaultImage.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"
#include "support/ImageKit.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace pages;
using namespace setup;
using namespace emu;

namespace {

// The input board that offers a mode.
int BoardOf(int mode) { return mode >= 12 ? Quad : mode >= 8 ? VF : DualSC; }

// Stores a mode and function pair with its board on an Extended meter.
void SetPair(int mode, int function)
{
    Bits(2, 0, 57, BoardOf(mode));
    Bits(7, 4, 63, mode);
    Bits(3, 0, 63, function);
    if (GetSetupBits(3, 2, 49) == 0)
        Bits(3, 2, 49, 1);
}

// The first offered pair that satisfies `match`, as mode * 16 + function.
int FindPair(const std::function<bool(int, int)>& match)
{
    for (int m : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12})
        for (int f = 0; f < 16; ++f)
            if (!FunctionName(m, f).isEmpty() && match(m, f))
                return m * 16 + f;
    return -1;
}

int FlagsOf(int mode, int function) { return LayoutCode(mode, function) & 255; }

int FilteredOf(int mode, int function)
{
    const int keep = LayoutFlags;
    LayoutFlags = LayoutCode(mode, function) / 256;
    const int item = FilteredItemOf(mode, function);
    LayoutFlags = keep;
    return item;
}

// Stores the first offered pair of that item layout.
void SetLayout(int layout)
{
    const int pair = FindPair([layout](int m, int f) { return ItemLayoutOf(m, f) == layout; });
    QVERIFY(pair >= 0);
    SetPair(pair / 16, pair % 16);
}

frmSetup2* ShowPages12()
{
    frmSetup1::ShowPage();
    emu::Settle();
    frmSetup2::ShowPage();
    emu::Settle();
    return platform::Find<frmSetup2>();
}

template <class T> T* Child(QWidget* page, const QString& name)
{
    auto* w = page->findChild<T*>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

bool Shown(const QWidget* w) { return w && !w->isHidden(); }

// Runs `act` once the modal value-entry dialog is up.
void WhenEntryShown(std::function<void(frmEntVal*)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dlg = platform::Find<frmEntVal>();
        QVERIFY(dlg && dlg->isVisible());
        act(dlg);
    });
}

struct Handoff {
    int kind = -1, pos = -1, decPt = -1, timeFormat = -1, top = -1;
};

// Clicks a value box and reports what the dialog was handed; cancels.
Handoff ClickValueBox(TextBox* box)
{
    Handoff h;
    WhenEntryShown([&h](frmEntVal* dlg) {
        h = {EntryKind, EntryPos, EntryDecPt, EntryTimeFormat, dlg->y()};
        dlg->cmdCANCEL_Click();
    });
    emit box->Click();
    emu::Settle();
    return h;
}

} // namespace

class TstPage2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitTables();
        pages::RegisterWindows();
        platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    }

    void init() { LoadDefault(); }

    void cleanup()
    {
        platform::CloseAllForms();
        emu::Settle();
    }

    // Showing page 2 (after page 1, as the user reaches it) leaves the image
    // as it was, also where a stored code has no list entry.
    void showingChangesNothing_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("default") << Edit([] {});
        QTest::newRow("no relay board") << Edit([] { Bits(6, 6, 57, 0); });
        QTest::newRow("basic meter") << Edit([] { Bits(3, 2, 49, 0); });
        QTest::newRow("stopwatch clock") << Edit([] { SetPair(5, 0); Bits(7, 4, 49, 5); });
        QTest::newRow("V-F curve and square root")
            << Edit([] { SetPair(8, 0); Bits(3, 2, 49, 2); Bits(1, 1, 49, 1); });
        QTest::newRow("quadrature") << Edit([] { SetPair(12, 1); });
        // Alarm states 3, decimal points 0 and 7, multipliers 12 and 15,
        // sources 0 and 3, display type 13.
        QTest::newRow("codes without an entry") << Edit([] {
            Bits(3, 0, 67, 15);
            Bits(7, 0, 15, 0x70);
            Bits(7, 0, 29, 0xFC);
            Bits(3, 0, 33, 3);
            Bits(7, 4, 49, 13);
        });
        QTest::newRow("all alarm and filter bits set")
            << Edit([] { SetPair(0, 6); Bits(6, 0, 59, 0x7F); Bits(7, 0, 67, 0xFF); Bits(5, 0, 65, 0x3F); });
    }
    void showingChangesNothing()
    {
        QFETCH(Edit, edit);
        edit();
        frmSetup1::ShowPage();
        emu::Settle();
        const QString before = Image();
        frmSetup2::ShowPage();
        emu::Settle();
        frmSetup2* page = platform::Find<frmSetup2>();
        QVERIFY(page && page->isVisible());
        QCOMPARE(Image(), before);
        QCOMPARE(page->PageReady, 1);
        page->hide();
        frmSetup2::ShowPage();
        QCOMPARE(Image(), before);
    }

    // The way the user goes: page 1, 2, 3 shown in turn change nothing.
    void pagesOneToThreeKeepTheImage_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("default") << Edit([] {});
        QTest::newRow("out-of-range codes") << Edit([] {
            Bits(3, 0, 67, 15);
            Bits(7, 0, 15, 0x70);
            Bits(7, 0, 29, 0xFC);
        });
    }
    void pagesOneToThreeKeepTheImage()
    {
        QFETCH(Edit, edit);
        edit();
        const QString before = Image();
        frmSetup1* p1 = (frmSetup1::ShowPage(), emu::Settle(), platform::Find<frmSetup1>());
        p1->cmdNextPage_Click();
        emu::Settle();
        frmSetup2* p2 = platform::Find<frmSetup2>();
        QVERIFY(p2 && p2->isVisible());
        p2->cmdNextPage_Click();
        emu::Settle();
        QVERIFY(!p2->isVisible());
        QCOMPARE(Image(), before);
    }

    // Copies are named "name(i)", and every control that takes a value is
    // named for screen readers.
    void controlsAndCaptions()
    {
        frmSetup2* page = ShowPages12();
        QCOMPARE(page->fraItem3[0]->title(), QString(" Item 3  L2"));
        for (const char* name : {"txtSetPt2", "optCoord2(2)", "cboDecPt1(1)", "lblItem3(3)"})
            QVERIFY2(page->findChild<QWidget*>(name), name);
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!qobject_cast<QComboBox*>(w) && !qobject_cast<QLineEdit*>(w)
                && !qobject_cast<QAbstractButton*>(w))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a && !a->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(w->objectName()));
        }
    }

    // Shown before page 1 has arranged anything, the page works the layout
    // out from the image instead of using copies that do not exist.
    void shownWithoutPageOne()
    {
        SetPair(0, 11);
        ItemLayout = 9;
        FilteredItem = 9;
        const QString before = Image();
        frmSetup2::ShowPage();
        emu::Settle();
        frmSetup2* page = platform::Find<frmSetup2>();
        QCOMPARE(ItemLayout, 2);
        QVERIFY(page->fraItem3[0]->isVisibleTo(page));
        QCOMPARE(page->PageReady, 1);
        QCOMPARE(Image(), before);
    }

    void outOfRangeCodesSelectNothing()
    {
        Bits(3, 0, 67, 15);  // both alarm states 3
        Bits(7, 0, 15, 0x70); // decimal points 0 and 7
        Bits(7, 4, 29, 12);
        frmSetup2* page = ShowPages12();
        QCOMPARE(page->cboState1->ListIndex(), -1);
        QCOMPARE(page->cboState2->ListIndex(), -1);
        QCOMPARE(page->cboDecPt2[0]->ListIndex(), -1);
        QCOMPARE(page->scale2[0].cboMult->ListIndex(), -1);
        // A pick stores again, and only its own field.
        page->cboState1->SetListIndex(2);
        QCOMPARE(GetSetupBits(1, 0, 67), 2);
        QCOMPARE(GetSetupBits(3, 2, 67), 3);
    }

    // Every offered pair: at most one item frame, with the item's name, and
    // the slopes, filter, square root and coordinates of its layout.
    void itemFramesByPair_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("function");
        for (int m : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12})
            for (int f = 0; f < 16; ++f)
                if (!FunctionName(m, f).isEmpty())
                    QTest::newRow(qPrintable(QString("mode %1 function %2").arg(m).arg(f))) << m << f;
    }
    void itemFramesByPair()
    {
        QFETCH(int, mode);
        QFETCH(int, function);
        SetPair(mode, function);
        frmSetup1::ShowPage();
        emu::Settle();
        const QString before = Image();
        frmSetup2* page = (frmSetup2::ShowPage(), emu::Settle(), platform::Find<frmSetup2>());
        QCOMPARE(Image(), before);
        QCOMPARE(ModeCode, mode);
        QCOMPARE(FunctionCode, function);
        const int layout = ItemLayoutOf(mode, function);
        QCOMPARE(ItemLayout, layout);

        std::vector<QGroupBox*> frames{page->fraItem2[0], page->fraItem2[1], page->fraItem3[0], page->fraItem3[1]};
        QGroupBox* expected = nullptr;
        if (layout >= 2 && ModeFunctionRule3(mode, function) == 0)
            expected = page->fraItem3[layout - 2];
        if (layout < 2 && ModeFunctionRule2(mode, function) == 0)
            expected = page->fraItem2[layout];
        for (QGroupBox* f : frames)
            QCOMPARE(Shown(f), f == expected);
        if (expected && layout >= 2)
            QCOMPARE(page->lblItem3[layout]->text(), Item3Name(layout, mode));
        if (expected && layout < 2)
            QCOMPARE(page->lblItem2[layout]->text(), Item2Name(layout, mode));

        // Slope A, filter and square root live in layouts 1 and 3; slope B in 0 and 2.
        const int a = layout == 1 ? 0 : layout == 3 ? 1 : -1;
        const int b = layout == 0 ? 0 : layout == 2 ? 1 : -1;
        const bool framed = expected != nullptr;
        auto seen = [page](QWidget* w) { return w->isVisibleTo(page); };
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(seen(page->fraTrigSlpA[i]), framed && i == a);
            QCOMPARE(seen(page->fraTrigSlpB[i]), framed && i == b);
            QCOMPARE(seen(page->chkSqRt[i]), framed && i == a);
        }
        if (a >= 0)
            QCOMPARE(Shown(page->fraFilter[a]), FilteredItem == 2 || FilteredItem == 3);
        // Item 2 of the V-F modes is only ever scaled.
        if (mode >= 8 && mode <= 10 && layout != 1)
            QVERIFY(!page->scale2[layout == 0 ? 0 : layout == 2 ? 1 : 2].optCoord->isEnabled());
    }

    // Each list, every copy, every entry: the user's pick writes exactly its
    // own field, with the +1 codes where the list starts at code 1.
    void listsStoreTheirField_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("layout"); // one that fills the list
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("add");
        auto row = [](const QString& n, int layout, int hi, int lo, int pos, int add = 0) {
            QTest::newRow(qPrintable(n)) << n << layout << hi << lo << pos << add;
        };
        // A sample: the upper alarm state, the +1 codes, the copies of
        // another layout, fields of one bit and of several.
        row("cboState2", 0, 3, 2, 67);
        row("cboNoRdgsAlm", 0, 2, 0, 65);
        row("cboSource1", 0, 3, 2, 33);
        row("cboCusCrv", 0, 3, 2, 49, 1);
        row("cboMult1", 1, 3, 0, 29);
        row("cboMult2(2)", 3, 7, 4, 29);
        row("cboDecPt1(1)", 2, 2, 0, 15, 1);
        row("cboDecPt2(1)", 3, 6, 4, 15, 1);
        row("cboTrigSlpB(1)", 2, 0, 0, 23);
        row("cboFType(0)", 1, 6, 6, 59);
    }
    void listsStoreTheirField()
    {
        QFETCH(QString, name);
        QFETCH(int, layout);
        QFETCH(int, hi);
        QFETCH(int, lo);
        QFETCH(int, pos);
        QFETCH(int, add);
        SetLayout(layout);
        frmSetup2* page = ShowPages12();
        QCOMPARE(ItemLayout, layout);
        const QString imageA = SetupA;
        auto* combo = Child<ComboBox>(page, name);
        QVERIFY(combo);
        QVERIFY(combo->ListCount() > 1);
        for (int i = combo->ListCount() - 1; i >= 0; --i) {
            const QString before = SetupB;
            combo->SetListIndex(i);
            const QString after = SetupB;
            QCOMPARE(GetSetupBits(hi, lo, pos), i + add);
            // Nothing else of the image moves.
            SetupB = before;
            Bits(hi, lo, pos, i + add);
            const QString expect = SetupB;
            SetupB = after;
            QCOMPARE(after, expect);
            QCOMPARE(SetupA, imageA);
            QCOMPARE(page->PageReady, 1);
        }
    }

    // Slope B where the page's item uses input B, slope A where it uses
    // input A; either copy, as the layout places it.
    void slopesInUse_data()
    {
        QTest::addColumn<int>("pair"); // mode * 16 + function
        QTest::addColumn<QString>("slopes");
        QTest::newRow("rate A, B") << 0x00 << "B on";
        QTest::newRow("stopwatch A to B") << 0x51 << "B grey";
        QTest::newRow("rate A + B") << 0x0B << "B on";
        QTest::newRow("quadrature rate") << 0xC1 << "B grey";
        QTest::newRow("total burst") << 0x26 << "A on";
        QTest::newRow("V-F A total, A") << 0x88 << "A grey";
        QTest::newRow("rate batch") << 0x02 << "A on";
        QTest::newRow("V-F batch") << 0x82 << "A grey";
    }
    void slopesInUse()
    {
        QFETCH(int, pair);
        QFETCH(QString, slopes);
        SetPair(pair / 16, pair % 16);
        frmSetup2* p = ShowPages12();
        QCOMPARE(InUse({{"A", p->cboTrigSlpA[0]}, {"B", p->cboTrigSlpB[0]}, {"A", p->cboTrigSlpA[1]},
                        {"B", p->cboTrigSlpB[1]}}),
                 slopes);
    }

    void checksAndOptionsStore()
    {
        // A square root box that may be used (batch: layout 3, copy 1).
        const int pair = FindPair([](int m, int f) {
            const int l = ItemLayoutOf(m, f);
            return (l == 1 || l == 3) && (FlagsOf(m, f) & 8) && !(FlagsOf(m, f) & 16);
        });
        QVERIFY(pair >= 0);
        SetPair(pair / 16, pair % 16);
        Bits(3, 3, 65, 1); // alarm 1 Hysteresis, alarm 2 Band
        Bits(4, 4, 65, 0);
        frmSetup2* page = ShowPages12();
        QCOMPARE(page->cboDevType1->ListIndex(), 1);
        QCOMPARE(page->cboDevType2->ListIndex(), 0);
        CheckBox* box = page->chkSqRt[ItemLayout == 1 ? 0 : 1];
        QVERIFY(box->isEnabled());
        const QString before = SetupB;
        box->click();
        QCOMPARE(GetSetupBits(1, 1, 49), 1);
        box->click();
        QCOMPARE(SetupB, before);

        page->chkDevStatus->click();
        QCOMPARE(GetSetupBits(5, 5, 65), 1);
        QVERIFY(!page->fraDevn1->isEnabled() && !page->fraDevType2->isEnabled());
        QCOMPARE(platform::ForeColor(page->cboDevType1), ColorGray);
        QCOMPARE(SetupA, DefaultSetupAText); // the deviations themselves stay
        page->chkDevStatus->click();
        QCOMPARE(SetupB, before);
        QVERIFY(page->fraDevn1->isEnabled());
        QCOMPARE(platform::ForeColor(page->txtDevn2), ColorBlack);
    }

    void channelOneOptionsStore()
    {
        SetLayout(1);
        frmSetup2* page = ShowPages12();
        const QString before = SetupB;
        QVERIFY(page->scale1.optCoord->isEnabled());
        page->scale1.optCoord->click();
        QCOMPARE(GetSetupBits(5, 5, 61), 1);
        QCOMPARE(help::HelpTopic, 1135);
        QVERIFY(page->scale1.txtLoIn->isEnabled() && !page->scale1.txtScale->isEnabled());
        page->scale1.optScale->click();
        QCOMPARE(GetSetupBits(5, 5, 61), 0);
        QCOMPARE(help::HelpTopic, 1137);
        QVERIFY(!page->scale1.txtLoIn->isEnabled() && page->scale1.txtScale->isEnabled());
        QCOMPARE(SetupB, before);
    }

    // A curve replaces the square root; " Disabled" leaves the stored bit.
    void curveChoices()
    {
        const int pair = FindPair([](int m, int f) { return ItemLayoutOf(m, f) == 1 && (FlagsOf(m, f) & 16); });
        if (pair < 0)
            QSKIP("no layout-1 pair offers a custom curve");
        SetPair(pair / 16, pair % 16);
        Bits(1, 1, 49, 1);
        frmSetup2* page = ShowPages12();
        QVERIFY(page->cboCusCrv->isEnabled());
        page->cboCusCrv->SetListIndex(0);
        QCOMPARE(GetSetupBits(1, 1, 49), 1);
        QCOMPARE(page->chkSqRt[0]->Value(), 0);
        page->cboCusCrv->SetListIndex(1);
        QCOMPARE(GetSetupBits(3, 2, 49), 2);
        QCOMPARE(GetSetupBits(1, 1, 49), 0);
        QCOMPARE(CusCrvActive, 1);
        QCOMPARE(page->PageReady, 1);
        if (InputOption != 2) {
            page->cboCusCrv->SetListIndex(2);
            QCOMPARE(GetSetupBits(3, 2, 49), 3);
            QCOMPARE(platform::BackColor(page->cboCusCrv), ColorRed);
        }
    }

    // A refused source is stored all the same and shown red with a beep;
    // the values then keep their points.
    void alarmSourceCheck()
    {
        const int pair = FindPair([](int m, int f) { return m < 8 && FilteredOf(m, f) == 0; });
        QVERIFY(pair >= 0);
        SetPair(pair / 16, pair % 16);
        Bits(3, 2, 33, 0); // alarm 1 on the filtered item
        frmSetup1::ShowPage();
        emu::Settle();
        QCOMPARE(FilteredItem, 0);
        const int beeps = platform::BeepCount();
        frmSetup2* page = (frmSetup2::ShowPage(), emu::Settle(), platform::Find<frmSetup2>());
        QCOMPARE(page->cboSource1->List(0), QString(" Invalid  "));
        QCOMPARE(page->cboSource1->ListIndex(), 0);
        QCOMPARE(page->AlarmSrc1, 0);
        QCOMPARE(platform::BackColor(page->cboSource1), ColorRed);
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(GetSetupBits(3, 2, 33), 0);

        page->cboSource1->SetListIndex(1);
        QCOMPARE(GetSetupBits(3, 2, 33), 1);
        QCOMPARE(page->AlarmSrc1, 1);
        QCOMPARE(platform::BackColor(page->cboSource1), ColorLightYellow);
        page->cboSource1->SetListIndex(0);
        QCOMPARE(GetSetupBits(3, 2, 33), 0);
        QCOMPARE(platform::BackColor(page->cboSource1), ColorRed);
        QCOMPARE(platform::BeepCount(), beeps + 2);
    }

    void filteredItemSource()
    {
        SetLayout(1); // burst and rate: the filtered item is item 2
        frmSetup2* page = ShowPages12();
        QCOMPARE(FilteredItem, 2);
        QCOMPARE(page->cboSource2->List(0), QString("Filtered Item2"));
        page->cboSource2->SetListIndex(0);
        QCOMPARE(page->AlarmSrc2, 2);
        QCOMPARE(GetSetupBits(1, 0, 33), 0);
    }

    // A new decimal point re-points the setpoint of an alarm on that item,
    // not the stored number.
    void decimalPointFollowsSource()
    {
        frmSetup2* page = ShowPages12(); // layout 0: item 2 uses Decimal Point 2
        page->cboSource2->SetListIndex(2);
        page->cboDecPt2[0]->SetListIndex(2);
        QCOMPARE(GetSetupBits(6, 4, 15), 3);
        QCOMPARE(DecPt2, 3);
        QCOMPARE(page->txtSetPt2->Text(), QString(" +0200. 00"));
        QCOMPARE(page->txtSetpt1->Text(), QString(" +010000."));
        QCOMPARE(SetupA, DefaultSetupAText);
        // Showing the page again formats from the image alike.
        page->hide();
        frmSetup2::ShowPage();
        QCOMPARE(page->txtSetPt2->Text(), QString(" +0200. 00"));
    }

    // What each value box hands to the dialog, and that the page still
    // stores a list choice after the entry.
    void valueBoxesHandOver()
    {
        SetPair(5, 1); // stopwatch
        Bits(7, 4, 49, 5); // clock display: stopwatch time format 5
        frmSetup2* page = ShowPages12();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        QCOMPARE(StopwatchTimeFormat, 5);
        const int layout = ItemLayout;
        QVERIFY(layout != 1);
        const int copy = layout == 0 ? 0 : layout == 2 ? 1 : 2;
        const auto& g = page->scale2[std::size_t(copy)];
        const int low = platform::Px(2900), high = platform::Px(1500);

        Handoff h = ClickValueBox(page->txtSetpt1);
        QCOMPARE(h.kind, KindReading);
        QCOMPARE(h.pos, 55);
        QCOMPARE(h.timeFormat, TimeFormatClock);
        QCOMPARE(h.top, high);

        h = ClickValueBox(g.txtOffset);
        QCOMPARE(h.pos, 25);
        QCOMPARE(h.timeFormat, TimeFormatStopwatch);
        QCOMPARE(h.decPt, layout == 2 ? DecPt1 : DecPt2);
        QCOMPARE(h.top, low);

        // A reading coordinate right after a time is entered as a number.
        EntryTimeFormat = TimeFormatStopwatch;
        h = ClickValueBox(g.txtLoRd);
        QCOMPARE(h.kind, KindReading);
        QCOMPARE(h.pos, 73);
        QCOMPARE(h.timeFormat, TimeFormatNumber);

        EntryTimeFormat = TimeFormatClock;
        h = ClickValueBox(page->txtDevn2);
        QCOMPARE(h.pos, 13);
        QCOMPARE(h.timeFormat, TimeFormatNumber);

        h = ClickValueBox(page->txtRd0In);
        QCOMPARE(h.pos, 79);
        QCOMPARE(h.top, high);

        QCOMPARE(page->PageReady, 1);
        page->cboAlm1Type->SetListIndex(1);
        QCOMPARE(GetSetupBits(4, 4, 67), 1);
    }

    void focusTopics()
    {
        frmSetup2* page = ShowPages12();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        page->activateWindow();
        // Page 2's own topics and those shared with page 1's scaling.
        const std::pair<QWidget*, int> rows[] = {
            {page->cboSource1, 1203}, {page->chkDevStatus, 1202}, {page->txtSetPt2, 1201},
            {page->cboDecPt2[0], 1131}, {page->scale2[0].txtOffset, 1139},
        };
        for (const auto& [w, topic] : rows) {
            w->setFocus();
            QCOMPARE(help::HelpTopic, topic);
        }
    }

    void navigation()
    {
        frmSetup1* p1 = (frmSetup1::ShowPage(), emu::Settle(), platform::Find<frmSetup1>());
        QTest::mouseClick(p1->cmdNextPage, Qt::LeftButton);
        emu::Settle();
        frmSetup2* p2 = platform::Find<frmSetup2>();
        QVERIFY(p2 && p2->isVisible() && !p1->isVisible());
        QCOMPARE(p2->PageReady, 1);

        QTest::mouseClick(p2->cmdPrevPage, Qt::LeftButton);
        emu::Settle();
        QVERIFY(p1->isVisible() && !p2->isVisible());
        QCOMPARE(platform::GetMousePointer(p2), platform::MousePointer::Default);

        p1->cmdNextPage_Click();
        emu::Settle();
        QTest::mouseClick(p2->cmdNextPage, Qt::LeftButton);
        emu::Settle();
        platform::Form* p3 = platform::Find(QStringLiteral("frmSetup3"));
        QVERIFY(p3 && p3->isVisible() && !p2->isVisible());
        QTest::mouseClick(p3->findChild<QPushButton*>("cmdPrevPage"), Qt::LeftButton);
        emu::Settle();
        QVERIFY(p2->isVisible() && !p3->isVisible());
        QCOMPARE(p2->PageReady, 1);

        QTest::mouseClick(p2->cmdMMenu, Qt::LeftButton);
        emu::Settle();
        QVERIFY(platform::Find<mainmenu::frmMMenu>() && platform::Find<mainmenu::frmMMenu>()->isVisible());
        QVERIFY(!p2->isVisible());

        // The close box unloads the page and shows the main menu.
        frmSetup2::ShowPage();
        emu::Settle();
        platform::Find<mainmenu::frmMMenu>()->hide();
        platform::Find<frmSetup2>()->close();
        emu::Settle();
        QVERIFY(!platform::IsLoaded<frmSetup2>());
        QVERIFY(platform::Find<mainmenu::frmMMenu>()->isVisible());
        QVERIFY(!CurTxtOffset && !CurCboMult);
    }
};

QTEST_MAIN(TstPage2)
#include "tst_page2.moc"
