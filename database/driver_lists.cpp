#include "driver_lists.h"

#include <algorithm>
#include <numeric>
#include <variant>

#include "driver_database.h"
#include "record_values.h"
#include "stored_number.h"
#include "text_encoding.h"

namespace sublumo::database {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `needle` is already lower case.
bool containsLowered(std::string_view name, std::string_view needle) {
    return std::search(name.begin(), name.end(), needle.begin(), needle.end(),
                       [](char n, char s) { return lower(n) == s; }) != name.end();
}

struct Bounds {
    double low = 0.0;
    double high = 0.0;
    bool tolerant = false;

    bool admits(double v) const { return (tolerant ? low - 0.001 : low) <= v && v <= high; }
};

// The checked criteria's bounds as numbers, or the text of the bound that is not one.
std::variant<std::array<Bounds, kCriterionCount>, std::string> parseBounds(
    const DriverFilter& filter, NumberFormat format) {
    std::array<Bounds, kCriterionCount> bounds{};
    for (const CriterionInfo& info : criteria()) {
        const RangeCriterion& criterion = filter[info.id];
        if (!criterion.enabled)
            continue;
        const auto low = readStoredNumber(criterion.minimum, format);
        const auto high = readStoredNumber(criterion.maximum, format);
        if (!low || !high)
            return "The filter bound \"" + (low ? criterion.maximum : criterion.minimum) +
                   "\" of " + std::string(info.caption) + " is not a number.";
        bounds[indexOf(info.id)] = {*low, *high, info.tolerant};
    }
    return bounds;
}

// Record indices in alphabetical order of their names, letter case ignored; names equal but
// for their case in byte order. With 100 000 names this is a good part of the start-up, so the
// folded names lie side by side in one text and are compared eight bytes at a time as numbers:
// all by their first eight, then each run that agrees in those by the next eight, and so on.
// Names that share a long beginning (one maker's models) cost no string comparison.
class AlphabeticalOrder {
public:
    explicit AlphabeticalOrder(const std::vector<std::string>& names) : m_names(names) {
        m_starts.reserve(names.size() + 1);
        for (const std::string& name : names) {
            m_starts.push_back(static_cast<std::uint32_t>(m_folded.size()));
            m_folded += foldCase(name);
        }
        m_starts.push_back(static_cast<std::uint32_t>(m_folded.size()));
    }

    std::vector<std::uint32_t> indices() {
        std::vector<Key> keys(m_names.size());
        for (std::uint32_t i = 0; i < keys.size(); ++i) keys[i].index = i;
        sortFrom(keys.begin(), keys.end(), 0);
        std::vector<std::uint32_t> order;
        order.reserve(keys.size());
        for (const Key& key : keys) order.push_back(key.index);
        return order;
    }

private:
    struct Key {
        std::uint64_t bytes = 0;  // eight bytes of the folded name, in their order
        std::uint32_t index = 0;
    };
    using Iterator = std::vector<Key>::iterator;

    std::string_view folded(std::uint32_t index) const {
        return std::string_view(m_folded).substr(m_starts[index],
                                                 m_starts[index + 1] - m_starts[index]);
    }

    // The eight bytes from `depth` on as a number, zeros past the end.
    std::uint64_t bytesAt(std::uint32_t index, std::size_t depth) const {
        const std::string_view name = folded(index);
        std::uint64_t bytes = 0;
        for (std::size_t i = depth; i < depth + 8; ++i)
            bytes = bytes << 8 | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0U);
        return bytes;
    }

    // The keys in [first, last) agree in their folded names' first `depth` bytes.
    void sortFrom(Iterator first, Iterator last, std::size_t depth) {
        for (Iterator key = first; key != last; ++key) key->bytes = bytesAt(key->index, depth);
        std::sort(first, last, [](const Key& a, const Key& b) { return a.bytes < b.bytes; });
        for (Iterator run = first; run != last;) {
            const std::uint64_t bytes = run->bytes;
            const Iterator end =
                std::find_if(run, last, [bytes](const Key& key) { return key.bytes != bytes; });
            if (end - run > 1 && folded(run->index).size() > depth + 8)
                sortFrom(run, end, depth + 8);
            else if (end - run > 1)
                sortEqualFolded(run, end);
            run = end;
        }
    }

    // Names that agree throughout when folded (a name's end is zeros, which no name holds).
    void sortEqualFolded(Iterator first, Iterator last) const {
        std::sort(first, last, [this](const Key& a, const Key& b) {
            if (const int order = folded(a.index).compare(folded(b.index)); order != 0)
                return order < 0;
            if (const int order = m_names[a.index].compare(m_names[b.index]); order != 0)
                return order < 0;
            return a.index < b.index;
        });
    }

    const std::vector<std::string>& m_names;
    std::string m_folded;
    std::vector<std::uint32_t> m_starts;
};

}  // namespace

