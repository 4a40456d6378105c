#include "platform/clock.h"

#include <chrono>

namespace platform {

std::uint32_t MillisecondClock()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // Keeping the low 32 bits gives the same wrap-around as a 32-bit counter.
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace platform
