#pragma once
// Typed reading and writing of private-profile values with defaults. Settings
// are never an error: a missing location, file, section or key, an empty value
// or one that does not convert in full gives the default; failed writes go
// unnoticed.
//
// Encodings: booleans "1"/"0" (read: 1 ON YES TRUE / 0 OFF NO FALSE, any case);
// integers "%d" or "0x%x" (read: whole text, automatic base, saturating);
// doubles "%g" (read: whole text, decimal); strings unchanged.

#include <cstdint>

namespace settings {

// Generic operations. file or section may be null (absent location).
void ProfileDeleteSection(const char* file, const char* section);
bool ProfileReadBool(const char* file, const char* section, const char* key, bool defaultValue);
std::int32_t ProfileReadInt(const char* file, const char* section, const char* key, std::int32_t defaultValue);
double ProfileReadDouble(const char* file, const char* section, const char* key, double defaultValue);
// Returns the count of characters placed. With file and section present at most
// size - 1 characters come back; with either absent the default is copied, at
// most size characters, and buffer[size] is set to the terminator, so buffer
// must then hold size + 1 characters.
std::uint32_t ProfileReadString(const char* file, const char* section, const char* key, char* buffer,
                                std::uint32_t size, const char* defaultText);
void ProfileWriteBool(const char* file, const char* section, const char* key, bool value);
void ProfileWriteInt(const char* file, const char* section, const char* key, std::int32_t value, bool hexadecimal);
void ProfileWriteDouble(const char* file, const char* section, const char* key, double value);
void ProfileWriteString(const char* file, const char* section, const char* key, const char* value);

// The driver's own configuration file; each call names its section.
class ConfigProfile {
public:
    explicit ConfigProfile(const char* file) : file_(file) {}
    void DeleteSection(const char* section) const { ProfileDeleteSection(file_, section); }
    bool ReadBool(const char* section, const char* key, bool d) const { return ProfileReadBool(file_, section, key, d); }
    std::int32_t ReadInt(const char* section, const char* key, std::int32_t d) const
    {
        return ProfileReadInt(file_, section, key, d);
    }
    double ReadDouble(const char* section, const char* key, double d) const
    {
        return ProfileReadDouble(file_, section, key, d);
    }
    std::uint32_t ReadString(const char* section, const char* key, char* buffer, std::uint32_t size,
                             const char* d) const
    {
        return ProfileReadString(file_, section, key, buffer, size, d);
    }
    void WriteBool(const char* section, const char* key, bool v) const { ProfileWriteBool(file_, section, key, v); }
    void WriteInt(const char* section, const char* key, std::int32_t v, bool hex) const
    {
        ProfileWriteInt(file_, section, key, v, hex);
    }
    void WriteDouble(const char* section, const char* key, double v) const { ProfileWriteDouble(file_, section, key, v); }
    void WriteString(const char* section, const char* key, const char* v) const
    {
        ProfileWriteString(file_, section, key, v);
    }

private:
    const char* file_;
};

// The host's profile file and the section the host named at initialisation.
class HostProfile {
public:
    HostProfile(const char* file, const char* section) : file_(file), section_(section) {}
    void DeleteSection() const { ProfileDeleteSection(file_, section_); }
    bool ReadBool(const char* key, bool d) const { return ProfileReadBool(file_, section_, key, d); }
    std::int32_t ReadInt(const char* key, std::int32_t d) const { return ProfileReadInt(file_, section_, key, d); }
    double ReadDouble(const char* key, double d) const { return ProfileReadDouble(file_, section_, key, d); }
    std::uint32_t ReadString(const char* key, char* buffer, std::uint32_t size, const char* d) const
    {
        return ProfileReadString(file_, section_, key, buffer, size, d);
    }
    void WriteBool(const char* key, bool v) const { ProfileWriteBool(file_, section_, key, v); }
    void WriteInt(const char* key, std::int32_t v, bool hex) const { ProfileWriteInt(file_, section_, key, v, hex); }
    void WriteDouble(const char* key, double v) const { ProfileWriteDouble(file_, section_, key, v); }
    void WriteString(const char* key, const char* v) const { ProfileWriteString(file_, section_, key, v); }

private:
    const char* file_;
    const char* section_;
};

}  // namespace settings
