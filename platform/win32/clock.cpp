#include "platform/clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform {

std::uint32_t MillisecondClock()
{
    return timeGetTime();
}

}  // namespace platform
