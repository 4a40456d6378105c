#pragma once
// TWinControl: a control with a window of its own. It owns the window's
// lifetime (created on demand, destroyed with the object), holds its child
// controls (destroyed with it), keeps their tab order, routes mouse messages
// to its graphic children, reflects notifications back to the child controls
// they concern (WM_COMMAND -> CN_COMMAND, ...), and tells its form when it
// receives the focus, which the form turns into CM_EXIT and CM_ENTER.
//
// TCustomControl: a windowed control that paints itself in Paint.

#include <vector>

#include "ui/control.h"
#include "ui/window_proc.h"

namespace ui {

class TWinControl : public TControl, private detail::WindowTarget {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created (with its parents' and children's) when needed.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // A foreign window to place this control in when it has no parent
    // control; for forms the owner window of the dialog.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND window) { parentWindow_ = window; }

    // The layer's control of a window of this module, or null.
    static TWinControl* FindControl(HWND window);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    bool Focused() const;
    // Visible and enabled up to its form.
    virtual bool CanFocus() const;
    virtual void SetFocus();
    // Windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) descendant after current that can take the focus;
    // checkTabStop skips controls that are no tab stops, checkParent keeps to
    // this control's own children.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    // Hands the message to each child until one sets a non-zero result.
    void Broadcast(TMessage& message);
    TControl* ControlAtPos(POINT point) const;

    void SetBounds(int left, int top, int width, int height) override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    bool MouseCapture() const override;
    void SetMouseCapture(bool capture) override;
    void Invalidate() override;
    void Update() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    bool ReadProperty(ReadContext& context, const FormProperty& property) override;
    void Loaded() override;

protected:
    using TCreateParams = detail::WindowParams;

    virtual void CreateParams(TCreateParams& params);
    // Creates this control's window from CreateParams.
    virtual void CreateWnd();
    // CreateWnd, then the windows of the windowed children.
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // Paints the window's own content; by default the platform's painting.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    HBRUSH BrushHandle() { return brush_.Handle(Color()); }
    void SetTextBuf(const std::string& text) override;
    std::string GetText() const override;

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);

    virtual void WMSize(TMessage& message);
    virtual void WMMove(TMessage& message);
    virtual void WMWindowPosChanged(TMessage& message);
    virtual void WMPaint(TMessage& message);
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void WMGetDlgCode(TMessage& message);
    virtual void WMKeyDown(TMessage& message);
    virtual void WMKeyUp(TMessage& message);
    virtual void WMChar(TMessage& message);
    virtual void WMCommand(TMessage& message);
    virtual void WMNotify(TMessage& message);
    virtual void WMCtlColor(TMessage& message);
    virtual void WMCut(TMessage& message);
    virtual void WMCopy(TMessage& message);
    virtual void WMPaste(TMessage& message);
    virtual void WMClear(TMessage& message);
    virtual void WMTimer(TMessage& message);
    virtual void WMClose(TMessage& message);
    virtual void WMSysCommand(TMessage& message);
    virtual void WMActivate(TMessage& message);
    virtual void WMCaptureChanged(TMessage& message);
    virtual void WMDestroy(TMessage& message);
    virtual void CMEnter(TMessage& message);
    virtual void CMExit(TMessage& message);
    // The message loop asks the focused control before dispatching a key:
    // Tab, arrows, Enter and Escape that the control does not want
    // (WM_GETDLGCODE) go to its form as CM_DIALOGKEY; Result 1 consumes the key.
    virtual void CNKeyDown(TMessage& message);
    virtual void CNCommand(TMessage& message);
    virtual void CNNotify(TMessage& message);
    virtual void CNCtlColor(TMessage& message);
    void CMDialogKey(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;

private:
    friend class TControl;

    // detail::WindowTarget
    void ReceiveMessage(TMessage& message) override { WndProc(message); }
    void WindowCreated(HWND window) override { handle_ = window; }
    void WindowDestroyed() override;
    bool Dying() const override;
    TObject* ExceptionSender() override { return this; }
    TWinControl* Control() override { return this; }

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void RenumberTabs();
    bool RouteMouseToChild(TMessage& message);
    void UpdateBoundsFromWindow();

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    bool ownClass_ = false;
    std::vector<TControl*> controls_;     // all children, in insertion order
    std::vector<TWinControl*> tabList_;   // windowed children, in tab order
    int tabOrder_ = -1;                   // wished while loading; the place in the parent's list otherwise
    bool tabStop_ = false;
    TControl* captureChild_ = nullptr;
    TBrush brush_;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);

protected:
    virtual void Paint();
    // Valid during Paint.
    const TCanvas& Canvas() const;
    void PaintWindow(HDC dc) override;

private:
    const TCanvas* canvas_ = nullptr;
};

}  // namespace ui
