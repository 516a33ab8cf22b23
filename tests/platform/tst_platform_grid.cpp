// The grid layer: current cell and text, rows added from Tab-separated text
// at an index with surplus pieces dropped, sizes in twips, fixed cells, and
// the Click / SelChange / Scroll events.

#include "platform/Grid.h"

#include <QSignalSpy>
#include <QtTest>

using platform::Grid;

class TstPlatformGrid : public QObject {
    Q_OBJECT

private slots:
    void cellsAndAddItem()
    {
        Grid g;
        g.SetCols(3);
        g.AddItem("a\tb\tc\td"); // d has no column
        g.AddItem("x");
        g.AddItem("m\tn", 1);     // inserted between
        g.AddItem("end\t", 99);   // beyond the end: appended
        QCOMPARE(g.Contents(), "a\tb\tc\nm\tn\t\nx\t\t\nend\t\t");
        g.SetRow(1);
        g.SetCol(1);
        QCOMPARE(g.Text(), "n");
        g.SetText("N");
        QCOMPARE(g.TextMatrix(1, 1), "N");
        g.SetRow(7); // outside: stays
        QCOMPARE(g.Row(), 1);
        g.SetTextMatrix(9, 9, "lost"); // outside: ignored
        QCOMPARE(g.Rows(), 4);
    }

    void sizesAndFixed()
    {
        Grid g;
        g.SetRows(5);
        g.SetCols(2);
        g.SetColWidth(1, 1500);
        g.SetRowHeight(2, 304);
        QCOMPARE(g.ColWidth(1), 1500);
        QCOMPARE(g.RowHeight(2), 300); // whole pixels
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        g.SetTextMatrix(0, 1, "head");
        QVERIFY(!(g.item(0, 1)->flags() & Qt::ItemIsSelectable));
        QVERIFY(g.item(0, 1)->background().color() != g.palette().base().color());
        g.SetTextMatrix(2, 1, "cell");
        QVERIFY(g.item(2, 1)->flags() & Qt::ItemIsSelectable);
    }

    void events()
    {
        Grid g;
        QSignalSpy click(&g, &Grid::Click), sel(&g, &Grid::SelChange), scroll(&g, &Grid::Scroll);
        g.SetRows(40);
        g.SetCols(2);
        g.SetTextMatrix(0, 0, "KEY");
        g.resize(200, 120);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setFocus(); // Qt then makes a cell current by itself: nobody's choice
        QCoreApplication::processEvents();
        QVERIFY(sel.isEmpty() && click.isEmpty());
        g.SetRow(3);
        QCOMPARE(sel.size(), 1);
        g.SetRow(3); // no change, no event
        QCOMPARE(sel.size(), 1);
        QVERIFY(click.isEmpty());
        g.SetTextMatrix(1, 1, "v");
        const QRect cell = g.visualItemRect(g.item(1, 1));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(click.size(), 1);
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.Col(), 1);
        g.SetTopRow(10);
        QCOMPARE(g.TopRow(), 10);
        QVERIFY(!scroll.isEmpty());
    }
};

QTEST_MAIN(TstPlatformGrid)
#include "tst_platform_grid.moc"
