#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "number_text.h"

namespace sublumo::database {

class DriverDatabase;
class SectionValues;

// The six range criteria of the filter, in the order of their rows.
enum class Criterion { Dd, fs, Qts, Mms, Re, SPL };
inline constexpr std::size_t kCriterionCount = 6;

struct CriterionInfo {
    Criterion id;
    std::string_view caption;    // the check box's caption
    std::string_view switchKey;  // settings keys of the check box and the two bounds
    std::string_view minimumKey;
    std::string_view maximumKey;
    bool tolerant;  // min - 0.001 <= value (Dd, fs, Mms, Re); else min <= value
};

const std::array<CriterionInfo, kCriterionCount>& criteria();
constexpr std::size_t indexOf(Criterion c) {
    return static_cast<std::size_t>(c);
}

inline constexpr std::string_view kInitialMinimum = "0";
inline constexpr std::string_view kInitialMaximum = "999";

struct RangeCriterion {
    bool enabled = false;
    std::string minimum{kInitialMinimum};
    std::string maximum{kInitialMaximum};
};

struct DriverFilter {
    bool on = false;
    std::string searchText;
    std::array<RangeCriterion, kCriterionCount> criteria;

    RangeCriterion& operator[](Criterion c) { return criteria[indexOf(c)]; }
    const RangeCriterion& operator[](Criterion c) const { return criteria[indexOf(c)]; }
};

// The filter as the `Form` section keeps it: alfbox, hledit and the criteria's keys.
DriverFilter filterFromSettings(const SectionValues& form);
void storeFilterInSettings(const DriverFilter& filter, SectionValues& form);

// Unchecks the six criteria and empties the search text; the bounds stay.
void clearFilter(DriverFilter& filter);

// The SPL the solver derives from a record's Dd (mm), fs (Hz), Qes and Mms (g); nothing when
// it cannot be evaluated (a zero input, a non-finite result).
std::optional<double> recordSensitivity(double dd, double fs, double qes, double mms);
std::optional<double> recordQts(double qes, double qms);

struct DatabaseRanges {
    std::array<std::string, kCriterionCount> minimum;
    std::array<std::string, kCriterionCount> maximum;

    DatabaseRanges();  // "0" and "999", as before the first computation and after a failure
    bool operator==(const DatabaseRanges&) const = default;
};

// The span of each criterion's value over every record, rounded outwards for Qts and SPL;
// any record that cannot give all six values makes every range 0 to 999.
DatabaseRanges computeDatabaseRanges(const DriverDatabase& database, NumberFormat format);

enum class BoundSide { Minimum, Maximum };

struct BoundRuleResult {
    bool ok = true;
    std::string errorText;
    bool replaced = false;  // the changed field received the database bound, to be selected
};

// Run when one bound field's text changed: normalises all twelve bounds, fills an empty
// minimum with the database minimum, and an empty or too large maximum with the database
// maximum. The caller then colours the pair and refreshes the list.
BoundRuleResult applyBoundRule(DriverFilter& filter, Criterion changed, BoundSide side,
                               const DatabaseRanges& ranges, NumberFormat format);

// Shown in red while the minimum exceeds the maximum.
bool boundPairIsRed(const RangeCriterion& criterion, NumberFormat format);

struct DiameterClass {
    std::string_view sizeText;
    std::string_view minimum;  // empty: the database minimum, through the bound rule
    std::string_view maximum;
};

inline constexpr std::size_t kDiameterClassCount = 11;
const std::array<DiameterClass, kDiameterClassCount>& diameterClasses();
// The row's text: the size text, a blank and an inch sign.
std::string diameterClassRowText(std::size_t row);

// Checks "Dd [mm]" and sets its two bounds from the class, each through the bound rule.
BoundRuleResult chooseDiameterClass(DriverFilter& filter, std::size_t row,
                                    const DatabaseRanges& ranges, NumberFormat format);

}  // namespace sublumo::database
