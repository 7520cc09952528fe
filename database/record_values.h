#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "driver_filter.h"

namespace sublumo::database {

class DriverDatabase;

using CriterionValues = std::array<double, kCriterionCount>;
using CriterionMask = std::array<bool, kCriterionCount>;

// The stored numbers of one record that the criteria use, parsed, with Qts and SPL worked out
// from them; a bit per value says whether it could be.
struct ParsedRecord {
    enum Value { Dd, fs, Qes, Qms, Mms, Re, Qts, SPL, ValueCount };
    std::array<double, ValueCount> values{};
    std::uint8_t valid = 0;

    bool has(Value v) const { return (valid >> v) & 1U; }
};

// The bits of ParsedRecord::valid that the criteria in `needed` require.
std::uint8_t requiredValues(const CriterionMask& needed);
double criterionValue(const ParsedRecord& parsed, Criterion criterion);

ParsedRecord parseRecord(const DriverDatabase& database, std::size_t index, NumberFormat format);

// The criterion values of record `index` for the criteria in `needed`, or the text of what
// stopped it: a needed stored value that is empty or not a number (in the order Dd, fs, Qes,
// Qms, Mms, Re), or a Qts or SPL that cannot be evaluated.
std::variant<CriterionValues, std::string> criterionValuesOf(const DriverDatabase& database,
                                                             std::size_t index,
                                                             const ParsedRecord& parsed,
                                                             const CriterionMask& needed);

// The parsed records of a whole database: a keystroke in the filter then only compares
// numbers. Taken again whole when the names changed, else only the records changed since.
class ParsedRecords {
public:
    void update(const DriverDatabase& database, NumberFormat format);
    const ParsedRecord& operator[](std::size_t index) const { return m_records[index]; }

private:
    std::vector<ParsedRecord> m_records;
    std::uint64_t m_namesVersion = ~std::uint64_t{0};
    std::uint64_t m_changeCount = 0;
    char m_separator = 0;
};

}  // namespace sublumo::database
