// The window life cycle of the program on Qt (see Forms.h and Activation.h
// for the rules and why Qt needs help with them).

#include "platform/Forms.h"

#include "platform/Activation.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QList>
#include <QWindow>

namespace platform {

namespace {

struct Registry {
    QList<Form*> forms; // every Form object alive, loaded or pending deletion
    QHash<QString, FormFactory> factories;
    ActivationTracker tracker;
    bool ending = false;
    // Windows the program activated itself, whose report from the window
    // system is still to come (see FormAccess::ExpectReport).
    QList<QPair<QPointer<Form>, qint64>> expectedReports;
    QElapsedTimer clock;
};

Registry& R()
{
    static Registry registry;
    if (!registry.clock.isValid())
        registry.clock.start();
    return registry;
}

// A report that has not come by then is not coming (the window system may
// refuse or skip an activation); the entry must not swallow a later click.
constexpr qint64 ReportWaitMs = 1000;

} // namespace

// Gives the registry functions access to a form's handlers and flags.
struct FormAccess {
    static bool Loaded(const Form* f) { return !f->unloading_; }
    static bool Unloading(const Form* f) { return f->unloading_; }
    static void SetUnloading(Form* f, bool on) { f->unloading_ = on; }

    static void FinishLoad(Form* f)
    {
        if (f->loadRan_)
            return;
        f->loadRan_ = true;
        f->Form_Load();
    }

    // The program's active window is now f. The tracker learns it at once;
    // the activation handler, when due, runs at once (runNow) or from the
    // event loop, so that code after Show() goes on first: a window whose
    // activation runs a long polling loop must not hold up its opener.
    static void Became(Form* f, bool runNow)
    {
        if (!f || f->unloading_ || R().ending || !f->isVisible())
            return; // a late report for a window hidden or unloaded since
        if (!R().tracker.Activated(f))
            return;
        if (runNow) {
            f->Form_Activate();
            return;
        }
        QPointer<Form> p(f);
        QMetaObject::invokeMethod(
            f,
            [p] {
                if (p && !p->unloading_ && !R().ending && p->isVisible())
                    p->Form_Activate();
            },
            Qt::QueuedConnection);
    }

    // The program activates f itself and has told the tracker so. The
    // window system reports the activation later, after reports that were
    // already under way; those are stale, and the report of f itself is only
    // an echo. Without this, a window the program left a moment ago could
    // come back as "activated" once its late report arrived.
    static void ExpectReport(Form* f)
    {
        // Already active, or still the window system's focus window (some
        // platforms keep it on a window hidden and shown again): no report
        // will come.
        if (QApplication::activeWindow() == f
            || (f->windowHandle() && QGuiApplication::focusWindow() == f->windowHandle()))
            return;
        DropOldReports();
        R().expectedReports.append({f, R().clock.elapsed()});
    }

    // A report from the window system that f became active. True when it
    // is the echo of an activation the program made itself, or a report
    // overtaken by one (the program's own activations still wait for their
    // echo); false when the user, or the window system, chose f.
    static bool IsOwnOrStaleReport(Form* f)
    {
        DropOldReports();
        auto& list = R().expectedReports;
        for (int i = 0; i < list.size(); ++i) {
            if (list[i].first == f) {
                list.remove(0, i + 1); // earlier entries were overtaken
                return true;
            }
        }
        return !list.isEmpty();
    }

    static void DropOldReports()
    {
        auto& list = R().expectedReports;
        const qint64 now = R().clock.elapsed();
        list.removeIf([&](const auto& e) { return !e.first || now - e.second > ReportWaitMs; });
    }

    static bool Unload(Form* f)
    {
        bool cancel = false;
        f->Form_Unload(cancel);
        return !cancel;
    }

