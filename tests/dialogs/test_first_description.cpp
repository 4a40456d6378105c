// The built driver library, loaded by a host from a folder of its own with no
// configuration file: the host's first GetLibInfo asks for the data size in
// the dialog, on the host's thread, and what the user answers decides the
// description and the configuration file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "crvdev.h"
#include "tests/support/loaded_driver.h"
#include "tests/ui/gui_test_support.h"

namespace {

using testing_support::LoadedDriver;
using uitest::Script;
using uitest::Watchdog;

constexpr const char* kCaption = "Simulator Configuration";

HWND g_dialog = nullptr;

Script::Step WhenShown()
{
    return [] {
        g_dialog = uitest::FindThreadWindow(kCaption);
        return g_dialog != nullptr;
    };
}

Script::Step Do(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

// A message box instead of the dialog means the dialog could not be made.
std::string MessageBoxText()
{
    HWND box = uitest::FindMessageBox();
    return box != nullptr ? uitest::WindowText(GetDlgItem(box, 0xFFFF)) : std::string();
}

TEST(FirstDescription, Choosing2048DescribesFiveChannelsOf2048AndStoresIt)
{
    LoadedDriver driver("");
    std::string unexpectedBox;
    Watchdog watchdog;
    uitest::ThreadTimer boxWatch(50, [&] {
        if (unexpectedBox.empty()) unexpectedBox = MessageBoxText();
    });
    Script script({WhenShown(), Do([] { uitest::PostClick(uitest::FindChild(g_dialog, "2048")); }),
                   Do([] { uitest::PostClick(uitest::FindChild(g_dialog, "OK")); })});

    const LibInfo* info = driver->GetLibInfo();
    EXPECT_FALSE(watchdog.Fired()) << unexpectedBox;
    EXPECT_EQ(unexpectedBox, "");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->ChannelCount, 5);
    for (int channel = 0; channel < 5; ++channel) EXPECT_EQ(info->ChannelSizes[channel], 2048) << channel;
    EXPECT_EQ(testing_support::ReadFile(driver.ConfigFile()), "[Simulator Configuration]\r\nSpecSize=2048\r\n");
    EXPECT_FALSE(IsWindow(g_dialog));
}

TEST(FirstDescription, CancelGivesNoDescriptionNeverAsksAgainAndStoresNothing)
{
    LoadedDriver driver("");
    int dialogsSeen = 0;
    HWND last = nullptr;
    Watchdog watchdog;
    uitest::ThreadTimer answer(20, [&] {
        HWND dialog = uitest::FindThreadWindow(kCaption);
        if (dialog == nullptr || dialog == last || IsChild(dialog, GetFocus()) == 0) return;
        last = dialog;
        ++dialogsSeen;
        uitest::PostKeyTo(GetFocus(), VK_ESCAPE);
    });

    EXPECT_EQ(driver->GetLibInfo(), nullptr);
    EXPECT_EQ(dialogsSeen, 1);
    EXPECT_EQ(driver->GetLibInfo(), nullptr);  // asked once per load only
    MSG msg{};
    const DWORD until = GetTickCount() + 200;
    while (static_cast<LONG>(GetTickCount() - until) < 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0) DispatchMessageA(&msg);
        Sleep(10);
    }
    EXPECT_EQ(dialogsSeen, 1);
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_FALSE(std::filesystem::exists(driver.ConfigFile()));
}

}  // namespace
