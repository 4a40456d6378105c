#pragma once

#include <cstdint>

namespace platform {

// Writes the full path of the file of the given module (on POSIX: the shared
// object that holds this code; the handle is not used) into buffer, cut to
// size - 1 characters and terminated. Returns the number of characters
// written, 0 on failure.
std::uint32_t ModuleFileName(void* module, char* buffer, std::uint32_t size);

}  // namespace platform
