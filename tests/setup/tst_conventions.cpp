#include "setup/Conventions.h"

#include <QtTest>

#include <clocale>

using namespace setup;

class TestConventions : public QObject {
    Q_OBJECT
private slots:
    void val_data();
    void val();
    void valIgnoresProcessLocale();
    void roundHalfEven_data();
    void roundHalfEven();
    void wholePart_data();
    void wholePart();
    void colours_data();
    void colours();
};

void TestConventions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("plain") << "123" << 123.0;
    QTest::newRow("leading blanks") << "   42" << 42.0;
    QTest::newRow("blanks between digits") << " 1 2 3" << 123.0;
    QTest::newRow("tab and LF between digits") << "1\t2\n3" << 123.0;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("plus sign") << "+0102.00" << 102.0;
    QTest::newRow("minus fraction") << "-.5" << -0.5;
    QTest::newRow("point last") << "7." << 7.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "-1.5e2" << -150.0;
    QTest::newRow("exponent D") << "2D3" << 2000.0;
    QTest::newRow("exponent with blanks") << "1 E - 2" << 0.01;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("exponent sign only") << "12e+x" << 12.0;
    QTest::newRow("trailing garbage") << "12abc" << 12.0;
    QTest::newRow("comma ends") << "1,500" << 1.0;
    QTest::newRow("carriage return ends") << "1\r2" << 1.0;
    QTest::newRow("hex prefix not read") << "0x10" << 0.0;
    QTest::newRow("overflow") << "1e999" << 0.0;
}

void TestConventions::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
}

void TestConventions::valIgnoresProcessLocale()
{
    // A desktop locale with a decimal comma must not change how a point reads.
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
    const char* found = nullptr;
    for (const char* n : names) {
        if (std::setlocale(LC_NUMERIC, n)) {
            found = n;
            break;
        }
    }
    if (!found)
        QSKIP("no locale with a decimal comma installed");
    const double v = Val(QStringLiteral("1.5"));
    std::setlocale(LC_NUMERIC, "C");
    QCOMPARE(v, 1.5);
}

void TestConventions::roundHalfEven_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("1.5") << 1.5 << qint64(2);
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(4);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-4);
    QTest::newRow("2.4999") << 2.4999 << qint64(2);
    QTest::newRow("2.5001") << 2.5001 << qint64(3);
    QTest::newRow("huge saturates") << 1e30 << std::numeric_limits<qint64>::max();
    QTest::newRow("huge negative saturates") << -1e30 << std::numeric_limits<qint64>::min();
}

void TestConventions::roundHalfEven()
{
    QFETCH(double, v);
    QFETCH(qint64, whole);
    QCOMPARE(RoundHalfEven(v), whole);
}

void TestConventions::wholePart_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("1.9") << 1.9 << qint64(1);
    QTest::newRow("-1.5") << -1.5 << qint64(-2);
    QTest::newRow("-0.1") << -0.1 << qint64(-1);
    QTest::newRow("-3") << -3.0 << qint64(-3);
}

void TestConventions::wholePart()
{
    QFETCH(double, v);
    QFETCH(qint64, whole);
    QCOMPARE(WholePart(v), whole);
}

void TestConventions::colours_data()
{
    QTest::addColumn<quint32>("number");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red in the low byte") << quint32(255) << QColor(255, 0, 0);
    QTest::newRow("green") << quint32(0x00FF00) << QColor(0, 255, 0);
    QTest::newRow("blue in the high byte") << quint32(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("light yellow") << quint32(14745599) << QColor(255, 255, 224);
    QTest::newRow("dark gray") << quint32(0x404040) << QColor(64, 64, 64);
}

void TestConventions::colours()
{
    QFETCH(quint32, number);
    QFETCH(QColor, colour);
    QCOMPARE(ColorFromNumber(number), colour);
    QCOMPARE(NumberFromColor(colour), number);
    QCOMPARE(ColorFromNumber(number | 0xFF000000u), colour); // top byte ignored
}

QTEST_GUILESS_MAIN(TestConventions)
#include "tst_conventions.moc"
