#include "help/HelpViewer.h"

#include "help/HelpFiles.h"
#include "help/HelpState.h"
#include "help/frmAppHelp.h"
#include "setup/Conventions.h"
#include "setup/EntryHandoff.h"
#include "setup/ModeModel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace help {

std::function<void()> ResetMenuViewGrid;

namespace {
QString helpFolderOverride;
} // namespace

QString HelpFolder()
{
    return helpFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                        : helpFolderOverride;
}

void SetHelpFolder(const QString& folder)
{
    helpFolderOverride = folder;
}

void DropValueEntry()
{
    setup::EntryActive = 0;
    if (auto* box = qobject_cast<QLineEdit*>(setup::EntryBox.data())) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, setup::ColorFromNumber(setup::ColorWhite));
        box->setPalette(p);
        setup::EntryBox = nullptr;
    }
}

void ShowHelpModal()
{
    platform::Load<frmAppHelp>()->ShowModal();
}

void ShowHelpText(QWidget* curForm)
{
    setup::EntryActive = 0;
    QLabel* label = qobject_cast<QLabel*>(curForm);
    if (!label && curForm)
        label = curForm->findChild<QLabel*>(QStringLiteral("lblText"));
    if (!label)
        return;
    label->setTextFormat(Qt::PlainText);
    label->setText(PlainHelpText(HelpTopicText(HelpFolder(), HelpTopic)));
}

} // namespace help
