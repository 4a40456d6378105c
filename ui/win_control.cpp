#include "ui/win_control.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/form.h"
#include "ui/form_reader.h"

namespace ui {

namespace {

bool IsPrivateMessage(UINT message)
{
    return message >= CM_BASE && message < 0xC000;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    MarkDestroying();
    if (TForm* form = GetParentForm(this); form != nullptr && form != this) form->ForgetControl(this);
    DestroyHandle();
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
}

TWinControl* TWinControl::FindControl(HWND window)
{
    detail::WindowTarget* target = detail::TargetOf(window);
    return target != nullptr ? target->Control() : nullptr;
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_ != nullptr) return;
    if (Parent() != nullptr) Parent()->HandleNeeded();
    if (handle_ == nullptr) CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.caption = TControl::GetText();
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    if ((controlStyle_ & csAcceptsControls) != 0) params.style |= WS_CLIPCHILDREN;
    if (visible_) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    if (tabStop_) params.style |= WS_TABSTOP;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.parent = Parent() != nullptr ? Parent()->handle_ : parentWindow_;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.style & WS_CHILD) != 0 && params.parent == nullptr) {
        throw EInvalidOperation("Control " + Name() + " has no parent window");
    }
    ownClass_ = params.baseClass.empty();
    detail::CreateTargetWindow(*this, params);
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
}

void TWinControl::CreateHandle()
{
    if (handle_ != nullptr) return;
    CreateWnd();
    const std::vector<TWinControl*> children = tabList_;
    for (TWinControl* child : children) {
        if (child->handle_ == nullptr) child->CreateHandle();
    }
}

void TWinControl::DestroyHandle()
{
    if (handle_ == nullptr) return;
    HWND window = handle_;
    if (DestroyWindow(window) == 0) {
        // Another thread's window cannot be destroyed from here; at least no
        // message may reach this object any more.
        detail::DetachTargets(window);
    }
    handle_ = nullptr;
}

void TWinControl::WindowDestroyed()
{
    handle_ = nullptr;
    captureChild_ = nullptr;
}

bool TWinControl::Dying() const
{
    return Destroying() || (Parent() != nullptr && Parent()->Dying());
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed == nullptr) return;
    tabList_.push_back(windowed);
    if (windowed->Loading()) {
        if (windowed->tabOrder_ < 0) windowed->tabOrder_ = static_cast<int>(tabList_.size()) - 1;
        return;
    }
    RenumberTabs();
    if (handle_ != nullptr) {
        if (windowed->handle_ != nullptr) {
            ::SetParent(windowed->handle_, handle_);
        } else {
            windowed->CreateHandle();
        }
    }
}

void TWinControl::RemoveControl(TControl* control)
{
    if (captureChild_ == control) captureChild_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed == nullptr) return;
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), windowed), tabList_.end());
    RenumberTabs();
    if (TForm* form = GetParentForm(this)) form->ForgetControl(windowed);
    windowed->DestroyHandle();
}

