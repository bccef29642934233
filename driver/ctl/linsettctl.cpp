// linsettctl [--pid N] [--timeout MS] <command words...>
// Sends one command to the library's control window, prints the reply; exit 0 on "ok".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/AnsiText.h"
#include "driver/ctl/ControlClient.h"

namespace {

int Usage() {
    std::fputs(
        "usage: linsettctl [--pid N] [--timeout MS] <command>\n"
        "commands: plug <key> [at <hub-or-adapter> <port>] | unplug <key> |\n"
        "          severity <key> <0-4> [text] | text <key> name|manufacturer|description <value> |\n"
        "          status <key> <0-4> | activity <key> steady|bursty|idle | change <code> |\n"
        "          fail-next-restart | low-memory on|off | dump | generations\n",
        stderr);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    DWORD processId = 0;
    DWORD timeoutMs = 5000;
    std::string command;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (command.empty() && (word == "--pid" || word == "--timeout") && i + 1 < argc) {
            unsigned long value = std::strtoul(argv[++i], nullptr, 10);
            (word == "--pid" ? processId : timeoutMs) = static_cast<DWORD>(value);
        } else {
            command += (command.empty() ? "" : " ") + word;
        }
    }
    if (command.empty()) return Usage();

    linsett::ControlResult found;
    HWND control = linsett::FindControlWindow(processId, found);
    if (!control) {
        std::fputs(found == linsett::ControlResult::SeveralLibraries
                       ? "linsettctl: several processes have the library loaded; choose one with --pid\n"
                       : "linsettctl: no process with the library loaded was found\n",
                   stderr);
        return 1;
    }
    std::string reply;
    linsett::ControlResult result = linsett::SendControlCommand(control, linsett::AnsiToUtf8(command), timeoutMs, reply);
    if (result == linsett::ControlResult::Timeout) {
        std::fputs("linsettctl: the library did not answer in time\n", stderr);
        return 1;
    }
    std::printf("%s\n", linsett::Utf8ToAnsi(reply).c_str());
    return result == linsett::ControlResult::Ok ? 0 : 1;
}
