// Channel data and regions of interest through the exports, with the
// measurement settings taken from a host profile as a host provides them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "driver/synthesis/reference_tables.h"
#include "tests/support/loaded_driver.h"

namespace {

using testing_support::LoadedDriver;

constexpr double Amplitude = 92.68189986816;  // noise amplitude at ratio 1000

// An initialised driver whose host profile holds the given settings.
class Initialised {
public:
    explicit Initialised(const std::string& settings, const std::string& size = "2048") : driver(size)
    {
        profile = driver.HostProfile();
        testing_support::WriteFile(profile, "[Host]\r\n" + settings);
        if (driver->GetLibInfo() == nullptr || driver->Init(profile.c_str(), "Host") != StatusOk) {
            throw std::runtime_error("driver did not initialise");
        }
    }
    ~Initialised() { driver->Done(); }

    // One read of a channel on a thread of its own, which starts its noise
    // sequence afresh.
    std::vector<double> ReadOnFreshThread(std::int32_t channel, std::int32_t* result = nullptr) const
    {
        std::vector<double> data(2048, -1.0);
        std::int32_t points = 0;
        std::thread([&] { points = driver->GetChannelData(channel, data.data()); }).join();
        if (result != nullptr) {
            *result = points;
        }
        return data;
    }

    LoadedDriver driver;
    std::string profile;
};

TEST(ChannelData, FirstReadOnAThreadGivesTheKnownNoiseSequence)
{
    const double expected[] = {0.9786656500, 0.3677067471, 31.06273459, 3.083079649, 32.96915265};
    struct Case {
        const char* settings;
        std::int32_t channel;
        double offset;
    };
    const Case cases[] = {
        {"SpecType=3\r\n", 0, 0.0},
        {"SpecType=3\r\ndo_baseline=1\r\n", 0, 120.0},
        {"SpecType=3\r\ndo_baseline=1\r\n", 1, 20.0},
        {"SpecType=5\r\n", 2, 0.0},
        {"SpecType=-1\r\ndo_baseline=yes\r\n", 4, 80.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.settings << " channel " << c.channel);
        Initialised driver(c.settings);
        const auto data = driver.ReadOnFreshThread(c.channel);
        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(data[i], expected[i] + c.offset, 1e-9 * (expected[i] + c.offset)) << "point " << i;
        }
    }
}

TEST(ChannelData, EveryPointLiesBetweenTableWithOffsetAndThatPlusTheAmplitude)
{
    for (const int type : {0, 1, 2}) {
        Initialised driver("SpecType=" + std::to_string(type) + "\r\ndo_baseline=1\r\n");
        for (std::int32_t channel = 0; channel < 5; ++channel) {
            SCOPED_TRACE(::testing::Message() << "type " << type << " channel " << channel);
            std::int32_t points = 0;
            const auto data = driver.ReadOnFreshThread(channel, &points);
            ASSERT_EQ(points, 2048);
            const std::uint32_t* table = spectra::SelectReferenceTable(type, channel);
            ASSERT_NE(table, nullptr);
            const double offset = std::array{120, 20, 100, 50, 80}[channel];
            for (int i = 0; i < points; ++i) {
                const double base = table[i] + offset;
                ASSERT_GE(data[i], base) << "point " << i;
                ASSERT_LE(data[i], base + Amplitude) << "point " << i;
            }
        }
    }
}

TEST(ChannelData, PointCountsTakeEveryStepthTableEntryFromTheFirst)
{
    struct Case {
        const char* size;
        std::int32_t points;
        int step;
    };
    const Case cases[] = {{"2048", 2048, 1}, {"1024", 1024, 2}, {"1500", 1500, 1}, {"3", 3, 682}};
    const std::uint32_t* table = spectra::SelectReferenceTable(0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Initialised driver("SpecType=0\r\n", c.size);
        std::int32_t points = 0;
        const auto data = driver.ReadOnFreshThread(0, &points);
        ASSERT_EQ(points, c.points);
        for (int i = 0; i < c.points; ++i) {
            ASSERT_GE(data[i], table[i * c.step]) << "point " << i;
            ASSERT_LE(data[i], table[i * c.step] + Amplitude) << "point " << i;
        }
        if (c.points < 2048) {
            EXPECT_EQ(data[c.points], -1.0) << "wrote past the channel";
        }
    }
}

