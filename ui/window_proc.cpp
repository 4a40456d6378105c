#include "ui/window_proc.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <utility>

#include "ui/application.h"
#include "ui/module_instance.h"

namespace ui::detail {

namespace {

// The window whose CreateWindowEx runs on this thread; it is attached to the
// first message of the new window.
thread_local WindowTarget* t_creating = nullptr;

// Module-specific, so that a second copy of the layer in the same process
// (a host program and a DLL) never takes the other's windows for its own.
const char* TargetProperty()
{
    static const std::string name = [] {
        char text[48];
        std::snprintf(text, sizeof text, "SimUi.Target.%p", reinterpret_cast<void*>(&WindowProc));
        return std::string(text);
    }();
    return name.c_str();
}

struct WindowClass {
    std::string name;
    WNDPROC baseProc = DefWindowProcA;
};

// Registers each window class on first use and unregisters them when the
// module goes away, so that a DLL unloaded and loaded again never meets a
// class whose window procedure has gone.
class ClassRegistry {
public:
    ~ClassRegistry()
    {
        for (const auto& [base, cls] : classes_) UnregisterClassA(cls.name.c_str(), instance_);
    }

    WindowClass Find(const std::string& baseClass)
    {
        std::lock_guard lock(mutex_);
        instance_ = static_cast<HINSTANCE>(ModuleInstance());
        const auto found = classes_.find(baseClass);
        if (found != classes_.end()) return found->second;

        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        WindowClass cls;
        if (baseClass.empty()) {
            cls.name = "SimUi.Window";
            wc.style = CS_DBLCLKS;
            wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        } else {
            if (GetClassInfoExA(nullptr, baseClass.c_str(), &wc) == 0) {
                throw EOSError("window class " + baseClass + " not found", GetLastError());
            }
            cls.name = "SimUi." + baseClass;
            cls.baseProc = wc.lpfnWndProc;
            wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        }
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance_;
        wc.lpszClassName = cls.name.c_str();
        if (RegisterClassExA(&wc) == 0) {
            // Left over from an earlier load of this module: replace it.
            UnregisterClassA(cls.name.c_str(), instance_);
            if (RegisterClassExA(&wc) == 0) {
                throw EOSError("cannot register window class " + cls.name, GetLastError());
            }
        }
        return classes_.emplace(baseClass, cls).first->second;
    }

private:
    std::mutex mutex_;
    HINSTANCE instance_ = nullptr;
    std::map<std::string, WindowClass> classes_;
};

ClassRegistry& Registry()
{
    static ClassRegistry registry;
    return registry;
}

void Attach(HWND window, WindowTarget& target)
{
    SetPropA(window, TargetProperty(), &target);
    target.WindowCreated(window);
}

}  // namespace

WindowTarget* TargetOf(HWND window)
{
    if (window == nullptr) return nullptr;
    return static_cast<WindowTarget*>(GetPropA(window, TargetProperty()));
}

namespace {
BOOL CALLBACK DetachChild(HWND child, LPARAM)
{
    RemovePropA(child, TargetProperty());
    return TRUE;
}
}  // namespace

void DetachTargets(HWND window)
{
    EnumChildWindows(window, DetachChild, 0);
    RemovePropA(window, TargetProperty());
}

HWND CreateTargetWindow(WindowTarget& target, const WindowParams& params)
{
    const WindowClass cls = Registry().Find(params.baseClass);
    target.defaultProc_ = cls.baseProc;
    WindowTarget* const outer = std::exchange(t_creating, &target);
    HWND window = CreateWindowExA(params.exStyle, cls.name.c_str(), params.caption.c_str(), params.style, params.x, params.y,
                                  params.width, params.height, params.parent, nullptr,
                                  static_cast<HINSTANCE>(ModuleInstance()), nullptr);
    const DWORD error = GetLastError();
    t_creating = outer;
    if (window == nullptr) {
        throw EOSError("cannot create a window of class " + cls.name, error);
    }
    return window;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowTarget* target = TargetOf(window);
    if (target == nullptr) {
        target = std::exchange(t_creating, nullptr);
        if (target == nullptr) return DefWindowProcA(window, message, wParam, lParam);
        Attach(window, *target);
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcA(target->DefaultProc(), window, message, wParam, lParam);
        RemovePropA(window, TargetProperty());
        target->WindowDestroyed();
        return result;
    }
    if (target->Dying()) {
        return CallWindowProcA(target->DefaultProc(), window, message, wParam, lParam);
    }
    TMessage m{message, wParam, lParam, 0};
    try {
        target->ReceiveMessage(m);
    } catch (...) {
        m.Result = 0;
        if (message == WM_PAINT) ValidateRect(window, nullptr);  // or the failed paint comes back at once
        Application().HandleException(target->ExceptionSender());
    }
    return m.Result;
}

}  // namespace ui::detail
