#include "driver/status_texts.h"

#include "crvdev.h"

namespace driver {
namespace {

struct StatusText {
    std::uint8_t code;
    const char* message;
    const char* hint;
};

constexpr const char* InternalErrorHint = "Internal error. Ask driver developer support.";
constexpr const char* DeveloperHint = "Ask software developer support.";
constexpr const char* CloseAppsHint = "Try to close some other applications and RESET driver.";

constexpr StatusText StatusTexts[] = {
    {StatusOk, "OK", ""},
    {StatusBusy, "Devise is busy.", InternalErrorHint},
    {StatusNotInstalled, "Hardware is not installed.", "Install hardware and restart the program."},
    {StatusBadResponse, "Invalid responcse from hardware.",
     "Try to RESET driver. Ask hardware vendor support \nif this error will appear again."},
    {StatusNoResponse, "Hardware is not responding.",
     "Check that hardware is properly installed and \npowered. Try to RESET driver. Ask hardware vendor \n"
     "support if this error will appear again."},
    {StatusAccessDenied, "Access denied.",
     "Check that no other application run using this device. \nTry to RESET driver after closing such "
     "applications."},
    {StatusBadParameters, "Invalid parameters.", DeveloperHint},
    {StatusBadDriver, "Invalid driver.", DeveloperHint},
    {StatusInitFailed, "Initialization failed.", CloseAppsHint},
    {StatusOutOfMemory, "Out of memory.", CloseAppsHint},
    {StatusConfigChanged, "Hardware configuration changed.",
     "Restore original hardware configuration and RESET driver. \nOr use RECONFIGURE command to setup new "
     "configuration."},
    {StatusNotInitialized, "Init() was not called.", InternalErrorHint},
};

constexpr StatusText UnknownStatus = {0, "Unknown device status.", InternalErrorHint};

const StatusText& Lookup(std::int32_t code)
{
    const auto low = static_cast<std::uint8_t>(code & 0xFF);
    for (const StatusText& row : StatusTexts) {
        if (row.code == low) {
            return row;
        }
    }
    return UnknownStatus;
}

}  // namespace

const char* StatusMessage(std::int32_t code)
{
    return Lookup(code).message;
}

const char* StatusHint(std::int32_t code)
{
    return Lookup(code).hint;
}

}  // namespace driver
