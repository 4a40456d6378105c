#include "driver/channel_data.h"

#include <atomic>

#include "driver/synthesis/reference_tables.h"
#include "driver/synthesis/synthesis.h"

namespace driver {
namespace {

std::int32_t PublishedChannelCount(const DriverState& state)
{
    return std::atomic_ref<const std::int32_t>(state.Info.ChannelCount).load();
}

std::int32_t PublishedSize(const DriverState& state, std::int32_t channel)
{
    return std::atomic_ref<const std::int32_t>(state.ChannelSizes[channel]).load();
}

}  // namespace

std::int32_t GetChannelData(DriverState& state, std::int32_t channel, double* buffer)
{
    if (state.Status.load() != StatusOk) {
        return 0;
    }
    if (channel < 0 || channel >= PublishedChannelCount(state) || buffer == nullptr) {
        return 0;
    }
    const auto objects = CurrentSyncObjects(state);
    if (!objects) {
        return 0;
    }
    platform::LockGuard data(*objects->dataLock);
    const std::int32_t points = state.Size.SpecSize.load();
    const std::int32_t published = PublishedSize(state, channel);
    // After a reconfiguration the size is unknown until the next description:
    // refuse rather than guess, and never write beyond the published size.
    if (points <= 0 || points > published || points > spectra::ReferenceSamples) {
        return 0;
    }
    const settings::MeasurementSettings& m = state.Measurement;
    const std::int32_t offset = m.do_baseline.load() != 0 ? spectra::BaselineShifts[channel] : 0;
    spectra::SynthesizeChannel(spectra::SelectReferenceTable(m.SpecType.load(), channel), points, offset,
                               spectra::NoiseAmplitude(m.S2N_ratio.load()), buffer);
    return published;
}

DeviceStatus SetROI(const DriverState& state, std::int32_t channel, std::int32_t first, std::int32_t last)
{
    if (state.Status.load() != StatusOk) {
        return StatusBadParameters;
    }
    if (channel < 0 || channel >= PublishedChannelCount(state)) {
        return StatusBadParameters;
    }
    if (first >= last || first < 0 || last >= PublishedSize(state, channel)) {
        return StatusBadParameters;
    }
    return state.Status.load();
}

}  // namespace driver
