#include "ui/control.h"

#include <windowsx.h>

#include "ui/form.h"
#include "ui/form_reader.h"
#include "ui/win_control.h"

namespace ui {

namespace {

// Restores a flag when the scope ends, also on an exception.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    ~FlagScope() { flag_ = saved_; }

private:
    bool& flag_;
    bool saved_;
};

BYTE CharsetFromProperty(const FormProperty& property)
{
    if (property.value.kind == FormValue::Kind::Integer) return static_cast<BYTE>(AsInt32(property));
    return AsEnum<BYTE>(property, {{"DEFAULT_CHARSET", static_cast<BYTE>(DEFAULT_CHARSET)},
                                   {"ANSI_CHARSET", static_cast<BYTE>(ANSI_CHARSET)},
                                   {"SYMBOL_CHARSET", static_cast<BYTE>(SYMBOL_CHARSET)},
                                   {"OEM_CHARSET", static_cast<BYTE>(OEM_CHARSET)}});
}

unsigned FontStyleFromProperty(const FormProperty& property)
{
    unsigned style = 0;
    for (const std::string& member : AsSet(property)) {
        if (SameText(member, "fsBold")) style |= fsBold;
        else if (SameText(member, "fsItalic")) style |= fsItalic;
        else if (SameText(member, "fsUnderline")) style |= fsUnderline;
        else if (SameText(member, "fsStrikeOut")) style |= fsStrikeOut;
        else throw EReadError(ReadContext::Where(property) + "unknown font style " + member);
    }
    return style;
}

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    MarkDestroying();
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (parent_ != nullptr) {
        Invalidate();
        parent_->RemoveControl(this);
    }
    if (parent != nullptr) {
        parent->InsertControl(this);
        if (parentFont_) AssignParentFont();
        if (parentColor_) ParentColorChanged();
        Invalidate();
    }
}

void TControl::SetParentComponent(TComponent* parent)
{
    auto* windowed = dynamic_cast<TWinControl*>(parent);
    if (parent != nullptr && windowed == nullptr) {
        throw EReadError("control " + Name() + " is not inside a windowed control");
    }
    SetParent(windowed);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    UpdateBounds(left, top, width, height);
    Invalidate();
}

void TControl::UpdateBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text)
{
    if (GetText() == text) return;
    SetTextBuf(text);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    if (parentFont && parent_ != nullptr) AssignParentFont();
}

void TControl::AssignParentFont()
{
    FlagScope assigning(assigningParentFont_);
    font_.Assign(parent_->Font());
}

