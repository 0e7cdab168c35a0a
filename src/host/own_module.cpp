#include "host/own_module.h"

#include <cstdint>

namespace {

// The reference count is left alone, as nothing releases the handle.
constexpr DWORD kOwnModuleLookup =
    GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;

} // namespace

HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(kOwnModuleLookup,
                       reinterpret_cast<LPCWSTR>(reinterpret_cast<std::uintptr_t>(&OwnModule)),
                       &module);
    return module;
}
