#pragma once
// The channel data entries: reading a channel and checking a region of interest.

#include <cstdint>

#include "crvdev.h"
#include "driver/driver_state.h"

namespace driver {

std::int32_t GetChannelData(DriverState& state, std::int32_t channel, double* buffer);
DeviceStatus SetROI(const DriverState& state, std::int32_t channel, std::int32_t first, std::int32_t last);

}  // namespace driver