void TControl::FontChanged()
{
    if (!assigningParentFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor color)
{
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool parentColor)
{
    parentColor_ = parentColor;
    if (parentColor && parent_ != nullptr) ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (color_ == parent_->Color()) return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
}

bool TControl::MouseCapture() const
{
    return parent_ != nullptr && parent_->HandleAllocated() && GetCapture() == parent_->handle_ &&
           parent_->captureChild_ == this;
}

void TControl::SetMouseCapture(bool capture)
{
    if (capture == MouseCapture() || parent_ == nullptr) return;
    if (capture) {
        parent_->captureChild_ = this;
        SetCapture(parent_->Handle());
    } else {
        ReleaseCapture();
    }
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam)
{
    TMessage m{message, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        controlState_ |= csLButtonDown;
        break;
    case WM_LBUTTONUP:
        controlState_ &= ~static_cast<unsigned>(csLButtonDown);
        break;
    default:
        break;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(message); break;
    case WM_LBUTTONUP: WMLButtonUp(message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(message); break;
    case WM_RBUTTONUP: WMRButtonUp(message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(message); break;
    case WM_MBUTTONUP: WMMButtonUp(message); break;
    case WM_MOUSEMOVE: WMMouseMove(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case CM_COLORCHANGED: CMColorChanged(message); break;
    case CM_DIALOGKEY: CMDialogKey(message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(message); break;
    default: DefaultHandler(message); break;
    }
}

void TControl::DefaultHandler(TMessage& message)
{
    message.Result = 0;
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate()
{
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        const RECT bounds = BoundsRect();
        InvalidateRect(parent_->handle_, &bounds, (controlStyle_ & csOpaque) == 0);
    }
}

void TControl::Update()
{
    if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseButtonDown(TMessage& message, TMouseButton button, TShiftState extra)
{
    MouseDown(button, MouseShiftState(message.WParam) | extra, GET_X_LPARAM(message.LParam),
              GET_Y_LPARAM(message.LParam));
}

void TControl::MouseButtonUp(TMessage& message, TMouseButton button)
{
    MouseUp(button, MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::WMLButtonDown(TMessage& message)
{
    DefaultHandler(message);
    if ((controlStyle_ & csCaptureMouse) != 0) SetMouseCapture(true);
    if ((controlStyle_ & csClickEvents) != 0) controlState_ |= csClicked;
    MouseButtonDown(message, TMouseButton::mbLeft, 0);
}

void TControl::WMLButtonDblClk(TMessage& message)
{
    DefaultHandler(message);
    if ((controlStyle_ & csCaptureMouse) != 0) SetMouseCapture(true);
    if ((controlStyle_ & csClickEvents) != 0) DblClick();
    MouseButtonDown(message, TMouseButton::mbLeft, ssDouble);
}

void TControl::WMLButtonUp(TMessage& message)
{
    DefaultHandler(message);
    if ((controlStyle_ & csCaptureMouse) != 0) SetMouseCapture(false);
    if ((controlState_ & csClicked) != 0) {
        controlState_ &= ~static_cast<unsigned>(csClicked);
        const RECT client = ClientRect();
        const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        if (PtInRect(&client, at)) Click();
    }
    MouseButtonUp(message, TMouseButton::mbLeft);
}

void TControl::WMRButtonDown(TMessage& message)
{
    DefaultHandler(message);
    MouseButtonDown(message, TMouseButton::mbRight, 0);
}

void TControl::WMRButtonUp(TMessage& message)
{
    DefaultHandler(message);
    MouseButtonUp(message, TMouseButton::mbRight);
}

void TControl::WMMButtonDown(TMessage& message)
{
    DefaultHandler(message);
    MouseButtonDown(message, TMouseButton::mbMiddle, 0);
}

void TControl::WMMButtonUp(TMessage& message)
{
    DefaultHandler(message);
    MouseButtonUp(message, TMouseButton::mbMiddle);
}

void TControl::WMMouseMove(TMessage& message)
{
    DefaultHandler(message);
    MouseMove(MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMTextChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMFontChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMColorChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMDialogKey(TMessage& message)
{
    DefaultHandler(message);
}

void TControl::CMFocusChanged(TMessage& message)
{
    DefaultHandler(message);
}

bool TControl::ReadProperty(ReadContext& context, const FormProperty& property)
{
    const std::string& name = property.name;
    if (SameText(name, "Left")) SetLeft(AsInt32(property));
    else if (SameText(name, "Top")) SetTop(AsInt32(property));
    else if (SameText(name, "Width")) SetWidth(AsInt32(property));
    else if (SameText(name, "Height")) SetHeight(AsInt32(property));
    else if (SameText(name, "Caption") || SameText(name, "Text")) SetText(AsString(property));
    else if (SameText(name, "Visible")) SetVisible(AsBool(property));
    else if (SameText(name, "Enabled")) SetEnabled(AsBool(property));
    else if (SameText(name, "Color")) SetColor(AsColor(property));
    else if (SameText(name, "ParentColor")) SetParentColor(AsBool(property));
    else if (SameText(name, "ParentFont")) SetParentFont(AsBool(property));
    else if (SameText(name, "Font.Name")) font_.SetName(AsString(property));
    else if (SameText(name, "Font.Height")) font_.SetHeight(AsInt32(property));
    else if (SameText(name, "Font.Size")) font_.SetSize(AsInt32(property));
    else if (SameText(name, "Font.Style")) font_.SetStyle(FontStyleFromProperty(property));
    else if (SameText(name, "Font.Color")) font_.SetColor(AsColor(property));
    else if (SameText(name, "Font.Charset")) font_.SetCharset(CharsetFromProperty(property));
    else if (SameText(name, "Hint")) Hint = AsString(property);
    else if (SameText(name, "ShowHint")) ShowHint = AsBool(property);
    else if (SameText(name, "OnClick")) OnClick = context.Method<TNotifyEvent>(property);
    else if (SameText(name, "OnDblClick")) OnDblClick = context.Method<TNotifyEvent>(property);
    else if (SameText(name, "OnMouseDown")) OnMouseDown = context.Method<TMouseEvent>(property);
    else if (SameText(name, "OnMouseUp")) OnMouseUp = context.Method<TMouseEvent>(property);
    else if (SameText(name, "OnMouseMove")) OnMouseMove = context.Method<TMouseMoveEvent>(property);
    else return TComponent::ReadProperty(context, property);
    return true;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::PaintOn(HDC dc)
{
    const TCanvas canvas(dc);
    canvas_ = &canvas;
    struct Reset {
        const TCanvas*& canvas;
        ~Reset() { canvas = nullptr; }
    } reset{canvas_};
    Paint();
}

void TGraphicControl::Paint() {}

const TCanvas& TGraphicControl::Canvas() const
{
    if (canvas_ == nullptr) throw EInvalidOperation("The canvas exists only while the control paints");
    return *canvas_;
}

TForm* GetParentForm(const TControl* control)
{
    if (control == nullptr) return nullptr;
    while (control->Parent() != nullptr) control = control->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

}  // namespace ui
