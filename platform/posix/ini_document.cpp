#include "platform/posix/ini_document.h"

#include <algorithm>

namespace platform::ini {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// Ctrl-Z counts as a blank: old editors ended text files with it.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view Trim(std::string_view s)
{
    return TrimRight(TrimLeft(s));
}

std::string_view CutAtNul(std::string_view s)
{
    return s.substr(0, s.find('\0'));
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

Document Document::Parse(std::string_view text)
{
    Document doc;
    if (text.starts_with(Utf8Mark)) {
        doc.utf8Mark_ = true;
        text.remove_prefix(Utf8Mark.size());
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = std::min(text.find_first_not_of("\r\n", end), text.size());
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                doc.sections_.push_back(Section{std::string(Trim(CutAtNul(line.substr(1, close - 1)))), {}});
                continue;
            }
        }
        Entry entry;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            entry.name = Trim(CutAtNul(line));
        } else {
            entry.name = Trim(CutAtNul(line.substr(0, eq)));
            entry.value = std::string(Trim(CutAtNul(line.substr(eq + 1))));
        }
        doc.sections_.back().entries.push_back(std::move(entry));
    }
    return doc;
}

std::string Document::Serialize() const
{
    std::string out;
    if (utf8Mark_) {
        out += Utf8Mark;
    }
    for (const Section& section : sections_) {
        if (!section.name.empty()) {
            out += '[';
            out += section.name;
            out += "]\r\n";
        }
        for (const Entry& entry : section.entries) {
            out += entry.name;
            if (entry.value) {
                out += '=';
                out += *entry.value;
            }
            out += "\r\n";
        }
    }
    return out;
}

template <typename Sections>
auto* Document::FindIn(Sections& sections, std::string_view name)
{
    name = Trim(name);
    const auto it = std::ranges::find_if(sections, [&](const Section& s) { return SameName(s.name, name); });
    return it == sections.end() ? nullptr : &*it;
}

const std::string* Document::Find(std::string_view section, std::string_view key) const
{
    const Section* s = FindIn(sections_, section);
    if (s == nullptr) {
        return nullptr;
    }
    key = Trim(key);
    const auto it = std::ranges::find_if(s->entries, [&](const Entry& e) { return SameName(e.name, key); });
    return (it == s->entries.end() || !it->value) ? nullptr : &*it->value;
}

bool Document::Set(std::string_view section, std::string_view key, std::string_view value)
{
    Section* s = FindIn(sections_, section);
    if (s == nullptr) {
        s = &sections_.emplace_back(Section{std::string(Trim(section)), {}});
    }
    key = Trim(key);
    value = TrimLeft(value);
    const auto it = std::ranges::find_if(s->entries, [&](const Entry& e) { return SameName(e.name, key); });
    if (it == s->entries.end()) {
        s->entries.push_back(Entry{std::string(key), std::string(value)});
        return true;
    }
    if (it->value && *it->value == value) {
        return false;
    }
    it->value = std::string(value);
    return true;
}

bool Document::EraseKey(std::string_view section, std::string_view key)
{
    Section* s = FindIn(sections_, section);
    if (s == nullptr) {
        return false;
    }
    key = Trim(key);
    const auto it = std::ranges::find_if(s->entries, [&](const Entry& e) { return SameName(e.name, key); });
    if (it == s->entries.end()) {
        return false;
    }
    s->entries.erase(it);
    return true;
}

bool Document::EraseSection(std::string_view section)
{
    section = Trim(section);
    bool changed = false;
    // The nameless section stays as the holder of lines before the first
    // header; only its keys go.
    if (section.empty() && !sections_.front().entries.empty()) {
        sections_.front().entries.clear();
        changed = true;
    }
    const auto removed = std::remove_if(sections_.begin() + 1, sections_.end(),
                                        [&](const Section& s) { return SameName(s.name, section); });
    changed = changed || removed != sections_.end();
    sections_.erase(removed, sections_.end());
    return changed;
}

}  // namespace platform::ini
