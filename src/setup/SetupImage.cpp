#include "setup/SetupImage.h"

#include "setup/FieldMap.h"
#include "setup/HexText.h"

namespace setup {

// All zeros until a setup is loaded; SetupChars stays empty until then, so
// its readers must cope with an empty string.
QString SetupA = QString(108, u'0');
QString SetupB = QString(68, u'0');
QString SetupChars;

namespace {

int ReadByte(const QString& s, int pos)
{
    return int(hex::Value(hex::Mid(s, pos, 2)));
}

bool WriteByte(QString& s, int pos, int value)
{
    if (value < 0 || value > 255)
        return false;
    return hex::Overwrite(s, pos, hex::Digits(value, 2));
}

QString& ImageString(Image image)
{
    switch (image) {
    case Image::A: return SetupA;
    case Image::B: return SetupB;
    case Image::Chars: break;
    }
    return SetupChars;
}

int MaskOf(int hiBit, int loBit)
{
    int mask = 0;
    for (int i = qMax(loBit, 0); i <= qMin(hiBit, 7); ++i)
        mask |= 1 << i;
    return mask;
}

} // namespace

int GetSetupBits(int hiBit, int loBit, int pos)
{
    if (loBit < 0 || loBit > 7 || hiBit < loBit)
        return 0;
    return (ReadByte(SetupB, pos) & MaskOf(hiBit, loBit)) >> loBit;
}

bool SetSetupBits(int hiBit, int loBit, int pos, int value)
{
    // The value is deliberately not masked to the field (callers rely on
    // being able to set neighbouring bits this way), but a byte can only take
    // what fits in its eight bits.
    if (loBit < 0 || loBit > 7 || hiBit < loBit || hiBit > 7 || value < 0 || value > (255 >> loBit))
        return false;
    const int keep = 0xFF & ~MaskOf(hiBit, loBit);
    const int n = (ReadByte(SetupB, pos) & keep) | (value << loBit);
    return WriteByte(SetupB, pos, n);
}

int GetCharsByte(int pos)
{
    return ReadByte(SetupChars, pos);
}

bool PutCharsByte(int pos, int value)
{
    return WriteByte(SetupChars, pos, value);
}

int ReadRaw(const Field& f)
{
    const QString& s = ImageString(f.image);
    switch (f.coding) {
    case Coding::Bits:
        return (ReadByte(s, f.pos) & MaskOf(f.hiBit, f.loBit)) >> f.loBit;
    case Coding::Byte:
    case Coding::CharCode:
        return ReadByte(s, f.pos);
    default:
        return int(hex::Value(hex::Mid(s, f.pos, f.digits())));
    }
}

bool WriteRaw(const Field& f, int raw)
{
    QString& s = ImageString(f.image);
    switch (f.coding) {
    case Coding::Bits: {
        const int width = f.hiBit - f.loBit + 1;
        if (raw < 0 || raw >= (1 << width))
            return false;
        const int keep = 0xFF & ~MaskOf(f.hiBit, f.loBit);
        return WriteByte(s, f.pos, (ReadByte(s, f.pos) & keep) | (raw << f.loBit));
    }
    case Coding::Byte:
    case Coding::CharCode:
        return WriteByte(s, f.pos, raw);
    default: {
        const int digits = f.digits();
        if (raw < 0 || qint64(raw) >= (Q_INT64_C(1) << (4 * digits)))
            return false;
        return hex::Overwrite(s, f.pos, hex::Digits(raw, digits));
    }
    }
}

bool IsHexText(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f')))
            return false;
    }
    return true;
}

} // namespace setup
