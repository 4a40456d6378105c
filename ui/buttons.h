#pragma once
// Controls over the system's BUTTON class: the push button with its default
// (Enter) and cancel (Escape) roles and its modal result, the check box and
// the radio button.

#include "ui/win_control.h"

namespace ui {

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    // Sets the form's modal result (when not mrNone), then fires OnClick.
    void Click() override;
    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& message) override;
    // Enter when this button is the active one (focused, or the default while
    // no button has the focus), Escape when it is the cancel button.
    void CMDialogKey(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;

private:
    void SetButtonStyle(bool isDefault);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

// What the check box and the radio button share: a checked state shown by the
// window and read from the layout as "Checked".
class TButtonControl : public TWinControl {
public:
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked) = 0;

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    explicit TButtonControl(TComponent* owner);
    void CreateWnd() override;
    // Stores the state and shows it in the window; false when it was already so.
    bool StoreChecked(bool checked);

    bool checked_ = false;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);

    // Fires OnClick when the state changes (outside loading).
    void SetChecked(bool checked) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CNCommand(TMessage& message) override;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);

    // Checking unchecks the sibling radio buttons and fires OnClick; the
    // checked button is the tab stop of its group.
    void SetChecked(bool checked) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CNCommand(TMessage& message) override;
    // Reached with the keyboard (Tab or arrows), the button checks itself.
    void WMSetFocus(TMessage& message) override;
};

}  // namespace ui
