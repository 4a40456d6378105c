// Ownership and destruction, the loading state with Loaded, and reading
// stored layouts: the mechanisms every form of the system is built on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/graphics.h"
#include "ui/group_box.h"
#include "ui/module_instance.h"

namespace {

std::vector<std::string> g_log;

// Records its life and how its property was set.
class Probe : public ui::TComponent {
public:
    explicit Probe(ui::TComponent* owner) : ui::TComponent(owner) {}
    ~Probe() override { g_log.push_back("destroy " + Name()); }

    void SetValue(int value)
    {
        value_ = value;
        g_log.push_back(Name() + (Loading() ? " store " : " apply ") + std::to_string(value));
    }
    int Value() const { return value_; }
    Probe* Peer() const { return peer_; }
    int LoadedCalls() const { return loadedCalls_; }

    bool ReadProperty(ui::ReadContext& context, const ui::FormProperty& property) override
    {
        if (ui::SameText(property.name, "Value")) {
            SetValue(ui::AsInt32(property));
        } else if (ui::SameText(property.name, "Peer")) {
            context.Fixup(property, [this](ui::TComponent* c) { peer_ = dynamic_cast<Probe*>(c); });
        } else {
            return ui::TComponent::ReadProperty(context, property);
        }
        return true;
    }

    void Loaded() override
    {
        ui::TComponent::Loaded();
        ++loadedCalls_;
        std::string line = "loaded " + Name() + (Loading() ? " (still loading)" : "");
        if (peer_ != nullptr) line += " peer " + peer_->Name() + "=" + std::to_string(peer_->Value());
        g_log.push_back(line);
    }

private:
    int value_ = 0;
    Probe* peer_ = nullptr;
    int loadedCalls_ = 0;
};

class ProbeButton : public ui::TButton {
public:
    explicit ProbeButton(ui::TComponent* owner) : ui::TButton(owner) {}
    ~ProbeButton() override { g_log.push_back("destroy " + Name()); }
};

const ui::ComponentClass kProbeClasses[] = {
    {"TProbe", &ui::CreateComponent<Probe>},
    {"TProbeButton", &ui::CreateComponent<ProbeButton>},
};

class TestForm : public ui::TForm {
public:
    explicit TestForm(ui::TComponent* owner = nullptr) : ui::TForm(owner) {}
    ~TestForm() override { g_log.push_back("destroy form"); }
};

class Components : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(Components, OwnerDestroysWhatItOwnsLastCreatedFirst)
{
    auto* owner = new Probe(nullptr);
    owner->SetName("A");
    for (const char* name : {"B", "C", "D"}) (new Probe(owner))->SetName(name);
    delete owner;
    EXPECT_EQ(g_log, (std::vector<std::string>{"destroy A", "destroy D", "destroy C", "destroy B"}));
}

TEST_F(Components, ComponentDestroyedFirstLeavesItsOwner)
{
    Probe owner(nullptr);
    auto* b = new Probe(&owner);
    b->SetName("B");
    auto* c = new Probe(&owner);
    c->SetName("C");
    delete b;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), c);
    EXPECT_EQ(owner.FindComponent("b"), nullptr);
    EXPECT_EQ(owner.FindComponent("c"), c);
}

TEST_F(Components, NamesAreUniqueAmongOneOwnersComponents)
{
    Probe owner(nullptr);
    (new Probe(&owner))->SetName("Same");
    auto* other = new Probe(&owner);
    EXPECT_THROW(other->SetName("SAME"), ui::EInvalidOperation);
    Probe elsewhere(nullptr);
    EXPECT_NO_THROW(elsewhere.SetName("Same"));
}

TEST_F(Components, ParentDestroysItsChildrenAndTheirWindowsWhoeverOwnsThem)
{
    auto* form = new TestForm();
    auto* group = new ui::TGroupBox(form);
    group->SetName("Group");
    group->SetParent(form);
    auto* inside = new ProbeButton(form);  // owned by the form, child of the group
    inside->SetName("Inside");
    inside->SetParent(group);
    auto* orphan = new ProbeButton(nullptr);  // owned by nobody, child of the group
    orphan->SetName("Orphan");
    orphan->SetParent(group);
    auto* outside = new ProbeButton(form);
    outside->SetName("Outside");
    outside->SetParent(form);
    form->HandleNeeded();
    const std::array<HWND, 3> gone{group->Handle(), inside->Handle(), orphan->Handle()};
    const HWND kept = outside->Handle();

    delete group;
    for (HWND window : gone) EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindow(kept));
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "destroy Inside"), 1);
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "destroy Orphan"), 1);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->Components(0), outside);

    const HWND formWindow = form->Handle();
    delete form;
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(kept));
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "destroy Outside"), 1);
}

TEST_F(Components, SettersOnlyStoreWhileLoadingAndLoadedRunsOnceOnEachAfterAllIsRead)
{
    TestForm form;
    form.ReadFormText(
        "object Root: TestForm\n"
        "  object First: TProbe\n"
        "    Value = 1\n"
        "    Peer = Last\n"
        "  end\n"
        "  object Last: TProbe\n"
        "    Value = 2\n"
        "  end\n"
        "end\n",
        kProbeClasses);
    const std::vector<std::string> expected{
        "First store 1", "Last store 2", "loaded First peer Last=2", "loaded Last",
    };
    EXPECT_EQ(g_log, expected);
    auto* first = form.Field<Probe>("First");
    EXPECT_EQ(first->LoadedCalls(), 1);
    EXPECT_FALSE(first->Loading());
    EXPECT_FALSE(form.Loading());
    EXPECT_EQ(form.Name(), "Root");
    first->SetValue(5);
    EXPECT_EQ(g_log.back(), "First apply 5");
}

