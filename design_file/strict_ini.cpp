#include "strict_ini.h"

#include <algorithm>

#include "text_encoding.h"

namespace sublumo::design_file {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Line {
    std::string_view text;
    bool ended = false;  // a line end follows
};

// CR LF, LF and a lone CR each end one line.
Line nextLine(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
    Line line{rest.substr(0, end), end < rest.size()};
    if (end + 1 < rest.size() && rest[end] == '\r' && rest[end + 1] == '\n')
        ++end;
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return line;
}

bool isComment(std::string_view line) {
    return line.front() == ';' || line.front() == '#';
}

bool isHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

const IniEntry* IniSection::find(std::string_view key) const {
    for (const IniEntry& entry : entries)
        if (database::equalsFolded(entry.key, key))
            return &entry;
    return nullptr;
}

const IniSection* findSection(const std::vector<IniSection>& sections, std::string_view name) {
    for (const IniSection& section : sections)
        if (database::equalsFolded(section.name, name))
            return &section;
    return nullptr;
}

std::vector<IniSection> readStrictIni(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    if (database::stripLine(bytes).empty())
        throw Refusal{0, "the file is empty"};
    std::vector<IniSection> sections;
    std::size_t number = 0;
    for (std::string_view rest = bytes; !rest.empty();) {
        const Line line = nextLine(rest);
        ++number;
        const std::string_view text = database::stripLine(line.text);
        if (text.empty())
            continue;
        // Checked first: a cut can also split a character in two.
        if (!line.ended)
            throw Refusal{number, "the file ends in the middle of a line: it has been cut short"};
        if (!database::isValidUtf8(line.text))
            throw Refusal{number, "the text is not UTF-8"};
        if (isComment(text))
            continue;
        if (isHeader(text)) {
            const std::string_view name = database::stripLine(text.substr(1, text.size() - 2));
            if (name.empty())
                throw Refusal{number, "a section without a name"};
            sections.push_back({name, number, {}});
            continue;
        }
        if (sections.empty())
            throw Refusal{number, "not a design file: it does not begin with a [section]"};
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            throw Refusal{number, "not a line of an INI file: no \"=\""};
        const std::string_view key = database::stripLine(text.substr(0, equals));
        if (key.empty())
            throw Refusal{number, "a value without a name"};
        sections.back().entries.push_back(
            {key, database::stripLine(text.substr(equals + 1)), number});
    }
    return sections;
}

}  // namespace sublumo::design_file
