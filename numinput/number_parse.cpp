#include "numinput/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <system_error>

namespace numinput {
namespace {

// Reading never looks past this many characters of a text.
constexpr std::size_t ReadLimit = 64;

std::string_view ReadWindow(const char* text)
{
    std::size_t length = 0;
    while (length < ReadLimit && text[length] != '\0') {
        ++length;
    }
    return {text, length};
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view s, std::size_t i)
{
    while (i < s.size() && IsSpace(s[i])) {
        ++i;
    }
    return i;
}

std::size_t SkipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    return i;
}

bool IsSignAt(std::string_view s, std::size_t i)
{
    return i < s.size() && (s[i] == '+' || s[i] == '-');
}

}  // namespace

// Both readers accept a number followed by anything at all (a units name,
// blanks, other characters): they succeed as soon as a number stands at the
// start, after white space and an optional sign.

bool Text2Int(const char* text, int& value)
{
    if (text == nullptr) {
        return false;
    }
    const std::string_view s = ReadWindow(text);
    std::size_t i = SkipSpace(s, 0);
    const bool negative = IsSignAt(s, i) && s[i] == '-';
    if (IsSignAt(s, i)) {
        ++i;
    }
    const std::size_t digitsBegin = i;
    // 2^31 is the largest magnitude needed (for -2^31); beyond it the value saturates.
    constexpr std::int64_t MaxMagnitude = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (s[i] - '0'), MaxMagnitude);
    }
    if (i == digitsBegin) {
        return false;
    }
    value = static_cast<int>(negative ? -magnitude : std::min(magnitude, MaxMagnitude - 1));
    return true;
}

bool Text2Double(const char* text, double& value)
{
    if (text == nullptr) {
        return false;
    }
    const std::string_view s = ReadWindow(text);
    std::size_t i = SkipSpace(s, 0);
    const bool hasSign = IsSignAt(s, i);
    const bool negative = hasSign && s[i] == '-';
    if (hasSign) {
        ++i;
        const std::string_view word = s.substr(i);
        if (word.starts_with("INF")) {
            value = negative ? -HUGE_VAL : HUGE_VAL;
            return true;
        }
        if (word.starts_with("NAN")) {
            value = std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
            return true;
        }
    }

    // Syntax checked here, so that the conversion below sees nothing but
    // digits, '.' and an exponent (std::from_chars alone would also take
    // "inf", "nan(...)" in any case); it is locale-independent and exact.
    const std::size_t numberBegin = i;
    std::size_t end = SkipDigits(s, i);
    bool anyDigit = end > numberBegin;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(s, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return false;
    }
    bool negativeExponent = false;
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t j = end + 1;
        const bool exponentNegative = IsSignAt(s, j) && s[j] == '-';
        if (IsSignAt(s, j)) {
            ++j;
        }
        const std::size_t exponentEnd = SkipDigits(s, j);
        if (exponentEnd > j) {  // an 'e' without digits is not part of the number
            end = exponentEnd;
            negativeExponent = exponentNegative;
        }
    }

    double magnitude = 0;
    const auto result = std::from_chars(s.data() + numberBegin, s.data() + end, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // At most 64 digits never leave the double range on their own, so only
        // the exponent's sign tells overflow (infinity) from underflow (zero).
        magnitude = negativeExponent ? 0.0 : HUGE_VAL;
    } else if (result.ec != std::errc()) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace numinput
