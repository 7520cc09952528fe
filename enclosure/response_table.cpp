#include "response_table.h"

#include "number_text_buffer.h"

namespace sublumo::enclosure {

ResponseTable::ResponseTable(NumberFormat format) : m_format(format) {
    setColumn(TableColumn::Frequency, frequencyGrid());
}

void ResponseTable::setColumn(TableColumn column, const Curve& values) {
    const std::size_t c = index(column);
    m_values[c] = values;
    m_written[c] = true;
}

std::string ResponseTable::text(int row, TableColumn column) const {
    const std::size_t c = index(column);
    if (!m_written[c])
        return {};
    const double v = m_values[c][static_cast<std::size_t>(row)];
    char buffer[kMaxShortNumberText];
    const std::size_t n = writeShortNumberText(buffer, v, m_format);
    return n > 0 ? std::string(buffer, n) : formatNumber(v, m_format);
}

}  // namespace sublumo::enclosure
