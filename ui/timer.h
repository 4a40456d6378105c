#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, through WM_TIMER
// on a message-only window of the creating thread, so the events arrive in
// that thread's message loop (the modal loop of a dialog included).

#include <memory>

#include "ui/component.h"
#include "ui/utility_window.h"

namespace ui {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;
    void Loaded() override;

private:
    void UpdateTimer();

    bool enabled_ = true;
    UINT interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<detail::UtilityWindow> window_;
};

}  // namespace ui
