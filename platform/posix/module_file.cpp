#include "platform/module_file.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace platform {

std::uint32_t ModuleFileName(void*, char* buffer, std::uint32_t size)
{
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    // The shared object that holds this function is the driver itself.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) == 0 || info.dli_fname == nullptr) {
        return 0;
    }
    const std::size_t length = std::min<std::size_t>(std::strlen(info.dli_fname), size - 1);
    std::memcpy(buffer, info.dli_fname, length);
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

}  // namespace platform
