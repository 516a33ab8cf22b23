// Setup page 3 against the setup image: what showing the page may change,
// the option-board rules, every handler's store, the character boxes
// through the value-entry dialog, the read-only calibration box, and a new
// address and baud rate chosen here reaching the meter through Put Setup.

#include "support/FormTestKit.h"
#include "support/GetPutKit.h"
#include "help/HelpState.h"
#include "help/frmAppHelp.h"
#include "link/Link.h"
#include "pages/Shared.h"
#include "pages/Windows.h"
#include "pages/frmEntVal.h"
#include "pages/frmSetup1.h"
#include "pages/frmSetup3.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "setup/DefaultImage.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"
#include "support/ImageKit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace pages;
using namespace setup;
using namespace emu;

namespace {

// Page 3 as the user reaches it: page 1 has read the image first (the
// option boards, layout and decimal points that page 3 uses).
frmSetup3* ShowPage3()
{
    frmSetup1::ShowPage();
    emu::Settle();
    if (auto* one = platform::Find<frmSetup1>())
        one->hide();
    pages::ShowSetupPage3();
    emu::Settle();
    return platform::Find<frmSetup3>();
}

// The user's pick in a list (Qt's activated signal).
void Pick(ComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
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

// Types a code of up to three digits into the character dialog and ends it.
void EnterCode(int code, bool ok)
{
    WhenEntryShown([code, ok](frmEntVal* dlg) {
        const QString digits = QString::number(code).rightJustified(3, '0');
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(dlg->txtDigit(4 + i), digits[i].toLatin1());
        if (ok)
            dlg->cmdOK_Click();
        else
            dlg->cmdCANCEL_Click();
    });
}

void ClickBox(QWidget* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    emu::Settle();
}

bool Shown(QWidget* w) { return w && !w->isHidden(); }

// A mode/function pair of the dual signal conditioner without a filtered
// item (the default image's board, Extended).
std::pair<int, int> PairWithoutFilteredItem()
{
    for (int m : {0, 1, 2, 4, 5, 6})
        for (int f = 0; f < 16; ++f) {
            InputOption = 1;
            ExtendedMode = 1;
            ModeCode = m;
            FunctionCode = f;
            NormaliseModeFunction(); // the layout flags of the pair
            if (ModeCode == m && FunctionCode == f && FilteredItemOf(m, f) == 0)
                return {m, f};
        }
    return {-1, -1};
}

} // namespace

class TstPage3 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitTables();
        pages::RegisterWindows();
        platform::RegisterForm("frmMMenu", [] { return new emu::OtherWindow("frmMMenu"); });
    }

    void init()
    {
        LoadDefault();
        meterlink::MeterRevision = 37;
        platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    }

    void cleanup()
    {
        platform::CloseAllForms();
        emu::Settle();
        platform::SetMsgAnswerer({});
    }

    // Filling the page must leave the image as it was, whatever it holds,
    // codes without a list entry included.
    void showingChangesNothing_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("default") << Edit([] {});
        QTest::newRow("no comm board") << Edit([] { Bits(4, 3, 57, 0); });
        QTest::newRow("RS485 half duplex") << Edit([] { Bits(4, 3, 57, 2); Bits(7, 7, 51, 1); });
        QTest::newRow("BCD, all + peak") << Edit([] { Bits(4, 3, 57, 3); Bits(2, 0, 51, 5); });
        QTest::newRow("BCD, items 7") << Edit([] { Bits(4, 3, 57, 3); Bits(2, 0, 51, 7); });
        QTest::newRow("items 6, baud 7, rate 15")
            << Edit([] { Bits(2, 0, 51, 6); Bits(6, 4, 55, 7); Bits(3, 0, 55, 15); });
        QTest::newRow("every bit of 51, 53, lockouts, ext inputs 15") << Edit([] {
            Bits(7, 0, 51, 0xFF);
            Bits(7, 0, 53, 0xFF);
            Bits(7, 0, 45, 0xA5);
            Bits(7, 0, 47, 0x3C);
            Bits(7, 7, 57, 1);
            Bits(3, 0, 61, 15);
            Bits(2, 2, 31, 1);
        });
        QTest::newRow("no analog board") << Edit([] { Bits(5, 5, 57, 0); Bits(1, 0, 31, 0); });
        QTest::newRow("source without filtered item") << Edit([] {
            const auto [m, f] = PairWithoutFilteredItem();
            Bits(7, 4, 63, m);
            Bits(3, 0, 63, f);
            Bits(1, 0, 31, 0);
        });
        QTest::newRow("characters 255, recognition 0") << Edit([] {
            SetupChars = SetupChars.left(4) + QString("FF").repeated(6);
            Bits(7, 0, 13, 0);
            Bits(5, 5, 51, 1);
        });
        QTest::newRow("revision 34") << Edit([] { meterlink::MeterRevision = 34; Bits(6, 6, 51, 1); });
    }
    void showingChangesNothing()
    {
        QFETCH(Edit, edit);
        edit();
        frmSetup1::ShowPage(); // page 1 may bring its own fields into range
        emu::Settle();
        const QString before = Image();
        frmSetup3* page = ShowPage3();
        QVERIFY(page && page->isVisible());
        QCOMPARE(Image(), before);
        QCOMPARE(page->PageReady, 1);
        page->hide();
        ShowPage3();
        QCOMPARE(Image(), before);
    }

    void outOfRangeCodesSelectNothing()
    {
        Bits(6, 4, 55, 7);
        Bits(3, 0, 55, 9);
        Bits(2, 0, 51, 6);
        frmSetup3* page = ShowPage3();
        QCOMPARE(page->cboBaudRate->ListIndex(), -1);
        QCOMPARE(page->cboOutRate->ListIndex(), -1);
        QCOMPARE(page->cboOutItems->ListIndex(), -1);
        // A pick stores again, and only its own field.
        Pick(page->cboBaudRate, 3);
        QCOMPARE(GetSetupBits(6, 4, 55), 3);
        QCOMPARE(GetSetupBits(3, 0, 55), 9);
    }

    void defaultSetup()
    {
        frmSetup3* page = ShowPage3();
        QVERIFY(page->txtCal->Text().contains("100"));
        const QList<TextBox*> boxes{page->txtTranStop, page->txtTranStart, page->txtShow,
                                    page->txtSkip, page->txtStopChr, page->txtStartChr};
        QStringList texts;
        for (TextBox* b : boxes)
            texts << b->Text();
        QCOMPARE(texts, QStringList({" 13", " 0", " 8", " 0", " 13", " 0"}));
        QCOMPARE(page->lblStopChr->text(), QString("cr "));
        QCOMPARE(page->lblStartChr->text(), QString("nul"));
        QCOMPARE(page->cboAddress->Text(), QString(" 1 (1)"));
        QCOMPARE(page->cboBaudRate->Text(), QString(" 9600"));
        QCOMPARE(page->lblCusRecog->text(), QString("#"));
        for (QWidget* w : page->findChildren<QWidget*>())
            if (qobject_cast<ComboBox*>(w) || qobject_cast<TextBox*>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));

        page->hide();
        Bits(4, 0, 53, 27);
        Bits(7, 7, 57, 1);
        page = ShowPage3();
        QCOMPARE(page->cboAddress->Text(), QString("27 (b.)"));
        QCOMPARE(page->lblLockout->text(), QString("  Lockout  jumper IS installed"));
    }

    void commOptions_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<int>("storedItems");
        QTest::addColumn<QString>("itemsShown");
        QTest::addColumn<int>("firstPickStores");
        QTest::newRow("none") << 0 << 4 << "Peak Only" << 0;
        QTest::newRow("RS485") << 2 << 0 << "All active items" << 0;
        QTest::newRow("BCD, stored 5") << 3 << 5 << "Item #1 Only" << 1;
        QTest::newRow("BCD, stored 3") << 3 << 3 << "Item #3 Only" << 1;
        QTest::newRow("BCD, stored 6") << 3 << 6 << "" << 1;
    }
    void commOptions()
    {
        QFETCH(int, board);
        QFETCH(int, storedItems);
        QFETCH(QString, itemsShown);
        QFETCH(int, firstPickStores);
        Bits(4, 3, 57, board);
        Bits(2, 0, 51, storedItems);
        Bits(7, 7, 51, 1); // half duplex stored
        frmSetup3* page = ShowPage3();
        QCOMPARE(Shown(page->fraSerComm), board != 0);
        const bool serial = board != 3;
        for (QWidget* w : std::initializer_list<QWidget*>{page->cboBaudRate, page->chkLF, page->txtCusRecog})
            QVERIFY2(w->isEnabled() == serial, qPrintable(w->objectName()));
        QCOMPARE(platform::ForeColor(page->cboBaudRate), serial ? ColorBlack : ColorGray);
        QCOMPARE(page->cboOutItems->ListCount(), serial ? 6 : 4);
        QCOMPARE(page->cboOutItems->Text(), itemsShown);
        // Duplex: "Half Duplex" only with the RS485 board; else "Full" shown.
        QCOMPARE(page->cboDuplex->ListCount(), board == 2 ? 2 : 1);
        QCOMPARE(page->cboDuplex->ListIndex(), board == 2 ? 1 : 0);

        QCOMPARE(GetSetupBits(2, 0, 51), storedItems); // shown, not written
        Pick(page->cboOutItems, 0);
        QCOMPARE(GetSetupBits(2, 0, 51), firstPickStores);
        Pick(page->cboOutItems, 3);
        QCOMPARE(GetSetupBits(2, 0, 51), 3 + firstPickStores);
    }

    void revisionLocksStartStop()
    {
        Bits(6, 6, 51, 1);
        for (int rev : {34, 35}) {
            meterlink::MeterRevision = rev;
            frmSetup3* page = ShowPage3();
            QCOMPARE(page->cboTranChars->isEnabled(), rev == 35);
            QCOMPARE(page->fraTranStart->isEnabled(), rev == 35);
            QVERIFY(page->fraTranChars->isEnabled() && page->txtTranStop->isEnabled());
            QCOMPARE(page->cboTranChars->ListIndex(), 1);
            page->hide();
        }
    }

    // Every list entry and check box, picked by the user, changes exactly
    // its own field to the right value.
    void everyPickStoresItsField_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("pos");
        // A sample of the fields; the lockouts run backwards through their bytes.
        const struct {
            const char* name;
            int hi, lo, pos;
        } rows[] = {
            {"cboAddress", 4, 0, 53}, {"cboBaudRate", 6, 4, 55}, {"cboDuplex", 7, 7, 51},
            {"cboExtAB", 3, 0, 61},   {"cboOutItems", 2, 0, 51}, {"cboSource", 1, 0, 31},
            {"chkLF", 7, 7, 53},      {"chkLock(0)", 3, 3, 47},  {"chkLock(4)", 7, 7, 47},
            {"chkLock(11)", 0, 0, 45}, {"chkLock(15)", 4, 4, 45},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString(r.name) << r.hi << r.lo << r.pos;
    }
    void everyPickStoresItsField()
    {
        QFETCH(QString, control);
        QFETCH(int, hi);
        QFETCH(int, lo);
        QFETCH(int, pos);
        Bits(4, 3, 57, 2); // RS485: both duplex entries
        Bits(7, 0, 45, 0x5A);
        Bits(7, 0, 47, 0xA5);
        frmSetup3* page = ShowPage3();
        auto expectAfter = [&](int value) {
            const QString b = SetupB;
            SetSetupBits(hi, lo, pos, value);
            const QString want = Image();
            SetupB = b;
            return want;
        };
        if (auto* combo = page->findChild<ComboBox*>(control)) {
            QVERIFY(combo->ListCount() > 1);
            for (int i = combo->ListCount() - 1; i >= 0; --i) {
                const QString want = expectAfter(i);
                Pick(combo, i);
                QVERIFY2(Image() == want, qPrintable(QString("%1 entry %2").arg(control).arg(i)));
            }
        } else {
            auto* box = page->findChild<CheckBox*>(control);
            QVERIFY(box);
            for (int round = 0; round < 2; ++round) {
                const QString want = expectAfter(box->Value() ? 0 : 1);
                box->click();
                QCOMPARE(Image(), want);
            }
        }
    }

    // Refused analog source (no filtered item): beeps, shown red, stored.
    void analogSource()
    {
        const auto [m, f] = PairWithoutFilteredItem();
        QVERIFY(m >= 0);
        Bits(7, 4, 63, m);
        Bits(3, 0, 63, f);
        Bits(1, 0, 31, 0);
        const int beeps = platform::BeepCount();
        frmSetup3* page = ShowPage3();
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(page->cboSource->List(0), QString(" Invalid  "));
        QCOMPARE(platform::BackColor(page->cboSource), ColorRed);
        QCOMPARE(page->AnaSource, 0);
        QVERIFY(!page->cboOutVal->isEnabled());
        Pick(page->cboSource, 2);
        QCOMPARE(page->AnaSource, 2);
        QCOMPARE(platform::BackColor(page->cboSource), ColorLightYellow);
        Pick(page->cboSource, 0);
        QCOMPARE(platform::BeepCount(), beeps + 2);
        QCOMPARE(GetSetupBits(1, 0, 31), 0);
        page->hide();

        // No analog board: the frame is hidden and nothing is checked.
        Bits(5, 5, 57, 0);
        const int before = platform::BeepCount();
        page = ShowPage3();
        QVERIFY(!Shown(page->fraAnaOut));
        QCOMPARE(platform::BeepCount(), before);
    }

    // The analog boxes show the source item's decimal point, and the
    // dialog opens on that point as a plain number (no time format left
    // over from another entry).
    void analogReadingEntry()
    {
        Bits(2, 0, 15, 4); // item 1: three decimals
        Bits(6, 4, 15, 2); // item 2: one decimal
        Bits(1, 0, 31, 2); // source item 2; the default layout 0 gives DecPt2
        SetupA.replace(6, 6, "0004D2"); // AnaLo 1234
        frmSetup3* page = ShowPage3();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        QCOMPARE(ItemLayout, 0);
        QCOMPARE(page->txtAnaLo->Text().trimmed(), QString("+00123. 4"));
        EntryTimeFormat = TimeFormatStopwatch;
        int decPt = -1, timeFormat = -1;
        WhenEntryShown([&](frmEntVal* dlg) {
            decPt = EntryDecPt;
            timeFormat = EntryTimeFormat;
            QTest::keyClick(dlg->txtDigit(6), Qt::Key_7);
            dlg->cmdOK_Click();
        });
        ClickBox(page->txtAnaLo);
        QCOMPARE(decPt, 2);
        QCOMPARE(timeFormat, TimeFormatNumber);
        QCOMPARE(SetupA.mid(6, 6), QString("0004D5")); // 1237
        QCOMPARE(page->txtAnaLo->Text().trimmed(), QString("+00123. 7"));
        QCOMPARE(page->PageReady, 1);
    }

    // The character boxes: OK stores the code and names it, 0 included;
    // Cancel stores nothing; the page still stores list picks afterwards.
    void characterBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("label");
        QTest::newRow("TranStop") << "txtTranStop" << 5 << "lblTranStop";
        QTest::newRow("TranStart") << "txtTranStart" << 7 << "lblTranStart";
        QTest::newRow("Skip") << "txtSkip" << 11 << "";
        QTest::newRow("StartChr") << "txtStartChr" << 15 << "lblStartChr";
    }
    void characterBoxes()
    {
        QFETCH(QString, box);
        QFETCH(int, pos);
        QFETCH(QString, label);
        frmSetup3* page = ShowPage3();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        auto* txt = page->findChild<TextBox*>(box);
        auto* name = label.isEmpty() ? nullptr : page->findChild<QLabel*>(label);
        const QString shown = txt->Text();
        // Even a box that no longer shows the image's code stores nothing
        // on Cancel.
        QVERIFY(PutCharsByte(pos, 99));
        const QString before = Image();
        EnterCode(66, false);
        ClickBox(txt);
        QCOMPARE(Image(), before);
        QCOMPARE(txt->Text(), shown);

        EnterCode(65, true);
        ClickBox(txt);
        QCOMPARE(SetupChars.mid(pos - 1, 2), QString("41"));
        QString want = before;
        want.replace(SetupA.size() + SetupB.size() + 2 + pos - 1, 2, "41");
        QCOMPARE(Image(), want);
        QCOMPARE(txt->Text(), QString(" 65"));
        if (name)
            QCOMPARE(name->text(), QString("A"));

        EnterCode(13, true);
        ClickBox(txt);
        QCOMPARE(GetCharsByte(pos), 13);
        if (name)
            QCOMPARE(name->text(), QString("cr "));
        // 0 is a code like any other: the start characters default to it.
        EnterCode(0, true);
        ClickBox(txt);
        QCOMPARE(GetCharsByte(pos), 0);
        QCOMPARE(txt->Text(), QString(" 0"));
        if (name)
            QCOMPARE(name->text(), QString("nul"));
        QCOMPARE(page->PageReady, 1);
        QVERIFY(page->cmdMMenu->hasFocus() || !QApplication::focusWidget());
        Pick(page->cboRTS, 1);
        QCOMPARE(GetSetupBits(4, 4, 51), 1);
    }

    void customRecognitionCharacter()
    {
        Bits(5, 5, 51, 1);
        frmSetup3* page = ShowPage3();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        const QString before = Image();
        EnterCode(42, false);
        ClickBox(page->txtCusRecog);
        QCOMPARE(Image(), before);

        EnterCode(13, true);
        ClickBox(page->txtCusRecog);
        QCOMPARE(GetSetupBits(7, 0, 13), 13);
        QCOMPARE(GetSetupBits(5, 5, 51), 1);
        QCOMPARE(page->txtCusRecog->Text(), QString(" 13"));
        QCOMPARE(page->lblCusRecog->text(), QString("cr "));
        QCOMPARE(page->cboRecogChr->Text(), QString("Custom  Chr$(13)"));
        QCOMPARE(page->PageReady, 1);
    }

    void calibrationIsReadOnly()
    {
        QList<platform::ShownMessage> shown;
        platform::SetMsgAnswerer([&](const platform::ShownMessage& m) {
            shown << m;
            return platform::MsgResult::Ok;
        });
        frmSetup3* page = ShowPage3();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        const QString before = Image();
        ClickBox(page->txtCal);
        QCOMPARE(shown.size(), qsizetype(1));
        QCOMPARE(shown[0].text, QString("This is a read-only item.  To change the calibration, select the "
                                        "Main Menu Calibration item or use the Counter Front Panel Menu."));
        QCOMPARE(Image(), before);
        QVERIFY(!platform::Find<frmEntVal>() || !platform::Find<frmEntVal>()->isVisible());
    }

    void helpTopics()
    {
        frmSetup3* page = ShowPage3();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        page->activateWindow();
        page->txtStartChr->setFocus();
        QCOMPARE(help::HelpTopic, 1246);
        QTest::mouseClick(page->lblLockout, Qt::LeftButton);
        QCOMPARE(help::HelpTopic, 1241);

        bool helpShown = false;
        QTimer::singleShot(0, [&] {
            auto* help = platform::Find<help::frmAppHelp>();
            helpShown = help && help->isVisible() && help::HelpTopic == 1138;
            if (help)
                help->cmdOK_Click();
        });
        QTest::mouseClick(page->lblAscTbl, Qt::LeftButton);
        QVERIFY(helpShown);
    }

    // Page 1, 2 and 3 shown in turn, as the user pages through them, leave
    // the image as page 1 found it; Previous and Main Menu leave the page.
    void pagingThroughAndBack()
    {
        Bits(6, 4, 55, 7);
        Bits(2, 0, 51, 6);
        Bits(7, 0, 45, 0xC3);
        frmSetup1::ShowPage();
        emu::Settle();
        const QString before = Image();
        platform::Find<frmSetup1>()->hide();
        pages::ShowSetupPage2();
        emu::Settle();
        platform::Form* two = platform::Find(QStringLiteral("frmSetup2"));
        QVERIFY(two && two->isVisible());
        two->findChild<QPushButton*>(QStringLiteral("cmdNextPage"))->click();
        emu::Settle();
        auto* page = platform::Find<frmSetup3>();
        QVERIFY(page && page->isVisible() && !two->isVisible());
        QCOMPARE(Image(), before);

        page->cmdPrevPage->click();
        emu::Settle();
        QVERIFY(!page->isVisible() && two->isVisible());
        QCOMPARE(Image(), before);

        pages::ShowSetupPage3();
        emu::Settle();
        page->cmdMMenu->click();
        emu::Settle();
        QVERIFY(!page->isVisible());
        QVERIFY(platform::Find(QStringLiteral("frmMMenu")) && platform::Find(QStringLiteral("frmMMenu"))->isVisible());
    }

    // A new address and baud rate chosen on the page reach the meter, the
    // port and "Settings.SSS" through Put Setup.
    void newAddressAndBaudRateReachTheMeter()
    {
        emu::CounterBench bench; // 9600 baud, address 1
        emu::LoadSampleImage("2150");
        DeriveSharedValues();
        frmSetup3* page = ShowPage3();
        Pick(page->cboAddress, 12);
        Pick(page->cboBaudRate, 3); // " 2400"
        QCOMPARE(page->cboBaudRate->Text(), QString(" 2400"));
        QCOMPARE(SetupB.mid(52, 4), QString("2C30"));
        page->cmdMMenu_Click();

        const auto out = mainmenu::PutSetup();
        QVERIFY(out.result == mainmenu::TransferResult::Done);
        const auto frames = bench.line.frames();
        QCOMPARE(frames.size(), size_t(3));
        QVERIFY(frames[2].command.startsWith("WG2A"));
        QCOMPARE(frames[2].command.mid(4 + 52 - 4, 4), QByteArray("2C30"));
        QCOMPARE(frames[2].programBaud, 9600);
        QCOMPARE(bench.line.programBaud(), 2400);

        QFile settings(meterlink::SettingsFilePath());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray line = settings.readLine();
        QCOMPARE(line.at(1), '3'); // baud index
        QCOMPARE(line.at(7), 'C'); // meter address

        bench.line.setAddress('C');
        meterlink::Cmd = "*" + meterlink::MeterAddr + "G130";
        meterlink::SendCommand();
        meterlink::ReceiveReply();
        QVERIFY(bench.line.frames().back().raw.startsWith("*C"));
        QCOMPARE(meterlink::CommStatus, meterlink::StatusOk);
    }
};

QTEST_MAIN(TstPage3)
#include "tst_page3.moc"
