// Window life cycle: create on first use, unload, modal and modeless showing,
// the activation rule (coming back from another application is no
// activation; closing a modal window is) and key preview.

#include "support/FormTestKit.h"
#include "platform/Activation.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

using namespace platform;

using emu::Settle;

namespace {

QStringList g_log; // handler calls of every test form, in order

class TestForm : public Form {
public:
    explicit TestForm(const QString& name = "frmTest") : Form(name) { resize(200, 120); }
    int loads = 0, activations = 0, unloads = 0;
    bool cancelUnload = false;
    std::function<void()> onActivate, onUnload;
    std::function<void(int&)> onKey;
    QList<int> keys;

protected:
    void Form_Load() override { ++loads; g_log << Name() + " load"; }
    void Form_Activate() override
    {
        ++activations;
        g_log << Name() + " activate";
        if (onActivate)
            onActivate();
    }
    void Form_Unload(bool& cancel) override
    {
        ++unloads;
        g_log << Name() + " unload";
        cancel = cancelUnload;
        if (onUnload)
            onUnload();
    }
    void Form_KeyDown(int& keyCode, int) override
    {
        keys << keyCode;
        if (onKey)
            onKey(keyCode);
    }
};

class OtherForm : public TestForm {
public:
    OtherForm() : TestForm("frmOther") {}
};

} // namespace

class TstPlatformForms : public QObject {
    Q_OBJECT
private slots:
    void init() { g_log.clear(); }
    void cleanup()
    {
        SetMsgAnswerer({});
        CloseAllForms();
        Settle();
    }

    // ---- the rule alone ---------------------------------------------------

    void trackerRule_data()
    {
        // Inputs: "+X" X becomes the program's active window, "0" none of the
        // program's forms is active (another application, a message box),
        // "-X" X hidden or unloaded. Expected: the windows whose activation
        // runs, in order.
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("fired");
        QTest::newRow("shown") << "+A" << "A";
        QTest::newRow("back from another application") << "+A 0 +A" << "A";
        QTest::newRow("message box closed") << "+A 0 0 +A" << "A";
        QTest::newRow("between two windows") << "+A +B +A" << "ABA";
        QTest::newRow("modal closed") << "+P +D -D +P" << "PDP";
        QTest::newRow("hidden and shown again") << "+A -A +A" << "AA";
        QTest::newRow("hidden, app gap, shown") << "+A -A 0 +A" << "AA";
        QTest::newRow("another window hidden") << "+A -B +A" << "A";
        QTest::newRow("reported twice") << "+A +A" << "A";
        QTest::newRow("closed, next one active") << "+A +B -B +A" << "ABA";
    }
    void trackerRule()
    {
        QFETCH(QString, inputs);
        QFETCH(QString, fired);
        static const char names[] = "ABDP";
        ActivationTracker t;
        QString got;
        for (const QString& in : inputs.split(' ')) {
            const void* w = in == "0" ? nullptr : &names[QString(names).indexOf(in.back())];
            if (in.startsWith('-'))
                t.Hidden(w);
            else if (t.Activated(w))
                got += in.back();
        }
        QCOMPARE(got, fired);
    }

    // ---- registry ----------------------------------------------------------

    void createdOnFirstUse()
    {
        QVERIFY(!IsLoaded<TestForm>());
        QCOMPARE(Find<TestForm>(), nullptr);
        TestForm* f = Load<TestForm>();
        QVERIFY(f);
        QCOMPARE(Load<TestForm>(), f);
        QCOMPARE(f->loads, 1);
        QVERIFY(IsLoaded("frmTest"));
        QCOMPARE(Find("frmTest"), f);
        QVERIFY(!f->isVisible()); // loaded, not shown
        QVERIFY(!IsLoaded<OtherForm>());
    }

    void unloadRunsHandlerOnce()
    {
        TestForm* f = Load<TestForm>();
        int selfUnloads = 0;
        f->onUnload = [&] { ++selfUnloads; Unload(f); }; // unloads itself again
        f->Show();
        Unload<TestForm>();
        QCOMPARE(f->unloads, 1);
        QCOMPARE(selfUnloads, 1);
        QVERIFY(!f->isVisible());
        QVERIFY(!IsLoaded<TestForm>()); // at once, before the object goes

        Unload<TestForm>(); // not loaded: nothing
        Unload("frmNever");
        Unload(static_cast<Form*>(nullptr));
        Settle();
        TestForm* again = Load<TestForm>(); // a fresh window
        QCOMPARE(again->loads, 1);
        QCOMPARE(again->unloads, 0);
        QCOMPARE(g_log.count("frmTest unload"), 1);
    }

