#pragma once
// Text forms of profile values. Independent of the process's locale: the
// decimal point is always '.', whatever locale the host has set.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace settings {

// Any ASCII case of "1", "ON", "YES", "TRUE" (true) or "0", "OFF", "NO",
// "FALSE" (false); anything else is no boolean.
std::optional<bool> ParseBoolWord(std::string_view text);

// The whole text as the C library's strtol with base 0 reads it: leading
// blanks, one sign, "0x"/"0X" hexadecimal, a leading "0" octal, else decimal.
// Out-of-range numbers saturate at the signed 32-bit limits. Text left over
// (or no digits) gives no number.
std::optional<std::int32_t> ParseWholeInt(std::string_view text);

// The whole text as the C library's strtod reads it in the "C" locale: leading
// blanks, one sign, decimal or "0x" hexadecimal digits with a point and an
// exponent, "inf"/"infinity"/"nan". Too large numbers give infinity, too small
// ones zero. Text left over gives no number.
std::optional<double> ParseWholeDouble(std::string_view text);

// "%d", or "0x%x" of the 32-bit pattern; terminated.
void FormatInt(std::int32_t value, bool hexadecimal, std::span<char, 32> out);
// "%g" in the "C" locale: six significant digits, trailing zeros dropped,
// exponent form below 1e-4 or from 1e6; terminated.
void FormatDouble(double value, std::span<char, 64> out);

}  // namespace settings
