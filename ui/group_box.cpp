#include "ui/group_box.h"

#include <algorithm>

#include "ui/form_reader.h"

namespace ui {

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    controlStyle_ |= csAcceptsControls;
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::Paint()
{
    const TCanvas& canvas = Canvas();
    const int textHeight = FontCharHeight(Font().Handle());
    RECT frame{0, textHeight / 2 - 1, Width(), Height()};
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    const std::string caption = Caption();
    if (caption.empty()) return;
    RECT text{8, 0, 8 + canvas.TextExtent(caption, Font()).cx, textHeight};
    canvas.FillRect(text, Color());
    canvas.DrawText(caption, text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX, Font(),
                    Enabled() ? clSystemColor : clGrayText);
}

// One item's radio button; it reports its clicks to the group.
class TRadioGroup::TGroupButton : public TRadioButton {
public:
    TGroupButton(TRadioGroup& group) : TRadioButton(&group), group_(group) {}

    void Click() override
    {
        TRadioButton::Click();
        group_.ButtonClicked(this);
    }

private:
    TRadioGroup& group_;
};

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {}

TRadioButton* TRadioGroup::Buttons(int index) const
{
    return buttons_.at(static_cast<std::size_t>(index));
}

void TRadioGroup::SetItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    if (!Loading()) UpdateButtons();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (Loading()) {
        itemIndex_ = index;
        return;
    }
    index = std::clamp(index, -1, static_cast<int>(buttons_.size()) - 1);
    if (index == itemIndex_) return;
    if (itemIndex_ >= 0) buttons_[static_cast<std::size_t>(itemIndex_)]->SetChecked(false);
    itemIndex_ = index;
    if (index >= 0) buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = std::clamp(columns, 1, 16);
    if (!Loading()) ArrangeButtons();
}

void TRadioGroup::ButtonClicked(TGroupButton* button)
{
    if (!button->Checked()) return;
    itemIndex_ = static_cast<int>(std::find(buttons_.begin(), buttons_.end(), button) - buttons_.begin());
    if (!updating_) Click();
}

void TRadioGroup::UpdateButtons()
{
    updating_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{updating_};
    while (buttons_.size() > items_.size()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < items_.size()) {
        auto* button = new TGroupButton(*this);
        buttons_.push_back(button);
        button->SetParent(this);
    }
    for (std::size_t i = 0; i < items_.size(); ++i) buttons_[i]->SetCaption(items_[i]);
    const int wished = std::clamp(itemIndex_, -1, static_cast<int>(buttons_.size()) - 1);
    itemIndex_ = -1;
    for (TGroupButton* button : buttons_) button->SetChecked(false);
    SetItemIndex(wished);
    ArrangeButtons();
}

// The items fill the columns top to bottom, below the caption line.
void TRadioGroup::ArrangeButtons()
{
    if (buttons_.empty()) return;
    const int count = static_cast<int>(buttons_.size());
    const int textHeight = FontCharHeight(Font().Handle());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int buttonWidth = (Width() - 10) / columns_;
    const int space = Height() - textHeight - 5;
    const int buttonHeight = space / perColumn;
    const int topMargin = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        buttons_[static_cast<std::size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                         (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                         buttonHeight);
    }
}

void TRadioGroup::SetBounds(int left, int top, int width, int height)
{
    TCustomGroupBox::SetBounds(left, top, width, height);
    if (!Loading()) ArrangeButtons();
}

void TRadioGroup::CMFontChanged(TMessage& message)
{
    TCustomGroupBox::CMFontChanged(message);
    if (!Loading()) ArrangeButtons();
}

void TRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

bool TRadioGroup::ReadProperty(ReadContext& context, const FormProperty& property)
{
    if (SameText(property.name, "Items.Strings")) SetItems(AsStrings(property));
    else if (SameText(property.name, "ItemIndex")) SetItemIndex(AsInt32(property));
    else if (SameText(property.name, "Columns")) SetColumns(AsInt32(property));
    else return TCustomGroupBox::ReadProperty(context, property);
    return true;
}

}  // namespace ui
