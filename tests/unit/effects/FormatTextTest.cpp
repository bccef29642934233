// Placeholder filling for string-table texts, and text widths.
#include <gtest/gtest.h>

#include <vector>

#include "base/FormatText.h"
#include "base/HandleOwners.h"
#include "graphics/MemoryDC.h"
#include "graphics/TextHelpers.h"

namespace {

TEST(FormatText, FillsDropsAndNeverReadsPastItsArguments) {
    const std::tuple<const char*, std::vector<String>, const char*> cases[] = {
        {"$1 before $0$0", {"a", "b"}, "b before aa"},
        {"cost $x here", {"1"}, "cost  here"},              // "$" and a letter both disappear
        {"100$$0", {"%"}, "1000"},                           // "$$" drops both, the 0 is text
        {"port $2 of $0 $", {"5"}, "port  of 5 "},           // no argument 2, nothing after "$"
        {"$0 stays", {"$1 literal"}, "$1 literal stays"},   // arguments are not read again
    };
    for (const auto& [format, args, expected] : cases)
        EXPECT_STREQ(FormatText(format, args.data(), args.size()).Chars(), expected) << format;
}

TEST(TextExtent, MeasuresTheWholeTextInTheFontGivenAndKeepsTheDcsFont) {
    MemoryDC dc;
    const Font small(CreateFontA(-9, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    const Font large(CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ before = GetCurrentObject(dc.GetDC(), OBJ_FONT);
    const int one = TextExtent(dc.GetDC(), small.Get(), "HUB 12").cx;
    EXPECT_EQ(TextExtent(dc.GetDC(), small.Get(), "HUB 12HUB 12").cx, 2 * one);
    EXPECT_GT(TextExtent(dc.GetDC(), large.Get(), "HUB 12").cx, 2 * one);
    EXPECT_EQ(GetCurrentObject(dc.GetDC(), OBJ_FONT), before);
}

}  // namespace
