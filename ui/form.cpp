#include "ui/form.h"

#include <algorithm>
#include <vector>

#include "ui/application.h"

namespace ui {

namespace {

bool IsSelfOrAncestor(const TControl* ancestor, const TControl* control)
{
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == ancestor) return true;
    }
    return false;
}

// The calling thread's visible, enabled top-level windows and the form's
// owner window are disabled while a form is modal, and enabled again after.
class ModalDisabler {
public:
    ModalDisabler(HWND form, HWND owner) : form_(form)
    {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
        if (owner != nullptr && IsWindow(owner) != 0 && IsWindowEnabled(owner) != 0 &&
            std::find(disabled_.begin(), disabled_.end(), owner) == disabled_.end()) {
            disabled_.push_back(owner);
        }
        for (HWND window : disabled_) EnableWindow(window, FALSE);
    }
    ModalDisabler(const ModalDisabler&) = delete;
    ModalDisabler& operator=(const ModalDisabler&) = delete;
    ~ModalDisabler() { Restore(); }

    void Restore()
    {
        for (HWND window : disabled_) {
            if (IsWindow(window) != 0) EnableWindow(window, TRUE);
        }
        disabled_.clear();
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM context)
    {
        auto* self = reinterpret_cast<ModalDisabler*>(context);
        if (window != self->form_ && IsWindowVisible(window) != 0 && IsWindowEnabled(window) != 0) {
            self->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND form_;
    std::vector<HWND> disabled_;
};

}  // namespace

TForm::TForm(TComponent* owner) : TCustomControl(owner)
{
    visible_ = false;
    controlStyle_ |= csAcceptsControls;
}

TForm::~TForm() = default;

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    borderStyle_ = style;
    if (!Loading()) ApplyClientSize();
}

void TForm::SetClientWidth(int width)
{
    clientWidth_ = width;
    if (!Loading()) ApplyClientSize();
}

void TForm::SetClientHeight(int height)
{
    clientHeight_ = height;
    if (!Loading()) ApplyClientSize();
}

int TForm::ClientWidth() const
{
    if (HandleAllocated()) return TCustomControl::ClientWidth();
    return clientWidth_ >= 0 ? clientWidth_ : Width() - FrameSize().cx;
}

int TForm::ClientHeight() const
{
    if (HandleAllocated()) return TCustomControl::ClientHeight();
    return clientHeight_ >= 0 ? clientHeight_ : Height() - FrameSize().cy;
}

SIZE TForm::FrameSize() const
{
    TCreateParams params;
    const_cast<TForm*>(this)->CreateParams(params);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, params.style, FALSE, params.exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TForm::ApplyClientSize()
{
    if (clientWidth_ < 0 && clientHeight_ < 0) return;
    SIZE frame = FrameSize();
    if (HandleAllocated()) {
        RECT window{};
        RECT client{};
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        frame = SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
    }
    const int width = clientWidth_ >= 0 ? clientWidth_ + frame.cx : Width();
    const int height = clientHeight_ >= 0 ? clientHeight_ + frame.cy : Height();
    SetBounds(Left(), Top(), width, height);
    if (HandleAllocated()) {
        clientWidth_ = -1;
        clientHeight_ = -1;
    }
}

void TForm::CenterOnScreen()
{
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2,
              Width(), Height());
}

void TForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.exStyle = 0;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
        break;
    case TFormBorderStyle::bsSingle:
        params.style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsSizeable:
        params.style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
        break;
    case TFormBorderStyle::bsDialog:
        params.style |= WS_CAPTION | WS_SYSMENU;
        params.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (!Enabled()) params.style |= WS_DISABLED;
    params.parent = ParentWindow();
}

void TForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    // The platform's frame may differ from the estimate made without a window.
    ApplyClientSize();
}

void TForm::Loaded()
{
    TCustomControl::Loaded();
    ApplyClientSize();
}

void TForm::SetVisible(bool visible)
{
    if (Loading()) {
        visible_ = visible;
        return;
    }
    if (visible) {
        HandleNeeded();
        if (position_ == TPosition::poScreenCenter) CenterOnScreen();
        visible_ = true;
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        const HWND focus = GetFocus();
        if (focus != Handle() && IsChild(Handle(), focus) == 0) ::SetFocus(Handle());
        if (OnShow) OnShow(this);
    } else {
        if (!visible_) return;
        if (OnHide) OnHide(this);
        visible_ = false;
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    }
}

void TForm::SetFocus()
{
    if (HandleAllocated() && IsWindowVisible(Handle()) != 0) ::SetFocus(Handle());
}

void TForm::SetModalResult(TModalResult result)
{
    modalResult_ = result;
    // A result set inside a sent message must still wake the modal loop.
    if (modal_ && result != mrNone && HandleAllocated()) PostMessageA(Handle(), WM_NULL, 0, 0);
}

TModalResult TForm::ShowModal()
{
    if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HandleNeeded();

    struct ModalScope {
        TForm& form;
        HWND previousActive = GetActiveWindow();
        ModalDisabler disabler;
        ModalScope(TForm& f) : form(f), disabler(f.Handle(), f.ParentWindow()) { form.modal_ = true; }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
        ~ModalScope()
        {
            // The owner is enabled before the form hides, so that the
            // activation goes back to it.
            disabler.Restore();
            try {
                form.Hide();
            } catch (...) {
                Application().HandleException(&form);
            }
            form.modal_ = false;
            if (previousActive != nullptr && IsWindow(previousActive) != 0) SetActiveWindow(previousActive);
        }
    } scope(*this);

    modalResult_ = mrNone;
    Show();
    while (modalResult_ == mrNone) {
        if (!Application().HandleMessage() || !HandleAllocated()) {
            modalResult_ = mrCancel;
            break;
        }
        if (modalResult_ != mrNone) CloseModal();
    }
    return modalResult_;
}

