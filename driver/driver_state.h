#pragma once
// DriverState: the driver's one global record. Host threads and the worker
// share it; fields read without a lock are atomics.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "crvdev.h"
#include "driver/acquisition.h"
#include "settings/config_file_path.h"
#include "settings/settings.h"

namespace driver {

inline constexpr int ChannelCount = settings::ChannelCount;
inline constexpr std::size_t HostSectionSize = 128;

struct DriverState {
    // Only StatusNotInitialized, StatusOk and StatusBusy are ever stored.
    std::atomic<std::uint8_t> Status{StatusNotInitialized};

    // The description that GetLibInfo rewrites in place, and its arrays.
    LibInfo Info{};
    std::int32_t ChannelSizes[ChannelCount] = {2048, 2048, 2048, 2048, 2048};
    std::int32_t ChannelDepths[ChannelCount] = {32, 32, 32, 32, 32};

    // The host profile: the host's own path text (not copied; valid until
    // CRVDEV_Done) and a copy of its section name. Written by Init and Done.
    const char* HostProfilePath = nullptr;
    char HostSection[HostSectionSize] = {};

    AcquisitionRequest Request;
    // The objects of the initialised period; null while not initialised.
    SyncObjectsSlot Sync;
    // Set when the setup dialog has written settings, cleared by the worker
    // after its first phase. Set at load, so the first acquisition applies them.
    std::atomic<std::int32_t> SettingsChanged{1};
    // Phase durations; nothing changes them, so both phases end at their first
    // check unless a stop is already pending.
    const std::uint32_t FirstPhaseMs = 0;
    const std::uint32_t SecondPhaseMs = 0;
    // Clock readings at the start of each phase; worker thread only.
    std::uint32_t FirstPhaseStart = 0;
    std::uint32_t SecondPhaseStart = 0;

    settings::MeasurementSettings Measurement;
    settings::SizeSettings Size;
    settings::ConfigFilePath ConfigFile;

    // Serialises the entries that change the lifecycle (Init, Done, Reset,
    // Reconfigure) and the description (GetLibInfo) among host threads. The
    // worker thread never takes it: entries called from inside the host's
    // callback take their non-waiting paths instead, so Done waiting for the
    // worker under this lock cannot deadlock.
    std::mutex Lifecycle;
};

extern DriverState State;

}  // namespace driver
