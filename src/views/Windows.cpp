#include "views/Windows.h"

#include "platform/Forms.h"
#include "views/JumperDesigns.h"
#include "views/frmCtrMenu.h"
#include "views/frmJumper.h"

namespace views {

void RegisterWindows()
{
    platform::RegisterForm(QStringLiteral("frmCtrMenu"), [] { return new frmCtrMenu(); });
    // The ten jumper windows, one design each.
    for (const JumperDesign& d : JumperDesigns())
        platform::RegisterForm(d.name, [&d] { return new frmJumper(d); });
}

} // namespace views
