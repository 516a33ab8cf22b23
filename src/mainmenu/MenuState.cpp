#include "mainmenu/MenuState.h"

namespace mainmenu {

QString SetupFileName;

} // namespace mainmenu
