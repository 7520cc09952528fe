#include "design_memory.h"

#include <stdexcept>

namespace sublumo::memory {

std::optional<SlotCurves> copyCurves(const enclosure::ResponseTable& table, NumberFormat format) {
    using enclosure::TableColumn;
    SlotCurves curves;
    curves.frequencies.reserve(enclosure::kGridPoints);
    curves.relative.reserve(enclosure::kGridPoints);
    curves.absolute.reserve(enclosure::kGridPoints);
    for (int row = 0; row < enclosure::kGridPoints; ++row) {
        const auto frequency = parseDecimal(table.text(row, TableColumn::Frequency), format);
        const auto relative = parseDecimal(table.text(row, TableColumn::Relative), format);
        const auto absolute = parseDecimal(table.text(row, TableColumn::Absolute), format);
        if (!frequency || !relative || !absolute)
            return std::nullopt;
        curves.frequencies.push_back(*frequency);
        curves.relative.push_back(*relative);
        curves.absolute.push_back(*absolute);
    }
    return curves;
}

bool DesignMemory::store(int number, const DesignSnapshot& snapshot) {
    if (!validSlot(number))
        return false;
    Slot& s = m_slots[static_cast<std::size_t>(number - 1)];
    s.conditions = conditionsLine(snapshot.conditions);
    s.design = designLine(snapshot.design);
    auto curves = snapshot.table ? copyCurves(*snapshot.table, snapshot.format) : std::nullopt;
    s.filled = curves.has_value();
    s.curves = curves ? std::move(*curves) : SlotCurves{};
    s.limits = s.filled ? snapshot.limits : std::nullopt;
    s.inputs = s.filled ? snapshot.inputs : SlotInputs{};
    return s.filled;
}

void DesignMemory::remove(int number) {
    if (!validSlot(number))
        return;
    Slot& s = m_slots[static_cast<std::size_t>(number - 1)];
    s.filled = false;
    s.curves = {};
    s.limits.reset();
    s.inputs.clear();
}

void DesignMemory::restore(int number, Slot kept) {
    if (validSlot(number))
        m_slots[static_cast<std::size_t>(number - 1)] = std::move(kept);
}

const Slot& DesignMemory::slot(int number) const {
    if (!validSlot(number))
        throw std::out_of_range("design memory slot");
    return m_slots[static_cast<std::size_t>(number - 1)];
}

}  // namespace sublumo::memory
