#pragma once
// Lists, check boxes and option buttons that behave the way the windows
// expect, on top of Qt's own widgets.
//
// The windows rely on a cascade: setting a list's selection or a check box's
// value from code runs that control's Click handler at once, before the next
// statement, and the pages fill their lists without any entry being chosen
// until they choose one. Qt differs on each point: QComboBox picks entry 0 on
// the first insert and signals only real changes, QCheckBox::setChecked
// emits no click, and an exclusive QButtonGroup can never be left with
// nothing selected. These classes restore the expected rules; connect the
// window's handler to their Click() signal.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <utility>

namespace platform {

// A drop-down list (fixed entries, no typing).
//  - AddItem never selects: after filling, ListIndex() is -1.
//  - SetListIndex(i) runs Click exactly once, also when i is already
//    selected; an index outside the list leaves nothing selected (-1) and
//    still runs Click, so a handler sees every assignment the window makes.
//  - Clear() empties the list, ListIndex -1, no Click.
//  - A pick by the user (mouse, keys, wheel) runs Click exactly once.
// Calling Qt's own setCurrentIndex() changes the selection without a Click.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    void AddItem(const QString& text);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int index);
    QString Text() const { return currentIndex() < 0 ? QString() : currentText(); }

signals:
    void Click();
};

// A check box whose Value is 0 or 1.
//  - SetValue runs Click when the value changes (not when it stays).
//  - A click by the user (mouse or space) runs Click once.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& text = QString(), QWidget* parent = nullptr);

    int Value() const { return isChecked() ? 1 : 0; }
    void SetValue(int value); // any value but 0 checks the box

signals:
    void Click();
};

// An option button. The option buttons that share a parent widget form one
// group, in which at most one is selected and possibly none (a locked
// scaling pair shows neither of its choices).
//  - SetValue(true) selects this button and deselects the others of the
//    group; SetValue(false) deselects it. Neither runs Click: the pages set
//    Value while they redraw themselves, and a handler run from there would
//    store again what the page only shows (and redraw without end).
//  - A user click on an unselected button selects it and runs Click once;
//    a click on the selected one changes nothing and runs nothing.
//  - Enabled is QWidget's setEnabled / isEnabled.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& text = QString(), QWidget* parent = nullptr);

    bool Value() const { return isChecked(); }
    void SetValue(bool value);

signals:
    void Click();

protected:
    void nextCheckState() override;
};

// A value box: shows a value the user cannot type into. The value changes
// only through the value-entry dialog, which a click on the box opens, so
// that nothing is ever shown that was not stored.
//  - A mouse click (press and release on the box) runs Click.
//  - Enter or Space while it has the focus runs Click as well, so that the
//    box can be used without a mouse.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& t) { setText(t); }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool pressed_ = false;
};

// A control of a window, made on parent with its design name and its place
// (in pixels); args go to its constructor before the parent (a caption).
template <class T, class... Args>
T* MakeControl(QWidget* parent, const QString& name, const QRect& at, Args&&... args)
{
    auto* c = new T(std::forward<Args>(args)..., parent);
    c->setObjectName(name);
    c->setGeometry(at);
    return c;
}

// A push button whose click runs handler.
template <class Handler>
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, const QRect& at,
                        Handler&& handler)
{
    auto* b = MakeControl<QPushButton>(parent, name, at, text);
    QObject::connect(b, &QPushButton::clicked, parent, std::forward<Handler>(handler));
    return b;
}

// Runs handler each time w receives the keyboard focus (the GotFocus of the
// windows), whatever gave it the focus: a click, Tab, or the program.
void OnGotFocus(QWidget* w, std::function<void()> handler);

} // namespace platform
