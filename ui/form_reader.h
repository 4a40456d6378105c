#pragma once
// Reads a stored form layout into a root component (a form): creates the
// nested components by class name, owned by the root and parented to their
// enclosing object, applies every property while each component is in the
// loading state, resolves references between components, and then calls
// Loaded on each component, the root first, then in the order read.

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/component.h"
#include "ui/form_text.h"

namespace ui {

// A class that stored layouts may name.
struct ComponentClass {
    const char* name;
    TComponent* (*create)(TComponent* owner);
};

template <class T>
TComponent* CreateComponent(TComponent* owner)
{
    return new T(owner);
}

// The classes of this layer (TButton, TRadioGroup, ...).
std::span<const ComponentClass> StandardClasses();

class ReadContext {
public:
    ReadContext(TComponent& root, std::span<const ComponentClass> extraClasses);

    TComponent& Root() const { return root_; }

    // Sets up a reference to another component of the layout, named by the
    // property's identifier; assign runs once all components exist.
    void Fixup(const FormProperty& property, std::function<void(TComponent*)> assign);

    // The root's handler named by the property's identifier, of event type E.
    template <class E>
    E Method(const FormProperty& property) const
    {
        const FormMethod* method = FindRootMethod(property);
        if (const E* handler = std::get_if<E>(method)) return *handler;
        throw EReadError(Where(property) + "handler " + property.value.text + " has the wrong type");
    }

    static std::string Where(const FormProperty& property);

private:
    friend void ReadComponentText(TComponent&, std::string_view, std::span<const ComponentClass>);
    TComponent* Create(const FormObject& object);
    void ReadObject(TComponent& component, const FormObject& object, std::vector<TComponent*>& loaded);
    void ResolveFixups();
    const FormMethod* FindRootMethod(const FormProperty& property) const;

    struct PendingFixup {
        FormProperty property;
        std::function<void(TComponent*)> assign;
    };

    TComponent& root_;
    std::span<const ComponentClass> extraClasses_;
    std::vector<PendingFixup> fixups_;
};

// Reads a layout given as text into root.
void ReadComponentText(TComponent& root, std::string_view text, std::span<const ComponentClass> extraClasses = {});
// Reads a layout kept as an RCDATA resource of ModuleInstance().
void ReadComponentResource(TComponent& root, const char* resourceName,
                           std::span<const ComponentClass> extraClasses = {});

// Property values; each throws EReadError naming the line when the value has
// another type.
std::int64_t AsInt(const FormProperty& property);
int AsInt32(const FormProperty& property);
double AsDouble(const FormProperty& property);
bool AsBool(const FormProperty& property);
std::string AsString(const FormProperty& property);
std::string AsIdent(const FormProperty& property);
std::vector<std::string> AsSet(const FormProperty& property);
std::vector<std::string> AsStrings(const FormProperty& property);
TColor AsColor(const FormProperty& property);

template <class Enum>
Enum AsEnum(const FormProperty& property, std::initializer_list<std::pair<const char*, Enum>> names)
{
    const std::string ident = AsIdent(property);
    for (const auto& [name, value] : names) {
        if (SameText(ident, name)) return value;
    }
    throw EReadError(ReadContext::Where(property) + "unknown value " + ident);
}

}  // namespace ui
