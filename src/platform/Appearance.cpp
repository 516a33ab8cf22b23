// Colour numbers and per-window mouse pointers on Qt (see Appearance.h).

#include "platform/Appearance.h"

#include "setup/Conventions.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

// The colour number the program set last is kept on the widget: the palette
// a style derives may round or shade it, and tests and accessibility
// tools read what the program meant.
constexpr const char* BackColorProperty = "backColor";
constexpr const char* ForeColorProperty = "foreColor";

enum class Kind { Filled, TextArea, ListFace, ButtonFace };

Kind KindOf(const QWidget* w)
{
    if (auto combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable() ? Kind::TextArea : Kind::ListFace;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w))
        return Kind::TextArea;
    // Check boxes and option buttons have no face of their own: their
    // background is the area around the mark, as with labels.
    if (qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QCheckBox*>(w)
        && !qobject_cast<const QRadioButton*>(w))
        return Kind::ButtonFace;
    return Kind::Filled;
}

QPalette::ColorRole BackRole(const QWidget* w)
{
    switch (KindOf(w)) {
    case Kind::TextArea: return QPalette::Base;
    case Kind::ListFace:
    case Kind::ButtonFace: return QPalette::Button;
    case Kind::Filled: break;
    }
    // Window for labels, frames and windows; Button for check boxes and
    // option buttons, whose filled background Qt takes from that role.
    return w->backgroundRole();
}

} // namespace

void SetBackColor(QWidget* w, quint32 color)
{
    if (!w)
        return;
    w->setProperty(BackColorProperty, color & 0xFFFFFF);
    const QColor c = setup::ColorFromNumber(color);
    const Kind kind = KindOf(w);
    QPalette pal = w->palette();
    pal.setColor(BackRole(w), c);
    if (kind == Kind::ListFace)
        pal.setColor(QPalette::Base, c); // the opened list
    w->setPalette(pal);
    if (kind == Kind::Filled)
        w->setAutoFillBackground(true);
}

quint32 BackColor(const QWidget* w)
{
    if (!w)
        return 0;
    const QVariant set = w->property(BackColorProperty);
    if (set.isValid())
        return set.toUInt();
    return setup::NumberFromColor(w->palette().color(BackRole(w)));
}

void SetForeColor(QWidget* w, quint32 color)
{
    if (!w)
        return;
    w->setProperty(ForeColorProperty, color & 0xFFFFFF);
    const QColor c = setup::ColorFromNumber(color);
    QPalette pal = w->palette();
    // All colour groups: a greyed list keeps the colour the window chose.
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(role, c);
    w->setPalette(pal);
}

quint32 ForeColor(const QWidget* w)
{
    if (!w)
        return 0;
    const QVariant set = w->property(ForeColorProperty);
    if (set.isValid())
        return set.toUInt();
    const QPalette::ColorRole role = KindOf(w) == Kind::TextArea ? QPalette::Text : w->foregroundRole();
    return setup::NumberFromColor(w->palette().color(role));
}

void SetMousePointer(QWidget* w, MousePointer pointer)
{
    if (!w)
        return;
    QWidget* window = w->window();
    if (pointer == MousePointer::Hourglass)
        window->setCursor(Qt::WaitCursor);
    else
        window->unsetCursor();
}

MousePointer GetMousePointer(const QWidget* w)
{
    if (!w)
        return MousePointer::Default;
    const QWidget* window = w->window();
    return window->testAttribute(Qt::WA_SetCursor) && window->cursor().shape() == Qt::WaitCursor
               ? MousePointer::Hourglass
               : MousePointer::Default;
}

} // namespace platform
