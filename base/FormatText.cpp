#include "base/FormatText.h"

#include <string>

String FormatText(const String& format, const String* args, size_t count) {
    std::string out;
    for (const char* p = format.Chars(); *p; ++p) {
        if (*p != '$') {
            out += *p;
            continue;
        }
        const char next = p[1];
        if (next == '\0') break;
        ++p;
        const size_t index = static_cast<size_t>(next - '0');
        if (next >= '0' && next <= '9' && index < count) out += args[index].Chars();
    }
    return String(out.c_str(), out.size());
}

String FormatText(const String& format, std::initializer_list<String> args) {
    return FormatText(format, args.begin(), args.size());
}
