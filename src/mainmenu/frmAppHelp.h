#pragma once
// The help window: shows the text of help topic HelpTopic.
//
// Use: set mainmenu::HelpTopic, then exec() (F1, modal) or show() (the
// menu view, modeless). Each showing runs Form_Activate, which reads the
// topic afresh. OK hides the window; it is never closed by the user
// otherwise (no close box), and Escape acts as OK.

#include <QDialog>

class QPushButton;

namespace mainmenu {

class HelpPrintArea;

class frmAppHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmAppHelp(QWidget* parent = nullptr);

    // Activation: drops an open value entry, makes the program's folder the
    // current one, reads topic HelpTopic and prints it (Courier New and
    // unprocessed for the ASCII table, else Arial with "$" emphasis).
    void Form_Activate();
    void cmdOK_Click();

    HelpPrintArea* textArea() const { return m_text; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    void reject() override; // Escape: as OK

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    HelpPrintArea* m_text;
    QPushButton* m_cmdOK;
};

} // namespace mainmenu
