// Click rules of lists, check boxes and option buttons: the windows depend on
// exactly one Click per assignment from code or pick by the user.

#include "platform/Controls.h"

#include <QAbstractItemView>
#include <QtTest>

using platform::CheckBox;
using platform::ComboBox;
using platform::OptionButton;

class TstPlatformControls : public QObject {
    Q_OBJECT

    static void Fill(ComboBox& c, int n)
    {
        for (int i = 0; i < n; ++i)
            c.AddItem(QStringLiteral(" Entry %1").arg(i));
    }

private slots:
    void fillingSelectsNothing()
    {
        ComboBox c;
        int clicks = 0;
        connect(&c, &ComboBox::Click, [&] { ++clicks; });
        Fill(c, 3);
        QCOMPARE(c.ListIndex(), -1);
        QCOMPARE(c.Text(), QString());
        c.addItem("via Qt"); // Qt's own insert must not pick either
        QCOMPARE(c.ListIndex(), -1);
        QCOMPARE(c.ListCount(), 4);
        QCOMPARE(clicks, 0);

        c.SetListIndex(1);
        c.Clear();
        QCOMPARE(c.ListIndex(), -1);
        QCOMPARE(c.ListCount(), 0);
        Fill(c, 2); // refilled after a selection: still nothing chosen
        QCOMPARE(c.ListIndex(), -1);
        QCOMPARE(clicks, 1); // only the SetListIndex
    }

