#pragma once
// A driver of the crvdev interface loaded by path, with its thirteen exported
// entries resolved by name.

#include <memory>
#include <string>
#include <vector>

#include "crvdev.h"
#include "platform/shared_library.h"

namespace crvhost {

struct DriverApi {
    std::unique_ptr<platform::SharedLibrary> library;
    GetLibInfoFn GetLibInfo = nullptr;
    CRVDEV_InitFn Init = nullptr;
    CRVDEV_DoneFn Done = nullptr;
    CRVDEV_ResetFn Reset = nullptr;
    CRVDEV_SetupDialogFn SetupDialog = nullptr;
    CRVDEV_GetStatusFn GetStatus = nullptr;
    CRVDEV_GetErrorMsgFn GetErrorMsg = nullptr;
    CRVDEV_StartFn Start = nullptr;
    CRVDEV_StopFn Stop = nullptr;
    CRVDEV_GetChannelDataFn GetChannelData = nullptr;
    CRVDEV_GetHintMsgFn GetHintMsg = nullptr;
    CRVDEV_ReconfigureFn Reconfigure = nullptr;
    CRVDEV_SetROIFn SetROI = nullptr;

    // Loads the driver and resolves every entry; null with the reason in
    // error when the library cannot be loaded or an entry is missing.
    static std::unique_ptr<DriverApi> Load(const std::string& path, std::string& error);
};

// Checks a description against the interface: magic, version, channel sizes
// and depths, and every entry of the table equal to the export of that name.
// Returns one line per problem; empty when it conforms.
std::vector<std::string> CheckDescription(const DriverApi& api, const LibInfo& info);

}  // namespace crvhost
