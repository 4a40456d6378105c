// The acquisition protocol as a host sees it through the exports: reports,
// stops, and entries called from inside the host's callback.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sync.h"
#include "tests/driver/driver_states.h"
#include "tests/support/loaded_driver.h"

namespace {

using crvhost::AcquisitionRecorder;
using testing_support::HeldAcquisition;
using testing_support::LoadedDriver;

std::vector<std::int32_t> Events(const AcquisitionRecorder& recorder)
{
    std::vector<std::int32_t> events;
    for (const auto& report : recorder.Reports()) {
        events.push_back(report.event);
    }
    return events;
}

void WaitUntilIdle(const crvhost::DriverApi& api)
{
    while (api.GetStatus() == StatusBusy) {
        std::this_thread::yield();
    }
}

class Acquisition : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(driver->GetLibInfo(), nullptr);
        ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
        recorder.Activate();
    }
    void TearDown() override { driver->Done(); }

    LoadedDriver driver;
    AcquisitionRecorder recorder;
};

TEST_F(Acquisition, ReportsFirstPhaseThenDataOnTheWorkerWithTheUserValue)
{
    ASSERT_EQ(driver->Start(AcquisitionRecorder::Callback, 0xDEADBEEF), StatusBusy);
    recorder.WaitForEnd();
    WaitUntilIdle(*driver);
    const auto reports = recorder.Reports();
    ASSERT_EQ(Events(recorder), (std::vector<std::int32_t>{AcqFirstPhaseDone, AcqDataReady}));
    for (const auto& report : reports) {
        EXPECT_EQ(report.user, 0xDEADBEEFu);
        EXPECT_NE(report.thread, platform::CurrentThreadId());
    }
    EXPECT_EQ(driver->GetStatus(), StatusOk);
}

TEST_F(Acquisition, NullCallbackRunsWithoutReportsAndReturnsToIdle)
{
    ASSERT_EQ(driver->Start(nullptr, 1), StatusBusy);
    WaitUntilIdle(*driver);
    EXPECT_EQ(driver->GetStatus(), StatusOk);
    EXPECT_TRUE(recorder.Reports().empty());
}

TEST_F(Acquisition, StopWhenIdleReturnsAtOnceAndTheNextAcquisitionRunsNormally)
{
    EXPECT_EQ(driver->Stop(), StatusOk);
    ASSERT_EQ(driver->Start(AcquisitionRecorder::Callback, 1), StatusBusy);
    recorder.WaitForEnd();
    EXPECT_EQ(Events(recorder), (std::vector<std::int32_t>{AcqFirstPhaseDone, AcqDataReady}));
}

TEST_F(Acquisition, StopFromAnotherThreadAfterReportOneEndsWithReportThree)
{
    {
        HeldAcquisition held(*driver);
        held.ReleaseSoon();
        EXPECT_EQ(driver->Stop(), StatusOk);
        EXPECT_EQ(Events(held.Recorder()), (std::vector<std::int32_t>{AcqFirstPhaseDone, AcqStopped}));
    }
    EXPECT_EQ(driver->GetStatus(), StatusOk);
}

TEST_F(Acquisition, StartWhileBusyKeepsTheRunningRequest)
{
    HeldAcquisition held(*driver);
    EXPECT_EQ(driver->Start(AcquisitionRecorder::Callback, 99), StatusBusy);
    held.Release();
    held.Recorder().WaitForEnd();
    WaitUntilIdle(*driver);
    for (const auto& report : held.Recorder().Reports()) {
        EXPECT_EQ(report.user, 7u);
    }
    EXPECT_EQ(Events(held.Recorder()), (std::vector<std::int32_t>{AcqFirstPhaseDone, AcqDataReady}));
}

// What an entry returns when the host calls it from inside a report, on the
// worker thread; none of them may wait for the worker, which is the caller.
struct InsideCase {
    const char* name;
    std::int32_t during;  // the report in which the entry is called
    std::function<int(const crvhost::DriverApi&)> call;
    int expected;
    std::vector<std::int32_t> reports;  // of the acquisition
};

const InsideCase InsideCases[] = {
    {"GetStatus in report 1", AcqFirstPhaseDone, [](auto& api) { return api.GetStatus(); }, StatusBusy,
     {AcqFirstPhaseDone, AcqDataReady}},
    {"GetChannelData in report 1", AcqFirstPhaseDone,
     [](auto& api) {
         std::vector<double> data(2048);
         return api.GetChannelData(0, data.data());
     },
     0, {AcqFirstPhaseDone, AcqDataReady}},
    {"GetChannelData in report 2", AcqDataReady,
     [](auto& api) {
         std::vector<double> data(2048);
         return api.GetChannelData(0, data.data());
     },
     2048, {AcqFirstPhaseDone, AcqDataReady}},
    {"Start in report 2", AcqDataReady, [](auto& api) { return api.Start(AcquisitionRecorder::Callback, 5); },
     StatusBusy, {AcqFirstPhaseDone, AcqDataReady}},
    {"Init in report 1", AcqFirstPhaseDone, [](auto& api) { return api.Init(nullptr, nullptr); }, StatusBusy,
     {AcqFirstPhaseDone, AcqDataReady}},
    {"Stop in report 1", AcqFirstPhaseDone, [](auto& api) { return api.Stop(); }, StatusBusy,
     {AcqFirstPhaseDone, AcqStopped}},
    {"Reset in report 1", AcqFirstPhaseDone, [](auto& api) { return api.Reset(); }, StatusBusy,
     {AcqFirstPhaseDone, AcqStopped}},
    {"Reconfigure in report 1", AcqFirstPhaseDone, [](auto& api) { return api.Reconfigure(); }, 0,
     {AcqFirstPhaseDone, AcqStopped}},
    {"Done in report 1", AcqFirstPhaseDone,
     [](auto& api) {
         api.Done();
         return -1;
     },
     -1, {AcqFirstPhaseDone, AcqStopped}},
};

TEST(AcquisitionCallback, EntriesCalledFromInsideAReportNeverWaitForTheWorker)
{
    for (const InsideCase& c : InsideCases) {
        SCOPED_TRACE(c.name);
        LoadedDriver driver;
        ASSERT_NE(driver->GetLibInfo(), nullptr);
        ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
        AcquisitionRecorder recorder;
        int result = -2;
        recorder.SetInsideReport([&](std::int32_t event) {
            if (event == c.during) {
                result = c.call(*driver);
            }
        });
        recorder.Activate();
        ASSERT_EQ(driver->Start(AcquisitionRecorder::Callback, 1), StatusBusy);
        recorder.WaitForEnd();
        WaitUntilIdle(*driver);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(Events(recorder), c.reports);
        EXPECT_EQ(driver->GetStatus(), StatusOk);
        driver->Done();
        EXPECT_EQ(driver->GetStatus(), StatusNotInitialized);
    }
}

TEST(AcquisitionCallback, AfterDoneNoReportArrivesAndStartIsRefused)
{
    LoadedDriver driver;
    ASSERT_NE(driver->GetLibInfo(), nullptr);
    ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
    driver->Done();
    AcquisitionRecorder recorder;
    recorder.Activate();
    EXPECT_EQ(driver->Start(AcquisitionRecorder::Callback, 1), StatusNotInitialized);
    EXPECT_EQ(driver->Stop(), StatusNotInitialized);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(recorder.Reports().empty());
}

}  // namespace
