#pragma once
// Test seam for the creation of synchronisation objects and threads. A test
// arms it so that the n-th following Create()/Start() (counting from 1) fails
// as if the platform had refused it. Production code never arms it.

namespace platform {

void FailNthCreation(int n);    // 0 disarms
bool CreationShouldFail();      // called by each Create()/Start(); counts down

}  // namespace platform
