// Every status code's message and hint, through the exported entries.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/loaded_driver.h"

namespace {

struct TextCase {
    std::int32_t code;
    const char* message;
    const char* hint;
};

constexpr const char* Internal = "Internal error. Ask driver developer support.";
constexpr const char* Developer = "Ask software developer support.";
constexpr const char* CloseApps = "Try to close some other applications and RESET driver.";

const TextCase Cases[] = {
    {0, "OK", ""},
    {1, "Devise is busy.", Internal},
    {2, "Hardware is not installed.", "Install hardware and restart the program."},
    {3, "Invalid responcse from hardware.",
     "Try to RESET driver. Ask hardware vendor support \nif this error will appear again."},
    {4, "Hardware is not responding.",
     "Check that hardware is properly installed and \npowered. Try to RESET driver. Ask hardware vendor \nsupport "
     "if this error will appear again."},
    {5, "Access denied.",
     "Check that no other application run using this device. \nTry to RESET driver after closing such "
     "applications."},
    {6, "Invalid parameters.", Developer},
    {7, "Invalid driver.", Developer},
    {8, "Initialization failed.", CloseApps},
    {9, "Out of memory.", CloseApps},
    {10, "Hardware configuration changed.",
     "Restore original hardware configuration and RESET driver. \nOr use RECONFIGURE command to setup new "
     "configuration."},
    {255, "Init() was not called.", Internal},
    {-1, "Init() was not called.", Internal},
    {0x1FF, "Init() was not called.", Internal},
    {256, "OK", ""},
    {11, "Unknown device status.", Internal},
    {128, "Unknown device status.", Internal},
    {254, "Unknown device status.", Internal},
};

TEST(StatusTexts, EveryCodeHasItsMessageAndHintInAnyState)
{
    testing_support::LoadedDriver driver;
    for (const bool initialised : {false, true}) {
        if (initialised) {
            ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
        }
        for (const TextCase& c : Cases) {
            const char* message = driver->GetErrorMsg(c.code);
            const char* hint = driver->GetHintMsg(c.code);
            ASSERT_NE(message, nullptr) << "code " << c.code;
            ASSERT_NE(hint, nullptr) << "code " << c.code;
            EXPECT_STREQ(message, c.message) << "code " << c.code;
            EXPECT_STREQ(hint, c.hint) << "code " << c.code;
        }
    }
    driver->Done();
    EXPECT_STREQ(driver->GetErrorMsg(7), "Invalid driver.");
}

}  // namespace
