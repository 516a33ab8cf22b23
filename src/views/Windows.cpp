#include "views/Windows.h"

#include "platform/Forms.h"

namespace views {

void RegisterWindows()
{
}

} // namespace views
