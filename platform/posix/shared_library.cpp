#include "platform/shared_library.h"

#include <dlfcn.h>

namespace platform {

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load " + path;
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary()
{
    dlclose(handle_);
}

void* SharedLibrary::Symbol(const char* name) const
{
    return dlsym(handle_, name);
}

}  // namespace platform
