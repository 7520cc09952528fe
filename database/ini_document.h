#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sublumo::database {

struct IniReadOptions {
    // The database drops comments, lines before the first header and lines without "=" when
    // it writes; the settings file keeps them, so that a write leaves every other line alone.
    bool keepOtherLines = false;
};

// The ordered INI document behind both files: sections and lines in file order, section and
// key names matched without letter case, the first of two equal names found by every lookup.
//
// A database of many thousand records must open at once, so every name, key and value lives
// in one text buffer (the file itself, when it is UTF-8) and the lines only point into it. A
// change appends its new text; nothing already stored moves.
class IniDocument {
public:
    explicit IniDocument(IniReadOptions options = {}) : m_options(options) {}

    static IniDocument parse(std::string bytes, IniReadOptions options = {});
    // UTF-8, CR LF, one empty line after every section.
    std::string serialize() const;

    std::size_t sectionCount() const { return m_sections.size(); }
    std::string_view sectionName(std::size_t index) const { return text(m_sections[index].name); }
    std::optional<std::size_t> findSection(std::string_view name) const;
    std::vector<std::string> sectionNames() const;
    // Lines of a section, with and without a key.
    std::size_t lineCount(std::size_t index) const { return m_sections[index].lineCount; }

    // The value of the first line with that key, or nothing.
    std::optional<std::string_view> find(std::size_t section, std::string_view key) const;
    // The same for several keys in one pass over the lines: what the list filter reads of
    // every record at every keystroke.
    void findEach(std::size_t section, std::span<const std::string_view> keys,
                  std::span<std::optional<std::string_view>> values) const;
    // The empty text when the section or the key does not exist.
    std::string value(std::string_view section, std::string_view key) const;
    std::vector<std::string> keys(std::string_view section) const;
    // Creates the section at the end when missing; replaces the key's line in place, or
    // appends it to the section.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void eraseSection(std::string_view section);

    // Counts the values set; a section keeps the count of its last change, so that a reader
    // can take again only the sections changed since it last looked.
    std::uint64_t changeCount() const { return m_changeCount; }
    std::uint64_t changedAt(std::size_t index) const { return m_sections[index].changedAt; }

private:
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    struct Line {
        Span key;
        Span value;  // for a line without a key: the whole line
        bool hasKey = true;
    };
    // A section's lines lie together in m_lines; a line added to a section that is not the
    // last to grow moves the section's lines to the end first.
    struct Section {
        Span name;
        std::uint32_t firstLine = 0;
        std::uint32_t lineCount = 0;
        std::uint64_t changedAt = 0;
    };
    class Reader;

    std::string_view text(Span span) const { return {m_text.data() + span.offset, span.length}; }
    std::span<const Line> lines(const Section& section) const {
        return std::span(m_lines).subspan(section.firstLine, section.lineCount);
    }
    void addLine(Section& section, const Line& line);
    Span store(std::string_view text);
    const Line* findLine(const Section& section, std::string_view key) const;
    void rebuildIndex() const;
    void indexSection(std::uint32_t index) const;

    IniReadOptions m_options;
    std::string m_text;
    std::vector<Span> m_preamble;  // lines before the first header, where kept
    std::vector<Section> m_sections;
    std::vector<Line> m_lines;
    std::uint64_t m_changeCount = 0;
    // Open addressing over the folded names: index + 1 of the first section of a name (0 for
    // a free slot) with the upper half of the name's hash, so that a probe reads another
    // section's name only when their hashes agree.
    struct Slot {
        std::uint32_t index = 0;
        std::uint32_t hash = 0;
    };
    mutable std::vector<Slot> m_slots;
    mutable bool m_indexValid = false;
};

}  // namespace sublumo::database
