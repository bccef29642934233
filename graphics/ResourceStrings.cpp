#include "graphics/ResourceStrings.h"

#include "resources/ResourceIds.h"

namespace {
HINSTANCE g_instance = nullptr;
}

void SetResourceInstance(HINSTANCE instance) { g_instance = instance; }
HINSTANCE ResourceInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

String LoadResourceString(UINT id) {
    String text = String::WithCapacity(255);
    LoadStringA(ResourceInstance(), id, text.Buffer(), 255);
    return text;
}

void ShowErrorBox(String text) {
    MessageBoxA(nullptr, text.Chars(), LoadResourceString(IDS_ERROR_CAPTION).Chars(), MB_OK);
}

String SystemErrorText(DWORD code) {
    constexpr DWORD kUsEnglish = 1033;
    String text = String::WithCapacity(256);
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                       kUsEnglish, text.Buffer(), 256, nullptr);
    text.Cut(length);
    return text;
}

void ShowLastErrorBox() { ShowErrorBox(SystemErrorText(GetLastError())); }
