#include "ui/edit.h"

#include "ui/form_reader.h"

namespace ui {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.baseClass = "EDIT";
    params.style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) params.style |= ES_READONLY;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::SetMaxLength(int maxLength)
{
    maxLength_ = maxLength;
    if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart() const
{
    if (!HandleAllocated()) return 0;
    DWORD start = 0;
    SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const
{
    if (!HandleAllocated()) return 0;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start)
{
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start);
}

void TCustomEdit::SetSelLength(int length)
{
    const int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void TCustomEdit::ClearSelection()
{
    SendMessageA(Handle(), WM_CLEAR, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
    SendMessageA(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
    SendMessageA(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
    SendMessageA(Handle(), WM_PASTE, 0, 0);
}

void TCustomEdit::SetTextBuf(const std::string& text)
{
    // The change is reported once, by CM_TEXTCHANGED, not also by EN_CHANGE.
    settingText_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{settingText_};
    TWinControl::SetTextBuf(text);
}

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& message)
{
    if (HIWORD(message.WParam) == EN_CHANGE && !settingText_) Change();
}

void TCustomEdit::CNCtlColor(TMessage& message)
{
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    SetBkColor(dc, ColorToRGB(Color()));
    message.Result = reinterpret_cast<LRESULT>(BrushHandle());
}

void TCustomEdit::CMTextChanged(TMessage& message)
{
    TWinControl::CMTextChanged(message);
    if (!Loading()) Change();
}

void TCustomEdit::CMEnter(TMessage& message)
{
    if (autoSelect_ && (controlState_ & csLButtonDown) == 0 &&
        (GetWindowLongA(Handle(), GWL_STYLE) & ES_MULTILINE) == 0) {
        SelectAll();
    }
    TWinControl::CMEnter(message);
}

void TCustomEdit::WMGetDlgCode(TMessage& message)
{
    message.LParam = 0;
    TWinControl::WMGetDlgCode(message);
    if (!wantReturns_) message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    if (wantTabs_) message.Result |= DLGC_WANTTAB;
    else message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
}

bool TCustomEdit::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "ReadOnly")) SetReadOnly(AsBool(property));
    else if (SameText(property.name, "MaxLength")) SetMaxLength(AsInt32(property));
    else if (SameText(property.name, "AutoSelect")) SetAutoSelect(AsBool(property));
    else if (SameText(property.name, "OnChange")) OnChange = context.Method<TNotifyEvent>(property);
    else return TWinControl::ReadProperty(context, property);
    return true;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner)
{
    SetBounds(0, 0, 185, 89);
    wantReturns_ = true;
}

void TMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (wordWrap_) params.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

bool TMemo::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "WordWrap")) {
        SetWordWrap(AsBool(property));
    } else if (SameText(property.name, "Lines.Strings")) {
        std::string text;
        for (const std::string& line : AsStrings(property)) {
            if (!text.empty()) text += "\r\n";
            text += line;
        }
        SetText(text);
    } else {
        return TCustomEdit::ReadProperty(context, property);
    }
    return true;
}

}  // namespace ui
