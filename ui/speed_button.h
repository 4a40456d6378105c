#pragma once
// TSpeedButton: a graphic push button with a glyph. A left press puts it down
// and captures the mouse (through its parent's window); it follows the
// pointer on and off the button while held and clicks on release over it.

#include "ui/control.h"

namespace ui {

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    // Holds NumGlyphs images side by side: up, disabled, down, exclusive. A
    // layout names a BITMAP resource of the module: Glyph.Resource = 'NAME'.
    TBitmap& Glyph() { return glyph_; }
    const TBitmap& Glyph() const { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    TButtonState State() const { return state_; }

    bool ReadProperty(ReadContext& context, const FormProperty& property) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMEnabledChanged(TMessage& message) override;

    TButtonState state_ = TButtonState::bsUp;
    bool dragging_ = false;

private:
    bool Inside(int x, int y) const;

    TBitmap glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
};

}  // namespace ui
