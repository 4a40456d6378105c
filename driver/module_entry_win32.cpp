// The library's entry routine on Windows: the loader calls it on process and
// thread attach and detach.
#include <windows.h>

#include "driver/driver_state.h"
#include "driver/lifecycle.h"
#include "ui/module_instance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        // Windows and layouts of the dialogs come from this DLL, not the host.
        ui::SetModuleInstance(module);
    }
    return driver::ModuleEntry(driver::State, module) ? TRUE : FALSE;
}
