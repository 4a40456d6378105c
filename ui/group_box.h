#pragma once
// TCustomGroupBox: a framed area with a caption that holds other controls.
// TRadioGroup: a group box holding one radio button per item, laid out in
// columns; ItemIndex is the checked item.

#include <string>
#include <vector>

#include "ui/buttons.h"

namespace ui {

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

class TRadioGroup : public TCustomGroupBox {
public:
    explicit TRadioGroup(TComponent* owner);

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    int ItemIndex() const { return itemIndex_; }
    // Clamped to -1 (none) .. the last item; checking an item fires OnClick.
    // While loading only stored: the items may follow in the layout.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    // The radio button of an item (for the keyboard and the mouse).
    TRadioButton* Buttons(int index) const;

    void SetBounds(int left, int top, int width, int height) override;
    bool ReadProperty(ReadContext& context, const FormProperty& property) override;
    void Loaded() override;

protected:
    void CMFontChanged(TMessage& message) override;

private:
    class TGroupButton;
    friend class TGroupButton;

    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TGroupButton* button);

    std::vector<std::string> items_;
    std::vector<TGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

}  // namespace ui
