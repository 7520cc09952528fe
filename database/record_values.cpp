#include "record_values.h"

#include <optional>
#include <string_view>

#include "driver_database.h"
#include "stored_number.h"

namespace sublumo {

namespace {

struct Reader {
    const DriverDatabase& database;
    std::size_t index;
    NumberFormat format;
    std::string error;

    double operator()(std::string_view key) {
        if (!error.empty())
            return 0.0;
        const std::string_view text = database.valueAt(index, key);
        if (const auto number = readStoredNumber(text, format))
            return *number;
        error = "The record \"" + database.recordNameAt(index) + "\" cannot be filtered: its " +
                std::string(key) + " \"" + std::string(text) + "\" is not a number.";
        return 0.0;
    }

    void cannotEvaluate(std::string_view what) {
        error = "The record \"" + database.recordNameAt(index) + "\" cannot be filtered: its " +
                std::string(what) + " cannot be computed.";
    }
};

bool any(const CriterionMask& mask, std::initializer_list<Criterion> which) {
    for (Criterion c : which)
        if (mask[indexOf(c)])
            return true;
    return false;
}

}  // namespace

std::variant<CriterionValues, std::string> criterionValuesOf(const DriverDatabase& database,
                                                             std::size_t index,
                                                             const CriterionMask& needed,
                                                             NumberFormat format) {
    using C = Criterion;
    Reader read{database, index, format, {}};
    // Stored values in the order the criteria need them; each read only when some checked
    // criterion uses it.
    const double dd = any(needed, {C::Dd, C::SPL}) ? read("Dd") : 0.0;
    const double fs = any(needed, {C::fs, C::SPL}) ? read("fs") : 0.0;
    const double qes = any(needed, {C::Qts, C::SPL}) ? read("Qes") : 0.0;
    const double qms = any(needed, {C::Qts}) ? read("Qms") : 0.0;
    const double mms = any(needed, {C::Mms, C::SPL}) ? read("Mms") : 0.0;
    const double re = any(needed, {C::Re}) ? read("Re") : 0.0;
    if (!read.error.empty())
        return read.error;

    CriterionValues values{dd, fs, 0.0, mms, re, 0.0};
    if (needed[indexOf(C::Qts)]) {
        const auto qts = recordQts(qes, qms);
        if (!qts)
            read.cannotEvaluate("Qts");
        values[indexOf(C::Qts)] = qts.value_or(0.0);
    }
    if (needed[indexOf(C::SPL)] && read.error.empty()) {
        const auto spl = recordSensitivity(dd, fs, qes, mms);
        if (!spl)
            read.cannotEvaluate("SPL");
        values[indexOf(C::SPL)] = spl.value_or(0.0);
    }
    if (!read.error.empty())
        return read.error;
    return values;
}

}  // namespace sublumo
