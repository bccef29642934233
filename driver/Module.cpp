#include "driver/Module.h"

namespace linsett {

HMODULE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

void ShowBox(const std::string& text, UINT icon) {
    MessageBoxA(nullptr, text.c_str(), "Linsett", MB_OK | icon | MB_TOPMOST);
}

}  // namespace linsett
