#pragma once
// A small JSON reader that remembers the line of every value, so that a scenario or state
// file error can name the line. Pure: no platform headers.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace linsett::json {

enum class Type { Null, Bool, Number, String, Array, Object };

struct Value {
    Type type = Type::Null;
    int line = 0;
    bool boolean = false;
    double number = 0;
    std::string text;  // UTF-8
    std::vector<Value> items;
    std::vector<std::pair<std::string, Value>> members;  // in file order, keys unique

    const Value* Find(std::string_view key) const;
};

struct Error {
    int line = 0;
    std::string message;
};

// Rejects duplicate keys, trailing content and nesting deeper than 64 levels.
bool Parse(std::string_view text, Value& out, Error& error);

const char* TypeName(Type type);

}  // namespace linsett::json
