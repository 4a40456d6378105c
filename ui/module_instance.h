#pragma once
// The module whose resources (form layouts, bitmaps) and window classes the ui
// layer uses. Inside a DLL this must be the DLL's own instance handle, never
// GetModuleHandle(NULL), which names the host program.

namespace ui {

// Called from DllMain (DLL_PROCESS_ATTACH) with the DLL's HINSTANCE.
void SetModuleInstance(void* instance);

// The instance given to SetModuleInstance; until one is given, the module that
// contains the ui code itself (the DLL or the program it is linked into).
void* ModuleInstance();

}  // namespace ui
