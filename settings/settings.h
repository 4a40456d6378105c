#pragma once
// The driver's four user settings and their storage: the points per channel in
// the driver's configuration file, the measurement settings in the host's
// profile.

#include <atomic>
#include <cstdint>
#include <span>

#include "settings/profile_access.h"

namespace settings {

inline constexpr const char* ConfigSection = "Simulator Configuration";
inline constexpr int ChannelCount = 5;
inline constexpr std::int32_t MaxSpecSize = 2048;

// Measurement settings. Data reads use them on any thread without a lock, so
// each field is an atomic; writers hold the settings lock.
struct MeasurementSettings {
    std::atomic<std::int32_t> SpecType{0};
    std::atomic<double> S2N_ratio{1000.0};
    std::atomic<std::int32_t> do_baseline{0};
};

// Points per channel and the once-per-load bookkeeping of where it came from.
struct SizeSettings {
    std::atomic<std::int32_t> SpecSize{0};  // 0: not configured
    bool SpecSizeLoaded = false;            // configuration file consulted in this load
    bool SpecSizeAsked = false;             // user asked in this load; never cleared
};

// Asks the user for a size (the data size dialog); true when confirmed, with
// the choice written to size.
using AskUserForSize = bool (*)(std::int32_t& size);

// True when a size is known and published to all of channelSizes. Reads the
// configuration file once per load and otherwise asks the user once per load,
// storing a confirmed choice. channelSizes is published to other threads, so
// it is written with atomic stores.
bool EnsureSpecSize(SizeSettings& size, const ConfigProfile& config, std::span<std::int32_t, ChannelCount> channelSizes,
                    AskUserForSize ask);

// SpecSize becomes 0 and the configuration section is erased.
void ForgetSpecSize(SizeSettings& size, const ConfigProfile& config);

// Loads the measurement settings, with constant defaults (0, 1000.0, false).
void LoadHostSettings(MeasurementSettings& m, const HostProfile& host);
// Writes them back.
void SaveHostSettings(const MeasurementSettings& m, const HostProfile& host);

}  // namespace settings
