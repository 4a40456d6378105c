#pragma once
// Controls over the system's EDIT class. The EDIT window does the editing:
// caret, selection, clipboard, read-only handling.

#include "ui/win_control.h"

namespace ui {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

    void SelectAll();
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);
    void SetSelLength(int length);
    void ClearSelection();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();

    // Fires once for every change of the text, typed or set.
    TNotifyEvent OnChange;

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void SetTextBuf(const std::string& text) override;
    virtual void Change();

    void CNCommand(TMessage& message) override;
    void CNCtlColor(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    // Tab entering the control selects all of the text when AutoSelect; a
    // click leaves the caret where it fell.
    void CMEnter(TMessage& message) override;
    // The EDIT window asks for Enter, Escape and Tab only where the control
    // wants them (wantReturns_, wantTabs_), so that a multi-line EDIT may still
    // behave as a single line in a dialog.
    void WMGetDlgCode(TMessage& message) override;

    bool wantReturns_ = false;
    bool wantTabs_ = false;

private:
    bool readOnly_ = false;
    bool autoSelect_ = true;
    bool settingText_ = false;
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
};

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; }

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool wordWrap_ = true;
};

}  // namespace ui
