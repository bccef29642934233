// The JSON reader: what it accepts, and the line and reason it gives for what it refuses.
#include <gtest/gtest.h>

#include "driver/Json.h"

namespace {

using linsett::json::Parse;
using linsett::json::Type;
using linsett::json::Value;

TEST(JsonReader, KeepsTheLineOfEveryValueAndTheOrderOfFields) {
    Value root;
    linsett::json::Error error;
    ASSERT_TRUE(Parse("{\n \"b\": 1,\n \"a\": [true,\n  null, \"x\"],\n \"c\": {\"d\": -2.5e1}\n}", root, error))
        << error.message;
    ASSERT_EQ(root.members.size(), 3u);
    EXPECT_EQ(root.members[0].first, "b");
    EXPECT_EQ(root.Find("b")->line, 2);
    const Value* list = root.Find("a");
    ASSERT_EQ(list->items.size(), 3u);
    EXPECT_EQ(list->items[1].type, Type::Null);
    EXPECT_EQ(list->items[1].line, 4);
    EXPECT_EQ(list->items[2].text, "x");
    EXPECT_DOUBLE_EQ(root.Find("c")->Find("d")->number, -25.0);
    EXPECT_EQ(root.Find("c")->Find("d")->line, 5);
}

TEST(JsonReader, DecodesEscapesIntoUtf8) {
    Value root;
    linsett::json::Error error;
    ASSERT_TRUE(Parse(R"(["a\"b\\c\/\n", "\u00e9\u20ac", "\ud83d\ude00"])", root, error)) << error.message;
    EXPECT_EQ(root.items[0].text, "a\"b\\c/\n");
    EXPECT_EQ(root.items[1].text, "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(root.items[2].text, "\xF0\x9F\x98\x80");
}

struct BadJson {
    const char* text;
    int line;
    const char* fragment;
};

class JsonErrors : public ::testing::TestWithParam<BadJson> {};

TEST_P(JsonErrors, NameLineAndProblem) {
    Value root;
    linsett::json::Error error;
    ASSERT_FALSE(Parse(GetParam().text, root, error));
    EXPECT_EQ(error.line, GetParam().line) << error.message;
    EXPECT_NE(error.message.find(GetParam().fragment), std::string::npos) << error.message;
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonErrors,
    ::testing::Values(BadJson{"", 1, "empty"}, BadJson{"  \n\n ", 3, "empty"},
                      BadJson{"{\n\"a\": 1,\n\"a\": 2}", 3, "duplicate field \"a\""},
                      BadJson{"{\"a\": 1,\n}", 2, "quoted field name"},
                      BadJson{"[1,\n2\n3]", 3, "expected ','"},
                      BadJson{"{\"a\": \"open\n}", 2, "unterminated string"},
                      BadJson{"{\"a\": tru}", 1, "unexpected character"},
                      BadJson{"[01]", 1, "expected ','"},
                      BadJson{"[1.]", 1, "malformed number"},
                      BadJson{"[\"\\x\"]", 1, "bad escape"},
                      BadJson{"[\"\\ud800\"]", 1, "unpaired surrogate"},
                      BadJson{"{}\n{}", 2, "after the end"},
                      BadJson{"{\"a\": [1, 2", 1, "end of file"},
                      BadJson{"[1e999]", 1, "out of range"}));

TEST(JsonReader, RefusesNestingThatWouldExhaustTheStack) {
    Value root;
    linsett::json::Error error;
    EXPECT_FALSE(Parse(std::string(100000, '['), root, error));
    EXPECT_NE(error.message.find("too deep"), std::string::npos);
}

}  // namespace
