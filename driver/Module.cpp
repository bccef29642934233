#include "driver/Module.h"

#include "driver/Text.h"

namespace linsett {

HMODULE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

void ShowBox(const std::string& text, UINT icon) {
    const std::u16string wide = Widen(text);
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(wide.c_str()), L"Linsett", MB_OK | icon | MB_TOPMOST);
}

}  // namespace linsett