    void unloadCanBeCancelled()
    {
        TestForm* f = Load<TestForm>();
        f->Show();
        f->cancelUnload = true;
        Unload(f);
        QVERIFY(IsLoaded<TestForm>());
        f->close(); // the close box: unload handler, cancelled again
        QCOMPARE(f->unloads, 2);
        QVERIFY(f->isVisible());
        f->cancelUnload = false;
        f->close();
        QVERIFY(!IsLoaded<TestForm>());
        QVERIFY(!f->isVisible());
    }

    void byNameThroughFactory()
    {
        QCOMPARE(Load("frmUnknown"), nullptr);
        int made = 0;
        RegisterForm("frmOther", [&]() -> Form* { ++made; return new OtherForm; });
        Form* f = Load("frmOther");
        QVERIFY(f);
        QCOMPARE(Load("frmOther"), f);
        QCOMPARE(Find<OtherForm>(), f); // one window, by name and by type
        QCOMPARE(made, 1);
        Unload("frmOther");
        QVERIFY(!IsLoaded("frmOther"));
        RegisterForm("frmOther", {});
    }

    // ---- activation on real windows ----------------------------------------

    void showActivatesOnceAndAfterTheCaller()
    {
        TestForm* a = Load<TestForm>();
        a->Show();
        g_log << "after Show";
        Settle();
        QCOMPARE(a->activations, 1);
        QCOMPARE(g_log, QStringList({"frmTest load", "after Show", "frmTest activate"}));
        a->Show(); // already active: no second activation
        Settle();
        QCOMPARE(a->activations, 1);

        OtherForm* b = Load<OtherForm>();
        b->Show();
        b->hide(); // gone before its activation could run: it does not run
        Settle();
        QCOMPARE(b->activations, 0);
    }

    void backFromAnotherApplicationIsNoActivation()
    {
        TestForm* a = Load<TestForm>();
        a->Show();
        Settle();
        int qtActivations = 0;
        struct Counter : QObject {
            int* n;
            bool eventFilter(QObject*, QEvent* e) override
            {
                *n += e->type() == QEvent::WindowActivate;
                return false;
            }
        } counter;
        counter.n = &qtActivations;
        a->installEventFilter(&counter);

        QApplication::setActiveWindow(nullptr); // the user works elsewhere
        Settle();
        QApplication::setActiveWindow(a); // and comes back
        Settle();
        QCOMPARE(qtActivations, 1); // Qt did report the return...
        QCOMPARE(a->activations, 1); // ...which is no activation of the window
    }

    void switchingBetweenWindows()
    {
        TestForm* a = Load<TestForm>();
        OtherForm* b = Load<OtherForm>();
        a->Show();
        Settle();
        b->Show(); // the opener stays visible
        Settle();
        QCOMPARE(b->activations, 1);
        a->activateWindow(); // the user clicks the opener
        Settle();
        QCOMPARE(a->activations, 2);
        b->hide(); // hidden, then shown again: a new activation
        a->Show();
        Settle();
        b->Show();
        Settle();
        QCOMPARE(b->activations, 2);
        QCOMPARE(a->activations, 2);
        Unload(b); // closing the active window: the other one is active again
        a->activateWindow();
        Settle();
        QCOMPARE(a->activations, 3);
    }

    void modalCloseActivatesOpenerAtOnce()
    {
        TestForm* page = Load<TestForm>();
        OtherForm* dialog = Load<OtherForm>();
        page->Show();
        Settle();
        QCOMPARE(page->activations, 1);

        int pageActivationsSeenAfterHide = -1;
        dialog->onActivate = [&] {
            QVERIFY(dialog->IsShownModal());
            // A report for the blocked opener while the modal window is up
            // is stale and must not count.
            QApplication::setActiveWindow(page);
            QCoreApplication::processEvents();
            QCOMPARE(page->activations, 1);
            g_log << "dialog hides";
            dialog->hide();
            // The opener's activation has run inside hide(), before this line.
            pageActivationsSeenAfterHide = page->activations;
            g_log << "dialog handler goes on";
        };
        g_log.clear();
        dialog->ShowModal();
        g_log << "ShowModal returned";
        Settle();
        QCOMPARE(pageActivationsSeenAfterHide, 2);
        QCOMPARE(page->activations, 2); // Qt's own report afterwards adds nothing
        QCOMPARE(dialog->activations, 1);
        QCOMPARE(g_log, QStringList({"frmOther activate", "dialog hides", "frmTest activate",
                                     "dialog handler goes on", "ShowModal returned"}));
        QVERIFY(!dialog->IsShownModal());
        QVERIFY(IsLoaded<OtherForm>()); // hidden, still loaded
    }

