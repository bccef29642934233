#include "model/HistoryFile.h"

#include <charconv>
#include <vector>

namespace history {

namespace {

constexpr std::string_view kHeader = "Quorvane history 1";
constexpr size_t kFields = 16;
// Names, keys and port designations are far shorter; a cut keeps any line bounded.
constexpr size_t kMaxText = 256;

void PutText(std::string& out, const std::string& text) {
    out += '\t';
    for (char c : std::string_view(text).substr(0, kMaxText)) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
}

void PutNumber(std::string& out, uint64_t value) {
    out += '\t';
    out += std::to_string(value);
}

// One line's fields, read in order; any that fails marks the whole line bad.
class Fields {
public:
    explicit Fields(std::string_view line) {
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
            fields_.push_back(line.substr(start, tab - start));
        fields_.push_back(line.substr(start));
        ok_ = fields_.size() == kFields;
    }
    bool Ok() const { return ok_; }

    template <class T>
    T Number(uint64_t maximum) {
        std::string_view field = Next();
        uint64_t value = 0;
        auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (field.empty() || error != std::errc() || end != field.data() + field.size() || value > maximum) ok_ = false;
        return static_cast<T>(ok_ ? value : 0);
    }

    std::string Text() {
        std::string_view field = Next();
        std::string text;
        for (size_t i = 0; i < field.size(); ++i) {
            char c = field[i];
            if (c == '\\') {
                c = ++i < field.size() ? Unescape(field[i]) : '\0';
                if (!c) ok_ = false;
            }
            text += c;
        }
        if (text.size() > kMaxText) ok_ = false;
        return ok_ ? text : std::string();
    }

    void EventOf(Event& event) {
        std::string_view word = Next();
        for (auto candidate : {Event::Plugged, Event::Unplugged, Event::Moved, Event::Health, Event::Renamed,
                               Event::Restarted}) {
            if (word == EventWord(candidate)) {
                event = candidate;
                return;
            }
        }
        ok_ = false;
    }

private:
    static char Unescape(char c) {
        switch (c) {
        case '\\': return '\\';
        case 't': return '\t';
        case 'n': return '\n';
        case 'r': return '\r';
        default: return '\0';
        }
    }
    std::string_view Next() { return ok_ && next_ < fields_.size() ? fields_[next_++] : std::string_view(); }

    std::vector<std::string_view> fields_;
    size_t next_ = 0;
    bool ok_ = false;
};

bool ReadEntry(std::string_view line, Entry& entry) {
    Fields fields(line);
    entry.time.utc = fields.Number<uint64_t>(UINT64_MAX);
    entry.time.local = fields.Number<uint64_t>(UINT64_MAX);
    fields.EventOf(entry.event);
    DeviceState& device = entry.device;
    device.key = fields.Text();
    device.name = fields.Text();
    device.kind = fields.Number<uint8_t>(UINT8_MAX);
    device.severity = fields.Number<uint8_t>(UINT8_MAX);
    device.connected = fields.Number<bool>(1);
    device.hub = fields.Text();
    device.port = fields.Text();
    device.icon = fields.Number<int>(UINT16_MAX);
    device.iconGroup = fields.Number<int>(UINT16_MAX);
    entry.oldName = fields.Text();
    entry.oldHub = fields.Text();
    entry.oldPort = fields.Text();
    entry.oldSeverity = fields.Number<uint8_t>(UINT8_MAX);
    return fields.Ok();
}

}  // namespace

std::string HistoryText(const std::deque<Entry>& entries) {
    std::string out(kHeader);
    out += "\r\n";
    for (const Entry& entry : entries) {
        out += std::to_string(entry.time.utc);
        PutNumber(out, entry.time.local);
        out += '\t';
        out += EventWord(entry.event);
        const DeviceState& device = entry.device;
        PutText(out, device.key);
        PutText(out, device.name);
        PutNumber(out, device.kind);
        PutNumber(out, device.severity);
        PutNumber(out, device.connected);
        PutText(out, device.hub);
        PutText(out, device.port);
        PutNumber(out, static_cast<uint16_t>(device.icon));
        PutNumber(out, static_cast<uint16_t>(device.iconGroup));
        PutText(out, entry.oldName);
        PutText(out, entry.oldHub);
        PutText(out, entry.oldPort);
        PutNumber(out, entry.oldSeverity);
        out += "\r\n";
    }
    return out;
}

bool ReadHistoryText(std::string_view text, Log& log) {
    if (text.size() > kMaxFileBytes) return false;
    Log read;  // bounded as it fills, however many lines there are
    bool header = true;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) return false;  // every line this program writes ends
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            if (line != kHeader) return false;
            header = false;
            continue;
        }
        Entry entry;
        if (!ReadEntry(line, entry)) return false;
        read.Add(std::move(entry));
    }
    if (header) return false;
    for (const Entry& entry : read.Entries()) log.Add(entry);
    return true;
}

}  // namespace history