    static Form* LastActive()
    {
        const void* last = R().tracker.Last();
        for (Form* f : R().forms)
            if (f == last)
                return f;
        return nullptr;
    }
};

// Watches a form's native window, which sees each key before Qt hands it to
// the focused control. A separate object, so that a window's own event
// filters for its controls cannot switch key preview off by accident.
class KeyPreviewFilter : public QObject {
public:
    explicit KeyPreviewFilter(Form* form) : QObject(form), form_(form) {}

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress || !form_->KeyPreview() || form_->inPreviewDispatch_)
            return false;
        auto* key = static_cast<QKeyEvent*>(e);
        QPointer<Form> form(form_);
        QPointer<QObject> window(watched);
        if (form_->RunKeyDown(key)) {
            key->accept();
            return true;
        }
        if (!form || !window)
            return true;
        // Deliver the key now, marked as already previewed, so that the
        // form's own key handler does not run a second time when the
        // control passes the key on to it.
        form->inPreviewDispatch_ = true;
        QCoreApplication::sendEvent(window, e);
        if (form)
            form->inPreviewDispatch_ = false;
        return true;
    }

private:
    Form* form_;
};

// ---- Form -----------------------------------------------------------------

Form::Form(const QString& name) : QWidget(nullptr)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    R().forms.append(this);
}

Form::~Form()
{
    R().forms.removeAll(this);
    R().tracker.Hidden(this);
    if (modalLoop_)
        modalLoop_->quit();
}

void Form::Show()
{
    FormAccess::FinishLoad(this);
    if (unloading_ || R().ending)
        return;
    FormAccess::ExpectReport(this);
    show();
    raise();
    activateWindow();
    // Showing makes it the program's active window now, as on the system
    // the windows were written for. Qt reports the activation later (and not
    // in every case: a window hidden and shown again while it still held the
    // focus gets no new report on some platforms); the tracker ignores the
    // second report.
    FormAccess::Became(this, false);
}

void Form::ShowModal()
{
    FormAccess::FinishLoad(this);
    if (unloading_ || R().ending || modalLoop_)
        return;
    if (isVisible())
        hide(); // modality takes effect when a window is shown
    Form* back = FormAccess::LastActive();
    returnTo_ = back != this ? back : nullptr;
    setWindowModality(Qt::ApplicationModal);
    if (returnTo_ && returnTo_->isVisible()) {
        // Keeps the window manager from putting it behind its opener.
        winId();
        if (windowHandle() && returnTo_->windowHandle())
            windowHandle()->setTransientParent(returnTo_->windowHandle());
    }

    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<Form> self(this);
    FormAccess::ExpectReport(this);
    show();
    raise();
    activateWindow();
    FormAccess::Became(this, false);
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return;
    modalLoop_ = nullptr;
    setWindowModality(Qt::NonModal);
    if (windowHandle())
        windowHandle()->setTransientParent(nullptr);
}

void Form::SetClientSizeTwips(int width, int height)
{
    resize(Px(width), Px(height));
}

void Form::MoveTwips(int left, int top)
{
    move(Px(left), Px(top));
}

void Form::SetDesignFont(const QString& face, double points, bool bold)
{
    setFont(DesignFont(face, points, bold));
}

bool Form::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::WindowActivate: {
        // The user's choice of window, or the window system's late report of
        // a Show. While a modal window is up no other window can really be
        // active: such a report is stale.
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || modal == this) && !FormAccess::IsOwnOrStaleReport(this))
            FormAccess::Became(this, false);
        break;
    }
    case QEvent::Show:
        // Key preview watches the native window, which sees each key before
        // Qt hands it to the focused control.
        if (windowHandle() && windowHandle() != filteredHandle_) {
            if (!keyFilter_)
                keyFilter_ = new KeyPreviewFilter(this);
            if (filteredHandle_)
                filteredHandle_->removeEventFilter(keyFilter_);
            filteredHandle_ = windowHandle();
            filteredHandle_->installEventFilter(keyFilter_);
        }
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

