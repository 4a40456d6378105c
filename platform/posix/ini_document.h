#pragma once
// In-memory form of a private-profile (INI) file, parsed and written the way
// the Windows profile functions treat such files:
// - lines end at any run of CR and LF characters; blank lines are dropped;
// - "[name]" (up to the last ']' of the line) starts a section; lines before
//   the first one belong to a nameless section;
// - "key=value" splits at the first '='; a line without '=' (a comment, say)
//   is kept as a key without value and reads as missing;
// - names and values are trimmed of blanks and end at a NUL byte;
// - section and key names match without regard to ASCII case, and only the
//   first section of a name and the first key of a name in it count.
// Written back, every line ends with CRLF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ini {

class Document {
public:
    static Document Parse(std::string_view text);
    std::string Serialize() const;

    // The value of the key, or null when the section or key is missing or the
    // key's line has no '='.
    const std::string* Find(std::string_view section, std::string_view key) const;

    // Each returns true when the document changed (so that an unchanged file
    // need not be rewritten).
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool EraseKey(std::string_view section, std::string_view key);
    // Removes every section of that name with its keys.
    bool EraseSection(std::string_view section);

private:
    struct Entry {
        std::string name;
        std::optional<std::string> value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    // First section of that name in sections (const or not), or null.
    template <typename Sections>
    static auto* FindIn(Sections& sections, std::string_view name);

    bool utf8Mark_ = false;
    std::vector<Section> sections_{Section{}};  // [0] is the nameless section
};

}  // namespace platform::ini
