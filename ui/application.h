#pragma once
// TApplication: the message loop of the layer's windows and its exception
// display. One object per module (Application()); it makes its own top-level
// window only when asked (Initialize), so a DLL that merely shows a dialog
// leaves no window behind.

#include <memory>
#include <string>

#include "ui/component.h"
#include "ui/utility_window.h"

namespace ui {

class TForm;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Creates the application's own hidden top-level window.
    void Initialize();
    // That window, or null before Initialize.
    HWND Handle() const;

    // The caption of message boxes; by default the module's file name
    // without its extension.
    std::string Title() const;
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Creates a form owned by the application; the first becomes the main form.
    template <class T>
    T* CreateForm()
    {
        T* form = new T(this);
        if (mainForm_ == nullptr) mainForm_ = form;
        return form;
    }
    // The first form made by CreateForm, while it exists.
    TForm* MainForm() const;

    // Shows the main form and processes messages until WM_QUIT, which it
    // consumes.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Waits for one message of the calling thread and processes it: keys for
    // dialog navigation go to the focused control first (CN_KEYDOWN), the
    // rest is translated and dispatched. Returns false for WM_QUIT, which is
    // posted again for the loops outside.
    bool HandleMessage();
    // Processes the messages that are waiting, without waiting.
    void ProcessMessages();

    // To be called inside a catch block: reports the exception in flight to
    // OnException when set, else with ShowException. Never throws.
    void HandleException(TObject* sender) noexcept;
    // The standard display: an error message box captioned with Title.
    void ShowException(const std::string& message) const;

    TExceptionEvent OnException;

private:
    bool IsKeyMsg(MSG& msg);
    void ProcessMessage(MSG& msg);

    std::unique_ptr<detail::UtilityWindow> window_;
    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

TApplication& Application();

}  // namespace ui
