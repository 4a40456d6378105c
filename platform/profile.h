#pragma once
// Private-profile (INI) files: [section] lines and key=value lines.
// Sections and keys match without regard to ASCII case; values are trimmed of
// surrounding blanks and one pair of surrounding quotes. A missing or
// unreadable file reads as empty; a failed write goes unnoticed.

#include <cstdint>

namespace platform {

// Copies the key's value, cut to size - 1 characters and terminated, into
// buffer, or the default text (trailing blanks removed) when the key or the
// file is missing. Returns the number of characters placed; 0 for an empty
// value. size 0 places nothing and returns 0.
std::uint32_t ProfileGetString(const char* section, const char* key, const char* defaultText,
                               char* buffer, std::uint32_t size, const char* file);

// Sets the key, creating the file and the section as needed.
void ProfileWriteString(const char* section, const char* key, const char* value, const char* file);

// Removes the section with all its keys; other sections stay.
void ProfileDeleteSection(const char* section, const char* file);

}  // namespace platform
