#pragma once

#include <array>
#include <string>

#include "number_text.h"
#include "response.h"

namespace sublumo::enclosure {

inline constexpr int kTableColumns = 13;

// Columns 0-8 of the response table; 9-12 hold the added-mass measurement list.
enum class TableColumn : int {
    Frequency = 0,
    Relative = 1,
    Absolute = 2,
    RelativeCabinGain = 3,
    AbsoluteCabinGain = 4,
    Equaliser = 5,
    Equalised = 6,
    EqualiserAbsolute = 7,
    EqualisedAbsolute = 8,
};
inline constexpr int kResponseColumns = 9;

// The numbers of one recompute; a cell's text in the general number format is written when it
// is read, since only a design memory's copy reads them. A column that was not written keeps,
// on the page, the texts of an earlier recompute.
class ResponseTable {
public:
    explicit ResponseTable(NumberFormat format = {});

    void setColumn(TableColumn column, const Curve& values);
    bool written(TableColumn column) const { return m_written[index(column)]; }
    const Curve& values(TableColumn column) const { return m_values[index(column)]; }
    // Empty for a column that was not written.
    std::string text(int row, TableColumn column) const;

private:
    static std::size_t index(TableColumn c) { return static_cast<std::size_t>(c); }

    NumberFormat m_format;
    std::array<Curve, kResponseColumns> m_values{};
    std::array<bool, kResponseColumns> m_written{};
};

}  // namespace sublumo::enclosure
