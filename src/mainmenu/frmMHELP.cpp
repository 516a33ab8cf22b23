#include "mainmenu/frmMHELP.h"

#include "help/HelpPrintArea.h"
#include "mainmenu/MenuState.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QPushButton>

namespace mainmenu {

using help::HelpLine;

using platform::Px;
using platform::TwipsRect;

namespace {

// The main menu, shown again; its activation unloads this page.
void ShowMainMenu()
{
    platform::ShowForm(QStringLiteral("frmMMenu"));
}

} // namespace

frmMHELP::frmMHELP() : platform::Form(QStringLiteral("frmMHELP"))
{
    setWindowTitle(QStringLiteral("SETUP  HELP"));
    setFixedSize(Px(11880), Px(8190));
    SetDesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);

    m_picture2 = new HelpPrintArea(this);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_picture2->setGeometry(TwipsRect(1320, 1200, 6735, 3855));

    m_cmdMHelp = new QPushButton(QStringLiteral("OK"), this);
    m_cmdMHelp->setObjectName(QStringLiteral("cmdMHelp"));
    m_cmdMHelp->setGeometry(TwipsRect(3900, 5775, 1140, 465));
    m_cmdMHelp->setFont(platform::DesignFont(QStringLiteral("Times New Roman"), 9.75, true));
    connect(m_cmdMHelp, &QPushButton::clicked, this, &frmMHELP::cmdMHelp_Click);
}

const QStringList& frmMHELP::PageLines()
{
    static const QStringList lines{
        QStringLiteral("   Setup Help is provided when 'View' is selected. "),
        QStringLiteral("   There are two viewing modes."),
        QStringLiteral("      1. Setup.  "),
        QStringLiteral("         When Setup is selected, Help is provided by selecting a function"),
        QStringLiteral("         while Viewing the Setup (Pages 1,2 or 3) and pressing the F1 key."),
        QString(),
        QStringLiteral("      2. Menu (Corresponds to the Counter front panel menu display). "),
        QStringLiteral("         When Menu is selected, Help is provided automatically when one of"),
        QStringLiteral("         the Menu items is selected."),
    };
    return lines;
}

void frmMHELP::Form_Activate()
{
    QList<HelpLine> lines;
    for (const QString& line : PageLines())
        lines.append(line.isEmpty() ? HelpLine() : HelpLine{{line, false}});
    m_picture2->Cls();
    m_picture2->PrintLines(lines, font());
    HelpTopic = 3101;
    unsetCursor();
}

void frmMHELP::cmdMHelp_Click()
{
    setCursor(Qt::WaitCursor);
    ShowMainMenu();
    unsetCursor();
}

void frmMHELP::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    // The main menu hid itself for this page: when the page goes by other
    // means than the menu's own activation (the close box), the menu must
    // come back or the program would be left without a visible window.
    platform::Form* menu = platform::Find(QStringLiteral("frmMMenu"));
    if (!menu || !menu->isVisible())
        ShowMainMenu();
}

} // namespace mainmenu
