// Every resource the program loads, read from the built Quorvane.exe against expected.txt and strings.txt.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
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

    HMODULE module_ = LoadLibraryExA((e2e::BinDir() + "\\Quorvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
};

TEST_F(ExecutableResources, PicturesAndRegionsOfTheTableLoadAtTheirSizes) {
    std::ifstream table = Table("expected.txt");
    int count = 0;
    for (std::string line, type; std::getline(table, line);) {
        std::istringstream fields(line);
        unsigned id = 0;
        long a = 0, b = 0, c = 0, d = 0;
        if (line[0] == '#' || !(fields >> id >> type >> a >> b >> c)) continue;
        SCOPED_TRACE(line);
        ++count;
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
    for (unsigned id : {125u, 160u, 161u, 162u, 163u}) {
        for (int size : {16, 32}) {
            HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ICONINFO info{};
            BITMAP colour{};
            EXPECT_TRUE(icon && GetIconInfo(icon, &info) && GetObjectA(info.hbmColor, sizeof colour, &colour));
            EXPECT_EQ(colour.bmWidth, size) << id;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
    for (unsigned id = 135; id <= 138; ++id) EXPECT_TRUE(FindResourceA(module_, MAKEINTRESOURCEA(id), RT_GROUP_CURSOR));
    EXPECT_TRUE(FindResourceA(module_, MAKEINTRESOURCEA(121), RT_DIALOG));
}

TEST_F(ExecutableResources, EveryStringLoadsAndTheQuotedOnesExactly) {
    char text[256];
    for (unsigned id = 1; id <= 102; ++id) EXPECT_GT(LoadStringA(module_, id, text, sizeof text), 0) << id;
    std::ifstream table = Table("strings.txt");  // code page 1252, as LoadStringA gives them here
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        LoadStringA(module_, std::stoul(line), text, sizeof text);
        EXPECT_EQ(text, line.substr(line.find('\t') + 1)) << line;
    }
}

}  // namespace
