#include "setup/DefaultImage.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace setup;

namespace {
QString Hex(qint64 v, int width)
{
    return QString::number(v, 16).toUpper().rightJustified(width, u'0');
}

QString& StringOf(int kind)
{
    return kind <= KindSignedWord ? SetupB : SetupA;
}
} // namespace

class TestNumberCoding : public QObject {
    Q_OBJECT
private slots:
    void init();
    void format_data();
    void format();
    void formatOnDefaultImage();
    void store_data();
    void store();
    void roundTrip_data();
    void roundTrip();
    void stripNumberText_data();
    void stripNumberText();
    void dotFormat_data();
    void dotFormat();
};

void TestNumberCoding::init()
{
    SetupA = QString(108, u'0');
    SetupB = QString(68, u'0');
    InputOption = 1;
    ModeCode = 0;
    EntryTimeFormat = TimeFormatNumber;
}

void TestNumberCoding::format_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("decPt");
    QTest::addColumn<int>("inputOption");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("timeFormat");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kindAfter");
    QTest::addColumn<int>("decPtAfter");
    auto row = [](const char* name, int kind, const char* digits, int decPt, const char* text,
                  int kindAfter, int decPtAfter, int inputOption = 1, int mode = 0, int tf = 0) {
        QTest::newRow(name) << kind << QString(digits) << decPt << inputOption << mode << tf
                            << QString(text) << kindAfter << decPtAfter;
    };
    row("reading zero", 2, "000000", 1, " +000000.", 2, 1);
    row("reading 100.00", 2, "002710", 3, " +0100. 00", 2, 3);
    row("reading -1", 2, "FFFFFF", 1, " - 000001.", 2, 1);
    row("reading -1 plain", 12, "FFFFFF", 1, "-000001.", 2, 1);
    row("reading -1.00", 2, "FFFF9C", 3, " - 0001. 00", 2, 3);
    row("reading -1.00 plain", 12, "FFFF9C", 3, "-0001.00", 2, 3);
    row("reading plain positive", 12, "002710", 6, " 0.10000", 2, 6);
    row("reading max shows six digits", 2, "7FFFFF", 1, " +388607.", 2, 1);
    row("reading 800000 negative", 2, "800000", 1, " - 388608.", 2, 1);
    row("reading lower case", 2, "fffeff", 1, " - 000257.", 2, 1);
    row("decPt 0 clamped to 1", 2, "002710", 0, " +010000.", 2, 1);
    row("decPt 7 clamped to 6", 2, "002710", 7, " +0. 10000", 2, 6);
    row("word 3.00", 0, "012C", 3, "003. 00", 0, 3);
    row("word plain", 10, "012C", 3, "  003.00", 0, 3);
    row("word max, five digits", 0, "FFFF", 1, "65535.", 0, 1);
    row("word never negative", 0, "8000", 1, "32768.", 0, 1);
    row("signed word -100", 1, "8064", 1, " - 000100.", 1, 1);
    row("signed word +100", 1, "0064", 1, " +000100.", 1, 1);
    row("signed word plain", 11, "8064", 1, "-000100.", 1, 1);
    row("scale 1.00000", 3, "0186A0", 6, " +1. 00000", 3, 6);
    row("scale -1.00000", 3, "8186A0", 6, " - 1. 00000", 3, 6);
    row("scale keeps caller's point", 3, "0186A0", 2, " +10000. 0", 3, 2);
    row("input flag 5, negative", 4, "D1E240", 2, " - 12. 3456", 4, 5);
    row("input flag 4", 4, "4186A0", 1, " +100. 000", 4, 4);
    row("input flag 0 shown as 1", 4, "0186A0", 3, " +100000.", 4, 1);
    row("input flag 7 shown as 6", 4, "7186A0", 3, " +1. 00000", 4, 6);
    row("input V-F board, mode 9", 4, "4186A0", 1, " +1. 00000", 4, 6, 2, 9);
    row("input V-F board, other mode", 4, "4186A0", 1, " +10. 0000", 4, 5, 2, 3);
    row("char code", 7, "00000D", 1, " +000013.", 7, 1);
    row("stopwatch 3725 s", 2, "000E8D", 1, " +010205.", 2, 1, 1, 0, 2);
    row("stopwatch -1 s", 2, "FFFFFF", 1, " - 000001.", 2, 1, 1, 0, 2);
    row("stopwatch -3725 s", 2, "FFF173", 1, " - 010205.", 2, 1, 1, 0, 2);
    row("clock time is the plain number", 2, "000E8D", 1, " +003725.", 2, 1, 1, 0, 1);
    row("no hex digits", 2, "GGGGGG", 1, " +000000.", 2, 1);
    row("garbage after digits", 2, "02G710", 1, " +000002.", 2, 1);
    row("kind without decoding", 5, "FFFFFF", 1, " - 000000.", 5, 1);
}

