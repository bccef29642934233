#pragma once
#include <vector>

#include "base/String.h"

// The icon chooser's folders: eight named groups of device icon numbers, made on the first
// opening of the chooser and kept until the program ends. An icon may stand in several.
namespace icon_folders {

constexpr int kCount = 8;

// Makes the table unless it is there.
void Build();
String Name(int folder);
const std::vector<int>& Icons(int folder);
bool Holds(int folder, int icon);
// The first folder that holds the icon, or -1.
int FirstHolding(int icon);

}  // namespace icon_folders
