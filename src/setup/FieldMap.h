#pragma once
// Every named field of the setup image, in one table. Code that reads or
// writes the image names a field from here instead of bare positions.

#include <array>
#include <string_view>

namespace setup {

enum class Image { A, B, Chars };

enum class Coding {
    Bits,       // bit field hiBit..loBit of a SetupB byte
    Byte,       // a whole byte (two hex digits)
    CharCode,   // a whole byte holding a character code
    Word,       // unsigned 16-bit, four hex digits
    SignedWord, // bit 15 sign, 15-bit magnitude, four hex digits
    Reading,    // signed 24-bit two's complement, six hex digits
    Scale,      // flag digit (bit 3 negative) + 20-bit magnitude, five implied decimals
    Input,      // flag digit (bit 3 negative, bits 2..0 decimal-point code) + 20-bit magnitude
};

struct Field {
    std::string_view name;
    Image image;
    int pos;    // 1-based character position of the field's first digit
    int hiBit;  // bit fields only; whole bytes/numbers use 7..0 / unused
    int loBit;
    Coding coding;
    int defaultRaw; // the field's default as its raw digits read as a number

    constexpr int digits() const
    {
        switch (coding) {
        case Coding::Word:
        case Coding::SignedWord: return 4;
        case Coding::Reading:
        case Coding::Scale:
        case Coding::Input: return 6;
        default: return 2;
        }
    }
};

namespace field {
using enum Image;
using enum Coding;
// clang-format off
// SetupA numbers
inline constexpr Field AnaHi   {"AnaHi",   A,   1, 0, 0, Reading, 0x002710};
inline constexpr Field AnaLo   {"AnaLo",   A,   7, 0, 0, Reading, 0};
inline constexpr Field Devn2   {"Devn2",   A,  13, 0, 0, Reading, 0};
inline constexpr Field Devn1   {"Devn1",   A,  19, 0, 0, Reading, 0};
inline constexpr Field Offset2 {"Offset2", A,  25, 0, 0, Reading, 0};
inline constexpr Field Preset  {"Preset",  A,  25, 0, 0, Reading, 0};   // same digits as Offset2
inline constexpr Field Scale2  {"Scale2",  A,  31, 0, 0, Scale,   0x0186A0};
inline constexpr Field Offset1 {"Offset1", A,  37, 0, 0, Reading, 0};
inline constexpr Field Scale1  {"Scale1",  A,  43, 0, 0, Scale,   0x0186A0};
inline constexpr Field SetPt2  {"SetPt2",  A,  49, 0, 0, Reading, 0x004E20};
inline constexpr Field SetPt1  {"SetPt1",  A,  55, 0, 0, Reading, 0x002710};
inline constexpr Field HiRd2   {"HiRd2",   A,  61, 0, 0, Reading, 0x002710};
inline constexpr Field HiIn2   {"HiIn2",   A,  67, 0, 0, Input,   0x002710};
inline constexpr Field LoRd2   {"LoRd2",   A,  73, 0, 0, Reading, 0};
inline constexpr Field LoIn2   {"LoIn2",   A,  79, 0, 0, Input,   0};
inline constexpr Field Rd0In   {"Rd0In",   A,  79, 0, 0, Input,   0};   // same digits as LoIn2
inline constexpr Field HiRd1   {"HiRd1",   A,  85, 0, 0, Reading, 0x002710};
inline constexpr Field HiIn1   {"HiIn1",   A,  91, 0, 0, Input,   0x002710};
inline constexpr Field LoRd1   {"LoRd1",   A,  97, 0, 0, Reading, 0};
inline constexpr Field LoIn1   {"LoIn1",   A, 103, 0, 0, Input,   0};

// SetupB words and whole bytes
inline constexpr Field Cal       {"Cal",       B,  1, 0, 0, SignedWord, 0x8064};
inline constexpr Field RevisionB {"RevisionB", B,  5, 7, 0, Byte,       0x00};
inline constexpr Field CusRecog  {"CusRecog",  B, 13, 7, 0, CharCode,   0x23};
inline constexpr Field Pulses    {"Pulses",    B, 25, 0, 0, Word,       0x0400};
inline constexpr Field TimeOut   {"TimeOut",   B, 37, 0, 0, Word,       0x012C};
inline constexpr Field GateTime  {"GateTime",  B, 41, 0, 0, Word,       0x000A};

// SetupB bit fields
inline constexpr Field DecPt1    {"DecPt1",    B, 15, 2, 0, Bits, 1};
inline constexpr Field DecPt2    {"DecPt2",    B, 15, 6, 4, Bits, 1};
inline constexpr Field Resoln    {"Resoln",    B, 19, 3, 0, Bits, 5};
inline constexpr Field DspyN     {"DspyN",     B, 21, 1, 0, Bits, 1};
inline constexpr Field TrigSlpA  {"TrigSlpA",  B, 23, 1, 1, Bits, 0};
inline constexpr Field TrigSlpB  {"TrigSlpB",  B, 23, 0, 0, Bits, 1};
inline constexpr Field Mult1     {"Mult1",     B, 29, 3, 0, Bits, 5};
inline constexpr Field Mult2     {"Mult2",     B, 29, 7, 4, Bits, 5};
inline constexpr Field Source    {"Source",    B, 31, 1, 0, Bits, 1};
inline constexpr Field Circuit   {"Circuit",   B, 31, 2, 2, Bits, 1};
inline constexpr Field Source1   {"Source1",   B, 33, 3, 2, Bits, 1};
inline constexpr Field Source2   {"Source2",   B, 33, 1, 0, Bits, 1};
inline constexpr Field BatStart  {"BatStart",  B, 35, 0, 0, Bits, 0};
inline constexpr Field BatItm2   {"BatItm2",   B, 35, 1, 1, Bits, 0};
inline constexpr Field BatReset  {"BatReset",  B, 35, 2, 2, Bits, 0};
inline constexpr Field BatCount  {"BatCount",  B, 35, 5, 3, Bits, 0};
// Lockouts: byte 45 holds 12,13,14,15,8,9,10,11 from bit 7 down,
// byte 47 holds 4,5,6,7,0,1,2,3 from bit 7 down.
inline constexpr Field Lock12    {"Lock12",    B, 45, 7, 7, Bits, 0};
inline constexpr Field Lock13    {"Lock13",    B, 45, 6, 6, Bits, 0};
inline constexpr Field Lock14    {"Lock14",    B, 45, 5, 5, Bits, 0};
inline constexpr Field Lock15    {"Lock15",    B, 45, 4, 4, Bits, 0};
inline constexpr Field Lock8     {"Lock8",     B, 45, 3, 3, Bits, 0};
inline constexpr Field Lock9     {"Lock9",     B, 45, 2, 2, Bits, 0};
inline constexpr Field Lock10    {"Lock10",    B, 45, 1, 1, Bits, 0};
inline constexpr Field Lock11    {"Lock11",    B, 45, 0, 0, Bits, 0};
inline constexpr Field Lock4     {"Lock4",     B, 47, 7, 7, Bits, 0};
inline constexpr Field Lock5     {"Lock5",     B, 47, 6, 6, Bits, 0};
inline constexpr Field Lock6     {"Lock6",     B, 47, 5, 5, Bits, 0};
inline constexpr Field Lock7     {"Lock7",     B, 47, 4, 4, Bits, 0};
inline constexpr Field Lock0     {"Lock0",     B, 47, 3, 3, Bits, 0};
inline constexpr Field Lock1     {"Lock1",     B, 47, 2, 2, Bits, 0};
inline constexpr Field Lock2     {"Lock2",     B, 47, 1, 1, Bits, 0};
inline constexpr Field Lock3     {"Lock3",     B, 47, 0, 0, Bits, 0};
inline constexpr Field NegSamp   {"NegSamp",   B, 49, 0, 0, Bits, 0};
inline constexpr Field SqRt      {"SqRt",      B, 49, 1, 1, Bits, 0};
inline constexpr Field CusCrv    {"CusCrv",    B, 49, 3, 2, Bits, 1};
inline constexpr Field DType     {"DType",     B, 49, 7, 4, Bits, 0};
inline constexpr Field OutItems  {"OutItems",  B, 51, 2, 0, Bits, 1};
inline constexpr Field CR        {"CR",        B, 51, 3, 3, Bits, 0};
inline constexpr Field RTS       {"RTS",       B, 51, 4, 4, Bits, 0};
inline constexpr Field RecogChr  {"RecogChr",  B, 51, 5, 5, Bits, 0};
inline constexpr Field TranChars {"TranChars", B, 51, 6, 6, Bits, 0};
inline constexpr Field Duplex    {"Duplex",    B, 51, 7, 7, Bits, 0};
inline constexpr Field Address   {"Address",   B, 53, 4, 0, Bits, 1};
inline constexpr Field SerMode   {"SerMode",   B, 53, 5, 5, Bits, 1};
inline constexpr Field AlmData   {"AlmData",   B, 53, 6, 6, Bits, 0};
inline constexpr Field LF        {"LF",        B, 53, 7, 7, Bits, 0};
inline constexpr Field OutRate   {"OutRate",   B, 55, 3, 0, Bits, 0};
inline constexpr Field BaudRate  {"BaudRate",  B, 55, 6, 4, Bits, 5};
inline constexpr Field OutVal    {"OutVal",    B, 55, 7, 7, Bits, 0};
inline constexpr Field InOpt     {"InOpt",     B, 57, 2, 0, Bits, 1};
inline constexpr Field ComOpt    {"ComOpt",    B, 57, 4, 3, Bits, 1};
inline constexpr Field AnaOpt    {"AnaOpt",    B, 57, 5, 5, Bits, 1};
inline constexpr Field RlyOpt    {"RlyOpt",    B, 57, 6, 6, Bits, 1};
inline constexpr Field Lockout   {"Lockout",   B, 57, 7, 7, Bits, 0};
inline constexpr Field TimConst  {"TimConst",  B, 59, 2, 0, Bits, 1};
inline constexpr Field Thresh    {"Thresh",    B, 59, 3, 3, Bits, 1};
inline constexpr Field DVal      {"DVal",      B, 59, 4, 4, Bits, 0};
inline constexpr Field PeakVal   {"PeakVal",   B, 59, 5, 5, Bits, 0};
inline constexpr Field FType     {"FType",     B, 59, 6, 6, Bits, 0};
inline constexpr Field ExtAB     {"ExtAB",     B, 61, 3, 0, Bits, 0};
inline constexpr Field Coord2    {"Coord2",    B, 61, 4, 4, Bits, 0};
inline constexpr Field Coord1    {"Coord1",    B, 61, 5, 5, Bits, 0};
inline constexpr Field LeadZ     {"LeadZ",     B, 61, 6, 6, Bits, 0};
inline constexpr Field PwrOnTot  {"PwrOnTot",  B, 61, 7, 7, Bits, 0};
inline constexpr Field Function  {"Function",  B, 63, 3, 0, Bits, 0};
inline constexpr Field Mode      {"Mode",      B, 63, 7, 4, Bits, 0};
inline constexpr Field NoRdgsAlm {"NoRdgsAlm", B, 65, 2, 0, Bits, 0};
inline constexpr Field DevType1  {"DevType1",  B, 65, 3, 3, Bits, 0};
inline constexpr Field DevType2  {"DevType2",  B, 65, 4, 4, Bits, 0};
inline constexpr Field DevStatus {"DevStatus", B, 65, 5, 5, Bits, 0};
inline constexpr Field State1    {"State1",    B, 67, 1, 0, Bits, 0};
inline constexpr Field State2    {"State2",    B, 67, 3, 2, Bits, 0};
inline constexpr Field Alm1Type  {"Alm1Type",  B, 67, 4, 4, Bits, 0};
inline constexpr Field Alm2Type  {"Alm2Type",  B, 67, 5, 5, Bits, 0};
inline constexpr Field Rly1State {"Rly1State", B, 67, 6, 6, Bits, 0};
inline constexpr Field Rly2State {"Rly2State", B, 67, 7, 7, Bits, 0};

// SetupChars bytes
inline constexpr Field Revision  {"Revision",  Chars,  1, 7, 0, Byte,     0x25};
inline constexpr Field MeterType {"MeterType", Chars,  3, 7, 0, Byte,     0x03};
inline constexpr Field TranStop  {"TranStop",  Chars,  5, 7, 0, CharCode, 0x0D};
inline constexpr Field TranStart {"TranStart", Chars,  7, 7, 0, CharCode, 0x00};
inline constexpr Field Show      {"Show",      Chars,  9, 7, 0, Byte,     0x08};
inline constexpr Field Skip      {"Skip",      Chars, 11, 7, 0, Byte,     0x00};
inline constexpr Field StopChr   {"StopChr",   Chars, 13, 7, 0, CharCode, 0x0D};
inline constexpr Field StartChr  {"StartChr",  Chars, 15, 7, 0, CharCode, 0x00};
// clang-format on
} // namespace field

inline constexpr std::array FieldMap{
    field::AnaHi, field::AnaLo, field::Devn2, field::Devn1, field::Offset2, field::Preset,
    field::Scale2, field::Offset1, field::Scale1, field::SetPt2, field::SetPt1, field::HiRd2,
    field::HiIn2, field::LoRd2, field::LoIn2, field::Rd0In, field::HiRd1, field::HiIn1,
    field::LoRd1, field::LoIn1,
    field::Cal, field::RevisionB, field::CusRecog, field::Pulses, field::TimeOut, field::GateTime,
    field::DecPt1, field::DecPt2, field::Resoln, field::DspyN, field::TrigSlpA, field::TrigSlpB,
    field::Mult1, field::Mult2, field::Source, field::Circuit, field::Source1, field::Source2,
    field::BatStart, field::BatItm2, field::BatReset, field::BatCount,
    field::Lock12, field::Lock13, field::Lock14, field::Lock15, field::Lock8, field::Lock9,
    field::Lock10, field::Lock11, field::Lock4, field::Lock5, field::Lock6, field::Lock7,
    field::Lock0, field::Lock1, field::Lock2, field::Lock3,
    field::NegSamp, field::SqRt, field::CusCrv, field::DType, field::OutItems, field::CR,
    field::RTS, field::RecogChr, field::TranChars, field::Duplex, field::Address, field::SerMode,
    field::AlmData, field::LF, field::OutRate, field::BaudRate, field::OutVal, field::InOpt,
    field::ComOpt, field::AnaOpt, field::RlyOpt, field::Lockout, field::TimConst, field::Thresh,
    field::DVal, field::PeakVal, field::FType, field::ExtAB, field::Coord2, field::Coord1,
    field::LeadZ, field::PwrOnTot, field::Function, field::Mode, field::NoRdgsAlm,
    field::DevType1, field::DevType2, field::DevStatus, field::State1, field::State2,
    field::Alm1Type, field::Alm2Type, field::Rly1State, field::Rly2State,
    field::Revision, field::MeterType, field::TranStop, field::TranStart, field::Show,
    field::Skip, field::StopChr, field::StartChr,
};

// The raw value of a field in the current image: a bit field's value, a
// byte, or the digits of a number field read as an unsigned number (0 when
// the field lies past the end of its string or holds no hex digits).
int ReadRaw(const Field& f);
// Writes a raw value into the field; false (nothing written) when it does not
// fit the field or the field lies past the end of its string.
bool WriteRaw(const Field& f, int raw);

} // namespace setup
