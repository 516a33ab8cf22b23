#pragma once
// When a window's activation handler is due.
//
// The windows do their refresh work (the main menu unloads the windows it
// opened, the setup pages refill themselves) each time they become the
// active window of the program: when shown, when another window of the
// program closes or hides and they are active again, and after a modal
// window closes. Qt's own window activation also fires when the user merely
// comes back from another application, which must not redo that work. The
// rule is kept here, apart from any widget, so that it can be tested alone:
//
//  - a window's activation is due when it becomes the program's active
//    window and the program's last active window was another one;
//  - a window that was hidden or unloaded since counts as new again;
//  - gaps in which no window of the program is active (another application
//    has the focus, or a window that is no form such as a message box) are
//    not changes: the last active window stays what it was.

namespace platform {

class ActivationTracker {
public:
    // The program's active window is now `window` (nullptr: none of the
    // program's forms). Returns true when its activation handler is due.
    bool Activated(const void* window)
    {
        if (!window || window == last_)
            return false;
        last_ = window;
        return true;
    }

    // `window` was hidden by the program or unloaded: its next activation is
    // due even if no other window was active in between.
    void Hidden(const void* window)
    {
        if (window == last_)
            last_ = nullptr;
    }

    const void* Last() const { return last_; }

private:
    const void* last_ = nullptr;
};

} // namespace platform
