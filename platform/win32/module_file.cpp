#include "platform/module_file.h"

#include <windows.h>

namespace platform {

std::uint32_t ModuleFileName(void* module, char* buffer, std::uint32_t size)
{
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    return GetModuleFileNameA(static_cast<HMODULE>(module), buffer, size);
}

}  // namespace platform
