#pragma once
// The setup help page: a fixed text on how help works, opened from the main
// menu's Help heading while the main menu hides.
//
// OK (and the user's close box) emit mainMenuWanted(): whoever creates the window
// connects it to showing the main menu, whose activation unloads this
// window. The window does not hide itself.

#include <QWidget>

class QPushButton;

namespace mainmenu {

class HelpPrintArea;

class frmMHELP : public QWidget {
    Q_OBJECT
public:
    explicit frmMHELP(QWidget* parent = nullptr);

    // The nine lines of the page, exactly as printed.
    static const QStringList& PageLines();

    // Activation: prints the page afresh and sets HelpTopic to 3101.
    void Form_Activate();
    void cmdMHelp_Click();

    HelpPrintArea* picture2() const { return m_picture2; }
    QPushButton* cmdMHelp() const { return m_cmdMHelp; }

signals:
    void mainMenuWanted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    HelpPrintArea* m_picture2;
    QPushButton* m_cmdMHelp;
};

} // namespace mainmenu
