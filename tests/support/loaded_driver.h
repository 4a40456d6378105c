#pragma once
// A fresh load of the built driver library, as a host loads it: the library is
// copied under a unique name into its own temporary folder (so every load has
// fresh state and its own configuration file beside it) and its exports are
// resolved by name.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "tools/crvhost/driver_api.h"

namespace testing_support {

class LoadedDriver {
public:
    // Writes a configuration file with the given SpecSize text first, unless
    // it is empty (no configuration file).
    explicit LoadedDriver(const std::string& configuredSize = "2048");
    ~LoadedDriver();
    LoadedDriver(const LoadedDriver&) = delete;
    LoadedDriver& operator=(const LoadedDriver&) = delete;

    const crvhost::DriverApi& operator*() const { return *api_; }
    const crvhost::DriverApi* operator->() const { return api_.get(); }

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path ConfigFile() const;
    // A path for a host profile inside the folder (not created).
    std::string HostProfile() const;

private:
    std::filesystem::path folder_;
    std::filesystem::path library_;
    std::unique_ptr<crvhost::DriverApi> api_;
};

// Reads a whole text file; empty when it does not exist.
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);

}  // namespace testing_support
