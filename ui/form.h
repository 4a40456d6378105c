#pragma once
// TForm: a top-level window built from a stored layout. It shows modally with
// a modal result, moves the focus between its controls (Tab, arrows) and
// tells them when they gain or lose it (CM_ENTER, CM_EXIT), and gives Enter
// and Escape to its default and cancel buttons. The close box counts as
// Cancel while the form is modal.

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "ui/form_reader.h"
#include "ui/win_control.h"

namespace ui {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TPosition { poDesigned, poScreenCenter };

class TForm : public TCustomControl {
public:
    // A top-level window, owned by the foreign window given with
    // SetParentWindow, or by none.
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    int ClientWidth() const override;
    int ClientHeight() const override;

    TModalResult ModalResult() const { return modalResult_; }
    // A non-zero result ends a modal showing.
    void SetModalResult(TModalResult result);
    bool Modal() const { return modal_; }
    // Shows the form and runs the calling thread's messages until a modal
    // result is set; the thread's other windows and the owner window are
    // disabled meanwhile. WM_QUIT ends it with mrCancel and is posted again.
    TModalResult ShowModal();
    // Modal: the result becomes mrCancel. Otherwise the form hides after
    // CloseQuery and OnClose; the main form ends the application.
    void Close();
    virtual bool CloseQuery();
    void SetVisible(bool visible) override;
    void SetFocus() override;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Gives control the focus when the form is shown, else makes it the
    // control that will get it.
    void FocusControl(TWinControl* control);
    // A control of the form received the focus: CM_EXIT to the controls left,
    // CM_ENTER to those entered, CM_FOCUSCHANGED to all.
    void SetFocusedControl(TWinControl* control);
    // control is going away: no reference to it or its children remains.
    void ForgetControl(TWinControl* control);

    // Event handlers that the stored layout may name.
    void RegisterMethod(std::string name, FormMethod method);
    const FormMethod* FindMethod(std::string_view name) const override;
    // Reads the stored layout (an RCDATA resource of the module), then runs OnCreate.
    void ReadForm(const char* resourceName, std::span<const ComponentClass> extraClasses = {});
    void ReadFormText(std::string_view text, std::span<const ComponentClass> extraClasses = {});
    // The component of the layout with that name and class; throws EReadError otherwise.
    template <class T>
    T* Field(std::string_view name) const
    {
        T* field = dynamic_cast<T*>(FindComponent(name));
        if (field == nullptr) throw EReadError("the layout has no component " + std::string(name) + " of its class");
        return field;
    }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void DoClose(TCloseAction& action);
    void WMClose(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;

private:
    void CloseModal();
    void ApplyClientSize();
    SIZE FrameSize() const;
    void CenterOnScreen();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    int clientWidth_ = -1;   // wished client size, until the window exists
    int clientHeight_ = -1;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    std::map<std::string, FormMethod, std::less<>> methods_;
};

}  // namespace ui
