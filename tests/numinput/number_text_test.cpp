#include "numinput/number_text.h"

#include "same_double.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace numinput;

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundToInt, RoundsHalvesAwayFromZeroAndClampsToIntLimit)
{
    struct Case {
        double x;
        int expected;
    };
    const Case cases[] = {
        {0.5, 1},
        {-0.5, -1},
        {-0.4, 0},
        {2.5, 3},
        {-2.5, -3},
        {0.4999, 0},
        {0.49999999999999994, 0},  // floor(x + 0.5) would give 1
        {-0.49999999999999994, 0},
        {1073741822.5, IntLimit},
        {1e12, IntLimit},
        {-1e12, -IntLimit},
        {Inf, IntLimit},
        {-Inf, -IntLimit},
        {NaN, -IntLimit},
        {-0.0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, RoundToInt(c.x)) << "x = " << c.x;
    }
}

TEST(LimitValue, ClampsIntoRangeThenLeavesTheNearZeroZone)
{
    struct Case {
        double x, min, max, nearZero, expected;
    };
    const Case cases[] = {
        {0, -5, 5, 0.1, 0.1},
        {-0.05, -5, 5, 0.1, -0.1},
        {-0.0, -5, 5, 0.1, 0.1},
        {7, -5, 5, 0, 5},
        {-7, -5, 5, 0, -5},
        {NaN, -5, 5, 0, -5},
        {0, -5, 5, 0, 0},
        {0.3, -10, 0.5, 1, 1},  // the near-zero step may leave the range
        {0.1, -5, 5, 0.1, 0.1},
        {3, -5, 5, 0.1, 3},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(SameDouble(c.expected, LimitValue(c.x, c.min, c.max, c.nearZero)))
            << "LimitValue(" << c.x << ", " << c.min << ", " << c.max << ", " << c.nearZero << ")";
    }
}

TEST(SplitMantissa, GivesSevenDigitMantissaAndDecimalExponent)
{
    struct Case {
        double x;
        double mantissa;
        int exponent;
    };
    const Case cases[] = {
        {0.25, 2.5, -1},
        {1, 1, 0},
        {1500, 1.5, 3},
        {9.9999999, 1, 1},  // rounds to seven digits, carrying into the exponent
        {123456789, 1.234568, 8},
        {-1500, -1.5, 3},
        {1.5e-300, 1.5, -300},
        {std::numeric_limits<double>::max(), 1.797693, 308},
        {Inf, Inf, 0},
    };
    for (const Case& c : cases) {
        int exponent = 12345;
        const double mantissa = SplitMantissa(c.x, exponent);
        EXPECT_TRUE(SameDouble(c.mantissa, mantissa)) << "x = " << c.x;
        EXPECT_EQ(c.exponent, exponent) << "x = " << c.x;
    }
}

struct ParseCase {
    std::string text;
    bool ok;
    double expected;
};

void ExpectDoubleParses(const std::vector<ParseCase>& cases)
{
    for (const ParseCase& c : cases) {
        constexpr double Untouched = -777.25;
        double value = Untouched;
        EXPECT_EQ(c.ok, Text2Double(c.text.c_str(), value)) << "text '" << c.text << "'";
        EXPECT_TRUE(SameDouble(c.ok ? c.expected : Untouched, value)) << "text '" << c.text << "'";
    }
}

TEST(Text2Double, ReadsTheLeadingDecimalNumberAndIgnoresTheRest)
{
    ExpectDoubleParses({
        {"  12.5e1xyz", true, 125},
        {"1000 dB", true, 1000},
        {"12abc", true, 12},
        {"\t\n\v\f\r 7", true, 7},
        {"1,5", true, 1},
        {"1 000", true, 1},
        {"+.5", true, 0.5},
        {"5.", true, 5},
        {"1e", true, 1},
        {"1E+", true, 1},
        {"1.5E+3", true, 1500},
        {"-2.5e-3", true, -0.0025},
        {"0.1", true, 0.1},
        {"-0", true, -0.0},
        {"0x1F", true, 0},
        {"-0x1p3", true, -0.0},
        {"4.9e-324", true, std::numeric_limits<double>::denorm_min()},
        {"1.7976931348623157e308", true, std::numeric_limits<double>::max()},
        {"", false, 0},
        {"-", false, 0},
        {"   ", false, 0},
        {".", false, 0},
        {"+.e5", false, 0},
        {"abc", false, 0},
        {"e5", false, 0},
        {"--1", false, 0},
        {"- 1", false, 0},
    });
}