void TestNumberCoding::format()
{
    QFETCH(int, kind);
    QFETCH(QString, digits);
    QFETCH(int, decPt);
    QFETCH(int, inputOption);
    QFETCH(int, mode);
    QFETCH(int, timeFormat);
    InputOption = inputOption;
    ModeCode = mode;
    EntryTimeFormat = timeFormat;
    // The field sits at position 7 of its string, so a 0-based slip shows.
    const QString image = QStringLiteral("123456") + digits + QStringLiteral("ABCDEF");
    QTEST(FormatSetupNumber(kind, image, 7, decPt), "text");
    QTEST(kind, "kindAfter");
    QTEST(decPt, "decPtAfter");
}

void TestNumberCoding::formatOnDefaultImage()
{
    SetupA = DefaultSetupAText;
    SetupB = DefaultSetupBText;
    int kind = KindReading;
    int decPt = 1;
    QCOMPARE(FormatSetupNumber(kind, SetupA, 49, decPt), QStringLiteral(" +020000.")); // SetPt2
    kind = KindSignedWord;
    QCOMPARE(FormatSetupNumber(kind, SetupB, 1, decPt), QStringLiteral(" - 000100.")); // Cal
    kind = KindWord;
    decPt = 3;
    QCOMPARE(FormatSetupNumber(kind, SetupB, 41, decPt), QStringLiteral("000. 10")); // GateTime
    kind = KindReading;
    QCOMPARE(FormatSetupNumber(kind, SetupA, 200, decPt), QStringLiteral(" +0000. 00")); // past the end
    QCOMPARE(SetupA, DefaultSetupAText);
}

void TestNumberCoding::store_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("timeFormat");
    QTest::addColumn<QString>("digits"); // empty: refused
    auto row = [](const char* name, int kind, const char* text, const char* digits, int tf = 0) {
        QTest::newRow(name) << kind << QString(text) << tf << QString(digits);
    };
    row("reading +102.00", 2, "+0102.00", "0027D8");
    row("reading -1.00", 2, "-0001.00", "FFFF9C");
    row("reading 100.00", 2, "+0100.00", "002710");
    row("reading minus zero", 2, "-000000.", "000000");
    row("reading max", 2, "+8388607.", "7FFFFF");
    row("reading min", 2, "-8388608.", "800000");
    row("reading too big", 2, "+8388608.", "");
    row("reading too small", 2, "-8388609.", "");
    row("input -12.3456", 4, "-12.3456", "D1E240");
    row("input +100.000", 4, "+100.000", "4186A0");
    row("input point last", 4, "+123456.", "11E240");
    row("input without point", 4, "+123456", "61E240");
    row("input too big", 4, "+1048576.", "");
    row("scale -1.00000", 3, "-1.00000", "8186A0");
    row("scale max", 3, "+10.48575", "0FFFFF");
    row("scale too big", 3, "+10.48576", "");
    row("signed word -100", 1, "-000100.", "8064");
    row("signed word max", 1, "+32767.", "7FFF");
    row("signed word too big", 1, "-32768.", "");
    row("word 3.00", 0, "003.00", "012C");
    row("word max", 0, "65535.", "FFFF");
    row("word too big", 0, "65536.", "");
    row("word negative", 0, "-1.", "");
    row("stopwatch 01:02:05", 2, "+010205.", "000E8D", 2);
    row("stopwatch -1 s", 2, "-000001.", "FFFFFF", 2);
    row("clock time stored as number", 2, "+010205.", "0027DD", 1);
    row("char code not stored here", 7, "+000013.", "");
}

