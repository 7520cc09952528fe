#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// The widest text a derived column can show, as a bound: so many digits (whole and decimal
// places together), with or without a separator and a minus sign.
struct NumberTextBound {
    int digits = 0;
    bool separator = false;
    bool minus = false;
};

// The detailed list's rows without their texts: each row keeps its name and stored texts (with
// "." and "," as the locale's separator) in one buffer, and a cell is computed and written
// only when it is asked for. A table of 100 000 drivers thus costs one pass over the records.
class DetailedRows {
public:
    explicit DetailedRows(NumberFormat format = {});

    // One record: its name and the stored texts in record-key order (a missing key empty).
    void append(std::string_view name, const std::array<std::string_view, 11>& storedValues);
    // The row of an empty list: every cell empty, the derived ones too.
    void appendEmpty();
    void reserve(std::size_t rows);

    std::size_t size() const { return m_rows.size(); }
    NumberFormat format() const { return m_format; }

    // The text of one cell: the stored text, or the derived quantity computed on its own
    // from the stored texts (0 where its computation fails), rounded to the column's decimals.
    std::string cell(std::size_t row, std::size_t column) const;
    // The text of a name or stored-text column, without a copy.
    std::string_view storedCell(std::size_t row, std::size_t column) const;
    // Every cell of a row.
    DetailedRow operator[](std::size_t row) const;

    // The cell as a number for sorting, as its text parses; nothing when it is no number.
    std::optional<double> sortValue(std::size_t row, std::size_t column) const;
    // For a derived column, a bound on its widest text over every row; nothing for a column
    // of stored texts.
    std::optional<NumberTextBound> widestNumber(std::size_t column) const;

private:
    struct Row {
        // Where the name and the eleven stored texts begin in m_text, and where the last ends.
        std::array<std::uint32_t, 13> bounds{};
        bool empty = false;
    };
    // The largest and the smallest value of each derived column over the rows so far.
    struct Extremes {
        double largest = 0.0;  // of the magnitudes
        double smallest = 0.0;
    };

    std::string_view text(const Row& row, std::size_t index) const;
    std::array<std::optional<double>, 11> storedNumbers(const Row& row) const;
    void noteExtremes(const std::array<std::optional<double>, 11>& stored);

    NumberFormat m_format;
    std::string m_text;
    std::vector<Row> m_rows;
    std::array<Extremes, kDetailedColumnCount> m_extremes{};
    bool m_hasValues = false;
};

// One record as the table shows it: the name, the stored texts with "." and "," as the
// locale's separator, and every derived quantity computed on its own from them (0 where its
// computation fails), rounded to its column's decimals.
DetailedRow detailedRow(std::string_view name, const std::array<std::string, 11>& storedValues,
                        NumberFormat format);

// The rows for `names` (the "All" list's order) as stored in `database`; an empty list gives
// one empty row under the headers.
DetailedRows detailedRows(const DriverDatabase& database, const std::vector<std::string>& names,
                          NumberFormat format);

// The rows shown in `shownOrder` (indices into `rows`) sorted by `column`: ascending by value,
// ties as a selection sort that swaps the smallest remaining row forward leaves them. Nothing
// when a cell of the column is not a number: the table then goes back to list order.
std::optional<std::vector<std::size_t>> sortedRowOrder(const DetailedRows& rows,
                                                       const std::vector<std::size_t>& shownOrder,
                                                       std::size_t column);
std::optional<std::vector<std::size_t>> sortedRowOrder(const std::vector<DetailedRow>& rows,
                                                       const std::vector<std::size_t>& shownOrder,
                                                       std::size_t column, NumberFormat format);

// The same order by the literal quadratic selection sort; the reference for tests.
std::vector<std::size_t> selectionSortOrder(const std::vector<double>& values);
std::vector<std::size_t> fastSelectionSortOrder(const std::vector<double>& values);

}  // namespace sublumo::database
