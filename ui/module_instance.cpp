#include "ui/module_instance.h"

#include <windows.h>

#include <atomic>

namespace ui {

namespace {
std::atomic<void*> g_instance{nullptr};

void* ModuleContainingThisCode()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleContainingThisCode), &module);
    return module;
}
}  // namespace

void SetModuleInstance(void* instance)
{
    g_instance.store(instance);
}

void* ModuleInstance()
{
    void* instance = g_instance.load();
    return instance != nullptr ? instance : ModuleContainingThisCode();
}

}  // namespace ui
