#include "help/HelpState.h"

namespace help {

int HelpTopic = 0;
int CtrMenuLoaded = 0;

} // namespace help
