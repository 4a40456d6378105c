#include "platform/window.h"

namespace platform {

bool IsWindowHandle(void*)
{
    return false;
}

}  // namespace platform
