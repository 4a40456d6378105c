#include "ui/application.h"

#include <exception>

#include "ui/form.h"
#include "ui/module_instance.h"

namespace ui {

namespace {
// A failure while a message box already shows one would stack box on box.
thread_local bool t_showingException = false;
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

TApplication& Application()
{
    static TApplication application;
    return application;
}

void TApplication::Initialize()
{
    if (window_ != nullptr) return;
    detail::WindowParams params;
    params.caption = Title();
    params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
    window_ = std::make_unique<detail::UtilityWindow>(this, [](TMessage&) { return false; }, params);
}

HWND TApplication::Handle() const
{
    return window_ != nullptr ? window_->Handle() : nullptr;
}

std::string TApplication::Title() const
{
    if (!title_.empty()) return title_;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(static_cast<HMODULE>(ModuleInstance()), path, MAX_PATH);
    std::string name(path);
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.find_last_of('.'));
}

TForm* TApplication::MainForm() const
{
    for (int i = 0; i < ComponentCount(); ++i) {
        if (Components(i) == mainForm_) return mainForm_;
    }
    return nullptr;
}

void TApplication::Run()
{
    terminated_ = false;
    try {
        if (TForm* form = MainForm()) form->Show();
    } catch (...) {
        HandleException(this);
    }
    while (!terminated_) {
        try {
            if (!HandleMessage()) break;
        } catch (...) {
            HandleException(this);
        }
    }
    // This is the outermost loop: the quit message, posted again for outer
    // loops, ends here.
    MSG quit{};
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

bool TApplication::HandleMessage()
{
    MSG msg{};
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        terminated_ = true;
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got > 0) ProcessMessage(msg);
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ProcessMessage(msg);
    }
}

void TApplication::ProcessMessage(MSG& msg)
{
    if (IsKeyMsg(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool TApplication::IsKeyMsg(MSG& msg)
{
    if (msg.message != WM_KEYDOWN) return false;
    // The focused window or the nearest of its parents that is a control.
    for (HWND window = msg.hwnd; window != nullptr;
         window = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(window) : nullptr) {
        if (TWinControl* control = TWinControl::FindControl(window)) {
            try {
                return control->Perform(CN_KEYDOWN, msg.wParam, msg.lParam) != 0;
            } catch (...) {
                HandleException(control);
                return true;
            }
        }
    }
    return false;
}

void TApplication::HandleException(TObject* sender) noexcept
{
    try {
        std::string message = "Unknown exception";
        if (const std::exception_ptr current = std::current_exception()) {
            try {
                std::rethrow_exception(current);
            } catch (const std::exception& e) {
                message = e.what();
            } catch (...) {
            }
        }
        if (OnException) {
            OnException(sender, message);
        } else if (!t_showingException) {
            t_showingException = true;
            struct Reset {
                ~Reset() { t_showingException = false; }
            } reset;
            ShowException(message);
        }
    } catch (...) {
        // Nothing may leave: the caller is a window procedure.
    }
}

void TApplication::ShowException(const std::string& message) const
{
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBoxA(GetActiveWindow(), text.c_str(), Title().c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace ui
