#include "driver/driver_state.h"

namespace driver {

DriverState State;

}  // namespace driver
