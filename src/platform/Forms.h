#pragma once
// Windows ("forms") with the life cycle the program's windows were designed
// for, on Qt.
//
// Every window is created on first use and lives until it is unloaded;
// unloading runs its unload handler, and unloading a window that is not
// loaded does nothing. Windows are shown modeless or modal. Each time a
// window becomes the active window of the program its Form_Activate runs
// (see Activation.h for the rule; Qt's raw activation also fires when the
// user comes back from another application, which must not count). With
// key preview on, a window sees each key before the control that has the
// focus. Qt has none of this built in: a QWidget is created and deleted by
// its owner, and activation, key order and closing follow Qt's own rules.
//
// Window classes derive from Form, pass their name ("frmMMenu") to the
// constructor and override the handlers they need. They are reached through
// the registry below, by type (Load<frmSetup1>()) or, where a window must not
// depend on another window's code, by name (Unload("frmCmds")). A pointer
// to a window is good until the window is unloaded; after that, Load() gives
// a new one. Hiding is QWidget::hide(); the close box unloads.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <functional>

class QEventLoop;
class QKeyEvent;

namespace platform {

class KeyPreviewFilter;

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString& name);
    ~Form() override;

    QString Name() const { return objectName(); }

    // Shows the window modeless (loading it first if need be) and makes it
    // the active window; its Form_Activate runs from the event loop shortly after (not inside this
    // call), unless it was already the program's active window.
    void Show();
    // Shows the window modal and returns when it is hidden or unloaded. When
    // it goes, the window that was active before becomes active again at once
    // (its Form_Activate runs inside the hide or unload, before the code that
    // hid the modal window goes on).
    void ShowModal();
    bool IsShownModal() const { return modalLoop_ != nullptr; }

    void SetKeyPreview(bool on) { keyPreview_ = on; }
    bool KeyPreview() const { return keyPreview_; }

    // Size of the inside of the window and the window's place, in twips.
    void SetClientSizeTwips(int width, int height);
    void MoveTwips(int left, int top);
    // Font of the window, inherited by its controls (see Fonts.h).
    void SetDesignFont(const QString& face, double points, bool bold = false);

protected:
    // Handlers; the defaults do nothing.
    virtual void Form_Load() {}                  // once, when the registry creates it
    virtual void Form_Activate() {}              // see Show()/ShowModal()
    virtual void Form_Unload(bool& cancel) { Q_UNUSED(cancel); } // set cancel to stay
    // keyCode as the original key codes (see KeyCode()); shift as ShiftState().
    // With key preview on it runs before the focused control sees the key;
    // setting keyCode to 0 then keeps the key from the control.
    virtual void Form_KeyDown(int& keyCode, int shift) { Q_UNUSED(keyCode); Q_UNUSED(shift); }

    // A window that overrides one of these calls Form's as well.
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    friend struct FormAccess;
    friend class KeyPreviewFilter;
    bool RunKeyDown(QKeyEvent* e); // true: the handler swallowed the key

    bool loadRan_ = false;
    bool unloading_ = false;
    bool keyPreview_ = false;
    bool inPreviewDispatch_ = false;
    QPointer<QWindow> filteredHandle_;
    QObject* keyFilter_ = nullptr;
    QEventLoop* modalLoop_ = nullptr;
    QPointer<Form> returnTo_; // active before this window was shown modal
};

// ---- Registry -------------------------------------------------------------

// For windows reached by name (so that a caller needs no header of theirs).
using FormFactory = std::function<Form*()>;
void RegisterForm(const QString& name, FormFactory make);

// The loaded window of that name, or nullptr; never creates one.
Form* Find(const QString& name);
bool IsLoaded(const QString& name);
// The loaded window, created on first use (Form_Load runs then); nullptr
// when no window of that name is loaded and none is registered.
Form* Load(const QString& name);
// Runs the window's Form_Unload, then hides and destroys it (destruction is
// deferred to the event loop, so a window may unload itself from its own
// handler). Not loaded, or already unloading: nothing happens.
void Unload(const QString& name);
void Unload(Form* form);
// Loads the window of that name if need be and shows it modeless; nothing
// when no such window is registered. The windows return to the main menu
// ("frmMMenu") this way, without depending on its code.
void ShowForm(const QString& name);

namespace detail {
Form* FindIf(const std::function<bool(Form*)>& match);
void FinishLoad(Form* form);
} // namespace detail

template <class T> T* Find()
{
    return static_cast<T*>(detail::FindIf([](Form* f) { return dynamic_cast<T*>(f) != nullptr; }));
}
template <class T> bool IsLoaded() { return Find<T>() != nullptr; }
template <class T> T* Load()
{
    T* form = Find<T>();
    if (!form)
        form = new T();
    detail::FinishLoad(form);
    return form;
}
template <class T> void Unload() { Unload(Find<T>()); }

// ---- Keys -----------------------------------------------------------------

// The original key code of a Qt key: F1..F12 = 112..123, A..Z = 65..90,
// 0..9 = 48..57, Enter 13, Esc 27, Tab 9, Backspace 8, Space 32, PgUp 33,
// PgDn 34, End 35, Home 36, Left 37, Up 38, Right 39, Down 40, Insert 45,
// Delete 46, Shift 16, Ctrl 17, Alt 18, keypad digits 96..105, "." 190
// (keypad 110); other keys 0.
int KeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// 1 Shift + 2 Ctrl + 4 Alt.
int ShiftState(Qt::KeyboardModifiers modifiers);

// ---- End of the program ---------------------------------------------------

// Ends the program at once: every window goes without its unload handler and
// every event loop is told to return. Waiting loops that poll the event loop
// should stop when ProgramEnding() is true.
void EndProgram(int exitCode = 0);
bool ProgramEnding();
// Hides and destroys every window without unload handlers (deferred to the
// event loop); EndProgram uses it, tests use it to start clean.
void CloseAllForms();

} // namespace platform
