#include "tools/crvhost/driver_api.h"

namespace crvhost {
namespace {

template <typename Fn>
bool Resolve(const platform::SharedLibrary& library, const char* name, Fn& entry, std::string& error)
{
    entry = reinterpret_cast<Fn>(library.Symbol(name));
    if (entry == nullptr) {
        error = std::string("the driver does not export ") + name;
        return false;
    }
    return true;
}

template <typename Fn>
void CheckEntry(std::vector<std::string>& problems, const char* name, Fn inTable, Fn exported)
{
    if (inTable != exported) {
        problems.push_back(std::string("entry ") + name + " in the table differs from its export");
    }
}

}  // namespace

std::unique_ptr<DriverApi> DriverApi::Load(const std::string& path, std::string& error)
{
    auto api = std::make_unique<DriverApi>();
    api->library = platform::SharedLibrary::Open(path, error);
    if (!api->library) {
        return nullptr;
    }
    const platform::SharedLibrary& lib = *api->library;
    const bool complete = Resolve(lib, "GetLibInfo", api->GetLibInfo, error) &&
                          Resolve(lib, "CRVDEV_Init", api->Init, error) &&
                          Resolve(lib, "CRVDEV_Done", api->Done, error) &&
                          Resolve(lib, "CRVDEV_Reset", api->Reset, error) &&
                          Resolve(lib, "CRVDEV_SetupDialog", api->SetupDialog, error) &&
                          Resolve(lib, "CRVDEV_GetStatus", api->GetStatus, error) &&
                          Resolve(lib, "CRVDEV_GetErrorMsg", api->GetErrorMsg, error) &&
                          Resolve(lib, "CRVDEV_Start", api->Start, error) &&
                          Resolve(lib, "CRVDEV_Stop", api->Stop, error) &&
                          Resolve(lib, "CRVDEV_GetChannelData", api->GetChannelData, error) &&
                          Resolve(lib, "CRVDEV_GetHintMsg", api->GetHintMsg, error) &&
                          Resolve(lib, "CRVDEV_Reconfigure", api->Reconfigure, error) &&
                          Resolve(lib, "CRVDEV_SetROI", api->SetROI, error);
    if (!complete) {
        return nullptr;
    }
    return api;
}

std::vector<std::string> CheckDescription(const DriverApi& api, const LibInfo& info)
{
    std::vector<std::string> problems;
    if (info.Magic != LibInfoMagic) {
        problems.push_back("wrong magic");
    }
    if (info.Version != LibInfoVersion) {
        problems.push_back("wrong version " + std::to_string(info.Version));
    }
    if (info.DeviceName == nullptr) {
        problems.push_back("no device name");
    }
    if (info.ChannelCount <= 0 || info.ChannelSizes == nullptr || info.ChannelDepths == nullptr) {
        problems.push_back("no channels described");
    } else {
        for (int channel = 0; channel < info.ChannelCount; ++channel) {
            if (info.ChannelSizes[channel] < 2) {
                problems.push_back("channel " + std::to_string(channel) + " has fewer than 2 points");
            }
            if (info.ChannelDepths[channel] < 1) {
                problems.push_back("channel " + std::to_string(channel) + " has a depth below 1");
            }
        }
    }
    CheckEntry(problems, "CRVDEV_Init", info.Init, api.Init);
    CheckEntry(problems, "CRVDEV_Done", info.Done, api.Done);
    CheckEntry(problems, "CRVDEV_Reset", info.Reset, api.Reset);
    CheckEntry(problems, "CRVDEV_SetupDialog", info.SetupDialog, api.SetupDialog);
    CheckEntry(problems, "CRVDEV_GetStatus", info.GetStatus, api.GetStatus);
    CheckEntry(problems, "CRVDEV_GetErrorMsg", info.GetErrorMsg, api.GetErrorMsg);
    CheckEntry(problems, "CRVDEV_Start", info.Start, api.Start);
    CheckEntry(problems, "CRVDEV_Stop", info.Stop, api.Stop);
    CheckEntry(problems, "CRVDEV_GetChannelData", info.GetChannelData, api.GetChannelData);
    CheckEntry(problems, "CRVDEV_GetHintMsg", info.GetHintMsg, api.GetHintMsg);
    CheckEntry(problems, "CRVDEV_Reconfigure", info.Reconfigure, api.Reconfigure);
    CheckEntry(problems, "CRVDEV_SetROI", info.SetROI, api.SetROI);
    return problems;
}

}  // namespace crvhost
