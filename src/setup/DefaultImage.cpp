#include "setup/DefaultImage.h"

namespace setup {

// clang-format off
const QString DefaultSetupAText = QStringLiteral(
    "002710" "000000" "000000" "000000" "000000" "0186A0"
    "000000" "0186A0" "004E20" "002710" "002710" "002710"
    "000000" "000000" "002710" "002710" "000000" "000000");

const QString DefaultSetupBText = QStringLiteral(
    "8064" "000003E8" "23" "11" "2E" "05" "01" "01" "0400" "55" "05" "05" "00"
    "012C" "000A" "0000" "04" "01" "21" "50" "69" "09" "00" "00" "00" "00");

// Revision 37, counter, then the default custom characters.
const QString DefaultSetupCharsText = QStringLiteral("25030D0008000D00");
// clang-format on

} // namespace setup
