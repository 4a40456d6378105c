#pragma once
// Graphic controls painted by their parent: the label and the bevel frame.

#include "ui/control.h"

namespace ui {

class TWinControl;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // The control the label names; not owned.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;
    void Loaded() override;

protected:
    void Paint() override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    UINT DrawFlags() const;
    // With AutoSize, the size of the caption.
    void AdjustBounds();

    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = false;
    TWinControl* focusControl_ = nullptr;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    void Paint() override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

}  // namespace ui