void TWinControl::RenumberTabs()
{
    for (std::size_t i = 0; i < tabList_.size(); ++i) tabList_[i]->tabOrder_ = static_cast<int>(i);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    // The stored tab orders, read in any order, become places in the list.
    std::stable_sort(tabList_.begin(), tabList_.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    RenumberTabs();
}

int TWinControl::TabOrder() const
{
    return tabOrder_;
}

void TWinControl::SetTabOrder(int order)
{
    if (Loading() || Parent() == nullptr) {
        tabOrder_ = order;
        return;
    }
    std::vector<TWinControl*>& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    const auto place = static_cast<std::size_t>(std::clamp(order, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(place), this);
    Parent()->RenumberTabs();
}

void TWinControl::SetTabStop(bool tabStop)
{
    tabStop_ = tabStop;
    if (handle_ != nullptr) {
        const LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

bool TWinControl::Focused() const
{
    return handle_ != nullptr && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const
{
    const TForm* form = GetParentForm(this);
    if (form == nullptr) return false;
    for (const TControl* c = this; c != nullptr && c != form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

void TWinControl::SetFocus()
{
    if (TForm* form = GetParentForm(this); form != nullptr && form != this) {
        form->FocusControl(this);
    } else if (handle_ != nullptr) {
        ::SetFocus(handle_);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count) start = forward ? count - 1 : 0;
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(i)];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this)) {
            return candidate;
        }
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::Broadcast(TMessage& message)
{
    const std::vector<TControl*> children = controls_;
    for (TControl* child : children) {
        child->WndProc(message);
        if (message.Result != 0) return;
    }
}

TControl* TWinControl::ControlAtPos(POINT point) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (dynamic_cast<TWinControl*>(child) != nullptr || !child->Visible() || !child->Enabled()) continue;
        const RECT bounds = child->BoundsRect();
        if (PtInRect(&bounds, point)) return child;
    }
    return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (handle_ != nullptr) {
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBoundsFromWindow();
    } else {
        UpdateBounds(left, top, width, height);
    }
}

void TWinControl::UpdateBoundsFromWindow()
{
    RECT r{};
    GetWindowRect(handle_, &r);
    if ((GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    }
    UpdateBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

int TWinControl::ClientWidth() const
{
    if (handle_ == nullptr) return Width();
    RECT r{};
    GetClientRect(handle_, &r);
    return r.right;
}

int TWinControl::ClientHeight() const
{
    if (handle_ == nullptr) return Height();
    RECT r{};
    GetClientRect(handle_, &r);
    return r.bottom;
}

bool TWinControl::MouseCapture() const
{
    return handle_ != nullptr && GetCapture() == handle_;
}

void TWinControl::SetMouseCapture(bool capture)
{
    if (capture == MouseCapture()) return;
    if (capture) {
        captureChild_ = nullptr;
        SetCapture(Handle());
    } else {
        ReleaseCapture();
    }
}

void TWinControl::Invalidate()
{
    if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update()
{
    if (handle_ != nullptr) UpdateWindow(handle_);
}

void TWinControl::SetTextBuf(const std::string& text)
{
    TControl::SetTextBuf(text);
    if (handle_ != nullptr) SetWindowTextA(handle_, text.c_str());
}

std::string TWinControl::GetText() const
{
    if (handle_ == nullptr) return TControl::GetText();
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool TWinControl::RouteMouseToChild(TMessage& message)
{
    TControl* target = nullptr;
    if (GetCapture() == handle_) {
        if (captureChild_ != nullptr && captureChild_->Parent() == this) target = captureChild_;
    } else {
        target = ControlAtPos(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
    }
    if (target == nullptr) return false;
    const int x = GET_X_LPARAM(message.LParam) - target->Left();
    const int y = GET_Y_LPARAM(message.LParam) - target->Top();
    message.Result = target->Perform(message.Msg, message.WParam,
                                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    return true;
}

void TWinControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_SETFOCUS) {
        if (TForm* form = GetParentForm(this); form != nullptr && form != this) form->SetFocusedControl(this);
    } else if (message.Msg >= WM_MOUSEMOVE && message.Msg <= WM_MBUTTONDBLCLK) {
        if (RouteMouseToChild(message)) return;
    }
    TControl::WndProc(message);
}

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE: WMSize(message); break;
    case WM_MOVE: WMMove(message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(message); break;
    case WM_PAINT: WMPaint(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case WM_SETFOCUS: WMSetFocus(message); break;
    case WM_KILLFOCUS: WMKillFocus(message); break;
    case WM_GETDLGCODE: WMGetDlgCode(message); break;
    case WM_KEYDOWN: WMKeyDown(message); break;
    case WM_KEYUP: WMKeyUp(message); break;
    case WM_CHAR: WMChar(message); break;
    case WM_COMMAND: WMCommand(message); break;
    case WM_NOTIFY: WMNotify(message); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: WMCtlColor(message); break;
    case WM_CUT: WMCut(message); break;
    case WM_COPY: WMCopy(message); break;
    case WM_PASTE: WMPaste(message); break;
    case WM_CLEAR: WMClear(message); break;
    case WM_TIMER: WMTimer(message); break;
    case WM_CLOSE: WMClose(message); break;
    case WM_SYSCOMMAND: WMSysCommand(message); break;
    case WM_ACTIVATE: WMActivate(message); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(message); break;
    case WM_DESTROY: WMDestroy(message); break;
    case CM_ENTER: CMEnter(message); break;
    case CM_EXIT: CMExit(message); break;
    case CN_KEYDOWN: CNKeyDown(message); break;
    case CN_COMMAND: CNCommand(message); break;
    case CN_NOTIFY: CNNotify(message); break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN: CNCtlColor(message); break;
    default: TControl::Dispatch(message); break;
    }
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (handle_ == nullptr || IsPrivateMessage(message.Msg)) {
        message.Result = 0;
        return;
    }
    message.Result = CallWindowProcA(DefaultProc(), handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::PaintWindow(HDC dc)
{
    if (ownClass_) return;
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(paint);
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* child : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (graphic == nullptr || !graphic->Visible()) continue;
        const RECT bounds = graphic->BoundsRect();
        if (RectVisible(dc, &bounds) == 0) continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
        graphic->PaintOn(dc);
        RestoreDC(dc, saved);
    }
}

void TWinControl::WMPaint(TMessage& message)
{
    const bool hasGraphicChildren = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
        return dynamic_cast<TGraphicControl*>(c) != nullptr;
    });
    if (!ownClass_ && !hasGraphicChildren) {
        DefaultHandler(message);
        return;
    }
    if (message.WParam != 0) {
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    struct Painting {
        HWND window;
        PAINTSTRUCT ps{};
        HDC dc;
        explicit Painting(HWND w) : window(w), dc(BeginPaint(w, &ps)) {}
        Painting(const Painting&) = delete;
        Painting& operator=(const Painting&) = delete;
        ~Painting() { EndPaint(window, &ps); }
    } painting(handle_);
    PaintWindow(painting.dc);
    PaintControls(painting.dc);
}

void TWinControl::WMEraseBkgnd(TMessage& message)
{
    if (!ownClass_) {
        DefaultHandler(message);
        return;
    }
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(reinterpret_cast<HDC>(message.WParam), &client, BrushHandle());
    message.Result = 1;
}

void TWinControl::WMWindowPosChanged(TMessage& message)
{
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
    if ((pos->flags & SWP_NOSIZE) == 0 || (pos->flags & SWP_NOMOVE) == 0) UpdateBoundsFromWindow();
    DefaultHandler(message);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TMessage& message)
{
    auto key = static_cast<WORD>(message.WParam);
    KeyDown(key, KeyboardShiftState());
    if (key == 0) return;
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message)
{
    auto key = static_cast<WORD>(message.WParam);
    KeyUp(key, KeyboardShiftState());
    if (key == 0) return;
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message)
{
    auto key = static_cast<char>(message.WParam);
    KeyPress(key);
    if (key == 0) return;
    message.WParam = static_cast<unsigned char>(key);
    DefaultHandler(message);
}

void TWinControl::WMCommand(TMessage& message)
{
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam)); child != nullptr && child != this) {
        message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::WMNotify(TMessage& message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (TWinControl* child = FindControl(header->hwndFrom); child != nullptr && child != this) {
        message.Result = child->Perform(CN_NOTIFY, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::WMCtlColor(TMessage& message)
{
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam)); child != nullptr && child != this) {
        message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::CNCtlColor(TMessage& message)
{
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    SetBkColor(dc, ColorToRGB(Color()));
    message.Result = reinterpret_cast<LRESULT>(BrushHandle());
}

void TWinControl::CNKeyDown(TMessage& message)
{
    message.Result = 0;
    UINT mask = 0;
    switch (message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_EXECUTE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return;
    }
    // Asked without the key message, so that a multi-line EDIT does not
    // switch to its own dialog behaviour (posting WM_CLOSE on Escape).
    if ((Perform(WM_GETDLGCODE, 0, 0) & mask) != 0) return;
    TForm* form = GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGKEY, message.WParam, message.LParam) != 0) message.Result = 1;
}

void TWinControl::CMDialogKey(TMessage& message)
{
    Broadcast(message);
}

void TWinControl::CMFocusChanged(TMessage& message)
{
    Broadcast(message);
}

void TWinControl::CMEnabledChanged(TMessage& message)
{
    if (handle_ != nullptr) {
        EnableWindow(handle_, Enabled());
    } else {
        TControl::CMEnabledChanged(message);
    }
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (handle_ != nullptr) ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::CMFontChanged(TMessage&)
{
    if (handle_ != nullptr) {
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
        if (ownClass_) Invalidate();
    }
    for (TControl* child : controls_) {
        if (child->ParentFont()) child->AssignParentFont();
    }
}

void TWinControl::CMColorChanged(TMessage&)
{
    Invalidate();
    for (TControl* child : controls_) {
        if (child->ParentColor()) child->ParentColorChanged();
    }
}

void TWinControl::CMEnter(TMessage&)
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::CMExit(TMessage&)
{
    if (OnExit) OnExit(this);
}

void TWinControl::WMCaptureChanged(TMessage& message)
{
    captureChild_ = nullptr;
    DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMMove(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMSetFocus(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMKillFocus(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMGetDlgCode(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMCut(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMCopy(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMPaste(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMClear(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMTimer(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMClose(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMSysCommand(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMActivate(TMessage& message) { DefaultHandler(message); }
void TWinControl::WMDestroy(TMessage& message) { DefaultHandler(message); }
void TWinControl::CNCommand(TMessage& message) { message.Result = 0; }
void TWinControl::CNNotify(TMessage& message) { message.Result = 0; }

bool TWinControl::ReadProperty(ReadContext& context, const FormProperty& property)
{
    const std::string& name = property.name;
    if (SameText(name, "TabOrder")) SetTabOrder(AsInt32(property));
    else if (SameText(name, "TabStop")) SetTabStop(AsBool(property));
    else if (SameText(name, "OnEnter")) OnEnter = context.Method<TNotifyEvent>(property);
    else if (SameText(name, "OnExit")) OnExit = context.Method<TNotifyEvent>(property);
    else if (SameText(name, "OnKeyDown")) OnKeyDown = context.Method<TKeyEvent>(property);
    else if (SameText(name, "OnKeyUp")) OnKeyUp = context.Method<TKeyEvent>(property);
    else if (SameText(name, "OnKeyPress")) OnKeyPress = context.Method<TKeyPressEvent>(property);
    else return TControl::ReadProperty(context, property);
    return true;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::Paint() {}

const TCanvas& TCustomControl::Canvas() const
{
    if (canvas_ == nullptr) throw EInvalidOperation("The canvas exists only while the control paints");
    return *canvas_;
}

void TCustomControl::PaintWindow(HDC dc)
{
    const TCanvas canvas(dc);
    canvas_ = &canvas;
    struct Reset {
        const TCanvas*& canvas;
        ~Reset() { canvas = nullptr; }
    } reset{canvas_};
    Paint();
}

}  // namespace ui
