#include "platform/fault_injection.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<int> creationsUntilFailure{0};
}

void FailNthCreation(int n)
{
    creationsUntilFailure.store(n);
}

bool CreationShouldFail()
{
    int n = creationsUntilFailure.load();
    while (n > 0) {
        if (creationsUntilFailure.compare_exchange_weak(n, n - 1)) {
            return n == 1;
        }
    }
    return false;
}

}  // namespace platform
