#pragma once
// Reads the fields of one JSON object with type and range checks, and refuses the fields
// it was never asked for. The first problem wins; later calls do nothing.
#include <optional>
#include <set>
#include <string>

#include "driver/Json.h"
#include "driver/Scenario.h"

namespace linsett {

class Fields {
public:
    Fields(const json::Value& object, std::string what, Problem& problem);

    bool Ok() const { return problem_.message.empty(); }
    bool Fail(int line, const std::string& message);

    // maxUnits counts UTF-16 units, as the records store them.
    void Text(const char* name, std::string& out, size_t maxUnits, bool required);
    void TextOrNull(const char* name, std::optional<std::string>& out, size_t maxUnits);
    void Integer(const char* name, int& out, int minimum, int maximum, bool required);
    void Flag(const char* name, bool& out);
    const json::Value* Array(const char* name, bool required);
    const json::Value* Object(const char* name, bool required);
    // Refuses unknown fields; call after reading all known ones.
    bool Finish();

    int LineOf(const char* name) const;

private:
    const json::Value* Take(const char* name, json::Type type, bool required, bool nullable = false);

    const json::Value& object_;
    std::string what_;
    Problem& problem_;
    std::set<std::string> known_;
};

// Parses a whole document; a syntax error becomes the problem.
bool ParseDocument(std::string_view text, json::Value& root, Problem& problem);

// Checks that value is an object and names what it is; false (with a problem) otherwise.
bool ExpectObject(const json::Value& value, const std::string& what, Problem& problem);

}  // namespace linsett
