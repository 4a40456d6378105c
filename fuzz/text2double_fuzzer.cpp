// Text2Double against an oracle built on strtod in the C locale. strtod reads
// more than Text2Double may (hexadecimal, inf and nan in any case and without
// a sign), so the oracle uses it only where the syntaxes agree: for a text
// that starts (after white space and sign) with a decimal digit or '.', not
// "0x". The words INF and NAN count only in upper case after an explicit sign.
#include "fuzz_support.h"
#include "numinput/number_text.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

struct Expected {
    bool ok;
    double value;
};

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

Expected Oracle(const std::string& window)
{
    std::size_t i = 0;
    while (i < window.size() && IsCSpace(window[i])) {
        ++i;
    }
    const bool hasSign = i < window.size() && (window[i] == '+' || window[i] == '-');
    const double sign = hasSign && window[i] == '-' ? -1.0 : 1.0;
    const std::string_view rest = std::string_view(window).substr(hasSign ? i + 1 : i);
    if (hasSign && rest.starts_with("INF")) {
        return {true, sign * std::numeric_limits<double>::infinity()};
    }
    if (hasSign && rest.starts_with("NAN")) {
        return {true, std::numeric_limits<double>::quiet_NaN()};
    }
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        return {true, sign * 0.0};  // the number is the "0" before the 'x'
    }
    if (rest.empty() || !((rest[0] >= '0' && rest[0] <= '9') || rest[0] == '.')) {
        return {false, 0};
    }
    char* end = nullptr;
    const double value = std::strtod(window.c_str(), &end);
    return {end != window.c_str(), value};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<char> text = fuzz::TerminatedText(data, size);
    constexpr double Untouched = -123.456;
    double value = Untouched;
    const bool ok = numinput::Text2Double(text.data(), value);

    const Expected expected = Oracle(fuzz::Prefix(text.data(), 64));
    fuzz::Require(ok == expected.ok, "Text2Double accepts exactly the allowed syntax");
    if (ok) {
        fuzz::Require(fuzz::SameDouble(value, expected.value), "Text2Double gives the correctly rounded value");
    } else {
        fuzz::Require(fuzz::SameDouble(value, Untouched), "Text2Double leaves the value unchanged on failure");
    }
    return 0;
}
