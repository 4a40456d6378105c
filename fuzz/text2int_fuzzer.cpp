// Text2Int against strtoll in the C locale, which reads the same syntax
// (white space, optional sign, decimal digits) when given the first 64
// characters and clamped to 32 bits.
#include "fuzz_support.h"
#include "numinput/number_text.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<char> text = fuzz::TerminatedText(data, size);
    constexpr int Untouched = 0x5A5A5A5A;
    int value = Untouched;
    const bool ok = numinput::Text2Int(text.data(), value);

    const std::string window = fuzz::Prefix(text.data(), 64);
    char* end = nullptr;
    const long long reference = std::strtoll(window.c_str(), &end, 10);
    fuzz::Require(ok == (end != window.c_str()), "Text2Int succeeds exactly when a number starts the text");
    if (ok) {
        fuzz::Require(value == std::clamp<long long>(reference, INT_MIN, INT_MAX), "Text2Int saturates at 32 bits");
    } else {
        fuzz::Require(value == Untouched, "Text2Int leaves the value unchanged on failure");
    }
    return 0;
}
