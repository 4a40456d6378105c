// FormatInt against snprintf("%*d %s") in the C locale, the copy rules, any
// width without a huge allocation, and the way back through Text2Int.
#include "fuzz_support.h"
#include "numinput/number_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// Up to this width the whole text is built as a reference; beyond it only
// its length and its start are checked.
constexpr int ReferenceWidth = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int value = input.ConsumeIntegral<int>();
    const int width = input.ConsumeBool() ? input.ConsumeIntegralInRange(-300, 300) : input.ConsumeIntegral<int>();
    const int maxLen = input.ConsumeIntegralInRange(-2, 400);
    const bool nullUnits = input.ConsumeBool();
    const std::string unitsText = input.ConsumeRandomLengthString(100);
    const char* units = nullUnits ? nullptr : unitsText.c_str();
    const auto format = [&](char* buffer, int limit) { return numinput::FormatInt(value, width, units, buffer, limit); };

    const int length = format(nullptr, 0);
    const std::string number = fuzz::Printf("%d", value);
    const std::size_t unitsLength = units != nullptr ? std::strlen(units) : 0;
    const std::int64_t field = std::max<std::int64_t>(width < 0 ? -std::int64_t{width} : width,
                                                      static_cast<std::int64_t>(number.size()));
    const std::int64_t wholeLength = field + (unitsLength > 0 ? 1 + static_cast<std::int64_t>(unitsLength) : 0);
    fuzz::Require(length == std::min<std::int64_t>(wholeLength, INT_MAX), "the length is the field plus the units");

    if (width >= -ReferenceWidth && width <= ReferenceWidth) {
        const std::string expected =
            unitsLength > 0 ? fuzz::Printf("%*d %s", width, value, units) : fuzz::Printf("%*d", width, value);
        fuzz::Require(static_cast<std::size_t>(length) == expected.size(), "the length is printf's");
        fuzz::CheckCopy(format, expected, maxLen);
        if (width < 0 || width <= 64) {  // the number then lies within the 64 characters Text2Int reads
            int back = 0;
            fuzz::Require(numinput::Text2Int(expected.c_str(), back) && back == value, "Text2Int reads the value back");
        }
    } else {
        // maxLen is below the padding: the copy is all blanks, or the number then blanks.
        const std::string expectedStart =
            width < 0 ? number + std::string(ReferenceWidth, ' ') : std::string(ReferenceWidth, ' ');
        fuzz::CheckCopy(format, expectedStart, maxLen);
    }
    return 0;
}
