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
    void init()
    {
        SetupA = QString(108, u'0');
        SetupB = QString(68, u'0');
        InputOption = 1;
        ModeCode = 0;
        EntryTimeFormat = TimeFormatNumber;
    }

    void format()
    {
        const struct {
            int kind; QString digits; int decPt; QString text; int decPtAfter, option = 1, mode = 0, tf = 0;
        } rows[] = {
            {2, "FFFF9C", 3, " - 0001. 00", 3}, {12, "FFFF9C", 3, "-0001.00", 3}, // 12: plain style
            {2, "800000", 1, " - 388608.", 1},  {2, "002710", 7, " +0. 10000", 6},
            {10, "012C", 3, "  003.00", 3},     {0, "8000", 1, "32768.", 1}, // a word is never negative
            {1, "8064", 1, " - 000100.", 1},    {3, "8186A0", 6, " - 1. 00000", 6},
            {4, "D1E240", 2, " - 12. 3456", 5}, // the input's own point wins
            {4, "4186A0", 1, " +1. 00000", 6, 2, 9}, {4, "4186A0", 1, " +10. 0000", 5, 2, 3}, // V-F board
            {2, "FFF173", 1, " - 010205.", 1, 1, 0, TimeFormatStopwatch},
            {2, "000E8D", 1, " +003725.", 1, 1, 0, TimeFormatClock},
        };
        for (const auto& r : rows) {
            InputOption = r.option;
            ModeCode = r.mode;
            EntryTimeFormat = r.tf;
            int kind = r.kind;
            int decPt = r.decPt;
            // The field sits at position 7 of its string, so a 0-based slip shows.
            QCOMPARE(FormatSetupNumber(kind, "123456" + r.digits + "ABCDEF", 7, decPt), r.text);
            QCOMPARE(kind, r.kind % KindPlainStyle);
            QCOMPARE(decPt, r.decPtAfter);
        }
    }

    void store()
    {
        const struct { int kind; QString text, digits; int tf = 0; } rows[] = { // digits "": refused
            {2, "+0102.00", "0027D8"}, {2, "-0001.00", "FFFF9C"},
            {2, "-8388608.", "800000"}, {2, "+8388608.", ""}, {2, "+-5.", ""},
            {4, "-12.3456", "D1E240"},  {4, "+1048576.", ""},
            {3, "+10.48576", ""},       {1, "-32768.", ""}, {0, "-1.", ""},
            {2, "-000001.", "FFFFFF", TimeFormatStopwatch},
            {2, "+010205.", "0027DD", TimeFormatClock},
            {7, "+000013.", ""}, // character codes are not stored from number texts
            // An input typed without a point is a whole number (code 1).
            {4, "+123456", "11E240"}, {4, "-000001", "900001"}, {4, "+12345.6", "21E240"},
            // Stopwatch parts out of range are refused before they are added
            // up; huge ones would overflow the sum and store garbage.
            {2, "+995959", "057E3F", TimeFormatStopwatch}, {2, "+006000", "", TimeFormatStopwatch},
            {2, "+000060", "", TimeFormatStopwatch},       {2, "+01001e30", "", TimeFormatStopwatch},
            {2, "+0100" + QString(19, u'9'), "", TimeFormatStopwatch},
        };
        for (const auto& r : rows) {
            init();
            EntryTimeFormat = r.tf;
            const int pos = r.kind <= KindSignedWord ? 37 : 55;
            QString expected = SetupA + SetupB; // only the field's own digits change
            expected.replace((r.kind <= KindSignedWord ? 108 : 0) + pos - 1, r.digits.size(), r.digits);
            QVERIFY2(StoreEnteredValue(r.kind, pos, r.text) == !r.digits.isEmpty(), qPrintable(r.text));
            QCOMPARE(SetupA + SetupB, expected);
            // A field past the end is refused and the string does not grow.
            QVERIFY(!StoreEnteredValue(r.kind, StringOf(r.kind).size() - 2, r.text));
            QCOMPARE(SetupA + SetupB, expected);
        }
    }

    // Whatever a field holds, the text shown for it stores back the same digits.
    void roundTrip()
    {
        auto check = [](int kind, const QString& digits, int decPt, int tf) {
            EntryTimeFormat = tf;
            const int pos = kind <= KindSignedWord ? 25 : 61;
            QString& image = StringOf(kind);
            image.replace(pos - 1, digits.size(), digits);
            int k = kind;
            const QString text = FormatSetupNumber(k, image, pos, decPt).remove(u' ');
            image.replace(pos - 1, digits.size(), QString(digits.size(), u'5'));
            QVERIFY2(StoreEnteredValue(kind, pos, text), qPrintable(text));
            QCOMPARE(image.mid(pos - 1, digits.size()), digits);
        };
        for (int decPt = 1; decPt <= 6; ++decPt) {
            for (int v : {0, 1, 65535})
                check(KindWord, Hex(v, 4), decPt, 0);
            for (int v : {0x0001, 0x7FFF, 0x8000, 0x8064})
                check(KindSignedWord, Hex(v, 4), decPt, 0);
            for (int v : {0, 100, 999999, -1, -999999})
                check(KindReading, Hex(v & 0xFFFFFF, 6), decPt, 0);
            for (int v : {0x000000, 0x8186A0, 0x0F423F})
                check(KindScale, Hex(v, 6), decPt, 0);
            for (int sign : {0, 8}) // KindInput carries its own point in the flag digit
                for (int magnitude : {0, 1, 999999})
                    check(KindInput, Hex(sign + decPt, 1) + Hex(magnitude, 5), 1, 0);
        }
        for (int seconds : {59, 3725, 359999, -1, -359999})
            check(KindReading, Hex(seconds & 0xFFFFFF, 6), 1, TimeFormatStopwatch);
    }

    void textTidying()
    {
        WorkStr = " +0100. 00 ";
        StripNumberText();
        QCOMPARE(WorkStr, QStringLiteral("+010000"));
        WorkStr = "  123456 ";
        DotFormat();
        QCOMPARE(WorkStr, QStringLiteral("123. 45. 6+"));
    }
};

QTEST_GUILESS_MAIN(TestNumberCoding)
#include "tst_numbercoding.moc"
