#include "driver/Json.h"

#include "driver/Text.h"

#include <charconv>
#include <cstdint>
#include <unordered_set>

namespace linsett::json {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    Parser(std::string_view text, Error& error) : text_(text), error_(error) {}

    bool Document(Value& out) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
        SkipSpace();
        if (pos_ >= text_.size()) return Fail("the file is empty");
        if (!ParseValue(out, 0)) return false;
        SkipSpace();
        if (pos_ < text_.size()) return Fail("unexpected text after the end of the document");
        return true;
    }

private:
    bool Fail(std::string message) {
        error_.line = line_;
        error_.message = std::move(message);
        return false;
    }

    void SkipSpace() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') ++line_;
            else if (c != ' ' && c != '\t' && c != '\r') return;
            ++pos_;
        }
    }

    bool Literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return Fail("unexpected character");
        pos_ += word.size();
        return true;
    }

    bool ParseValue(Value& out, int depth) {
        if (depth > kMaxDepth) return Fail("nesting is too deep");
        out.line = line_;
        if (pos_ >= text_.size()) return Fail("unexpected end of file");
        switch (text_[pos_]) {
        case '{': return ParseObject(out, depth);
        case '[': return ParseArray(out, depth);
        case '"': out.type = Type::String; return ParseString(out.text);
        case 't': out.type = Type::Bool; out.boolean = true; return Literal("true");
        case 'f': out.type = Type::Bool; out.boolean = false; return Literal("false");
        case 'n': out.type = Type::Null; return Literal("null");
        default: return ParseNumber(out);
        }
    }

    bool ParseNumber(Value& out) {
        // Strict JSON grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
        size_t start = pos_;
        auto digits = [&] {
            size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
            return pos_ > from;
        };
        if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '0') ++pos_;
        else if (!digits()) return Fail("unexpected character");
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits()) return Fail("malformed number");
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            if (!digits()) return Fail("malformed number");
        }
        out.type = Type::Number;
        auto result = std::from_chars(text_.data() + start, text_.data() + pos_, out.number);
        if (result.ec != std::errc()) return Fail("number out of range");
        return true;
    }

    bool Hex4(uint32_t& code) {
        if (pos_ + 4 > text_.size()) return Fail("unterminated escape in string");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            char c = text_[pos_++];
            code <<= 4;
            if (c >= '0' && c <= '9') code |= c - '0';
            else if (c >= 'a' && c <= 'f') code |= c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') code |= c - 'A' + 10;
            else return Fail("bad \\u escape in string");
        }
        return true;
    }

    bool Escape(std::string& out) {
        if (pos_ >= text_.size()) return Fail("unterminated string");
        char c = text_[pos_++];
        switch (c) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': break;
        default: return Fail("bad escape in string");
        }
        uint32_t code = 0;
        if (!Hex4(code)) return false;
        if (code >= 0xDC00 && code <= 0xDFFF) return Fail("unpaired surrogate in string");
        if (code >= 0xD800 && code <= 0xDBFF) {
            uint32_t low = 0;
            if (text_.substr(pos_, 2) != "\\u") return Fail("unpaired surrogate in string");
            pos_ += 2;
            if (!Hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return Fail("unpaired surrogate in string");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    bool ParseString(std::string& out) {
        ++pos_;  // opening quote
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c == '"') return true;
            if (c == '\\') {
                if (!Escape(out)) return false;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                if (c == '\n') ++line_;
                return Fail("unterminated string");
            } else {
                out += c;
            }
        }
        return Fail("unterminated string");
    }

    bool ParseArray(Value& out, int depth) {
        out.type = Type::Array;
        ++pos_;
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == ']') { ++pos_; return true; }
        for (;;) {
            SkipSpace();
            out.items.emplace_back();
            if (!ParseValue(out.items.back(), depth + 1)) return false;
            SkipSpace();
            if (pos_ >= text_.size()) return Fail("unexpected end of file in array");
            char c = text_[pos_++];
            if (c == ']') return true;
            if (c != ',') return Fail("expected ',' or ']' in array");
        }
    }

    bool ParseObject(Value& out, int depth) {
        out.type = Type::Object;
        ++pos_;
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '}') { ++pos_; return true; }
        std::unordered_set<std::string> keys;  // a state file holds thousands of records
        for (;;) {
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"') return Fail("expected a quoted field name");
            std::string key;
            if (!ParseString(key)) return false;
            if (!keys.insert(key).second) return Fail("duplicate field \"" + key + "\"");
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != ':') return Fail("expected ':' after field name");
            ++pos_;
            SkipSpace();
            out.members.emplace_back(std::move(key), Value{});
            if (!ParseValue(out.members.back().second, depth + 1)) return false;
            SkipSpace();
            if (pos_ >= text_.size()) return Fail("unexpected end of file in object");
            char c = text_[pos_++];
            if (c == '}') return true;
            if (c != ',') return Fail("expected ',' or '}' in object");
        }
    }

    std::string_view text_;
    Error& error_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

const Value* Value::Find(std::string_view key) const {
    for (const auto& [name, value] : members)
        if (name == key) return &value;
    return nullptr;
}

bool Parse(std::string_view text, Value& out, Error& error) {
    out = Value{};
    return Parser(text, error).Document(out);
}

const char* TypeName(Type type) {
    switch (type) {
    case Type::Null: return "null";
    case Type::Bool: return "a boolean";
    case Type::Number: return "a number";
    case Type::String: return "a string";
    case Type::Array: return "an array";
    case Type::Object: return "an object";
    }
    return "?";
}

}  // namespace linsett::json
