#include "mainmenu/MenuState.h"

namespace mainmenu {

int HelpTopic = 0;
int CtrMenuLoaded = 0;
QString SetupFileName;

} // namespace mainmenu
