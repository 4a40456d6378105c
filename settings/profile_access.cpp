#include "settings/profile_access.h"

#include <cstring>

#include "platform/profile.h"
#include "settings/profile_text.h"

namespace settings {
namespace {

// Read sizes: the longest value text each type uses is one character less.
constexpr std::uint32_t BoolReadSize = 6;
constexpr std::uint32_t IntReadSize = 31;
constexpr std::uint32_t DoubleReadSize = 64;

bool Present(const char* file, const char* section)
{
    return file != nullptr && section != nullptr;
}

// The key's text in buffer, or empty when the key is missing, its value is
// empty or the file is missing.
template <std::size_t Size>
std::string_view ReadText(const char* file, const char* section, const char* key, char (&buffer)[Size])
{
    const std::uint32_t count = platform::ProfileGetString(section, key, "", buffer, Size, file);
    return {buffer, count};
}

}  // namespace

void ProfileDeleteSection(const char* file, const char* section)
{
    if (Present(file, section)) {
        platform::ProfileDeleteSection(section, file);
    }
}

bool ProfileReadBool(const char* file, const char* section, const char* key, bool defaultValue)
{
    if (!Present(file, section)) {
        return defaultValue;
    }
    char buffer[BoolReadSize];
    return ParseBoolWord(ReadText(file, section, key, buffer)).value_or(defaultValue);
}

std::int32_t ProfileReadInt(const char* file, const char* section, const char* key, std::int32_t defaultValue)
{
    if (!Present(file, section)) {
        return defaultValue;
    }
    char buffer[IntReadSize];
    return ParseWholeInt(ReadText(file, section, key, buffer)).value_or(defaultValue);
}

double ProfileReadDouble(const char* file, const char* section, const char* key, double defaultValue)
{
    if (!Present(file, section)) {
        return defaultValue;
    }
    char buffer[DoubleReadSize];
    return ParseWholeDouble(ReadText(file, section, key, buffer)).value_or(defaultValue);
}

std::uint32_t ProfileReadString(const char* file, const char* section, const char* key, char* buffer,
                                std::uint32_t size, const char* defaultText)
{
    if (Present(file, section)) {
        return platform::ProfileGetString(section, key, defaultText, buffer, size, file);
    }
    if (buffer == nullptr) {
        return 0;
    }
    std::strncpy(buffer, defaultText != nullptr ? defaultText : "", size);
    buffer[size] = '\0';
    return static_cast<std::uint32_t>(std::strlen(buffer));
}

void ProfileWriteBool(const char* file, const char* section, const char* key, bool value)
{
    if (Present(file, section)) {
        platform::ProfileWriteString(section, key, value ? "1" : "0", file);
    }
}

void ProfileWriteInt(const char* file, const char* section, const char* key, std::int32_t value, bool hexadecimal)
{
    if (Present(file, section)) {
        char text[32];
        FormatInt(value, hexadecimal, text);
        platform::ProfileWriteString(section, key, text, file);
    }
}

void ProfileWriteDouble(const char* file, const char* section, const char* key, double value)
{
    if (Present(file, section)) {
        char text[64];
        FormatDouble(value, text);
        platform::ProfileWriteString(section, key, text, file);
    }
}

void ProfileWriteString(const char* file, const char* section, const char* key, const char* value)
{
    if (Present(file, section)) {
        platform::ProfileWriteString(section, key, value, file);
    }
}

}  // namespace settings
