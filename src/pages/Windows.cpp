#include "pages/Windows.h"

#include "platform/Forms.h"

namespace pages {

void RegisterWindows()
{
}

} // namespace pages
