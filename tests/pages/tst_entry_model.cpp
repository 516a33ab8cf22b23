// The value-entry rules without a window: loading the boxes, the keys each
// box takes, the moving point of an input value, and the commit.

#include "pages/EntryModel.h"
#include "platform/MessageBox.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/SetupImage.h"

#include <QtTest>

using namespace pages;
using namespace setup;

namespace {

constexpr int Left = 37;
constexpr int Right = 39;

QStringList Boxes(const EntryModel& m)
{
    return QStringList(m.Box.begin(), m.Box.end());
}

QString Marks(const EntryModel& m)
{
    QString s;
    for (bool on : m.MarkInUse)
        s += on ? u'R' : u'-';
    return s;
}

// Types into the box the caret is in, as the dialog passes the keys on.
void Type(EntryModel& m, int& box, const QString& keys)
{
    for (QChar c : keys) {
        m.KeyPress(box, c);
        if (m.Focus.box >= 0)
            box = m.Focus.box;
    }
}

} // namespace

class TstEntryModel : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        SetupA = QString(SetupALength, u'0');
        SetupB = QString(SetupBLength, u'0');
        InputOption = 1;
        ModeCode = 0;
        EntryText.clear();
        EntryCode = 0;
        EntryKind = KindReading;
        EntryPos = 37;
        EntryDecPt = 3;
        EntryTimeFormat = TimeFormatNumber;
    }

    // A reading of 100.00 changed to 102.00 by typing one digit.
    void readingExample()
    {
        SetupA.replace(36, 6, "002710");
        int kind = KindReading, decPt = 3;
        const QString shown = FormatSetupNumber(kind, SetupA, 37, decPt);
        QCOMPARE(shown, QStringLiteral(" +0100. 00"));

        EntryModel m;
        m.LoadEntryDigits(shown, KindReading);
        QCOMPARE(Boxes(m), (QStringList{"+", "0", "1", "0", "0.", "0", "0"}));
        QCOMPARE(m.BoxVisible, (std::array<bool, 7>{true, true, true, true, true, true, true}));
        QCOMPARE(Marks(m), QStringLiteral("--R---"));
        QCOMPARE(m.Focus.box, 0);

        const int beeps = platform::BeepCount();
        QVERIFY(!m.KeyPress(4, u'2'));
        QCOMPARE(m.Box[4], QStringLiteral("2."));
        QCOMPARE(m.Focus.box, 5);
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupA.mid(36, 6), QStringLiteral("0027D8"));
        QCOMPARE(EntryText, QStringLiteral(" +0102.00"));
        QCOMPARE(platform::BeepCount(), beeps);
    }

    void characterCode()
    {
        EntryKind = KindCharCode;
        EntryModel m;
        m.LoadEntryDigits("65", KindCharCode); // padded to three digits
        QCOMPARE(Boxes(m), (QStringList{"", "", "", "", "0", "6", "5"}));
        QCOMPARE(m.BoxVisible, (std::array<bool, 7>{false, false, false, false, true, true, true}));
        QCOMPARE(Marks(m), QStringLiteral("R-----"));
        QVERIFY(m.CommitEntry());
        QCOMPARE(EntryCode, 65);
        QCOMPARE(EntryText, QStringLiteral("65"));

        m.LoadEntryDigits("000", KindCharCode);
        QVERIFY(m.CommitEntry());
        QCOMPARE(EntryText, QStringLiteral("0"));

        // 300 and 256 do not fit a character: beep, nothing taken, caret to box 4.
        const QString image = SetupA + SetupB;
        EntryCode = 13;
        EntryText = "300";
        for (const QString& typed : {QString(), QStringLiteral("256")}) {
            m.LoadEntryDigits("300", KindCharCode); // as handed over, or typed
            int box = 4;
            Type(m, box, typed);
            const int beeps = platform::BeepCount();
            QVERIFY(!m.CommitEntry());
            QCOMPARE(platform::BeepCount(), beeps + 1);
            QCOMPARE(m.Focus.box, 4);
            QCOMPARE(EntryCode, 13);
            QCOMPARE(EntryText, QStringLiteral("300"));
        }
        QCOMPARE(SetupA + SetupB, image);

        // Box 4 takes 0..2 only; no box takes a point.
        const int beeps = platform::BeepCount();
        m.KeyPress(4, u'3');
        m.KeyPress(5, u'.');
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(Boxes(m).mid(4), (QStringList{"2", "5", "6"}));
    }

    void wordLimits()
    {
        EntryKind = KindWord;
        EntryPos = 25; // pulses: whole numbers up to 59999
        EntryModel m;
        m.LoadEntryDigits("00300.", KindWord);
        QCOMPARE(Boxes(m), (QStringList{"", "", "0", "0", "3", "0", "0."}));
        QCOMPARE(Marks(m), QStringLiteral("R-----"));
        int beeps = platform::BeepCount();
        m.KeyPress(2, u'6');
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(m.Box[2], QStringLiteral("0"));
        QCOMPARE(m.Focus.box, -1);
        m.KeyPress(2, u'5');
        QCOMPARE(m.Box[2], QStringLiteral("5"));

        // Any other word: hundredths, box 2 takes only 0 or 1.
        EntryPos = 41;
        m.LoadEntryDigits("003. 00", KindWord);
        QCOMPARE(Boxes(m), (QStringList{"", "", "0", "0", "3.", "0", "0"}));
        QCOMPARE(Marks(m), QStringLiteral("--R---"));
        beeps = platform::BeepCount();
        for (QChar c : QStringLiteral("23456789+-"))
            m.KeyPress(2, c);
        QCOMPARE(platform::BeepCount(), beeps + 10);
        m.KeyPress(2, u'1');
        m.KeyPress(3, u'9');
        m.KeyPress(4, u'9'); // the box with the point keeps it
        QCOMPARE(Boxes(m).mid(2), (QStringList{"1", "9", "9.", "0", "0"}));
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupB.mid(40, 4), QStringLiteral("4DBC")); // 199.00
        QCOMPARE(EntryText, QStringLiteral("199.00"));

        // A signed word's box 2 takes 0 to 2.
        m.LoadEntryDigits(" + 000100.", KindSignedWord);
        beeps = platform::BeepCount();
        m.KeyPress(2, u'3');
        m.KeyPress(2, u'2');
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(m.Box[2], QStringLiteral("2"));
    }

    void timeFormats()
    {
        // Stopwatch: seconds shown and typed as hh.mm.ss.
        EntryTimeFormat = TimeFormatStopwatch;
        EntryDecPt = 1;
        SetupA.replace(36, 6, "000E8D"); // 3725 s
        int kind = KindReading, decPt = 1;
        EntryModel m;
        m.LoadEntryDigits(FormatSetupNumber(kind, SetupA, 37, decPt), KindReading);
        QCOMPARE(Boxes(m), (QStringList{"+", "0", "1.", "0", "2.", "0", "5"}));
        QCOMPARE(Marks(m), QStringLiteral("R-----")); // the code's mark, not the time's points

        const int beeps = platform::BeepCount();
        for (int box : {3, 5})
            for (QChar c : QStringLiteral("6789"))
                m.KeyPress(box, c);
        QCOMPARE(platform::BeepCount(), beeps + 8);
        int box = 1;
        Type(m, box, "015959");
        QCOMPARE(Boxes(m), (QStringList{"+", "0", "1.", "5", "9.", "5", "9"}));
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupA.mid(36, 6), QStringLiteral("001C1F")); // 7199 s
        QCOMPARE(EntryText, QStringLiteral(" +015959"));

        // Clock offset: the page shows it with two points; both go, and the
        // six digits are stored as the number they form.
        EntryTimeFormat = TimeFormatClock;
        m.LoadEntryDigits("+01. 00. 00", KindReading);
        QCOMPARE(Boxes(m), (QStringList{"+", "0", "1.", "0", "0.", "0", "0"}));
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupA.mid(36, 6), QStringLiteral("002710"));

        // A time format left over from another entry does not make a word,
        // an input or a character code a time.
        m.LoadEntryDigits("003. 00", KindWord);
        QCOMPARE(Boxes(m).mid(2), (QStringList{"0", "0", "3.", "0", "0"}));
        m.KeyPress(3, u'9');
        QCOMPARE(m.Box[3], QStringLiteral("9"));
    }

    void inputPointMoving()
    {
        EntryKind = KindInput;
        EntryPos = 103;
        SetupA.replace(102, 6, "4186A0");
        int kind = KindInput, decPt = 0;
        const QString shown = FormatSetupNumber(kind, SetupA, 103, decPt);
        QCOMPARE(shown, QStringLiteral(" +100. 000"));

        EntryModel m;
        m.LoadEntryDigits(shown, KindInput);
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0", "0.", "0", "0", "0"}));
        QCOMPARE(m.EntryDecimals, 4);
        QCOMPARE(Marks(m), QStringLiteral("------"));

        const int beeps = platform::BeepCount();
        m.KeyPress(5, u'.'); // the point goes before the caret's box
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0", "0", "0.", "0", "0"}));
        QCOMPARE(m.Focus.box, -1);
        m.KeyPress(6, u'.'); // caret at the start of box 6: after box 5
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0", "0", "0", "0.", "0"}));
        m.KeyPress(1, u'.'); // nothing stands before the first digit
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0", "0", "0", "0", "0"}));
        m.KeyPress(0, u'.'); // not in the sign box, silently
        QCOMPARE(platform::BeepCount(), beeps);

        // Past the last digit: a point there makes a whole number.
        m.KeyDown(6, Right);
        QCOMPARE(m.EntryAtEnd, 1);
        m.KeyPress(6, u'.');
        QCOMPARE(m.Box[6], QStringLiteral("0."));
        QCOMPARE(m.Focus.box, 6);
        QVERIFY(m.Focus.afterDigit);
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupA.mid(102, 6), QStringLiteral("1186A0"));
        QCOMPARE(EntryText, QStringLiteral(" +100000."));

        // Retyping the digit that carries the point keeps the point there.
        m.LoadEntryDigits(" +100. 000", KindInput);
        m.KeyPress(3, u'7');
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0", "7.", "0", "0", "0"}));
        // A digit in box 6 leaves the caret after it; "." then follows it.
        m.KeyPress(6, u'5');
        QCOMPARE(m.EntryAtEnd, 1);
        QVERIFY(m.Focus.afterDigit);
        // "." while OK has the focus: the point after the last digit.
        m.OkKeyPress(u'.');
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0", "7", "0", "0", "5."}));
        m.KeyPress(0, u'-');
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupA.mid(102, 6), QStringLiteral("91A1FD")); // -107005, whole

        // The V-F converter board fixes the point: "." does nothing there,
        // and a digit typed where the point stands keeps it.
        InputOption = 2;
        ModeCode = 3;
        m.LoadEntryDigits(" +10. 0000", KindInput);
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "0.", "0", "0", "0", "0"}));
        m.KeyPress(4, u'.');
        m.OkKeyPress(u'.');
        m.KeyPress(2, u'3');
        QCOMPARE(Boxes(m), (QStringList{"+", "1", "3.", "0", "0", "0", "0"}));
        QCOMPARE(platform::BeepCount(), beeps);
    }

    void arrowsAndFiltering()
    {
        EntryModel m;
        m.LoadEntryDigits(" +0100. 00", KindReading);
        m.KeyDown(0, Left); // nothing before the first box
        QCOMPARE(m.Focus.box, 0);
        m.KeyDown(6, Right);
        QCOMPARE(m.EntryAtEnd, 1);
        m.KeyDown(6, Left); // first back before the digit of box 6
        QCOMPARE(m.Focus.box, 6);
        QCOMPARE(m.EntryAtEnd, 0);
        m.KeyDown(6, Left);
        QCOMPARE(m.Focus.box, 5);

        // Sign box: + or - only; digit boxes: digits only; "." goes silently.
        const int beeps = platform::BeepCount();
        m.KeyPress(0, u'5');
        for (QChar ch : {QChar(u'-'), QChar(u'x'), QChar(8)}) // 8: Backspace
            m.KeyPress(1, ch);
        QCOMPARE(platform::BeepCount(), beeps + 4);
        m.KeyPress(2, u'.');
        QCOMPARE(platform::BeepCount(), beeps + 4);
        m.KeyPress(0, u'-');
        QCOMPARE(m.Focus.box, 1);
        m.KeyPress(6, u'9'); // the last box keeps the caret
        QCOMPARE(m.Focus.box, 6);
        QCOMPARE(Boxes(m), (QStringList{"-", "0", "1", "0", "0.", "0", "9"}));
        QVERIFY(m.KeyPress(3, QChar(13))); // Enter asks for the commit
    }

    void loadingTidiesWhatItGets()
    {
        EntryModel m;
        m.LoadEntryDigits(" +0100. 00", KindReading);
        m.LoadEntryDigits("7", KindCharCode); // the reading's boxes do not show through
        QCOMPARE(Boxes(m), (QStringList{"", "", "", "", "0", "0", "7"}));

        // A stored point code of 0 or 7 is taken as 1 or 6, never the sign box.
        EntryDecPt = 0;
        m.LoadEntryDigits(" +010000.", KindReading);
        QCOMPARE(Boxes(m), (QStringList{"+", "0", "1", "0", "0", "0", "0."}));
        QCOMPARE(Marks(m), QStringLiteral("R-----"));
        EntryDecPt = 7;
        m.LoadEntryDigits(" +0. 10000", KindReading);
        QCOMPARE(Boxes(m), (QStringList{"+", "0.", "1", "0", "0", "0", "0"}));
        QCOMPARE(Marks(m), QStringLiteral("-----R"));

        // A signed word shows six digits for five boxes: the last five count.
        EntryKind = KindSignedWord;
        EntryPos = 37;
        m.LoadEntryDigits(" - 000100.", KindSignedWord);
        QCOMPARE(Boxes(m), (QStringList{"", "-", "0", "0", "1", "0", "0."}));
        QVERIFY(m.CommitEntry());
        QCOMPARE(SetupB.mid(36, 4), QStringLiteral("8064"));
        QCOMPARE(EntryText, QStringLiteral(" - 00100."));
    }

    // A value the image cannot take is refused: beep, nothing written,
    // EntryText as it was.
    void refusedStore()
    {
        EntryPos = SetupALength - 2; // the field would run past the end
        EntryText = " +0100. 00";
        EntryModel m;
        m.LoadEntryDigits(EntryText, KindReading);
        const QString image = SetupA + SetupB;
        const int beeps = platform::BeepCount();
        QVERIFY(!m.CommitEntry());
        QCOMPARE(platform::BeepCount(), beeps + 1);
        QCOMPARE(SetupA + SetupB, image);
        QCOMPARE(EntryText, QStringLiteral(" +0100. 00"));
        QCOMPARE(m.Focus.box, 1);
    }
};

QTEST_MAIN(TstEntryModel)
#include "tst_entry_model.moc"
