#include "setup/Conventions.h"

#include <QtTest>

#include <clocale>

using namespace setup;

class TestConventions : public QObject {
    Q_OBJECT
private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("blanks between digits") << " 1 2\t3" << 123.0;
        QTest::newRow("blank after sign") << "- 5" << -5.0;
        QTest::newRow("exponent D") << "2D3" << 2000.0;
        QTest::newRow("comma ends") << "1,500" << 1.0;
        QTest::newRow("overflow") << "1e999" << 0.0;
    }
    void val()
    {
        QFETCH(QString, text);
        QTEST(Val(text), "value");
    }

    void valIgnoresProcessLocale()
    {
        // A desktop locale with a decimal comma must not change how a point reads.
        bool found = false;
        for (const char* n : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
            found = found || std::setlocale(LC_NUMERIC, n);
        if (!found)
            QSKIP("no locale with a decimal comma installed");
        const double v = Val(QStringLiteral("1.5"));
        std::setlocale(LC_NUMERIC, "C");
        QCOMPARE(v, 1.5);
    }

    void rounding()
    {
        QCOMPARE(RoundHalfEven(2.5), 2);
        QCOMPARE(RoundHalfEven(-3.5), -4);
        QCOMPARE(RoundHalfEven(1e30), std::numeric_limits<qint64>::max());
        QCOMPARE(WholePart(-1.5), -2);
    }

    void colours()
    {
        QCOMPARE(ColorFromNumber(0xFFC08040u), QColor(0x40, 0x80, 0xC0));
        QCOMPARE(NumberFromColor(QColor(0x40, 0x80, 0xC0)), 0x00C08040u);
    }
};

QTEST_GUILESS_MAIN(TestConventions)
#include "tst_conventions.moc"