    void setListIndexClicksOnce_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("after");
        QTest::newRow("none to 1") << -1 << 1 << 1;
        QTest::newRow("same index") << 2 << 2 << 2;
        QTest::newRow("0 to 2") << 0 << 2 << 2;
        QTest::newRow("to -1") << 1 << -1 << -1;
        QTest::newRow("-1 again") << -1 << -1 << -1;
        QTest::newRow("beyond the list") << 1 << 6 << -1;
        QTest::newRow("below -1") << 1 << -2 << -1;
    }
    void setListIndexClicksOnce()
    {
        QFETCH(int, before);
        QFETCH(int, set);
        QFETCH(int, after);
        ComboBox c;
        Fill(c, 3);
        c.setCurrentIndex(before); // Qt's call: no Click
        int clicks = 0, seen = -99;
        connect(&c, &ComboBox::Click, [&] { ++clicks; seen = c.ListIndex(); });
        c.SetListIndex(set);
        QCOMPARE(clicks, 1);
        QCOMPARE(c.ListIndex(), after);
        QCOMPARE(seen, after); // the handler sees the new selection
    }

    void cascadeRunsBeforeNextStatement()
    {
        ComboBox mode, function;
        Fill(mode, 3);
        QStringList log;
        connect(&mode, &ComboBox::Click, [&] {
            log << "mode";
            function.Clear();
            Fill(function, 4);
            function.SetListIndex(mode.ListIndex());
            log << "mode done";
        });
        connect(&function, &ComboBox::Click, [&] { log << QString("function %1").arg(function.ListIndex()); });
        mode.SetListIndex(2);
        log << "after";
        QCOMPARE(log, QStringList({"mode", "function 2", "mode done", "after"}));
    }

    void userPicksClickOnce()
    {
        QWidget window;
        ComboBox c(&window);
        Fill(c, 3);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        c.SetListIndex(0);
        int clicks = 0;
        connect(&c, &ComboBox::Click, [&] { ++clicks; });

        QTest::keyClick(&c, Qt::Key_Down);
        QCOMPARE(c.ListIndex(), 1);
        QCOMPARE(clicks, 1);

        // From the opened list: another entry, then the one already shown.
        for (int pick : {2, 2}) {
            c.showPopup();
            QAbstractItemView* view = c.view();
            QTRY_VERIFY(view->isVisible());
            const QRect r = view->visualRect(view->model()->index(pick, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
            QTRY_VERIFY(!view->isVisible());
        }
        QCOMPARE(c.ListIndex(), 2);
        QCOMPARE(clicks, 3);
    }

    void checkBoxFromCode_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("clicks");
        QTest::newRow("0 to 1") << 0 << 1 << 1 << 1;
        QTest::newRow("1 to 0") << 1 << 0 << 0 << 1;
        QTest::newRow("1 stays") << 1 << 1 << 1 << 0;
        QTest::newRow("0 stays") << 0 << 0 << 0 << 0;
        QTest::newRow("any non-zero is 1") << 0 << 5 << 1 << 1;
    }
    void checkBoxFromCode()
    {
        QFETCH(int, before);
        QFETCH(int, set);
        QFETCH(int, after);
        QFETCH(int, clicks);
        CheckBox box("Square Root");
        box.setChecked(before != 0);
        int n = 0, seen = -1;
        connect(&box, &CheckBox::Click, [&] { ++n; seen = box.Value(); });
        box.SetValue(set);
        QCOMPARE(box.Value(), after);
        QCOMPARE(n, clicks);
        if (clicks)
            QCOMPARE(seen, after);
    }

    void checkBoxUserClicks()
    {
        QWidget window;
        CheckBox box("Lock", &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int n = 0;
        connect(&box, &CheckBox::Click, [&] { ++n; });
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
        QCOMPARE(box.Value(), 1);
        QCOMPARE(n, 1);
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.Value(), 0);
        QCOMPARE(n, 2);
    }

    void optionGroupFromCode()
    {
        QWidget frame, otherFrame;
        OptionButton a("Scale, Offset  >", &frame), b("Coordinates   >", &frame), c("C", &frame);
        OptionButton elsewhere("other group", &otherFrame);
        elsewhere.SetValue(true);
        QList<int> clicks(3, 0);
        connect(&a, &OptionButton::Click, [&] { ++clicks[0]; });
        connect(&b, &OptionButton::Click, [&] { ++clicks[1]; });
        connect(&c, &OptionButton::Click, [&] { ++clicks[2]; });
        auto values = [&] { return QList<bool>{a.Value(), b.Value(), c.Value()}; };

        QCOMPARE(values(), QList<bool>({false, false, false}));
        b.SetValue(true);
        QCOMPARE(values(), QList<bool>({false, true, false}));
        QCOMPARE(clicks, QList<int>({0, 1, 0}));
        b.SetValue(true); // already selected: no second Click
        QCOMPARE(clicks, QList<int>({0, 1, 0}));
        c.SetValue(true);
        QCOMPARE(values(), QList<bool>({false, false, true}));
        QCOMPARE(clicks, QList<int>({0, 1, 1}));
        c.SetValue(false); // a group may have nothing selected
        QCOMPARE(values(), QList<bool>({false, false, false}));
        QCOMPARE(clicks, QList<int>({0, 1, 1}));
        QVERIFY(elsewhere.Value()); // other parent, other group
    }

    void optionUserClicksAndRedrawingHandler()
    {
        QWidget frame;
        OptionButton scale("Scale", &frame), coord("Coordinates", &frame);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        scale.move(0, 0);
        coord.move(0, 40);
        scale.SetValue(true);
        int coordClicks = 0;
        // A handler that redraws the panel selects its own button again.
        connect(&coord, &OptionButton::Click, [&] { ++coordClicks; coord.SetValue(true); });
        const QPoint mark(6, coord.height() / 2);

        QTest::mouseClick(&coord, Qt::LeftButton, {}, mark);
        QVERIFY(coord.Value());
        QVERIFY(!scale.Value());
        QCOMPARE(coordClicks, 1);

        QTest::mouseClick(&coord, Qt::LeftButton, {}, mark); // the selected one
        QVERIFY(coord.Value());
        QCOMPARE(coordClicks, 1);

        coord.SetValue(false);
        coord.setEnabled(false);
        QTest::mouseClick(&coord, Qt::LeftButton, {}, mark);
        QVERIFY(!coord.Value());
        QCOMPARE(coordClicks, 1);
    }
};

QTEST_MAIN(TstPlatformControls)
#include "tst_platform_controls.moc"
