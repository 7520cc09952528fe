#include "response_table.h"

#include <cstring>

#include "number_text_buffer.h"

namespace sublumo::enclosure {

namespace {

// Room for every column at the usual text lengths; longer texts grow the buffer.
constexpr std::size_t kInitialTextBytes = kResponseColumns * kGridPoints * 20;

}  // namespace

ResponseTable::ResponseTable(NumberFormat format) : m_format(format), m_texts(kInitialTextBytes) {
    // The grid column is the same for every table of a separator: written once, then copied.
    static const ResponseTable dot = gridOnly({'.'});
    static const ResponseTable comma = gridOnly({','});
    const ResponseTable* grid = format.decimalSeparator == '.'   ? &dot
                                : format.decimalSeparator == ',' ? &comma
                                                                 : nullptr;
    if (!grid) {
        setColumn(TableColumn::Frequency, frequencyGrid());
        return;
    }
    const std::size_t c = index(TableColumn::Frequency);
    m_values[c] = grid->m_values[c];
    m_written[c] = true;
    m_bounds[c] = grid->m_bounds[c];
    m_used = grid->m_used;
    std::memcpy(m_texts.data(), grid->m_texts.data(), m_used);
}

ResponseTable::ResponseTable(GridOnly, NumberFormat format)
    : m_format(format), m_texts(kInitialTextBytes) {
    setColumn(TableColumn::Frequency, frequencyGrid());
}

ResponseTable ResponseTable::gridOnly(NumberFormat format) {
    return {GridOnly{}, format};
}

void ResponseTable::reserveText(std::size_t bytes) {
    if (m_used + bytes > m_texts.size())
        m_texts.resize(2 * (m_used + bytes));
}

void ResponseTable::appendText(double v) {
    reserveText(kMaxShortNumberText);
    const std::size_t n = writeShortNumberText(m_texts.data() + m_used, v, m_format);
    if (n > 0) {
        m_used += n;
        return;
    }
    const std::string text = formatNumber(v, m_format);
    reserveText(text.size());
    std::memcpy(m_texts.data() + m_used, text.data(), text.size());
    m_used += text.size();
}

void ResponseTable::setColumn(TableColumn column, const Curve& values) {
    const std::size_t c = index(column);
    m_values[c] = values;
    m_written[c] = true;
    auto& bounds = m_bounds[c];
    bounds[0] = static_cast<std::uint32_t>(m_used);
    for (int i = 0; i < kGridPoints; ++i) {
        appendText(values[i]);
        bounds[i + 1] = static_cast<std::uint32_t>(m_used);
    }
}

std::string_view ResponseTable::text(int row, TableColumn column) const {
    const std::size_t c = index(column);
    if (!m_written[c])
        return {};
    const auto& bounds = m_bounds[c];
    return std::string_view(m_texts.data() + bounds[row], bounds[row + 1] - bounds[row]);
}

}  // namespace sublumo::enclosure
