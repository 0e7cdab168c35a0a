#include "game/own_module.h"

#include <cstdint>

namespace {

// The reference count is left alone, as nothing releases the handle.
constexpr DWORD kOwnModuleLookup =
    GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;

} // namespace

HMODULE OwnModule() {
    HMODULE module = nullptr;
    // The Windows convention: with FROM_ADDRESS the lookup takes any address
    // inside the module in place of a name.
    // NOLINTBEGIN(performance-no-int-to-ptr)
    GetModuleHandleExW(kOwnModuleLookup,
                       reinterpret_cast<LPCWSTR>(reinterpret_cast<std::uintptr_t>(&OwnModule)),
                       &module);
    // NOLINTEND(performance-no-int-to-ptr)
    return module;
}
