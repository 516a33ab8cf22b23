#include "setup/ModeModel.h"

#include "setup/FieldMap.h"
#include "setup/SetupImage.h"

namespace setup {

std::array<QString, 13> ModeNames;
std::array<QString, 13 * 16> FunctionNames;
std::array<int, 194> LayoutCodeTable{};
std::array<std::array<int, 8>, 4> ItemLayoutTable{};
const std::array<const char*, 4> LayoutDigits{"9000909", "9919090", "0191199", "1299911"};

int InputOption = 0;
int ModeCode = 0;
int FunctionCode = 0;
int ExtendedMode = 0;
int LayoutFlags = 0;
int LayoutFlags2 = 0;
int PresetShown = 0;
int ItemLayout = 0;
int FilteredItem = 0;
int CusCrvActive = 0;

quint32 ColorWhite = 0, ColorLightYellow = 0, ColorGray = 0, ColorDarkGray = 0, ColorBlack = 0,
        ColorRed = 0, ColorDarkRed = 0, ColorGreen = 0;

namespace {

constexpr int ModeCount = 13;
constexpr int FunctionCount = 16;

struct Pair {
    int mode;
    int function;
    const char* name; // exact, leading blanks included
    int layoutCode;
};

// Every pair the meter offers. The three V-F modes (8, 9, 10) are identical
// and are expanded from the entries given for mode 8.
// clang-format off
constexpr Pair OfferedPairs[] = {
    {0,  0, "A, B",            0x3904},
    {0,  1, "A Only",          0x1B00},
    {0,  2, " Batch",          0x280B},
    {0,  3, "A, A Total",      0x3B00},
    {0,  5, "A, B Total",      0x3904},
    {0, 11, "A + B",           0x3904},
    {0, 12, "A - B",           0x3904},
    {0, 13, "A X B",           0x3904},
    {0, 14, "A / B",           0x3904},
    {0, 15, "(A / B) -1",      0x3904},
    {1,  0, "A, B",            0x3904},
    {1,  1, "A Only",          0x1B00},
    {1, 11, "A + B",           0x3904},
    {1, 12, "A - B",           0x3904},
    {1, 13, "A X B",           0x3904},
    {1, 14, "A / B",           0x3904},
    {2,  0, "A, B",            0x2004},
    {2,  1, "A Only",          0x0200},
    {2,  4, "A -B  UpDn",      0x0600},
    {2,  6, " Burst",          0x3003},
    {2,  7, "B, A Rate",       0x3403},
    {2,  9, "A, B UpDnCtl",    0x0600},
    {2, 10, "A, B InhibitCtl", 0x0600},
    {2, 11, "A + B",           0x2004},
    {2, 12, "A - B",           0x2004},
    {2, 13, "A X B",           0x2004},
    {2, 14, "A / B",           0x2004},
    {3,  0, "None",            0x0000},
    {4,  1, "A to B",          0x1500},
    {5,  0, "A to A",          0x2000},
    {5,  1, "A to B",          0x2400},
    {6,  1, "A to B",          0x1500},
    {8,  1, "A Only",          0x0B00},
    {8,  2, " Batch",          0x3001},
    {8,  3, "A, A Total",      0x2B00},
    {8,  8, "A Total, A",      0x2019},
    {8, 15, "1/(A Rate)",      0x0B00},
    {12, 0, "Total",           0x0000},
    {12, 1, "Rate",            0x3500},
};

constexpr const char* ModeNameTexts[ModeCount] = {
    "Rate", "Period", "Total", "None", "Time Interval", "Stopwatch", "Phase", "",
    "VF 4-20 mA", "VF 0-1 mA", "VF 0-10 V", "", "Quadrature",
};
// clang-format on

bool isVfMode(int mode)
{
    return mode >= 8 && mode <= 10;
}

// Copies of a pair given for mode 8 go to all three V-F modes.
template <typename F>
void forEachOfferedPair(F&& f)
{
    for (const Pair& p : OfferedPairs) {
        if (p.mode == 8) {
            for (int m = 8; m <= 10; ++m)
                f(m, p);
        } else {
            f(p.mode, p);
        }
    }
}

quint32 colorNumber(int red, int green, int blue)
{
    return quint32(red) + quint32(green) * 256u + quint32(blue) * 65536u;
}

// "b A op b B" for the two-input arithmetic functions; any other function
// leaves the caption as it was.
QString compoundName(const QString& current, const QString& b)
{
    switch (FunctionCode) {
    case 11: return b + "A+" + b + "B";
    case 12: return b + "A-" + b + "B";
    case 13: return b + "AX" + b + "B";
    case 14: return b + "A/" + b + "B";
    case 15: return "(" + b + "A/" + b + "B)-1";
    default: return current;
    }
}

bool batchItem2IsCount()
{
    return GetSetupBits(field::BatItm2.hiBit, field::BatItm2.loBit, field::BatItm2.pos) == 1;
}

} // namespace

QString ModeName(int mode)
{
    if (mode < 0 || mode >= ModeCount)
        return {};
    return ModeNames[std::size_t(mode)];
}

QString FunctionName(int mode, int function)
{
    if (mode < 0 || mode >= ModeCount || function < 0 || function >= FunctionCount)
        return {};
    return FunctionNames[std::size_t(mode + ModeCount * function)];
}

int LayoutCode(int mode, int function)
{
    // The table stops after mode 12's function 1; a function outside 0..15
    // must not reach into the next mode's entries.
    if (mode < 0 || mode >= ModeCount || function < 0 || function >= FunctionCount)
        return 0;
    const int index = mode * FunctionCount + function;
    if (index >= int(LayoutCodeTable.size()))
        return 0;
    return LayoutCodeTable[std::size_t(index)];
}

int ItemLayoutEntry(int layout, int column)
{
    if (layout < 0 || layout >= int(ItemLayoutTable.size()) || column < 0 || column >= 8)
        return 9;
    return ItemLayoutTable[std::size_t(layout)][std::size_t(column)];
}

void InitLayoutCodeTable()
{
    LayoutCodeTable.fill(0);
    forEachOfferedPair([](int mode, const Pair& p) {
        LayoutCodeTable[std::size_t(mode * FunctionCount + p.function)] = p.layoutCode;
    });
}

void InitModeFunctionNames()
{
    for (int m = 0; m < ModeCount; ++m)
        ModeNames[std::size_t(m)] = QString::fromLatin1(ModeNameTexts[m]);
    for (QString& name : FunctionNames)
        name.clear();
    forEachOfferedPair([](int mode, const Pair& p) {
        FunctionNames[std::size_t(mode + ModeCount * p.function)] = QString::fromLatin1(p.name);
    });
}

void InitTables()
{
    InitLayoutCodeTable();
    InitModeFunctionNames();
    ItemLayout = 9;
    for (std::size_t row = 0; row < ItemLayoutTable.size(); ++row) {
        const char* digits = LayoutDigits[row];
        for (std::size_t col = 0; col < 7; ++col)
            ItemLayoutTable[row][col] = digits[col] - '0';
        ItemLayoutTable[row][7] = 0;
    }
    ColorWhite = colorNumber(255, 255, 255);
    ColorLightYellow = colorNumber(255, 255, 224);
    ColorGray = colorNumber(192, 192, 192);
    ColorDarkGray = colorNumber(128, 128, 128);
    ColorBlack = colorNumber(0, 0, 0);
    ColorRed = colorNumber(255, 0, 0);
    ColorDarkRed = colorNumber(128, 0, 0);
    ColorGreen = colorNumber(0, 255, 0);
    FilteredItem = 9;
}

void ReadInputOption()
{
    const int stored = GetSetupBits(field::InOpt.hiBit, field::InOpt.loBit, field::InOpt.pos);
    // The board codes in the image are not in the order the page lists them.
    switch (stored) {
    case 2: InputOption = 3; break; // quadrature
    case 4: InputOption = 2; break; // V-F converter
    default: InputOption = stored; break;
    }
}

void NormaliseModeFunction()
{
    auto offered = [] { return !FunctionName(ModeCode, FunctionCode).isEmpty(); };

    switch (InputOption) {
    case 1: // dual signal conditioner
        if (ModeCode < 0 || ModeCode > 6 || ModeCode == 3) {
            ModeCode = 0;
            FunctionCode = 0;
        }
        if (!offered())
            FunctionCode = 1;
        if (ExtendedMode == 0) {
            if (ModeCode > 4)
                ModeCode = 0;
            if (FunctionCode > 1)
                FunctionCode = 0;
        }
        break;
    case 2: // V-F converter
        if (!isVfMode(ModeCode))
            ModeCode = 8;
        if (!offered())
            FunctionCode = 1;
        if (ExtendedMode == 0)
            FunctionCode = 1;
        break;
    case 3: // quadrature
        if (ExtendedMode == 0)
            FunctionCode = 0;
        ModeCode = 12;
        if (!offered())
            FunctionCode = 0;
        break;
    default:
        // No board (or an unknown board code): the pair stays as read, even a
        // mode of 13..15 that no table knows. Such a mode then has no name,
        // so the step below makes the function 1, and its layout code is 0:
        // it is shown like the "None" mode, with no optional items, and the
        // stored mode is not silently turned into another one.
        break;
    }

    if (!offered())
        FunctionCode = 1;

    const int code = LayoutCode(ModeCode, FunctionCode);
    LayoutFlags = code / 256;
    LayoutFlags2 = code & 255;

    PresetShown = ((ModeCode == 2 && (FunctionCode == 4 || FunctionCode == 9))
                   || (ModeCode == 12 && FunctionCode == 0))
        ? 1
        : 0;
}

int ItemLayoutOf(int mode, int function)
{
    int layout = 0;
    if (function == 2)
        layout = 3;
    if (function > 10)
        layout = 2;
    if (mode >= 8 && function == 15)
        layout = 0;
    if (function >= 6 && function <= 8)
        layout = 1;
    if (mode == 12 && function == 1)
        layout = 2;
    return layout;
}

int FilteredItemOf(int mode, int function)
{
    int item = LayoutFlags & 1;
    if (function == 2)
        item = 3;
    if (function >= 6 && function <= 8)
        item = 2;
    if (mode == 12 && function == 1)
        item = 1;
    return item;
}

int ModeFunctionRule2(int mode, int function)
{
    int rule = 0;
    if (function == 4 || function == 9 || function == 10)
        rule = 1;
    if (function == 1 && mode != 5)
        rule = 1;
    if (function == 15 && mode != 0)
        rule = 1;
    if (mode == 12 && function == 0)
        rule = 1;
    if (mode == 12 && function == 1)
        rule = 0;
    return rule;
}

int ModeFunctionRule3(int mode, int function)
{
    if (function == 2 || (function >= 11 && function <= 15) || (mode == 12 && function == 1))
        return 0;
    return 1;
}

QString Item1Name(int layout, int mode)
{
    QString name = QStringLiteral("Uh-Oh1");
    switch (mode) {
    case 0:
        name = QStringLiteral("Rate A");
        if (layout == 2)
            name = compoundName(name, QStringLiteral("Rate "));
        if (layout == 3)
            name = QStringLiteral("Batch A");
        break;
    case 1:
        name = QStringLiteral("Period A");
        if (layout == 2)
            name = compoundName(name, QStringLiteral("Period"));
        break;
    case 2:
        name = QStringLiteral("Total A");
        if (layout == 0 && FunctionCode == 4)
            name = QStringLiteral("Total A-B UpDn");
        if (layout == 1 && FunctionCode == 6)
            name = QStringLiteral("Total A");
        if (layout == 1 && FunctionCode == 7)
            name = QStringLiteral("Total B");
        if (layout == 2)
            name = compoundName(name, QStringLiteral("Total "));
        break;
    case 4:
    case 5:
        name = FunctionCode == 1 ? QStringLiteral("Time A to B") : QStringLiteral("Time A to A");
        break;
    case 6:
        name = QStringLiteral("Phase A to B");
        break;
    case 8:
    case 9:
    case 10:
        name = QStringLiteral("Rate A");
        if (FunctionCode == 15)
            name = QStringLiteral("1/(Rate A)");
        if (layout == 1)
            name = QStringLiteral("Total A");
        if (layout == 3)
            name = QStringLiteral("Batch A");
        break;
    case 12:
        name = FunctionCode == 1 ? QStringLiteral("Rate") : QStringLiteral("Total");
        break;
    default:
        break;
    }
    return name;
}

QString Item2Name(int layout, int mode)
{
    auto grandTotalOrBatches = [] {
        return batchItem2IsCount() ? QStringLiteral("No. of Batches A")
                                   : QStringLiteral("Grand Total A");
    };
    QString name = QStringLiteral("Uh-Oh2");
    switch (mode) {
    case 0:
        name = QStringLiteral("Rate B");
        if (FunctionCode == 3)
            name = QStringLiteral("Total A");
        if (FunctionCode == 5)
            name = QStringLiteral("Total B");
        if (layout == 2)
            name = QStringLiteral("Rate A");
        if (layout == 3)
            name = grandTotalOrBatches();
        break;
    case 1:
        name = layout == 2 ? QStringLiteral("Period A") : QStringLiteral("Period B");
        break;
    case 2:
        name = QStringLiteral("Total B");
        if (layout == 1)
            name = QStringLiteral("Rate A");
        if (layout == 2)
            name = QStringLiteral("Total A");
        break;
    case 5:
        name = FunctionCode == 1 ? QStringLiteral("Total Time A-B")
                                 : QStringLiteral("Total Time A-A");
        break;
    case 8:
    case 9:
    case 10:
        name = QStringLiteral("Total A");
        if (layout == 1)
            name = QStringLiteral("Rate A");
        if (layout == 3)
            name = grandTotalOrBatches();
        break;
    case 12:
        name.clear();
        break;
    default:
        break;
    }
    return name;
}

QString Item3Name(int layout, int mode)
{
    switch (mode) {
    case 0: return layout == 3 ? QStringLiteral("Rate A") : QStringLiteral("Rate B");
    case 1: return QStringLiteral("Period B");
    case 2: return QStringLiteral("Total B");
    case 8:
    case 9:
    case 10: return QStringLiteral("Rate A");
    case 12: return QString();
    default: return QStringLiteral("Uh-Oh3");
    }
}

} // namespace setup
