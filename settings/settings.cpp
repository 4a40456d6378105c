#include "settings/settings.h"

#include <atomic>

namespace settings {
namespace {

constexpr const char* SpecSizeKey = "SpecSize";
constexpr std::int32_t MinSpecSize = 2;

// Consults the configuration file once per load. Sizes above the maximum are
// cut to it; sizes below 2 count as not configured.
void ReadSpecSize(SizeSettings& size, const ConfigProfile& config)
{
    if (size.SpecSizeLoaded) {
        return;
    }
    size.SpecSizeLoaded = true;
    std::int32_t stored = config.ReadInt(ConfigSection, SpecSizeKey, size.SpecSize.load());
    if (stored > MaxSpecSize) {
        stored = MaxSpecSize;
    } else if (stored < MinSpecSize) {
        stored = 0;
    }
    size.SpecSize.store(stored);
}

// The section holds the size alone: anything else in it goes.
void StoreSpecSize(const SizeSettings& size, const ConfigProfile& config)
{
    config.DeleteSection(ConfigSection);
    config.WriteInt(ConfigSection, SpecSizeKey, size.SpecSize.load(), false);
}

bool AskSpecSize(SizeSettings& size, const ConfigProfile& config, AskUserForSize ask)
{
    std::int32_t chosen = size.SpecSize.load();
    if (chosen > 0) {
        return true;
    }
    if (ask == nullptr || !ask(chosen)) {
        return false;
    }
    size.SpecSize.store(chosen);
    StoreSpecSize(size, config);
    return true;
}

void Publish(std::span<std::int32_t, ChannelCount> channelSizes, std::int32_t points)
{
    for (std::int32_t& channel : channelSizes) {
        std::atomic_ref<std::int32_t>(channel).store(points);
    }
}

}  // namespace

bool EnsureSpecSize(SizeSettings& size, const ConfigProfile& config, std::span<std::int32_t, ChannelCount> channelSizes,
                    AskUserForSize ask)
{
    ReadSpecSize(size, config);
    if (size.SpecSize.load() > 0) {
        Publish(channelSizes, size.SpecSize.load());
        return true;
    }
    if (size.SpecSizeAsked) {
        return false;
    }
    size.SpecSizeAsked = true;
    if (!AskSpecSize(size, config, ask)) {
        return false;
    }
    Publish(channelSizes, size.SpecSize.load());
    return true;
}

void ForgetSpecSize(SizeSettings& size, const ConfigProfile& config)
{
    size.SpecSize.store(0);
    config.DeleteSection(ConfigSection);
}

void LoadHostSettings(MeasurementSettings& m, const HostProfile& host)
{
    m.SpecType.store(host.ReadInt("SpecType", 0));
    m.S2N_ratio.store(host.ReadDouble("S2N_ratio", 1000.0));
    m.do_baseline.store(host.ReadBool("do_baseline", false) ? 1 : 0);
}

void SaveHostSettings(const MeasurementSettings& m, const HostProfile& host)
{
    host.WriteInt("SpecType", m.SpecType.load(), false);
    host.WriteDouble("S2N_ratio", m.S2N_ratio.load());
    host.WriteBool("do_baseline", m.do_baseline.load() != 0);
}

}  // namespace settings
