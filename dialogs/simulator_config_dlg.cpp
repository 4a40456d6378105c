#include "dialogs/simulator_config_dlg.h"

namespace dialogs {

TSimulatorConfigDlg* SimulatorConfigDlg = nullptr;

TSimulatorConfigDlg::TSimulatorConfigDlg(ui::TComponent* owner, HWND parent) : ui::TForm(owner)
{
    SetParentWindow(parent);
    ReadForm("TSIMULATORCONFIGDLG");
    OKBtn = Field<ui::TButton>("OKBtn");
    CancelBtn = Field<ui::TButton>("CancelBtn");
    DataSizeRB = Field<ui::TRadioGroup>("DataSizeRB");
}

}  // namespace dialogs
