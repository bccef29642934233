// The control channel: hot-plug, severities, texts, status codes and refusals, through the
// window the library creates, and through linsettctl.exe.
#include <set>

#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/Process.h"
#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

using ControlChannel = LibraryTest;

TEST_F(ControlChannel, PlugAndUnplugRebuildTheTree) {
    ASSERT_NE(Start("test-small.json"), 0u);
    ChangeTopology("plug phone");
    ExpectPublishedInvariants();
    uint32_t phone = RecordByKey("phone");
    uint32_t node = Read<uint32_t>(phone, 0x004);
    ASSERT_NE(node, 0u);
    uint32_t hubNode = Read<uint32_t>(RecordByKey("hub"), 0x004);
    HTREEITEM hubItem = nullptr;
    for (HTREEITEM adapter : Children(RootItem()))
        for (HTREEITEM root : Children(adapter))
            for (HTREEITEM item : Children(root))
                if (Param(item) == hubNode) hubItem = item;
    ASSERT_NE(hubItem, nullptr);
    std::vector<HTREEITEM> ports = Children(hubItem);
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(Param(ports[1]), node) << "port 2 is the second item";
    std::vector<std::string> shown = MonitorKeys();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "phone"), shown.end());

    ChangeTopology("unplug hub");  // takes disk, phone and cam with it
    ExpectPublishedInvariants();
    for (const char* key : {"hub", "disk", "phone", "cam"})
        EXPECT_EQ(Read<uint32_t>(RecordByKey(key), 0x004), 0u) << key;
    EXPECT_EQ(MonitorKeys(), (std::vector<std::string>{"Computer", "keys"}));

    EXPECT_EQ(Control("plug phone at root-a 2"), "refused: \"phone\" is already plugged in")
        << "it still sits in the unplugged hub";
    ChangeTopology("unplug phone");
    ChangeTopology("plug phone at root-a 2");
    ExpectPublishedInvariants();
    uint32_t moved = Read<uint32_t>(RecordByKey("phone"), 0x004);
    ASSERT_NE(moved, 0u);
    EXPECT_EQ(Read<uint8_t>(moved, 0x51), 2);
    EXPECT_EQ(Read<uint8_t>(RecordByKey("phone"), 0x174), 2) << "now on a root hub";
}

TEST_F(ControlChannel, BadCommandsAreRefusedWithAReasonAndChangeNothing) {
    ASSERT_NE(Start("test-small.json"), 0u);
    struct Case {
        const char* command;
        const char* reply;
    };
    const Case cases[] = {
        {"plug keys", "refused: \"keys\" is already plugged in"},
        {"plug phone at hub 1", "refused: port 1 of \"hub\" is taken by \"disk\""},
        {"unplug root-a", "refused: \"root-a\" cannot be plugged or unplugged"},
        {"severity ghost 2", "refused: unknown key \"ghost\""},
        {"status hub 2", "refused: \"hub\" is not a device"},
        {"reboot", "refused: unknown command \"reboot\""},
    };
    uint32_t root = root_;
    for (const Case& c : cases) EXPECT_EQ(Control(c.command), c.reply) << c.command;
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(root_, root);
}

TEST_F(ControlChannel, DumpListsEveryRecordWithItsState) {
    ASSERT_NE(Start("test-small.json"), 0u);
    std::string dump = Control("dump");
    ASSERT_EQ(dump.rfind("ok\n", 0), 0u) << dump;
    EXPECT_NE(dump.find("Computer connected=yes severity=0 status=0 position=0\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("disk connected=yes severity=2"), std::string::npos) << dump;
    EXPECT_NE(dump.find("phone connected=no"), std::string::npos) << dump;
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 1 + static_cast<long>(Ring(0x2C8).size()));
}

TEST_F(ControlChannel, SeverityAndTextsReachTheRecordsAtTheNextChange) {
    ASSERT_NE(Start("test-small.json"), 0u);
    ChangeTopology("severity cam 4 Lens \xC3\xA9" "clat\xC3\xA9");
    uint32_t cam = Read<uint32_t>(RecordByKey("cam"), 0x004);
    EXPECT_EQ(Read<uint8_t>(cam, 0x78), 4);
    EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(cam, 0x7C)), "Lens \xC3\xA9" "clat\xC3\xA9");
    EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(RecordByKey("Computer"), 0x004), 0x20), 4);
    ChangeTopology("severity Computer 1 Check the cables");
    EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(RecordByKey("Computer"), 0x004), 0x20), 4) << "the worst one counts";

    const std::string name = "Zo\xC3\xAB \xE4\xB8\xAD";  // one character outside the ANSI code page
    ChangeTopology("text cam name " + name);
    uint32_t record = RecordByKey("cam");
    EXPECT_EQ(ReadWideArray(record, 0x00E), name);
    EXPECT_EQ(Read<uint16_t>(record, 0x050), 2 * (5 + 1));
    EXPECT_EQ(ReadWideArray(record, 0x176), "Cam") << "the default stays";
    ExpectPublishedInvariants();
}

TEST_F(ControlChannel, StatusCodesAndActivityChangeInPlace) {
    ASSERT_NE(Start("test-small.json"), 0u);
    uint32_t keys = Read<uint32_t>(RecordByKey("keys"), 0x004);
    EXPECT_EQ(Control("status keys 4"), "ok");
    EXPECT_EQ(Read<uint8_t>(keys, 0x88), 4);
    EXPECT_EQ(Control("activity keys steady"), "ok");
    lights_(1, 1);
    std::set<int> seen;
    EXPECT_TRUE(PumpUntil([&] {
        seen.insert(Read<uint8_t>(keys, 0x88));
        return seen.count(2) && seen.count(3);
    })) << "the steady pattern never moved the light";
    lights_(0, 1);
    EXPECT_TRUE(Events().empty()) << "activity needs no topology change";
}

TEST_F(ControlChannel, LinsettctlExitCodesFollowTheReply) {
    ASSERT_NE(Start("test-small.json"), 0u);
    std::string tool = e2e::BinDir() + "\\linsettctl.exe";
    std::string pid = std::to_string(GetCurrentProcessId());
    struct Case {
        std::string arguments;
        DWORD exitCode;
    };
    const Case cases[] = {
        {"--pid " + pid + " dump", 0},
        {"--pid " + pid + " plug ghost", 1},
        {"--pid " + pid + " unplug cam", 0},
        {"--pid 1 --timeout 500 dump", 1},  // no library in that process
        {"--pid " + pid, 1},                // no command
    };
    for (const Case& c : cases) {
        e2e::Process process = e2e::Process::Start("\"" + tool + "\" " + c.arguments);
        ASSERT_TRUE(process.Started()) << tool;
        DWORD exitCode = 99;
        // This thread runs the library, so it pumps while the tool waits for the answer.
        EXPECT_TRUE(PumpUntil([&] { return process.WaitForExit(0, &exitCode); }, 20000)) << c.arguments;
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments;
    }
    ASSERT_EQ(CountEvents(kOnTopologyChanged), 1) << "the tool's unplug did not arrive";
    root_ = Events().back().argument;
    EXPECT_EQ(Read<uint32_t>(RecordByKey("cam"), 0x004), 0u);
}

}  // namespace
}  // namespace linsett_test