TEST(ChannelData, UnusableRatiosGiveNoNoiseNeverNaNOrInfinity)
{
    for (const char* ratio : {"0", "-5", "nan", "inf", "1e-320"}) {
        SCOPED_TRACE(ratio);
        Initialised driver(std::string("SpecType=2\r\nS2N_ratio=") + ratio + "\r\n");
        const auto data = driver.ReadOnFreshThread(3);
        const std::uint32_t* table = spectra::SelectReferenceTable(2, 3);
        for (int i = 0; i < 2048; ++i) {
            ASSERT_TRUE(std::isfinite(data[i])) << "point " << i;
            ASSERT_EQ(data[i], table[i]) << "point " << i;
        }
    }
}

TEST(ChannelData, RefusedReadsReturnZeroAndLeaveTheBufferUntouched)
{
    LoadedDriver driver;
    std::vector<double> data(2048, -7.0);
    ASSERT_NE(driver->GetLibInfo(), nullptr);
    EXPECT_EQ(driver->GetChannelData(0, data.data()), 0) << "before Init";
    ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
    EXPECT_EQ(driver->GetChannelData(5, data.data()), 0);
    EXPECT_EQ(driver->GetChannelData(-1, data.data()), 0);
    EXPECT_EQ(driver->GetChannelData(0, nullptr), 0);
    ASSERT_EQ(driver->Reconfigure(), 1);
    EXPECT_EQ(driver->GetChannelData(0, data.data()), 0) << "size forgotten";
    driver->Done();
    EXPECT_EQ(driver->GetChannelData(0, data.data()), 0) << "after Done";
    for (double value : data) {
        ASSERT_EQ(value, -7.0);
    }
}

TEST(ChannelData, TwoReadsInARowGiveTheSameSignalWithNewNoise)
{
    Initialised driver("SpecType=0\r\n");
    std::vector<double> first(2048), second(2048);
    std::thread([&] {
        driver.driver->GetChannelData(0, first.data());
        driver.driver->GetChannelData(0, second.data());
    }).join();
    EXPECT_NE(first, second);
    const auto again = driver.ReadOnFreshThread(0);
    EXPECT_EQ(again, first) << "a fresh thread starts the same sequence";
}

TEST(RegionOfInterest, IsCheckedAgainstTheChannelAndChangesNothing)
{
    struct Case {
        std::int32_t channel, first, last;
        DeviceStatus expected;
    };
    const Case cases[] = {
        {0, 0, 2047, StatusOk},           {4, 10, 11, StatusOk},           {0, 0, 2048, StatusBadParameters},
        {0, 5, 5, StatusBadParameters},   {0, 6, 5, StatusBadParameters},  {0, -1, 10, StatusBadParameters},
        {5, 0, 10, StatusBadParameters},  {-1, 0, 10, StatusBadParameters},
    };
    Initialised driver("SpecType=0\r\n");
    for (const Case& c : cases) {
        EXPECT_EQ(driver.driver->SetROI(c.channel, c.first, c.last), c.expected)
            << c.channel << ", " << c.first << ", " << c.last;
    }
    std::int32_t points = 0;
    driver.ReadOnFreshThread(0, &points);
    EXPECT_EQ(points, 2048);
}

TEST(RegionOfInterest, IsRefusedUnlessTheDriverIsIdle)
{
    LoadedDriver driver;
    ASSERT_NE(driver->GetLibInfo(), nullptr);
    EXPECT_EQ(driver->SetROI(0, 0, 10), StatusBadParameters);
    ASSERT_EQ(driver->Init(nullptr, nullptr), StatusOk);
    EXPECT_EQ(driver->SetROI(0, 0, 10), StatusOk);
    driver->Done();
}

}  // namespace
