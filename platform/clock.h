#pragma once

#include <cstdint>

namespace platform {

// Milliseconds from an arbitrary start, as a 32-bit counter that wraps to 0
// after 2^32 ms.
std::uint32_t MillisecondClock();

}  // namespace platform
