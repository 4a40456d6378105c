// The points per channel (configuration file, asked once per load) and the
// measurement settings (host profile).

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/settings/scratch_dir.h"

namespace {

using namespace settings;
using settings_test::FileBytes;
using settings_test::ScratchDir;
using settings_test::SetFileBytes;

// Stands in for the data size dialog: answers in order, none = cancel.
struct FakeUser {
    std::vector<std::optional<std::int32_t>> answers;
    std::vector<std::int32_t> offered;  // the size passed in, per question
};
FakeUser* user = nullptr;

bool Ask(std::int32_t& size)
{
    user->offered.push_back(size);
    if (user->offered.size() > user->answers.size() || !user->answers[user->offered.size() - 1]) {
        return false;
    }
    size = *user->answers[user->offered.size() - 1];
    return true;
}

// The state of one load of the library.
struct Load {
    SizeSettings size;
    std::array<std::int32_t, ChannelCount> channels{2048, 2048, 2048, 2048, 2048};
};

enum class Step { EnsureGivesTrue, EnsureGivesFalse, Forget };

std::string Stored(const std::string& size)
{
    return "[Simulator Configuration]\r\nSpecSize=" + size + "\r\n";
}

struct SizeCase {
    const char* name;
    std::optional<std::string> config;  // the configuration file at load; none: no file
    std::vector<std::optional<std::int32_t>> answers;
    std::vector<Step> steps;
    std::int32_t specSize;
    std::int32_t published;
    std::optional<std::string> configAfter;
};

TEST(SpecSize, FromTheFileOrAskedOncePerLoad)
{
    using enum Step;
    const SizeCase cases[] = {
        {"no file, 2048 chosen", std::nullopt, {2048}, {EnsureGivesTrue}, 2048, 2048, Stored("2048")},
        {"no file, 1024 chosen", std::nullopt, {1024}, {EnsureGivesTrue}, 1024, 1024, Stored("1024")},
        {"no file, cancelled: never asked again, nothing written", std::nullopt, {std::nullopt},
         {EnsureGivesFalse, EnsureGivesFalse, EnsureGivesFalse}, 0, 2048, std::nullopt},
        {"stored 4096 is cut to 2048", Stored("4096"), {}, {EnsureGivesTrue}, 2048, 2048, Stored("4096")},
        {"stored 1500 is used", Stored("1500"), {}, {EnsureGivesTrue, EnsureGivesTrue}, 1500, 1500, Stored("1500")},
        {"stored 0x400 is 1024", Stored("0x400"), {}, {EnsureGivesTrue}, 1024, 1024, Stored("0x400")},
        {"stored 2 is used", Stored("2"), {}, {EnsureGivesTrue}, 2, 2, Stored("2")},
        {"stored 1 asks", Stored("1"), {std::nullopt}, {EnsureGivesFalse}, 0, 2048, Stored("1")},
        {"stored 0 asks", Stored("0"), {std::nullopt}, {EnsureGivesFalse}, 0, 2048, Stored("0")},
        {"stored -5 asks", Stored("-5"), {std::nullopt}, {EnsureGivesFalse}, 0, 2048, Stored("-5")},
        {"stored abc asks", Stored("abc"), {1024}, {EnsureGivesTrue}, 1024, 1024, Stored("1024")},
        {"storing removes other keys of the section", "[Simulator Configuration]\nOther=1\n[Keep]\nA=1\n", {1024},
         {EnsureGivesTrue}, 1024, 1024, "[Keep]\r\nA=1\r\n[Simulator Configuration]\r\nSpecSize=1024\r\n"},
        {"forgetting a stored size asks again; forgetting again refuses", Stored("1500"), {2048},
         {EnsureGivesTrue, Forget, EnsureGivesTrue, Forget, EnsureGivesFalse}, 0, 2048, ""},
        {"forgetting a stored size, then cancelled", Stored("1024"), {std::nullopt},
         {EnsureGivesTrue, Forget, EnsureGivesFalse, EnsureGivesFalse}, 0, 1024, ""},
        {"forgetting after a cancel", std::nullopt, {std::nullopt}, {EnsureGivesFalse, Forget, EnsureGivesFalse}, 0,
         2048, std::nullopt},
    };
    ScratchDir dir;
    int n = 0;
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File("Simulator", n++, ".CFG");
        SetFileBytes(file, c.config);
        const ConfigProfile config(file.c_str());
        FakeUser fake{c.answers, {}};
        user = &fake;
        Load load;
        for (const Step step : c.steps) {
            if (step == Forget) {
                ForgetSpecSize(load.size, config);
            } else {
                EXPECT_EQ(EnsureSpecSize(load.size, config, load.channels, Ask), step == EnsureGivesTrue);
            }
        }
        EXPECT_EQ(load.size.SpecSize.load(), c.specSize);
        EXPECT_EQ(load.channels, (std::array<std::int32_t, ChannelCount>{c.published, c.published, c.published,
                                                                         c.published, c.published}));
        EXPECT_EQ(fake.offered, std::vector<std::int32_t>(c.answers.size(), 0)) << "asked once per answer, offering 0";
        EXPECT_EQ(FileBytes(file), c.configAfter);
    }
    user = nullptr;
}

