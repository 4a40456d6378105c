#include "numinput/number_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace numinput {
namespace {

// printf takes a negative precision as if none were given.
constexpr int DefaultPrecision = 6;

// std::to_chars writes as printf does in the C locale, never with the process
// locale's decimal point. The text grows until it fits.
template <typename... Format>
std::string ToChars(Format... format)
{
    std::string text(64, '\0');
    for (;;) {
        const auto result = std::to_chars(text.data(), text.data() + text.size(), format...);
        if (result.ec == std::errc()) {
            text.resize(static_cast<std::size_t>(result.ptr - text.data()));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

// Writes into a caller's buffer, dropping whatever exceeds the room left.
class BoundedWriter {
public:
    BoundedWriter(char* out, std::int64_t room) : out_(out), room_(room) {}

    void Put(std::string_view text)
    {
        const auto n = std::min<std::int64_t>(room_, static_cast<std::int64_t>(text.size()));
        std::memcpy(out_, text.data(), static_cast<std::size_t>(n));
        Advance(n);
    }

    void Fill(char c, std::int64_t count)
    {
        const auto n = std::min(room_, count);
        std::memset(out_, c, static_cast<std::size_t>(n));
        Advance(n);
    }

private:
    void Advance(std::int64_t n)
    {
        out_ += n;
        room_ -= n;
    }

    char* out_;
    std::int64_t room_;
};

// A formatted number in its field, as printf's "%*s %s" lays it out: padded
// with blanks to the width (right-aligned, left-aligned for a negative width),
// then a blank and the units name unless they are empty. The padding is only
// counted, never built, so that any width is safe.
class Field {
public:
    Field(std::string number, int width, const char* units)
        : number_(std::move(number)),
          units_(units != nullptr ? units : ""),
          leftAligned_(width < 0),
          padding_(std::max<std::int64_t>(0, Magnitude(width) - static_cast<std::int64_t>(number_.size())))
    {
    }

    int Deliver(char* buffer, int maxLen) const
    {
        const std::int64_t length = Length();
        if (buffer == nullptr) {
            return static_cast<int>(std::min<std::int64_t>(length, INT_MAX));
        }
        const std::int64_t count = std::min<std::int64_t>(length, std::max(maxLen, 0));
        BoundedWriter out(buffer, count);
        if (!leftAligned_) {
            out.Fill(' ', padding_);
        }
        out.Put(number_);
        if (leftAligned_) {
            out.Fill(' ', padding_);
        }
        if (!units_.empty()) {
            out.Put(" ");
            out.Put(units_);
        }
        buffer[count] = '\0';
        return static_cast<int>(count);
    }

private:
    static std::int64_t Magnitude(int width)
    {
        const std::int64_t w = width;
        return w < 0 ? -w : w;
    }

    std::int64_t Length() const
    {
        const auto unitsPart = units_.empty() ? 0 : 1 + static_cast<std::int64_t>(units_.size());
        return padding_ + static_cast<std::int64_t>(number_.size()) + unitsPart;
    }

    std::string number_;
    std::string_view units_;
    bool leftAligned_;
    std::int64_t padding_;
};

}  // namespace

int FormatInt(int value, int width, const char* units, char* buffer, int maxLen)
{
    return Field(ToChars(value), width, units).Deliver(buffer, maxLen);
}

int FormatDouble(double value, int width, int precision, const char* units, char* buffer, int maxLen)
{
    // "%g" style; to_chars itself counts a precision of 0 as 1.
    const int digits = precision < 0 ? DefaultPrecision : precision;
    return Field(ToChars(value, std::chars_format::general, digits), width, units).Deliver(buffer, maxLen);
}

double SplitMantissa(double x, int& exponent)
{
    // The "%E" text: one digit, '.', six decimals, 'e', signed exponent of at
    // least two digits. Rounding to seven digits may carry into the exponent.
    const std::string text = ToChars(x, std::chars_format::scientific, 6);
    const std::size_t e = text.find('e');
    if (e == std::string::npos) {  // infinity or NaN
        exponent = 0;
        return x;
    }
    double mantissa = 0;
    std::from_chars(text.data(), text.data() + e, mantissa);
    const char* exponentBegin = text.data() + e + 1;
    if (*exponentBegin == '+') {
        ++exponentBegin;  // from_chars takes '-' but not '+'
    }
    std::from_chars(exponentBegin, text.data() + text.size(), exponent);
    return mantissa;
}

}  // namespace numinput
