#include "ui/buttons.h"

#include "ui/form.h"

namespace ui {

namespace {

TShiftState DialogKeyShift(LPARAM keyData)
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if ((keyData & 0x20000000) != 0) shift |= ssAlt;
    return shift;
}

}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    if (HandleAllocated()) {
        if (TForm* form = GetParentForm(this)) {
            TWinControl* focused = form->ActiveControl();
            active_ = dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_;
        }
        SetButtonStyle(active_);
    }
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd()
{
    TWinControl::CreateWnd();
    active_ = default_;
}

void TButton::SetButtonStyle(bool isDefault)
{
    if (!HandleAllocated()) return;
    const DWORD style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)) & 0xF) != style) {
        SendMessageA(Handle(), BM_SETSTYLE, style, TRUE);
    }
}

void TButton::Click()
{
    if (modalResult_ != mrNone) {
        if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    }
    TWinControl::Click();
}

void TButton::CNCommand(TMessage& message)
{
    if (HIWORD(message.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& message)
{
    const bool enter = message.WParam == VK_RETURN && active_;
    const bool escape = message.WParam == VK_ESCAPE && cancel_;
    if ((enter || escape) && DialogKeyShift(message.LParam) == 0 && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(message);
}

void TButton::CMFocusChanged(TMessage& message)
{
    auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
    active_ = dynamic_cast<TButton*>(focused) != nullptr ? focused == this : default_;
    SetButtonStyle(active_);
    TWinControl::CMFocusChanged(message);
}

bool TButton::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "Default")) SetDefault(AsBool(property));
    else if (SameText(property.name, "Cancel")) SetCancel(AsBool(property));
    else if (SameText(property.name, "ModalResult")) SetModalResult(AsInt32(property));
    else return TWinControl::ReadProperty(context, property);
    return true;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = csSetCaption | csDoubleClicks;
}

void TButtonControl::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::StoreChecked(bool checked)
{
    if (checked == checked_) return false;
    checked_ = checked;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool TButtonControl::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "Checked")) SetChecked(AsBool(property));
    else return TWinControl::ReadProperty(context, property);
    return true;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style |= BS_CHECKBOX;
}

void TCheckBox::SetChecked(bool checked)
{
    if (StoreChecked(checked) && !Loading()) Click();
}

void TCheckBox::CNCommand(TMessage& message)
{
    if (HIWORD(message.WParam) == BN_CLICKED) SetChecked(!checked_);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.baseClass = "BUTTON";
    params.style |= BS_RADIOBUTTON;
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == checked_) return;
    SetTabStop(checked);
    StoreChecked(checked);
    if (!checked) return;
    if (Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!Loading()) Click();
}

void TRadioButton::CNCommand(TMessage& message)
{
    if (HIWORD(message.WParam) == BN_CLICKED) SetChecked(true);
    else if (HIWORD(message.WParam) == BN_DOUBLECLICKED) DblClick();
}

void TRadioButton::WMSetFocus(TMessage& message)
{
    TWinControl::WMSetFocus(message);
    if (!checked_ && (controlState_ & csLButtonDown) == 0) SetChecked(true);
}

}  // namespace ui
