// Private-profile files on POSIX, with the observable behaviour of the Windows
// profile functions (see ini_document.h for the file format).
//
// Absent arguments: a null file, or a file that cannot be read, reads as an
// empty profile (the default comes back); a null section or key reads as
// empty text (0 characters; there is no listing of sections or keys); a null
// buffer or size 0 places nothing. Writes with a null file, section or key do
// nothing; a null value deletes the key. Failed writes go unnoticed.

#include "platform/profile.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/posix/ini_document.h"
#include "platform/posix/ini_file.h"

namespace platform {
namespace {

// Serialises the read-modify-write of a file between the threads of this
// process, as the system's own profile lock does on Windows.
std::mutex& WriteLock()
{
    static std::mutex lock;
    return lock;
}

bool HasPath(const char* file)
{
    return file != nullptr && *file != '\0';
}

// A default loses its trailing spaces, but never its first character.
std::string_view TrimDefault(const char* text)
{
    std::string_view d = text != nullptr ? text : "";
    while (d.size() > 1 && d.back() == ' ') {
        d.remove_suffix(1);
    }
    return d;
}

// Copies text without one pair of matching surrounding quotes, cut to
// size - 1 characters and terminated; returns the count placed.
std::uint32_t CopyValue(std::string_view text, char* buffer, std::uint32_t size)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

// Applies change to the file's document and rewrites the file when the
// document changed. A file that exists but cannot be read is left alone.
template <typename Change>
void Modify(const char* file, Change change)
{
    if (!HasPath(file)) {
        return;
    }
    const std::lock_guard<std::mutex> hold(WriteLock());
    const ini::FileText current = ini::ReadWholeFile(file);
    if (current.state == ini::FileText::State::Unreadable) {
        return;
    }
    ini::Document doc = ini::Document::Parse(current.text);
    if (change(doc)) {
        ini::ReplaceWholeFile(file, doc.Serialize());
    }
}

}  // namespace

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
    if (HasPath(file)) {
        const ini::FileText current = ini::ReadWholeFile(file);
        if (current.state == ini::FileText::State::Read) {
            const ini::Document doc = ini::Document::Parse(current.text);
            if (const std::string* value = doc.Find(section, key)) {
                return CopyValue(*value, buffer, size);
            }
        }
    }
    return CopyValue(TrimDefault(defaultText), buffer, size);
}

void ProfileWriteString(const char* section, const char* key, const char* value, const char* file)
{
    if (section == nullptr || key == nullptr) {
        return;
    }
    Modify(file, [&](ini::Document& doc) {
        return value != nullptr ? doc.Set(section, key, value) : doc.EraseKey(section, key);
    });
}

void ProfileDeleteSection(const char* section, const char* file)
{
    if (section == nullptr) {
        return;
    }
    Modify(file, [&](ini::Document& doc) { return doc.EraseSection(section); });
}

}  // namespace platform
