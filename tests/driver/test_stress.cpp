// Many host threads at once: pollers, starters, stoppers, resetters and
// Init/Done cycles. Every acquisition must end with exactly one terminal
// report (or none at all when a shutdown overtook its start), nothing may
// hang, and the driver must end uninitialised.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/support/loaded_driver.h"

namespace {

std::mutex reportsMutex;
std::map<std::uint32_t, std::vector<std::int32_t>> reportsByUser;

void CRVDEV_CALL Record(std::int32_t event, std::uint32_t user)
{
    std::lock_guard guard(reportsMutex);
    reportsByUser[user].push_back(event);
}

bool IsCompleteSequence(const std::vector<std::int32_t>& events)
{
    using Sequence = std::vector<std::int32_t>;
    static const Sequence allowed[] = {{AcqEndedWithoutData},
                                       {AcqStopped},
                                       {AcqFirstPhaseDone, AcqDataReady},
                                       {AcqFirstPhaseDone, AcqStopped},
                                       {AcqFirstPhaseDone, AcqEndedWithoutData}};
    for (const Sequence& sequence : allowed) {
        if (events == sequence) {
            return true;
        }
    }
    return false;
}

TEST(Stress, ConcurrentHostsNeverLoseOrDoubleATerminalReportAndNeverHang)
{
    testing_support::LoadedDriver driver;
    const auto& api = *driver;
    ASSERT_NE(api.GetLibInfo(), nullptr);
    ASSERT_EQ(api.Init(nullptr, nullptr), StatusOk);

    constexpr int StartsPerThread = 1500;
    constexpr int LifecycleCycles = 150;
    std::atomic<std::uint32_t> nextUser{1};
    std::atomic<bool> running{true};
    std::vector<std::thread> threads;

    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&] {
            while (running.load()) {
                const DeviceStatus status = api.GetStatus();
                EXPECT_TRUE(status == StatusOk || status == StatusBusy || status == StatusNotInitialized) << +status;
            }
        });
    }
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < StartsPerThread; ++i) {
                api.Start(Record, nextUser.fetch_add(1));
                if ((i + t) % 3 == 0) {
                    api.Stop();
                }
            }
        });
    }
    workers.emplace_back([&] {
        for (int i = 0; i < StartsPerThread / 4; ++i) {
            api.Reset();
            std::vector<double> data(2048);
            api.GetChannelData(i % 5, data.data());
        }
    });
    workers.emplace_back([&] {
        for (int i = 0; i < LifecycleCycles; ++i) {
            api.Done();
            EXPECT_EQ(api.Init(nullptr, nullptr), StatusOk);
        }
    });
    for (auto& worker : workers) {
        worker.join();
    }
    running.store(false);
    for (auto& thread : threads) {
        thread.join();
    }
    // One undisturbed acquisition after the storm: the driver still works.
    api.Done();
    ASSERT_EQ(api.Init(nullptr, nullptr), StatusOk);
    const std::uint32_t last = nextUser.fetch_add(1);
    ASSERT_EQ(api.Start(Record, last), StatusBusy);
    while (api.GetStatus() == StatusBusy) {
        std::this_thread::yield();
    }
    api.Done();
    EXPECT_EQ(api.GetStatus(), StatusNotInitialized);

    std::lock_guard guard(reportsMutex);
    for (const auto& [user, events] : reportsByUser) {
        EXPECT_TRUE(IsCompleteSequence(events)) << "user " << user << ": " << ::testing::PrintToString(events);
    }
    EXPECT_EQ(reportsByUser[last], (std::vector<std::int32_t>{AcqFirstPhaseDone, AcqDataReady}));
}

}  // namespace