TEST(Text2Double, GoesToInfinityOrZeroBeyondTheDoubleRange)
{
    ExpectDoubleParses({
        {"1e999", true, Inf},
        {"-1e999", true, -Inf},
        {"1.7976931348623159e308", true, Inf},
        {"1e-999", true, 0},
        {"-1e-999", true, -0.0},
        {"1e99999999999999999999999999999999999999999999999999999999999", true, Inf},
    });
}

TEST(Text2Double, ReadsUpperCaseInfAndNanOnlyAfterAnExplicitSign)
{
    ExpectDoubleParses({
        {"-INF", true, -Inf},
        {"+INF", true, Inf},
        {"  +INFINITY", true, Inf},
        {"+NAN", true, NaN},
        {"-NAN(1)", true, -NaN},
        {"INF", false, 0},
        {"NAN", false, 0},
        {"+inf", false, 0},
        {"-Inf", false, 0},
        {"inf", false, 0},
        {"infinity", false, 0},
        {"+nan", false, 0},
        {"nan(0x1)", false, 0},
        {"- INF", false, 0},
        {"+IN", false, 0},
    });
}

TEST(Text2Double, ReadsOnlyTheFirst64Characters)
{
    ExpectDoubleParses({
        {"1" + std::string(69, '0'), true, 1e63},
        {std::string(63, ' ') + "7", true, 7},
        {std::string(64, ' ') + "7", false, 0},
        {std::string(62, '0') + "1e5", true, 1},
    });
}

TEST(Text2Double, FailsOnNullText)
{
    double value = 3.5;
    EXPECT_FALSE(Text2Double(nullptr, value));
    EXPECT_EQ(3.5, value);
}

TEST(Text2Int, ReadsTheLeadingDecimalIntegerAndSaturates)
{
    struct Case {
        std::string text;
        bool ok;
        int expected;
    };
    const std::vector<Case> cases = {
        {"+7", true, 7},
        {" 12 ", true, 12},
        {"007", true, 7},
        {"-0", true, 0},
        {"12.7", true, 12},
        {"1e3", true, 1},
        {"1,5", true, 1},
        {"0x1F", true, 0},
        {"1000 dB", true, 1000},
        {"2147483647", true, INT_MAX},
        {"2147483648", true, INT_MAX},
        {"99999999999", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"-99999999999", true, INT_MIN},
        {std::string(70, '9'), true, INT_MAX},
        {std::string(64, '0') + "7", true, 0},  // the 65th character is never read
        {std::string(64, ' ') + "7", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"+", false, 0},
        {"   ", false, 0},
        {"abc", false, 0},
        {"- 5", false, 0},
        {"+-5", false, 0},
        {".5", false, 0},
    };
    for (const Case& c : cases) {
        constexpr int Untouched = -777;
        int value = Untouched;
        EXPECT_EQ(c.ok, Text2Int(c.text.c_str(), value)) << "text '" << c.text << "'";
        EXPECT_EQ(c.ok ? c.expected : Untouched, value) << "text '" << c.text << "'";
    }
    int value = 5;
    EXPECT_FALSE(Text2Int(nullptr, value));
    EXPECT_EQ(5, value);
}

std::string Formatted(int value, int width, const char* units)
{
    std::string text(static_cast<std::size_t>(FormatInt(value, width, units, nullptr, 0)), '\0');
    FormatInt(value, width, units, text.data(), static_cast<int>(text.size()));
    return text;
}

std::string Formatted(double value, int width, int precision, const char* units)
{
    std::string text(static_cast<std::size_t>(FormatDouble(value, width, precision, units, nullptr, 0)), '\0');
    FormatDouble(value, width, precision, units, text.data(), static_cast<int>(text.size()));
    return text;
}

