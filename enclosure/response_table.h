#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The numbers of one recompute and their texts in the general number format. A column that
// was not written keeps, on the page, the texts of an earlier recompute.
class ResponseTable {
public:
    explicit ResponseTable(NumberFormat format = {});

    void setColumn(TableColumn column, const Curve& values);
    bool written(TableColumn column) const { return m_written[index(column)]; }
    const Curve& values(TableColumn column) const { return m_values[index(column)]; }
    std::string_view text(int row, TableColumn column) const;

private:
    struct GridOnly {};
    ResponseTable(GridOnly, NumberFormat format);
    static ResponseTable gridOnly(NumberFormat format);
    static std::size_t index(TableColumn c) { return static_cast<std::size_t>(c); }
    void reserveText(std::size_t bytes);
    void appendText(double v);

    NumberFormat m_format;
    std::array<Curve, kResponseColumns> m_values{};
    std::array<bool, kResponseColumns> m_written{};
    std::vector<char> m_texts;  // every text, one after the other
    std::size_t m_used = 0;
    std::array<std::array<std::uint32_t, kGridPoints + 1>, kResponseColumns> m_bounds{};
};

}  // namespace sublumo::enclosure
