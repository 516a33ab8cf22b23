#pragma once
// The setup help page: a fixed text on how help works, opened from the main
// menu's Help heading while the main menu hides.
//
// OK shows the main menu again, whose activation unloads this page; the
// page does not hide itself. Closing the page with its close box unloads it
// and brings the main menu back too, or no window of the program would be
// left on screen. The main menu is reached by name ("frmMMenu").

#include "platform/Forms.h"

class QPushButton;

namespace help {
class HelpPrintArea;
}

namespace mainmenu {

using help::HelpPrintArea;

class frmMHELP : public platform::Form {
    Q_OBJECT
public:
    frmMHELP();

    // The nine lines of the page, exactly as printed.
    static const QStringList& PageLines();

    // Activation: prints the page afresh and sets HelpTopic to 3101.
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void cmdMHelp_Click();

    HelpPrintArea* picture2() const { return m_picture2; }
    QPushButton* cmdMHelp() const { return m_cmdMHelp; }

private:
    HelpPrintArea* m_picture2;
    QPushButton* m_cmdMHelp;
};

} // namespace mainmenu
