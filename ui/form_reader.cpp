#include "ui/form_reader.h"

#include <windows.h>

#include <limits>

#include "ui/module_instance.h"

namespace ui {

namespace {

[[noreturn]] void BadValue(const FormProperty& property, const char* expected)
{
    throw EReadError(ReadContext::Where(property) + expected + " expected");
}

struct ColorName {
    const char* name;
    TColor color;
};

constexpr ColorName kColorNames[] = {
    {"clBtnFace", clBtnFace},   {"clBtnShadow", clBtnShadow}, {"clBtnHighlight", clBtnHighlight},
    {"clBtnText", clBtnText},   {"clWindow", clWindow},       {"clWindowText", clWindowText},
    {"clGrayText", clGrayText}, {"clBlack", clBlack},         {"clWhite", clWhite},
    {"clGray", clGray},         {"clSilver", clSilver},       {"clOlive", clOlive},
};

}  // namespace

ReadContext::ReadContext(TComponent& root, std::span<const ComponentClass> extraClasses)
    : root_(root), extraClasses_(extraClasses)
{
}

std::string ReadContext::Where(const FormProperty& property)
{
    return "line " + std::to_string(property.line) + ", " + property.name + ": ";
}

void ReadContext::Fixup(const FormProperty& property, std::function<void(TComponent*)> assign)
{
    AsIdent(property);
    fixups_.push_back({property, std::move(assign)});
}

const FormMethod* ReadContext::FindRootMethod(const FormProperty& property) const
{
    const std::string name = AsIdent(property);
    const FormMethod* method = root_.FindMethod(name);
    if (method == nullptr) throw EReadError(Where(property) + "no handler named " + name);
    return method;
}

TComponent* ReadContext::Create(const FormObject& object)
{
    for (const auto classes : {extraClasses_, StandardClasses()}) {
        for (const ComponentClass& c : classes) {
            if (SameText(c.name, object.className)) return c.create(&root_);
        }
    }
    throw EReadError("line " + std::to_string(object.line) + ": class " + object.className + " not found");
}

void ReadContext::ReadObject(TComponent& component, const FormObject& object, std::vector<TComponent*>& loaded)
{
    for (const FormProperty& property : object.properties) {
        if (!component.ReadProperty(*this, property)) {
            throw EReadError(Where(property) + "no such property in " + object.className + " " + object.name);
        }
    }
    for (const FormObject& childObject : object.children) {
        TComponent* child = Create(childObject);
        child->BeginLoading();
        loaded.push_back(child);
        try {
            child->SetName(childObject.name);
        } catch (const EInvalidOperation& e) {
            throw EReadError("line " + std::to_string(childObject.line) + ": " + e.what());
        }
        child->SetParentComponent(&component);
        ReadObject(*child, childObject, loaded);
    }
}

void ReadContext::ResolveFixups()
{
    for (PendingFixup& fixup : fixups_) {
        const std::string& name = fixup.property.value.text;
        TComponent* target = SameText(name, root_.Name()) ? &root_ : root_.FindComponent(name);
        if (target == nullptr) throw EReadError(Where(fixup.property) + "no component named " + name);
        fixup.assign(target);
    }
    fixups_.clear();
}

void ReadComponentText(TComponent& root, std::string_view text, std::span<const ComponentClass> extraClasses)
{
    FormObject object;
    try {
        object = ParseFormText(text);
    } catch (const FormSyntaxError& e) {
        throw EReadError(e.what());
    }
    ReadContext context(root, extraClasses);
    std::vector<TComponent*> loaded{&root};
    root.BeginLoading();
    root.SetName(object.name);
    context.ReadObject(root, object, loaded);
    context.ResolveFixups();
    for (TComponent* component : loaded) {
        component->Loaded();
    }
}

void ReadComponentResource(TComponent& root, const char* resourceName, std::span<const ComponentClass> extraClasses)
{
    const auto module = static_cast<HMODULE>(ModuleInstance());
    HRSRC info = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL data = info != nullptr ? LoadResource(module, info) : nullptr;
    const void* bytes = data != nullptr ? LockResource(data) : nullptr;
    if (bytes == nullptr) {
        throw EReadError(std::string("form resource ") + resourceName + " not found");
    }
    ReadComponentText(root, std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info)),
                      extraClasses);
}

std::int64_t AsInt(const FormProperty& property)
{
    if (property.value.kind != FormValue::Kind::Integer) BadValue(property, "integer");
    return property.value.integer;
}

int AsInt32(const FormProperty& property)
{
    const std::int64_t value = AsInt(property);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        BadValue(property, "32-bit integer");
    }
    return static_cast<int>(value);
}

double AsDouble(const FormProperty& property)
{
    if (property.value.kind == FormValue::Kind::Real) return property.value.real;
    if (property.value.kind == FormValue::Kind::Integer) return static_cast<double>(property.value.integer);
    BadValue(property, "number");
}

bool AsBool(const FormProperty& property)
{
    if (property.value.kind == FormValue::Kind::Ident) {
        if (SameText(property.value.text, "True")) return true;
        if (SameText(property.value.text, "False")) return false;
    }
    BadValue(property, "True or False");
}

std::string AsString(const FormProperty& property)
{
    if (property.value.kind != FormValue::Kind::String) BadValue(property, "string");
    return property.value.text;
}

std::string AsIdent(const FormProperty& property)
{
    if (property.value.kind != FormValue::Kind::Ident) BadValue(property, "identifier");
    return property.value.text;
}

std::vector<std::string> AsSet(const FormProperty& property)
{
    if (property.value.kind != FormValue::Kind::Set) BadValue(property, "set");
    return property.value.members;
}

std::vector<std::string> AsStrings(const FormProperty& property)
{
    if (property.value.kind != FormValue::Kind::List) BadValue(property, "list of strings");
    std::vector<std::string> strings;
    for (const FormValue& item : property.value.items) {
        if (item.kind != FormValue::Kind::String) BadValue(property, "list of strings");
        strings.push_back(item.text);
    }
    return strings;
}

TColor AsColor(const FormProperty& property)
{
    if (property.value.kind == FormValue::Kind::Integer) {
        return static_cast<TColor>(property.value.integer);
    }
    const std::string ident = AsIdent(property);
    for (const ColorName& c : kColorNames) {
        if (SameText(ident, c.name)) return c.color;
    }
    throw EReadError(ReadContext::Where(property) + "unknown colour " + ident);
}

}  // namespace ui
