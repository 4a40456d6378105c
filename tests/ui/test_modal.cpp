// Modal showing: how each way of answering ends the loop and with which
// result, the owner window, the focus moving between controls with the
// keyboard, and a timer running inside the modal loop.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/gui_test_support.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace {

using uitest::Do;
using uitest::WhenShown;
using uitest::Script;
using uitest::Watchdog;

constexpr const char* kLayout =
    "object Dlg: TestDialog\n"
    "  BorderStyle = bsDialog\n"
    "  Caption = 'Modal Test'\n"
    "  ClientWidth = 330\n"
    "  ClientHeight = 120\n"
    "  Position = poScreenCenter\n"
    "  object Edit: TEdit\n    Left = 8\n    Top = 8\n    TabOrder = 0\n    OnEnter = Entered\n"
    "    OnExit = Left\n  end\n"
    "  object Yes: TButton\n    Left = 8\n    Top = 80\n    Caption = 'Yes'\n    ModalResult = 6\n"
    "    TabOrder = 1\n    OnEnter = Entered\n    OnExit = Left\n  end\n"
    "  object Ok: TButton\n    Left = 88\n    Top = 80\n    Caption = 'OK'\n    Default = True\n"
    "    ModalResult = 1\n    TabOrder = 2\n  end\n"
    "  object Cancel: TButton\n    Left = 168\n    Top = 80\n    Caption = 'Cancel'\n    Cancel = True\n"
    "    ModalResult = 2\n    TabOrder = 3\n  end\n"
    "  object Plain: TButton\n    Left = 248\n    Top = 80\n    Caption = 'Plain'\n    TabOrder = 4\n"
    "    OnClick = PlainClick\n  end\n"
    "end\n";

class TestDialog : public ui::TForm {
public:
    explicit TestDialog(HWND owner = nullptr) : ui::TForm(nullptr)
    {
        SetParentWindow(owner);
        RegisterMethod("Entered", ui::TNotifyEvent([this](ui::TObject* s) { Log("enter", s); }));
        RegisterMethod("Left", ui::TNotifyEvent([this](ui::TObject* s) { Log("exit", s); }));
        RegisterMethod("PlainClick", ui::TNotifyEvent([this](ui::TObject*) { SetModalResult(ui::mrAbort); }));
        ReadFormText(kLayout);
    }

    std::vector<std::string> focusLog;

private:
    void Log(const char* what, ui::TObject* sender)
    {
        focusLog.push_back(std::string(what) + " " + dynamic_cast<ui::TComponent*>(sender)->Name());
    }
};

HWND g_dialog = nullptr;

HWND Child(const char* text)
{
    return uitest::FindChild(g_dialog, text);
}

struct AnswerCase {
    const char* name;
    std::vector<Script::Step> steps;
    ui::TModalResult expected;
};

TEST(ModalLoop, EachAnswerEndsTheLoopWithItsResult)
{
    const std::vector<AnswerCase> cases = {
        {"Enter in the edit clicks the default button", {Do([] { uitest::PostKey(VK_RETURN); })}, ui::mrOk},
        {"Enter on a focused button clicks that button",
         {Do([] { uitest::PostKey(VK_TAB); }), Do([] { uitest::PostKey(VK_RETURN); })},
         ui::mrYes},
        {"Escape clicks the cancel button", {Do([] { uitest::PostKey(VK_ESCAPE); })}, ui::mrCancel},
        {"a mouse click on a button gives its result", {Do([] { uitest::PostClick(Child("Yes")); })}, ui::mrYes},
        {"a handler may set the result", {Do([] { uitest::PostClick(Child("Plain")); })}, ui::mrAbort},
        {"the close box cancels",
         {Do([] { PostMessageA(g_dialog, WM_SYSCOMMAND, SC_CLOSE, 0); })},
         ui::mrCancel},
        {"WM_CLOSE cancels", {Do([] { PostMessageA(g_dialog, WM_CLOSE, 0, 0); })}, ui::mrCancel},
    };
    for (const AnswerCase& c : cases) {
        TestDialog dialog;
        Watchdog watchdog;
        std::vector<Script::Step> steps{WhenShown("Modal Test", g_dialog)};
        steps.insert(steps.end(), c.steps.begin(), c.steps.end());
        Script script(steps);
        EXPECT_EQ(dialog.ShowModal(), c.expected) << c.name;
        EXPECT_FALSE(watchdog.Fired()) << c.name << " stuck before step " << script.StepsDone();
        EXPECT_FALSE(dialog.Visible()) << c.name;
        EXPECT_FALSE(IsWindowVisible(dialog.Handle())) << c.name;
    }
}

