#pragma once
// The layer's one window procedure. Every window the layer creates (its own
// windows and its superclasses of the system's EDIT, BUTTON, ... controls)
// runs WindowProc, which finds the object of the window through a window
// property and hands it each message. No exception leaves WindowProc: the
// application's exception display reports it, and the message returns 0.

#include <windows.h>

#include <string>

#include "ui/types.h"

namespace ui {
class TWinControl;
}

namespace ui::detail {

struct WindowParams;

class WindowTarget {
public:
    virtual ~WindowTarget() = default;

    // Handles one message and sets its Result; may throw.
    virtual void ReceiveMessage(TMessage& message) = 0;
    // The window exists; called with the first message, inside CreateWindowEx.
    virtual void WindowCreated(HWND window) = 0;
    // The window is gone (after WM_NCDESTROY).
    virtual void WindowDestroyed() = 0;
    // While true, messages get only the default processing.
    virtual bool Dying() const = 0;
    // The sender reported with an exception.
    virtual TObject* ExceptionSender() = 0;
    // The control behind the window, when it is one.
    virtual TWinControl* Control() { return nullptr; }

    WNDPROC DefaultProc() const { return defaultProc_; }

private:
    friend HWND CreateTargetWindow(WindowTarget&, const WindowParams&);
    WNDPROC defaultProc_ = DefWindowProcA;
};

struct WindowParams {
    std::string baseClass;  // empty: the layer's own window class; else a system class to superclass ("EDIT")
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
};

// Creates the window of target; throws EOSError when Windows refuses.
HWND CreateTargetWindow(WindowTarget& target, const WindowParams& params);

// The target of one of this module's windows, or null.
WindowTarget* TargetOf(HWND window);
// Forgets the target of window and of its descendants (for a window that
// could not be destroyed), so that no message reaches a destroyed object.
void DetachTargets(HWND window);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui::detail
