#pragma once
// A directory of its own for each test, removed afterwards, and byte-exact
// access to the files in it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace settings_test {

namespace fs = std::filesystem;

class ScratchDir {
public:
    ScratchDir()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                (std::string("simulator-settings-") + test->test_suite_name() + "-" + test->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const fs::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // A numbered file, one per case of a table: "<stem><number><extension>".
    std::string File(const std::string& stem, int number, const std::string& extension) const
    {
        std::string name = stem;
        name.append(std::to_string(number)).append(extension);
        return File(name);
    }
    bool Empty() const { return fs::is_empty(path_); }

private:
    fs::path path_;
};

inline std::optional<std::string> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void SetFileBytes(const std::string& path, const std::optional<std::string>& bytes)
{
    fs::remove(path);
    if (bytes) {
        std::ofstream(path, std::ios::binary) << *bytes;
    }
}

}  // namespace settings_test