    void modalUnloadedAlsoActivatesOpener()
    {
        TestForm* page = Load<TestForm>();
        page->Show();
        Settle();
        OtherForm* dialog = Load<OtherForm>();
        QTimer::singleShot(0, dialog, [] { Unload<OtherForm>(); });
        dialog->ShowModal();
        Settle();
        QCOMPARE(page->activations, 2);
        QVERIFY(!IsLoaded<OtherForm>());
    }

    void windowUnloadedWhileItsActivationPolls()
    {
        // A readings-style window polls inside its activation until the main
        // window, shown again, unloads it.
        TestForm* menu = Load<TestForm>();
        menu->onActivate = [] { Unload<OtherForm>(); };
        menu->Show();
        Settle();
        OtherForm* list = Load<OtherForm>();
        QPointer<OtherForm> listAlive(list);
        bool stop = false;
        list->onUnload = [&] { stop = true; menu->Show(); }; // ends and returns again
        list->onActivate = [&] {
            QTimer::singleShot(0, menu, [&] { menu->Show(); });
            while (!stop)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            g_log << "loop ended";
        };
        list->Show();
        menu->hide();
        QTRY_VERIFY(g_log.contains("loop ended"));
        Settle();
        QCOMPARE(menu->activations, 2);
        QCOMPARE(g_log.count("frmOther unload"), 1);
        QVERIFY(!IsLoaded<OtherForm>());
        QTRY_VERIFY(!listAlive); // destroyed once its handler had returned
    }

    void closeAllSkipsUnloadHandlers()
    {
        TestForm* a = Load<TestForm>();
        a->Show();
        CloseAllForms();
        QVERIFY(!IsLoaded<TestForm>());
        QCOMPARE(a->unloads, 0);
    }

    void messageBoxIsNoActivation()
    {
        TestForm* a = Load<TestForm>();
        a->Show();
        Settle();
        QTimer::singleShot(0, [] {
            auto box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            box->button(QMessageBox::Ok)->click();
        });
        MsgBox("Current data will be replaced.", QString(), MsgButtons::OkCancel, MsgIcon::Exclamation, a);
        a->activateWindow();
        Settle();
        QCOMPARE(a->activations, 1);
    }

    // ---- keys --------------------------------------------------------------

    void keyPreviewSeesKeysFirst()
    {
        TestForm* f = Load<TestForm>();
        auto box = new QLineEdit(f);
        f->SetKeyPreview(true);
        f->Show();
        Settle();
        box->setFocus();
        f->onKey = [&](int& code) {
            g_log << QString("form key %1 box '%2'").arg(code).arg(box->text());
            if (code == 'Q')
                code = 0; // kept from the box
        };
        g_log.clear();
        QTest::keyClick(f->windowHandle(), Qt::Key_X);
        QTest::keyClick(f->windowHandle(), Qt::Key_Q);
        QTest::keyClick(f->windowHandle(), Qt::Key_F1); // the box passes it on
        QCOMPARE(box->text(), QString("x"));
        QCOMPARE(f->keys, QList<int>({'X', 'Q', 112})); // each key once
        QCOMPARE(g_log.first(), QString("form key 88 box ''")); // before the box had it
    }

    void withoutPreviewOnlyUnhandledKeys()
    {
        TestForm* f = Load<TestForm>();
        auto box = new QLineEdit(f);
        f->Show();
        Settle();
        box->setFocus();
        QTest::keyClick(f->windowHandle(), Qt::Key_X);
        QTest::keyClick(f->windowHandle(), Qt::Key_F1);
        QTest::keyClick(box, Qt::Key_F1); // sent to the control itself
        QCOMPARE(box->text(), QString("x"));
        QCOMPARE(f->keys, QList<int>({112, 112}));
    }

    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 112;
        QTest::newRow("7") << int(Qt::Key_7) << 0 << 55;
        QTest::newRow("keypad 7") << int(Qt::Key_7) << int(Qt::KeypadModifier) << 103;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13;
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << 37;
        QTest::newRow("point") << int(Qt::Key_Period) << 0 << 190;
        QTest::newRow("unknown") << int(Qt::Key_Launch0) << 0 << 0;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QCOMPARE(KeyCode(key, Qt::KeyboardModifiers(modifiers)), code);
        QCOMPARE(ShiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    }
};

QTEST_MAIN(TstPlatformForms)
#include "tst_platform_forms.moc"
