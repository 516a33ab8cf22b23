#pragma once
// Program-wide state owned by the main menu.

#include <QString>

namespace mainmenu {

extern int HelpTopic;        // the help topic that F1 shows
extern int CtrMenuLoaded;    // 1 while the menu view is loaded
extern QString SetupFileName; // the setup file last opened or saved as

} // namespace mainmenu
