#include "platform/window.h"

#include <windows.h>

namespace platform {

bool IsWindowHandle(void* handle)
{
    return IsWindow(static_cast<HWND>(handle)) != FALSE;
}

}  // namespace platform
