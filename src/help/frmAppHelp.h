#pragma once
// The help window: shows the text of help topic HelpTopic.
//
// Use: set help::HelpTopic, then ShowHelpModal() (F1; see HelpViewer.h)
// or Load<frmAppHelp>()->Show() (the menu view, modeless). Each activation
// runs Form_Activate, which reads the topic afresh. OK hides the window
// (it stays loaded and keeps its place); it has no close box, and Escape
// acts as OK.

#include "platform/Forms.h"

class QPushButton;

namespace help {

class HelpPrintArea;

class frmAppHelp : public platform::Form {
    Q_OBJECT
public:
    frmAppHelp();

    // Activation: drops an open value entry, makes the program's folder the
    // current one, reads topic HelpTopic and prints it (Courier New and
    // unprocessed for the ASCII table, else Arial with "$" emphasis).
    void Form_Activate() override;
    // Escape, and Enter wherever the focus is: as OK.
    void Form_KeyDown(int& keyCode, int shift) override;
    void cmdOK_Click();

    HelpPrintArea* textArea() const { return m_text; }
    QPushButton* cmdOK() const { return m_cmdOK; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    HelpPrintArea* m_text;
    QPushButton* m_cmdOK;
};

} // namespace help
