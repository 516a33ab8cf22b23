// The value-entry dialog on screen: how it opens on a page's box, and that
// every way out ends the entry cleanly (Enter once, Esc, close box, F1).

#include "pages/Windows.h"
#include "pages/ValueEntry.h"
#include "pages/frmEntVal.h"
#include "platform/Appearance.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/SetupImage.h"
#include "support/FormTestKit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace setup;
using pages::frmEntVal;

namespace {

constexpr quint32 PaleGreen = 0xC0FFC0;

// A setup page as far as the dialog sees it: one read-only value box, and
// what EntryActive held whenever the page was activated.
class PageStub : public platform::Form {
public:
    PageStub() : platform::Form(QStringLiteral("frmPageStub"))
    {
        resize(400, 300);
        box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtOffset1"));
        box->setReadOnly(true);
        box->setGeometry(10, 10, 120, 24);
    }
    QLineEdit* box;
    QList<int> entryActiveAtActivation;

protected:
    void Form_Activate() override { entryActiveAtActivation << EntryActive; }
};

} // namespace

class TstEntryDialog : public QObject {
    Q_OBJECT

    PageStub* page = nullptr;
    QString imageBefore;

    // Opens the dialog on the page's box and runs act while it is up; a
    // dialog that act leaves open is cancelled so that no test hangs.
    bool leftOpen = false;
    void RunEntry(int flag, const std::function<void(frmEntVal*)>& act)
    {
        leftOpen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = platform::Find<frmEntVal>();
            QVERIFY(dialog && dialog->isVisible());
            act(dialog);
        });
        QTimer::singleShot(0, this, [&] {
            auto* dialog = platform::Find<frmEntVal>();
            if (dialog && dialog->isVisible()) {
                leftOpen = true;
                dialog->cmdCANCEL_Click();
            }
        });
        page->entryActiveAtActivation.clear();
        pages::ShowValueEntry(flag);
    }

    // Nothing of the entry is left behind, and the page saw no entry running.
    void CheckEnded()
    {
        QCOMPARE(EntryActive, 0);
        QCOMPARE(EntryTimeFormat, 0);
        QCOMPARE(EntryDecPt, 0);
        QCOMPARE(platform::BackColor(page->box), ColorWhite);
        QCOMPARE(page->entryActiveAtActivation, QList<int>{0});
        QVERIFY(platform::IsLoaded(QStringLiteral("frmEntVal"))); // hidden, kept for the next entry
    }

    void CheckUnchanged()
    {
        QCOMPARE(SetupA + SetupB, imageBefore);
        QCOMPARE(page->box->text(), QStringLiteral(" +0100. 00"));
    }

