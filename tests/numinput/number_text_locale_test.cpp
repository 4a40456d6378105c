// The number text routines must ignore the process locale's decimal point.
#include "numinput/number_text.h"

#include "same_double.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using namespace numinput;

// Switches the whole process to a locale with a comma as decimal point for
// the lifetime of the object, and back to the previous locale afterwards.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() : previous_(std::setlocale(LC_ALL, nullptr))
    {
#ifdef _WIN32
        const char* const candidates[] = {"German", "de-DE", "German_Germany.1252"};
#else
        const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8"};
#endif
        for (const char* name : candidates) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                name_ = name;
                return;
            }
        }
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    const std::string& Name() const { return name_; }

private:
    std::string previous_;
    std::string name_;
};

TEST(NumberTextLocale, UsesADotWhateverTheDecimalPointOfTheLocale)
{
    const CommaDecimalLocale locale;
    ASSERT_FALSE(locale.Name().empty())
        << "no German locale could be set; on Debian generate it with: localedef -i de_DE -f UTF-8 de_DE.UTF-8";
    ASSERT_STREQ(",", std::localeconv()->decimal_point) << "locale " << locale.Name() << " has no decimal comma";

    struct ParseCase {
        const char* text;
        double expected;
    };
    const ParseCase parses[] = {
        {"1.5", 1.5},
        {"2,5", 2},
        {"-1.25e-3xyz", -0.00125},
        {"1.234,5", 1.234},
    };
    for (const ParseCase& c : parses) {
        double value = 0;
        EXPECT_TRUE(Text2Double(c.text, value)) << c.text;
        EXPECT_TRUE(SameDouble(c.expected, value)) << c.text;
    }
    int integer = 0;
    EXPECT_TRUE(Text2Int("1.234", integer));
    EXPECT_EQ(1, integer);

    struct FormatCase {
        double value;
        int precision;
        const char* units;
        std::string expected;
    };
    const FormatCase formats[] = {
        {1.5, 5, "dB", "1.5 dB"},
        {1234567, 10, nullptr, "1234567"},
        {123456, 5, nullptr, "1.2346e+05"},
        {0.1234567, 5, nullptr, "0.12346"},
    };
    for (const FormatCase& c : formats) {
        char buffer[64];
        FormatDouble(c.value, 1, c.precision, c.units, buffer, 63);
        EXPECT_EQ(c.expected, std::string(buffer)) << "value " << c.value;
    }

    int exponent = 0;
    EXPECT_EQ(2.5, SplitMantissa(0.25, exponent));
    EXPECT_EQ(-1, exponent);
    EXPECT_EQ(1.0, SplitMantissa(9.9999999, exponent));
    EXPECT_EQ(1, exponent);
}

}  // namespace
