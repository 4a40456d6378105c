#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/form_reader.h"
#include "ui/graphic_controls.h"
#include "ui/group_box.h"
#include "ui/speed_button.h"
#include "ui/timer.h"

namespace ui {

namespace {

constexpr ComponentClass kStandardClasses[] = {
    {"TButton", &CreateComponent<TButton>},       {"TCheckBox", &CreateComponent<TCheckBox>},
    {"TRadioButton", &CreateComponent<TRadioButton>}, {"TEdit", &CreateComponent<TEdit>},
    {"TMemo", &CreateComponent<TMemo>},           {"TLabel", &CreateComponent<TLabel>},
    {"TBevel", &CreateComponent<TBevel>},         {"TGroupBox", &CreateComponent<TGroupBox>},
    {"TRadioGroup", &CreateComponent<TRadioGroup>}, {"TSpeedButton", &CreateComponent<TSpeedButton>},
    {"TTimer", &CreateComponent<TTimer>},
};

}  // namespace

std::span<const ComponentClass> StandardClasses()
{
    return kStandardClasses;
}

}  // namespace ui
