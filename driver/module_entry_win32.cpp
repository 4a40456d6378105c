// The library's entry routine on Windows: the loader calls it on process and
// thread attach and detach.
#include <windows.h>

#include "driver/driver_state.h"
#include "driver/lifecycle.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD, LPVOID)
{
    return driver::ModuleEntry(driver::State, module) ? TRUE : FALSE;
}
