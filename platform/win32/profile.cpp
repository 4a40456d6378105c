// Private-profile files through the system's profile functions. The guards
// give absent arguments the same meaning as on POSIX: the system would read a
// null file as WIN.INI, list sections or keys for a null section or key, and
// delete the whole section on a write with a null key.

#include "platform/profile.h"

#include <windows.h>

namespace platform {

std::uint32_t ProfileGetString(const char* section, const char* key, const char* defaultText, char* buffer,
                               std::uint32_t size, const char* file)
{
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    if (section == nullptr || key == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    if (file == nullptr || *file == '\0') {
        // A file name that cannot exist: the system places the default its own way.
        file = "<>";
    }
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, file);
}

void ProfileWriteString(const char* section, const char* key, const char* value, const char* file)
{
    if (section != nullptr && key != nullptr && file != nullptr && *file != '\0') {
        WritePrivateProfileStringA(section, key, value, file);
    }
}

void ProfileDeleteSection(const char* section, const char* file)
{
    if (section != nullptr && file != nullptr && *file != '\0') {
        WritePrivateProfileStringA(section, nullptr, nullptr, file);
    }
}

}  // namespace platform
