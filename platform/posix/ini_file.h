#pragma once
// Whole-file reading and crash-safe replacement of small text files.

#include <optional>
#include <string>
#include <string_view>

namespace platform::ini {

// Larger files are not profile files; they are left alone.
inline constexpr std::size_t MaxFileSize = 16u << 20;

struct FileText {
    enum class State { Read, Missing, Unreadable };
    State state;
    std::string text;  // when Read
};

// Reads a regular file. Missing: no such file (or no such directory).
// Unreadable: anything else that cannot be read as a regular file of at most
// MaxFileSize bytes (a directory, a FIFO, a device, no permission). Never
// blocks on special files.
FileText ReadWholeFile(const char* path);

// Replaces the file's content by writing a temporary file in the same
// directory and renaming it over the file, so that readers and a crash see
// either the old or the new content. A symbolic link is followed and its
// target replaced. An existing file keeps its permissions; one without any
// write permission bit counts as read-only and is not replaced. Returns false
// when nothing was changed.
bool ReplaceWholeFile(const char* path, std::string_view content);

}  // namespace platform::ini