bool alphabeticallyBefore(std::string_view a, std::string_view b) {
    const std::string fa = foldCase(a);
    const std::string fb = foldCase(b);
    return fa != fb ? fa < fb : a < b;
}

bool nameContains(std::string_view name, std::string_view searchText) {
    if (searchText.empty())
        return true;
    return containsLowered(name, lowerAscii(searchText));
}

void DriverLists::takeNameList(const DriverDatabase& database) {
    m_names = std::make_shared<const std::vector<std::string>>(database.recordNames());
    m_namesVersion = database.namesVersion();
    m_sorted = AlphabeticalOrder(*m_names).indices();
}

RefreshOutcome DriverLists::refreshDriverList(const DriverDatabase& database,
                                              const DriverFilter& filter, int position,
                                              NumberFormat format) {
    if (database.namesVersion() != m_namesVersion)
        takeNameList(database);
    if (!filter.on) {
        m_all = m_sorted;
        m_listed = m_names;
        m_caption = kAllCaption;
        m_selection = positionRow(position, m_all.size());
        return {};
    }

    const auto bounds = parseBounds(filter, format);
    if (const auto* error = std::get_if<std::string>(&bounds))
        return {false, *error};
    const auto& limits = std::get<0>(bounds);
    CriterionMask needed{};
    for (std::size_t i = 0; i < kCriterionCount; ++i) needed[i] = filter.criteria[i].enabled;
    const std::uint8_t required = requiredValues(needed);
    const std::string needle = lowerAscii(filter.searchText);
    m_parsed.update(database, format);

    // Every record in file order; the first that cannot be judged stops the refresh.
    const std::vector<std::string>& names = *m_names;
    std::vector<char> passes(names.size(), 0);
    for (std::size_t r = 0; r < names.size(); ++r) {
        const ParsedRecord& parsed = m_parsed[r];
        if ((parsed.valid & required) != required)
            return {false, std::get<std::string>(criterionValuesOf(database, r, parsed, needed))};
        bool pass = needle.empty() || containsLowered(names[r], needle);
        for (std::size_t i = 0; pass && i < kCriterionCount; ++i)
            pass = !needed[i] || limits[i].admits(criterionValue(parsed, criteria()[i].id));
        passes[r] = pass;
    }

    m_all.clear();
    for (std::uint32_t index : m_sorted)
        if (passes[index])
            m_all.push_back(index);
    m_listed = m_names;
    m_caption = m_all.size() == names.size() ? kAllCaption : kFilteredCaption;
    m_selection.reset();
    return {};
}

std::vector<std::string> DriverLists::allEntries() const {
    std::vector<std::string> entries;
    entries.reserve(m_all.size());
    for (std::uint32_t index : m_all) entries.push_back((*m_listed)[index]);
    return entries;
}

std::optional<std::size_t> DriverLists::findInAll(std::string_view name) const {
    for (std::size_t row = 0; row < m_all.size(); ++row)
        if (equalsFolded((*m_listed)[m_all[row]], name))
            return row;
    return std::nullopt;
}

std::optional<std::size_t> positionRow(int position, std::size_t listSize) {
    if (position < 0 || static_cast<std::size_t>(position) >= listSize)
        return std::nullopt;
    return static_cast<std::size_t>(position);
}

void noteRecentRecord(std::vector<std::string>& recent, std::string_view name) {
    if (!recent.empty() && recent.back() == name)
        return;
    if (recent.size() >= kRecentListLimit)
        recent.erase(recent.begin(), recent.begin() + static_cast<std::ptrdiff_t>(
                                                          recent.size() - kRecentListLimit + 1));
    recent.emplace_back(name);
}

std::vector<std::string> recentlyOpenedRows(const std::vector<std::string>& recent) {
    return {recent.rbegin(), recent.rend()};
}

std::string countLabelText(DriverListPage tab, std::optional<std::size_t> selected,
                           std::size_t listed, std::size_t total) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely about a literal + std::string.
    std::string text(1, '#');
    text.append(std::to_string(selected ? *selected + 1 : 0)).append(1, '/');
    text.append(std::to_string(listed));
    if (tab == DriverListPage::All)
        text.append(1, '/').append(std::to_string(total));
    return text;
}

ButtonStates selectionButtons(DriverListPage tab, const Selection& selection) {
    const bool selected = selection.row.has_value() && *selection.row < selection.listSize;
    switch (tab) {
        case DriverListPage::All:
            return {selection.driverComplete, selected, selected};
        case DriverListPage::RecentlyOpened:
            return {false, selected, false};
        case DriverListPage::Memory:
            break;
    }
    const bool filled = selected && selection.bankFilled;
    return {selection.driverComplete, filled, filled};
}

ButtonStates buttonsAfterRefresh(ButtonStates current, std::size_t listSize,
                                 std::optional<std::size_t> row) {
    const bool selected = listSize > 0 && row.has_value() && *row < listSize;
    current.load = selected;
    current.remove = selected;
    return current;
}

}  // namespace sublumo::database
