#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace settings {

// Where ".CFG" goes in a module file name: at its extension (the last '.'
// after the last '\' or '/'), or at the end when the name has none.
std::size_t ConfigExtensionPosition(std::string_view moduleFileName);

// Path of the driver's configuration file: the library's own file name with
// its extension replaced by ".CFG" (appended when the name has none).
class ConfigFilePath {
public:
    static constexpr std::uint32_t ModuleNameSize = 1024;
    static constexpr std::string_view Extension = ".CFG";

    // Derives the path from the module's file name. On failure the previous
    // path (none after loading) stays. Safe to call again from any thread: a
    // repeated call that yields the same text writes nothing.
    void Derive(void* module);
    // The path, or null while none could be derived.
    const char* Get() const;

private:
    char buffer_[ModuleNameSize + 4] = {};
    std::atomic<const char*> path_{nullptr};  // set to buffer_ once derived
};

}  // namespace settings
