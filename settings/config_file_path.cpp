#include "settings/config_file_path.h"

#include <cstring>

#include "platform/module_file.h"

namespace settings {

std::size_t ConfigExtensionPosition(std::string_view moduleFileName)
{
    if (moduleFileName.empty()) {
        return 0;
    }
    std::size_t pos = moduleFileName.size() - 1;
    while (pos > 0 && moduleFileName[pos] != '.' && moduleFileName[pos] != '\\' && moduleFileName[pos] != '/') {
        --pos;
    }
    return moduleFileName[pos] == '.' ? pos : moduleFileName.size();
}

void ConfigFilePath::Derive(void* module)
{
    char name[ModuleNameSize + Extension.size()];
    const std::uint32_t length = platform::ModuleFileName(module, name, ModuleNameSize);
    if (length == 0 || length >= ModuleNameSize) {
        return;
    }
    const std::size_t ext = ConfigExtensionPosition({name, length});
    std::memcpy(name + ext, Extension.data(), Extension.size());
    name[ext + Extension.size()] = '\0';

    // Every call yields the same text; leave the buffer alone then, since
    // other threads may be reading it.
    const char* current = path_.load(std::memory_order_acquire);
    if (current != nullptr && std::strcmp(current, name) == 0) {
        return;
    }
    std::memcpy(buffer_, name, ext + Extension.size() + 1);
    path_.store(buffer_, std::memory_order_release);
}

const char* ConfigFilePath::Get() const
{
    return path_.load(std::memory_order_acquire);
}

}  // namespace settings
