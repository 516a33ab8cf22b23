#pragma once
// A jumper window: one option board's drawing with its labels and outline
// shapes, Print and OK. The ten windows differ only in their design
// (JumperDesigns.h); each is registered under its own window name.
//
// Picture windows (the signal conditioners) return to the main menu on OK
// and stay loaded. Text windows (power supply and interface boards) show a
// help topic in lblText each time they become active and unload on OK; the
// main menu stays visible behind them.

#include "platform/Forms.h"
#include "views/JumperDesigns.h"

class QLabel;
class QPushButton;

namespace views {

class frmJumper : public platform::Form {
    Q_OBJECT
public:
    explicit frmJumper(const JumperDesign& design);

    const JumperDesign& Design() const { return design_; }
    bool IsTextWindow() const { return design_.helpTopic != 0; }

    QPushButton* cmdOK = nullptr;      // named as the design says
    QPushButton* cmdPrinter = nullptr;
    QLabel* lblText = nullptr;         // text windows only

    void cmdOK_Click();
    void cmdPrinter_Click();

protected:
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    const JumperDesign& design_;
};

} // namespace views
