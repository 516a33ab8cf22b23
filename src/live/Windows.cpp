#include "live/Windows.h"

#include "live/frmCalib.h"
#include "live/frmCmds.h"
#include "live/frmGRAPH.h"
#include "live/frmList.h"
#include "live/frmPlot.h"
#include "platform/Forms.h"

namespace live {

void RegisterWindows()
{
    platform::RegisterForm(QStringLiteral("frmCmds"), [] { return new frmCmds(); });
    platform::RegisterForm(QStringLiteral("frmList"), [] { return new frmList(); });
    platform::RegisterForm(QStringLiteral("frmPlot"), [] { return new frmPlot(); });
    platform::RegisterForm(QStringLiteral("frmGRAPH"), [] { return new frmGRAPH(); });
    platform::RegisterForm(QStringLiteral("frmCalib"), [] { return new frmCalib(); });
}

} // namespace live
