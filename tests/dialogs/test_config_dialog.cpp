// The data size dialog in a real window, answered with real messages: the
// preselection, every way of confirming and cancelling, the stored layout,
// and that no dialog outlives its call.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/config_dialog.h"
#include "dialogs/simulator_config_dlg.h"
#include "tests/ui/gui_test_support.h"
#include "ui/application.h"

namespace {

using uitest::Script;
using uitest::Watchdog;

constexpr const char* kCaption = "Simulator Configuration";

HWND g_dialog = nullptr;

struct Seen {
    bool shown = false;
    bool instanceWhileShown = false;
    int checkedIndex = -1;
};

// Waits for the dialog, then records what it shows on entry.
Script::Step WhenShown(Seen& seen)
{
    return [&seen] {
        g_dialog = uitest::FindThreadWindow(kCaption);
        if (g_dialog == nullptr) return false;
        seen.shown = true;
        seen.instanceWhileShown = dialogs::SimulatorConfigDlg != nullptr &&
                                  dialogs::SimulatorConfigDlg->Handle() == g_dialog;
        if (uitest::IsChecked(uitest::FindChild(g_dialog, "1024"))) seen.checkedIndex = 0;
        if (uitest::IsChecked(uitest::FindChild(g_dialog, "2048"))) seen.checkedIndex = 1;
        return true;
    };
}

Script::Step Do(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

Script::Step Click(const char* text)
{
    return Do([text] { uitest::PostClick(uitest::FindChild(g_dialog, text)); });
}

Script::Step Key(WORD key)
{
    return Do([key] { uitest::PostKey(key); });
}

Script::Step CloseBox()
{
    return Do([] { PostMessageA(g_dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

struct DialogCase {
    const char* name;
    std::int32_t sizeOnEntry;
    std::vector<Script::Step> answer;
    int checkedOnEntry;
    bool confirmed;
    std::int32_t sizeAfter;
};

TEST(ConfigDialog, PreselectsByTheSizeAndAnswersAsTheUserChose)
{
    const std::vector<DialogCase> cases = {
        {"size 0, Enter", 0, {Key(VK_RETURN)}, 0, true, 1024},
        {"size 2047, Enter", 2047, {Key(VK_RETURN)}, 0, true, 1024},
        {"size 2048, Enter", 2048, {Key(VK_RETURN)}, 1, true, 2048},
        {"size 4096, Enter", 4096, {Key(VK_RETURN)}, 1, true, 2048},
        {"negative size, Enter", -5, {Key(VK_RETURN)}, 0, true, 1024},
        {"clicking 2048, Enter", 0, {Click("2048"), Key(VK_RETURN)}, 0, true, 2048},
        {"clicking 1024, OK clicked", 4096, {Click("1024"), Click("OK")}, 1, true, 1024},
        {"arrow to 2048, Enter", 0, {Key(VK_RIGHT), Key(VK_RETURN)}, 0, true, 2048},
        {"size 0, Escape", 0, {Key(VK_ESCAPE)}, 0, false, 0},
        {"clicking 2048, Escape", 0, {Click("2048"), Key(VK_ESCAPE)}, 0, false, 0},
        {"clicking 1024, close box", 4096, {Click("1024"), CloseBox()}, 1, false, 4096},
        {"clicking 2048, WM_CLOSE", 7, {Click("2048"), Do([] { PostMessageA(g_dialog, WM_CLOSE, 0, 0); })}, 0,
         false, 7},
        {"clicking 2048, Cancel clicked", 1024, {Click("2048"), Click("Cancel")}, 0, false, 1024},
    };
    for (const DialogCase& c : cases) {
        Seen seen;
        std::vector<Script::Step> steps{WhenShown(seen)};
        steps.insert(steps.end(), c.answer.begin(), c.answer.end());
        Watchdog watchdog;
        Script script(steps);
        std::int32_t size = c.sizeOnEntry;
        const bool confirmed = dialogs::ShowConfigDialog(nullptr, size);
        EXPECT_FALSE(watchdog.Fired()) << c.name << " stuck before step " << script.StepsDone();
        EXPECT_TRUE(seen.shown) << c.name;
        EXPECT_TRUE(seen.instanceWhileShown) << c.name;
        EXPECT_EQ(seen.checkedIndex, c.checkedOnEntry) << c.name;
        EXPECT_EQ(confirmed, c.confirmed) << c.name;
        EXPECT_EQ(size, c.sizeAfter) << c.name;
        EXPECT_EQ(dialogs::SimulatorConfigDlg, nullptr) << c.name;
        EXPECT_FALSE(IsWindow(g_dialog)) << c.name;
        EXPECT_EQ(uitest::FindThreadWindow(kCaption), nullptr) << c.name;
    }
}

struct Placement {
    const char* text;
    RECT bounds;  // left, top, right, bottom in the dialog's client area
};

TEST(ConfigDialog, ShowsItsStoredLayoutAsATopLevelCentredDialog)
{
    RECT client{};
    RECT window{};
    LONG style = 0;
    LONG exStyle = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    std::vector<RECT> bounds;
    std::vector<std::string> tabSequence;
    const Placement expected[] = {
        {" Data size ", {12, 8, 197, 49}},
        {"OK", {28, 64, 103, 89}},
        {"Cancel", {108, 64, 183, 89}},
    };
    auto record = [&] {
        tabSequence.push_back(uitest::WindowText(GetFocus()));
        uitest::PostKey(VK_TAB);
    };
    bool saved = false;
    Seen seen;
    Watchdog watchdog;
    Script script({WhenShown(seen), Do([&] {
                       client = uitest::ClientSize(g_dialog);
                       GetWindowRect(g_dialog, &window);
                       style = GetWindowLongA(g_dialog, GWL_STYLE);
                       exStyle = GetWindowLongA(g_dialog, GWL_EXSTYLE);
                       owner = GetWindow(g_dialog, GW_OWNER);
                       for (const Placement& p : expected) {
                           bounds.push_back(uitest::ClientRectIn(uitest::FindChild(g_dialog, p.text), g_dialog));
                       }
                       RedrawWindow(g_dialog, nullptr, nullptr,
                                    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
                   }),
                   Do([&] {
                       const std::string dir = uitest::ScreenshotDir();
                       saved = dir.empty() || uitest::SaveWindowBitmap(g_dialog, dir + "/simulator-config.bmp");
                   }),
                   Do(record), Do(record), Do(record), Do(record), Key(VK_ESCAPE)});
    std::int32_t size = 0;
    EXPECT_FALSE(dialogs::ShowConfigDialog(nullptr, size));
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_TRUE(saved);
    EXPECT_EQ(client.right, 212);
    EXPECT_EQ(client.bottom, 99);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(style & WS_CHILD, 0);
    EXPECT_NE(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0);
    EXPECT_LE(std::abs((window.left + window.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    ASSERT_EQ(bounds.size(), std::size(expected));
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const RECT& want = expected[i].bounds;
        const RECT& got = bounds[i];
        EXPECT_TRUE(EqualRect(&want, &got))
            << expected[i].text << ": expected " << want.left << "," << want.top << "," << want.right << ","
            << want.bottom << " got " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    // The group comes first in the tab order, entered at its checked item.
    EXPECT_EQ(tabSequence, (std::vector<std::string>{"1024", "OK", "Cancel", "1024"}));
}

TEST(ConfigDialog, BelongsToTheParentWindowGivenAndDisablesItMeanwhile)
{
    HWND parent = CreateWindowExA(0, "STATIC", "Host window", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND owner = nullptr;
    bool parentDisabled = false;
    Seen seen;
    Watchdog watchdog;
    Script script({WhenShown(seen), Do([&] {
                       owner = GetWindow(g_dialog, GW_OWNER);
                       parentDisabled = IsWindowEnabled(parent) == 0;
                       uitest::PostKey(VK_RETURN);
                   })});
    std::int32_t size = 2048;
    EXPECT_TRUE(dialogs::ShowConfigDialog(parent, size));
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_EQ(owner, parent);
    EXPECT_TRUE(parentDisabled);
    EXPECT_TRUE(IsWindowEnabled(parent));
    DestroyWindow(parent);
}

TEST(ConfigDialog, ASecondCallWhileTheDialogIsOpenLeavesItAlone)
{
    bool secondAnswer = true;
    std::int32_t secondSize = 4096;
    bool firstStillOpen = false;
    Seen seen;
    Watchdog watchdog;
    Script script({WhenShown(seen), Do([&] {
                       secondAnswer = dialogs::ShowConfigDialog(nullptr, secondSize);
                       firstStillOpen = IsWindowVisible(g_dialog) != 0 && dialogs::SimulatorConfigDlg != nullptr;
                   }),
                   Click("2048"), Key(VK_RETURN)});
    std::int32_t size = 0;
    EXPECT_TRUE(dialogs::ShowConfigDialog(nullptr, size));
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_FALSE(secondAnswer);
    EXPECT_EQ(secondSize, 4096);
    EXPECT_TRUE(firstStillOpen);
    EXPECT_EQ(size, 2048);
    EXPECT_EQ(dialogs::SimulatorConfigDlg, nullptr);
}

TEST(ConfigDialog, AnExceptionInAHandlerIsShownAndTheDialogStillAnswers)
{
    std::string boxText;
    Seen seen;
    Watchdog watchdog;
    Script script({WhenShown(seen), Do([] {
                       dialogs::SimulatorConfigDlg->DataSizeRB->OnClick = [](ui::TObject*) {
                           throw std::runtime_error("selection handler failed");
                       };
                   }),
                   Click("2048"),
                   [&] {
                       HWND box = uitest::FindMessageBox();
                       if (box == nullptr) return false;
                       boxText = uitest::WindowText(GetDlgItem(box, 0xFFFF));
                       PostMessageA(box, WM_COMMAND, IDOK, 0);
                       return true;
                   },
                   [] { return uitest::FindMessageBox() == nullptr && IsChild(g_dialog, GetFocus()) != 0; },
                   Key(VK_RETURN)});
    std::int32_t size = 0;
    EXPECT_TRUE(dialogs::ShowConfigDialog(nullptr, size));
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    EXPECT_EQ(boxText, "selection handler failed.");
    EXPECT_EQ(size, 2048);
    EXPECT_EQ(dialogs::SimulatorConfigDlg, nullptr);
}

}  // namespace
