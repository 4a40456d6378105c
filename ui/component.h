#pragma once
// TComponent: names, ownership and the loading state.
//
// Ownership: a component created with an owner is destroyed by that owner,
// last created first, unless it is destroyed earlier, in which case it leaves
// the owner's list. Loading: while a stored layout is read (csLoading), property
// setters only store their values; Loaded runs once on every component after
// the whole layout has been read, and the base Loaded ends the loading state.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/types.h"

namespace ui {

class ReadContext;
struct FormProperty;

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2 };

// An event handler of a form, bound by name to event properties of a stored layout.
using FormMethod =
    std::variant<TNotifyEvent, TCloseQueryEvent, TCloseEvent, TKeyEvent, TKeyPressEvent, TMouseEvent, TMouseMoveEvent>;

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    // The owned component of that name (case-insensitive), or null.
    TComponent* FindComponent(std::string_view name) const;

    const std::string& Name() const { return name_; }
    // Names are unique among the components of one owner.
    void SetName(std::string name);

    unsigned ComponentState() const { return state_; }
    bool Loading() const { return (state_ & csLoading) != 0; }
    bool Destroying() const { return (state_ & csDestroying) != 0; }

    std::intptr_t Tag = 0;

    // Enters the loading state; the form reader calls it before the first property.
    void BeginLoading() { state_ |= csLoading; }
    // Runs after the whole layout is read; overrides call the base first, which
    // ends the loading state.
    virtual void Loaded();

    // Applies one stored property; false when the name is not one of this
    // class's. Overrides handle their own names and defer to the base.
    virtual bool ReadProperty(ReadContext& context, const FormProperty& property);
    // Nested objects of a stored layout are given their enclosing object.
    virtual void SetParentComponent(TComponent* parent);
    // A handler of this component (a form) that stored layouts may name.
    virtual const FormMethod* FindMethod(std::string_view name) const;

protected:
    void MarkDestroying() { state_ |= csDestroying; }

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::string name_;
    unsigned state_ = 0;
};

bool SameText(std::string_view a, std::string_view b);

}  // namespace ui
