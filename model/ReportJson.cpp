#include <cstdio>

#include "model/Report.h"

namespace report {

namespace {

// A JSON writer just big enough for the report: one object or array open at a time per
// level, members separated as they come. Device strings are untrusted: every text is
// escaped, never copied through.
class JsonOut {
public:
    void Open(char bracket, const char* key = nullptr) {
        Member(key);
        out_ += bracket;
        first_ = true;
    }
    void Close(char bracket) {
        out_ += bracket;
        first_ = false;
    }
    // Array elements start on a line of their own, for a person reading the file.
    void NewLine() {
        out_ += first_ ? "\n  " : ",\n  ";
        first_ = true;
    }
    void Text(const char* key, const std::string& ansi) {
        Member(key);
        Quoted(Utf8(Wide(ansi)));
    }
    void Number(const char* key, long long value) {
        Member(key);
        out_ += std::to_string(value);
    }
    void Null(const char* key) {
        Member(key);
        out_ += "null";
    }
    void Bool(const char* key, bool value) {
        Member(key);
        out_ += value ? "true" : "false";
    }
    std::string Take() { return std::move(out_); }

private:
    void Member(const char* key) {
        if (!first_) out_ += ", ";
        first_ = false;
        if (!key) return;
        Quoted(key);
        out_ += ": ";
    }
    void Quoted(const std::string& utf8) {
        out_ += '"';
        for (unsigned char c : utf8) {
            switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out_ += escaped;
                } else {
                    out_ += char(c);
                }
            }
        }
        out_ += '"';
    }
    std::string out_;
    bool first_ = true;
};

void Device(JsonOut& json, const DeviceFacts& d) {
    json.Open('{');
    json.Text("key", d.key);
    json.Text("name", d.name);
    json.Text("kind", d.kind);
    d.typeCode < 0 ? json.Null("type") : json.Number("type", d.typeCode);
    json.Number("severity", d.severity);
    json.Text("health", d.health);
    json.Bool("connected", d.connected);
    json.Text("hub", d.hub);
    json.Text("port", d.port);
    json.Number("depth", d.depth);
    json.Text("model", d.model);
    json.Text("manufacturer", d.manufacturer);
    json.Text("description", d.description);
    json.Text("serial", d.serial);
    json.Text("power", d.power);
    json.Bool("selfPowered", d.selfPowered);
    json.Text("driverProvider", d.driverProvider);
    json.Text("driverDate", d.driverDate);
    json.Text("driverVersion", d.driverVersion);
    json.Close('}');
}

void HistoryEntry(JsonOut& json, const history::Entry& e) {
    json.Open('{');
    json.Text("time", IsoUtc(e.time.utc));
    json.Text("event", history::EventWord(e.event));
    json.Text("key", e.device.key);
    json.Text("name", e.device.name);
    json.Text("hub", e.device.hub);
    json.Text("port", e.device.port);
    json.Number("severity", e.device.severity);
    switch (e.event) {
    case history::Event::Moved:
        json.Text("oldHub", e.oldHub);
        json.Text("oldPort", e.oldPort);
        break;
    case history::Event::Health: json.Number("oldSeverity", e.oldSeverity); break;
    case history::Event::Renamed: json.Text("oldName", e.oldName); break;
    default: break;
    }
    json.Close('}');
}

}  // namespace

std::string Json(const Facts& facts, const history::Log& log, history::Stamp generated) {
    JsonOut json;
    json.Open('{');
    json.Text("generated", IsoUtc(generated.utc));
    json.Open('{', "computer");
    json.Text("name", facts.computer.name);
    json.Number("severity", facts.computer.severity);
    json.Text("health", facts.computer.health);
    json.Text("status", facts.computer.status);
    json.Text("advice", facts.computer.advice);
    json.Close('}');
    json.Open('[', "devices");
    for (const DeviceFacts& device : facts.devices) {
        if (device.kind == "adapter") continue;  // no record, no key: only the text form's tree shows them
        json.NewLine();
        Device(json, device);
    }
    json.Close(']');
    json.Open('[', "history");
    for (const history::Entry& entry : log.Entries()) {
        json.NewLine();
        HistoryEntry(json, entry);
    }
    json.Close(']');
    json.Close('}');
    return json.Take() + "\n";
}

}  // namespace report
