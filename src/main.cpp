#include "link/Link.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Display.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"

int main(int argc, char** argv)
{
    const std::unique_ptr<QApplication> app = platform::OpenDisplay(argc, argv);
    // The program ends through File > Exit or the main window's close box,
    // never because its last window was hidden for another.
    app->setQuitOnLastWindowClosed(false);
    platform::InstallFontSubstitutions();
    meterlink::Main();
    platform::Load<mainmenu::frmMMenu>()->Show();
    return app->exec();
}