TEST_F(Components, RadioGroupTakesItsStoredIndexEvenBeforeItsItems)
{
    TestForm form;
    form.ReadFormText(
        "object F: TestForm\n"
        "  object Group: TRadioGroup\n"
        "    ItemIndex = 1\n"
        "    Items.Strings = (\n"
        "      'a'\n"
        "      'b')\n"
        "  end\n"
        "end\n");
    auto* group = form.Field<ui::TRadioGroup>("Group");
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(0)->Checked());

    ui::TRadioGroup loose(nullptr);  // outside loading, an index beyond the items is clamped
    loose.SetItemIndex(1);
    EXPECT_EQ(loose.ItemIndex(), -1);
}

TEST_F(Components, StoredTabOrdersBecomePlacesInTheParentsList)
{
    TestForm form;
    form.ReadFormText(
        "object F: TestForm\n"
        "  object A: TButton\n    TabOrder = 2\n  end\n"
        "  object B: TButton\n    TabOrder = 0\n  end\n"
        "  object C: TButton\n    TabOrder = 1\n  end\n"
        "end\n");
    std::vector<ui::TWinControl*> order;
    form.GetTabOrderList(order);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0]->Name(), "B");
    EXPECT_EQ(order[1]->Name(), "C");
    EXPECT_EQ(order[2]->Name(), "A");
    form.Field<ui::TButton>("A")->SetTabOrder(0);
    EXPECT_EQ(form.Field<ui::TButton>("B")->TabOrder(), 1);
    EXPECT_EQ(form.Field<ui::TButton>("A")->TabOrder(), 0);
}

TEST_F(Components, LayoutEventsBindToTheFormsHandlers)
{
    TestForm form;
    int clicks = 0;
    bool createdAfterLoading = false;
    form.RegisterMethod("ButtonClick", ui::TNotifyEvent([&](ui::TObject*) { ++clicks; }));
    form.RegisterMethod("FormCreate", ui::TNotifyEvent([&](ui::TObject*) {
                            createdAfterLoading = !form.Loading() && !form.Field<ui::TButton>("B")->Loading();
                        }));
    form.ReadFormText(
        "object F: TestForm\n"
        "  OnCreate = FormCreate\n"
        "  object B: TButton\n    OnClick = ButtonClick\n  end\n"
        "end\n");
    form.Field<ui::TButton>("B")->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(createdAfterLoading);
}

struct BadLayout {
    const char* text;
    const char* message;
};

TEST_F(Components, BrokenLayoutsAreRefusedWithTheReason)
{
    const BadLayout cases[] = {
        {"object F: TestForm\n  object X: TNoSuchClass\n  end\nend\n", "class TNoSuchClass not found"},
        {"object F: TestForm\n  Colour = 1\nend\n", "Colour: no such property"},
        {"object F: TestForm\n  object B: TButton\n    Default = 1\n  end\nend\n", "True or False expected"},
        {"object F: TestForm\n  object B: TButton\n    Left = 'x'\n  end\nend\n", "integer expected"},
        {"object F: TestForm\n  object B: TButton\n    OnClick = Missing\n  end\nend\n", "no handler named Missing"},
        {"object F: TestForm\n  object P: TProbe\n    Peer = Nobody\n  end\nend\n", "no component named Nobody"},
        {"object F: TestForm\n  object B: TButton\n  end\n  object B: TButton\n  end\nend\n", "already exists"},
        {"object F: TestForm\n  PixelsPerInch = 120\nend\n", "96 pixels per inch"},
        {"object F: TestForm\n  BorderStyle = bsRound\nend\n", "unknown value bsRound"},
        {"object F: TestForm\n  object P: TProbe\n    object B: TButton\n    end\n  end\nend\n",
         "not inside a windowed control"},
        {"object F: TestForm\n  Caption = 'open\nend\n", "line 2: unterminated string"},
    };
    for (const BadLayout& c : cases) {
        TestForm form;
        try {
            form.ReadFormText(c.text, kProbeClasses);
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const ui::EReadError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << "expected \"" << c.message << "\", got \"" << e.what() << "\"";
        }
    }
}

TEST_F(Components, LayoutsComeFromTheModulesResources)
{
    TestForm form;
    form.ReadForm("UITESTFORM");
    EXPECT_EQ(form.Field<ui::TButton>("Stored")->Caption(), "From the resource");
    TestForm other;
    EXPECT_THROW(other.ReadForm("NOSUCHFORM"), ui::EReadError);
}

TEST_F(Components, BitmapsComeFromTheModulesResources)
{
#ifndef UI_TEST_HAS_GLYPH
    GTEST_SKIP() << "built without ImageMagick, no test bitmap";
#endif
    ui::TBitmap glyph;
    glyph.LoadFromResourceName(ui::ModuleInstance(), "UITESTGLYPH");
    EXPECT_EQ(glyph.Width(), 18);
    EXPECT_EQ(glyph.Height(), 6);
    EXPECT_THROW(glyph.LoadFromResourceName(ui::ModuleInstance(), "NOSUCHGLYPH"), ui::EOSError);
}

TEST_F(Components, ModuleInstanceIsTheOneGivenElseTheModuleOfTheCode)
{
    EXPECT_EQ(ui::ModuleInstance(), GetModuleHandleA(nullptr));  // a test program links the layer itself
    void* other = GetModuleHandleA("user32.dll");
    ui::SetModuleInstance(other);
    EXPECT_EQ(ui::ModuleInstance(), other);
    ui::SetModuleInstance(nullptr);
    EXPECT_EQ(ui::ModuleInstance(), GetModuleHandleA(nullptr));
}

}  // namespace
