#pragma once
// The lifecycle entries: description, initialisation, shutdown, reset,
// reconfiguration, status and the setup dialog's entry side.

#include "crvdev.h"
#include "driver/driver_state.h"

namespace driver {

const LibInfo* DescribeAndGetLibInfo(DriverState& state);
DeviceStatus Init(DriverState& state, const char* profilePath, const char* section);
void Done(DriverState& state);
DeviceStatus Reset(DriverState& state);
std::int32_t Reconfigure(DriverState& state);
DeviceStatus SetupDialog(DriverState& state, void* parent);
DeviceStatus GetStatus(const DriverState& state);

// Called by the platform on every load, unload and thread start and end of the
// library: derives the configuration file's path from the module's file name.
bool ModuleEntry(DriverState& state, void* module);

}  // namespace driver
