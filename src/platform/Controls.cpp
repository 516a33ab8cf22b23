// List, check-box and option-button rules of the windows on Qt widgets
// (see Controls.h for the rules and why Qt needs help with them).

#include "platform/Controls.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace platform {

// ---- ComboBox -------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    // With a placeholder Qt leaves an empty list unselected when the first
    // entry arrives; a blank one shows nothing, as an unselected list should.
    setPlaceholderText(QStringLiteral(" "));
    // activated() is Qt's signal for a user's pick, sent also when the pick
    // is the entry already shown; code changes never send it.
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

void ComboBox::AddItem(const QString& text)
{
    const int before = currentIndex();
    addItem(text);
    if (currentIndex() != before) { // in case a style or model chose one anyway
        const QSignalBlocker quiet(this);
        setCurrentIndex(before);
    }
}

void ComboBox::Clear()
{
    clear();
}

void ComboBox::SetListIndex(int index)
{
    if (index < -1 || index >= count())
        index = -1;
    setCurrentIndex(index);
    emit Click();
}

// ---- CheckBox -------------------------------------------------------------

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    setTristate(false);
    // clicked() comes only from the user (mouse or space bar), once per click.
    connect(this, &QCheckBox::clicked, this, [this](bool) { emit Click(); });
}

void CheckBox::SetValue(int value)
{
    const bool on = value != 0;
    if (on == isChecked())
        return;
    setChecked(on);
    emit Click();
}

// ---- OptionButton ---------------------------------------------------------

OptionButton::OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    // Qt's own exclusivity refuses to leave a group with nothing selected;
    // the group rule is kept here instead.
    setAutoExclusive(false);
}

void OptionButton::SetValue(bool value)
{
    if (!value) {
        setChecked(false);
        return;
    }
    if (QWidget* group = parentWidget()) {
        const auto siblings = group->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
        for (OptionButton* other : siblings)
            if (other != this)
                other->setChecked(false);
    }
    setChecked(true);
}

void OptionButton::nextCheckState()
{
    // A click selects; it never deselects (the group has no other way back).
    if (isChecked())
        return;
    SetValue(true);
    emit Click();
}

// ---- TextBox --------------------------------------------------------------

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    // The caret would suggest the box can be typed into.
    setCursor(Qt::PointingHandCursor);
}

void TextBox::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    pressed_ = e->button() == Qt::LeftButton;
}

void TextBox::mouseReleaseEvent(QMouseEvent* e)
{
    QPointer<TextBox> self(this);
    QLineEdit::mouseReleaseEvent(e);
    if (!self)
        return;
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            e->accept();
            emit Click();
            return;
        default:
            break;
        }
    }
    QLineEdit::keyPressEvent(e);
}

// ---- GotFocus -------------------------------------------------------------

namespace {

class FocusWatcher : public QObject {
public:
    FocusWatcher(QWidget* w, std::function<void()> handler) : QObject(w), handler_(std::move(handler))
    {
        w->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn && handler_)
            handler_();
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

void OnGotFocus(QWidget* w, std::function<void()> handler)
{
    if (w)
        new FocusWatcher(w, std::move(handler));
}

} // namespace platform
