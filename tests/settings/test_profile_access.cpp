// Typed profile values: what each stored text reads as, what each value is
// stored as, and what an absent location does.

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "settings/profile_access.h"
#include "tests/settings/scratch_dir.h"

namespace {

using namespace settings;
using settings_test::FileBytes;
using settings_test::ScratchDir;
using settings_test::SetFileBytes;

constexpr const char* Section = "Values";

// A profile file holding text under the key V, one file per case (the system
// may cache files it has read).
class StoredValue {
public:
    StoredValue(const ScratchDir& dir, int n, const std::string& text)
        : file_(dir.File("value", n, ".ini"))
    {
        SetFileBytes(file_, std::string("[Values]\r\nV=") + text + "\r\n");
    }
    const char* File() const { return file_.c_str(); }

private:
    std::string file_;
};

// The text stored under key V, as written.
std::string StoredText(const std::string& file)
{
    char buffer[128];
    ProfileReadString(file.c_str(), Section, "V", buffer, sizeof buffer, "<missing>");
    return buffer;
}

TEST(ProfileRead, BooleanWords)
{
    struct Case {
        const char* stored;
        bool defaultValue;
        bool expected;
    };
    const Case cases[] = {
        {"yes", false, true},    {"On", false, true},     {"TRUE", false, true},   {"1", false, true},
        {"no", true, false},     {"off", true, false},    {"0", true, false},      {"False", true, false},
        {"  yes  ", false, true},  // the profile trims values
        {"2", false, false},     {"2", true, true},       {"y", true, true},       {"enabled", false, false},
        {"", true, true},        {"", false, false},      {"TRUE1", false, false},   {"FALSE", true, false},
        {"FALSEX", true, false},  // cut to 5 characters: "FALSE"
    };
    ScratchDir dir;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored \"") + c.stored + "\", default " + (c.defaultValue ? "true" : "false"));
        const StoredValue v(dir, n++, c.stored);
        EXPECT_EQ(ProfileReadBool(v.File(), Section, "V", c.defaultValue), c.expected);
    }
}

TEST(ProfileRead, IntegersInAutomaticBase)
{
    constexpr std::int32_t Default = -777;
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    struct Case {
        const char* stored;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"2048", 2048},
        {"0x800", 2048},
        {"0X800", 2048},
        {"02000", 1024},
        {"08", Default},
        {"12abc", Default},
        {"abc", Default},
        {"", Default},
        {"0", 0},
        {"-12", -12},
        {"+7", 7},
        {"-0x10", -16},
        {"0x", Default},
        {"0xg", Default},
        {"--1", Default},
        {"1 2", Default},
        {"0xffffffff", Max},
        {"4294967296", Max},
        {"2147483647", Max},
        {"-2147483648", Min},
        {"-2147483649", Min},
        {"-0xffffffff", Min},
        {"99999999999999999999999999", Max},
        // Only 30 characters are read: this becomes octal 012.
        {"000000000000000000000000000012345", 10},
    };
    ScratchDir dir;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored \"") + c.stored + "\"");
        const StoredValue v(dir, n++, c.stored);
        EXPECT_EQ(ProfileReadInt(v.File(), Section, "V", Default), c.expected);
    }
}

bool SameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

constexpr double DefaultDouble = 42.25;
constexpr double Inf = std::numeric_limits<double>::infinity();

struct DoubleCase {
    const char* stored;
    double expected;
};

const DoubleCase DoubleCases[] = {
    {"1e3", 1000.0},
    {"1.23457e+06", 1234570.0},
    {"1000", 1000.0},
    {"  2.5", 2.5},
    {"-0.5", -0.5},
    {"+.5", 0.5},
    {"5.", 5.0},
    {"1E-2", 0.01},
    {"1000.0 dB", DefaultDouble},
    {"1,5", DefaultDouble},
    {"", DefaultDouble},
    {".", DefaultDouble},
    {"e5", DefaultDouble},
    {"1e", DefaultDouble},
    {"+-1", DefaultDouble},
    {"- 1", DefaultDouble},
    {"inf", Inf},
    {"-Infinity", -Inf},
    {"nan", std::nan("")},
    {"infinite", DefaultDouble},
    {"1e999", Inf},
    {"-1e999", -Inf},
    {"1e-999", 0.0},
    {"-1e-999", -0.0},
    {"0x1p3", 8.0},
    {"-0X.8", -0.5},
    {"0x", DefaultDouble},
    {"0xp1", DefaultDouble},
    {"0xinf", DefaultDouble},
};

