#pragma once
// An initialised driver for the duration of a command: loads it, checks that
// it describes itself, initialises it and shuts it down again.

#include <memory>
#include <string>

#include "tools/crvhost/acquisition_recorder.h"
#include "tools/crvhost/driver_api.h"

namespace crvhost {

class DriverSession {
public:
    // Throws std::runtime_error with the reason when the driver cannot be
    // loaded, described or initialised.
    DriverSession(const std::string& driver, const char* profilePath, const char* section);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    const DriverApi& Api() const { return *api_; }
    const LibInfo& Info() const { return *info_; }

    // Runs one acquisition and returns once the driver is idle again; the
    // recorder holds its reports.
    void Acquire(AcquisitionRecorder& recorder, std::uint32_t user) const;

private:
    std::unique_ptr<DriverApi> api_;
    const LibInfo* info_ = nullptr;
};

}  // namespace crvhost
