#include "tests/support/LinsettControl.h"
#include "driver/ctl/ControlClient.h"

namespace e2e {

std::string SendLinsettCommand(DWORD processId, const std::string& command, DWORD timeoutMs) {
    linsett::ControlResult problem;
    HWND control = linsett::FindControlWindow(processId, problem);
    std::string reply;
    if (!control || linsett::SendControlCommand(control, command, timeoutMs, reply) == linsett::ControlResult::Timeout)
        return {};
    return reply;
}

}  // namespace e2e
