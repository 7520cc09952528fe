#include "added_mass_list.h"

#include <cstddef>
#include <utility>

#include "calculator_text.h"

namespace sublumo::tools {

std::string entryText(const AddedMassEntry& entry) {
    return entry.madd + " g: " + entry.mms + " g";
}

void AddedMassList::add(AddedMassEntry entry) {
    m_entries.push_back(std::move(entry));
}

std::optional<AddedMassEntry> AddedMassList::select(std::size_t index) {
    if (index >= m_entries.size())
        return {};
    m_selected = index;
    return m_entries[index];
}

void AddedMassList::removeSelected() {
    if (!m_selected || *m_selected >= m_entries.size())
        return;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*m_selected));
    if (m_entries.empty())
        m_selected.reset();
    else if (*m_selected >= m_entries.size())
        m_selected = m_entries.size() - 1;
}

void AddedMassList::clear() {
    m_entries.clear();
    m_selected.reset();
}

std::vector<std::string> AddedMassList::itemTexts() const {
    std::vector<std::string> texts;
    texts.reserve(m_entries.size());
    for (const AddedMassEntry& entry : m_entries) texts.push_back(entryText(entry));
    return texts;
}

std::string AddedMassList::averageLine(NumberFormat format) const {
    if (m_entries.size() < 2)
        return {};
    double sum = 0.0;
    for (const AddedMassEntry& entry : m_entries) {
        const auto mms = parseDecimal(entry.mms, format);
        if (!mms)
            return {};
        sum += *mms;
    }
    const double mean = sum / static_cast<double>(m_entries.size());
    return "avg: " + showRounded(mean, 1, format) + " g";
}

}  // namespace sublumo::tools
