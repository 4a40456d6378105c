// The lifecycle entries in each state of the driver, through the exports.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/driver/driver_states.h"
#include "tests/support/loaded_driver.h"

namespace {

using testing_support::DriverStateKind;
using testing_support::HeldAcquisition;
using testing_support::LoadedDriver;

struct EntryCase {
    const char* entry;
    DriverStateKind state;
    int expected;  // the entry's result
    int statusAfter;  // CRVDEV_GetStatus once the worker is idle again
    // Calls the entry; busy cases release the held worker soon after, since
    // the waiting entries wait for it.
    std::function<int(const crvhost::DriverApi&)> call;
};

int CallInit(const crvhost::DriverApi& api) { return api.Init(nullptr, nullptr); }
int CallDone(const crvhost::DriverApi& api)
{
    api.Done();
    return -1;
}
int CallReset(const crvhost::DriverApi& api) { return api.Reset(); }
int CallReconfigure(const crvhost::DriverApi& api) { return api.Reconfigure(); }
int CallGetStatus(const crvhost::DriverApi& api) { return api.GetStatus(); }
int CallStop(const crvhost::DriverApi& api) { return api.Stop(); }
int CallSetupDialogNoWindow(const crvhost::DriverApi& api)
{
    int notAWindow = 0;
    return api.SetupDialog(&notAWindow);
}

const EntryCase EntryCases[] = {
    {"Init", DriverStateKind::NotInitialized, StatusOk, StatusOk, CallInit},
    {"Init", DriverStateKind::Idle, StatusOk, StatusOk, CallInit},
    {"Init", DriverStateKind::Busy, StatusBusy, StatusOk, CallInit},
    {"Done", DriverStateKind::NotInitialized, -1, StatusNotInitialized, CallDone},
    {"Done", DriverStateKind::Idle, -1, StatusNotInitialized, CallDone},
    {"Done", DriverStateKind::Busy, -1, StatusNotInitialized, CallDone},
    {"Reset", DriverStateKind::NotInitialized, StatusNotInitialized, StatusNotInitialized, CallReset},
    {"Reset", DriverStateKind::Idle, StatusOk, StatusOk, CallReset},
    {"Reset", DriverStateKind::Busy, StatusOk, StatusOk, CallReset},
    // Reconfigure goes by the last description, not by the status.
    {"Reconfigure", DriverStateKind::NotInitialized, 1, StatusNotInitialized, CallReconfigure},
    {"Reconfigure", DriverStateKind::Idle, 1, StatusOk, CallReconfigure},
    {"Reconfigure", DriverStateKind::Busy, 1, StatusOk, CallReconfigure},
    {"GetStatus", DriverStateKind::NotInitialized, StatusNotInitialized, StatusNotInitialized, CallGetStatus},
    {"GetStatus", DriverStateKind::Idle, StatusOk, StatusOk, CallGetStatus},
    {"GetStatus", DriverStateKind::Busy, StatusBusy, StatusOk, CallGetStatus},
    {"Stop", DriverStateKind::NotInitialized, StatusNotInitialized, StatusNotInitialized, CallStop},
    {"Stop", DriverStateKind::Idle, StatusOk, StatusOk, CallStop},
    {"Stop", DriverStateKind::Busy, StatusOk, StatusOk, CallStop},
    {"SetupDialog(not a window)", DriverStateKind::NotInitialized, StatusNotInitialized, StatusNotInitialized,
     CallSetupDialogNoWindow},
    {"SetupDialog(not a window)", DriverStateKind::Idle, StatusBadParameters, StatusOk, CallSetupDialogNoWindow},
};

TEST(Lifecycle, EachEntryInEachStateAnswersAsTheStateTableSays)
{
    for (const EntryCase& c : EntryCases) {
        SCOPED_TRACE(std::string(c.entry) + " when " + Name(c.state));
        LoadedDriver driver;
        ASSERT_NE(driver->GetLibInfo(), nullptr);
        if (c.state != DriverStateKind::NotInitialized) {
            ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
        }
        std::optional<HeldAcquisition> held;
        if (c.state == DriverStateKind::Busy) {
            held.emplace(*driver);
            ASSERT_EQ(held->Started(), StatusBusy);
            ASSERT_EQ(driver->GetStatus(), StatusBusy);
            held->ReleaseSoon();
        }
        EXPECT_EQ(c.call(*driver), c.expected);
        held.reset();
        EXPECT_EQ(driver->GetStatus(), c.statusAfter);
        driver->Done();
    }
}

TEST(Lifecycle, DescriptionIsOneRecordWithTheDeviceShapeAndTheExportedEntries)
{
    LoadedDriver driver;
    const LibInfo* first = driver->GetLibInfo();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(driver->GetLibInfo(), first);
    EXPECT_STREQ(first->DeviceName, "Simulator");
    ASSERT_EQ(first->ChannelCount, 5);
    for (int channel = 0; channel < 5; ++channel) {
        EXPECT_EQ(first->ChannelSizes[channel], 2048);
        EXPECT_EQ(first->ChannelDepths[channel], 32);
    }
    EXPECT_EQ(first->Flags, LibFlagReconfigurable);
    EXPECT_TRUE(crvhost::CheckDescription(*driver, *first).empty());
}

#ifndef _WIN32
// Without a display nobody can be asked for the size: the headless driver
// then has no description. (On Windows the same case shows the dialog.)
TEST(Lifecycle, WithoutAConfiguredSizeThereIsNoDescriptionAndInitFails)
{
    LoadedDriver driver("");
    EXPECT_EQ(driver->GetLibInfo(), nullptr);
    EXPECT_EQ(driver->Reconfigure(), 0);
    EXPECT_EQ(driver->Init(nullptr, nullptr), StatusBadDriver);
    EXPECT_EQ(driver->GetStatus(), StatusNotInitialized);
}
#endif

TEST(Lifecycle, SecondInitKeepsTheFirstHostProfile)
{
    LoadedDriver driver;
    const std::string profile = driver.HostProfile();
    ASSERT_EQ(driver->Init(profile.c_str(), "First"), StatusOk);
    EXPECT_EQ(driver->Init(profile.c_str(), "Second"), StatusOk);
    driver->Done();
    const std::string text = testing_support::ReadFile(profile);
    EXPECT_NE(text.find("[First]"), std::string::npos) << text;
    EXPECT_EQ(text.find("[Second]"), std::string::npos) << text;
}

TEST(Lifecycle, HostSectionIsCutTo127Characters)
{
    LoadedDriver driver;
    const std::string profile = driver.HostProfile();
    const std::string section(200, 's');
    ASSERT_EQ(driver->Init(profile.c_str(), section.c_str()), StatusOk);
    driver->Done();
    const std::string text = testing_support::ReadFile(profile);
    EXPECT_NE(text.find("[" + std::string(127, 's') + "]"), std::string::npos) << text;
    EXPECT_EQ(text.find(std::string(128, 's')), std::string::npos);
}

TEST(Lifecycle, WithoutAHostProfileNothingIsSaved)
{
    struct ProfileCase {
        const char* name;
        bool path;
        const char* section;
    };
    const ProfileCase cases[] = {{"null path", false, "Section"}, {"path without a section", true, nullptr}};
    for (const ProfileCase& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedDriver driver;
        const std::string profile = driver.HostProfile();
        ASSERT_EQ(driver->Init(c.path ? profile.c_str() : nullptr, c.section), StatusOk);
        driver->Done();
        EXPECT_FALSE(std::filesystem::exists(profile));
    }
}

TEST(Lifecycle, DoneSavesTheSettingsAndANewInitStartsAFreshWorker)
{
    LoadedDriver driver;
    const std::string profile = driver.HostProfile();
    ASSERT_EQ(driver->Init(profile.c_str(), "Host"), StatusOk);
    driver->Done();
    driver->Done();
    const std::string text = testing_support::ReadFile(profile);
    EXPECT_NE(text.find("SpecType=0"), std::string::npos) << text;
    EXPECT_NE(text.find("S2N_ratio=1000"), std::string::npos) << text;
    EXPECT_NE(text.find("do_baseline=0"), std::string::npos) << text;

    ASSERT_EQ(driver->Init(profile.c_str(), "Host"), StatusOk);
    crvhost::AcquisitionRecorder recorder;
    recorder.Activate();
    ASSERT_EQ(driver->Start(crvhost::AcquisitionRecorder::Callback, 1), StatusBusy);
    recorder.WaitForEnd();
    ASSERT_EQ(recorder.Reports().size(), 2u);
    driver->Done();
    EXPECT_EQ(driver->Start(crvhost::AcquisitionRecorder::Callback, 2), StatusNotInitialized);
}

TEST(Lifecycle, ReconfigureForgetsTheSizeButKeepsThePublishedOneUntilTheNextDescription)
{
    LoadedDriver driver;
    const LibInfo* info = driver->GetLibInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(driver->Reconfigure(), 1);
    EXPECT_EQ(info->ChannelSizes[0], 2048);
    EXPECT_EQ(info->Flags, LibFlagReconfigurable);
    EXPECT_EQ(testing_support::ReadFile(driver.ConfigFile()).find("SpecSize"), std::string::npos);
}

}  // namespace
