// Conversions between numbers and their text for the numeric edit control:
// rounding, clamping, reading typed text and writing a value with a field
// width, significant digits and a units name. The routines keep no state and
// may run on any thread. The decimal point is always '.', whatever the
// process locale.
#pragma once

#include <limits>

namespace numinput {

static_assert(sizeof(int) == 4, "the routines work on 32-bit int");

// Largest magnitude RoundToInt returns; limit of the integer-only ranges.
inline constexpr int IntLimit = 1073741823;  // 2^30 - 1
// Limit of the real-valued ranges: exactly half the largest finite double.
inline constexpr double RealLimit = 0x1.fffffffffffffp+1022;
static_assert(RealLimit == std::numeric_limits<double>::max() / 2);

// Rounds half away from zero after clamping to [-IntLimit, IntLimit];
// a NaN gives -IntLimit.
int RoundToInt(double x);

// Clamps x into [min, max] (a NaN becomes min), then pushes a result with
// |x| < nearZero out to +-nearZero, even when that leaves [min, max].
double LimitValue(double x, double min, double max, double nearZero);

// Splits x into a mantissa of seven significant digits and a decimal
// exponent, as "%E" writes them: 1500 gives 1.5 and 3, 9.9999999 gives 1 and 1.
// A non-finite x is returned unchanged with exponent 0.
double SplitMantissa(double x, int& exponent);

// Read a number from the first 64 characters of text: leading white space,
// an optional sign, then the longest number; whatever follows is ignored.
// Text2Int reads decimal digits and saturates at the 32-bit limits.
// Text2Double reads digits with an optional '.' and exponent, becomes
// +-infinity beyond the double range, and reads the upper-case words INF and
// NAN only directly after an explicit sign. On failure (null text, nothing
// readable at the start) value is left unchanged.
bool Text2Int(const char* text, int& value);
bool Text2Double(const char* text, double& value);

// Write value as printf's "%*d %s" / "%*.*g %s" would in the C locale (no
// " %s" part when units is null or empty). With a null buffer, return the
// length of the whole text; otherwise copy at most maxLen characters (none
// when maxLen < 0) plus a terminating zero, and return the count copied. The
// buffer must hold maxLen + 1 characters. Any width is safe; a length beyond
// the int range is reported as INT_MAX.
int FormatInt(int value, int width, const char* units, char* buffer, int maxLen);
int FormatDouble(double value, int width, int precision, const char* units, char* buffer, int maxLen);

}  // namespace numinput
