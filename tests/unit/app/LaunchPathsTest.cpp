// The paths handed to the shell, from the values the registry holds, bad ones included.
#include <gtest/gtest.h>

#include <string>

#include "app/LaunchPaths.h"

namespace {

using namespace launch_paths;

TEST(LaunchPaths, AFolderMustBeReadAndLeaveRoomAndInstallPathJoinsAsItIsOrWithOneSeparator) {
    const std::string link = "\\Quorvane.lnk", fits(255 - link.size(), 'x'), tooLong(250, 'x');
    const struct {
        std::string folder;
        bool read;
        std::string shortcut;
    } folders[] = {{fits, true, fits + link}, {fits + "x", true, ""}, {fits, false, ""}, {"", true, ""}};
    for (const auto& c : folders)
        EXPECT_STREQ(StartupShortcut(c.folder.c_str(), c.read).Chars(), c.shortcut.c_str()) << c.folder.size();
    const std::string installs[][3] = {{"", "\\Linsett.exe", "Help.chm"},
                                       {"C:\\Apps", "C:\\Apps\\Linsett.exe", "C:\\Apps\\Help.chm"},
                                       {"C:\\Apps\\", "C:\\Apps\\\\Linsett.exe", "C:\\Apps\\Help.chm"},
                                       {tooLong, "", tooLong + "\\Help.chm"}};
    for (const auto& [install, target, help] : installs) {
        EXPECT_STREQ(ShortcutTarget(install.c_str()).Chars(), target.c_str()) << install;
        EXPECT_STREQ(HelpFile(install.c_str(), "Help.chm").Chars(), help.c_str()) << install;
    }
}

}  // namespace
