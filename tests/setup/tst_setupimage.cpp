#include "setup/DefaultImage.h"
#include "setup/FieldMap.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace setup;

namespace {
// A SetupB whose byte at pos is the given two characters, zeros elsewhere.
QString ImageBWith(int pos, const QString& byte)
{
    return QString(68, u'0').replace(pos - 1, byte.size(), byte);
}
} // namespace

class TestSetupImage : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        SetupA = QString(108, u'0');
        SetupB = QString(68, u'0');
        SetupChars.clear();
    }

    void getBits()
    {
        auto bits = [](const QString& image, int hi, int lo, int pos) {
            SetupB = image;
            return GetSetupBits(hi, lo, pos);
        };
        QCOMPARE(bits(ImageBWith(15, "21"), 6, 4, 15), 2);
        QCOMPARE(bits(ImageBWith(15, "fe"), 7, 0, 15), 254);
        QCOMPARE(bits(ImageBWith(45, "80"), 7, 7, 45), 1);
        QCOMPARE(bits("0123456789", 7, 0, 3), 0x23); // byte 3 is characters 3-4
        QCOMPARE(bits("0123", 7, 0, 5), 0);          // past the end
        QCOMPARE(bits("012", 7, 0, 3), 2);           // one digit left
    }

    void setBits()
    {
        SetupB = ImageBWith(55, "D3"); // BaudRate is bits 6..4; the others stay
        QVERIFY(SetSetupBits(6, 4, 55, 6) && SetupB == ImageBWith(55, "E3"));
        SetupB = ImageBWith(23, "ab"); // read in either case, written upper, two digits
        QVERIFY(SetSetupBits(0, 0, 23, 0) && SetupB == ImageBWith(23, "AA"));
        QVERIFY(SetSetupBits(7, 0, 23, 5) && SetupB == ImageBWith(23, "05"));
    }

    void setBitsRefused()
    {
        auto refused = [](int length, int hi, int lo, int pos, int value) {
            SetupB = QString(length, u'1');
            return !SetSetupBits(hi, lo, pos, value) && SetupB == QString(length, u'1');
        };
        QVERIFY(refused(68, 7, 0, 5, -1));
        QVERIFY(refused(68, 7, 4, 5, 16)); // above 255 once shifted
        QVERIFY(refused(68, 7, 0, 69, 1)); // past the end
        QVERIFY(refused(67, 7, 0, 67, 1)); // half a byte left
        QVERIFY(refused(68, 7, 0, 0, 1));
    }

    void charsBytes()
    {
        QVERIFY(!PutCharsByte(1, 3));
        QVERIFY(SetupChars.isEmpty()); // never padded or grown
        SetupChars = DefaultSetupCharsText;
        QVERIFY(PutCharsByte(5, 10));
        QCOMPARE(SetupChars, QStringLiteral("25030A0008000D00"));
        QCOMPARE(GetCharsByte(1), 0x25);
        QVERIFY(!PutCharsByte(3, 256) && !PutCharsByte(3, -1) && !PutCharsByte(17, 1));
        QCOMPARE(SetupChars, QStringLiteral("25030A0008000D00"));
    }

    void defaultImageGivesFieldDefaults()
    {
        QCOMPARE(DefaultSetupBText, QStringLiteral("8064000003E823112E050101040055050500012C000A000004012150690900000000"));
        SetupA = DefaultSetupAText;
        SetupB = DefaultSetupBText;
        SetupChars = DefaultSetupCharsText;
        for (const Field& f : FieldMap)
            QVERIFY2(ReadRaw(f) == f.defaultRaw, f.name.data());
        // Hand-read values, so a wrong table cannot agree with itself.
        QCOMPARE(ReadRaw(field::Scale1), 100000);
        QCOMPARE(ReadRaw(field::TimeOut), 300);
        QCOMPARE(ReadRaw(field::Revision), 37);
    }

    void fieldWrites()
    {
        const struct { Field f; int raw, pos; QString digits; } rows[] = {
            // Byte 45 holds lockouts 12..15 then 8..11 from bit 7 down; byte 47 4..7 then 0..3.
            {field::Lock12, 1, 45, "80"}, {field::Lock8, 1, 45, "08"}, {field::Lock11, 1, 45, "01"},
            {field::Lock7, 1, 47, "10"},  {field::Lock0, 1, 47, "08"},
            {field::Source1, 2, 33, "08"}, {field::Source2, 2, 33, "02"},
            {field::SetPt1, 0xFFFF9C, 55, "FFFF9C"}, {field::StopChr, 13, 13, "0D"},
        };
        for (const auto& r : rows) {
            init();
            SetupChars = QString(16, u'0');
            QString& image = r.f.image == Image::A ? SetupA : r.f.image == Image::B ? SetupB : SetupChars;
            const QString expected = QString(image).replace(r.pos - 1, r.digits.size(), r.digits);
            QVERIFY2(WriteRaw(r.f, r.raw) && image == expected, r.f.name.data());
            QCOMPARE(ReadRaw(r.f), r.raw);
        }
    }

    void fieldWritesRefused()
    {
        QVERIFY(!WriteRaw(field::DecPt1, 8) && !WriteRaw(field::SetPt1, 0x1000000));
        QVERIFY(!WriteRaw(field::Revision, 37)); // SetupChars still empty
        QCOMPARE(SetupA + SetupB + SetupChars, QString(176, u'0'));
        SetupB = QString(60, u'0'); // a short SetupB from an odd file
        QVERIFY(!WriteRaw(field::Mode, 3));
        QCOMPARE(SetupB.size(), 60);
    }
};

QTEST_GUILESS_MAIN(TestSetupImage)
#include "tst_setupimage.moc"
