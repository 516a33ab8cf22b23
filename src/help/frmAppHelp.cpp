#include "help/frmAppHelp.h"

#include "help/HelpFiles.h"
#include "help/HelpPrintArea.h"
#include "help/HelpViewer.h"
#include "help/HelpState.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

namespace help {

using platform::Px;
using platform::TwipsRect;

namespace {

constexpr int ClientWidthTwips = 5955;
constexpr int ClientHeightTwips = 8190;
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;

} // namespace

frmAppHelp::frmAppHelp() : platform::Form(QStringLiteral("frmAppHelp"))
{
    // Only OK takes the window away: no close, minimise or maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("APPLICATION  HELP"));
    setFixedSize(Px(ClientWidthTwips), Px(ClientHeightTwips));
    SetDesignFont(QStringLiteral("Arial"), 9);

    m_text = new HelpPrintArea(this);
    m_text->setObjectName(QStringLiteral("picText"));
    m_text->setGeometry(rect());

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    // Designed 1540 twips wide, the button would run 235 twips past the
    // window's right edge and be cut off; it ends just inside instead.
    constexpr int okLeft = 4650, okMargin = 60;
    m_cmdOK->setGeometry(TwipsRect(okLeft, 6685, ClientWidthTwips - okLeft - okMargin, 390));
    m_cmdOK->setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    m_cmdOK->setDefault(true); // Enter while it has the focus
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAppHelp::cmdOK_Click);
}

void frmAppHelp::Form_Activate()
{
    DropValueEntry();
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    const QString text = HelpTopicText(HelpFolder(), HelpTopic);
    m_text->Cls();
    if (HelpTopic == AsciiTableTopic)
        m_text->PrintLines(HelpTextLines(text, true),
                           platform::DesignFont(QStringLiteral("Courier New"), 9));
    else
        m_text->PrintLines(HelpTextLines(text, false),
                           platform::DesignFont(QStringLiteral("Arial"), 9));
    m_cmdOK->setEnabled(true);
}

void frmAppHelp::Form_KeyDown(int& keyCode, int shift)
{
    Q_UNUSED(shift);
    if (keyCode != KeyEscape && keyCode != KeyEnter)
        return;
    keyCode = 0;
    cmdOK_Click();
}

void frmAppHelp::cmdOK_Click()
{
    if (CtrMenuLoaded == 1 && ResetMenuViewGrid)
        ResetMenuViewGrid();
    // Hidden, not unloaded: the next showing finds it where the user left it.
    // Hiding a modal showing also returns to (and activates) its opener.
    hide();
}

void frmAppHelp::closeEvent(QCloseEvent* event)
{
    if (platform::ProgramEnding()) {
        platform::Form::closeEvent(event);
        return;
    }
    // A close request from the window system (there is no close box) acts
    // as OK, so that OK's steps always run and the window stays loaded.
    event->ignore();
    cmdOK_Click();
}

} // namespace help
