#include "link/Link.h"
#include "mainmenu/frmMMenu.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program ends through File > Exit or the main window's close box,
    // never because its last window was hidden for another.
    app.setQuitOnLastWindowClosed(false);
    platform::InstallFontSubstitutions();
    meterlink::Main();
    platform::Load<mainmenu::frmMMenu>()->Show();
    return app.exec();
}
