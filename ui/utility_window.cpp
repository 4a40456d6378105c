#include "ui/utility_window.h"

namespace ui::detail {

UtilityWindow::UtilityWindow(TObject* sender, Handler handler, const WindowParams& params)
    : sender_(sender), handler_(std::move(handler))
{
    CreateTargetWindow(*this, params);
}

UtilityWindow::~UtilityWindow()
{
    dying_ = true;
    if (window_ != nullptr) {
        HWND window = window_;
        if (DestroyWindow(window) == 0) DetachTargets(window);
    }
}

void UtilityWindow::ReceiveMessage(TMessage& message)
{
    if (!handler_(message)) {
        message.Result = CallWindowProcA(DefaultProc(), window_, message.Msg, message.WParam, message.LParam);
    }
}

}  // namespace ui::detail