void TForm::CloseModal()
{
    try {
        TCloseAction action = TCloseAction::caNone;
        if (CloseQuery()) {
            action = TCloseAction::caHide;
            DoClose(action);
        }
        if (action == TCloseAction::caNone) modalResult_ = mrNone;
    } catch (...) {
        // The form closes with the result it has; the failure is shown.
        Application().HandleException(this);
    }
}

void TForm::Close()
{
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application().MainForm() == this) {
        Application().Terminate();
    } else {
        Hide();
    }
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose) OnClose(this, action);
}

void TForm::WMClose(TMessage&)
{
    Close();
}

void TForm::WMSetFocus(TMessage& message)
{
    DefaultHandler(message);
    TWinControl* target = activeControl_ != nullptr && activeControl_->CanFocus()
                              ? activeControl_
                              : FindNextControl(nullptr, true, true, false);
    if (target != nullptr) ::SetFocus(target->Handle());
}

void TForm::SetActiveControl(TWinControl* control)
{
    activeControl_ = control;
    if (control != nullptr && HandleAllocated() && IsWindowVisible(Handle()) != 0) ::SetFocus(control->Handle());
}

void TForm::FocusControl(TWinControl* control)
{
    if (HandleAllocated() && IsWindowVisible(Handle()) != 0) {
        ::SetFocus(control->Handle());
    } else {
        activeControl_ = control;
    }
}

void TForm::SetFocusedControl(TWinControl* control)
{
    activeControl_ = control;
    if (control == focusedControl_) return;
    TWinControl* const previous = focusedControl_;
    focusedControl_ = control;
    if (previous != nullptr) {
        for (TWinControl* c = previous; c != nullptr && c != this && !IsSelfOrAncestor(c, control); c = c->Parent()) {
            c->Perform(CM_EXIT);
        }
    }
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c != nullptr && c != this; c = c->Parent()) {
        if (previous == nullptr || !IsSelfOrAncestor(c, previous)) entered.push_back(c);
    }
    for (auto it = entered.rbegin(); it != entered.rend(); ++it) (*it)->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::ForgetControl(TWinControl* control)
{
    if (activeControl_ != nullptr && IsSelfOrAncestor(control, activeControl_)) activeControl_ = nullptr;
    if (focusedControl_ != nullptr && IsSelfOrAncestor(control, focusedControl_)) focusedControl_ = nullptr;
}

void TForm::CMDialogKey(TMessage& message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (activeControl_ != nullptr && activeControl_->Parent() != nullptr) {
                activeControl_->Parent()->SelectNext(activeControl_,
                                                     message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
                message.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
    }
    TCustomControl::CMDialogKey(message);
}

void TForm::RegisterMethod(std::string name, FormMethod method)
{
    methods_.insert_or_assign(std::move(name), std::move(method));
}

const FormMethod* TForm::FindMethod(std::string_view name) const
{
    for (const auto& [key, method] : methods_) {
        if (SameText(key, name)) return &method;
    }
    return nullptr;
}

void TForm::ReadForm(const char* resourceName, std::span<const ComponentClass> extraClasses)
{
    ReadComponentResource(*this, resourceName, extraClasses);
    if (OnCreate) OnCreate(this);
}

void TForm::ReadFormText(std::string_view text, std::span<const ComponentClass> extraClasses)
{
    ReadComponentText(*this, text, extraClasses);
    if (OnCreate) OnCreate(this);
}

bool TForm::ReadProperty(ReadContext& context, const FormProperty& property)
{
    const std::string& name = property.name;
    if (SameText(name, "BorderStyle")) {
        SetBorderStyle(AsEnum<TFormBorderStyle>(property, {{"bsNone", TFormBorderStyle::bsNone},
                                                           {"bsSingle", TFormBorderStyle::bsSingle},
                                                           {"bsSizeable", TFormBorderStyle::bsSizeable},
                                                           {"bsDialog", TFormBorderStyle::bsDialog}}));
    } else if (SameText(name, "Position")) {
        SetPosition(AsEnum<TPosition>(
            property, {{"poDesigned", TPosition::poDesigned}, {"poScreenCenter", TPosition::poScreenCenter}}));
    } else if (SameText(name, "ClientWidth")) {
        SetClientWidth(AsInt32(property));
    } else if (SameText(name, "ClientHeight")) {
        SetClientHeight(AsInt32(property));
    } else if (SameText(name, "PixelsPerInch")) {
        if (AsInt32(property) != kPixelsPerInch) {
            throw EReadError(ReadContext::Where(property) + "layouts are made at 96 pixels per inch");
        }
    } else if (SameText(name, "TextHeight")) {
        AsInt32(property);  // recorded by the layout's author; the font decides
    } else if (SameText(name, "ActiveControl")) {
        context.Fixup(property, [this](TComponent* c) { activeControl_ = dynamic_cast<TWinControl*>(c); });
    } else if (SameText(name, "OnCreate")) {
        OnCreate = context.Method<TNotifyEvent>(property);
    } else if (SameText(name, "OnShow")) {
        OnShow = context.Method<TNotifyEvent>(property);
    } else if (SameText(name, "OnHide")) {
        OnHide = context.Method<TNotifyEvent>(property);
    } else if (SameText(name, "OnCloseQuery")) {
        OnCloseQuery = context.Method<TCloseQueryEvent>(property);
    } else if (SameText(name, "OnClose")) {
        OnClose = context.Method<TCloseEvent>(property);
    } else {
        return TCustomControl::ReadProperty(context, property);
    }
    return true;
}

}  // namespace ui
