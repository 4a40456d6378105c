#include "dialogs/config_dialog.h"

#include <mutex>

#include "dialogs/simulator_config_dlg.h"
#include "ui/application.h"

namespace dialogs {

namespace {

constexpr int kSmallSizeIndex = 0;
constexpr std::int32_t kSmallSize = 1024;
constexpr std::int32_t kLargeSize = 2048;

// Guards SimulatorConfigDlg: two host threads describing the device at once
// must not share, or destroy, one dialog.
std::mutex& InstanceLock()
{
    static std::mutex lock;
    return lock;
}

void DestroyDialog()
{
    std::lock_guard lock(InstanceLock());
    delete SimulatorConfigDlg;
    SimulatorConfigDlg = nullptr;
}

}  // namespace

bool ShowConfigDialog(void* parent, std::int32_t& size)
{
    {
        std::lock_guard lock(InstanceLock());
        // A dialog already open (another call still waiting for its answer)
        // is left alone; this question counts as cancelled.
        if (SimulatorConfigDlg != nullptr) return false;
        try {
            SimulatorConfigDlg = new TSimulatorConfigDlg(nullptr, static_cast<HWND>(parent));
        } catch (...) {
            ui::Application().HandleException(nullptr);
            return false;
        }
    }
    struct Destroy {
        ~Destroy() { DestroyDialog(); }
    } destroy;
    try {
        TSimulatorConfigDlg& dialog = *SimulatorConfigDlg;
        dialog.DataSizeRB->SetItemIndex(size >= kLargeSize ? 1 : kSmallSizeIndex);
        const bool confirmed = dialog.ShowModal() != ui::mrCancel;
        if (confirmed) size = dialog.DataSizeRB->ItemIndex() == kSmallSizeIndex ? kSmallSize : kLargeSize;
        return confirmed;
    } catch (...) {
        ui::Application().HandleException(SimulatorConfigDlg);
        return false;
    }
}

}  // namespace dialogs
