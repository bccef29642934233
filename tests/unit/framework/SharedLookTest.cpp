// The shared look: fonts from their text form, the health labels' range, a pen's colour.
#include <gtest/gtest.h>
#include "framework/SharedLook.h"

namespace {

TEST(SharedLook, FontTextFormFillsTheFontRecord) {
    struct Case { const char* spec; LONG height, weight; BYTE charset; const char* face; } cases[] = {
        {"-11|700|0|Arial", -11, 700, 0, "Arial"},
        {"-9|400|2|Courier New", -9, 400, 2, "Courier"},  // the face ends at the first blank
        {"-8|700", -8, 700, 0, ""},                         // the rest stays zero
        {"9|700|0|AVeryLongFaceNameThatDoesNotFitIntoTheRecord", 9, 700, 0, "AVeryLongFaceNameThatDoesNotFit"},
    };
    for (const Case& c : cases) {
        LOGFONTA font = FontSpecToLogFont(c.spec);
        EXPECT_EQ(font.lfHeight, c.height) << c.spec;
        EXPECT_EQ(font.lfWeight, c.weight) << c.spec;
        EXPECT_EQ(font.lfCharSet, c.charset) << c.spec;
        EXPECT_STREQ(font.lfFaceName, c.face) << c.spec;
    }
}

TEST(SharedLook, LabelsForTheWholeScaleAndPensInTheirColours) {
    LoadSharedLook(GetModuleHandleA(nullptr));
    for (int severity = -1; severity <= 5; ++severity)
        EXPECT_EQ(SeverityLabel(severity).Empty(), severity < 0 || severity > 4) << severity;
    LOGPEN orange{};
    GetObjectA(GetSharedPen(SharedPen::Orange), sizeof orange, &orange);
    EXPECT_EQ(orange.lopnColor, RGB(255, 102, 0));
    ReleaseSharedLook();
}

}  // namespace
