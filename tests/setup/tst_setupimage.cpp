#include "setup/DefaultImage.h"
#include "setup/FieldMap.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace setup;

namespace {
// A SetupB whose byte at pos is the given two characters, zeros elsewhere.
QString ImageBWith(int pos, const QString& byte)
{
    QString b(68, u'0');
    b.replace(pos - 1, byte.size(), byte);
    return b;
}

QString& ImageOf(Image image)
{
    return image == Image::A ? SetupA : image == Image::B ? SetupB : SetupChars;
}
} // namespace

class TestSetupImage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void getBits_data();
    void getBits();
    void setBits_data();
    void setBits();
    void setBitsRefused_data();
    void setBitsRefused();
    void charsBytes();
    void charsBytesOnEmptyString();
    void fieldMapIsConsistent();
    void defaultImageGivesFieldDefaults();
    void fieldWrites_data();
    void fieldWrites();
    void fieldWritesRefused();
};

void TestSetupImage::initTestCase()
{
    // The program's start values, before any test touches the image.
    QCOMPARE(SetupA, QString(108, u'0'));
    QCOMPARE(SetupB, QString(68, u'0'));
    QVERIFY(SetupChars.isEmpty());
    QCOMPARE(DefaultSetupAText.size(), 108);
    QCOMPARE(DefaultSetupBText, QStringLiteral("8064000003E823112E050101040055050500012C000A000004012150690900000000"));
    QCOMPARE(DefaultSetupCharsText, QStringLiteral("25030D0008000D00"));
}

void TestSetupImage::init()
{
    SetupA = QString(108, u'0');
    SetupB = QString(68, u'0');
    SetupChars.clear();
}

void TestSetupImage::getBits_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("value");
    QTest::newRow("DecPt2 of 11") << ImageBWith(15, "11") << 6 << 4 << 15 << 1;
    QTest::newRow("DecPt1 of 11") << ImageBWith(15, "11") << 2 << 0 << 15 << 1;
    QTest::newRow("lower case") << ImageBWith(15, "fe") << 7 << 0 << 15 << 254;
    // 1-based positions: byte 3 is characters 3-4, not 4-5 or 2-3.
    QTest::newRow("1-based position") << QStringLiteral("0123456789") << 7 << 0 << 3 << 0x23;
    QTest::newRow("first byte") << QStringLiteral("0123456789") << 7 << 0 << 1 << 0x01;
    QTest::newRow("high bit first") << ImageBWith(45, "80") << 7 << 7 << 45 << 1;
    QTest::newRow("hi below lo") << ImageBWith(45, "FF") << 2 << 5 << 45 << 0;
    QTest::newRow("past the end") << QStringLiteral("0123") << 7 << 0 << 5 << 0;
    QTest::newRow("position 0") << QStringLiteral("FF") << 7 << 0 << 0 << 0;
    QTest::newRow("one digit left") << QStringLiteral("012") << 7 << 0 << 3 << 2;
    QTest::newRow("no hex digits") << ImageBWith(15, "G1") << 7 << 0 << 15 << 0;
    QTest::newRow("second digit not hex") << ImageBWith(15, "1G") << 7 << 0 << 15 << 1;
    QTest::newRow("non-Latin character") << ImageBWith(15, QString(QChar(0x0660)) + "1") << 7 << 0 << 15 << 0;
}

void TestSetupImage::getBits()
{
    QFETCH(QString, image);
    QFETCH(int, hi);
    QFETCH(int, lo);
    QFETCH(int, pos);
    QFETCH(int, value);
    SetupB = image;
    QCOMPARE(GetSetupBits(hi, lo, pos), value);
    QCOMPARE(SetupB, image);
}

void TestSetupImage::setBits_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("after");
    QTest::newRow("BaudRate 6 on 50") << "50" << 6 << 4 << 55 << 6 << "60";
    QTest::newRow("BaudRate 6 on D3 keeps others") << "D3" << 6 << 4 << 55 << 6 << "E3";
    QTest::newRow("whole byte") << "00" << 7 << 0 << 5 << 34 << "22";
    QTest::newRow("single digit gets leading 0") << "01" << 0 << 0 << 23 << 0 << "00";
    QTest::newRow("lower case read, upper written") << "ab" << 0 << 0 << 23 << 0 << "AA";
    // Wider than the field but still a byte: written as it is.
    QTest::newRow("value wider than field") << "00" << 1 << 0 << 31 << 5 << "05";
    QTest::newRow("unreadable byte read as 0") << "ZZ" << 3 << 2 << 33 << 1 << "04";
}

