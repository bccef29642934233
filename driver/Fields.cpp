#include "driver/Fields.h"

#include <cmath>

#include "driver/Text.h"

namespace linsett {

Fields::Fields(const json::Value& object, std::string what, Problem& problem)
    : object_(object), what_(std::move(what)), problem_(problem) {}

bool Fields::Fail(int line, const std::string& message) {
    if (Ok()) problem_ = Problem{line, message};
    return false;
}

int Fields::LineOf(const char* name) const {
    const json::Value* value = object_.Find(name);
    return value ? value->line : object_.line;
}

const json::Value* Fields::Take(const char* name, json::Type type, bool required, bool nullable) {
    known_.insert(name);
    if (!Ok()) return nullptr;
    const json::Value* value = object_.Find(name);
    if (!value) {
        if (required) Fail(object_.line, what_ + " lacks the field \"" + name + "\"");
        return nullptr;
    }
    if (value->type == type || (nullable && value->type == json::Type::Null)) return value;
    Fail(value->line, what_ + ": \"" + name + "\" must be " + json::TypeName(type) + ", not " +
                          json::TypeName(value->type));
    return nullptr;
}

void Fields::Text(const char* name, std::string& out, size_t maxUnits, bool required) {
    const json::Value* value = Take(name, json::Type::String, required);
    if (!value) return;
    std::u16string wide;
    if (!Utf8ToUtf16(value->text, wide)) {
        Fail(value->line, what_ + ": \"" + name + "\" is not valid UTF-8");
    } else if (wide.size() > maxUnits) {
        Fail(value->line, what_ + ": \"" + name + "\" is " + std::to_string(wide.size()) +
                              " characters long; at most " + std::to_string(maxUnits) + " fit");
    } else {
        out = value->text;
    }
}

void Fields::TextOrNull(const char* name, std::optional<std::string>& out, size_t maxUnits) {
    const json::Value* value = Take(name, json::Type::String, false, true);
    if (!value) return;
    if (value->type == json::Type::Null) {
        out.reset();
        return;
    }
    std::string text;
    known_.erase(name);  // Text() records it again
    Text(name, text, maxUnits, true);
    if (Ok()) out = text;
}

void Fields::Integer(const char* name, int& out, int minimum, int maximum, bool required) {
    const json::Value* value = Take(name, json::Type::Number, required);
    if (!value) return;
    double number = value->number;
    if (number != std::floor(number)) {
        Fail(value->line, what_ + ": \"" + name + "\" must be a whole number");
    } else if (number < minimum || number > maximum) {
        Fail(value->line, what_ + ": \"" + name + "\" is " + std::to_string(static_cast<long long>(number)) +
                              ", outside " + std::to_string(minimum) + ".." + std::to_string(maximum));
    } else {
        out = static_cast<int>(number);
    }
}

void Fields::Flag(const char* name, bool& out) {
    if (const json::Value* value = Take(name, json::Type::Bool, false)) out = value->boolean;
}

const json::Value* Fields::Array(const char* name, bool required) {
    return Take(name, json::Type::Array, required);
}

const json::Value* Fields::Object(const char* name, bool required) {
    return Take(name, json::Type::Object, required);
}

bool Fields::Finish() {
    if (!Ok()) return false;
    for (const auto& [name, value] : object_.members)
        if (!known_.count(name)) return Fail(value.line, what_ + " has an unknown field \"" + name + "\"");
    return true;
}

bool ParseDocument(std::string_view text, json::Value& root, Problem& problem) {
    problem = Problem{};
    json::Error error;
    if (json::Parse(text, root, error)) return true;
    problem = Problem{error.line, error.message};
    return false;
}

bool ExpectObject(const json::Value& value, const std::string& what, Problem& problem) {
    if (value.type == json::Type::Object) return true;
    problem = Problem{value.line, what + " must be an object, not " + json::TypeName(value.type)};
    return false;
}

}  // namespace linsett
