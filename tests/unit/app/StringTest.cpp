#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <utility>

#include "base/String.h"

namespace {

TEST(String, NullAndEmptySourcesGiveAnEmptyButValidText) {
    const String fromNull(static_cast<const char*>(nullptr));
    const String fromNullWide(static_cast<const wchar_t*>(nullptr));
    const String byDefault;
    for (const String* s : {&fromNull, &fromNullWide, &byDefault}) {
        ASSERT_NE(s->Chars(), nullptr);
        EXPECT_EQ(s->Length(), 0u);
        EXPECT_TRUE(s->Empty());
    }
}

TEST(String, FromIntegers) {
    struct Case {
        long long value;
        const char* text;
    } cases[] = {{0, "0"}, {7, "7"}, {-42, "-42"}, {INT_MAX, "2147483647"}, {LLONG_MIN, "-9223372036854775808"}};
    for (const Case& c : cases) EXPECT_STREQ(String::FromInt(c.value).Chars(), c.text);
}

TEST(String, WideTextOutsideTheCodePageConvertsWithoutFailing) {
    // U+00E9 is in code page 1252; U+4E2D and U+263A are not and become the default character.
    String text(L"caf\u00e9 \u4e2d\u263a");
    EXPECT_EQ(text.Length(), 7u);
    EXPECT_EQ(static_cast<unsigned char>(text.Chars()[3]), 0xE9);
    EXPECT_STRNE(text.Chars() + 5, "");
}

TEST(String, CopiesAreIndependentAndMovedFromStaysUsable) {
    String a("alpha");
    String b = a;
    b += String("!");
    EXPECT_STREQ(a.Chars(), "alpha");
    EXPECT_STREQ(b.Chars(), "alpha!");

    String c = std::move(b);
    EXPECT_STREQ(c.Chars(), "alpha!");
    ASSERT_NE(b.Chars(), nullptr);  // NOLINT: a moved-from text is still a valid text
    b = String("again");
    EXPECT_STREQ(b.Chars(), "again");

    a = a;  // self-assignment keeps the text
    EXPECT_STREQ(a.Chars(), "alpha");
}

TEST(String, CutConcatenateCompare) {
    String s("Quorvane Monitor");
    s.Cut(100);
    EXPECT_EQ(s.Length(), 16u);
    s.Cut(8);
    EXPECT_STREQ(s.Chars(), "Quorvane");
    EXPECT_TRUE(s + String(" ") + String::FromInt(2) == String("Quorvane 2"));
    EXPECT_FALSE(s == String("quorvane"));
    EXPECT_FALSE(s == String("Quorvan"));
    EXPECT_STREQ(String("abcdef", 3).Chars(), "abc");
    EXPECT_STREQ(String("ab", 10).Chars(), "ab");
}

TEST(String, CapacityBufferIsEmptyUntilFilled) {
    String s = String::WithCapacity(10);
    EXPECT_TRUE(s.Empty());
    for (int i = 0; i < 10; ++i) s.Buffer()[i] = 'x';
    EXPECT_EQ(s.Length(), 10u);  // the terminator beyond the capacity is still there
}

TEST(String, WideRoundTripAndShortTargetBuffers) {
    String s("S\xE9rie 7");  // "Série 7" in code page 1252
    ASSERT_EQ(s.WideSize(), 8u);
    wchar_t wide[8];
    s.ToWide(wide, 8);
    EXPECT_EQ(std::wcscmp(wide, L"S\u00e9rie 7"), 0);
    EXPECT_TRUE(String(wide) == s);

    wchar_t small[4] = {L'#', L'#', L'#', L'#'};
    s.ToWide(small, 4);
    EXPECT_EQ(std::wcscmp(small, L"S\u00e9r"), 0);
    EXPECT_EQ(String().WideSize(), 1u);
}

}  // namespace
