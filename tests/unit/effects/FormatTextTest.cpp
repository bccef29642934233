// Placeholder filling for string-table texts, and text widths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FormatText.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "graphics/TextHelpers.h"

namespace {

std::string S(const String& text) { return text.Chars(); }

TEST(FormatText, FillsDropsAndNeverReadsPastItsArguments) {
    struct Case {
        const char* format;
        std::vector<const char*> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Plugged into port $0 of hub $1", {"2", "1"}, "Plugged into port 2 of hub 1"},
        {"$1 before $0", {"a", "b"}, "b before a"},
        {"$0$0", {"x"}, "xx"},
        {"no placeholders", {}, "no placeholders"},
        {"", {"unused"}, ""},
        {"cost $x here", {"1"}, "cost  here"},         // "$" and a letter both disappear
        {"100$$0", {"%"}, "1000"},                      // "$$" drops both, the 0 is text
        {"trailing $", {"1"}, "trailing "},
        {"$", {}, ""},
        {"port $2 of $0", {"5"}, "port  of 5"},          // no argument 2: empty
        {"$9", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "9"},
        {"$0 stays", {"$1 literal"}, "$1 literal stays"},  // arguments are not read again
    };
    for (const Case& c : cases) {
        std::vector<String> args(c.args.begin(), c.args.end());
        EXPECT_EQ(S(FormatText(c.format, args.data(), args.size())), c.expected) << c.format;
    }
    EXPECT_EQ(S(FormatText("$0-$1", {String("a"), String("b")})), "a-b");
    EXPECT_EQ(S(FormatText("$0", nullptr, 0)), "");
}

class TextWidthOnDc : public ::testing::Test {
protected:
    MemoryDC dc;
    Font small{CreateFontA(-9, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial")};
    Font large{CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial")};
};

TEST_F(TextWidthOnDc, MeasuresTheWholeTextInTheFontGivenAndKeepsTheDcsFont) {
    HGDIOBJ before = GetCurrentObject(dc.GetDC(), OBJ_FONT);
    const int one = TextExtent(dc.GetDC(), small.Get(), "HUB 12").cx;
    EXPECT_GT(one, 0);
    EXPECT_EQ(TextExtent(dc.GetDC(), small.Get(), "HUB 12HUB 12").cx, 2 * one);
    EXPECT_GT(TextExtent(dc.GetDC(), large.Get(), "HUB 12").cx, 2 * one);
    EXPECT_GT(TextExtent(dc.GetDC(), small.Get(), "WWW").cx, TextExtent(dc.GetDC(), small.Get(), "iii").cx);
    EXPECT_EQ(TextExtent(dc.GetDC(), large.Get(), "").cx, 0);
    EXPECT_EQ(GetCurrentObject(dc.GetDC(), OBJ_FONT), before);
}

}  // namespace
