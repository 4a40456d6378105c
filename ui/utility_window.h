#pragma once
// A window of the layer with no control behind it: the timers' message-only
// windows and the application's own top-level window. Its messages pass
// through the layer's window procedure and its exception barrier.

#include <functional>

#include "ui/window_proc.h"

namespace ui::detail {

class UtilityWindow : private WindowTarget {
public:
    // handler returns true when it handled the message.
    using Handler = std::function<bool(TMessage&)>;

    UtilityWindow(TObject* sender, Handler handler, const WindowParams& params);
    UtilityWindow(const UtilityWindow&) = delete;
    UtilityWindow& operator=(const UtilityWindow&) = delete;
    ~UtilityWindow() override;

    HWND Handle() const { return window_; }

private:
    void ReceiveMessage(TMessage& message) override;
    void WindowCreated(HWND window) override { window_ = window; }
    void WindowDestroyed() override { window_ = nullptr; }
    bool Dying() const override { return dying_; }
    TObject* ExceptionSender() override { return sender_; }

    TObject* sender_;
    Handler handler_;
    HWND window_ = nullptr;
    bool dying_ = false;
};

}  // namespace ui::detail
