// The control channel (ControlProtocol.h): the stand-in's and the test build's. A command is
// queued as it arrives and run later from a message the window posts to itself, never inside
// the sender's call, so that callbacks only ever come from the program's own message loop.
#include <cstdio>
#include <deque>
#include <string>
#include <utility>

#include "driver/ControlProtocol.h"
#include "driver/Controls.h"
#include "driver/Session.h"

namespace linsett {

namespace {

constexpr UINT kReplyTimeoutMs = 2000;

// The command text a control message carries, or false with the reason it is not one.
// A zero byte may end the text.
bool ReadControlMessage(uintptr_t tag, const void* data, size_t size, std::string& text, std::string& reason) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(kCommandTag));
    if (tag != kCommandTag) reason = std::string("not a command: dwData must be ") + hex;
    else if (size > kMaxCommandBytes)
        reason = "the command is longer than " + std::to_string(kMaxCommandBytes) + " bytes";
    else if (size && !data) reason = "the command's bytes are missing";
    if (!reason.empty()) return false;
    text = size ? std::string(static_cast<const char*>(data), size) : std::string();
    if (!text.empty() && text.back() == '\0') text.pop_back();
    if (text.find('\0') == std::string::npos) return true;
    reason = "the command holds a zero byte before its end";
    return false;
}

class ControlChannel : public Controls {
public:
    explicit ControlChannel(Session& session) : session_(session) {}

    const char* WindowClass() const override { return kControlClass; }

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_COPYDATA) {
            result = Queue(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return true;
        }
        if (message != kControlsMessage) return false;
        RunRequests();
        result = 0;
        return true;
    }

private:
    struct Request {
        HWND replyTo;
        std::string text;
        std::string refusal;  // why the message was not a command
    };

    // Whatever the message holds, the sender gets an answer, a refusal with its reason if
    // need be; only a sender without a window to answer is turned away here.
    BOOL Queue(HWND replyTo, const COPYDATASTRUCT& data) {
        if (!IsWindow(replyTo)) return FALSE;
        Request request{replyTo, {}, {}};
        ReadControlMessage(data.dwData, data.lpData, data.cbData, request.text, request.refusal);
        requests_.push_back(std::move(request));
        PostMessageA(session_.Window(), kControlsMessage, 0, 0);
        return TRUE;
    }

    void RunRequests() {
        while (!requests_.empty()) {
            Request request = std::move(requests_.front());
            requests_.pop_front();
            const bool command = request.refusal.empty();
            Reply(request.replyTo, command ? session_.Run(request.text) : "refused: " + request.refusal);
        }
    }

    void Reply(HWND to, const std::string& text) {
        if (!IsWindow(to)) return;
        COPYDATASTRUCT data{kReplyTag, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
        DWORD_PTR result = 0;
        SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(session_.Window()),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kReplyTimeoutMs, &result);
    }

    Session& session_;
    std::deque<Request> requests_;
};

}  // namespace

std::unique_ptr<Controls> MakeControls(Session& session) { return std::make_unique<ControlChannel>(session); }

}  // namespace linsett
