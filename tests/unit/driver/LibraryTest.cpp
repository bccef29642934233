// The stand-in Linsett.dll: start and stop, published fields, moves, control channel, state file.
#include "tests/unit/driver/LibraryFixture.h"

namespace {

TEST_F(Library, PublishesEveryFieldWhereTheProgramReadsIt) {
    ASSERT_NE(Start(""), 0u);  // the built-in demo
    ExpectPublishedInvariants();
    EXPECT_EQ(Control("plug phone at kvm 1"), "refused: hub \"kvm\" has no ports");  // the demo's portless hub
    ASSERT_NE(Start("test-small.json"), 0u);
    ExpectPublishedInvariants();
    // key ("" the root block), r(ecord) or n(ode), offset, b(yte) w(ord) i(nline wide) p(ointer wide) a(nsi)
    struct Field { const char* key; char where; uint16_t offset; char type; const char* value; };
    const Field fields[] = {
        {"", 'r', 0x0C, 'w', "50"}, {"Computer", 'n', 0x1C, 'p', "Test Bench"}, {"Computer", 'n', 0x20, 'b', "2"},
        {"Computer", 'n', 0x24, 'p', "Disk: Slow"}, {"Computer", 'n', 0x2C, 'p', "Nothing to do"},
        {"Computer", 'n', 0x30, 'b', "1"}, {"Computer", 'n', 0x34, 'p', "One adapter"},
        {"disk", 'r', 0x00E, 'i', "Disk"}, {"disk", 'r', 0x050, 'w', "10"}, {"disk", 'r', 0x052, 'w', "32787"},
        {"disk", 'r', 0x054, 'i', "Bench"}, {"disk", 'r', 0x0D6, 'w', "12"}, {"disk", 'r', 0x0D8, 'i', "Disk"},
        {"disk", 'r', 0x16C, 'p', "Bench Hub"}, {"disk", 'r', 0x175, 'b', "2"}, {"disk", 'r', 0x176, 'i', "Disk"},
        {"disk", 'r', 0x1BA, 'w', "32784"}, {"disk", 'r', 0x1BC, 'i', "Bench"}, {"disk", 'r', 0x240, 'i', "Disk"},
        {"disk", 'n', 0x18, 'p', "D-1"}, {"disk", 'n', 0x3C, 'a', "D1-77"}, {"disk", 'n', 0x52, 'b', "8"},
        {"disk", 'n', 0x78, 'b', "2"}, {"disk", 'n', 0x7C, 'p', "Slow"}, {"disk", 'n', 0x84, 'p', "Bench"},
        {"disk", 'n', 0x8C, 'p', "Disk"}, {"keys", 'n', 0x3C, 'a', "<null>"}, {"keys", 'n', 0x60, 'a', "Bench"},
        {"keys", 'n', 0x68, 'a', "1-1-2008"}, {"keys", 'n', 0x70, 'a', "1.0"}, {"keys", 'r', 0x052, 'w', "0"},
        {"hub", 'n', 0x1C, 'p', "BH-3"}, {"hub", 'n', 0x21, 'b', "0"}, {"hub", 'n', 0x26, 'b', "3"},
        {"hub", 'n', 0x60, 'a', "BH3-1"}, {"hub", 'n', 0x70, 'b', "1"}, {"hub", 'n', 0x74, 'p', "Three ports"},
        {"hub", 'n', 0x78, 'p', "100 mA"}, {"hub", 'r', 0x052, 'w', "32800"}, {"root-a", 'n', 0x21, 'b', "1"},
        {"root-a", 'r', 0x052, 'w', "32784"}, {"root-a", 'r', 0x172, 'w', "1"}, {"root-a", 'r', 0x174, 'b', "1"},
        {"root-a", 'r', 0x16C, 'p', "Test Host Controller"}, {"phone", 'r', 0x16C, 'p', "Bench Hub"},
        {"phone", 'r', 0x172, 'w', "2"}};  // phone: where it was last seen
    for (const Field& f : fields) {
        uint32_t base = !*f.key ? root_ : f.where == 'r' ? Record(f.key) : Node(f.key);
        std::string value = f.type == 'b'   ? std::to_string(Read<uint8_t>(base, f.offset))
                            : f.type == 'w' ? std::to_string(Read<uint16_t>(base, f.offset))
                            : f.type == 'i' ? WideText(base + f.offset)
                            : f.type == 'p' ? WideText(Read<uint32_t>(base, f.offset))
                                            : AnsiText(Read<uint32_t>(base, f.offset));
        EXPECT_EQ(value, f.value) << f.key << " " << f.where << " 0x" << std::hex << f.offset;
    }
}

LRESULT CALLBACK RefuseWindows(int code, WPARAM, LPARAM) { return code == HCBT_CREATEWND; }

TEST_F(Library, FailsQuietlyWithoutHardwareLoudlyOnABrokenScenarioAndOnceWhenAsked) {
    EXPECT_EQ(Start("no-hardware.json"), 0u);
    std::ofstream(appData_ + "\\broken.json") << "{\"computer\": {\"name\": \"PC\"},\n\n\"adapters\": [{\"key\": 5}]}";
    Keys boxes = Boxes([&] { Start(appData_ + "\\broken.json"); });
    EXPECT_EQ(root_, 0u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Linsett|", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("broken.json, line 3: an adapter: \"key\" must be a string"), std::string::npos);
    HHOOK refusal = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    EXPECT_EQ(Start("test-small.json"), 0u) << "without its control window";
    UnhookWindowsHookEx(refusal);
    EXPECT_EQ(Control("dump"), "no control window");
    ASSERT_NE(Start("test-small.json"), 0u);
    EXPECT_EQ(Control("fail-next-restart"), "ok");
    EXPECT_EQ(Restart(), 0u);
    EXPECT_EQ(Control("dump"), "no control window");
    EXPECT_NE(Restart(), 0u);
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(g_events.empty());
}

