#include "platform/posix/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace platform::ini {
namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now; false when the close reported an error (data not written).
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// A new file beside the target that is removed again unless committed.
class TempFile {
public:
    TempFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~TempFile()
    {
        fd_.Close();
        if (!committed_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int Fd() const { return fd_.Get(); }
    bool Commit(const std::string& target)
    {
        if (!fd_.Close() || ::rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        committed_ = true;
        return true;
    }

private:
    std::string path_;
    UniqueFd fd_;
    bool committed_ = false;
};

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a write should replace: the target of a symbolic link, so that the
// link survives. Empty when a link leads nowhere.
std::string ResolveTarget(const char* path)
{
    struct stat st{};
    if (::lstat(path, &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path, nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

std::unique_ptr<TempFile> CreateTempBeside(const std::string& target, mode_t mode)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0) {
            return std::make_unique<TempFile>(std::move(name), fd);
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

// Gives the new file the replaced file's owner where permitted (as root);
// otherwise it stays ours, as after any rewrite by this process.
void KeepOwner(int fd, const struct stat& original)
{
    const int result = ::fchown(fd, original.st_uid, original.st_gid);
    static_cast<void>(result);
}

}  // namespace

FileText ReadWholeFile(const char* path)
{
    const UniqueFd fd(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.Valid()) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        return {missing ? FileText::State::Missing : FileText::State::Unreadable, {}};
    }
    struct stat st{};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > MaxFileSize) {
        return {FileText::State::Unreadable, {}};
    }
    FileText result{FileText::State::Read, {}};
    result.text.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n == 0) {
            return result;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {FileText::State::Unreadable, {}};
        }
        if (result.text.size() + static_cast<std::size_t>(n) > MaxFileSize) {
            return {FileText::State::Unreadable, {}};
        }
        result.text.append(chunk, static_cast<std::size_t>(n));
    }
}

bool ReplaceWholeFile(const char* path, std::string_view content)
{
    const std::string target = ResolveTarget(path);
    if (target.empty()) {
        return false;
    }
    struct stat original{};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && (!S_ISREG(original.st_mode) || (original.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    const mode_t mode = exists ? (original.st_mode & 07777) : 0666;
    const std::unique_ptr<TempFile> temp = CreateTempBeside(target, mode);
    if (!temp) {
        return false;
    }
    if (exists) {
        KeepOwner(temp->Fd(), original);
        // The creation mode was narrowed by the umask; restore the original.
        if (::fchmod(temp->Fd(), mode) != 0) {
            return false;
        }
    }
    return WriteAll(temp->Fd(), content) && ::fsync(temp->Fd()) == 0 && temp->Commit(target);
}

}  // namespace platform::ini
