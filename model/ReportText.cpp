#include <algorithm>
#include <vector>

#include "model/Report.h"

namespace report {

namespace {

using Row = std::vector<std::wstring>;

// A device string with a line break or tab would break the columns: control characters
// become spaces.
std::wstring Cell(const std::string& ansi) {
    std::wstring text = Wide(ansi);
    for (wchar_t& c : text)
        if (c < 0x20 || c == 0x7F) c = L' ';
    return text;
}
std::wstring Cell(const char* ascii) { return Cell(std::string(ascii)); }

// Every column as wide as its widest cell and two spaces; the last column unpadded, no
// spaces at the ends of lines.
void AppendTable(std::wstring& out, const std::vector<Row>& rows) {
    std::vector<size_t> widths;
    for (const Row& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size());
        for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    for (const Row& row : rows) {
        std::wstring line;
        for (size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) line.append(widths[i] + 2 - row[i].size(), L' ');
        }
        line.erase(line.find_last_not_of(L' ') + 1);
        out += line + L"\r\n";
    }
}

Row DeviceRow(const DeviceFacts& d, int indent) {
    const std::wstring name = std::wstring(size_t(2 * indent), L' ') + Cell(d.name);
    if (d.kind == "adapter") return {name};
    return {name, d.connected ? Cell(SeverityWord(d.severity)) : L"", Cell(d.hub), Cell(d.port),
            Cell(d.model), Cell(d.manufacturer), Cell(d.power), Cell(d.key)};
}

std::wstring Place(const std::string& hub, const std::string& port) {
    return Cell(hub) + L" port " + Cell(port);
}

std::wstring Details(const history::Entry& e) {
    switch (e.event) {
    case history::Event::Plugged: return L"at " + Place(e.device.hub, e.device.port);
    case history::Event::Unplugged: return L"from " + Place(e.device.hub, e.device.port);
    case history::Event::Moved:
        return L"from " + Place(e.oldHub, e.oldPort) + L" to " + Place(e.device.hub, e.device.port);
    case history::Event::Health:
        return Cell(SeverityWord(e.oldSeverity)) + L" -> " + Cell(SeverityWord(e.device.severity));
    case history::Event::Renamed: return L"was \"" + Cell(e.oldName) + L"\"";
    default: return L"";
    }
}

}  // namespace

std::wstring Text(const Facts& facts, const history::Log& log, history::Stamp generated) {
    const ComputerFacts& computer = facts.computer;
    std::wstring out = L"USB report of " + Cell(computer.name) + L", " + LocalText(generated.local) + L"\r\n";
    out += L"Health: " + Cell(SeverityWord(computer.severity));
    if (!computer.health.empty()) out += L", " + Cell(computer.health);
    out += L"\r\n";
    if (!computer.status.empty()) out += L"Status: " + Cell(computer.status) + L"\r\n";
    out += L"\r\n";

    std::vector<Row> rows{{L"Device", L"Health", L"Hub", L"Port", L"Model", L"Manufacturer", L"Power", L"Key"},
                          {Cell(computer.name)}};
    bool disconnectedHeading = false;
    for (const DeviceFacts& device : facts.devices) {
        if (!device.connected && !disconnectedHeading) {
            rows.push_back({L"Disconnected"});
            disconnectedHeading = true;
        }
        rows.push_back(DeviceRow(device, device.connected ? device.depth + 1 : 1));
    }
    AppendTable(out, rows);

    out += L"\r\nHistory, newest first\r\n";
    std::vector<Row> history;
    const auto& entries = log.Entries();
    for (auto e = entries.rbegin(); e != entries.rend(); ++e)
        history.push_back({LocalText(e->time.local), Cell(history::EventWord(e->event)), Cell(e->device.name),
                           Cell(e->device.key), Details(*e)});
    if (history.empty()) out += L"(nothing recorded)\r\n";
    AppendTable(out, history);
    return out;
}

}  // namespace report