bool Form::RunKeyDown(QKeyEvent* e)
{
    int code = KeyCode(e->key(), e->modifiers());
    if (code == 0)
        return false;
    Form_KeyDown(code, ShiftState(e->modifiers()));
    return code == 0;
}

void Form::keyPressEvent(QKeyEvent* e)
{
    if (!inPreviewDispatch_ && RunKeyDown(e)) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Form::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (e->spontaneous())
        return; // minimised: not hidden by the program
    R().tracker.Hidden(this);
    if (!modalLoop_)
        return;
    modalLoop_->quit();
    // The window that opened the modal one is active again at once, as on
    // the system the windows were written for: its activation runs before
    // the code that hid the modal window goes on.
    QPointer<Form> back = returnTo_;
    returnTo_ = nullptr;
    if (back && !back->unloading_ && !R().ending && back->isVisible()) {
        FormAccess::ExpectReport(back);
        back->activateWindow();
        FormAccess::Became(back, true);
    }
}

void Form::closeEvent(QCloseEvent* e)
{
    if (R().ending || unloading_) {
        e->accept();
        return;
    }
    // The close box unloads the window; Unload hides it (or not, when the
    // unload handler cancels).
    e->ignore();
    platform::Unload(this);
}

// ---- Registry -------------------------------------------------------------

void RegisterForm(const QString& name, FormFactory make)
{
    R().factories.insert(name, std::move(make));
}

namespace detail {

Form* FindIf(const std::function<bool(Form*)>& match)
{
    for (Form* f : R().forms)
        if (FormAccess::Loaded(f) && match(f))
            return f;
    return nullptr;
}

void FinishLoad(Form* form)
{
    if (form)
        FormAccess::FinishLoad(form);
}

} // namespace detail

Form* Find(const QString& name)
{
    return detail::FindIf([&](Form* f) { return f->objectName() == name; });
}

bool IsLoaded(const QString& name)
{
    return Find(name) != nullptr;
}

Form* Load(const QString& name)
{
    Form* form = Find(name);
    if (!form) {
        const auto it = R().factories.constFind(name);
        if (it == R().factories.constEnd() || !*it)
            return nullptr;
        form = (*it)();
        if (!form)
            return nullptr;
    }
    FormAccess::FinishLoad(form);
    return form;
}

void ShowForm(const QString& name)
{
    if (Form* form = Load(name))
        form->Show();
}

void Unload(const QString& name)
{
    Unload(Find(name));
}

void Unload(Form* form)
{
    if (!form || FormAccess::Unloading(form))
        return;
    QPointer<Form> f(form);
    FormAccess::SetUnloading(form, true); // from here on it is no longer loaded
    if (!FormAccess::Unload(form)) {
        if (f)
            FormAccess::SetUnloading(f, false);
        return;
    }
    if (!f)
        return;
    f->hide();
    R().tracker.Hidden(f.data());
    f->deleteLater();
}

// ---- Keys -----------------------------------------------------------------

int KeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return 112 + (qtKey - Qt::Key_F1);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // same codes as upper-case ASCII
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Period: return keypad ? 110 : 190;
    default: return 0;
    }
}

int ShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
           | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
           | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

// ---- End of the program ---------------------------------------------------

void CloseAllForms()
{
    QList<QPointer<Form>> going;
    for (Form* f : R().forms) {
        if (FormAccess::Unloading(f))
            continue;
        FormAccess::SetUnloading(f, true); // all first: no hide may activate another
        going.append(f);
    }
    for (const QPointer<Form>& f : going) {
        if (!f)
            continue;
        f->hide();
        R().tracker.Hidden(f.data());
        f->deleteLater();
    }
}

void EndProgram(int exitCode)
{
    if (R().ending)
        return;
    R().ending = true;
    CloseAllForms();
    QCoreApplication::exit(exitCode); // every running loop returns
    // and a loop not yet started ends at once
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

bool ProgramEnding()
{
    return R().ending;
}

} // namespace platform
