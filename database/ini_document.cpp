#include "ini_document.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "text_encoding.h"

namespace sublumo::database {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool isHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool isBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The high bit of each byte of `word` that equals `c`. Bytes after the first such byte may be
// marked wrongly; the lowest mark is always right, and only the lowest is used.
std::uint64_t bytesEqualTo(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    return (x - kEveryByte) & ~x & kHighBits;
}

// The first line end at or after `at`, noting the first "=" before it in `equals`. Eight bytes
// are looked at a time: most lines of a database are a short key, "=" and a number.
const char* lineEndFrom(const char* at, const char* end, const char*& equals) {
    while (at + 8 <= end) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, 8);
        const std::uint64_t ends = bytesEqualTo(word, '\n') | bytesEqualTo(word, '\r');
        const std::uint64_t marks = equals ? ends : ends | bytesEqualTo(word, '=');
        if (marks == 0) {
            at += 8;
            continue;
        }
        const char* first = at + std::countr_zero(marks) / 8;
        if (*first != '=')
            return first;
        equals = first;
        at = first + 1;
    }
    for (; at < end && *at != '\n' && *at != '\r'; ++at)
        if (*at == '=' && equals == nullptr)
            equals = at;
    return at;
}

// Every line that is not blank, stripped as stripLine does, with the place of its first "="
// (npos when it has none). Lines end at CR LF, LF or a lone CR; the blank bytes before a line
// and the empty lines between are skipped in one go.
template <typename Visit>
void forEachLine(std::string_view bytes, Visit visit) {
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    for (;;) {
        while (at < end && isBlankByte(*at)) ++at;
        if (at == end)
            return;
        const char* equals = nullptr;
        const char* const lineEnd = lineEndFrom(at, end, equals);
        const char* last = lineEnd;
        while (isBlankByte(last[-1])) --last;  // stops at `at`, which is not blank
        visit(std::string_view(at, static_cast<std::size_t>(last - at)),
              equals != nullptr && equals < last ? static_cast<std::size_t>(equals - at)
                                                 : std::string_view::npos);
        at = lineEnd;
    }
}

std::size_t findEquals(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '=')
            return i;
    return std::string_view::npos;
}

// Two texts of the same length, compared as written first: keys are short and nearly always
// asked for as they are written, so this settles them without a call.
bool sameFolded(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return equalsFolded(a, b);
    return true;
}

}  // namespace

// Turns each line of the file into spans of the document's text. Lines that are not UTF-8
// are decoded into a text of their own, appended to the document's text at the end.
class IniDocument::Reader {
public:
    Reader(IniDocument& document, bool utf8) : m_document(document), m_utf8(utf8) {}

    // `line` is stripped and not empty; `equals` is the place of its first "=".
    void line(std::string_view line, std::size_t equals) {
        // A byte-order mark means nothing at the start of a line; left there, it would open
        // the written file and read as a mark of the file the next time.
        if (line.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            while (line.substr(0, kByteOrderMark.size()) == kByteOrderMark)
                line = stripLine(line.substr(kByteOrderMark.size()));
            if (line.empty())
                return;
            equals = findEquals(line);
        }
        if (m_utf8 || isValidUtf8(line)) {
            take(line, static_cast<std::uint32_t>(line.data() - m_document.m_text.data()), equals);
        } else {
            const std::uint32_t at = base() + static_cast<std::uint32_t>(m_decoded.size());
            m_decoded += windows1252ToUtf8(line);
            const std::string_view decoded = std::string_view(m_decoded).substr(at - base());
            take(decoded, at, findEquals(decoded));
        }
    }

    void finish() { m_document.m_text += m_decoded; }

private:
    std::uint32_t base() const { return static_cast<std::uint32_t>(m_document.m_text.size()); }

