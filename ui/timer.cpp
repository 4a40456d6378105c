#include "ui/timer.h"

#include "ui/form_reader.h"

namespace ui {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    detail::WindowParams params;
    params.parent = HWND_MESSAGE;
    window_ = std::make_unique<detail::UtilityWindow>(
        this,
        [this](TMessage& message) {
            if (message.Msg != WM_TIMER || message.WParam != kTimerId) return false;
            if (onTimer_) onTimer_(this);
            return true;
        },
        params);
}

TTimer::~TTimer()
{
    KillTimer(window_->Handle(), kTimerId);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(UINT interval)
{
    if (interval == interval_) return;
    interval_ = interval;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    KillTimer(window_->Handle(), kTimerId);
    if (interval_ != 0 && enabled_ && onTimer_ && !Loading()) {
        if (SetTimer(window_->Handle(), kTimerId, interval_, nullptr) == 0) {
            throw EOSError("Not enough timers available", GetLastError());
        }
    }
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

bool TTimer::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "Enabled")) SetEnabled(AsBool(property));
    else if (SameText(property.name, "Interval")) SetInterval(static_cast<UINT>(AsInt32(property)));
    else if (SameText(property.name, "OnTimer")) SetOnTimer(context.Method<TNotifyEvent>(property));
    else return TComponent::ReadProperty(context, property);
    return true;
}

}  // namespace ui
