#include "driver/Command.h"

#include <charconv>
#include <vector>

#include "driver/Layout.h"
#include "driver/Text.h"

namespace linsett {

namespace {

// Splits off words; the rest of the line (after the fixed words) stays available as text.
class Words {
public:
    explicit Words(std::string_view text) : text_(text) {}

    bool Next(std::string_view& word) {
        SkipSpace();
        if (pos_ >= text_.size()) return false;
        size_t start = pos_;
        while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
        word = text_.substr(start, pos_ - start);
        return true;
    }

    std::string_view Rest() {
        SkipSpace();
        std::string_view rest = text_.substr(pos_);
        while (!rest.empty() && IsSpace(rest.back())) rest.remove_suffix(1);
        pos_ = text_.size();
        return rest;
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    }
    std::string_view text_;
    size_t pos_ = 0;
};

bool Number(std::string_view word, int minimum, int maximum, int& out) {
    int value = 0;
    auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return false;
    if (value < minimum || value > maximum) return false;
    out = value;
    return true;
}

bool ParsePattern(std::string_view word, Pattern& out) {
    if (word == "steady") out = Pattern::Steady;
    else if (word == "bursty") out = Pattern::Bursty;
    else if (word == "idle") out = Pattern::Idle;
    else return false;
    return true;
}

bool ParseField(std::string_view word, TextField& out) {
    if (word == "name") out = TextField::Name;
    else if (word == "manufacturer") out = TextField::Manufacturer;
    else if (word == "description") out = TextField::Description;
    else return false;
    return true;
}

bool Refuse(std::string& reason, std::string text) {
    reason = std::move(text);
    return false;
}

}  // namespace

bool ParseCommand(std::string_view text, Command& out, std::string& reason) {
    out = Command{};
    Words words(text);
    std::string_view verb, key, word;
    if (!words.Next(verb)) return Refuse(reason, "empty command");

    auto needKey = [&] {
        if (words.Next(key)) {
            out.key = key;
            return true;
        }
        return Refuse(reason, std::string(verb) + " needs a key");
    };
    auto needNumber = [&](int minimum, int maximum, int& into, const char* what) {
        if (words.Next(word) && Number(word, minimum, maximum, into)) return true;
        return Refuse(reason, std::string(verb) + " needs " + what + " from " + std::to_string(minimum) +
                                  " to " + std::to_string(maximum));
    };
    auto noMore = [&] {
        if (!words.Next(word)) return true;
        return Refuse(reason, "unexpected \"" + std::string(word) + "\" after " + std::string(verb));
    };

    if (verb == "plug") {
        out.verb = Verb::Plug;
        if (!needKey()) return false;
        if (!words.Next(word)) return true;
        if (word != "at") return Refuse(reason, "plug takes \"at <hub> <port>\" after the key");
        if (!words.Next(key)) return Refuse(reason, "plug ... at needs a hub or adapter key");
        out.at = key;
        return needNumber(1, 255, out.port, "a port number") && noMore();
    }
    if (verb == "move") {
        out.verb = Verb::Move;
        if (!needKey()) return false;
        if (!words.Next(key)) return Refuse(reason, "move needs a hub or adapter key and a port");
        out.at = key;
        return needNumber(1, 255, out.port, "a port number") && noMore();
    }
    if (verb == "unplug") {
        out.verb = Verb::Unplug;
        return needKey() && noMore();
    }
    if (verb == "severity") {
        out.verb = Verb::Severity;
        if (!needKey() || !needNumber(0, 4, out.level, "a severity")) return false;
        out.text = words.Rest();
    } else if (verb == "text") {
        out.verb = Verb::Text;
        if (!needKey()) return false;
        if (!words.Next(word) || !ParseField(word, out.field))
            return Refuse(reason, "text needs a field: name, manufacturer or description");
        out.text = words.Rest();
    } else if (verb == "status") {
        out.verb = Verb::Status;
        return needKey() && needNumber(0, 4, out.level, "a status code") && noMore();
    } else if (verb == "activity") {
        out.verb = Verb::Activity;
        if (!needKey()) return false;
        if (!words.Next(word) || !ParsePattern(word, out.pattern))
            return Refuse(reason, "activity needs a pattern: steady, bursty or idle");
        return noMore();
    } else if (verb == "change") {
        out.verb = Verb::Change;
        return needNumber(0, 255, out.level, "a change code") && noMore();
    } else if (verb == "fail-next-restart") {
        out.verb = Verb::FailNextRestart;
        return noMore();
    } else if (verb == "low-memory") {
        out.verb = Verb::LowMemory;
        if (!words.Next(word) || (word != "on" && word != "off")) return Refuse(reason, "low-memory needs on or off");
        out.level = word == "on";
        return noMore();
    } else if (verb == "dump") {
        out.verb = Verb::Dump;
        return noMore();
    } else if (verb == "generations") {
        out.verb = Verb::Generations;
        return noMore();
    } else if (verb == "looks") {
        out.verb = Verb::Looks;
        return noMore();
    } else {
        return Refuse(reason, "unknown command \"" + std::string(verb) + "\"");
    }
    // Severity and text commands carry free text; it must fit the record's field.
    std::u16string wide;
    if (!Utf8ToUtf16(out.text, wide)) return Refuse(reason, "the text is not valid UTF-8");
    size_t limit = out.verb == Verb::Text && out.field == TextField::Name ? kNameChars : kTextChars;
    if (out.verb == Verb::Severity) limit = 255;
    if (wide.size() > limit) return Refuse(reason, "the text is longer than " + std::to_string(limit) + " characters");
    return true;
}

bool AllowedInTimeline(Verb verb) {
    return verb != Verb::FailNextRestart && verb != Verb::LowMemory && verb != Verb::Dump && verb != Verb::Generations;
}

}  // namespace linsett