void TestSetupImage::setBits()
{
    QFETCH(QString, before);
    QFETCH(int, hi);
    QFETCH(int, lo);
    QFETCH(int, pos);
    QFETCH(int, value);
    QFETCH(QString, after);
    SetupB = ImageBWith(pos, before);
    QVERIFY(SetSetupBits(hi, lo, pos, value));
    QCOMPARE(SetupB, ImageBWith(pos, after));
}

void TestSetupImage::setBitsRefused_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("value");
    QTest::newRow("negative") << ImageBWith(5, "12") << 7 << 0 << 5 << -1;
    QTest::newRow("byte above 255") << ImageBWith(5, "12") << 7 << 0 << 5 << 256;
    QTest::newRow("shifted above 255") << ImageBWith(5, "12") << 7 << 4 << 5 << 16;
    QTest::newRow("past the end") << QString(68, u'0') << 7 << 0 << 69 << 1;
    QTest::newRow("half a byte left") << QString(67, u'0') << 7 << 0 << 67 << 1;
    QTest::newRow("position 0") << QString(68, u'0') << 7 << 0 << 0 << 1;
    QTest::newRow("bit range outside byte") << QString(68, u'0') << 8 << 0 << 1 << 1;
}

void TestSetupImage::setBitsRefused()
{
    QFETCH(QString, image);
    QFETCH(int, hi);
    QFETCH(int, lo);
    QFETCH(int, pos);
    QFETCH(int, value);
    SetupB = image;
    QVERIFY(!SetSetupBits(hi, lo, pos, value));
    QCOMPARE(SetupB, image);
}

void TestSetupImage::charsBytes()
{
    SetupChars = DefaultSetupCharsText;
    QVERIFY(PutCharsByte(5, 10));
    QCOMPARE(SetupChars, QStringLiteral("25030A0008000D00"));
    QCOMPARE(GetCharsByte(5), 10);
    QCOMPARE(GetCharsByte(1), 0x25);
    QVERIFY(PutCharsByte(15, 255));
    QCOMPARE(SetupChars.right(2), QStringLiteral("FF"));
    const QString before = SetupChars;
    QVERIFY(!PutCharsByte(3, 256));
    QVERIFY(!PutCharsByte(3, -1));
    QVERIFY(!PutCharsByte(17, 1));
    QCOMPARE(SetupChars, before);
}

void TestSetupImage::charsBytesOnEmptyString()
{
    QCOMPARE(GetCharsByte(1), 0);
    QCOMPARE(GetCharsByte(15), 0);
    QVERIFY(!PutCharsByte(1, 3));
    QVERIFY(SetupChars.isEmpty()); // never padded or grown
}

void TestSetupImage::fieldMapIsConsistent()
{
    const int lengths[] = {108, 68, 16};
    for (const Field& f : FieldMap) {
        const QByteArray name(f.name.data(), qsizetype(f.name.size()));
        QVERIFY2(f.pos >= 1 && f.pos + f.digits() - 1 <= lengths[int(f.image)], name);
        QVERIFY2(f.pos % 2 == 1, name);
        QVERIFY2(f.loBit >= 0 && f.hiBit <= 7 && f.hiBit >= f.loBit, name);
        if (f.image == Image::A)
            QVERIFY2((f.pos - 1) % 6 == 0, name);
    }
    // No two fields share bits, except the two pairs of names for the same digits.
    for (size_t i = 0; i < FieldMap.size(); ++i) {
        for (size_t j = i + 1; j < FieldMap.size(); ++j) {
            const Field& a = FieldMap[i];
            const Field& b = FieldMap[j];
            if (a.image != b.image)
                continue;
            const bool sharedDigits = a.pos < b.pos + b.digits() && b.pos < a.pos + a.digits();
            const bool sharedBits = a.coding != Coding::Bits || b.coding != Coding::Bits
                                    || (a.loBit <= b.hiBit && b.loBit <= a.hiBit);
            if (!sharedDigits || !sharedBits)
                continue;
            const QSet<QString> pair{QString::fromLatin1(a.name.data(), a.name.size()),
                                     QString::fromLatin1(b.name.data(), b.name.size())};
            QVERIFY2(pair == QSet<QString>({"Offset2", "Preset"}) || pair == QSet<QString>({"LoIn2", "Rd0In"}),
                     qPrintable(QStringList(pair.values()).join(" / ")));
        }
    }
}

