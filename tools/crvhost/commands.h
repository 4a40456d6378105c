#pragma once

#include <string>

namespace crvhost {

struct AcquireOptions {
    std::string driver;
    int count = 1;
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
