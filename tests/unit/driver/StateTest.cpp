// The state file at its limits: the size read at a start, and folders named in any script.
#include "tests/unit/driver/LibraryFixture.h"

namespace {

std::wstring Wide(const std::string& utf8) {
    const std::u16string wide = linsett::Widen(utf8);
    return std::wstring(wide.begin(), wide.end());
}

void Write(const std::string& utf8Path, const std::string& text) {
    HANDLE file = CreateFileW(Wide(utf8Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr)) << utf8Path;
    CloseHandle(file);
}

// A saved record of a device this scenario lacks, at its largest: texts longest, every character escaped.
std::string LargestRecord(int device) {
    auto text = [](size_t units) {
        std::string escaped;
        for (size_t i = 0; i < units; ++i) escaped += "\\u0007";
        return "\"" + escaped + "\"";
    };
    std::string key = "device-" + std::to_string(device);
    key += std::string(32 - key.size(), 'x');
    return "\"" + key + "\": {\"name\": " + text(32) + ", \"manufacturer\": " + text(64) +
           ", \"description\": " + text(64) + ", \"icon\": 1023, \"icon_group\": 15}";
}

class SavedState : public Library {};

TEST_F(SavedState, AFileOfFullBusesIsReadAndAnyFarLargerIsSetAside) {
    std::string records =
        R"("disk": {"name": "Archive", "manufacturer": null, "description": null, "icon": 3, "icon_group": 1})";
    for (int device = 1; device <= 4 * 127; ++device) records += ",\n" + LargestRecord(device);
    const std::string full = "{\"version\": 1, \"light\": 1, \"order\": [], \"records\": {" + records + "}}";
    std::ofstream(StateFile(), std::ios::binary) << full;
    EXPECT_TRUE(Boxes([&] { Start("test-small.json"); }).empty()) << full.size() << " bytes were refused";
    ExpectEdited(Record("disk"), "Archive", 3, 1);
    Export<SaveChangeFn>("SaveChange")();
    EXPECT_NE(Contents(StateFile()).find(LargestRecord(4 * 127)), std::string::npos) << "records were dropped";

    // Padding (JSON allows it) makes the same state no file this library ever wrote.
    std::ofstream(StateFile(), std::ios::binary) << full << std::string(32 << 20, ' ');
    Keys boxes = Boxes([&] { Restart(); });
    const std::string aside = appData_ + "\\Quorvane\\linsett-state.unreadable-1.json";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("could not be read (" + StateFile() + ": larger than"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("set aside as " + aside), std::string::npos) << boxes[0];
    EXPECT_TRUE(std::filesystem::exists(aside));
    EXPECT_FALSE(std::filesystem::exists(StateFile()));
    ExpectEdited(Record("disk"), "Disk", 1, 3);  // the scenario's
}

TEST_F(SavedState, EditsAreSavedAndRestoredUnderAProfileFolderNamedInAnyScript) {
    const char* const users[] = {"\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xB7\xD0\xBE"
                                 "\xD0\xB2\xD0\xB0\xD1\x82\xD0\xB5\xD0\xBB\xD1\x8C",    // Пользователь
                                 "\xE7\x94\xA8\xE6\x88\xB7 \xE5\xBC\xA0\xE4\xBC\x9F"};  // 用户 张伟
    for (const char* user : users) {
        const std::string folder = appData_ + "\\" + user, state = folder + "\\Quorvane\\linsett-state.json";
        ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr)) << user;
        SetEnvironmentVariableW(L"LOCALAPPDATA", Wide(folder).c_str());
        const std::string scenario = folder + "\\test-small.json";  // the scenario's path too
        const std::string shipped = e2e::WindowsPath(shippedDir_ + "/test-small.json");
        ASSERT_TRUE(CopyFileW(Wide(shipped).c_str(), Wide(scenario).c_str(), TRUE));
        EXPECT_TRUE(Boxes([&] { Start(scenario); }).empty()) << user;
        ASSERT_NE(root_, 0u) << user;
        Edit(Record("disk"), u"\u0410\u0440\u0445\u0438\u0432", 3, 1);  // Архив
        EXPECT_TRUE(Boxes([&] { Export<SaveChangeFn>("SaveChange")(), Control("dump"); }).empty()) << user;
        EXPECT_TRUE(std::filesystem::exists(Wide(state))) << user;
        EXPECT_TRUE(Boxes([&] { Restart(); }).empty()) << user;
        ASSERT_NE(root_, 0u);
        ExpectEdited(Record("disk"), "\xD0\x90\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2", 3, 1);

        Write(state, "{\"version\": 1, \"order\": [");  // damaged
        EXPECT_EQ(Boxes([&] { Restart(); }).size(), 1u) << user;
        EXPECT_TRUE(std::filesystem::exists(Wide(folder + "\\Quorvane\\linsett-state.damaged-1.json"))) << user;
    }
}

}  // namespace
