#pragma once
// The data size dialog: "Simulator Configuration", asking for 1024 or 2048
// points per channel. Built from its stored layout (resource
// TSIMULATORCONFIGDLG, dialogs.rc).

#include <windows.h>

#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/group_box.h"

namespace dialogs {

class TSimulatorConfigDlg : public ui::TForm {
public:
    // parent: the window that owns the dialog, or null for a top-level dialog.
    TSimulatorConfigDlg(ui::TComponent* owner, HWND parent);

    ui::TButton* OKBtn = nullptr;
    ui::TButton* CancelBtn = nullptr;
    ui::TRadioGroup* DataSizeRB = nullptr;
};

// The dialog while ShowConfigDialog shows it; null whenever no dialog exists.
extern TSimulatorConfigDlg* SimulatorConfigDlg;

}  // namespace dialogs
