// The control channel (hot-plug, severities, texts, status codes, refusals) and the state
// file (the user's edits and the light switch across changes and restarts).
#include <filesystem>
#include <fstream>
#include <set>

#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

using ControlChannel = LibraryTest;

TEST_F(ControlChannel, BadCommandsChangeNothingAndHotPlugRebuildsTheTreeAndTheWorstSeverity) {
    ASSERT_NE(Start("test-small.json"), 0u);
    const std::pair<const char*, const char*> refusals[] = {
        {"plug keys", "\"keys\" is already plugged in"}, {"unplug phone", "\"phone\" is not plugged in"},
        {"plug phone at hub 1", "port 1 of \"hub\" is taken by \"disk\""},
        {"plug phone at hub 4", "hub \"hub\" has only 3 ports"},
        {"plug phone at cam 1", "\"cam\" is not a hub or adapter"},
        {"plug phone at host 1", "port 1 of \"root-a\" is taken by \"keys\""},
        {"unplug root-a", "\"root-a\" cannot be plugged or unplugged"}, {"severity ghost 2", "unknown key \"ghost\""},
        {"status hub 2", "\"hub\" is not a device"}, {"reboot", "unknown command \"reboot\""},
        {"unplug cam keys", "unexpected \"keys\" after unplug"},
        {"plug phone at hub 0", "plug needs a port number from 1 to 255"},
        {"severity cam 5 x", "severity needs a severity from 0 to 4"},
        {"text cam colour red", "text needs a field: name, manufacturer or description"},
        {"text cam name 123456789012345678901234567890123", "the text is longer than 32 characters"}};
    for (const auto& [command, reason] : refusals) EXPECT_EQ(Control(command), "refused: " + std::string(reason));
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(g_events.empty());

    ChangeTopology("plug phone");
    ChangeTopology("unplug hub");  // takes disk, phone and cam with it
    ExpectPublishedInvariants();
    for (const char* key : {"hub", "disk", "phone", "cam"}) EXPECT_EQ(Node(key), 0u) << key;
    EXPECT_EQ(MonitorKeys(), (std::vector<std::string>{"Computer", "keys"}));
    EXPECT_EQ(Read<uint8_t>(Node("Computer"), 0x20), 0) << "the unplugged disk still counts";
    EXPECT_EQ(Control("plug phone at root-a 3"), "refused: \"phone\" is already plugged in") << "in the hub";
    ChangeTopology("unplug phone");
    ChangeTopology("plug phone at host 3");  // an adapter stands for its root hub
    ChangeTopology("plug hub");
    ExpectPublishedInvariants();
    EXPECT_EQ(Read<uint8_t>(Record("phone"), 0x174), 2) << "on a root hub";
    EXPECT_EQ(Read<uint8_t>(Node("Computer"), 0x20), 2);
}

TEST_F(ControlChannel, SeveritiesNamesAndStatusCodesReachTheRecords) {
    ASSERT_NE(Start("test-small.json"), 0u);
    ChangeTopology("severity cam 4 Lens \xC3\xA9" "clat\xC3\xA9");
    EXPECT_EQ(Read<uint8_t>(Node("cam"), 0x78), 4);
    EXPECT_EQ(WideText(Read<uint32_t>(Node("cam"), 0x7C)), "Lens \xC3\xA9" "clat\xC3\xA9");
    EXPECT_EQ(Read<uint8_t>(Node("Computer"), 0x20), 4) << "the worst one counts";
    ChangeTopology("text cam name Zo\xC3\xAB \xE4\xB8\xAD");  // one character outside the ANSI code page
    EXPECT_EQ(WideText(Record("cam") + 0x00E), "Zo\xC3\xAB \xE4\xB8\xAD");
    // Status codes and activity change the nodes in place, with no topology change.
    size_t changes = g_events.size();
    uint32_t keys = Node("keys");
    EXPECT_EQ(Control("status keys 4"), "ok");
    EXPECT_EQ(Read<uint8_t>(keys, 0x88), 4);
    EXPECT_EQ(Control("activity keys steady"), "ok");
    auto lights = Export<ShowRealTimeTransmissionLightFn>("ShowRealTimeTransmissionLight");
    lights(1, 1);
    std::set<int> seen;
    EXPECT_TRUE(PumpUntil([&] {
        seen.insert(Read<uint8_t>(keys, 0x88));
        return seen.count(2) && seen.count(3);
    })) << "the steady pattern never moved the light";
    lights(0, 1);
    EXPECT_EQ(g_events.size(), changes);
}

using State = LibraryTest;

// Writes a record's user name and icon as the device options dialog does.
void Edit(uint32_t record, const std::u16string& name, int icon, int group) {
    auto* bytes = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(record));
    std::memset(bytes + 0x00E, 0, 66);
    std::memcpy(bytes + 0x00E, name.data(), name.size() * 2);
    uint16_t size = static_cast<uint16_t>(2 * (name.size() + 1));
    uint16_t flags = static_cast<uint16_t>((Read<uint16_t>(record, 0x052) & ~0x3FFF) | (icon << 4) | group);
    std::memcpy(bytes + 0x050, &size, 2);
    std::memcpy(bytes + 0x052, &flags, 2);
}

void ExpectEdited(uint32_t record, const char* name, int icon, int group) {
    EXPECT_EQ(WideText(record + 0x00E), name);
    EXPECT_EQ(Read<uint16_t>(record, 0x052) & 0x3FFF, (icon << 4) | group) << name;
}

uint8_t& LightSwitch(uint32_t systemRecord) { return *reinterpret_cast<uint8_t*>(systemRecord + uintptr_t{2}); }

TEST_F(State, EditsAndTheLightSwitchSurviveChangesAndSavedRestarts) {
    ASSERT_NE(Start("test-small.json"), 0u);
    Edit(Record("disk"), u"Archive", 3, 1);
    LightSwitch(Record("Computer")) = 1;
    ChangeTopology("change 3");  // unsaved: carried over by the library
    ExpectEdited(Record("disk"), "Archive", 3, 1);
    ASSERT_NE(Restart(), 0u);
    EXPECT_EQ(LightSwitch(Record("Computer")), 1) << "the light switch outlives a restart in the process";
    LightSwitch(Record("Computer")) = 0;
    Edit(Record("cam"), u"Front \u4e2d Cam", 9, 2);  // beyond the ANSI code page
    Export<SaveChangeFn>("SaveChange")();
    std::ofstream(StateFile() + ".tmp") << "{\"version\": 1, \"order\": [";  // a later save died writing
    ASSERT_NE(Restart(), 0u);
    ExpectEdited(Record("cam"), "Front \xE4\xB8\xAD Cam", 9, 2);
    EXPECT_EQ(LightSwitch(Record("Computer")), 0);
}

TEST_F(State, DamagedStateIsSetAsideReportedAndDefaultsUsed) {
    std::ofstream(StateFile()) << "{\"version\": 1, \"light\": 1, \"order\": [\"cam\",";  // cut short
    std::string box = StartAndAnswerBox("test-small.json");
    std::string aside = appData_ + "\\Quorvane\\linsett-state.damaged-1.json";
    EXPECT_NE(box.find(aside), std::string::npos) << box;
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_FALSE(std::filesystem::exists(StateFile())) << "the next start would complain again";
    EXPECT_EQ(MonitorKeys().front(), "Computer") << "defaults";
}

}  // namespace
}  // namespace linsett_test
