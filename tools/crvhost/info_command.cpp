#include <iostream>

#include "tools/crvhost/commands.h"
#include "tools/crvhost/driver_api.h"

namespace crvhost {

int RunInfo(const std::string& driver)
{
    std::string error;
    const auto api = DriverApi::Load(driver, error);
    if (!api) {
        std::cerr << "crvhost: " << error << '\n';
        return 1;
    }
    const LibInfo* info = api->GetLibInfo();
    if (info == nullptr) {
        std::cout << "The driver gives no description (no points per channel configured).\n";
        return 1;
    }
    std::cout << "Device:    " << (info->DeviceName ? info->DeviceName : "(none)") << '\n'
              << "Magic:     0x" << std::hex << info->Magic << std::dec << "  version " << info->Version << '\n'
              << "Channels:  " << info->ChannelCount << '\n';
    for (int channel = 0; channel < info->ChannelCount && info->ChannelSizes && info->ChannelDepths; ++channel) {
        std::cout << "  channel " << channel << ": " << info->ChannelSizes[channel] << " points, depth "
                  << info->ChannelDepths[channel] << '\n';
    }
    std::cout << "Flags:     " << info->Flags
              << ((info->Flags & LibFlagReconfigurable) ? " (reconfigurable)" : "") << '\n';

    const auto problems = CheckDescription(*api, *info);
    for (const auto& problem : problems) {
        std::cout << "FAIL: " << problem << '\n';
    }
    if (problems.empty()) {
        std::cout << "Check:     magic, version, channels and all 12 entries conform\n";
    }
    return problems.empty() ? 0 : 1;
}

}  // namespace crvhost