TEST_F(Library, CallbacksComeFromTheMessageLoopWithNewStructuresAndNeverAfterDeinitialize) {
    ASSERT_NE(Start("test-timeline.json"), 0u);  // its two events are due at once
    Stop();
    EXPECT_TRUE(Children(TVI_ROOT).empty()) << "items left pointing at freed nodes";
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(g_events.empty());
    ASSERT_NE(Start("test-timeline.json"), 0u);
    ASSERT_TRUE(PumpUntil([] { return g_events.size() >= 4; }));
    ASSERT_EQ(g_events.size(), 4u);
    for (size_t i = 0; i < g_events.size(); ++i) {
        EXPECT_EQ(g_events[i].slot, i % 2 ? kOnTopologyChanged : kOnTopologyChanging) << i;
        EXPECT_FALSE(g_events[i].duringExport) << i;
    }
    root_ = g_events.back().argument;
    EXPECT_EQ(g_events[1].changeCode, 1) << "a plug keeps the selection with code 1";
    EXPECT_EQ(g_events[3].changeCode, 0) << "a severity change keeps it with code 0";
    EXPECT_EQ(Read<uint8_t>(Node("keys"), 0x78), 3);
    // Each change rewrites the structures at new addresses; the old ones are given back.
    uint32_t entry = Read<uint32_t>(root_, 0x00);
    EXPECT_EQ(Read<uint8_t>(ChangeTopology("change 5"), 0x0E), 5);
    EXPECT_NE(Read<uint32_t>(root_, 0x00), entry);
    std::set<uint32_t> roots;
    for (int i = 0; i < 300; ++i) roots.insert(ChangeTopology("change 2"));
    EXPECT_LE(roots.size(), 4u) << "old generations are not given back";
    EXPECT_EQ(Control("low-memory on"), "ok");
    uint32_t old = root_;
    EXPECT_EQ(ChangeTopology("unplug phone"), old) << "no room for a new generation: the old one comes back";
    ExpectPublishedInvariants();
    EXPECT_EQ(Control("low-memory off"), "ok");
    EXPECT_NE(ChangeTopology("change 2"), old);
}

