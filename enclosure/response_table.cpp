#include "response_table.h"

#include "number_text_buffer.h"

namespace sublumo {

ResponseTable::ResponseTable(NumberFormat format) : m_format(format) {
    m_texts.reserve(kResponseColumns * kGridPoints * 12);
    setColumn(TableColumn::Frequency, frequencyGrid());
}

void ResponseTable::setColumn(TableColumn column, const Curve& values) {
    const std::size_t c = index(column);
    m_values[c] = values;
    m_written[c] = true;
    auto& bounds = m_bounds[c];
    bounds[0] = static_cast<std::uint32_t>(m_texts.size());
    for (int i = 0; i < kGridPoints; ++i) {
        appendNumberText(m_texts, values[i], m_format);
        bounds[i + 1] = static_cast<std::uint32_t>(m_texts.size());
    }
}

std::string_view ResponseTable::text(int row, TableColumn column) const {
    const std::size_t c = index(column);
    if (!m_written[c])
        return {};
    const auto& bounds = m_bounds[c];
    return std::string_view(m_texts).substr(bounds[row], bounds[row + 1] - bounds[row]);
}

}  // namespace sublumo
