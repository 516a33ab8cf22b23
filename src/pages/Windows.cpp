#include "pages/Windows.h"

#include "pages/frmEntVal.h"
#include "pages/frmSetup1.h"
#include "pages/frmSetup2.h"
#include "pages/frmSetup3.h"

#include "platform/Forms.h"

namespace pages {

void RegisterWindows()
{
    platform::RegisterForm(QStringLiteral("frmEntVal"), [] { return new frmEntVal(); });
    platform::RegisterForm(QStringLiteral("frmSetup1"), [] { return new frmSetup1(); });
    platform::RegisterForm(QStringLiteral("frmSetup2"), [] { return new frmSetup2(); });
    platform::RegisterForm(QStringLiteral("frmSetup3"), [] { return new frmSetup3(); });
}

void ShowSetupPage1()
{
    frmSetup1::ShowPage();
}

void ShowSetupPage2()
{
    frmSetup2::ShowPage();
}

void ShowSetupPage3()
{
    frmSetup3::ShowPage();
}

} // namespace pages
