// Message boxes and the beep on Qt. The windows were written against a
// message box that always belongs to the program's active window and carries
// the program's title when none is given; tests must be able to answer every
// box without a window ever appearing, so all boxes pass through here.

#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

MsgAnswerer& Answerer()
{
    static MsgAnswerer answerer;
    return answerer;
}

int& Beeps()
{
    static int count = 0;
    return count;
}

QMessageBox::Icon QtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString ProgramTitle()
{
    // An application that names itself for display wins; otherwise Qt would
    // fall back to the executable's file name, which is no title.
    const QString display = QGuiApplication::applicationDisplayName();
    if (!display.isEmpty() && display != QCoreApplication::applicationName())
        return display;
    return QStringLiteral("Counter Setup");
}

MsgResult MsgBox(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
                 QWidget* parent)
{
    const QString shownTitle = title.isEmpty() ? ProgramTitle() : title;
    if (Answerer())
        return Answerer()(ShownMessage{text, shownTitle, buttons, icon});

    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(QtIcon(icon), shownTitle, text, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::ApplicationModal);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Cancel: return MsgResult::Cancel;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: break;
    }
    // Closed without a button: the escape answer of each kind.
    switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::OkCancel: return box.clickedButton() ? MsgResult::Ok : MsgResult::Cancel;
    case MsgButtons::YesNo: return MsgResult::No;
    }
    return MsgResult::Ok;
}

void Beep()
{
    ++Beeps();
    QApplication::beep();
}

int BeepCount()
{
    return Beeps();
}

void SetMsgAnswerer(MsgAnswerer answerer)
{
    Answerer() = std::move(answerer);
}

} // namespace platform
