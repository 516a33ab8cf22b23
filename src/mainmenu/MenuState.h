#pragma once
// Program-wide state owned by the main menu.

#include "help/HelpState.h"

#include <QString>

namespace mainmenu {

// The help state lives with the help viewer; the main menu sets it as the
// other windows do.
using help::CtrMenuLoaded;
using help::HelpTopic;

extern QString SetupFileName; // the setup file last opened or saved as

} // namespace mainmenu