void TestNumberCoding::store()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(int, timeFormat);
    QFETCH(QString, digits);
    EntryTimeFormat = timeFormat;
    const int pos = kind <= KindSignedWord ? 37 : 55;
    const QString beforeA = SetupA;
    const QString beforeB = SetupB;
    if (digits.isEmpty()) {
        QVERIFY(!StoreEnteredValue(kind, pos, text));
        QCOMPARE(SetupA, beforeA);
        QCOMPARE(SetupB, beforeB);
        return;
    }
    QVERIFY(StoreEnteredValue(kind, pos, text));
    QString expected = StringOf(kind) == SetupA ? beforeA : beforeB;
    expected.replace(pos - 1, digits.size(), digits);
    QCOMPARE(StringOf(kind), expected);
    QCOMPARE(StringOf(kind == KindSignedWord || kind == KindWord ? KindReading : KindWord),
             kind <= KindSignedWord ? beforeA : beforeB);
    // A field past the end is refused and the string does not grow.
    QVERIFY(!StoreEnteredValue(kind, StringOf(kind).size() - 2, text));
    QCOMPARE(StringOf(kind), expected);
}

void TestNumberCoding::roundTrip_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("decPt");
    QTest::addColumn<int>("timeFormat");
    auto add = [](int kind, const QString& digits, int decPt, int tf = 0) {
        QTest::addRow("kind %d %s code %d tf %d", kind, qPrintable(digits), decPt, tf)
            << kind << digits << decPt << tf;
    };
    for (int decPt = 1; decPt <= 6; ++decPt) {
        for (int v : {0, 1, 300, 65535})
            add(KindWord, Hex(v, 4), decPt);
        for (int v : {0x0000, 0x0001, 0x7FFF, 0x8000, 0x8064, 0xFFFF})
            add(KindSignedWord, Hex(v, 4), decPt);
        for (int v : {0, 1, 100, 999999, -1, -100, -999999})
            add(KindReading, Hex(v & 0xFFFFFF, 6), decPt);
        for (int v : {0x000000, 0x0186A0, 0x8186A0, 0x0F423F, 0x8F423F})
            add(KindScale, Hex(v, 6), decPt);
        // KindInput carries its own code in the flag digit.
        for (int sign : {0, 8})
            for (int magnitude : {0, 1, 123456, 999999})
                add(KindInput, Hex(sign + decPt, 1) + Hex(magnitude, 5), 1);
    }
    for (int seconds : {0, 59, 3725, 359999, -1, -3725, -359999})
        add(KindReading, Hex(seconds & 0xFFFFFF, 6), 1, TimeFormatStopwatch);
}

void TestNumberCoding::roundTrip()
{
    QFETCH(int, kind);
    QFETCH(QString, digits);
    QFETCH(int, decPt);
    QFETCH(int, timeFormat);
    EntryTimeFormat = timeFormat;
    const int pos = kind <= KindSignedWord ? 25 : 61;
    QString& image = StringOf(kind);
    image.replace(pos - 1, digits.size(), digits);
    int k = kind;
    QString text = FormatSetupNumber(k, image, pos, decPt);
    text.remove(u' ');
    image.replace(pos - 1, digits.size(), QString(digits.size(), u'5'));
    QVERIFY2(StoreEnteredValue(kind, pos, text), qPrintable(text));
    QCOMPARE(image.mid(pos - 1, digits.size()), digits);
}

void TestNumberCoding::stripNumberText_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("grouped") << " 1. 234. 5" << "12345";
    QTest::newRow("leading point") << ". 5" << "5";
    QTest::newRow("display text") << " +0100. 00 " << "+010000";
    QTest::newRow("tab kept") << "\t1.2" << "\t12";
}

void TestNumberCoding::stripNumberText()
{
    QFETCH(QString, in);
    WorkStr = in;
    StripNumberText();
    QTEST(WorkStr, "out");
}

void TestNumberCoding::dotFormat_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("six digits") << "123456" << "123. 45. 6+";
    QTest::newRow("seven digits") << "1234567" << "123. 45. 67";
    QTest::newRow("trimmed first") << "  123456 " << "123. 45. 6+";
    QTest::newRow("short") << "12" << "12. . ";
}

void TestNumberCoding::dotFormat()
{
    QFETCH(QString, in);
    WorkStr = in;
    DotFormat();
    QTEST(WorkStr, "out");
}

QTEST_GUILESS_MAIN(TestNumberCoding)
#include "tst_numbercoding.moc"
