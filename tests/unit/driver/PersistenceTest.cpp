// The state file: the user's edits and the light switch survive restarts; a damaged file
// is set aside and reported; an interrupted save never mixes old and new.
#include <filesystem>
#include <fstream>

#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

class Persistence : public LibraryTest {
protected:
    // Writes a record's user name and icon as the device options dialog does.
    void Edit(const char* key, const std::u16string& name, int icon, int group) {
        auto* record = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(RecordByKey(key)));
        ASSERT_NE(record, nullptr);
        std::memset(record + 0x00E, 0, 66);
        std::memcpy(record + 0x00E, name.data(), name.size() * 2);
        uint16_t size = static_cast<uint16_t>(2 * (name.size() + 1));
        std::memcpy(record + 0x050, &size, 2);
        uint16_t flags = Read<uint16_t>(RecordByKey(key), 0x052);
        flags = static_cast<uint16_t>((flags & ~0x3FFF) | (icon << 4) | group);
        std::memcpy(record + 0x052, &flags, 2);
    }
    void SetLightSwitch(uint8_t on) {
        *reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(RecordByKey("Computer")) + 0x002) = on;
    }
    void ExpectEdited(const char* key, const char* name, int icon, int group) {
        uint32_t record = RecordByKey(key);
        EXPECT_EQ(ReadWideArray(record, 0x00E), name) << key;
        EXPECT_EQ(Read<uint16_t>(record, 0x052) & 0x3FFF, (icon << 4) | group) << key;
    }
};

TEST_F(Persistence, SavedEditsAndTheLightSwitchComeBackAfterARestart) {
    ASSERT_NE(Start("test-small.json"), 0u);
    Edit("cam", u"Front \u00e9 Cam", 9, 2);
    SetLightSwitch(1);
    save_();
    EXPECT_TRUE(std::filesystem::exists(StateFile()));
    ASSERT_NE(Restart(), 0u);
    ExpectEdited("cam", "Front \xC3\xA9 Cam", 9, 2);
    EXPECT_EQ(Read<uint8_t>(RecordByKey("Computer"), 0x002), 1);
}

TEST_F(Persistence, UnsavedEditsAndTheLightSwitchSurviveATopologyChange) {
    ASSERT_NE(Start("test-small.json"), 0u);
    Edit("disk", u"Archive", 3, 1);
    SetLightSwitch(1);
    ChangeTopology("change 3");
    ExpectEdited("disk", "Archive", 3, 1);
    EXPECT_EQ(Read<uint8_t>(RecordByKey("Computer"), 0x002), 1);
    // The light switch outlives a restart of the library in the process even unsaved.
    SetLightSwitch(0);
    ASSERT_NE(Restart(), 0u);
    EXPECT_EQ(Read<uint8_t>(RecordByKey("Computer"), 0x002), 0);
}

TEST_F(Persistence, DamagedStateIsSetAsideReportedAndDefaultsUsed) {
    CreateDirectoryA(StateFolder().c_str(), nullptr);
    std::ofstream(StateFile()) << "{\"version\": 1, \"light\": 1, \"order\": [\"cam\",";  // cut short
    BoxWatcher watcher;
    ASSERT_NE(Start("test-small.json"), 0u);
    std::string box = watcher.Text();
    std::string aside = StateFolder() + "\\linsett-state.damaged-1.json";
    EXPECT_NE(box.find(aside), std::string::npos) << box;
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_FALSE(std::filesystem::exists(StateFile())) << "the next start would complain again";
    EXPECT_EQ(MonitorKeys().front(), "Computer") << "defaults";
    EXPECT_EQ(Read<uint8_t>(RecordByKey("Computer"), 0x002), 0);
    ExpectPublishedInvariants();
}

TEST_F(Persistence, AnInterruptedSaveLeavesTheLastCompleteState) {
    ASSERT_NE(Start("test-small.json"), 0u);
    Edit("keys", u"Old", 5, 0);
    save_();
    Stop();
    // A save that died while writing its temporary file.
    std::ofstream(StateFile() + ".tmp") << "{\"version\": 1, \"light\": 0, \"order\": [";
    ASSERT_NE(Restart(), 0u);
    ExpectEdited("keys", "Old", 5, 0);
    Edit("keys", u"New", 6, 1);
    save_();
    EXPECT_FALSE(std::filesystem::exists(StateFile() + ".tmp"));
    ASSERT_NE(Restart(), 0u);
    ExpectEdited("keys", "New", 6, 1);
}

}  // namespace
}  // namespace linsett_test
