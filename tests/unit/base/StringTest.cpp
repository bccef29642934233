#include <gtest/gtest.h>
#include <climits>
#include <cwchar>
#include <utility>
#include "base/String.h"

namespace {

TEST(String, CopiesAreIndependentMovedFromStaysValidIntegersFitWhole) {
    String a("alpha");
    String b = a;
    b += String("!");
    EXPECT_STREQ(a.Chars(), "alpha");
    String c = std::move(b);
    EXPECT_STREQ(c.Chars(), "alpha!");
    ASSERT_NE(b.Chars(), nullptr);  // NOLINT: a moved-from text is still a valid text
    EXPECT_STREQ(String::FromInt(LLONG_MIN).Chars(), "-9223372036854775808");
}

TEST(String, WideRoundTripAndShortTargetBuffers) {
    String s("S\xE9rie 7");  // "Série 7" in code page 1252
    wchar_t wide[8];
    s.ToWide(wide, 8);
    EXPECT_EQ(std::wcscmp(wide, L"S\u00e9rie 7"), 0);
    EXPECT_TRUE(String(wide) == s);
    wchar_t small[4];
    s.ToWide(small, 4);
    EXPECT_EQ(std::wcscmp(small, L"S\u00e9r"), 0) << "a short buffer gets what fits, terminated";
}

}  // namespace