void ExpectDoubleReads(const ScratchDir& dir)
{
    int n = 0;
    for (const DoubleCase& c : DoubleCases) {
        SCOPED_TRACE(std::string("stored \"") + c.stored + "\"");
        const StoredValue v(dir, n++, c.stored);
        const double read = ProfileReadDouble(v.File(), Section, "V", DefaultDouble);
        EXPECT_TRUE(SameDouble(read, c.expected)) << "read " << read << ", expected " << c.expected;
    }
}

TEST(ProfileRead, DoublesInFull)
{
    ScratchDir dir;
    ExpectDoubleReads(dir);
}

struct WriteCase {
    const char* what;
    void (*write)(const char* file);
    const char* stored;
};

TEST(ProfileWrite, StoresTheseTexts)
{
    const WriteCase cases[] = {
        {"int 2048", [](const char* f) { ProfileWriteInt(f, Section, "V", 2048, false); }, "2048"},
        {"int -5", [](const char* f) { ProfileWriteInt(f, Section, "V", -5, false); }, "-5"},
        {"int 255 hex", [](const char* f) { ProfileWriteInt(f, Section, "V", 255, true); }, "0xff"},
        {"int -1 hex", [](const char* f) { ProfileWriteInt(f, Section, "V", -1, true); }, "0xffffffff"},
        {"int min", [](const char* f) { ProfileWriteInt(f, Section, "V", INT32_MIN, false); }, "-2147483648"},
        {"double 1234567", [](const char* f) { ProfileWriteDouble(f, Section, "V", 1234567.0); }, "1.23457e+06"},
        {"double 1000", [](const char* f) { ProfileWriteDouble(f, Section, "V", 1000.0); }, "1000"},
        {"double 123456", [](const char* f) { ProfileWriteDouble(f, Section, "V", 123456.0); }, "123456"},
        {"double 1e6", [](const char* f) { ProfileWriteDouble(f, Section, "V", 1e6); }, "1e+06"},
        {"double 0.0001", [](const char* f) { ProfileWriteDouble(f, Section, "V", 0.0001); }, "0.0001"},
        {"double 0.00001", [](const char* f) { ProfileWriteDouble(f, Section, "V", 0.00001); }, "1e-05"},
        {"double -2.5", [](const char* f) { ProfileWriteDouble(f, Section, "V", -2.5); }, "-2.5"},
        {"double 1/3", [](const char* f) { ProfileWriteDouble(f, Section, "V", 1.0 / 3.0); }, "0.333333"},
        {"double inf", [](const char* f) { ProfileWriteDouble(f, Section, "V", Inf); }, "inf"},
        {"bool true", [](const char* f) { ProfileWriteBool(f, Section, "V", true); }, "1"},
        {"bool false", [](const char* f) { ProfileWriteBool(f, Section, "V", false); }, "0"},
        {"string", [](const char* f) { ProfileWriteString(f, Section, "V", "a b"); }, "a b"},
    };
    ScratchDir dir;
    int n = 0;
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = dir.File("write", n++, ".ini");
        c.write(file.c_str());
        EXPECT_EQ(StoredText(file), c.stored);
    }
}

TEST(ProfileWrite, ValuesReadBackAsStored)
{
    ScratchDir dir;
    const std::string file = dir.File("x.ini");
    ProfileWriteInt(file.c_str(), Section, "Hex", -1, true);
    EXPECT_EQ(ProfileReadInt(file.c_str(), Section, "Hex", 0), std::numeric_limits<std::int32_t>::max())
        << "0xffffffff saturates rather than wrapping to -1";
    ProfileWriteDouble(file.c_str(), Section, "Ratio", 1234567.0);
    EXPECT_EQ(ProfileReadDouble(file.c_str(), Section, "Ratio", 0.0), 1234570.0);
    ProfileWriteBool(file.c_str(), Section, "Flag", true);
    EXPECT_TRUE(ProfileReadBool(file.c_str(), Section, "Flag", false));
    ProfileDeleteSection(file.c_str(), Section);
    EXPECT_EQ(ProfileReadInt(file.c_str(), Section, "Hex", 5), 5);
}

