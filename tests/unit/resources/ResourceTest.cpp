// Quorvane.exe carries every resource the program loads: read back from the
// built executable, as the program's own loaders would find them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "tests/e2e/driver/Paths.h"

namespace {

class ExecutableResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string exe = e2e::BinDir() + "\\Quorvane.exe";
    module_ = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "Quorvane.exe did not load as data"; }

  // The bytes of one resource, or an empty view.
  static std::pair<const uint8_t*, DWORD> Bytes(unsigned id, const char* type) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    if (!found) return {nullptr, 0};
    HGLOBAL handle = LoadResource(module_, found);
    return {static_cast<const uint8_t*>(LockResource(handle)), SizeofResource(module_, found)};
  }
  static uint32_t U32(const uint8_t* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
  static uint16_t U16(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }

  static HMODULE module_;
};
HMODULE ExecutableResources::module_ = nullptr;

struct Picture { unsigned id; int width, height; };

TEST_F(ExecutableResources, TargaSkinsHoldTheirPixels) {
  const Picture pictures[] = {
      {101, 230, 21}, {106, 96, 10}, {107, 90, 18}, {108, 648, 25}, {109, 274, 29}, {110, 548, 35},
      {111, 274, 41}, {112, 114, 21}, {114, 76, 15}, {123, 96, 24}, {124, 48, 8},  {129, 185, 29},
      {130, 32, 16},  {139, 185, 77}, {140, 185, 38}, {141, 185, 77}, {142, 185, 38}, {144, 60, 8},
      {147, 500, 50}, {148, 60, 50},  {149, 60, 50},  {150, 500, 50}, {154, 40, 30}, {156, 24, 40},
      {158, 24, 40},  {159, 40, 30},  {178, 24, 340}, {179, 24, 340}, {181, 72, 10}, {182, 72, 10}};
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.id);
    auto [data, size] = Bytes(p.id, "TGA");
    ASSERT_NE(data, nullptr);
    ASSERT_GE(size, 18u);
    EXPECT_EQ(U16(data + 12), p.width);
    EXPECT_EQ(U16(data + 14), p.height);
    EXPECT_EQ(data[16], 32);
    EXPECT_GE(size, 18u + data[0] + 4u * p.width * p.height);
  }
}

TEST_F(ExecutableResources, BitmapsLoadAtTheirSizes) {
  const Picture bitmaps[] = {{102, 64, 64}, {103, 60, 55}, {104, 30, 15}, {128, 312, 15},
                             {132, 156, 13}, {133, 139, 16}, {134, 18, 12}, {164, 490, 310}};
  for (const Picture& p : bitmaps) {
    SCOPED_TRACE(p.id);
    HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(p.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    BITMAP info{};
    GetObjectA(image, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, p.width);
    EXPECT_EQ(info.bmHeight, p.height);
    DeleteObject(image);
  }
}

TEST_F(ExecutableResources, RegionsBuildTheirBoundingBoxes) {
  const RECT bounds[] = {{0, 38, 184, 76}, {17, 38, 168, 67}, {0, 0, 184, 38}, {17, 10, 168, 40},
                         {0, 0, 45, 44},   {0, 0, 45, 44},    {0, 0, 45, 44},  {0, 0, 45, 44}};
  for (unsigned id = 170; id <= 177; ++id) {
    SCOPED_TRACE(id);
    auto [data, size] = Bytes(id, "RGN");
    ASSERT_NE(data, nullptr);
    uint32_t count = U32(data + 8);
    ASSERT_EQ(size, 32u + 16u * count);
    // The program builds the region from exactly the header and the rectangles.
    HRGN region = ExtCreateRegion(nullptr, (count + 2) * 16, reinterpret_cast<const RGNDATA*>(data));
    ASSERT_NE(region, nullptr);
    RECT box{};
    GetRgnBox(region, &box);
    const RECT& want = bounds[id - 170];
    EXPECT_EQ(box.left, want.left);
    EXPECT_EQ(box.top, want.top);
    EXPECT_EQ(box.right, want.right);
    EXPECT_EQ(box.bottom, want.bottom);
    DeleteObject(region);
  }
}

TEST_F(ExecutableResources, IconsCursorsAndTheDialogTemplateArePresent) {
  for (unsigned id : {125u, 160u, 161u, 162u, 163u}) {
    SCOPED_TRACE(id);
    EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
    for (int size : {16, 32}) {
      HANDLE icon = LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
      ASSERT_NE(icon, nullptr);
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
      BITMAP colour{};
      GetObjectA(info.hbmColor, sizeof colour, &colour);
      EXPECT_EQ(colour.bmWidth, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
  for (unsigned id = 135; id <= 138; ++id) {
    SCOPED_TRACE(id);
    EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(12)), nullptr);  // RT_GROUP_CURSOR
  }
  auto [dialog, size] = Bytes(121, MAKEINTRESOURCEA(5));  // RT_DIALOG
  ASSERT_NE(dialog, nullptr);
  ASSERT_GE(size, 18u);
  const DWORD style = U32(dialog);
  EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | DS_SETFONT), DWORD(WS_POPUP | WS_VISIBLE | DS_SETFONT));
  EXPECT_EQ(U16(dialog + 8), 0);    // no controls
  EXPECT_EQ(U16(dialog + 14), 144);
  EXPECT_EQ(U16(dialog + 16), 42);
}

TEST_F(ExecutableResources, EveryStringLoads) {
  char text[256];
  for (unsigned id = 1; id <= 102; ++id) {
    EXPECT_GT(LoadStringA(module_, id, text, sizeof text), 0) << "string " << id;
  }
  // Texts with a placeholder and a trailing blank survive the resource compiler.
  ASSERT_GT(LoadStringA(module_, 63, text, sizeof text), 0);
  EXPECT_STREQ(text, "Plugged into port $0 of hub $1");
  ASSERT_GT(LoadStringA(module_, 73, text, sizeof text), 0);
  EXPECT_STREQ(text, "Model Number: ");
  ASSERT_GT(LoadStringA(module_, 91, text, sizeof text), 0);
  EXPECT_STREQ(text, "-11|700|0|Arial");
}

}  // namespace
