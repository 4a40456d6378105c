#include "driver/lifecycle.h"

#include <atomic>
#include <cstring>

#include "dialogs/config_dialog.h"
#include "platform/window.h"

namespace driver {
namespace {

constexpr const char* DeviceName = "Simulator";
constexpr std::size_t MaxDeviceNameLength = 125;

bool OnWorkerThread(const DriverState& state)
{
    const auto objects = CurrentSyncObjects(state);
    return objects && objects->OnWorkerThread();
}

// The entries that would wait for the worker, called from inside the host's
// callback on the worker thread, only ask for a stop: waiting would be for
// themselves.
void RequestStopFromWorker(const DriverState& state)
{
    if (const auto objects = CurrentSyncObjects(state)) {
        objects->stopEvent->Set();
    }
}

bool AskUserForSize(std::int32_t& size)
{
    return dialogs::ShowConfigDialog(nullptr, size);
}

settings::ConfigProfile ConfigFile(const DriverState& state)
{
    return settings::ConfigProfile(state.ConfigFile.Get());
}

settings::HostProfile HostFile(const DriverState& state)
{
    return settings::HostProfile(state.HostProfilePath, state.HostProfilePath ? state.HostSection : nullptr);
}

// GetLibInfo proper; the caller holds the lifecycle lock or is the worker.
const LibInfo* Describe(DriverState& state)
{
    LibInfo& info = state.Info;
    info.Magic = LibInfoMagic;
    info.Version = LibInfoVersion;
    info.Init = CRVDEV_Init;
    info.Done = CRVDEV_Done;
    info.Reset = CRVDEV_Reset;
    info.SetupDialog = CRVDEV_SetupDialog;
    info.GetStatus = CRVDEV_GetStatus;
    info.GetErrorMsg = CRVDEV_GetErrorMsg;
    info.Start = CRVDEV_Start;
    info.Stop = CRVDEV_Stop;
    info.GetChannelData = CRVDEV_GetChannelData;
    info.GetHintMsg = CRVDEV_GetHintMsg;
    info.Reconfigure = CRVDEV_Reconfigure;
    info.SetROI = CRVDEV_SetROI;

    // Each field is written once with its final value, so that a data read on
    // another thread never sees a passing zero channel count.
    const bool described =
        settings::EnsureSpecSize(state.Size, ConfigFile(state), state.ChannelSizes, AskUserForSize);
    info.DeviceName = described ? DeviceName : nullptr;
    std::atomic_ref<std::int32_t>(info.ChannelCount).store(described ? ChannelCount : 0);
    info.ChannelSizes = described ? state.ChannelSizes : nullptr;
    info.ChannelDepths = described ? state.ChannelDepths : nullptr;
    std::atomic_ref<std::uint32_t>(info.Flags).store(described ? LibFlagReconfigurable : 0u);

    if (info.DeviceName == nullptr || info.ChannelCount <= 0) {
        return nullptr;
    }
    for (int channel = 0; channel < info.ChannelCount; ++channel) {
        if (info.ChannelSizes[channel] < 2 || info.ChannelDepths[channel] < 1) {
            return nullptr;
        }
    }
    return &info;
}

}  // namespace

const LibInfo* DescribeAndGetLibInfo(DriverState& state)
{
    if (OnWorkerThread(state)) {
        return Describe(state);
    }
    std::lock_guard lifecycle(state.Lifecycle);
    return Describe(state);
}

DeviceStatus Init(DriverState& state, const char* profilePath, const char* section)
{
    const std::uint8_t current = state.Status.load();
    if (current != StatusNotInitialized || OnWorkerThread(state)) {
        return current;
    }
    std::lock_guard lifecycle(state.Lifecycle);
    if (state.Status.load() != StatusNotInitialized) {
        return state.Status.load();
    }
    const LibInfo* info = Describe(state);
    if (info == nullptr || std::strlen(info->DeviceName) > MaxDeviceNameLength) {
        return StatusBadDriver;
    }
    if (profilePath != nullptr && section != nullptr) {
        state.HostProfilePath = profilePath;
        std::strncpy(state.HostSection, section, HostSectionSize);
        state.HostSection[HostSectionSize - 1] = '\0';
    } else {
        state.HostProfilePath = nullptr;
    }

    auto objects = SyncObjects::Create(state);
    if (!objects) {
        state.HostProfilePath = nullptr;
        state.HostSection[0] = '\0';
        state.Status.store(StatusNotInitialized);
        return StatusInitFailed;
    }
    state.Sync.Exchange(std::move(objects));
    settings::LoadHostSettings(state.Measurement, HostFile(state));
    state.Status.store(StatusOk);
    return state.Status.load();
}

void Done(DriverState& state)
{
    if (OnWorkerThread(state)) {
        RequestStopFromWorker(state);
        return;
    }
    std::lock_guard lifecycle(state.Lifecycle);
    if (state.Status.load() == StatusNotInitialized) {
        return;
    }
    StopAcquisition(state);
    settings::SaveHostSettings(state.Measurement, HostFile(state));
    state.Status.store(StatusNotInitialized);

    if (auto objects = state.Sync.Exchange(nullptr)) {
        objects->StopWorker();
    }
    // A Start that raced with this shutdown may have run an acquisition that
    // wrote the status after the store above; the worker has ended now.
    state.Status.store(StatusNotInitialized);
    state.HostProfilePath = nullptr;
    state.HostSection[0] = '\0';
}

DeviceStatus Reset(DriverState& state)
{
    if (OnWorkerThread(state)) {
        RequestStopFromWorker(state);
        return StatusBusy;
    }
    std::lock_guard lifecycle(state.Lifecycle);
    if (state.Status.load() == StatusNotInitialized) {
        return StatusNotInitialized;
    }
    StopAcquisition(state);
    if (IsBusy(state)) {
        return StatusBusy;
    }
    state.Status.store(StatusOk);
    return state.Status.load();
}

std::int32_t Reconfigure(DriverState& state)
{
    if ((std::atomic_ref<std::uint32_t>(state.Info.Flags).load() & LibFlagReconfigurable) == 0) {
        return 0;
    }
    if (OnWorkerThread(state)) {
        RequestStopFromWorker(state);
        return 0;
    }
    std::lock_guard lifecycle(state.Lifecycle);
    StopAcquisition(state);
    if (IsBusy(state)) {
        return 0;
    }
    settings::ForgetSpecSize(state.Size, ConfigFile(state));
    return 1;
}

DeviceStatus SetupDialog(DriverState& state, void* parent)
{
    if (state.Status.load() == StatusNotInitialized) {
        return StatusNotInitialized;
    }
    if (!platform::IsWindowHandle(parent)) {
        return StatusBadParameters;
    }
    return state.Status.load();
}

DeviceStatus GetStatus(const DriverState& state)
{
    if (IsBusy(state)) {
        return StatusBusy;
    }
    return state.Status.load();
}

bool ModuleEntry(DriverState& state, void* module)
{
    state.ConfigFile.Derive(module);
    return true;
}

}  // namespace driver
