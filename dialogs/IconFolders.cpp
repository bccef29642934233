#include "dialogs/IconFolders.h"

#include <algorithm>

#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace icon_folders {
namespace {

struct Folder {
    UINT name;
    std::vector<int> icons;
};

std::vector<Folder>& Table() {
    static std::vector<Folder> table;
    return table;
}

}  // namespace

void Build() {
    if (Table().size() >= 2) return;
    Table() = {{IDS_FOLDER_MASS_STORAGE, {1, 2, 3}},     {IDS_FOLDER_INPUT, {0, 4, 5, 6, 7}},
               {IDS_FOLDER_IMAGING, {8, 9}},             {IDS_FOLDER_AUDIO, {11, 24, 20, 21}},
               {IDS_FOLDER_VIDEO, {10, 18, 19}},         {IDS_FOLDER_PRINTER, {12, 13}},
               {IDS_FOLDER_COMMUNICATIONS, {14, 15}},    {IDS_FOLDER_MISC, {16, 17, 13, 22, 23}}};
}

String Name(int folder) { return LoadResourceString(Table().at(static_cast<size_t>(folder)).name); }

const std::vector<int>& Icons(int folder) { return Table().at(static_cast<size_t>(folder)).icons; }

bool Holds(int folder, int icon) {
    const std::vector<int>& icons = Icons(folder);
    return std::find(icons.begin(), icons.end(), icon) != icons.end();
}

int FirstHolding(int icon) {
    for (int folder = 0; folder < kCount; ++folder)
        if (Holds(folder, icon)) return folder;
    return -1;
}

}  // namespace icon_folders
