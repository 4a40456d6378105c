#include "ui/speed_button.h"

#include <algorithm>

#include "ui/form_reader.h"
#include "ui/module_instance.h"

namespace ui {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    controlStyle_ = csCaptureMouse | csDoubleClicks | csOpaque;
    SetBounds(0, 0, 23, 22);
    glyph_.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    Invalidate();
}

void TSpeedButton::SetFlat(bool flat)
{
    flat_ = flat;
    Invalidate();
}

bool TSpeedButton::Inside(int x, int y) const
{
    return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft && Enabled()) {
        state_ = TButtonState::bsDown;
        dragging_ = true;
        Invalidate();
    }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    const TButtonState state = Inside(x, y) ? TButtonState::bsDown : TButtonState::bsUp;
    if (state != state_) {
        state_ = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_) return;
    dragging_ = false;
    const bool click = Inside(x, y);
    state_ = Enabled() ? TButtonState::bsUp : TButtonState::bsDisabled;
    Invalidate();
    if (click) Click();
}

void TSpeedButton::CMEnabledChanged(TMessage& message)
{
    state_ = Enabled() ? TButtonState::bsUp : TButtonState::bsDisabled;
    TGraphicControl::CMEnabledChanged(message);
}

void TSpeedButton::Paint()
{
    const TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    const bool down = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (down) frame |= DFCS_PUSHED;
    if (flat_) frame |= DFCS_FLAT;
    DrawFrameControl(canvas.Handle(), &r, DFC_BUTTON, frame);
    if (glyph_.Empty()) return;
    int index = 0;
    switch (state_) {
    case TButtonState::bsUp: index = 0; break;
    case TButtonState::bsDisabled: index = 1; break;
    case TButtonState::bsDown: index = 2; break;
    case TButtonState::bsExclusive: index = 3; break;
    }
    if (index >= numGlyphs_) index = 0;
    const int width = glyph_.Width() / numGlyphs_;
    const int height = glyph_.Height();
    const int offset = down ? 1 : 0;
    canvas.Draw((Width() - width) / 2 + offset, (Height() - height) / 2 + offset, glyph_,
                RECT{index * width, 0, (index + 1) * width, height}, true);
}

bool TSpeedButton::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "NumGlyphs")) SetNumGlyphs(AsInt32(property));
    else if (SameText(property.name, "Flat")) SetFlat(AsBool(property));
    else if (SameText(property.name, "Glyph.Resource")) glyph_.LoadFromResourceName(ModuleInstance(), AsString(property).c_str());
    else return TGraphicControl::ReadProperty(context, property);
    return true;
}

}  // namespace ui
