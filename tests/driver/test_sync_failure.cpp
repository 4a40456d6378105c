// Initialisation when a lock, an event or the worker thread cannot be made.
// Links the driver core directly, to inject the failure through the platform
// seam.
#include <gtest/gtest.h>

#include <filesystem>

#include "crvdev.h"
#include "driver/driver_state.h"
#include "driver/lifecycle.h"
#include "platform/fault_injection.h"
#include "platform/module_file.h"
#include "tests/support/loaded_driver.h"

namespace {

// The driver core linked into this program finds its configuration file
// beside the program.
void ConfigureSizeBesideThisProgram()
{
    char name[1024] = {};
    ASSERT_GT(platform::ModuleFileName(nullptr, name, sizeof name), 0u);
    std::filesystem::path config = name;
    config.replace_extension(".CFG");
    testing_support::WriteFile(config, "[Simulator Configuration]\r\nSpecSize=1024\r\n");
    driver::ModuleEntry(driver::State, nullptr);
}

TEST(SyncObjectFailure, AnyOfTheSixFailingLeavesTheDriverUninitialisedAndTheNextInitStartsAfresh)
{
    ConfigureSizeBesideThisProgram();
    ASSERT_NE(GetLibInfo(), nullptr);
    for (int failing = 1; failing <= 6; ++failing) {
        SCOPED_TRACE(::testing::Message() << "creation " << failing << " fails");
        platform::FailNthCreation(failing);
        EXPECT_EQ(CRVDEV_Init("host.ini", "Section"), StatusInitFailed);
        platform::FailNthCreation(0);
        EXPECT_EQ(CRVDEV_GetStatus(), StatusNotInitialized);
        EXPECT_EQ(CRVDEV_Start(nullptr, 0), StatusNotInitialized);
        EXPECT_EQ(driver::State.HostProfilePath, nullptr);
        EXPECT_STREQ(driver::State.HostSection, "");
        EXPECT_EQ(driver::State.Sync.Load(), nullptr);

        ASSERT_EQ(CRVDEV_Init(nullptr, nullptr), StatusOk);
        EXPECT_EQ(CRVDEV_Start(nullptr, 0), StatusBusy);
        CRVDEV_Done();
        EXPECT_EQ(CRVDEV_GetStatus(), StatusNotInitialized);
    }
}

}  // namespace
