// The shared look: fonts from their text form, health labels, and everything loaded.
#include <gtest/gtest.h>

#include <string>

#include "framework/SharedLook.h"

namespace {

class SharedLookLoaded : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadSharedLook(GetModuleHandleA(nullptr)); }
    static void TearDownTestSuite() { ReleaseSharedLook(); }
};

TEST(FontSpec, TextFormFillsTheFontRecord) {
    struct Case {
        const char* spec;
        LONG height;
        LONG weight;
        BYTE charset;
        const char* face;
    } cases[] = {
        {"-11|700|0|Arial", -11, 700, 0, "Arial"},
        {"15|700|0|Arial", 15, 700, 0, "Arial"},
        {"-9|400|2|Courier New", -9, 400, 2, "Courier"},  // the face ends at the first blank
        {"-8|700", -8, 700, 0, ""},                         // the rest stays zero
        {"nonsense", 0, 0, 0, ""},
        {"", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        LOGFONTA font = FontSpecToLogFont(c.spec);
        EXPECT_EQ(font.lfHeight, c.height) << c.spec;
        EXPECT_EQ(font.lfWeight, c.weight) << c.spec;
        EXPECT_EQ(font.lfCharSet, c.charset) << c.spec;
        EXPECT_STREQ(font.lfFaceName, c.face) << c.spec;
        EXPECT_EQ(font.lfItalic, 0) << c.spec;
    }
    LOGFONTA longFace = FontSpecToLogFont("-9|700|0|AVeryLongFaceNameThatDoesNotFitIntoTheRecord");
    EXPECT_LT(std::string(longFace.lfFaceName).size(), static_cast<size_t>(LF_FACESIZE));
}

TEST(FontSpec, CellAndCharacterHeights) {
    HDC dc = CreateCompatibleDC(nullptr);
    struct Case {
        const char* spec;
        bool cellHeight;
        LONG pixels;
    } cases[] = {{"15|700|0|Arial", true, 15}, {"-11|700|0|Arial", false, 11}, {"-9|700|0|Arial", false, 9}};
    for (const Case& c : cases) {
        HFONT font = ParseFontSpec(c.spec);
        ASSERT_NE(font, nullptr) << c.spec;
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        DeleteObject(font);
        LONG measured = c.cellHeight ? metrics.tmHeight : metrics.tmHeight - metrics.tmInternalLeading;
        EXPECT_EQ(measured, c.pixels) << c.spec;
        EXPECT_GE(metrics.tmWeight, 700) << c.spec;
    }
    DeleteDC(dc);
}

TEST_F(SharedLookLoaded, HealthLabelsCoverTheScaleOnly) {
    const char* labels[] = {"O.K.", "OPTIMIZATION NEEDED", "DEVICE UNRECOGNIZED", "HARMLESS FAILURE",
                            "SERIOUS FAILURE"};
    for (int severity = 0; severity < 5; ++severity)
        EXPECT_STREQ(SeverityLabel(severity).Chars(), labels[severity]) << severity;
    for (int outside : {-1, 5, 255}) EXPECT_STREQ(SeverityLabel(outside).Chars(), "") << outside;
}

TEST_F(SharedLookLoaded, EveryObjectExists) {
    for (SharedPen pen : {SharedPen::Grey112, SharedPen::Grey142, SharedPen::Grey70, SharedPen::Grey230,
                          SharedPen::Grey180, SharedPen::Black, SharedPen::Orange, SharedPen::Blue})
        EXPECT_NE(GetSharedPen(pen), nullptr);
    LOGPEN orange{};
    GetObjectA(GetSharedPen(SharedPen::Orange), sizeof orange, &orange);
    EXPECT_EQ(orange.lopnColor, static_cast<COLORREF>(0x66FF));
    LOGBRUSH light{};
    GetObjectA(GetSharedBrush(SharedBrush::Grey224), sizeof light, &light);
    EXPECT_EQ(light.lbColor, RGB(224, 224, 224));
    for (SharedCursor cursor :
         {SharedCursor::Grab, SharedCursor::Arrow, SharedCursor::Pointer, SharedCursor::DragWindow})
        EXPECT_NE(GetSharedCursor(cursor), nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_NE(GetSharedIcon(i), nullptr) << i;
    EXPECT_EQ(GetSharedIcon(5), nullptr);
    BITMAP texture{};
    ASSERT_TRUE(GetObjectA(BackgroundTexture(), sizeof texture, &texture));
    EXPECT_EQ(texture.bmWidth, 64);
    EXPECT_EQ(texture.bmHeight, 64);

    struct Strip {
        const ImageStrip& strip;
        int frameWidth, height;
    } strips[] = {{WideButtonStrip(), 115, 21},   {DialogButtonStrip(), 57, 21}, {CaptionButtonStrip(), 16, 10},
                  {MonitorScrollStrip(), 15, 8},  {ScrollArrowStrip(), 15, 55},  {ScrollThumbStrip(), 15, 15},
                  {ChoiceButtonStrip(), 9, 12},   {CheckBoxStrip(), 19, 15}};
    for (const Strip& s : strips) {
        EXPECT_EQ(s.strip.GetFrameWidth(), s.frameWidth);
        EXPECT_EQ(s.strip.GetHeight(), s.height) << "frame width " << s.frameWidth;
    }
}

}  // namespace