TEST(ModalLoop, CloseQueryMayKeepTheDialogOpen)
{
    TestDialog dialog;
    int queries = 0;
    dialog.OnCloseQuery = [&](ui::TObject*, bool& canClose) { canClose = ++queries > 1; };
    bool openAfterRefusal = false;
    Watchdog watchdog;
    Script script({WhenShown("Modal Test", g_dialog), Do([] { uitest::PostKey(VK_ESCAPE); }), [&] {
                       if (queries == 0) return false;
                       openAfterRefusal = IsWindowVisible(g_dialog) != 0 && dialog.ModalResult() == ui::mrNone;
                       return true;
                   },
                   Do([] { uitest::PostKey(VK_ESCAPE); })});
    EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(openAfterRefusal);
}

TEST(ModalLoop, QuitMessageEndsTheLoopAsCancelAndIsPostedAgain)
{
    TestDialog dialog;
    Watchdog watchdog;
    Script script({WhenShown("Modal Test", g_dialog), Do([] { PostQuitMessage(7); })});
    EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(ModalLoop, OwnerIsDisabledWhileModalAndTheDialogIsCentredWithItsClientSize)
{
    HWND owner = CreateWindowExA(0, "STATIC", "Host window", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    TestDialog dialog(owner);
    bool ownerDisabled = false;
    HWND ownerSeen = nullptr;
    LONG style = 0;
    RECT bounds{};
    RECT client{};
    Watchdog watchdog;
    Script script({WhenShown("Modal Test", g_dialog), Do([&] {
                       ownerDisabled = IsWindowEnabled(owner) == 0;
                       ownerSeen = GetWindow(g_dialog, GW_OWNER);
                       style = GetWindowLongA(g_dialog, GWL_STYLE);
                       GetWindowRect(g_dialog, &bounds);
                       client = uitest::ClientSize(g_dialog);
                       uitest::PostKey(VK_ESCAPE);
                   })});
    dialog.ShowModal();
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(ownerSeen, owner);
    EXPECT_EQ(style & WS_CHILD, 0);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(client.right, 330);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_LE(std::abs((bounds.left + bounds.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((bounds.top + bounds.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    DestroyWindow(owner);
}

TEST(ModalLoop, TabMovesTheFocusInTabOrderWithEnterAndExitNotices)
{
    TestDialog dialog;
    std::vector<std::string> focused;
    auto recordFocus = [&] {
        focused.push_back(uitest::WindowText(GetFocus()));
        uitest::PostKey(VK_TAB);
    };
    Watchdog watchdog;
    Script script({WhenShown("Modal Test", g_dialog), Do(recordFocus), Do(recordFocus), Do(recordFocus), Do(recordFocus),
                   Do(recordFocus), Do(recordFocus), Do([] { uitest::PostKey(VK_ESCAPE); })});
    dialog.ShowModal();
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_EQ(focused, (std::vector<std::string>{"", "Yes", "OK", "Cancel", "Plain", ""}));
    EXPECT_EQ(dialog.focusLog, (std::vector<std::string>{"enter Edit", "exit Edit", "enter Yes", "exit Yes",
                                                          "enter Edit", "exit Edit", "enter Yes"}));
}

TEST(ModalLoop, TimerTicksInsideTheModalLoopAndStopsWhenDisabled)
{
    TestDialog dialog;
    auto* timer = new ui::TTimer(&dialog);
    int ticks = 0;
    timer->SetInterval(20);
    timer->SetOnTimer([&](ui::TObject* sender) {
        EXPECT_EQ(sender, timer);
        if (++ticks == 3) {
            timer->SetEnabled(false);
            dialog.SetModalResult(ui::mrOk);
        }
    });
    Watchdog watchdog;
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_FALSE(watchdog.Fired());
    const DWORD until = GetTickCount() + 150;
    while (static_cast<LONG>(GetTickCount() - until) < 0) {
        ui::Application().ProcessMessages();
        Sleep(10);
    }
    EXPECT_EQ(ticks, 3);
}

class MainForm : public ui::TForm {
public:
    explicit MainForm(ui::TComponent* owner) : ui::TForm(owner)
    {
        ReadFormText("object Main: MainForm\n  Caption = 'Main Window'\n  ClientWidth = 200\n  ClientHeight = 80\nend\n");
    }
};

TEST(Application, HasItsOwnHiddenTopLevelWindowAndRunsUntilTheMainFormCloses)
{
    ui::TApplication& application = ui::Application();
    application.Initialize();
    const HWND own = application.Handle();
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(IsWindowVisible(own));
    EXPECT_EQ(GetWindowLongA(own, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(uitest::WindowText(own), application.Title());

    auto* form = application.CreateForm<MainForm>();
    EXPECT_EQ(application.MainForm(), form);
    bool shown = false;
    Watchdog watchdog;
    Script script({[&] {
        HWND main = uitest::FindThreadWindow("Main Window");
        if (main == nullptr) return false;
        shown = true;
        PostMessageA(main, WM_CLOSE, 0, 0);
        return true;
    }});
    application.Run();
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_TRUE(shown);
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // consumed by Run
    delete form;
    EXPECT_EQ(application.MainForm(), nullptr);
}

}  // namespace
