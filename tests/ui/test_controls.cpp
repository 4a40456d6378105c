// Controls whose faults would hide behind the platform: a graphic button that
// captures the mouse through its parent, a radio group driven by the keyboard,
// and an edit control's named message handlers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/gui_test_support.h"
#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/group_box.h"
#include "ui/speed_button.h"

namespace {

using uitest::Do;
using uitest::WhenShown;
using uitest::Script;
using uitest::Watchdog;

HWND g_dialog = nullptr;

void PostMouse(UINT message, int x, int y)
{
    PostMessageA(g_dialog, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

class SpeedButtonForm : public ui::TForm {
public:
    SpeedButtonForm() : ui::TForm(nullptr)
    {
        ReadFormText(
            "object F: SpeedButtonForm\n"
            "  Caption = 'Speed Button Test'\n"
            "  ClientWidth = 200\n  ClientHeight = 100\n"
            "  object Speed: TSpeedButton\n    Left = 10\n    Top = 10\n    Width = 40\n    Height = 30\n  end\n"
            "  object Close: TButton\n    Left = 100\n    Top = 60\n    Caption = 'Close'\n    Cancel = True\n"
            "    ModalResult = 2\n  end\n"
            "end\n");
    }
};

struct MouseCase {
    const char* name;
    POINT release;  // form client coordinates
    POINT dragThrough;
    int clicks;
};

TEST(SpeedButton, CapturesTheMouseThroughItsParentAndClicksOnlyOnReleaseOverIt)
{
    const MouseCase cases[] = {
        {"press and release over it", {20, 20}, {25, 25}, 1},
        {"dragged off and released outside", {150, 90}, {150, 90}, 0},
        {"dragged off and back, released over it", {30, 30}, {150, 90}, 1},
    };
    for (const MouseCase& c : cases) {
        SpeedButtonForm form;
        auto* speed = form.Field<ui::TSpeedButton>("Speed");
        int clicks = 0;
        speed->OnClick = [&](ui::TObject*) { ++clicks; };
        bool capturedWhileHeld = false;
        bool downWhileHeld = false;
        bool upWhileOff = false;
        bool releasedCapture = false;
        Watchdog watchdog;
        Script script({WhenShown("Speed Button Test", g_dialog), Do([] { PostMouse(WM_LBUTTONDOWN, 20, 20); }), Do([&] {
                           capturedWhileHeld = speed->MouseCapture() && GetCapture() == g_dialog;
                           downWhileHeld = speed->State() == ui::TButtonState::bsDown;
                           PostMouse(WM_MOUSEMOVE, c.dragThrough.x, c.dragThrough.y);
                       }),
                       Do([&] {
                           upWhileOff = c.dragThrough.x < 50 || speed->State() == ui::TButtonState::bsUp;
                           PostMouse(WM_MOUSEMOVE, c.release.x, c.release.y);
                           PostMouse(WM_LBUTTONUP, c.release.x, c.release.y);
                       }),
                       Do([&] {
                           releasedCapture = GetCapture() == nullptr && !speed->MouseCapture();
                           uitest::PostKey(VK_ESCAPE);
                       })});
        form.ShowModal();
        EXPECT_FALSE(watchdog.Fired()) << c.name << " stuck before step " << script.StepsDone();
        EXPECT_TRUE(capturedWhileHeld) << c.name;
        EXPECT_TRUE(downWhileHeld) << c.name;
        EXPECT_TRUE(upWhileOff) << c.name;
        EXPECT_TRUE(releasedCapture) << c.name;
        EXPECT_EQ(clicks, c.clicks) << c.name;
        EXPECT_EQ(speed->State(), ui::TButtonState::bsUp) << c.name;
    }
}

class RadioForm : public ui::TForm {
public:
    RadioForm() : ui::TForm(nullptr)
    {
        ReadFormText(
            "object F: RadioForm\n"
            "  Caption = 'Radio Test'\n"
            "  ClientWidth = 200\n  ClientHeight = 120\n"
            "  object Group: TRadioGroup\n    Left = 8\n    Top = 8\n    Width = 180\n    Height = 70\n"
            "    Caption = ' Items '\n    ItemIndex = 0\n    Items.Strings = (\n      'a'\n      'b'\n      'c')\n"
            "    TabOrder = 0\n  end\n"
            "  object Ok: TButton\n    Left = 60\n    Top = 88\n    Caption = 'OK'\n    Default = True\n"
            "    ModalResult = 1\n    TabOrder = 1\n  end\n"
            "end\n");
    }
};

TEST(RadioGroup, ArrowKeysMoveTheCheckTabLeavesTheGroup)
{
    RadioForm form;
    auto* group = form.Field<ui::TRadioGroup>("Group");
    std::vector<int> clickedIndexes;
    group->OnClick = [&](ui::TObject*) { clickedIndexes.push_back(group->ItemIndex()); };
    std::vector<std::string> focus;
    auto step = [&](WORD key) {
        return Do([&focus, key] {
            focus.push_back(uitest::WindowText(GetFocus()));
            uitest::PostKey(key);
        });
    };
    Watchdog watchdog;
    Script script({WhenShown("Radio Test", g_dialog), step(VK_DOWN), step(VK_DOWN), step(VK_DOWN), step(VK_UP), step(VK_TAB),
                   step(VK_TAB), step(VK_RETURN)});
    EXPECT_EQ(form.ShowModal(), ui::mrOk);
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_EQ(focus, (std::vector<std::string>{"a", "b", "c", "a", "c", "OK", "c"}));
    EXPECT_EQ(clickedIndexes, (std::vector<int>{1, 2, 0, 2}));
    EXPECT_EQ(group->ItemIndex(), 2);
}

// An edit acting as a single line although multi-line (as a control that
// sets its own text rectangle must be), with counting handlers.
class CountingEdit : public ui::TCustomEdit {
public:
    explicit CountingEdit(ui::TComponent* owner) : ui::TCustomEdit(owner) {}

    std::vector<std::string> calls;
    bool allowPaste = false;

protected:
    void CreateParams(TCreateParams& params) override
    {
        ui::TCustomEdit::CreateParams(params);
        params.style |= ES_MULTILINE;
    }
    void WMSize(ui::TMessage& message) override
    {
        calls.push_back("WMSize " + std::to_string(LOWORD(message.LParam)) + "x" +
                        std::to_string(HIWORD(message.LParam)));
        ui::TCustomEdit::WMSize(message);
    }
    void WMCut(ui::TMessage& message) override
    {
        calls.push_back("WMCut");
        ui::TCustomEdit::WMCut(message);
    }
    void WMPaste(ui::TMessage& message) override
    {
        calls.push_back("WMPaste");
        if (allowPaste) ui::TCustomEdit::WMPaste(message);
    }
    void CMEnter(ui::TMessage& message) override
    {
        calls.push_back("CMEnter");
        ui::TCustomEdit::CMEnter(message);
    }
    void CMExit(ui::TMessage& message) override
    {
        calls.push_back("CMExit");
        ui::TCustomEdit::CMExit(message);
    }
};

const ui::ComponentClass kCountingClasses[] = {{"TCountingEdit", &ui::CreateComponent<CountingEdit>}};

class EditForm : public ui::TForm {
public:
    EditForm() : ui::TForm(nullptr)
    {
        ReadFormText(
            "object F: EditForm\n"
            "  Caption = 'Edit Test'\n"
            "  ClientWidth = 200\n  ClientHeight = 80\n"
            "  object Edit: TCountingEdit\n    Left = 8\n    Top = 8\n    Text = 'abcdef'\n    TabOrder = 0\n  end\n"
            "  object Ok: TButton\n    Left = 60\n    Top = 44\n    Caption = 'OK'\n    Default = True\n"
            "    ModalResult = 1\n    TabOrder = 1\n  end\n"
            "end\n",
            kCountingClasses);
    }
};

TEST(CustomEdit, NamedHandlersSeeTheirMessagesAndEnterStillReachesTheDefaultButton)
{
    EditForm form;
    auto* edit = form.Field<CountingEdit>("Edit");
    std::vector<std::string> texts;
    int changes = 0;
    edit->OnChange = [&](ui::TObject*) { ++changes; };
    Watchdog watchdog;
    bool enteredAtShow = false;
    Script script({WhenShown("Edit Test", g_dialog), Do([&] {
                       enteredAtShow = !edit->calls.empty() && edit->calls.back() == "CMEnter";
                       edit->calls.clear();
                       HWND window = edit->Handle();
                       SendMessageA(window, EM_SETSEL, 0, 2);
                       SendMessageA(window, WM_CUT, 0, 0);  // allowed through: "ab" goes to the clipboard
                       texts.push_back(edit->Text());
                       SendMessageA(window, WM_PASTE, 0, 0);  // dropped by the handler: nothing comes back
                       texts.push_back(edit->Text());
                       edit->allowPaste = true;
                       SendMessageA(window, EM_SETSEL, 0, 0);
                       SendMessageA(window, WM_PASTE, 0, 0);
                       texts.push_back(edit->Text());
                       edit->calls.push_back("resize");
                       edit->SetBounds(8, 8, 150, 24);
                       uitest::PostKey(VK_TAB);
                   }),
                   Do([] { uitest::PostKey(VK_TAB); }), Do([] { uitest::PostKey(VK_RETURN); })});
    EXPECT_EQ(form.ShowModal(), ui::mrOk);
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_EQ(texts, (std::vector<std::string>{"cdef", "cdef", "abcdef"}));
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(enteredAtShow);
    EXPECT_EQ(edit->calls, (std::vector<std::string>{"WMCut", "WMPaste", "WMPaste", "resize", "WMSize 146x20",
                                                     "CMExit", "CMEnter"}));
    EXPECT_EQ(edit->Text(), "abcdef");  // Enter went to the default button, not into the text
}

}  // namespace
