// Command texts of the control channel and the timeline: the words each verb needs.
#include <gtest/gtest.h>

#include "driver/Command.h"

namespace {

using linsett::Command;
using linsett::ParseCommand;
using linsett::Verb;

TEST(CommandParser, ReadsEveryVerbWithItsArguments) {
    Command c;
    std::string reason;
    ASSERT_TRUE(ParseCommand("plug phone at desk-hub 4", c, reason)) << reason;
    EXPECT_EQ(c.verb, Verb::Plug);
    EXPECT_EQ(c.key, "phone");
    EXPECT_EQ(c.at, "desk-hub");
    EXPECT_EQ(c.port, 4);
    ASSERT_TRUE(ParseCommand("plug phone", c, reason));
    EXPECT_TRUE(c.at.empty());
    ASSERT_TRUE(ParseCommand("  severity  disk 3   Paper  jam  ", c, reason));
    EXPECT_EQ(c.level, 3);
    EXPECT_EQ(c.text, "Paper  jam");
    ASSERT_TRUE(ParseCommand("text cam description Front camera", c, reason));
    EXPECT_EQ(c.field, linsett::TextField::Description);
    EXPECT_EQ(c.text, "Front camera");
    ASSERT_TRUE(ParseCommand("activity cam bursty", c, reason));
    EXPECT_EQ(c.pattern, linsett::Pattern::Bursty);
    ASSERT_TRUE(ParseCommand("change 7", c, reason));
    EXPECT_EQ(c.verb, Verb::Change);
    EXPECT_EQ(c.level, 7);
    ASSERT_TRUE(ParseCommand("fail-next-restart", c, reason));
    EXPECT_FALSE(linsett::AllowedInTimeline(c.verb));
}

struct Refused {
    const char* text;
    const char* fragment;
};

class CommandRefusals : public ::testing::TestWithParam<Refused> {};

TEST_P(CommandRefusals, GiveAReason) {
    Command c;
    std::string reason;
    EXPECT_FALSE(ParseCommand(GetParam().text, c, reason));
    EXPECT_NE(reason.find(GetParam().fragment), std::string::npos) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandRefusals,
    ::testing::Values(Refused{"", "empty"}, Refused{"reboot now", "unknown command"},
                      Refused{"unplug", "needs a key"}, Refused{"unplug a b", "unexpected \"b\""},
                      Refused{"plug a near hub 1", "at <hub> <port>"}, Refused{"plug a at hub", "port number"},
                      Refused{"plug a at hub 0", "port number"}, Refused{"severity a 5 x", "severity from 0 to 4"},
                      Refused{"severity a -1", "severity from 0 to 4"}, Refused{"status a 2x", "status code"},
                      Refused{"text a colour red", "name, manufacturer or description"},
                      Refused{"text a name 123456789012345678901234567890123", "longer than 32"},
                      Refused{"activity a fast", "steady, bursty or idle"}, Refused{"change 256", "change code"},
                      Refused{"dump all", "unexpected"}));

}  // namespace
