// Setup page 1 against the setup image: what showing the page may change,
// the mode/function cascade, the handlers' stores, and a round trip from a
// setup file through the page to a saved file.

#include "support/FormTestKit.h"
#include "help/HelpState.h"
#include "mainmenu/FileDialog.h"
#include "mainmenu/SetupFiles.h"
#include "mainmenu/frmMMenu.h"
#include "pages/Shared.h"
#include "pages/Windows.h"
#include "pages/frmEntVal.h"
#include "pages/frmSetup1.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "setup/DefaultImage.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"

#include "link/Link.h"
#include "setup/NumberCoding.h"
#include "support/ImageKit.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace pages;
using namespace setup;
using namespace emu;

namespace {

frmSetup1* ShowPage1()
{
    frmSetup1::ShowPage();
    emu::Settle();
    return platform::Find<frmSetup1>();
}

// Runs `act` once the modal value-entry dialog is up.
void WhenEntryShown(std::function<void(frmEntVal*)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dlg = platform::Find<frmEntVal>();
        QVERIFY(dlg && dlg->isVisible());
        act(dlg);
    });
}

bool Shown(QWidget* w) { return w && !w->isHidden(); }

// The items whose use hangs on the board, mode and function.
QString Usable(frmSetup1* p)
{
    return emu::InUse({{"slope A", p->cboTrigSlpA[0]}, {"slope B", p->cboTrigSlpB[0]},
                       {"slope A", p->cboTrigSlpA[1]}, {"slope B", p->cboTrigSlpB[1]},
                       {"time-out", p->txtTimeOut}, {"neg", p->cboNegSamp}, {"value", p->cboDVal},
                       {"items", p->cboDspyN}, {"curve", p->cboCusCrv}, {"batch", p->cboBatCount}});
}

} // namespace

class TstPage1 : public QObject {
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

