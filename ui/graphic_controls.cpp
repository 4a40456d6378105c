#include "ui/graphic_controls.h"

#include "ui/form_reader.h"
#include "ui/win_control.h"

namespace ui {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    controlStyle_ |= csOpaque;
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    if (transparent) controlStyle_ &= ~static_cast<unsigned>(csOpaque);
    else controlStyle_ |= csOpaque;
    Invalidate();
}

UINT TLabel::DrawFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    switch (alignment_) {
    case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
    case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
    }
    return flags;
}

void TLabel::AdjustBounds()
{
    if (!autoSize_ || Loading()) return;
    HDC dc = GetDC(nullptr);
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    const std::string caption = Caption().empty() ? std::string(" ") : Caption();
    TCanvas(dc).DrawText(caption, r, DrawFlags() | DT_CALCRECT, Font());
    ReleaseDC(nullptr, dc);
    SetBounds(Left(), Top(), r.right, r.bottom);
}

void TLabel::Paint()
{
    const TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!transparent_) canvas.FillRect(r, Color());
    canvas.DrawText(Caption(), r, DrawFlags(), Font(), Enabled() ? clSystemColor : clGrayText);
}

void TLabel::CMTextChanged(TMessage& message)
{
    TGraphicControl::CMTextChanged(message);
    AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& message)
{
    TGraphicControl::CMFontChanged(message);
    AdjustBounds();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

bool TLabel::ReadProperty(ReadContext& context, const FormProperty& property)
{
    const std::string& name = property.name;
    if (SameText(name, "AutoSize")) {
        SetAutoSize(AsBool(property));
    } else if (SameText(name, "WordWrap")) {
        SetWordWrap(AsBool(property));
    } else if (SameText(name, "Transparent")) {
        SetTransparent(AsBool(property));
    } else if (SameText(name, "Alignment")) {
        SetAlignment(AsEnum<TAlignment>(property, {{"taLeftJustify", TAlignment::taLeftJustify},
                                                   {"taRightJustify", TAlignment::taRightJustify},
                                                   {"taCenter", TAlignment::taCenter}}));
    } else if (SameText(name, "FocusControl")) {
        context.Fixup(property, [this](TComponent* c) { focusControl_ = dynamic_cast<TWinControl*>(c); });
    } else {
        return TGraphicControl::ReadProperty(context, property);
    }
    return true;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape)
{
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style)
{
    style_ = style;
    Invalidate();
}

void TBevel::Paint()
{
    const TCanvas& canvas = Canvas();
    const TColor dark = style_ == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = style_ == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width();
    const int h = Height();
    switch (shape_) {
    case TBevelShape::bsBox:
        canvas.Line(0, h - 1, 0, 0, dark);
        canvas.Line(0, 0, w - 1, 0, dark);
        canvas.Line(w - 1, 0, w - 1, h - 1, light);
        canvas.Line(w - 1, h - 1, 0, h - 1, light);
        break;
    case TBevelShape::bsFrame:
        canvas.FrameRect(RECT{1, 1, w, h}, light);
        canvas.FrameRect(RECT{0, 0, w - 1, h - 1}, dark);
        break;
    case TBevelShape::bsTopLine:
        canvas.Line(0, 0, w, 0, dark);
        canvas.Line(0, 1, w, 1, light);
        break;
    case TBevelShape::bsBottomLine:
        canvas.Line(0, h - 2, w, h - 2, dark);
        canvas.Line(0, h - 1, w, h - 1, light);
        break;
    case TBevelShape::bsLeftLine:
        canvas.Line(0, 0, 0, h, dark);
        canvas.Line(1, 0, 1, h, light);
        break;
    case TBevelShape::bsRightLine:
        canvas.Line(w - 2, 0, w - 2, h, dark);
        canvas.Line(w - 1, 0, w - 1, h, light);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}

bool TBevel::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "Shape")) {
        SetShape(AsEnum<TBevelShape>(property, {{"bsBox", TBevelShape::bsBox},
                                               {"bsFrame", TBevelShape::bsFrame},
                                               {"bsTopLine", TBevelShape::bsTopLine},
                                               {"bsBottomLine", TBevelShape::bsBottomLine},
                                               {"bsLeftLine", TBevelShape::bsLeftLine},
                                               {"bsRightLine", TBevelShape::bsRightLine},
                                               {"bsSpacer", TBevelShape::bsSpacer}}));
    } else if (SameText(property.name, "Style")) {
        SetStyle(AsEnum<TBevelStyle>(property,
                                     {{"bsLowered", TBevelStyle::bsLowered}, {"bsRaised", TBevelStyle::bsRaised}}));
    } else {
        return TGraphicControl::ReadProperty(context, property);
    }
    return true;
}

}  // namespace ui
