#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo::database {

class DriverDatabase;

// A column of the detailed list: a stored text of the record, or a quantity derived from the
// record's stored texts and shown with `decimals`.
struct DetailedColumn {
    std::string_view header;
    std::string_view key;  // the column switch's key in section Form2; empty for the name
    bool shownByDefault = true;
    std::optional<Param> derived;  // none: the stored text of `key`
    int decimals = 0;
};

inline constexpr std::size_t kDetailedColumnCount = 40;
inline constexpr std::size_t kNameColumn = 0;

const std::array<DetailedColumn, kDetailedColumnCount>& detailedColumns();

using DetailedRow = std::array<std::string, kDetailedColumnCount>;

// One record as the table shows it: the name, the stored texts with "." and "," as the
// locale's separator, and every derived quantity computed on its own from them (0 where its
// computation fails), rounded to its column's decimals.
DetailedRow detailedRow(std::string_view name, const std::array<std::string, 11>& storedValues,
                        NumberFormat format);

// The rows for `names` (the "All" list's order) as stored in `database`; an empty list gives
// one empty row under the headers.
std::vector<DetailedRow> detailedRows(const DriverDatabase& database,
                                      const std::vector<std::string>& names, NumberFormat format);

// The rows shown in `shownOrder` (indices into `rows`) sorted by `column`: ascending by value,
// ties as a selection sort that swaps the smallest remaining row forward leaves them. Nothing
// when a cell of the column is not a number: the table then goes back to list order.
std::optional<std::vector<std::size_t>> sortedRowOrder(const std::vector<DetailedRow>& rows,
                                                       const std::vector<std::size_t>& shownOrder,
                                                       std::size_t column, NumberFormat format);

// The same order by the literal quadratic selection sort; the reference for tests.
std::vector<std::size_t> selectionSortOrder(const std::vector<double>& values);
std::vector<std::size_t> fastSelectionSortOrder(const std::vector<double>& values);

}  // namespace sublumo::database
