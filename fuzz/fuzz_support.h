// Shared helpers of the fuzz targets. A violated property aborts, so that
// libFuzzer reports it as a crash and keeps the input. The targets never
// change the locale, so the C library's printf and strtod serve as references
// in the C locale.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fuzz {

inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property violated: %s\n", property);
        std::abort();
    }
}

// Equal as values, NaN equal to NaN, and the sign of a zero counts.
inline bool SameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

// The fuzz data as a zero-terminated text in a block of exactly its size, so
// that AddressSanitizer catches any read past the terminator.
inline std::vector<char> TerminatedText(const std::uint8_t* data, std::size_t size)
{
    std::vector<char> text(size + 1);
    if (size > 0) {
        std::memcpy(text.data(), data, size);
    }
    text[size] = '\0';
    return text;
}

// At most the first n characters of a zero-terminated text.
inline std::string Prefix(const char* text, std::size_t n)
{
    std::size_t length = 0;
    while (length < n && text[length] != '\0') {
        ++length;
    }
    return {text, length};
}

template <typename... Args>
std::string Printf(const char* format, Args... args)
{
    const int length = std::snprintf(nullptr, 0, format, args...);
    Require(length >= 0, "reference snprintf succeeds");
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

// Checks one copying call of a formatting routine, format(buffer, maxLen),
// whose whole text is expected: the count, the copied characters, the
// terminator, and (through AddressSanitizer, with a block of exactly
// maxLen + 1 characters) no write beyond them.
template <typename Format>
void CheckCopy(Format format, const std::string& expected, int maxLen)
{
    std::vector<char> buffer(static_cast<std::size_t>(maxLen < 0 ? 0 : maxLen) + 1, '#');
    const int count = format(buffer.data(), maxLen);
    const auto expectedCount = static_cast<int>(std::min<std::size_t>(expected.size(), buffer.size() - 1));
    Require(count == expectedCount, "the copy count is min(length, maxLen)");
    Require(expected.compare(0, static_cast<std::size_t>(count), buffer.data(), static_cast<std::size_t>(count)) == 0,
            "the copy is the start of the whole text");
    Require(buffer[static_cast<std::size_t>(count)] == '\0', "the copy is zero-terminated");
}

}  // namespace fuzz
