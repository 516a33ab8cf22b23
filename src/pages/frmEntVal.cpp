#include "pages/frmEntVal.h"

#include "help/HelpViewer.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pages {

using platform::Px;
using platform::TwipsRect;

namespace {

constexpr int ClientWidth = 4245;
constexpr int ClientHeight = 1800;
constexpr int BoxLeft = 360;
constexpr int BoxTop = 360;
constexpr int BoxWidth = 375;
constexpr int BoxHeight = 495;
constexpr int BoxStep = 525; // box and the gap that holds a point mark
constexpr int MarkSize = 90;

constexpr int KeyTab = 9;
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;
constexpr int KeyLeft = 37;
constexpr int KeyRight = 39;
constexpr int KeyF1 = 112;
constexpr int KeyF12 = 123;

} // namespace

frmEntVal::frmEntVal() : platform::Form(QStringLiteral("frmEntVal"))
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Enter Decimal Value"));
    setFixedSize(Px(ClientWidth), Px(ClientHeight));
    SetDesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    SetKeyPreview(true);

    for (int i = 0; i < EntryBoxCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtDigit%1").arg(i));
        box->setAccessibleName(i == 0 ? QStringLiteral("Sign or digit 1")
                                      : QStringLiteral("Digit %1").arg(i + 1));
        box->setGeometry(TwipsRect(BoxLeft + i * BoxStep, BoxTop, BoxWidth, BoxHeight));
        box->setFont(platform::DesignFont(QStringLiteral("Arial"), 14, true));
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(2);
        // The boxes change only through the entry rules: no menu, no drop,
        // and any edit that slips past the key filter is undone at once.
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i] {
            m_txtDigit[i]->setText(m_model.Box[i]);
            m_txtDigit[i]->setCursorPosition(0);
        });
        m_txtDigit[i] = box;
    }
    // lblDP(k) marks the point of code k + 1, which stands after box 6 - k.
    for (int k = 0; k < EntryMarkCount; ++k) {
        auto* mark = new QLabel(this);
        mark->setObjectName(QStringLiteral("lblDP%1").arg(k));
        const int boxRight = BoxLeft + (6 - k) * BoxStep + BoxWidth;
        mark->setGeometry(TwipsRect(boxRight + (BoxStep - BoxWidth - MarkSize) / 2,
                                    BoxTop + BoxHeight - MarkSize, MarkSize, MarkSize));
        platform::SetBackColor(mark, setup::ColorDarkGray);
        m_lblDP[k] = mark;
    }

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(TwipsRect(600, 1140, 1215, 405));
    m_cmdOK->setAutoDefault(true); // Enter on the focused button presses it (once)
    m_cmdOK->installEventFilter(this);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmEntVal::cmdOK_Click);

    m_cmdCANCEL = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCANCEL->setObjectName(QStringLiteral("cmdCANCEL"));
    m_cmdCANCEL->setGeometry(TwipsRect(2430, 1140, 1215, 405));
    m_cmdCANCEL->setAutoDefault(true);
    connect(m_cmdCANCEL, &QPushButton::clicked, this, &frmEntVal::cmdCANCEL_Click);
}

void frmEntVal::LoadEntry()
{
    m_model.LoadEntryDigits(setup::EntryText, setup::EntryKind);
    ShowModel();
    m_startFocus = m_model.Focus;
    ApplyFocus(m_startFocus);
}

void frmEntVal::Form_Activate()
{
    // Shown: the caret goes to the first box. A later activation (back from
    // another application) leaves it where the user put it.
    ApplyFocus(m_startFocus);
    m_startFocus = {};
}

void frmEntVal::ShowModel()
{
    for (int i = 0; i < EntryBoxCount; ++i) {
        QLineEdit* box = m_txtDigit[i];
        box->setVisible(m_model.BoxVisible[i]);
        if (box->text() != m_model.Box[i]) {
            box->setText(m_model.Box[i]);
            box->setCursorPosition(0);
        }
    }
    for (int k = 0; k < EntryMarkCount; ++k)
        platform::SetBackColor(m_lblDP[k],
                               m_model.MarkInUse[k] ? setup::ColorDarkRed : setup::ColorDarkGray);
}

void frmEntVal::ApplyFocus(const EntryFocus& focus)
{
    if (focus.box < 0 || focus.box >= EntryBoxCount)
        return;
    QLineEdit* box = m_txtDigit[focus.box];
    box->setFocus(Qt::OtherFocusReason);
    box->setCursorPosition(focus.afterDigit ? 1 : 0);
}

bool frmEntVal::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_cmdOK) {
            if (key->text() == QStringLiteral(".")) {
                m_model.OkKeyPress(u'.');
                ShowModel();
                return true;
            }
            return false;
        }
        for (int i = 0; i < EntryBoxCount; ++i)
            if (watched == m_txtDigit[i])
                return DigitKey(i, key);
    }
    return platform::Form::eventFilter(watched, event);
}

bool frmEntVal::DigitKey(int index, QKeyEvent* key)
{
    const int code = platform::KeyCode(key->key(), key->modifiers());
    if (code == KeyLeft || code == KeyRight) {
        m_model.KeyDown(index, code);
        ShowModel();
        ApplyFocus(m_model.Focus);
        return true;
    }
    if (code == KeyEnter) {
        if (m_model.KeyPress(index, QChar(KeyEnter)))
            cmdOK_Click();
        return true;
    }
    // Focus moves, Esc and the function keys (F1 help) are the window's.
    if (code == KeyTab || code == KeyEscape || (code >= KeyF1 && code <= KeyF12))
        return false;
    const QString text = key->text();
    if (!text.isEmpty() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        m_model.KeyPress(index, text.at(0));
        ShowModel();
        ApplyFocus(m_model.Focus);
    }
    // Anything else (Delete, Home, paste) would edit a box behind the rules.
    return true;
}

void frmEntVal::Form_KeyDown(int& keyCode, int shift)
{
    Q_UNUSED(shift);
    if (keyCode == KeyEscape) {
        keyCode = 0;
        cmdCANCEL_Click();
    } else if (keyCode == KeyF1) {
        keyCode = 0;
        if (!isVisible())
            return;
        EndEntry(false);
        help::ShowHelpModal();
    }
}

void frmEntVal::cmdOK_Click()
{
    if (!isVisible())
        return; // a late second Enter after the dialog went stores nothing
    if (!m_model.CommitEntry()) {
        ShowModel();
        ApplyFocus(m_model.Focus);
        return;
    }
    EndEntry(true);
}

void frmEntVal::cmdCANCEL_Click()
{
    if (!isVisible())
        return;
    EndEntry(false);
}

void frmEntVal::EndEntry(bool stored)
{
    QWidget* box = setup::EntryBox.data();
    if (stored)
        if (auto* edit = qobject_cast<QLineEdit*>(box))
            edit->setText(setup::EntryText);
    platform::SetBackColor(box, setup::ColorWhite);
    // Cleared before the window hides: hiding activates the page at once,
    // which must not find the entry still running.
    setup::EntryActive = 0;
    setup::EntryTimeFormat = 0;
    setup::EntryDecPt = 0;
    hide();
}

void frmEntVal::closeEvent(QCloseEvent* event)
{
    if (platform::ProgramEnding()) {
        platform::Form::closeEvent(event);
        return;
    }
    // The close box is Cancel; the dialog stays loaded for the next entry.
    event->ignore();
    cmdCANCEL_Click();
}

} // namespace pages
