#include "live/Windows.h"

#include "platform/Forms.h"

namespace live {

void RegisterWindows()
{
}

} // namespace live
