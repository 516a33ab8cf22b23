#include "pages/EntryModel.h"

#include "platform/MessageBox.h"
#include "setup/Conventions.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"

#include <QList>

namespace pages {

namespace {

constexpr int KeyLeft = 37;
constexpr int KeyRight = 39;
constexpr QChar Enter(13);
constexpr int LastBox = EntryBoxCount - 1;
constexpr int PulsesPos = 25; // the pulses word counts whole pulses up to 59999

bool KnownKind(int kind)
{
    return (kind >= setup::KindWord && kind <= setup::KindInput) || kind == setup::KindCharCode;
}

} // namespace

int EntryModel::FirstBox() const
{
    switch (kind_) {
    case setup::KindWord: return 2;
    case setup::KindSignedWord: return 1;
    case setup::KindCharCode: return 4;
    default: return 0;
    }
}

int EntryModel::SignBox() const
{
    switch (kind_) {
    case setup::KindSignedWord: return 1;
    case setup::KindReading:
    case setup::KindScale:
    case setup::KindInput: return 0;
    default: return -1;
    }
}

void EntryModel::LoadEntryDigits(const QString& text, int kind)
{
    kind_ = kind;
    pos_ = setup::EntryPos;
    // Only readings (and scales, which take the same keys) are ever times; a
    // time format left over for another kind must not turn it into one.
    timeFormat_ = setup::EntryTimeFormat != setup::TimeFormatNumber
                  && (kind == setup::KindReading || kind == setup::KindScale);
    fixedPoint_ = kind == setup::KindInput && setup::InputOption == 2;
    EntryAtEnd = 0;
    Focus = {};

    QString value = text.trimmed();
    value.remove(u' ');

    // One cell per character; an input value keeps its (first) point with
    // the digit before it, every other point goes: the dialog places its own,
    // and a clock offset ("+01. 00. 00") carries two.
    struct Cell {
        QChar ch;
        bool point;
    };
    QList<Cell> cells;
    const bool keepPoint = kind == setup::KindInput && !fixedPoint_;
    bool pointKept = false;
    for (const QChar c : value) {
        if (c == u'.') {
            if (keepPoint && !pointKept && !cells.isEmpty()) {
                cells.last().point = true;
                pointKept = true;
            }
            continue;
        }
        cells.append({c, false});
    }

    for (QString& box : Box)
        box.clear();
    const int first = FirstBox();
    for (int i = 0; i < EntryBoxCount; ++i)
        BoxVisible[i] = i >= first;

    const int sign = SignBox();
    if (sign >= 0) {
        QChar s = u'+';
        if (!cells.isEmpty() && (cells.first().ch == u'+' || cells.first().ch == u'-'))
            s = cells.takeFirst().ch;
        Box[sign] = s;
    }

    // The digits stand right-aligned in the digit boxes: a short text (a
    // character code "65") gets leading zeros, a text with more digits than
    // boxes (a signed word shows six digits for five boxes) loses its
    // leading ones, never its last.
    const int firstDigit = sign >= 0 ? sign + 1 : first;
    const int digitBoxes = EntryBoxCount - firstDigit;
    while (cells.size() > digitBoxes)
        cells.removeFirst();
    while (cells.size() < digitBoxes)
        cells.prepend({u'0', false});
    int pointBox = -1;
    for (int k = 0; k < digitBoxes; ++k) {
        Box[firstDigit + k] = cells[k].ch;
        if (cells[k].point) {
            Box[firstDigit + k] += u'.';
            pointBox = firstDigit + k;
        }
    }

    switch (kind) {
    case setup::KindWord: EntryDecimals = pos_ == PulsesPos ? 1 : 3; break;
    case setup::KindReading: EntryDecimals = qBound(1, setup::EntryDecPt, 6); break;
    case setup::KindScale: EntryDecimals = 6; break;
    case setup::KindInput:
        if (fixedPoint_)
            EntryDecimals = setup::ModeCode == 9 ? 6 : 5;
        else
            EntryDecimals = pointBox >= 1 ? EntryBoxCount - pointBox : 1;
        break;
    default: EntryDecimals = 1; break;
    }

    if (timeFormat_) {
        Box[2] += u'.';
        Box[4] += u'.';
    } else if (kind == setup::KindInput && !fixedPoint_) {
        if (pointBox < 0)
            Box[LastBox] += u'.';
    } else if (kind != setup::KindCharCode && KnownKind(kind)) {
        Box[EntryBoxCount - EntryDecimals] += u'.';
    }

    ShowMarks();
    Focus = {first, false};
}

void EntryModel::ShowMarks()
{
    // The mark follows the point code also where the boxes show no point
    // there (a time, a character code); an input's point moves as it is
    // typed, so no mark stands for it.
    MarkInUse.fill(false);
    if (kind_ != setup::KindInput)
        MarkInUse[qBound(1, EntryDecimals, EntryMarkCount) - 1] = true;
}

void EntryModel::KeyDown(int index, int keyCode)
{
    Focus = {};
    if (keyCode == KeyLeft) {
        if (index == LastBox && EntryAtEnd == 1)
            Focus = {LastBox, false}; // first back before the last digit
        else if (index > FirstBox())
            Focus = {index - 1, false};
        else
            Focus = {index, false};
        EntryAtEnd = 0;
    } else if (keyCode == KeyRight) {
        if (index < LastBox) {
            EntryAtEnd = 0;
            Focus = {index + 1, false};
        } else {
            EntryAtEnd = 1;
            Focus = {LastBox, true};
        }
    }
}

bool EntryModel::Accepts(int index, QChar ch) const
{
    if (!KnownKind(kind_))
        return true;
    if (index < FirstBox() || index > LastBox)
        return false;
    if (index == SignBox())
        return ch == u'+' || ch == u'-';
    if (kind_ == setup::KindInput && ch == u'.')
        return true;
    if (ch < u'0' || ch > u'9')
        return false;
    QChar highest = u'9';
    if (kind_ == setup::KindWord && index == 2)
        highest = pos_ == PulsesPos ? u'5' : u'1';
    else if (kind_ == setup::KindSignedWord && index == 2)
        highest = u'2';
    else if (kind_ == setup::KindCharCode && index == 4)
        highest = u'2';
    else if (timeFormat_ && (index == 3 || index == 5))
        highest = u'5'; // tens of minutes and of seconds
    return ch <= highest;
}

bool EntryModel::KeyPress(int index, QChar ch)
{
    Focus = {};
    if (ch == Enter)
        return true;
    if (kind_ == setup::KindInput && !fixedPoint_)
        EntryDecimals = 0; // the point is where the user puts it
    if (!Accepts(index, ch)) {
        if (ch != u'.')
            platform::Beep();
        return false;
    }
    if (ch == u'.') { // an input value's point
        if (!fixedPoint_)
            MovePoint(index);
        return false;
    }

    if (kind_ == setup::KindInput && index == LastBox)
        EntryAtEnd = 1;
    bool point = false;
    if (index == SignBox())
        point = false;
    else if (timeFormat_)
        point = index == 2 || index == 4;
    else if (kind_ == setup::KindCharCode)
        point = false;
    else if (kind_ == setup::KindInput && !fixedPoint_)
        point = Box[index].endsWith(u'.'); // a new digit keeps the point where it stands
    else
        point = index == EntryBoxCount - EntryDecimals;
    Box[index] = QString(ch) + (point ? QStringLiteral(".") : QString());

    if (index < LastBox)
        Focus = {index + 1, false};
    else
        Focus = {LastBox, kind_ == setup::KindInput};
    return false;
}

void EntryModel::CutToDigits()
{
    for (int i = 1; i < EntryBoxCount; ++i)
        Box[i] = Box[i].left(1);
}

void EntryModel::MovePoint(int index)
{
    CutToDigits();
    if (index >= 2 && index <= 5) {
        Box[index - 1] += u'.';
    } else if (index == LastBox) {
        if (EntryAtEnd == 1) {
            Box[LastBox] += u'.';
            Focus = {LastBox, true};
        } else {
            Box[LastBox - 1] += u'.';
        }
    }
    // In box 1 the point is only taken away: none stands before the first digit.
}

void EntryModel::OkKeyPress(QChar ch)
{
    Focus = {};
    if (kind_ != setup::KindInput || fixedPoint_ || ch != u'.')
        return;
    CutToDigits();
    Box[LastBox] += u'.';
}

bool EntryModel::CommitEntry()
{
    Focus = {};
    QString text;
    for (int i = FirstBox(); i < EntryBoxCount; ++i)
        text += Box[i];
    if (timeFormat_) {
        text.remove(u' ');
        text.remove(u'.'); // hhmmss
    } else {
        const qsizetype p = text.indexOf(u'.');
        if (p >= 0) {
            QString rest = text.mid(p + 1);
            rest.remove(u'.');
            text = text.left(p + 1) + rest;
        }
    }

    if (kind_ == setup::KindCharCode) {
        const qint64 v = setup::RoundHalfEven(setup::Val(text));
        if (v < 0 || v > 255) {
            platform::Beep();
            Focus = {4, false};
            return false;
        }
        setup::EntryCode = int(v);
        setup::EntryText = QString::number(v); // no leading zeros, one digit at least
        return true;
    }

    if (!setup::StoreEnteredValue(kind_, pos_, text)) {
        platform::Beep();
        const int sign = SignBox();
        Focus = {sign >= 0 ? sign + 1 : FirstBox(), false};
        return false;
    }
    if (kind_ >= setup::KindSignedWord && kind_ <= setup::KindInput)
        text = (text.startsWith(u'-') ? QStringLiteral(" - ") : QStringLiteral(" +")) + text.mid(1);
    setup::EntryText = text;
    return true;
}

} // namespace pages