    // `line` starts at `offset` of the document's text, once the decoded lines are appended.
    void take(std::string_view line, std::uint32_t offset, std::size_t equals) {
        const auto span = [&](std::string_view part) {
            return Span{offset + static_cast<std::uint32_t>(part.data() - line.data()),
                        static_cast<std::uint32_t>(part.size())};
        };
        auto& sections = m_document.m_sections;
        if (line.front() == ';') {
            keep(span(line));
        } else if (isHeader(line)) {
            sections.push_back({span(stripLine(line.substr(1, line.size() - 2))),
                                static_cast<std::uint32_t>(m_document.m_lines.size()), 0, 0});
        } else if (sections.empty()) {
            keep(span(line));
        } else if (equals != std::string_view::npos) {
            // The line is stripped: only the key's end and the value's start can be blank.
            std::string_view key = line.substr(0, equals);
            while (!key.empty() && isBlankByte(key.back())) key.remove_suffix(1);
            std::string_view value = line.substr(equals + 1);
            while (!value.empty() && isBlankByte(value.front())) value.remove_prefix(1);
            addLine({span(key), span(value), true});
        } else {
            addLine({{}, span(line), false});
        }
    }

    void addLine(const Line& line) {
        m_document.m_lines.push_back(line);
        ++m_document.m_sections.back().lineCount;
    }

    // Comments and lines before the first header survive only where other lines are kept.
    void keep(Span line) {
        if (!m_document.m_options.keepOtherLines)
            return;
        if (m_document.m_sections.empty())
            m_document.m_preamble.push_back(line);
        else
            addLine({{}, line, false});
    }

    IniDocument& m_document;
    bool m_utf8;
    std::string m_decoded;
};

