#pragma once
// Keys and texts cut to what the records hold: keys are one word of at most 32 characters,
// texts are counted in UTF-16 units, as the records store them.
#include <cstddef>
#include <set>
#include <string>
#include <string_view>

namespace linsett::usb {

// UTF-8 of the first maxUnits UTF-16 units of text, never splitting a surrogate pair; with
// ellipsis, a cut text ends in "…" so the user sees that it goes on.
std::string Clip(std::u16string_view text, size_t maxUnits, bool ellipsis = false);
std::string Clip(std::string_view utf8, size_t maxUnits);

// Leading and trailing blanks and zero characters removed: devices pad their strings.
std::u16string Trimmed(std::u16string_view text);

// One word made from text: letters, digits, '_' and '.' kept, every other run becomes one
// '-'. A word longer than a key may be keeps its start and ends in a hash of the whole.
std::string KeyWord(std::string_view text);

// Hands out keys unique within one scenario, in the order asked: the first asker of a word
// gets it, later ones "word-2", "word-3"...
class KeyBook {
public:
    std::string Take(std::string_view text);
    bool Taken(const std::string& key) const { return taken_.count(key) != 0; }

private:
    std::set<std::string> taken_;
};

}  // namespace linsett::usb
