#include "settings/profile_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace settings {
namespace {

bool IsCBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view SkipBlanks(std::string_view s)
{
    while (!s.empty() && IsCBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

// Takes one leading sign off s; true when it was '-'.
bool TakeSign(std::string_view& s)
{
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        const bool negative = s.front() == '-';
        s.remove_prefix(1);
        return negative;
    }
    return false;
}

bool TakeHexPrefix(std::string_view& s)
{
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        return true;
    }
    return false;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = (text[i] >= 'a' && text[i] <= 'z') ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != upper[i]) {
            return false;
        }
    }
    return true;
}

// For digits that from_chars found out of range: whether the number is too
// large (rather than too small). Compares the power of the leading digit plus
// the exponent with zero; an out-of-range number is far from either side.
bool BeyondLargest(std::string_view number, bool hexadecimal)
{
    const std::size_t marker = number.find_first_of(hexadecimal ? "pP" : "eE");
    const std::string_view mantissa = number.substr(0, marker);
    long long exponent = 0;
    if (marker != std::string_view::npos) {
        std::string_view e = number.substr(marker + 1);
        const bool negative = TakeSign(e);
        for (const char c : e) {
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return false;
    }
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    const auto lead = static_cast<long long>(first);
    const long long leadPower = lead < point ? point - lead - 1 : point - lead;
    return (hexadecimal ? 4 * leadPower : leadPower) + exponent > 0;
}

}  // namespace

std::optional<bool> ParseBoolWord(std::string_view text)
{
    for (const std::string_view word : {"1", "ON", "YES", "TRUE"}) {
        if (EqualsIgnoringCase(text, word)) {
            return true;
        }
    }
    for (const std::string_view word : {"0", "OFF", "NO", "FALSE"}) {
        if (EqualsIgnoringCase(text, word)) {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> ParseWholeInt(std::string_view text)
{
    std::string_view s = SkipBlanks(text);
    const bool negative = TakeSign(s);
    int base = 10;
    if (TakeHexPrefix(s)) {
        base = 16;
    } else if (!s.empty() && s.front() == '0') {
        base = 8;
    }
    std::uint64_t magnitude = 0;
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, magnitude, base);
    if (error == std::errc::invalid_argument || stop != end) {
        return std::nullopt;
    }
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    if (error == std::errc::result_out_of_range) {
        magnitude = std::numeric_limits<std::uint64_t>::max();
    }
    if (negative) {
        return magnitude > largest + 1 ? std::numeric_limits<std::int32_t>::min()
                                       : static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    return magnitude > largest ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(magnitude);
}

std::optional<double> ParseWholeDouble(std::string_view text)
{
    std::string_view s = SkipBlanks(text);
    const bool negative = TakeSign(s);
    const bool hexadecimal = TakeHexPrefix(s);
    // A second sign, or "0x" without a digit or point after it, is where the C
    // library's conversion would stop, leaving text over.
    if (s.empty() || s.front() == '+' || s.front() == '-' ||
        (hexadecimal && !IsHexDigit(s.front()) && s.front() != '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* end = s.data() + s.size();
    const auto format = hexadecimal ? std::chars_format::hex : std::chars_format::general;
    const auto [stop, error] = std::from_chars(s.data(), end, value, format);
    if (error == std::errc::invalid_argument || stop != end) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        value = BeyondLargest(s, hexadecimal) ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

void FormatInt(std::int32_t value, bool hexadecimal, std::span<char, 32> out)
{
    char* first = out.data();
    char* last = out.data() + out.size() - 1;
    std::to_chars_result result{};
    if (hexadecimal) {
        *first++ = '0';
        *first++ = 'x';
        result = std::to_chars(first, last, static_cast<std::uint32_t>(value), 16);
    } else {
        result = std::to_chars(first, last, value);
    }
    *result.ptr = '\0';
}

void FormatDouble(double value, std::span<char, 64> out)
{
    const auto result = std::to_chars(out.data(), out.data() + out.size() - 1, value, std::chars_format::general, 6);
    *result.ptr = '\0';
}

}  // namespace settings
