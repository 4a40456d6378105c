// The shared object has no loader notifications of its own: derive the
// configuration path once, when the library is loaded.
#include "driver/driver_state.h"
#include "driver/lifecycle.h"

namespace {

[[gnu::constructor]] void OnLoad()
{
    driver::ModuleEntry(driver::State, nullptr);
}

}  // namespace