TEST_F(Library, MovesCountShownPlacesClampAndLastThroughChangesAndRestarts) {
    ASSERT_NE(Start("test-small.json"), 0u);
    auto at = [&](const char* key) { return reinterpret_cast<void*>(static_cast<uintptr_t>(Record(key))); };
    auto up = Export<MoveNodeUpFn>("MoveNodeUp"), down = Export<MoveNodeDownFn>("MoveNodeDown");
    down(at("cam"), 1);  // already last: nothing moves, not even past the hidden phone
    ChangeTopology("plug phone");
    EXPECT_EQ(MonitorKeys(), (Keys{"Computer", "keys", "disk", "cam", "phone"}));
    ChangeTopology("unplug phone");
    std::vector<uint32_t> listRing = Ring(0x2C8);
    size_t changes = g_events.size();
    const std::tuple<MoveNodeUpFn, const char*, int, Keys> steps[] = {
        {up, "cam", 1, {"Computer", "keys", "cam", "disk"}},
        {up, "disk", 10, {"disk", "Computer", "keys", "cam"}},  // past the front: the front
        {down, "Computer", 99, {"disk", "keys", "cam", "Computer"}},
        {up, "hub", 1, {"disk", "keys", "cam", "Computer"}},    // hubs are not shown
        {up, "phone", 1, {"disk", "keys", "cam", "Computer"}},  // nor disconnected devices
        {down, "keys", 1, {"disk", "cam", "keys", "Computer"}}};
    for (const auto& [move, key, places, expected] : steps) {
        move(at(key), places);
        EXPECT_EQ(MonitorKeys(), expected) << key << " by " << places;
    }
    int local = 0;
    up(&local, 1);  // not a record: ignored
    down(static_cast<char*>(at("cam")) + 4, 1);
    EXPECT_EQ(Ring(0x2C8), listRing) << "the list order changed";
    EXPECT_EQ(g_events.size(), changes) << "a move caused a topology change";
    ExpectPublishedInvariants();
    ChangeTopology("change 2");
    EXPECT_EQ(MonitorKeys(), (Keys{"disk", "cam", "keys", "Computer"}));
    ASSERT_NE(Restart(), 0u);
    EXPECT_EQ(MonitorKeys(), (Keys{"disk", "cam", "keys", "Computer"})) << "the order was not saved";
}

TEST_F(Library, BadCommandsChangeNothingAndHotPlugRebuildsTheTreeAndTheWorstSeverity) {
    ASSERT_NE(Start("test-small.json"), 0u);
    const std::pair<const char*, const char*> refusals[] = {
        {"plug keys", "\"keys\" is already plugged in"}, {"unplug phone", "\"phone\" is not plugged in"},
        {"plug phone at hub 1", "port 1 of \"hub\" is taken by \"disk\""}, {"status hub 2", "\"hub\" is not a device"},
        {"plug phone at hub 4", "hub \"hub\" has only 3 ports"}, {"plug phone at cam 1", "\"cam\" is not a hub or adapter"},
        {"plug phone at host 1", "port 1 of \"root-a\" is taken by \"keys\""}, {"severity ghost 2", "unknown key \"ghost\""},
        {"unplug root-a", "\"root-a\" cannot be plugged or unplugged"}, {"unplug cam keys", "unexpected \"keys\" after unplug"},
        {"plug phone at hub 0", "plug needs a port number from 1 to 255"}, {"severity cam 5 x", "severity needs a severity from 0 to 4"},
        {"text cam colour red", "text needs a field: name, manufacturer or description"},
        {"text cam name 123456789012345678901234567890123", "the text is longer than 32 characters"}};
    for (const auto& [command, reason] : refusals) EXPECT_EQ(Control(command), "refused: " + std::string(reason));
    const std::string tooLong(linsett::kMaxCommandBytes + 1, 'x');
    const std::tuple<uintptr_t, const char*, DWORD, const char*> messages[] = {  // a zero byte may end one
        {kCommandTag, "reboot", 7, "unknown command \"reboot\""}, {1, "dump", 4, "not a command: dwData must be 0x4C434D44"},
        {kCommandTag, nullptr, 4, "the command's bytes are missing"}, {kCommandTag, "", 0, "empty command"},
        {kCommandTag, "dump\0x", 6, "the command holds a zero byte before its end"},
        {kCommandTag, tooLong.c_str(), DWORD(tooLong.size()), "the command is longer than 4096 bytes"}};
    for (const auto& [tag, bytes, size, why] : messages) EXPECT_EQ(Send(tag, bytes, size), "refused: " + std::string(why));
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(g_events.empty());
    ChangeTopology("plug phone");
    ChangeTopology("unplug hub");  // takes disk, phone and cam with it
    ExpectPublishedInvariants();
    for (const char* key : {"hub", "disk", "phone", "cam"}) EXPECT_EQ(Node(key), 0u) << key;
    EXPECT_EQ(MonitorKeys(), (Keys{"Computer", "keys"}));
    EXPECT_EQ(Read<uint8_t>(Node("Computer"), 0x20), 0) << "the unplugged disk still counts";
    EXPECT_EQ(Control("plug phone at root-a 3"), "refused: \"phone\" is already plugged in") << "in the hub";
    ChangeTopology("unplug phone");
    ChangeTopology("plug phone at host 3");  // an adapter stands for its root hub
    ChangeTopology("plug hub");
    ExpectPublishedInvariants();
    EXPECT_EQ(Read<uint8_t>(Record("phone"), 0x174), 2) << "on a root hub";
    EXPECT_EQ(Read<uint8_t>(Node("Computer"), 0x20), 2);
}