private slots:
    void initTestCase()
    {
        InitTables();
        pages::RegisterWindows();
        platform::SetMsgAnswerer([](const platform::ShownMessage&) { return platform::MsgResult::Ok; });
    }

    void init()
    {
        SetupA = QString(SetupALength, u'0');
        SetupB = QString(SetupBLength, u'0');
        SetupA.replace(36, 6, "002710");
        imageBefore = SetupA + SetupB;
        InputOption = 1;
        page = platform::Load<PageStub>();
        page->box->setText(" +0100. 00");
        platform::SetBackColor(page->box, ColorWhite);
        page->Show();
        emu::Settle();
        EntryText = page->box->text();
        EntryKind = KindReading;
        EntryBox = page->box;
        EntryPos = 37;
        EntryDecPt = 3;
        EntryTimeFormat = TimeFormatNumber;
    }

    void cleanup()
    {
        platform::CloseAllForms();
        emu::Settle();
    }

    // Enter, on the main keys or the keypad, in a box stores once and
    // closes; the page box shows the value.
    void enterCommitsOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterCommitsOnce()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        RunEntry(0, [&](frmEntVal* d) {
            QCOMPARE(EntryActive, 1);
            QCOMPARE(platform::BackColor(page->box), PaleGreen);
            QCOMPARE(d->txtDigit(4)->text(), QStringLiteral("0."));
            QTest::keyClick(d->txtDigit(4), '2');
            QCOMPARE(d->txtDigit(4)->text(), QStringLiteral("2."));
            QCOMPARE(d->focusWidget(), d->txtDigit(5));
            const auto enter = [&] {
                QTest::keyClick(d->txtDigit(5), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            };
            enter();
            QVERIFY(!d->isVisible());
            enter(); // a late second Enter
        });
        QVERIFY(!leftOpen);
        QCOMPARE(SetupA.mid(36, 6), QStringLiteral("0027D8"));
        QCOMPARE(page->box->text(), QStringLiteral(" +0102.00"));
        CheckEnded();
    }

    // A refused value: Enter beeps once each time and the dialog stays up;
    // the page's box keeps its text and its green. Enter on OK works alike.
    // 256 is one past the last character code; 255 is taken.
    void refusedValueKeepsDialog()
    {
        EntryKind = KindCharCode;
        EntryText = "256";
        EntryCode = 13;
        RunEntry(1, [&](frmEntVal* d) {
            QVERIFY(d->txtDigit(3)->isHidden());
            int beeps = platform::BeepCount();
            QTest::keyClick(d->txtDigit(6), Qt::Key_Return);
            QCOMPARE(platform::BeepCount(), beeps + 1);
            QVERIFY(d->isVisible());
            QCOMPARE(d->focusWidget(), d->txtDigit(4));
            d->cmdOK()->setFocus();
            QTest::keyClick(d->cmdOK(), Qt::Key_Return);
            QCOMPARE(platform::BeepCount(), beeps + 2);
            QVERIFY(d->isVisible());
            QCOMPARE(platform::BackColor(page->box), PaleGreen);
            QCOMPARE(EntryCode, 13);
            QCOMPARE(page->box->text(), QStringLiteral(" +0100. 00"));
            QTest::keyClick(d->txtDigit(6), '5');
            QTest::keyClick(d->cmdOK(), Qt::Key_Return);
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(EntryCode, 255);
        QCOMPARE(page->box->text(), QStringLiteral("255"));
        CheckEnded();
    }

    // Esc and the close box are Cancel: nothing stored, nothing left over.
    void cancelPaths_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<int>("flag");
        QTest::newRow("Esc") << false << 0;
        QTest::newRow("close box") << true << 1;
    }
    void cancelPaths()
    {
        QFETCH(bool, closeBox);
        QFETCH(int, flag);
        EntryTimeFormat = TimeFormatStopwatch;
        RunEntry(flag, [&](frmEntVal* d) {
            QCOMPARE(d->pos().y(), platform::Px(flag == 0 ? 1500 : 2900));
            QTest::keyClick(d->txtDigit(1), '9');
            // Keys and edits outside the entry rules leave the boxes alone.
            QTest::keyClick(d->txtDigit(3), Qt::Key_Delete);
            d->txtDigit(3)->insert("7"); // as a paste would
            QCOMPARE(d->txtDigit(3)->text(), QStringLiteral("0"));
            if (closeBox)
                d->close();
            else
                QTest::keyClick(d->txtDigit(2), Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        });
        QVERIFY(!leftOpen);
        CheckUnchanged();
        CheckEnded();
    }

    // F1 ends the entry as Cancel does, then shows help.
    void helpKeyEndsEntry()
    {
        EntryTimeFormat = TimeFormatClock;
        bool helpShown = false;
        RunEntry(0, [&](frmEntVal* d) {
            QTimer::singleShot(0, this, [&] {
                platform::Form* help = platform::Find(QStringLiteral("frmAppHelp"));
                helpShown = help && help->isVisible();
                if (help)
                    help->hide();
            });
            QTest::keyClick(d->txtDigit(1), '9');
            QTest::keyClick(d->txtDigit(2), Qt::Key_F1);
            QVERIFY(!d->isVisible());
        });
        QVERIFY(helpShown);
        QVERIFY(!leftOpen);
        CheckUnchanged();
        QCOMPARE(EntryActive, 0);
        QCOMPARE(EntryTimeFormat, 0);
        QCOMPARE(EntryDecPt, 0);
        QCOMPARE(platform::BackColor(page->box), ColorWhite);
        QVERIFY(!page->entryActiveAtActivation.contains(1));
    }
};

QTEST_MAIN(TstEntryDialog)
#include "tst_entry_dialog.moc"
