#pragma once
// The factory default setup image, as the File menu's Default Setup loads it.

#include <QString>

namespace setup {

extern const QString DefaultSetupAText;     // 108 characters
extern const QString DefaultSetupBText;     // 68 characters
extern const QString DefaultSetupCharsText; // 16 characters

} // namespace setup