void TestSetupImage::defaultImageGivesFieldDefaults()
{
    SetupA = DefaultSetupAText;
    SetupB = DefaultSetupBText;
    SetupChars = DefaultSetupCharsText;
    for (const Field& f : FieldMap)
        QVERIFY2(ReadRaw(f) == f.defaultRaw, f.name.data());
    // Spot checks against hand-read values, so a wrong table cannot agree with itself.
    QCOMPARE(ReadRaw(field::Cal), 0x8064);
    QCOMPARE(ReadRaw(field::Scale1), 100000);
    QCOMPARE(ReadRaw(field::TimeOut), 300);
    QCOMPARE(ReadRaw(field::BaudRate), 5);
    QCOMPARE(ReadRaw(field::InOpt), 1);
    QCOMPARE(ReadRaw(field::ComOpt), 1);
    QCOMPARE(ReadRaw(field::Revision), 37);
    QCOMPARE(GetSetupBits(field::Address.hiBit, field::Address.loBit, field::Address.pos), 1);
}

void TestSetupImage::fieldWrites_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("digits");
    // Lockouts: byte 45 holds 12..15 then 8..11 from bit 7 down; byte 47 4..7 then 0..3.
    QTest::newRow("Lock12") << "Lock12" << 1 << 45 << "80";
    QTest::newRow("Lock15") << "Lock15" << 1 << 45 << "10";
    QTest::newRow("Lock8") << "Lock8" << 1 << 45 << "08";
    QTest::newRow("Lock11") << "Lock11" << 1 << 45 << "01";
    QTest::newRow("Lock4") << "Lock4" << 1 << 47 << "80";
    QTest::newRow("Lock7") << "Lock7" << 1 << 47 << "10";
    QTest::newRow("Lock0") << "Lock0" << 1 << 47 << "08";
    QTest::newRow("Lock3") << "Lock3" << 1 << 47 << "01";
    // Alarm sources: Source1 in bits 3..2, Source2 in bits 1..0.
    QTest::newRow("Source1") << "Source1" << 2 << 33 << "08";
    QTest::newRow("Source2") << "Source2" << 2 << 33 << "02";
    QTest::newRow("Mode") << "Mode" << 12 << 63 << "C0";
    QTest::newRow("Cal") << "Cal" << 0x8064 << 1 << "8064";
    QTest::newRow("Pulses") << "Pulses" << 1024 << 25 << "0400";
    QTest::newRow("CusRecog") << "CusRecog" << 35 << 13 << "23";
    QTest::newRow("SetPt1") << "SetPt1" << 0xFFFF9C << 55 << "FFFF9C";
    QTest::newRow("StopChr") << "StopChr" << 13 << 13 << "0D";
}

void TestSetupImage::fieldWrites()
{
    QFETCH(QString, name);
    QFETCH(int, raw);
    QFETCH(int, pos);
    QFETCH(QString, digits);
    SetupChars = QString(16, u'0');
    auto it = std::find_if(FieldMap.begin(), FieldMap.end(),
                           [&](const Field& f) { return QLatin1String(f.name.data(), f.name.size()) == name; });
    QVERIFY(it != FieldMap.end());
    QCOMPARE(it->pos, pos);
    QString expected = ImageOf(it->image);
    expected.replace(pos - 1, digits.size(), digits);
    QVERIFY(WriteRaw(*it, raw));
    QCOMPARE(ImageOf(it->image), expected);
    QCOMPARE(ReadRaw(*it), raw);
}

void TestSetupImage::fieldWritesRefused()
{
    QVERIFY(!WriteRaw(field::DecPt1, 8));  // three bits
    QVERIFY(!WriteRaw(field::Address, 32)); // five bits
    QVERIFY(!WriteRaw(field::Pulses, 65536));
    QVERIFY(!WriteRaw(field::SetPt1, 0x1000000));
    QVERIFY(!WriteRaw(field::Mode, -1));
    QVERIFY(!WriteRaw(field::Revision, 37)); // SetupChars still empty
    QCOMPARE(SetupA, QString(108, u'0'));
    QCOMPARE(SetupB, QString(68, u'0'));
    QVERIFY(SetupChars.isEmpty());
    SetupB = QString(60, u'0'); // a short SetupB from an odd file
    QCOMPARE(ReadRaw(field::Mode), 0);
    QVERIFY(!WriteRaw(field::Mode, 3));
    QCOMPARE(SetupB.size(), 60);
}

QTEST_GUILESS_MAIN(TestSetupImage)
#include "tst_setupimage.moc"
