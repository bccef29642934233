// Every resource of ResourceIds.h, read from the built Quorvane.exe against expected.txt and strings.txt.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <map>
#include <sstream>
#include "tests/support/Paths.h"

namespace {

class ExecutableResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(module_, nullptr) << "Quorvane.exe did not load as data"; }
    void TearDown() override { FreeLibrary(module_); }

    std::string Bytes(unsigned id, const char* type) const {  // padded: a missing one reads as zeros
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        auto* data = found ? static_cast<const char*>(LockResource(LoadResource(module_, found))) : "";
        return std::string(data, found ? SizeofResource(module_, found) : 0) + std::string(32, '\0');
    }
    static long U16(const std::string& bytes, size_t at) { return uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8; }
    static std::ifstream Table(const char* name) {
        return std::ifstream(e2e::WindowsPath(std::string(RESOURCE_TABLES) + "/" + name), std::ios::binary);
    }
    // Name to id, from the generated header the program and the .rc files include.
    static std::map<std::string, unsigned> Ids() {
        std::ifstream header(e2e::WindowsPath(RESOURCE_IDS));
        std::map<std::string, unsigned> ids;
        for (std::string line, define, name; std::getline(header, line);)
            if (unsigned id = 0; std::istringstream(line) >> define >> name >> id && define == "#define") ids[name] = id;
        return ids;
    }
    static bool Named(const std::string& name, const char* prefix) { return name.rfind(prefix, 0) == 0; }

    HMODULE module_ = LoadLibraryExA((e2e::BinDir() + "\\Quorvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
};

TEST_F(ExecutableResources, PicturesAndRegionsOfTheTableLoadAtTheirSizes) {
    std::ifstream table = Table("expected.txt");
    const std::map<std::string, unsigned> ids = Ids();
    int count = 0;
    for (std::string line, name, type; std::getline(table, line);) {
        std::istringstream fields(line);
        long a = 0, b = 0, c = 0, d = 0;
        if (line[0] == '#' || !(fields >> name >> type >> a >> b >> c)) continue;
        SCOPED_TRACE(line);
        ++count;
        const unsigned id = ids.at(name);  // an unknown name fails the test
        if (type == "TGA") {  // the header, and pixels after the image ID for the whole picture
            std::string tga = Bytes(id, "TGA");
            EXPECT_EQ(std::vector<long>({U16(tga, 12), U16(tga, 14)}), std::vector<long>({a, b}));
            EXPECT_GE(tga.size(), 18 + 32 + uint8_t(tga[0]) + 4u * a * b);
        } else if (type == "BITMAP") {
            HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
            BITMAP info{};
            EXPECT_TRUE(image && GetObjectA(image, sizeof info, &info));
            EXPECT_EQ(std::vector<long>({info.bmWidth, info.bmHeight}), std::vector<long>({a, b}));
            DeleteObject(image);
        } else {  // the program builds the region from exactly the header and the rectangles
            std::string rgn = Bytes(id, "RGN");
            HRGN region = ExtCreateRegion(nullptr, DWORD(rgn.size() - 32), reinterpret_cast<const RGNDATA*>(rgn.data()));
            RECT box{};
            EXPECT_TRUE(region && GetRgnBox(region, &box) && fields >> d);
            EXPECT_EQ(std::vector<long>({box.left, box.top, box.right, box.bottom}), std::vector<long>({a, b, c, d}));
            DeleteObject(region);
        }
    }
    EXPECT_GT(count, 40);
}

TEST_F(ExecutableResources, IconsAtBothSizesCursorsAndTheDialogTemplateArePresent) {
    for (const auto& [name, id] : Ids()) {
        EXPECT_TRUE(!Named(name, "IDC_") || FindResourceA(module_, MAKEINTRESOURCEA(id), RT_GROUP_CURSOR)) << name;
        EXPECT_TRUE(!Named(name, "IDD_") || FindResourceA(module_, MAKEINTRESOURCEA(id), RT_DIALOG)) << name;
        for (int size : {16, 32}) {
            if (!Named(name, "IDI_")) break;
            HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ICONINFO info{};
            BITMAP colour{};
            EXPECT_TRUE(icon && GetIconInfo(icon, &info) && GetObjectA(info.hbmColor, sizeof colour, &colour));
            EXPECT_EQ(colour.bmWidth, size) << name;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

TEST_F(ExecutableResources, EveryStringLoadsAndTheQuotedOnesExactly) {
    char text[256];
    const std::map<std::string, unsigned> ids = Ids();
    for (const auto& [name, id] : ids)
        EXPECT_TRUE(!Named(name, "IDS_") || LoadStringA(module_, id, text, sizeof text) > 0) << name;
    std::ifstream table = Table("strings.txt");  // code page 1252, as LoadStringA gives them here
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        LoadStringA(module_, ids.at(line.substr(0, line.find('\t'))), text, sizeof text);
        EXPECT_EQ(text, line.substr(line.find('\t') + 1)) << line;
    }
}

}  // namespace
