// FormatDouble against snprintf("%*.*g %s") in the C locale for every double
// (NaN, infinities and subnormals included), the copy rules, any width and
// precision, and the way back: Text2Double of the written number gives the
// value rounded to the precision, as strtod reads it from printf's text.
#include "fuzz_support.h"
#include "numinput/number_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int ReferenceWidth = 4096;
// A double has at most 767 significant decimal digits, so "%g" writes the same
// text for every precision from here on (and glibc is slow with huge ones).
constexpr int ExactPrecision = 800;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const double value = std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
    const int width = input.ConsumeBool() ? input.ConsumeIntegralInRange(-300, 300) : input.ConsumeIntegral<int>();
    const int precision = input.ConsumeBool() ? input.ConsumeIntegralInRange(-3, 40) : input.ConsumeIntegral<int>();
    const int maxLen = input.ConsumeIntegralInRange(-2, 1200);
    const bool nullUnits = input.ConsumeBool();
    const std::string unitsText = input.ConsumeRandomLengthString(100);
    const char* units = nullUnits ? nullptr : unitsText.c_str();
    const auto format = [&](char* buffer, int limit) {
        return numinput::FormatDouble(value, width, precision, units, buffer, limit);
    };

    const int referencePrecision = std::min(precision, ExactPrecision);
    const std::string number = fuzz::Printf("%.*g", referencePrecision, value);
    const int length = format(nullptr, 0);
    const std::size_t unitsLength = units != nullptr ? std::strlen(units) : 0;
    const std::int64_t field = std::max<std::int64_t>(width < 0 ? -std::int64_t{width} : width,
                                                      static_cast<std::int64_t>(number.size()));
    const std::int64_t wholeLength = field + (unitsLength > 0 ? 1 + static_cast<std::int64_t>(unitsLength) : 0);
    fuzz::Require(length == std::min<std::int64_t>(wholeLength, INT_MAX), "the length is the field plus the units");

    if (width >= -ReferenceWidth && width <= ReferenceWidth) {
        const std::string expected = unitsLength > 0
                                         ? fuzz::Printf("%*.*g %s", width, referencePrecision, value, units)
                                         : fuzz::Printf("%*.*g", width, referencePrecision, value);
        fuzz::Require(static_cast<std::size_t>(length) == expected.size(), "the length is printf's");
        fuzz::CheckCopy(format, expected, maxLen);
    } else {
        const std::string expectedStart =
            width < 0 ? number + std::string(ReferenceWidth, ' ') : std::string(ReferenceWidth, ' ');
        fuzz::CheckCopy(format, expectedStart, maxLen);
    }

    if (std::isfinite(value)) {
        // The number alone; Text2Double reads its first 64 characters.
        std::string written(static_cast<std::size_t>(numinput::FormatDouble(value, 0, precision, nullptr, nullptr, 0)),
                            '\0');
        numinput::FormatDouble(value, 0, precision, nullptr, written.data(), static_cast<int>(written.size()));
        const std::string readable = written.substr(0, 64);
        const double rounded = std::strtod(fuzz::Prefix(number.c_str(), 64).c_str(), nullptr);
        double back = 0;
        fuzz::Require(numinput::Text2Double(readable.c_str(), back), "Text2Double reads a written number");
        fuzz::Require(fuzz::SameDouble(back, rounded), "Text2Double gives the value rounded to the precision");
        if (precision >= 17 && written.size() <= 64) {
            fuzz::Require(fuzz::SameDouble(back, value), "17 significant digits give the value itself");
        }
    }
    return 0;
}
