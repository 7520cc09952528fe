#include "record_values.h"

#include <optional>
#include <string_view>

#include "driver_database.h"
#include "stored_number.h"

namespace sublumo::database {

namespace {

using C = Criterion;
using P = ParsedRecord;

constexpr std::size_t kStoredCount = 6;
constexpr std::array<std::string_view, kStoredCount> kStoredKeys = {"Dd",  "fs",  "Qes",
                                                                    "Qms", "Mms", "Re"};

std::string cannotFilter(const DriverDatabase& database, std::size_t index, std::string_view what) {
    std::string text = "The record \"";
    text.append(database.recordNameAt(index)).append("\" cannot be filtered: its ");
    return text.append(what);
}

// The stored values each criterion reads.
std::array<bool, kStoredCount> storedNeeded(const CriterionMask& needed) {
    const auto is = [&](Criterion c) { return needed[indexOf(c)]; };
    return {is(C::Dd) || is(C::SPL),  is(C::fs) || is(C::SPL),
            is(C::Qts) || is(C::SPL), is(C::Qts),
            is(C::Mms) || is(C::SPL), is(C::Re)};
}

// The same keys in the order records are written, which the look-up finds in one pass.
constexpr std::array<std::string_view, kStoredCount> kKeysAsWritten = {"Qms", "Qes", "fs",
                                                                       "Mms", "Dd",  "Re"};
constexpr std::array<P::Value, kStoredCount> kValueAsWritten = {P::Qms, P::Qes, P::fs,
                                                                P::Mms, P::Dd,  P::Re};

constexpr std::array<P::Value, kCriterionCount> kCriterionValue = {P::Dd,  P::fs, P::Qts,
                                                                   P::Mms, P::Re, P::SPL};

}  // namespace

std::uint8_t requiredValues(const CriterionMask& needed) {
    const auto stored = storedNeeded(needed);
    unsigned bits = 0;
    for (std::size_t s = 0; s < kStoredCount; ++s) bits |= stored[s] ? 1U << s : 0U;
    if (needed[indexOf(C::Qts)])
        bits |= 1U << P::Qts;
    if (needed[indexOf(C::SPL)])
        bits |= 1U << P::SPL;
    return static_cast<std::uint8_t>(bits);
}

double criterionValue(const ParsedRecord& parsed, Criterion criterion) {
    return parsed.values[kCriterionValue[indexOf(criterion)]];
}

ParsedRecord parseRecord(const DriverDatabase& database, std::size_t index, NumberFormat format) {
    std::array<std::string_view, kStoredCount> texts;
    database.valuesAt(index, kKeysAsWritten, texts);
    ParsedRecord parsed;
    const auto set = [&](P::Value v, std::optional<double> number) {
        if (!number)
            return;
        parsed.values[v] = *number;
        parsed.valid = static_cast<std::uint8_t>(parsed.valid | (1U << v));
    };
    for (std::size_t s = 0; s < kStoredCount; ++s)
        set(kValueAsWritten[s], readStoredNumber(texts[s], format));
    const auto& v = parsed.values;
    if (parsed.has(P::Qes) && parsed.has(P::Qms))
        set(P::Qts, recordQts(v[P::Qes], v[P::Qms]));
    if (parsed.has(P::Dd) && parsed.has(P::fs) && parsed.has(P::Qes) && parsed.has(P::Mms))
        set(P::SPL, recordSensitivity(v[P::Dd], v[P::fs], v[P::Qes], v[P::Mms]));
    return parsed;
}

std::variant<CriterionValues, std::string> criterionValuesOf(const DriverDatabase& database,
                                                             std::size_t index,
                                                             const ParsedRecord& parsed,
                                                             const CriterionMask& needed) {
    const auto stored = storedNeeded(needed);
    for (std::size_t s = 0; s < kStoredCount; ++s)
        if (stored[s] && !parsed.has(static_cast<P::Value>(s)))
            return cannotFilter(database, index,
                                std::string(kStoredKeys[s]) + " \"" +
                                    std::string(database.valueAt(index, kStoredKeys[s])) +
                                    "\" is not a number.");
    if (needed[indexOf(C::Qts)] && !parsed.has(P::Qts))
        return cannotFilter(database, index, "Qts cannot be computed.");
    if (needed[indexOf(C::SPL)] && !parsed.has(P::SPL))
        return cannotFilter(database, index, "SPL cannot be computed.");
    const auto& v = parsed.values;
    return CriterionValues{v[P::Dd], v[P::fs], v[P::Qts], v[P::Mms], v[P::Re], v[P::SPL]};
}

void ParsedRecords::update(const DriverDatabase& database, NumberFormat format) {
    const bool sameRecords = database.namesVersion() == m_namesVersion &&
                             format.decimalSeparator == m_separator &&
                             database.recordCount() == m_records.size();
    if (sameRecords && database.changeCount() == m_changeCount)
        return;
    m_records.resize(database.recordCount());
    for (std::size_t r = 0; r < m_records.size(); ++r)
        if (!sameRecords || database.recordChangedAt(r) > m_changeCount)
            m_records[r] = parseRecord(database, r, format);
    m_namesVersion = database.namesVersion();
    m_changeCount = database.changeCount();
    m_separator = format.decimalSeparator;
}

}  // namespace sublumo::database
