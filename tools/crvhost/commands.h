#pragma once

#include <optional>
#include <string>

namespace crvhost {

struct AcquireOptions {
    std::string driver;
    int count = 1;
    // Measurement settings, given to the driver through a host profile of our
    // own; unset fields keep the driver's defaults.
    std::optional<int> type;
    std::optional<double> ratio;
    bool baseline = false;
    // Points per channel, written to the driver's configuration file before
    // it is loaded.
    std::optional<int> points;
    // Folder for one CSV per channel of the last acquisition; none when empty.
    std::string out;
};

struct BenchOptions {
    std::string driver;
    int count = 20000;
};

// Each returns the process exit code.
int RunInfo(const std::string& driver);
int RunAcquire(const AcquireOptions& options);
int RunBench(const BenchOptions& options);

}  // namespace crvhost
