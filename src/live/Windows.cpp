#include "live/Windows.h"

#include "live/frmCmds.h"
#include "live/frmList.h"
#include "platform/Forms.h"

namespace live {

void RegisterWindows()
{
    platform::RegisterForm(QStringLiteral("frmCmds"), [] { return new frmCmds(); });
    platform::RegisterForm(QStringLiteral("frmList"), [] { return new frmList(); });
}

} // namespace live
