#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sublumo {

// One line of a section: a key line, or a line kept without a key (a line without "=", or a
// comment line where comments are kept).
struct IniEntry {
    std::string key;
    std::string value;  // for a line without a key: the whole line
    bool hasKey = true;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
};

struct IniReadOptions {
    // The database drops comments, lines before the first header and lines without "=" when
    // it writes; the settings file keeps them, so that a write leaves every other line alone.
    bool keepOtherLines = false;
};

// The ordered INI document behind both files: sections and lines in file order, section and
// key names matched without letter case, the first of two equal names found by every lookup.
class IniDocument {
public:
    explicit IniDocument(IniReadOptions options = {}) : m_options(options) {}

    static IniDocument parse(std::string_view bytes, IniReadOptions options = {});
    // UTF-8, CR LF, one empty line after every section.
    std::string serialize() const;

    std::size_t sectionCount() const { return m_sections.size(); }
    const IniSection& section(std::size_t index) const { return m_sections[index]; }
    std::optional<std::size_t> findSection(std::string_view name) const;
    std::vector<std::string> sectionNames() const;

    // The empty text when the section or the key does not exist.
    std::string value(std::string_view section, std::string_view key) const;
    std::vector<std::string> keys(std::string_view section) const;
    // Creates the section at the end when missing; replaces the key's line in place, or
    // appends it to the section.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void eraseSection(std::string_view section);

private:
    IniSection& appendSection(std::string name);
    void rebuildIndex() const;

    IniReadOptions m_options;
    std::vector<std::string> m_preamble;  // lines before the first header, where kept
    std::vector<IniSection> m_sections;
    mutable std::unordered_map<std::string, std::size_t> m_index;  // folded name -> first
    mutable bool m_indexValid = true;
};

// The first entry with that key (letter case ignored), or nullptr.
const IniEntry* findEntry(const IniSection& section, std::string_view key);

}  // namespace sublumo