TEST(ProfileAbsentLocation, ReadsGiveDefaultsAndWritesNothing)
{
    ScratchDir dir;
    const std::string existing = dir.File("existing.ini");
    const std::string before = "[Values]\r\nV=1\r\n";
    SetFileBytes(existing, before);
    const std::string missing = dir.File("missing.ini");
    struct Location {
        const char* what;
        const char* file;
        const char* section;
    };
    const Location locations[] = {
        {"no file", nullptr, Section},
        {"no section, existing file", existing.c_str(), nullptr},
        {"no section, missing file", missing.c_str(), nullptr},
    };
    for (const Location& l : locations) {
        SCOPED_TRACE(l.what);
        EXPECT_TRUE(ProfileReadBool(l.file, l.section, "V", true));
        EXPECT_EQ(ProfileReadInt(l.file, l.section, "V", 9), 9);
        EXPECT_EQ(ProfileReadDouble(l.file, l.section, "V", 2.5), 2.5);
        ProfileWriteBool(l.file, l.section, "V", false);
        ProfileWriteInt(l.file, l.section, "V", 2, false);
        ProfileWriteDouble(l.file, l.section, "V", 3.0);
        ProfileWriteString(l.file, l.section, "V", "4");
        ProfileDeleteSection(l.file, l.section);
        EXPECT_EQ(FileBytes(existing), before);
        EXPECT_FALSE(FileBytes(missing));
    }
}

TEST(ProfileAbsentLocation, HostFamilyBeforeInitialisation)
{
    const HostProfile host(nullptr, "");
    EXPECT_FALSE(host.ReadBool("do_baseline", false));
    EXPECT_EQ(host.ReadInt("SpecType", 0), 0);
    EXPECT_EQ(host.ReadDouble("S2N_ratio", 1000.0), 1000.0);
    host.WriteInt("SpecType", 3, false);
    host.WriteDouble("S2N_ratio", 5.0);
    host.WriteBool("do_baseline", true);
    host.WriteString("K", "v");
    host.DeleteSection();
    EXPECT_EQ(host.ReadInt("SpecType", 0), 0);
}

TEST(ProfileAbsentLocation, StringReadCopiesDefaultPaddedAndTerminatedAtSize)
{
    struct Case {
        const char* defaultText;
        std::uint32_t size;
        std::string expected;  // size + 1 characters
        std::uint32_t count;
    };
    const Case cases[] = {
        {"abc", 6, std::string("abc\0\0\0\0", 7), 3},
        {"abcdef", 4, std::string("abcd\0", 5), 4},
        {"", 3, std::string("\0\0\0\0", 4), 0},
        {nullptr, 2, std::string("\0\0\0", 3), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultText != nullptr ? c.defaultText : "<null>");
        std::vector<char> buffer(c.size + 2, '#');
        EXPECT_EQ(ProfileReadString(nullptr, Section, "V", buffer.data(), c.size, c.defaultText), c.count);
        EXPECT_EQ(std::string(buffer.data(), c.size + 1), c.expected);
        EXPECT_EQ(buffer[c.size + 1], '#');
    }
}

// Hosts may run with a locale whose decimal separator is a comma; the files
// keep the point.
class CommaDecimalLocale {
public:
    CommaDecimalLocale()
    {
#ifdef _WIN32
        const char* names[] = {"German_Germany.1252", "de-DE", "German"};
#else
        const char* names[] = {"de_DE.UTF-8", "de_DE.utf8"};
#endif
        for (const char* name : names) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                name_ = name;
                break;
            }
        }
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, "C"); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    const char* Name() const { return name_; }

private:
    const char* name_ = nullptr;
};

TEST(ProfileDoubles, KeepThePointUnderACommaDecimalLocale)
{
    const CommaDecimalLocale locale;
    ASSERT_NE(locale.Name(), nullptr)
        << "no German locale could be set; on Debian: apt-get install locales && localedef -i de_DE -f UTF-8 de_DE.UTF-8";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "locale " << locale.Name() << " has no decimal comma";

    ScratchDir dir;
    const std::string file = dir.File("x.ini");
    ProfileWriteDouble(file.c_str(), Section, "V", 1234.5);
    EXPECT_EQ(StoredText(file), "1234.5");
    ProfileWriteDouble(file.c_str(), Section, "V", 1234567.0);
    EXPECT_EQ(StoredText(file), "1.23457e+06");
    ExpectDoubleReads(dir);
}

}  // namespace
