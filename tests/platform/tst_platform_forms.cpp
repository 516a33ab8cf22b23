// Window life cycle, the activation rule and key preview.

#include "support/FormTestKit.h"
#include "platform/Activation.h"

#include <QLineEdit>
#include <QtTest>

using namespace platform;
using emu::Settle;

namespace {

class TestForm : public Form {
public:
    TestForm() : Form("frmTest") { resize(200, 120); }
    int loads = 0, activations = 0, unloads = 0;
    bool cancelUnload = false;
    QList<int> keys;

protected:
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override { ++unloads; cancel = cancelUnload; }
    void Form_KeyDown(int& code, int) override { keys << code; code = code == 'Q' ? 0 : code; }
};

struct Dialog : emu::OtherWindow { Dialog() : OtherWindow("frmOther") {} };

} // namespace

class TstPlatformForms : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseAllForms(); Settle(); }

    void trackerRule_data()
    {
        // "+X" X becomes the program's active window, "0" none of its forms
        // is (another application, a message box), "-X" X hidden or unloaded.
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("fired");
        QTest::newRow("modal closed") << "+P +D -D +P" << "PDP";
        QTest::newRow("hidden, app gap, shown") << "+A -A 0 +A" << "AA";
        QTest::newRow("another window hidden") << "+A -B +A" << "A";
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

    void registry()
    {
        Unload<TestForm>(); // not loaded: nothing, and nothing created
        QVERIFY(!IsLoaded<TestForm>());
        QCOMPARE(Load("frmUnknown"), nullptr);
        TestForm* f = Load<TestForm>();
        QCOMPARE(Load<TestForm>(), f);
        QCOMPARE(Find("frmTest"), f);
        QCOMPARE(f->loads, 1);
        QVERIFY(!f->isVisible()); // loaded, not shown
        f->Show();
        f->cancelUnload = true;
        f->close(); // the close box unloads; the handler may refuse
        QVERIFY(IsLoaded<TestForm>() && f->isVisible());
        f->cancelUnload = false;
        Unload(f);
        QVERIFY(!IsLoaded<TestForm>()); // at once, before the object goes
        Unload(f);
        QCOMPARE(f->unloads, 2);
        Settle();
        QCOMPARE(Load<TestForm>()->loads, 1); // a fresh window
    }

    void activationOfShownWindows()
    {
        TestForm* a = Load<TestForm>();
        a->Show();
        QCOMPARE(a->activations, 0); // code after Show goes on first
        Settle();
        QCOMPARE(a->activations, 1);
        QApplication::setActiveWindow(nullptr); // the user works elsewhere
        Settle();
        QApplication::setActiveWindow(a); // and comes back
        Settle();
        QCOMPARE(a->activations, 1);

        Dialog* b = Load<Dialog>();
        b->Show();
        Settle();
        a->activateWindow(); // the user clicks the other window
        Settle();
        QCOMPARE(b->activations, 1);
        QCOMPARE(a->activations, 2);
    }

    void modalCloseActivatesOpenerOnce()
    {
        TestForm* page = Load<TestForm>();
        page->Show();
        Settle();
        Dialog* dialog = Load<Dialog>();
        int seenAfterHide = -1;
        QTimer::singleShot(0, dialog, [&] {
            (void)QTest::qWaitFor([&] { return dialog->activations > 0; }); // its own first
            QApplication::setActiveWindow(page); // stale while the modal one is up
            QCoreApplication::processEvents();
            dialog->hide();
            seenAfterHide = page->activations; // ran inside hide()
        });
        dialog->ShowModal();
        Settle();
        QCOMPARE(seenAfterHide, 2);
        QCOMPARE(page->activations, 2); // Qt's later report adds nothing
        QCOMPARE(dialog->activations, 1);
    }

    void keyPreviewSeesKeysFirst()
    {
        TestForm* f = Load<TestForm>();
        auto box = new QLineEdit(f);
        f->SetKeyPreview(true);
        f->Show();
        Settle();
        box->setFocus();
        for (Qt::Key k : {Qt::Key_X, Qt::Key_Q, Qt::Key_F1})
            QTest::keyClick(f->windowHandle(), k);
        QCOMPARE(box->text(), QString("x"));
        QCOMPARE(f->keys, QList<int>({'X', 'Q', 112})); // each once; Q kept from the box
    }
};

QTEST_MAIN(TstPlatformForms)
#include "tst_platform_forms.moc"
