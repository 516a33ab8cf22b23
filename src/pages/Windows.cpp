#include "pages/Windows.h"

#include "pages/frmEntVal.h"
#include "pages/frmSetup1.h"

#include "platform/Forms.h"

namespace pages {

void RegisterWindows()
{
    platform::RegisterForm(QStringLiteral("frmEntVal"), [] { return new frmEntVal(); });
    platform::RegisterForm(QStringLiteral("frmSetup1"), [] { return new frmSetup1(); });
}

void ShowSetupPage1()
{
    frmSetup1::ShowPage();
}

} // namespace pages
