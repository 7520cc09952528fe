#include "ini_document.h"

#include "text_encoding.h"

namespace sublumo {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool isHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Splits at CR LF, LF or a lone CR; the empty pieces between are skipped later anyway.
template <typename Visit>
void forEachLine(std::string_view bytes, Visit visit) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        visit(bytes.substr(start, end - start));
        start = end + 1;
    }
}

// A line break inside a name or value would split the line on the next read and could forge
// a header: a single-line field never holds one, so it becomes a blank.
std::string singleLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

class Reader {
public:
    Reader(IniReadOptions options, bool utf8) : m_options(options), m_utf8(utf8) {}

    void line(std::string_view raw) {
        const std::string_view line = stripLine(raw);
        if (line.empty())
            return;
        if (!m_utf8 && !isValidUtf8(line)) {
            const std::string decoded = windows1252ToUtf8(line);
            take(decoded);
        } else {
            take(line);
        }
    }

    std::vector<std::string> preamble;
    std::vector<IniSection> sections;

private:
    void take(std::string_view line) {
        if (line.front() == ';') {
            keep(line);
        } else if (isHeader(line)) {
            sections.push_back({std::string(stripLine(line.substr(1, line.size() - 2))), {}});
            sections.back().entries.reserve(11);
        } else if (sections.empty()) {
            keep(line);
        } else if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
            sections.back().entries.push_back({std::string(stripLine(line.substr(0, eq))),
                                               std::string(stripLine(line.substr(eq + 1))), true});
        } else {
            sections.back().entries.push_back({{}, std::string(line), false});
        }
    }

    // Comments and lines before the first header survive only where other lines are kept.
    void keep(std::string_view line) {
        if (!m_options.keepOtherLines)
            return;
        if (sections.empty())
            preamble.emplace_back(line);
        else
            sections.back().entries.push_back({{}, std::string(line), false});
    }

    IniReadOptions m_options;
    bool m_utf8;
};

}  // namespace

const IniEntry* findEntry(const IniSection& section, std::string_view key) {
    for (const IniEntry& entry : section.entries)
        if (entry.hasKey && equalsFolded(entry.key, key))
            return &entry;
    return nullptr;
}

IniDocument IniDocument::parse(std::string_view bytes, IniReadOptions options) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    IniDocument document(options);
    // A file that is valid UTF-8 as a whole needs no check line by line.
    Reader reader(options, isValidUtf8(bytes));
    forEachLine(bytes, [&](std::string_view raw) { reader.line(raw); });
    document.m_preamble = std::move(reader.preamble);
    document.m_sections = std::move(reader.sections);
    document.m_indexValid = false;
    return document;
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (const std::string& line : m_preamble) size += line.size() + 2;
    for (const IniSection& section : m_sections) {
        size += section.name.size() + 6;
        for (const IniEntry& entry : section.entries)
            size += entry.key.size() + entry.value.size() + 3;
    }
    std::string out;
    out.reserve(size);
    for (const std::string& line : m_preamble) (out += line) += kLineEnd;
    for (const IniSection& section : m_sections) {
        ((out += '[') += section.name) += ']';
        out += kLineEnd;
        for (const IniEntry& entry : section.entries) {
            if (entry.hasKey)
                ((out += entry.key) += '=') += entry.value;
            else if (m_options.keepOtherLines)
                out += entry.value;
            else
                continue;
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

void IniDocument::rebuildIndex() const {
    m_index.clear();
    m_index.reserve(m_sections.size());
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_index.emplace(foldCase(m_sections[i].name), i);
    m_indexValid = true;
}

std::optional<std::size_t> IniDocument::findSection(std::string_view name) const {
    if (!m_indexValid)
        rebuildIndex();
    const auto found = m_index.find(foldCase(name));
    if (found == m_index.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    names.reserve(m_sections.size());
    for (const IniSection& section : m_sections) names.push_back(section.name);
    return names;
}

std::string IniDocument::value(std::string_view section, std::string_view key) const {
    const auto index = findSection(section);
    if (!index)
        return {};
    const IniEntry* entry = findEntry(m_sections[*index], key);
    return entry ? entry->value : std::string();
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> names;
    if (const auto index = findSection(section))
        for (const IniEntry& entry : m_sections[*index].entries)
            if (entry.hasKey)
                names.push_back(entry.key);
    return names;
}

IniSection& IniDocument::appendSection(std::string name) {
    if (m_indexValid)
        m_index.emplace(foldCase(name), m_sections.size());
    m_sections.push_back({std::move(name), {}});
    return m_sections.back();
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string name = singleLine(section);
    const auto index = findSection(name);
    IniSection& target = index ? m_sections[*index] : appendSection(std::move(name));
    if (auto* entry = const_cast<IniEntry*>(findEntry(target, key)))
        entry->value = singleLine(value);
    else
        target.entries.push_back({singleLine(key), singleLine(value), true});
}

void IniDocument::eraseSection(std::string_view section) {
    const auto index = findSection(section);
    if (!index)
        return;
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(*index));
    m_indexValid = false;
}

}  // namespace sublumo
