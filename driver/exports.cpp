// The exported driver interface. Each entry forwards to the driver's internal
// routines inside a catch-all: no exception ever crosses into the host, whose
// runtime could not handle ours.
#include "crvdev.h"
#include "driver/acquisition.h"
#include "driver/channel_data.h"
#include "driver/driver_state.h"
#include "driver/lifecycle.h"
#include "driver/status_texts.h"

namespace {

template <typename Result, typename Body>
Result Guarded(Result fallback, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

}  // namespace

using driver::State;

extern "C" {

const LibInfo* CRVDEV_CALL GetLibInfo(void)
{
    return Guarded<const LibInfo*>(nullptr, [] { return driver::DescribeAndGetLibInfo(State); });
}

DeviceStatus CRVDEV_CALL CRVDEV_Init(const char* profilePath, const char* section)
{
    return Guarded<DeviceStatus>(StatusInitFailed, [&] { return driver::Init(State, profilePath, section); });
}

void CRVDEV_CALL CRVDEV_Done(void)
{
    Guarded<int>(0, [] {
        driver::Done(State);
        return 0;
    });
}

DeviceStatus CRVDEV_CALL CRVDEV_Reset(void)
{
    return Guarded<DeviceStatus>(StatusBusy, [] { return driver::Reset(State); });
}

int32_t CRVDEV_CALL CRVDEV_Reconfigure(void)
{
    return Guarded<int32_t>(0, [] { return driver::Reconfigure(State); });
}

DeviceStatus CRVDEV_CALL CRVDEV_SetupDialog(CrvWindow parent)
{
    return Guarded<DeviceStatus>(StatusBadParameters, [&] { return driver::SetupDialog(State, parent); });
}

DeviceStatus CRVDEV_CALL CRVDEV_GetStatus(void)
{
    return Guarded<DeviceStatus>(StatusBusy, [] { return driver::GetStatus(State); });
}

const char* CRVDEV_CALL CRVDEV_GetErrorMsg(int32_t code)
{
    return driver::StatusMessage(code);
}

const char* CRVDEV_CALL CRVDEV_GetHintMsg(int32_t code)
{
    return driver::StatusHint(code);
}

DeviceStatus CRVDEV_CALL CRVDEV_Start(AcqCallback callback, uint32_t user)
{
    return Guarded<DeviceStatus>(StatusBusy, [&] { return driver::StartAcquisition(State, callback, user); });
}

DeviceStatus CRVDEV_CALL CRVDEV_Stop(void)
{
    return Guarded<DeviceStatus>(StatusBusy, [] { return driver::StopAcquisition(State); });
}

int32_t CRVDEV_CALL CRVDEV_GetChannelData(int32_t channel, double* buffer)
{
    return Guarded<int32_t>(0, [&] { return driver::GetChannelData(State, channel, buffer); });
}

DeviceStatus CRVDEV_CALL CRVDEV_SetROI(int32_t channel, int32_t first, int32_t last)
{
    return Guarded<DeviceStatus>(StatusBadParameters, [&] { return driver::SetROI(State, channel, first, last); });
}

}  // extern "C"
