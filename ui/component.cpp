#include "ui/component.h"

#include <algorithm>
#include <cctype>

#include "ui/form_reader.h"

namespace ui {

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner != nullptr) {
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent()
{
    MarkDestroying();
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
    if (owner_ != nullptr) {
        owner_->RemoveComponent(this);
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : components_) {
        if (SameText(c->name_, name)) return c;
    }
    return nullptr;
}

void TComponent::SetName(std::string name)
{
    if (owner_ != nullptr && !name.empty()) {
        const TComponent* other = owner_->FindComponent(name);
        if (other != nullptr && other != this) {
            throw EInvalidOperation("A component named " + name + " already exists");
        }
    }
    name_ = std::move(name);
}

void TComponent::Loaded()
{
    state_ &= ~static_cast<unsigned>(csLoading);
}

bool TComponent::ReadProperty(ReadContext&, const FormProperty& property)
{
    if (SameText(property.name, "Tag")) {
        Tag = static_cast<std::intptr_t>(AsInt(property));
        return true;
    }
    return false;
}

void TComponent::SetParentComponent(TComponent*) {}

const FormMethod* TComponent::FindMethod(std::string_view) const
{
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    const auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end()) components_.erase(it);
    component->owner_ = nullptr;
}

}  // namespace ui