TEST(SpecSize, FileIsReadOncePerLoad)
{
    ScratchDir dir;
    const std::string file = dir.File("Simulator.CFG");
    SetFileBytes(file, Stored("1500"));
    const ConfigProfile config(file.c_str());
    FakeUser fake;
    user = &fake;
    Load load;
    EXPECT_TRUE(EnsureSpecSize(load.size, config, load.channels, Ask));
    SetFileBytes(file, Stored("1024"));
    EXPECT_TRUE(EnsureSpecSize(load.size, config, load.channels, Ask));
    EXPECT_EQ(load.channels[4], 1500);

    Load nextLoad;
    EXPECT_TRUE(EnsureSpecSize(nextLoad.size, config, nextLoad.channels, Ask));
    EXPECT_EQ(nextLoad.channels[0], 1024);
    EXPECT_TRUE(fake.offered.empty());
    user = nullptr;
}

TEST(SpecSize, WithoutConfigurationPathAsksEveryLoad)
{
    const ConfigProfile config(nullptr);
    FakeUser fake{{1024, 2048}, {}};
    user = &fake;
    for (const std::int32_t expected : {1024, 2048}) {
        Load load;
        EXPECT_TRUE(EnsureSpecSize(load.size, config, load.channels, Ask));
        EXPECT_TRUE(EnsureSpecSize(load.size, config, load.channels, Ask));
        EXPECT_EQ(load.channels[2], expected);
    }
    EXPECT_EQ(fake.offered.size(), 2u);
    user = nullptr;
}

TEST(SpecSize, NoDialogCountsAsCancel)
{
    ScratchDir dir;
    const std::string file = dir.File("Simulator.CFG");
    const ConfigProfile config(file.c_str());
    Load load;
    EXPECT_FALSE(EnsureSpecSize(load.size, config, load.channels, nullptr));
    EXPECT_FALSE(FileBytes(file));
}

struct Measured {
    std::int32_t type;
    double ratio;
    std::int32_t baseline;
};

void ExpectSettings(const MeasurementSettings& m, const Measured& expected)
{
    EXPECT_EQ(m.SpecType.load(), expected.type);
    EXPECT_EQ(m.S2N_ratio.load(), expected.ratio);
    EXPECT_EQ(m.do_baseline.load(), expected.baseline);
}

constexpr const char* HostSection = "Spectrometer 1";

TEST(HostSettings, LoadGivesStoredValuesOrConstantDefaults)
{
    struct Case {
        const char* name;
        std::optional<std::string> profile;  // none: no host file known
        Measured expected;
    };
    const Case cases[] = {
        {"no host file", std::nullopt, {0, 1000.0, 0}},
        {"no section", "[Other]\nSpecType=2\n", {0, 1000.0, 0}},
        {"stored values", "[Spectrometer 1]\nSpecType=7\nS2N_ratio=250\ndo_baseline=On\n", {7, 250.0, 1}},
        {"unreadable values", "[Spectrometer 1]\nSpecType=x\nS2N_ratio=1000.0 dB\ndo_baseline=maybe\n",
         {0, 1000.0, 0}},
        {"other forms", "[spectrometer 1]\nSpecType=0x10\nS2N_ratio=1e3\ndo_baseline=no\n", {16, 1000.0, 0}},
        {"taken without range checks", "[Spectrometer 1]\nSpecType=-3\nS2N_ratio=-1\ndo_baseline=1\n",
         {-3, -1.0, 1}},
    };
    ScratchDir dir;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File("host", n++, ".ini");
        SetFileBytes(file, c.profile);
        MeasurementSettings m;
        m.SpecType = 3;
        m.S2N_ratio = 5.0;
        m.do_baseline = 1;
        LoadHostSettings(m, HostProfile(c.profile ? file.c_str() : nullptr, HostSection));
        ExpectSettings(m, c.expected);
    }
}

TEST(HostSettings, SaveWritesTheSectionAndLoadReadsItBack)
{
    ScratchDir dir;
    const std::string file = dir.File("host.ini");
    SetFileBytes(file, "[Spectrometer 1]\nHostKey=x\nSpecType=7\n");
    const HostProfile host(file.c_str(), HostSection);
    MeasurementSettings m;
    LoadHostSettings(m, host);
    m.S2N_ratio = 1234567.0;
    m.do_baseline = 1;
    SaveHostSettings(m, host);
    EXPECT_EQ(FileBytes(file),
              "[Spectrometer 1]\r\nHostKey=x\r\nSpecType=7\r\nS2N_ratio=1.23457e+06\r\ndo_baseline=1\r\n");

    MeasurementSettings again;
    LoadHostSettings(again, host);
    ExpectSettings(again, {7, 1234570.0, 1});
}

TEST(HostSettings, WithoutHostFileStartFromDefaults)
{
    MeasurementSettings m;
    m.SpecType = 2;
    m.S2N_ratio = 10.0;
    SaveHostSettings(m, HostProfile(nullptr, HostSection));
    LoadHostSettings(m, HostProfile(nullptr, HostSection));
    ExpectSettings(m, {0, 1000.0, 0});
}

}  // namespace