    // Showing the page fills it from the image and must leave the image as it
    // was, but for the display item count, which it brings into range.
    void showingChangesNothing_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Edit>("expected");
        const Edit none = [] {};
        QTest::newRow("default") << none << none;
        QTest::newRow("no input board") << Edit([] { Bits(2, 0, 57, NoBoard); }) << none;
        QTest::newRow("V-F converter") << Edit([] { Bits(2, 0, 57, VF); Bits(7, 0, 63, 0x80); }) << none;
        QTest::newRow("quadrature") << Edit([] { Bits(2, 0, 57, Quad); Bits(7, 0, 63, 0xC0); }) << none;
        QTest::newRow("basic meter") << Edit([] { Bits(3, 2, 49, 0); }) << none;
        QTest::newRow("stopwatch clock")
            << Edit([] { Bits(7, 4, 63, 5); Bits(7, 4, 49, 5); Bits(5, 5, 61, 1); }) << none;
        QTest::newRow("curve with square root bit")
            << Edit([] { Bits(2, 0, 57, VF); Bits(7, 0, 63, 0x80); Bits(3, 2, 49, 2); Bits(1, 1, 49, 1); })
            << none;
        QTest::newRow("batch") << Edit([] { Bits(3, 0, 63, 2); }) << none;
        QTest::newRow("compound rate") << Edit([] { Bits(3, 0, 63, 11); }) << none;
        QTest::newRow("display type 13") << Edit([] { Bits(7, 4, 49, 13); }) << none;
        QTest::newRow("board code 5") << Edit([] { Bits(2, 0, 57, 5); }) << none;
        QTest::newRow("decimal points 0 and 7") << Edit([] { Bits(7, 0, 15, 0x70); }) << none;
        QTest::newRow("multiplier 12") << Edit([] { Bits(3, 0, 29, 12); Bits(3, 0, 19, 15); }) << none;
        QTest::newRow("mode 15") << Edit([] { Bits(7, 4, 63, 15); }) << none;
        QTest::newRow("item count 0") << Edit([] { Bits(1, 0, 21, 0); })
                                      << Edit([] { Bits(1, 0, 21, 1); });
        QTest::newRow("item count 3 where 2 is the most")
            << Edit([] { Bits(1, 0, 21, 3); }) << Edit([] { Bits(1, 0, 21, 2); });
    }
    void showingChangesNothing()
    {
        QFETCH(Edit, edit);
        QFETCH(Edit, expected);
        edit();
        const QString before = Image();
        expected();
        const QString want = Image();
        SetupB = before.section('|', 1, 1);
        frmSetup1* page = ShowPage1();
        QVERIFY(page);
        QCOMPARE(Image(), want);
        QCOMPARE(page->PageReady, 1);
        // And a second showing finds nothing more to do.
        page->hide();
        ShowPage1();
        QCOMPARE(Image(), want);
    }

    void outOfRangeCodesSelectNothing()
    {
        Bits(7, 4, 49, 13);
        Bits(7, 0, 15, 0x70);
        frmSetup1* page = ShowPage1();
        QCOMPARE(page->cboDType->ListIndex(), -1);
        QCOMPARE(page->cboDecPt1[0]->ListIndex(), -1);
        // A pick on the page stores again.
        page->cboDecPt1[0]->SetListIndex(2);
        QCOMPARE(GetSetupBits(2, 0, 15), 3);
        QCOMPARE(GetSetupBits(6, 4, 15), 7);
    }

    void revisionCaption()
    {
        meterlink::MeterRevision = 34;
        QCOMPARE(ShowPage1()->windowTitle(), QString("COUNTER SETUP  PAGE  1  "));
        meterlink::MeterRevision = 35;
        QCOMPARE(ShowPage1()->windowTitle(), QString("COUNTER SETUP PAGE 1    REVISION  35"));
        meterlink::MeterRevision = 0;
    }

    void boardChoiceCascades()
    {
        frmSetup1* page = ShowPage1();
        page->cboInOpt->SetListIndex(2); // "V-F Converter"
        QCOMPARE(GetSetupBits(2, 0, 57), 4);
        QCOMPARE(InputOption, 2);
        QCOMPARE(GetSetupBits(7, 4, 63), 8);
        QCOMPARE(page->cboMode->List(0), QString("VF 4-20 mA"));
        QCOMPARE(page->cboFunction->ListCount() > 0, true);
        QCOMPARE(page->cboFunction->List(page->cboFunction->ListIndex()),
                 FunctionName(8, GetSetupBits(3, 0, 63)));
        QVERIFY(Shown(page->fraRd0In));

        page->cboInOpt->SetListIndex(3); // "Quadrature"
        QCOMPARE(GetSetupBits(2, 0, 57), 2);
        QCOMPARE(GetSetupBits(7, 4, 63), 12);
        QVERIFY(Shown(page->fraPulses));
        QVERIFY(!Shown(page->fraDspyN));

        page->cboInOpt->SetListIndex(1); // "Dual Sig Cond"
        page->cboMode->SetListIndex(3);  // "Time Interval"
        QCOMPARE(GetSetupBits(7, 4, 63), 4);
        QCOMPARE(ModeCode, 4);
    }

    void layoutsShowTheirFrames_data()
    {
        QTest::addColumn<int>("layout");
        for (int layout = 0; layout < 4; ++layout)
            QTest::newRow(qPrintable(QString("layout %1").arg(layout))) << layout;
    }
    void layoutsShowTheirFrames()
    {
        QFETCH(int, layout);
        // The first pair of the dual signal conditioner's modes with that layout.
        int mode = -1, function = -1;
        for (int m : {0, 1, 2, 4, 5, 6})
            for (int f = 0; f < 16 && mode < 0; ++f)
                if (!FunctionName(m, f).isEmpty() && ItemLayoutOf(m, f) == layout)
                    mode = m, function = f;
        QVERIFY(mode >= 0);
        frmSetup1* page = ShowPage1();
        page->cboMode->SetListIndex(mode > 2 ? mode - 1 : mode);
        page->cboFunction->SetListIndex(page->FunctionListPos[function]);
        QCOMPARE(GetSetupBits(7, 4, 63), mode);
        QCOMPARE(GetSetupBits(3, 0, 63), function);
        QCOMPARE(ItemLayout, layout);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Shown(page->fraItem1[i]), i == layout);
        QCOMPARE(Shown(page->fraItem2[0]), layout == 2);
        QCOMPARE(Shown(page->fraItem2[1]), layout == 3);
        QCOMPARE(page->lblItem1[layout]->text(), Item1Name(layout, mode));
        // Batch only on layout 3; no slope A, filter or square root on layout 1.
        QCOMPARE(page->cboBatCount->ListCount() > 0, layout == 3);
        if (layout == 1)
            QVERIFY(!Shown(page->chkSqRt[0]) && !Shown(page->chkSqRt[1]));
        // Showing the page again lays out the same.
        page->hide();
        ShowPage1();
        QCOMPARE(ItemLayout, layout);
    }

    // Slope B only where input B is used, slope A only on the dual signal
    // conditioner, the time-out where the meter waits for a signal, negative
    // samples where a total is kept, the display value where a filter works,
    // the item count where there are more items, the curve where one fits.
    void itemsInUse_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<int>("pair"); // mode * 16 + function
        QTest::addColumn<QString>("usable");
        const auto row = [](const char* name, Board board, int pair, const char* usable) {
            QTest::newRow(name) << int(board) << pair << QString(usable);
        };
        row("time interval A to B", DualSC, 0x41,
            "slope A on, slope B on, time-out on, neg grey, value on, items grey, curve grey");
        row("stopwatch A to A", DualSC, 0x50,
            "slope A on, slope B grey, time-out grey, neg grey, value grey, items on, curve grey");
        row("rate A, A total", DualSC, 0x03,
            "slope A on, slope B grey, time-out on, neg on, value on, items on, curve on");
        row("total A only", DualSC, 0x21,
            "slope A on, slope B grey, time-out grey, neg grey, value grey, items grey, curve on");
        row("total B, A rate", DualSC, 0x27, "slope B on, time-out on, neg grey, value on, items on");
        row("total burst", DualSC, 0x26, "slope B grey, time-out on, neg grey, value on, items on");
        row("rate batch", DualSC, 0x02, "time-out grey, neg grey, value on, items on, batch on");
        row("V-F batch", VF, 0x82, "time-out on, neg on, value on, items on, batch grey");
        row("V-F A total, A", VF, 0x88, "slope B grey, time-out grey, neg on, value on, items on");
        row("V-F A only", VF, 0x81,
            "slope A grey, slope B grey, time-out grey, neg grey, value on, items grey, curve on");
        row("quadrature rate", Quad, 0xC1, "slope A grey, time-out on, neg grey, value on");
    }
    void itemsInUse()
    {
        QFETCH(int, board);
        QFETCH(int, pair);
        QFETCH(QString, usable);
        Bits(2, 0, 57, board);
        Bits(7, 0, 63, pair);
        QCOMPARE(Usable(ShowPage1()), usable);
    }

    void curveChoices()
    {
        Bits(2, 0, 57, VF);
        Bits(7, 0, 63, 0x80);
        Bits(1, 1, 49, 1); // square root on
        frmSetup1* page = ShowPage1();
        QVERIFY(page->cboCusCrv->isEnabled());
        page->cboCusCrv->SetListIndex(1); // " Curve #1"
        QCOMPARE(GetSetupBits(3, 2, 49), 2);
        QCOMPARE(GetSetupBits(1, 1, 49), 0); // a curve replaces the square root
        QVERIFY(!page->chkSqRt[0]->isEnabled());
        QCOMPARE(platform::BackColor(page->cboCusCrv), ColorLightYellow);

        // Extended again on a Curve #1 setup keeps the curve.
        page->optExtended_Click();
        QCOMPARE(GetSetupBits(3, 2, 49), 2);
        page->optBasic_Click();
        QCOMPARE(GetSetupBits(3, 2, 49), 0);
        page->optExtended_Click();
        QCOMPARE(GetSetupBits(3, 2, 49), 1);

        // Curve #2 without the V-F board is shown red but stored.
        page->cboInOpt->SetListIndex(1);
        page->cboCusCrv->SetListIndex(2);
        QCOMPARE(page->cboCusCrv->List(2), QString(" #2 Not Available"));
        QCOMPARE(GetSetupBits(3, 2, 49), 3);
        QCOMPARE(platform::BackColor(page->cboCusCrv), ColorRed);
    }

    void clockDisplayLocksDecimalPoint()
    {
        frmSetup1* page = ShowPage1();
        page->cboDType->SetListIndex(5); // " Clock hhmmss"
        QCOMPARE(GetSetupBits(7, 4, 49), 5);
        QVERIFY(!page->cboDecPt1[0]->isEnabled());
        QCOMPARE(help::HelpTopic, 1126);
        page->cboDType->SetListIndex(7);
        QCOMPARE(help::HelpTopic, 1122); // remote display types take their own topic
    }

    // The value entry returns to a page that still stores the user's choices.
    void listChoiceAfterValueEntryIsStored()
    {
        frmSetup1* page = ShowPage1();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        TextBox* gate = page->txtGateTime;
        WhenEntryShown([](frmEntVal* dlg) {
            QTest::keyClick(dlg->txtDigit(4), Qt::Key_2);
            dlg->cmdOK_Click();
        });
        QTest::mouseClick(gate, Qt::LeftButton, {}, QPoint(5, 5));
        emu::Settle();
        QCOMPARE(EntryActive, 0);
        QCOMPARE(page->PageReady, 1);
        QCOMPARE(gate->Text(), QString("002.10"));
        QCOMPARE(SetupB.mid(40, 4), QString("00D2"));
        QVERIFY(page->cmdMMenu->hasFocus() || !QApplication::focusWidget());

        page->cboDVal->SetListIndex(0);
        QCOMPARE(GetSetupBits(4, 4, 59), 0);
        page->cboLeadZ->SetListIndex(1);
        QCOMPARE(GetSetupBits(6, 6, 61), 1);
    }

    // Each trigger-slope list shows its own bit of byte 23.
    void slopesShowTheirOwnBits()
    {
        Bits(1, 0, 23, 2); // slope A negative, slope B positive
        frmSetup1* page = ShowPage1();
        QCOMPARE(ItemLayout, 0);
        QCOMPARE(page->cboTrigSlpA[0]->ListIndex(), 1);
        QCOMPARE(page->cboTrigSlpB[0]->ListIndex(), 0);
    }

    // Page 1 opens the dialog high for its scaling boxes and times item 1's
    // offset in a stopwatch; page 2 does both the other way round.
    void scalingBoxesHandOver()
    {
        Bits(7, 4, 63, 5); // stopwatch
        Bits(7, 4, 49, 5); // clock display: stopwatch time format 5
        Bits(7, 0, 15, 0x23); // item 1 three decimals, item 2 two
        frmSetup1* page = ShowPage1();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        QCOMPARE(StopwatchTimeFormat, 5);
        const int copy = ItemLayoutEntry(ItemLayout, 1);
        QVERIFY(copy >= 0 && copy <= 2);
        TextBox* offset = page->scale1[std::size_t(copy)].txtOffset;
        int pos = -1, decPt = -1, timeFormat = -1, top = -1;
        WhenEntryShown([&](frmEntVal* dlg) {
            pos = EntryPos, decPt = EntryDecPt, timeFormat = EntryTimeFormat, top = dlg->y();
            dlg->cmdCANCEL_Click();
        });
        emit offset->Click();
        emu::Settle();
        QCOMPARE(pos, 37);
        QCOMPARE(decPt, 3);
        QCOMPARE(timeFormat, TimeFormatStopwatch);
        QCOMPARE(top, platform::Px(1500));
    }

    void focusTopics()
    {
        frmSetup1* page = ShowPage1();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        page->activateWindow();
        page->cboInOpt->setFocus();
        QCOMPARE(help::HelpTopic, 1101);
        page->scale1[0].txtOffset->setFocus();
        QCOMPARE(help::HelpTopic, 1139);
        page->cboFunction->SetListIndex(page->FunctionListPos[2]); // batch
        page->scale1[2].txtScale->setFocus();
        QCOMPARE(help::HelpTopic, 1157);
    }

    // Open a setup file, change it on the page, save it: the file holds the
    // change and nothing else.
    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("plant.CTR");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write((DefaultSetupAText + DefaultSetupBText + DefaultSetupCharsText).toLatin1() + "\r\n");
        }
        mainmenu::SetFileDialogAnswerer([&](const mainmenu::FileDialogRequest&) { return std::optional<QString>(path); });
        auto* menu = platform::Load<mainmenu::frmMMenu>();
        menu->Show();
        menu->mnuOpen_Click();
        QVERIFY(menu->mnuSetup->isEnabled() || menu->mnuView->isEnabled());
        menu->mnuSetup->trigger();
        emu::Settle();
        frmSetup1* page = platform::Find<frmSetup1>();
        QVERIFY(page && page->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(page));

        page->cboTimConst[0]->SetListIndex(3); // " 0. 4 Sec"
        WhenEntryShown([](frmEntVal* dlg) {
            QTest::keyClick(dlg->txtDigit(3), Qt::Key_1);
            QTest::keyClick(dlg->txtDigit(4), Qt::Key_5);
            QTest::keyClick(dlg->txtDigit(5), Qt::Key_Return);
        });
        QTest::mouseClick(page->txtTimeOut, Qt::LeftButton, {}, QPoint(5, 5));
        emu::Settle();
        page->cmdMMenu_Click();
        emu::Settle();
        menu->mnuSave_Click();
        mainmenu::SetFileDialogAnswerer({});

        QString expectB = DefaultSetupBText;
        expectB.replace(58, 2, "0B");   // time constant 3 in byte 59
        expectB.replace(36, 4, "05DC"); // time-out 15.00 s
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(f.readAll()).trimmed(), DefaultSetupAText + expectB + DefaultSetupCharsText);
    }
};

QTEST_MAIN(TstPage1)
#include "tst_page1.moc"