IniDocument IniDocument::parse(std::string bytes, IniReadOptions options) {
    IniDocument document(options);
    document.m_text = std::move(bytes);
    std::string_view view = document.m_text;
    if (view.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        view.remove_prefix(kByteOrderMark.size());
    // Room for a database of short records at once: growing would copy every line again.
    document.m_sections.reserve(view.size() / 128);
    document.m_lines.reserve(view.size() / 12);
    // A file that is valid UTF-8 as a whole needs no check line by line.
    Reader reader(document, isValidUtf8(view));
    forEachLine(view,
                [&](std::string_view line, std::size_t equals) { reader.line(line, equals); });
    reader.finish();
    return document;
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (Span line : m_preamble) size += line.length + 2;
    for (const Section& section : m_sections) {
        size += section.name.length + 6;
        for (const Line& line : lines(section)) size += line.key.length + line.value.length + 3;
    }
    std::string out;
    out.reserve(size);
    for (Span line : m_preamble) (out += text(line)) += kLineEnd;
    for (const Section& section : m_sections) {
        ((out += '[') += text(section.name)) += ']';
        out += kLineEnd;
        for (const Line& line : lines(section)) {
            if (line.hasKey)
                ((out += text(line.key)) += '=') += text(line.value);
            else if (m_options.keepOtherLines)
                out += text(line.value);
            else
                continue;
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

IniDocument::Span IniDocument::store(std::string_view value) {
    const Span span{static_cast<std::uint32_t>(m_text.size()),
                    static_cast<std::uint32_t>(value.size())};
    m_text += value;
    return span;
}

void IniDocument::addLine(Section& section, const Line& line) {
    if (section.firstLine + section.lineCount != m_lines.size()) {
        // Another section grew since: this one's lines move to the end, where it can grow.
        const std::size_t needed = m_lines.size() + section.lineCount + 1;
        if (m_lines.capacity() < needed)
            m_lines.reserve(std::max(needed, 2 * m_lines.capacity()));
        const std::uint32_t first = section.firstLine;
        section.firstLine = static_cast<std::uint32_t>(m_lines.size());
        for (std::uint32_t i = 0; i < section.lineCount; ++i) m_lines.push_back(m_lines[first + i]);
    }
    m_lines.push_back(line);
    ++section.lineCount;
}

void IniDocument::indexSection(std::uint32_t index) const {
    const std::string_view name = sectionName(index);
    const std::uint64_t hash = foldedHash(name);
    const auto upper = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        if (m_slots[slot].index == 0) {
            m_slots[slot] = {index + 1, upper};
            return;
        }
        if (m_slots[slot].hash == upper && equalsFolded(sectionName(m_slots[slot].index - 1), name))
            return;  // the first one stays
    }
}

void IniDocument::rebuildIndex() const {
    std::size_t size = 16;
    while (size < 2 * m_sections.size()) size *= 2;
    m_slots.assign(size, Slot{});
    for (std::size_t i = 0; i < m_sections.size(); ++i) indexSection(static_cast<std::uint32_t>(i));
    m_indexValid = true;
}

std::optional<std::size_t> IniDocument::findSection(std::string_view name) const {
    if (!m_indexValid)
        rebuildIndex();
    const std::uint64_t hash = foldedHash(name);
    const auto upper = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask; m_slots[slot].index != 0; slot = (slot + 1) & mask)
        if (m_slots[slot].hash == upper && equalsFolded(sectionName(m_slots[slot].index - 1), name))
            return m_slots[slot].index - 1;
    return std::nullopt;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections) names.emplace_back(text(section.name));
    return names;
}

const IniDocument::Line* IniDocument::findLine(const Section& section, std::string_view key) const {
    // Most lines differ from the key in length already; the filter asks this very often.
    for (const Line& line : lines(section))
        if (line.hasKey && line.key.length == key.size() && sameFolded(text(line.key), key))
            return &line;
    return nullptr;
}

std::optional<std::string_view> IniDocument::find(std::size_t section, std::string_view key) const {
    const Line* line = findLine(m_sections[section], key);
    if (!line)
        return std::nullopt;
    return text(line->value);
}

void IniDocument::findEach(std::size_t section, std::span<const std::string_view> keys,
                           std::span<std::optional<std::string_view>> values) const {
    std::size_t missing = keys.size();
    for (auto& value : values) value.reset();
    const auto matches = [&](const Line& line, std::size_t k) {
        return !values[k] && line.key.length == keys[k].size() &&
               sameFolded(text(line.key), keys[k]);
    };
    // Records are written in the order of the keys asked for, so the key after the last one
    // found is tried first; any other order is still found by the full search.
    std::size_t next = 0;
    for (const Line& line : lines(m_sections[section])) {
        if (!line.hasKey)
            continue;
        std::size_t k = next < keys.size() && matches(line, next) ? next : keys.size();
        for (std::size_t other = 0; k == keys.size() && other < keys.size(); ++other)
            if (matches(line, other))
                k = other;
        if (k == keys.size())
            continue;
        values[k] = text(line.value);
        if (--missing == 0)
            return;
        next = k + 1;
    }
}

std::string IniDocument::value(std::string_view section, std::string_view key) const {
    const auto index = findSection(section);
    if (!index)
        return {};
    return std::string(find(*index, key).value_or(std::string_view()));
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> names;
    if (const auto index = findSection(section))
        for (const Line& line : lines(m_sections[*index]))
            if (line.hasKey)
                names.emplace_back(text(line.key));
    return names;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    // Held as the next read will give them back, so that memory and file never disagree (a
    // line break would also split the line and could forge a header). Copies first: the texts
    // may point into this document's own text, which grows below.
    const std::string name = asReadBack(section);
    const std::string keyText = asReadBack(key);
    const std::string valueText = asReadBack(value);
    auto index = findSection(name);
    if (!index) {
        index = m_sections.size();
        m_sections.push_back({store(name), static_cast<std::uint32_t>(m_lines.size()), 0, 0});
        if (2 * m_sections.size() > m_slots.size())
            m_indexValid = false;
        else
            indexSection(static_cast<std::uint32_t>(*index));
    }
    Section& target = m_sections[*index];
    target.changedAt = ++m_changeCount;
    const Span stored = store(valueText);
    if (auto* line = const_cast<Line*>(findLine(target, keyText)))
        line->value = stored;
    else
        addLine(target, {store(keyText), stored, true});
}

void IniDocument::eraseSection(std::string_view section) {
    const auto index = findSection(section);
    if (!index)
        return;
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(*index));
    m_indexValid = false;
}

}  // namespace sublumo::database