TEST(FormatDouble, WritesLikePrintfGWithWidthPrecisionAndUnits)
{
    struct Case {
        double value;
        int width;
        int precision;
        const char* units;
        std::string expected;
    };
    const Case cases[] = {
        {1000, 1, 5, "dB", "1000 dB"},
        {123456, 1, 5, nullptr, "1.2346e+05"},
        {1e100, 1, 5, nullptr, "1e+100"},
        {0.1234567, 1, 5, nullptr, "0.12346"},
        {0.00001, 1, 5, nullptr, "1e-05"},
        {0.0001, 1, 5, nullptr, "0.0001"},
        {99999, 1, 5, nullptr, "99999"},
        {100000, 1, 5, nullptr, "1e+05"},
        {0.5, 8, 3, nullptr, "     0.5"},
        {0.5, -6, 3, "V", "0.5    V"},
        {1, 1, 5, "", "1"},
        {123, 1, 0, nullptr, "1e+02"},  // precision 0 counts as 1
        {2.5, 1, 1, nullptr, "2"},
        {3.14159265, 1, -1, nullptr, "3.14159"},  // negative precision: the default 6
        {-0.0, 3, 5, nullptr, " -0"},
        {Inf, 1, 5, nullptr, "inf"},
        {-Inf, 5, 5, "dB", " -inf dB"},
        {NaN, 1, 5, nullptr, "nan"},
        {std::numeric_limits<double>::denorm_min(), 1, 3, nullptr, "4.94e-324"},
        {0.1, 1, 100, nullptr, "0.1000000000000000055511151231257827021181583404541015625"},
        {0.1, 1, INT_MAX, nullptr, "0.1000000000000000055511151231257827021181583404541015625"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Formatted(c.value, c.width, c.precision, c.units))
            << "value " << c.value << ", width " << c.width << ", precision " << c.precision;
    }
}

TEST(FormatInt, WritesLikePrintfDWithWidthAndUnits)
{
    struct Case {
        int value;
        int width;
        const char* units;
        std::string expected;
    };
    const Case cases[] = {
        {-42, 5, nullptr, "  -42"},
        {42, -5, "mm", "42    mm"},
        {0, 3, "s", "  0 s"},
        {7, 0, "", "7"},
        {123456, 2, nullptr, "123456"},
        {INT_MIN, 1, nullptr, "-2147483648"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Formatted(c.value, c.width, c.units)) << "value " << c.value << ", width " << c.width;
    }
}

TEST(FormatDouble, CutsToMaxLenAndReportsTheWholeLengthForANullBuffer)
{
    struct Case {
        int maxLen;
        std::string expected;
    };
    const Case cases[] = {
        {-1, ""},
        {0, ""},
        {3, "100"},
        {6, "1000 d"},
        {7, "1000 dB"},
        {100, "1000 dB"},
    };
    constexpr char Guard = '#';
    for (const Case& c : cases) {
        std::vector<char> buffer(static_cast<std::size_t>(std::max(c.maxLen, 0)) + 2, Guard);
        const int count = FormatDouble(1000, 1, 5, "dB", buffer.data(), c.maxLen);
        EXPECT_EQ(static_cast<int>(c.expected.size()), count) << "maxLen " << c.maxLen;
        EXPECT_EQ(c.expected, std::string(buffer.data())) << "maxLen " << c.maxLen;
        EXPECT_EQ(Guard, buffer.back()) << "wrote past maxLen + 1, maxLen " << c.maxLen;
    }
    EXPECT_EQ(7, FormatDouble(1000, 1, 5, "dB", nullptr, 3));
    EXPECT_EQ(7, FormatInt(1000, 1, "dB", nullptr, 3));
}

TEST(FormatInt, HandlesAnyWidthAndUnitsLengthWithoutBuildingThePadding)
{
    const std::string longUnits(100000, 'u');
    struct Case {
        int value;
        int width;
        const char* units;
        int maxLen;
        int expectedLength;  // with a null buffer
        std::string expectedText;
    };
    const Case cases[] = {
        {5, 1000000, nullptr, 4, 1000000, "    "},
        {5, -1000000, "x", 3, 1000002, "5  "},
        {5, INT_MAX, nullptr, 2, INT_MAX, "  "},
        {5, INT_MAX, "u", 2, INT_MAX, "  "},  // 2^31 + 1 characters: the length saturates
        {1, INT_MIN, nullptr, 2, INT_MAX, "1 "},
        {5, 1, longUnits.c_str(), 4, 100002, "5 uu"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expectedLength, FormatInt(c.value, c.width, c.units, nullptr, 0)) << "width " << c.width;
        std::vector<char> buffer(static_cast<std::size_t>(c.maxLen) + 1);
        EXPECT_EQ(c.maxLen, FormatInt(c.value, c.width, c.units, buffer.data(), c.maxLen)) << "width " << c.width;
        EXPECT_EQ(c.expectedText, std::string(buffer.data())) << "width " << c.width;
    }
    char buffer[8];
    EXPECT_EQ(INT_MAX, FormatDouble(0.5, INT_MIN, 3, "V", nullptr, 0));
    EXPECT_EQ(7, FormatDouble(0.5, INT_MIN, 3, "V", buffer, 7));
    EXPECT_EQ(std::string("0.5    "), buffer);
}

}  // namespace
