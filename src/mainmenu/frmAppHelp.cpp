#include "mainmenu/frmAppHelp.h"

#include "mainmenu/HelpFiles.h"
#include "mainmenu/HelpPrintArea.h"
#include "mainmenu/HelpViewer.h"
#include "mainmenu/MenuState.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

namespace mainmenu {

using platform::Px;
using platform::TwipsRect;

frmAppHelp::frmAppHelp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmAppHelp"));
    setWindowTitle(QStringLiteral("APPLICATION  HELP"));
    setFixedSize(Px(5955), Px(8190));
    setFont(platform::DesignFont(QStringLiteral("Arial"), 9));

    m_text = new HelpPrintArea(this);
    m_text->setObjectName(QStringLiteral("picText"));
    m_text->setGeometry(rect());

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(TwipsRect(4650, 6685, 1540, 390));
    m_cmdOK->setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    m_cmdOK->setDefault(true);
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

void frmAppHelp::cmdOK_Click()
{
    if (CtrMenuLoaded == 1 && ResetMenuViewGrid)
        ResetMenuViewGrid();
    done(QDialog::Accepted);
}

void frmAppHelp::reject()
{
    cmdOK_Click();
}

void frmAppHelp::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmAppHelp::closeEvent(QCloseEvent* event)
{
    // Only OK takes the window away, so that its OK steps always run.
    event->ignore();
    cmdOK_Click();
}

} // namespace mainmenu
