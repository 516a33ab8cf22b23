// The windows' cascades need one Click per assignment or user pick.

#include "platform/Controls.h"

#include <QAbstractItemView>
#include <QtTest>

using namespace platform;

class TstPlatformControls : public QObject {
    Q_OBJECT
private slots:
    void listClicks_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("after");
        QTest::newRow("same index") << 2 << 2 << 2;
        QTest::newRow("0 to 2") << 0 << 2 << 2;
        QTest::newRow("beyond the list") << 1 << 6 << -1;
    }
    void listClicks()
    {
        QFETCH(int, before);
        QFETCH(int, set);
        QFETCH(int, after);
        ComboBox c;
        int clicks = 0, seen = -99;
        connect(&c, &ComboBox::Click, [&] { ++clicks; seen = c.ListIndex(); });
        for (const char* e : {" Adaptive", " Conventional", " Fixed"})
            c.AddItem(e);
        QCOMPARE(c.ListIndex(), -1); // filling chooses nothing, nor Clicks (see below)
        c.setCurrentIndex(before);
        c.SetListIndex(set);
        QCOMPARE(clicks, 1);
        QCOMPARE(seen, after); // the handler already sees the new selection
    }

    void userPickClicksOnce()
    {
        QWidget window;
        ComboBox c(&window);
        for (const char* e : {" Entry 0", " Entry 1", " Entry 2"}) // wider than the popup
            c.AddItem(e);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        c.SetListIndex(0);
        int clicks = 0;
        connect(&c, &ComboBox::Click, [&] { ++clicks; });
        QTest::keyClick(&c, Qt::Key_Down);
        QCOMPARE(clicks, 1);
        for (int pick : {2, 2}) { // another entry, then the one already shown
            c.showPopup();
            QAbstractItemView* view = c.view();
            QTRY_VERIFY(view->isVisible());
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(pick, 0)).center());
            QTRY_VERIFY(!view->isVisible());
        }
        QCOMPARE(c.ListIndex(), 2);
        QCOMPARE(clicks, 3);
    }

    void checkBoxAndOptionGroup()
    {
        QWidget frame;
        CheckBox box("Square Root");
        int n = 0;
        connect(&box, &CheckBox::Click, [&] { ++n; });
        box.SetValue(0); // no change, no Click
        box.SetValue(5); // any non-zero checks
        QCOMPARE(box.Value(), 1);
        QCOMPARE(n, 1);
        OptionButton a("Scale", &frame), b("Coordinates", &frame);
        int aClicks = 0, bClicks = 0;
        connect(&a, &OptionButton::Click, [&] { ++aClicks; });
        connect(&b, &OptionButton::Click, [&] { ++bClicks; b.SetValue(true); }); // as a redraw
        a.SetValue(true); // the program only shows: no handler
        b.SetValue(true);
        QVERIFY(!a.Value() && b.Value());
        QCOMPARE(aClicks + bClicks, 0);
        b.SetValue(false); // a group may have nothing selected
        QVERIFY(!a.Value() && !b.Value());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        b.setGeometry(0, 0, 120, 24);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(8, 12)); // the user picks
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(8, 12)); // and again: no change
        QVERIFY(b.Value());
        QCOMPARE(bClicks, 1);
    }

    void valueBoxTakesClicksNotTyping()
    {
        QWidget window;
        TextBox box(&window);
        box.setGeometry(0, 0, 100, 24);
        box.SetText(" +0100. 00");
        int clicks = 0, focus = 0;
        connect(&box, &TextBox::Click, [&] { ++clicks; });
        OnGotFocus(&box, [&] { ++focus; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicks, 1);
        QCOMPARE(focus, 1);
        QTest::keyClicks(&box, "42");
        QCOMPARE(box.Text(), QString(" +0100. 00")); // nothing typed is shown unstored
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(clicks, 3); // the keyboard way to the dialog
        QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(clicks, 3);
    }
};

QTEST_MAIN(TstPlatformControls)
#include "tst_platform_controls.moc"