TEST_F(Library, SeveritiesNamesAndStatusCodesReachTheRecords) {
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

TEST_F(Library, EditsAndTheLightSwitchSurviveChangesAndSavedRestarts) {
    const std::string other = R"("ghost": {"name": "Old", "manufacturer": null, "description": null, "icon": 2, "icon_group": 1})";
    std::ofstream(StateFile()) << "{\"version\": 1, \"light\": 0, \"order\": [], \"records\": {" + other + "}}";
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
    EXPECT_NE(Contents(StateFile()).find(other), std::string::npos) << Contents(StateFile());
}

TEST_F(Library, DamagedOrUnreadableStateIsSetAsideAndFailedSavesAreToldOncePerStreak) {
    std::ofstream(StateFile()) << "{\"version\": 1, \"light\": 1, \"order\": [\"cam\",";  // cut short
    Keys boxes = Boxes([&] { Start("test-small.json"); });
    std::string aside = appData_ + "\\Quorvane\\linsett-state.damaged-1.json";
    ASSERT_EQ(boxes.size(), 1u) << "one box names where the damaged file went";
    EXPECT_NE(boxes[0].find(aside), std::string::npos) << boxes[0];
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_FALSE(std::filesystem::exists(StateFile())) << "the next start would complain again";
    EXPECT_EQ(MonitorKeys().front(), "Computer") << "defaults";
    // A file in use elsewhere can be neither read nor set aside: it must not be saved over.
    std::ofstream(StateFile()) << "{\"version\": 1}";
    HANDLE lock = CreateFileA(StateFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    auto save = [&] { Export<SaveChangeFn>("SaveChange")(), Control("dump"); };  // the round trip runs the loop
    boxes = Boxes([&] { Restart(); save(); save(); });
    ASSERT_EQ(boxes.size(), 2u) << "told at the start and at the first failed save only";
    EXPECT_NE(boxes[0].find("could not be read"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find("could not be saved"), std::string::npos) << boxes[1];
    CloseHandle(lock);
    EXPECT_TRUE(Boxes(save).empty());
    EXPECT_EQ(Contents(appData_ + "\\Quorvane\\linsett-state.unreadable-1.json"), "{\"version\": 1}");
    std::filesystem::create_directory(StateFile() + ".tmp");  // no save can write now
    EXPECT_EQ(Boxes([&] { save(); save(); }).size(), 1u) << "a new streak of failures is told once";
}

}  // namespace
