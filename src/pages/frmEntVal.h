#pragma once
// The value-entry dialog: seven one-character boxes in which a value is typed
// digit by digit, as on the meter's front panel. The rules live in
// EntryModel; this window shows the model and passes the keys to it.
//
// Use ShowValueEntry (ValueEntry.h), which loads the boxes and shows the
// dialog modal. Every way out (OK, Enter, Cancel, Esc, the close box, F1)
// ends the entry: EntryActive goes to 0 before the window hides, the page's
// box turns white again, and EntryTimeFormat and EntryDecPt are reset so
// that they cannot leak into the next entry. Only OK and Enter store, and
// only a value that fits; a refused one beeps and the dialog stays up.

#include "pages/EntryModel.h"
#include "platform/Forms.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pages {

class frmEntVal : public platform::Form {
    Q_OBJECT
public:
    frmEntVal();

    // Rebuilds the boxes from EntryText and EntryKind (each showing does).
    void LoadEntry();

    void cmdOK_Click();
    void cmdCANCEL_Click();

    QLineEdit* txtDigit(int index) const { return m_txtDigit.at(index); }
    QLabel* lblDP(int index) const { return m_lblDP.at(index); }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCANCEL() const { return m_cmdCANCEL; }
    const EntryModel& Model() const { return m_model; }

protected:
    void Form_Activate() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool DigitKey(int index, QKeyEvent* key);
    // Puts the model's boxes, marks and focus on screen.
    void ShowModel();
    void ApplyFocus(const EntryFocus& focus);
    // The common end of every way out; stored: the page's box shows EntryText.
    void EndEntry(bool stored);

    EntryModel m_model;
    EntryFocus m_startFocus;
    std::array<QLineEdit*, EntryBoxCount> m_txtDigit{};
    std::array<QLabel*, EntryMarkCount> m_lblDP{};
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCANCEL = nullptr;
};

} // namespace pages
