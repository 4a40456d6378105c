#pragma once
// TControl: a visual component with bounds, a parent, visibility, a font and
// a colour, and the message dispatch shared by windowed and graphic controls:
// WndProc does the bookkeeping every message needs, Dispatch maps the message
// to the virtual handler named after it, and DefaultHandler is what a handler
// calls for the platform's own processing.
//
// TGraphicControl: a control without a window of its own, painted by its
// parent and given the mouse messages that fall on it.

#include <string>

#include "ui/component.h"
#include "ui/graphics.h"

namespace ui {

class TWinControl;
class TForm;

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1,  // may be the parent of other controls
    csCaptureMouse = 2,     // captures the mouse while a button is pressed on it
    csClickEvents = 4,      // a press and release on it is a click
    csSetCaption = 8,
    csOpaque = 16,          // paints its whole area
    csDoubleClicks = 32,
};

enum TControlStateFlag : unsigned {
    csLButtonDown = 1,  // the left mouse button went down on the control and is still held
    csClicked = 2,
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    RECT ClientRect() const { return RECT{0, 0, ClientWidth(), ClientHeight()}; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // Caption and Text are one property.
    std::string Text() const { return GetText(); }
    void SetText(const std::string& text);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    unsigned ControlStyle() const { return controlStyle_; }
    void SetControlStyle(unsigned style) { controlStyle_ = style; }
    unsigned ControlState() const { return controlState_; }

    // The mouse is captured for this control (for a graphic control: its
    // parent's window holds the capture on its behalf).
    virtual bool MouseCapture() const;
    virtual void SetMouseCapture(bool capture);

    std::string Hint;
    bool ShowHint = false;

    // Delivers a message straight to the control's WndProc.
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    virtual void Click();
    virtual void Invalidate();
    virtual void Update();
    void Repaint();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    virtual std::string GetText() const { return text_; }
    // Stores the text; windowed controls also give it to their window.
    virtual void SetTextBuf(const std::string& text) { text_ = text; }
    // The platform moved or resized the control.
    void UpdateBounds(int left, int top, int width, int height);
    void AssignParentFont();

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();

    virtual void WMLButtonDown(TMessage& message);
    virtual void WMLButtonUp(TMessage& message);
    virtual void WMLButtonDblClk(TMessage& message);
    virtual void WMRButtonDown(TMessage& message);
    virtual void WMRButtonUp(TMessage& message);
    virtual void WMMButtonDown(TMessage& message);
    virtual void WMMButtonUp(TMessage& message);
    virtual void WMMouseMove(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMDialogKey(TMessage& message);
    virtual void CMFocusChanged(TMessage& message);

    unsigned controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    unsigned controlState_ = 0;
    bool visible_ = true;

private:
    friend class TWinControl;
    void FontChanged();
    void ParentColorChanged();
    void MouseButtonDown(TMessage& message, TMouseButton button, TShiftState extra);
    void MouseButtonUp(TMessage& message, TMouseButton button);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool parentColor_ = true;
    bool assigningParentFont_ = false;
    std::string text_;
    TFont font_;
    TColor color_ = clBtnFace;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);

    // Paints the control on its parent's device context, already moved to the
    // control's origin and clipped to it.
    void PaintOn(HDC dc);

protected:
    virtual void Paint();
    // Valid during Paint.
    const TCanvas& Canvas() const;

private:
    const TCanvas* canvas_ = nullptr;
};

// The form at the top of the control's parent chain (the control itself when
// it is a form), or null.
TForm* GetParentForm(const TControl* control);

}  // namespace ui
