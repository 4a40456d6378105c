#include "tests/support/loaded_driver.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace {

std::filesystem::path UniqueFolder()
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    auto folder = std::filesystem::temp_directory_path() /
                  ("simulator-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

LoadedDriver::LoadedDriver(const std::string& configuredSize) : folder_(UniqueFolder())
{
    const std::filesystem::path built = SIMULATOR_LIBRARY;
    library_ = folder_ / built.filename();
    std::filesystem::copy_file(built, library_);
    if (!configuredSize.empty()) {
        WriteFile(ConfigFile(), "[Simulator Configuration]\r\nSpecSize=" + configuredSize + "\r\n");
    }
    std::string error;
    api_ = crvhost::DriverApi::Load(library_.string(), error);
    if (!api_) {
        throw std::runtime_error(error);
    }
}

LoadedDriver::~LoadedDriver()
{
    api_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path LoadedDriver::ConfigFile() const
{
    auto path = library_;
    return path.replace_extension(".CFG");
}

std::string LoadedDriver::HostProfile() const
{
    return (folder_ / "host.ini").string();
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

}  // namespace testing_support
