#include "views/MenuRows.h"

#include "setup/EntryHandoff.h"
#include "setup/FieldMap.h"
#include "setup/ModeModel.h"
#include "setup/NumberCoding.h"
#include "setup/PageValues.h"
#include "setup/SetupImage.h"

namespace views {

using setup::GetSetupBits;
using setup::ReadRaw;
namespace field = setup::field;

namespace {

// Board names for the label beside the grid, by InputOption.
const std::array<const char*, 4> InputOptionNames{
    " None", " Dual Signal Conditioner", " V-to-F Converter", " Quadrature"};

// Modes and functions as the meter's display spells them.
const std::array<const char*, 13> ModeKeys{
    "  rAtE", "PEriod", " totAL", "", "ti Int", "StoP t", " PHASE", "",
    "UF4-20", "UF 0-1", "UF0-10", "", " quAdr."};

const std::array<const char*, 16> FunctionKeys{
    "A  b  ", "A OnLy", " bAtCH", "A Atot", "A-b Ud", "A btot", " burSt", "b Arat",
    "Atot A", "A bU/d", "A bInH", "A + b ", "A - b ", "A . b ", "A / b ", "A/b-1 "};

// The decimal-point choices as the meter shows them, by code 1..6.
const std::array<const char*, 6> DecPtPatterns1{
    "111111.", "11111.1", "1111.11", "111.111", "11.1111", "1.11111"};
const std::array<const char*, 6> DecPtPatterns2{
    "222222.", "22222.2", "2222.22", "222.222", "22.2222", "2.22222"};

// Multiplier and resolution texts, index = code, value 10^(code - 5).
const std::array<const char*, 11> MultiplierTexts{
    "0.00001", " 0.0001", "  0.001", "   0.01", "    0.1", "      1",
    "     10", "    100", "   1000", "  10000", " 100000"};

constexpr int Blank = -1;
constexpr int ClockDisplay = 5;     // DisplayType " Clock hhmmss"
constexpr int StopwatchClock = 5;   // StopwatchTimeFormat shown as a time

QString ModeKey(int mode)
{
    return mode >= 0 && mode < int(ModeKeys.size()) ? QLatin1String(ModeKeys[mode]) : QString();
}

QString FunctionKey(int mode, int function)
{
    if (mode == 4 && function == 1)
        return QStringLiteral("A to b");
    if ((mode == 5 || mode == 6) && function == 0)
        return QStringLiteral("A to A");
    if ((mode == 5 || mode == 6) && function == 1)
        return QStringLiteral("A to b");
    if (mode >= 8 && mode <= 10 && function == 15)
        return QStringLiteral("  1/A ");
    if (mode == 12 && function == 0)
        return QStringLiteral(" totAL");
    if (mode == 12 && function == 1)
        return QStringLiteral("  rAtE");
    return function >= 0 && function < int(FunctionKeys.size())
               ? QLatin1String(FunctionKeys[function])
               : QString();
}

QString Pattern(const std::array<const char*, 6>& table, int code)
{
    return code >= 1 && code <= 6 ? QLatin1String(table[code - 1]) : QString();
}

// A display character as its cell; a blank character is the bare blank cell.
QString CharCell(QChar ch, bool point)
{
    QString cell(u' ');
    if (ch != u' ')
        cell += ch;
    if (point)
        cell += u'.';
    return cell;
}

bool Lock(const setup::Field& f) { return ReadRaw(f) == 1; }

// The pairs whose second value belongs with the first item's decimal point:
// the compound functions, 1/(A rate) in Rate mode, and quadrature rate.
bool Item2UsesDecPt1(int mode, int function)
{
    return (function >= 11 && function <= 14) || (function == 15 && mode == 0) ||
           (function == 1 && mode == 12);
}

} // namespace

// ---- cells -----------------------------------------------------------------

QString DigitCodeCell(int code)
{
    static const QString Letters = QStringLiteral("AbCdEF0123456789AbCdEF");
    if (code >= 0 && code <= 9)
        return CharCell(QChar(u'0' + code), false);
    if (code >= 10 && code <= 31)
        return CharCell(Letters.at(code - 10), code >= 16);
    return QStringLiteral(" ");
}

QStringList NumberCells(const QString& valueText, bool pointAfterLast, bool clockTime)
{
    // A sign, six digits and one point at position p (1-based); a point
    // inside the digits is lifted out and lit on the digit before it.
    QString digits = valueText;
    const int p = int(valueText.indexOf(u'.')) + 1;
    if (p >= 1 && p <= 7)
        digits.remove(p - 1, 1);

    QStringList cells;
    for (int i = 1; i <= 7; ++i) {
        const QChar ch = i <= digits.size() ? digits.at(i - 1) : QChar(u' ');
        bool point;
        if (clockTime)
            point = i == 3 || i == 5; // hh.mm.ss
        else
            point = p >= 2 && i == p - 1 && (i < 7 || pointAfterLast);
        cells << CharCell(ch, point);
    }
    return cells;
}

QStringList MultiplierCells(const QString& text)
{
    QString digits = text;
    const int p = int(text.indexOf(u'.')) + 1;
    if (p >= 1)
        digits.remove(p - 1, 1);
    else
        digits = digits.right(6);
    QStringList cells;
    for (int i = 1; i <= 6; ++i) {
        const QChar ch = i <= digits.size() ? digits.at(i - 1) : QChar(u' ');
        cells << CharCell(ch, p >= 2 && i == p - 1 && i < 6);
    }
    return cells;
}

QStringList TextCells(const QString& text)
{
    QStringList cells;
    for (int i = 1; i <= 7; ++i)
        cells << CharCell(i <= text.size() ? text.at(i - 1) : QChar(u' '), false);
    return cells;
}

// ---- help ------------------------------------------------------------------

int MenuRowTopic(const MenuRows& view, int gridRow)
{
    // The header row would be topic 2100, record 0 of its help group, which
    // the help files cannot hold: it asks for nothing, like a row past the
    // items.
    if (gridRow <= 0 || gridRow > int(view.rows.size()))
        return 0;
    return MenuTopicBase + view.rows[size_t(gridRow - 1)].code;
}

int SetPointRowTopic(const MenuRows& view, int gridRow)
{
    if (gridRow == 0)
        return SetPointTopicBase;
    if (gridRow < 0 || gridRow > int(view.setPoints.size()))
        return 0;
    // By the setpoint's own code, not its place: with alarm 1 disabled
    // SETPT2 stands in the first row.
    return SetPointTopicBase + 1 + (view.setPoints[size_t(gridRow - 1)].code - CodeSetPt1);
}

MenuRows BuildMenuRows()
{
    MenuRowBuilder builder;
    return builder.Build();
}

// ---- the builder -------------------------------------------------------------

MenuRows MenuRowBuilder::Build()
{
    // The number coding reads the time format from the value-entry hand-off;
    // whatever a page left there must neither colour these rows nor be
    // changed by them.
    const int savedTimeFormat = setup::EntryTimeFormat;
    setup::EntryTimeFormat = setup::TimeFormatNumber;

    Prepare();
    RowInput();
    RowSetup();
    RowConfig();
    Row4();
    RowGate();
    RowBatch();
    RowFilter();
    RowSlope();
    RowDecPt();
    SetPointDecimals();
    RowScale1();
    RowLoHi1();
    RowScale2();
    RowLoHi2();
    RowRd0In();
    RowResolution();
    RowSource();
    RowAlarmSet();
    RowDeviation();
    RowAnalog();
    RowSerial();
    RowCalib();
    RowLockout();
    SetPointRows();

    setup::EntryTimeFormat = savedTimeFormat;
    return View;
}

void MenuRowBuilder::Prepare()
{
    View = MenuRows{};
    Locked = 0;
    TimeFormat = 0;
    // The image decides everything shown, not what a page last left in the
    // shared values: the boards, the normalised mode and function, the
    // display type and the decimal points, by page 1's rules.
    setup::DeriveSharedValues();
    Mode = setup::ModeCode;
    Function = setup::FunctionCode;

    // A custom curve replaces item 1's scaling where the pair can use one.
    CusCrvActive = 0;
    if (GetSetupBits(3, 3, 49) == 1) {
        CusCrvActive = (Mode == 0 && Function == 3) || (Mode < 3 && Function == 1) ||
                               (Mode > 7 && Function != 0 && Function != 2)
                           ? 1
                           : 0;
    }
}

QString MenuRowBuilder::Number(int kind, const QString& setupStr, int pos, int decPt) const
{
    return setup::FormatSetupNumber(kind, setupStr, pos, decPt);
}

QString MenuRowBuilder::TimeValue(const QString& setupStr, int pos, int decPt)
{
    // A stopwatch shown as a clock holds seconds; a clock display holds the
    // hhmmss digits themselves. Either way the row gets hh.mm.ss points.
    const int saved = setup::EntryTimeFormat;
    setup::EntryTimeFormat = setup::StopwatchTimeFormat == StopwatchClock
                                 ? setup::TimeFormatStopwatch
                                 : setup::TimeFormatNumber;
    const QString text = Number(setup::KindReading + setup::KindPlainStyle, setupStr, pos, decPt);
    setup::EntryTimeFormat = saved;
    TimeFormat = setup::DisplayType == ClockDisplay ? 1 : 0;
    return text;
}

void MenuRowBuilder::ClearDigits() { DigitCodes.fill(Blank); }

void MenuRowBuilder::AddMenuRow(int kind, int code)
{
    MenuRow row;
    row.locked = Locked == 1;
    row.key = QStringLiteral(" ") + ItemName + (row.locked ? QStringLiteral("*") : QString());
    row.code = code;

    const bool decPtRow = code == CodeDecPt1 || code == CodeDecPt2;
    if (kind >= 0 && kind <= 4) {
        row.cells = NumberCells(ValueText, decPtRow, TimeFormat != 0 && !decPtRow);
    } else if (kind == 5 && code == CodeResolution) {
        row.cells = QStringList{QStringLiteral(" ")} + MultiplierCells(ValueText);
    } else if (kind == 5) {
        row.cells = TextCells(ValueText);
    } else {
        row.cells << QStringLiteral(" ");
        for (int i = 1; i <= 6; ++i)
            row.cells << DigitCodeCell(DigitCodes[size_t(i)]);
    }
    TimeFormat = 0;

    if (code == CodeInput)
        row.overlay = TextCells(ValueText2);
    else if (code == CodeScale1 || code == CodeScale2)
        row.overlay = MultiplierCells(ValueText2);

    View.rows.push_back(row);
    const int rowNo = int(View.rows.size());
    if (rowNo > RowsWithoutScrolling)
        View.scrollBars = true;
    if (code == CodeScale1)
        View.scale1Row = rowNo;
    else if (code == CodeScale2)
        View.scale2Row = rowNo;
    else if (code == CodeCalib)
        View.calibRow = rowNo;
}

void MenuRowBuilder::PrntSP(int code)
{
    MenuRow row;
    row.locked = Locked == 1;
    row.key = QStringLiteral(" ") + ItemName + (row.locked ? QStringLiteral("*") : QString());
    row.code = code;
    row.cells = NumberCells(ValueText, false, false);
    View.setPoints.push_back(row);
}

void MenuRowBuilder::FillMultiplierTable()
{
    for (size_t i = 0; i < OptText.size(); ++i)
        OptText[i] = i < MultiplierTexts.size() ? QLatin1String(MultiplierTexts[i]) : QString();
}

void MenuRowBuilder::DefaultDpMode()
{
    if (Function >= 6 && Function <= 8)
        DpWork = 2;
    else if (Mode == 2 || Mode == 5 || (Mode == 12 && Function == 0))
        DpWork = 0;
    else if (Function == 2)
        DpWork = 3;
    else
        DpWork = 1;
}

void MenuRowBuilder::ResolveDecimalPoint()
{
    const int f = Function, m = Mode;
    int items;
    if (f == 2 || Item2UsesDecPt1(m, f))
        items = 3;
    else if ((f < 3 || f > 8) && ((f == 0 && m == 12) || (f != 0 && !(f == 1 && m == 5))))
        items = 1;
    else
        items = 2;
    if (DpMode > items)
        DpMode = items;

    switch (DpMode) {
    case 1:
        DpResult = (f >= 6 && f <= 8) || Item2UsesDecPt1(m, f) ? setup::DecPt2 : setup::DecPt1;
        break;
    case 2:
        if (f == 2)
            DpResult = 0; // the grand total has no decimals of its own
        else if (m == 5 || f == 0 || f == 3 || f == 5)
            DpResult = setup::DecPt2;
        else
            DpResult = setup::DecPt1;
        break;
    case 3:
        DpResult = f == 2 ? setup::DecPt2 : setup::DecPt1;
        break;
    default:
        DpResult = setup::DecPt1;
        break;
    }
}

void MenuRowBuilder::SetPointDecimals()
{
    DpWork = ReadRaw(field::Source1);
    if (DpWork == 0)
        DefaultDpMode();
    DpMode = DpWork;
    ResolveDecimalPoint();
    SpDp1 = DpResult;

    DpWork = ReadRaw(field::Source2);
    if (DpWork == 0)
        DefaultDpMode();
    DpMode = DpWork;
    ResolveDecimalPoint();
    SpDp2 = DpResult;
}

// ---- the groups ----------------------------------------------------------------

void MenuRowBuilder::RowInput()
{
    const int option = setup::InputOption;
    View.inputOptionName = option >= 0 && option < int(InputOptionNames.size())
                               ? QLatin1String(InputOptionNames[option])
                               : QString();
    ItemName = QStringLiteral(" InPut");
    Locked = Lock(field::Lock0);
    ValueText = QStringLiteral(" ") + ModeKey(Mode);
    ValueText2 = FunctionKey(Mode, Function);
    AddMenuRow(5, CodeInput);
}

void MenuRowBuilder::RowSetup()
{
    ItemName = QStringLiteral(" SEtuP");
    Locked = Lock(field::Lock1);
    ClearDigits();
    DigitCodes[2] = ReadRaw(field::PwrOnTot);
    DigitCodes[3] = ReadRaw(field::LeadZ);
    DigitCodes[4] = ReadRaw(field::Coord1);
    // The V-F converter has no second input to scale.
    DigitCodes[5] = setup::InputOption == 2 ? Blank : ReadRaw(field::Coord2);
    DigitCodes[6] = ReadRaw(field::ExtAB);
    AddMenuRow(6, 2);
}

void MenuRowBuilder::RowConfig()
{
    ItemName = QStringLiteral("ConFiG");
    Locked = Lock(field::Lock1);
    ClearDigits();

    // What the meter would show for the stored choices; the image keeps them.
    int curve = ReadRaw(field::CusCrv);
    if (curve > 2 && setup::InputOption != 2)
        curve = 2;
    const bool curvePair =
        (Mode == 0 && (Function == 1 || Function == 3)) ||
        ((Mode == 1 || Mode == 2 || Mode == 8 || Mode == 9 || Mode == 10) &&
         (Function == 1 || Function == 3 || Function == 4 || Function == 8 || Function == 9 ||
          Function == 10 || Function == 15));
    if (curve >= 2 && !curvePair)
        curve = 1;
    int squareRoot = ReadRaw(field::SqRt);
    if (curve > 1)
        squareRoot = 0;
    if (squareRoot == 1 && (Mode == 2 || Mode == 4 || Mode == 5 || Mode == 6 || Mode == 12))
        squareRoot = 0;

    DigitCodes[3] = ReadRaw(field::DType);
    DigitCodes[4] = curve;
    DigitCodes[5] = squareRoot;
    DigitCodes[6] = ReadRaw(field::NegSamp);
    AddMenuRow(6, 3);
}

void MenuRowBuilder::Row4()
{
    ItemName = QStringLiteral("dSPyno");
    Locked = Lock(field::Lock1);
    ClearDigits();
    int items = 1;
    if (setup::LayoutFlags & 0x20) {
        items = 2;
        if (Function == 2 || (Mode < 3 && Function >= 11))
            items = 3;
    }
    const int shown = qMax(1, ReadRaw(field::DspyN));
    DigitCodes[6] = qMin(shown, items);
    AddMenuRow(6, 4);
}

void MenuRowBuilder::RowGate()
{
    Locked = Lock(field::Lock2);
    if (Mode == 12 && Function == 0) {
        ItemName = QStringLiteral("PULSES");
        ValueText = Number(setup::KindWord + setup::KindPlainStyle, setup::SetupB, 25, 1);
        AddMenuRow(0, 5);
    }
    ItemName = QStringLiteral("GAtE t");
    ValueText = Number(setup::KindWord + setup::KindPlainStyle, setup::SetupB, 41, 3);
    AddMenuRow(0, 6);
    if (setup::LayoutFlags & 0x10) {
        ItemName = QStringLiteral("ti Out");
        ValueText = Number(setup::KindWord + setup::KindPlainStyle, setup::SetupB, 37, 3);
        AddMenuRow(0, 7);
    }
}

void MenuRowBuilder::RowBatch()
{
    if (Function != 2)
        return;
    // Locked as the gate row before it: the same lockout covers both.
    ItemName = QStringLiteral(" bAtCH");
    ClearDigits();
    DigitCodes[2] = GetSetupBits(5, 4, 35);
    DigitCodes[3] = GetSetupBits(3, 3, 35);
    DigitCodes[4] = ReadRaw(field::BatReset);
    DigitCodes[5] = ReadRaw(field::BatItm2);
    DigitCodes[6] = ReadRaw(field::BatStart);
    AddMenuRow(6, 8);
}

void MenuRowBuilder::RowFilter()
{
    if (!(setup::LayoutFlags & 1) && !(setup::LayoutFlags2 & 1))
        return;
    ItemName = QStringLiteral("FiLtEr");
    Locked = Lock(field::Lock3);
    ClearDigits();
    DigitCodes[2] = ReadRaw(field::FType);
    DigitCodes[3] = ReadRaw(field::PeakVal);
    DigitCodes[4] = ReadRaw(field::DVal);
    // Rate batch always runs with the high threshold.
    DigitCodes[5] = Mode == 0 && Function == 2 ? 1 : ReadRaw(field::Thresh);
    DigitCodes[6] = ReadRaw(field::TimConst);
    AddMenuRow(6, 9);
}

void MenuRowBuilder::RowSlope()
{
    if (setup::InputOption != 1)
        return;
    ItemName = QStringLiteral(" SLOPE");
    Locked = Lock(field::Lock4);
    ClearDigits();
    DigitCodes[5] = ReadRaw(field::TrigSlpA);
    DigitCodes[6] = ReadRaw(field::TrigSlpB);
    AddMenuRow(6, 10);
}

void MenuRowBuilder::RowDecPt()
{
    if (setup::DisplayType == ClockDisplay)
        return;
    Locked = Lock(field::Lock4);

    // The meter reads a code of 0 as no decimals (1), and so does the image
    // from here on. A code past the table (7) shows blanks and is kept.
    int code = ReadRaw(field::DecPt1);
    if (code == 0) {
        code = 1;
        setup::WriteRaw(field::DecPt1, 1);
    }
    setup::DecPt1 = code;
    ItemName = QStringLiteral("DecPt1");
    ValueText = QStringLiteral(" ") + Pattern(DecPtPatterns1, code);
    AddMenuRow(4, CodeDecPt1);

    if (!(setup::LayoutFlags & 0x20))
        return;
    code = ReadRaw(field::DecPt2);
    if (code == 0) {
        code = 1;
        setup::WriteRaw(field::DecPt2, 1);
    }
    setup::DecPt2 = code;
    ItemName = QStringLiteral("DecPt2");
    ValueText = QStringLiteral(" ") + Pattern(DecPtPatterns2, code);
    AddMenuRow(4, CodeDecPt2);
}

void MenuRowBuilder::RowScale1()
{
    FillMultiplierTable();
    if (CusCrvActive != 0 || ReadRaw(field::Coord1) != 0)
        return;
    Locked = Lock(field::Lock5);
    ItemName = QStringLiteral("SCALE1");
    ValueText = Number(setup::KindScale + setup::KindPlainStyle, setup::SetupA, 43, 6);
    ValueText2 = OptText[size_t(ReadRaw(field::Mult1))];
    AddMenuRow(3, CodeScale1);

    ItemName = QStringLiteral("OFFSt1");
    ValueText = TimeValue(setup::SetupA, 37, setup::DecPt1);
    AddMenuRow(2, 14);
}

void MenuRowBuilder::RowLoHi1()
{
    if (CusCrvActive != 0 || ReadRaw(field::Coord1) != 1)
        return;
    Locked = Lock(field::Lock5);
    const int input = setup::KindInput + setup::KindPlainStyle;
    const int reading = setup::KindReading + setup::KindPlainStyle;
    ItemName = QStringLiteral("Lo In1");
    ValueText = Number(input, setup::SetupA, 103, 1);
    AddMenuRow(4, 15);
    ItemName = QStringLiteral("Lo rd1");
    ValueText = Number(reading, setup::SetupA, 97, setup::DecPt1);
    AddMenuRow(2, 16);
    ItemName = QStringLiteral("Hi In1");
    ValueText = Number(input, setup::SetupA, 91, 1);
    AddMenuRow(4, 17);
    ItemName = QStringLiteral("Hi rd1");
    ValueText = Number(reading, setup::SetupA, 85, setup::DecPt1);
    AddMenuRow(2, 18);
}

void MenuRowBuilder::RowScale2()
{
    FillMultiplierTable();
    Item2DecPt = Item2UsesDecPt1(Mode, Function) ? setup::DecPt1 : setup::DecPt2;
    if (!(setup::LayoutFlags & 0x20) || ReadRaw(field::Coord2) != 0)
        return;
    Locked = Lock(field::Lock5);
    ItemName = QStringLiteral("SCALE2");
    ValueText = Number(setup::KindScale + setup::KindPlainStyle, setup::SetupA, 31, 6);
    ValueText2 = OptText[size_t(ReadRaw(field::Mult2))];
    AddMenuRow(3, CodeScale2);

    ItemName = QStringLiteral("OFFSt2");
    ValueText = TimeValue(setup::SetupA, 25, Item2DecPt);
    AddMenuRow(2, 20);
}

void MenuRowBuilder::RowLoHi2()
{
    if (!(setup::LayoutFlags & 0x20) || setup::InputOption == 2 || ReadRaw(field::Coord2) != 1)
        return;
    Locked = Lock(field::Lock5);
    const int input = setup::KindInput + setup::KindPlainStyle;
    const int reading = setup::KindReading + setup::KindPlainStyle;
    ItemName = QStringLiteral("Lo In2");
    ValueText = Number(input, setup::SetupA, 79, 1);
    AddMenuRow(4, 21);
    ItemName = QStringLiteral("Lo rd2");
    ValueText = Number(reading, setup::SetupA, 73, Item2DecPt);
    AddMenuRow(2, 22);
    ItemName = QStringLiteral("Hi In2");
    ValueText = Number(input, setup::SetupA, 67, 1);
    AddMenuRow(4, 23);
    ItemName = QStringLiteral("Hi rd2");
    ValueText = Number(reading, setup::SetupA, 61, Item2DecPt);
    AddMenuRow(2, 24);
}

void MenuRowBuilder::RowRd0In()
{
    // Page 1's rule for its Read 0 In box, without page 1's window.
    if (!setup::Rd0InEnabled())
        return;
    // Locked as the row before it.
    ItemName = QStringLiteral("rd0 In");
    ValueText = Number(setup::KindInput + setup::KindPlainStyle, setup::SetupA, 79, 1);
    AddMenuRow(4, 25);
}

void MenuRowBuilder::RowResolution()
{
    FillMultiplierTable();
    if (Function == 2 || Item2UsesDecPt1(Mode, Function)) {
        Locked = Lock(field::Lock5);
        ItemName = QStringLiteral("rESoLn");
        ValueText = OptText[size_t(ReadRaw(field::Resoln))];
        AddMenuRow(5, CodeResolution);
    }
    if ((Mode == 2 && (Function == 4 || Function == 9)) || (Mode == 12 && Function == 0)) {
        Locked = Lock(field::Lock5);
        ItemName = QStringLiteral("PrESEt");
        // The preset belongs to the first (here the only) item and is shown
        // with its decimal point, as on page 1.
        ValueText = TimeValue(setup::SetupA, 25, setup::DecPt1);
        AddMenuRow(2, CodePreset);
    }
}

void MenuRowBuilder::RowSource()
{
    if (setup::RelayOption != 1)
        return;
    ItemName = QStringLiteral("SourcE");
    Locked = Lock(field::Lock6);
    ClearDigits();
    DigitCodes[5] = ReadRaw(field::Source1);
    DigitCodes[6] = ReadRaw(field::Source2);
    AddMenuRow(6, 27);
}

void MenuRowBuilder::RowAlarmSet()
{
    if (setup::RelayOption != 1)
        return;
    ItemName = QStringLiteral("AL SEt");
    Locked = Lock(field::Lock6);
    ClearDigits();
    DigitCodes[2] = GetSetupBits(7, 6, 67);
    DigitCodes[3] = GetSetupBits(5, 4, 67);
    // The two 0..2 states packed in two bits each, as one digit 0..8.
    int states = GetSetupBits(3, 0, 67);
    if (states > 7)
        --states;
    if (states > 3)
        --states;
    DigitCodes[4] = states;
    DigitCodes[5] = GetSetupBits(5, 3, 65);
    DigitCodes[6] = ReadRaw(field::NoRdgsAlm);
    AddMenuRow(6, 28);
}

void MenuRowBuilder::RowDeviation()
{
    if (setup::RelayOption != 1 || ReadRaw(field::DevStatus) == 1)
        return;
    Locked = Lock(field::Lock6);
    const int reading = setup::KindReading + setup::KindPlainStyle;
    ItemName = QStringLiteral("dEUn1") + (ReadRaw(field::DevType1) == 1 ? u'H' : u'b');
    ValueText = Number(reading, setup::SetupA, 19, SpDp1);
    AddMenuRow(2, 29);
    ItemName = QStringLiteral("dEUn2") + (ReadRaw(field::DevType2) == 1 ? u'H' : u'b');
    ValueText = Number(reading, setup::SetupA, 13, SpDp2);
    AddMenuRow(2, 30);
}

void MenuRowBuilder::RowAnalog()
{
    if (setup::AnalogOption != 1)
        return;
    Locked = Lock(field::Lock8);
    ItemName = QStringLiteral("An SEt");
    ClearDigits();
    DigitCodes[5] = ReadRaw(field::Circuit);
    DigitCodes[6] = ReadRaw(field::Source);
    AddMenuRow(6, 31);

    DpWork = ReadRaw(field::Source);
    if (DpWork == 0)
        DefaultDpMode();
    DpMode = DpWork;
    ResolveDecimalPoint();
    const int reading = setup::KindReading + setup::KindPlainStyle;
    ItemName = QStringLiteral(" An Lo");
    ValueText = Number(reading, setup::SetupA, 7, DpResult);
    AddMenuRow(2, 32);
    ItemName = QStringLiteral(" An Hi");
    ValueText = Number(reading, setup::SetupA, 1, DpResult);
    AddMenuRow(2, 33);
}

void MenuRowBuilder::RowSerial()
{
    if (setup::CommOption < 1)
        return;
    Locked = Lock(field::Lock9);
    ItemName = QStringLiteral(" SEr 1");
    ClearDigits();
    DigitCodes[4] = ReadRaw(field::OutVal);
    DigitCodes[5] = ReadRaw(field::BaudRate);
    DigitCodes[6] = ReadRaw(field::OutRate);
    AddMenuRow(6, 34);

    ItemName = QStringLiteral(" SEr 2");
    ClearDigits();
    DigitCodes[3] = ReadRaw(field::LF);
    DigitCodes[4] = ReadRaw(field::AlmData);
    DigitCodes[5] = ReadRaw(field::SerMode);
    DigitCodes[6] = ReadRaw(field::Address);
    AddMenuRow(6, 35);

    ItemName = QStringLiteral(" SEr 3");
    ClearDigits();
    DigitCodes[2] = ReadRaw(field::Duplex);
    DigitCodes[3] = GetSetupBits(6, 5, 51);
    DigitCodes[4] = ReadRaw(field::RTS);
    DigitCodes[5] = ReadRaw(field::CR);
    DigitCodes[6] = ReadRaw(field::OutItems);
    AddMenuRow(6, 36);
}

void MenuRowBuilder::RowCalib()
{
    ItemName = QStringLiteral(" CALib");
    Locked = Lock(field::Lock10);
    ValueText = Number(setup::KindSignedWord + setup::KindPlainStyle, setup::SetupB, 1, 1);
    AddMenuRow(1, CodeCalib);
}

void MenuRowBuilder::RowLockout()
{
    Locked = Lock(field::Lockout);
    const std::array<std::array<setup::Field, 4>, 4> groups{{
        {field::Lock0, field::Lock1, field::Lock2, field::Lock3},
        {field::Lock4, field::Lock5, field::Lock6, field::Lock7},
        {field::Lock8, field::Lock9, field::Lock10, field::Lock11},
        {field::Lock12, field::Lock13, field::Lock14, field::Lock15},
    }};
    for (size_t g = 0; g < groups.size(); ++g) {
        ItemName = QStringLiteral(" Loc %1").arg(g + 1);
        ClearDigits();
        for (size_t i = 0; i < 4; ++i)
            DigitCodes[3 + i] = ReadRaw(groups[g][i]);
        AddMenuRow(6, 38 + int(g));
    }
}

void MenuRowBuilder::SetPointRows()
{
    if (setup::RelayOption == 0)
        return;
    const int reading = setup::KindReading + setup::KindPlainStyle;
    // Either lockout hides the setpoints on the meter's panel.
    Locked = Lock(field::Lock13) || Lock(field::Lock7) ? 1 : 0;
    if (GetSetupBits(1, 1, 67) == 0) {
        ItemName = QStringLiteral("SETPT1");
        ValueText = Number(reading, setup::SetupA, 55, SpDp1);
        PrntSP(CodeSetPt1);
    }
    if (GetSetupBits(3, 3, 67) == 0) {
        ItemName = QStringLiteral("SETPT2");
        ValueText = Number(reading, setup::SetupA, 49, SpDp2);
        PrntSP(CodeSetPt2);
    }
}

} // namespace views
