#include "app/ModelProbe.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

#include "model/DeviceTree.h"

void WriteModelProbe() {
    static unsigned rebuilds = 0;
    ++rebuilds;
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QUORVANE_MODEL_PROBE", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;

    DeviceTree& tree = TheDeviceTree();
    std::string text = "rebuilds " + std::to_string(rebuilds) + "\nitems " + std::to_string(tree.ItemCount()) + "\n";
    // The program's own footprint, so that leaks across topology changes can be seen.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    text += "memory " + std::to_string(memory.PagefileUsage) + "\nhandles " + std::to_string(handles) + "\ngdi " +
            std::to_string(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) + "\nuser " +
            std::to_string(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) + "\n";
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& record) {
        text += std::string(record.KeyName().Chars()) + "\t" + (record.IsConnected() ? "1" : "0") + "\t" +
                std::to_string(record.Severity()) + "\t" + record.Name().Chars() + "\n";
    });

    // Readers poll the file: they must see the old or the new description, never half.
    std::string temporary = std::string(path) + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) == 0 && written) MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING);
}
