#pragma once

#include <memory>
#include <string>

namespace platform {

// A shared library loaded by path, unloaded when the object goes away.
class SharedLibrary {
public:
    // Loads the library; null with a reason in error when it cannot be loaded.
    static std::unique_ptr<SharedLibrary> Open(const std::string& path, std::string& error);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Address of an exported symbol by its exact name, or null.
    void* Symbol(const char* name) const;

private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace platform
