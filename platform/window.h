#pragma once

namespace platform {

// True when handle names an existing window. Builds without a window system
// have no windows, so it is always false there.
bool IsWindowHandle(void* handle);

}  // namespace platform
