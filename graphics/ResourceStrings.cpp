#include "graphics/ResourceStrings.h"

#include "resources/StringIds.h"

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
    MessageBoxA(nullptr, text.Chars(), LoadResourceString(ids::kErrorCaption).Chars(), MB_OK);
}
