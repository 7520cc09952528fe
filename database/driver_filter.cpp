#include "driver_filter.h"

#include <cmath>
#include <variant>

#include "derived_quantities.h"
#include "driver_database.h"
#include "driver_parameters.h"
#include "record_values.h"
#include "settings_keys.h"
#include "stored_number.h"

namespace sublumo::database {

namespace {

using C = Criterion;

constexpr std::array<CriterionInfo, kCriterionCount> kCriteria = {{
    {C::Dd, "Dd [mm]", "Ddbox", "Ddmin", "Ddmax", true},
    {C::fs, "fs [Hz]", "fsbox", "fsmin", "fsmax", true},
    {C::Qts, "Qts [-]", "Qtsbox", "Qtsmin", "Qtsmax", false},
    {C::Mms, "Mms [g]", "Mmsbox", "Mmsmin", "Mmsmax", true},
    {C::Re, "Re [Ohm]", "Rebox", "Remin", "Remax", true},
    {C::SPL, "SPL [dB]", "SPLbox", "SPLmin", "SPLmax", false},
}};

constexpr std::array<DiameterClass, kDiameterClassCount> kDiameterClasses = {{
    {"<= \xC2\xB1 3", "", "70"},
    {"\xC2\xB1 4", "70", "90"},
    {"\xC2\xB1 5", "90", "110"},
    {"\xC2\xB1 6", "110", "140"},
    {"\xC2\xB1 8", "140", "180"},
    {"\xC2\xB1 10", "180", "220"},
    {"\xC2\xB1 12", "220", "280"},
    {"\xC2\xB1 15", "280", "340"},
    {"\xC2\xB1 18", "340", "420"},
    {"\xC2\xB1 21", "420", "480"},
    {">= \xC2\xB1 24", "480", ""},
}};

std::optional<double> finite(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

// Widens the range of each criterion by the rounding of its row.
void roundRanges(CriterionValues& low, CriterionValues& high) {
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto id = static_cast<Criterion>(i);
        const int decimals = id == C::Qts ? 2 : 1;
        const double widen = id == C::Qts ? 0.01 : id == C::SPL ? 0.1 : 0.0;
        low[i] = roundToDecimals(low[i], decimals) - widen;
        high[i] = roundToDecimals(high[i], decimals) + widen;
    }
}

std::optional<std::string> formatted(double v, NumberFormat format) {
    return tryFormatNumber(v, format);
}

std::string notANumber(std::string_view text) {
    return "The filter bound \"" + std::string(text) + "\" is not a number.";
}

}  // namespace

const std::array<CriterionInfo, kCriterionCount>& criteria() {
    return kCriteria;
}

DriverFilter filterFromSettings(const SectionValues& form) {
    DriverFilter filter;
    filter.on = form.boolean("alfbox");
    filter.searchText = form.text("hledit");
    for (const CriterionInfo& info : kCriteria) {
        RangeCriterion& criterion = filter[info.id];
        criterion.enabled = form.boolean(info.switchKey);
        criterion.minimum = form.text(info.minimumKey);
        criterion.maximum = form.text(info.maximumKey);
    }
    return filter;
}

void storeFilterInSettings(const DriverFilter& filter, SectionValues& form) {
    form.setBoolean("alfbox", filter.on);
    form.setText("hledit", filter.searchText);
    for (const CriterionInfo& info : kCriteria) {
        const RangeCriterion& criterion = filter[info.id];
        form.setBoolean(info.switchKey, criterion.enabled);
        form.setText(info.minimumKey, criterion.minimum);
        form.setText(info.maximumKey, criterion.maximum);
    }
}

void clearFilter(DriverFilter& filter) {
    for (RangeCriterion& criterion : filter.criteria) criterion.enabled = false;
    filter.searchText.clear();
}

std::optional<double> recordSensitivity(double dd, double fs, double qes, double mms) {
    if (dd == 0.0 || fs == 0.0 || qes == 0.0 || mms == 0.0)
        return std::nullopt;
    const double vas = derived::Vas(derived::Sd(dd), derived::Cms(fs, mms));
    return finite(derived::SPL(derived::eta0(fs, qes, vas)));
}

std::optional<double> recordQts(double qes, double qms) {
    if (qes + qms == 0.0)
        return std::nullopt;
    return finite(derived::Qts(qes, qms));
}

DatabaseRanges::DatabaseRanges() {
    minimum.fill(std::string(kInitialMinimum));
    maximum.fill(std::string(kInitialMaximum));
}

DatabaseRanges computeDatabaseRanges(const DriverDatabase& database, NumberFormat format) {
    const std::size_t count = database.recordCount();
    if (count == 0)
        return {};
    CriterionMask all;
    all.fill(true);
    CriterionValues low{}, high{};
    for (std::size_t r = 0; r < count; ++r) {
        const auto values = criterionValuesOf(database, r, parseRecord(database, r, format), all);
        if (!std::holds_alternative<CriterionValues>(values))
            return {};
        const auto& v = std::get<CriterionValues>(values);
        for (std::size_t i = 0; i < kCriterionCount; ++i) {
            if (r == 0)
                low[i] = high[i] = v[i];
            else if (v[i] < low[i])
                low[i] = v[i];
            else if (v[i] > high[i])
                high[i] = v[i];
        }
    }
    roundRanges(low, high);
    DatabaseRanges ranges;
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        auto lowText = formatted(low[i], format);
        auto highText = formatted(high[i], format);
        if (!lowText || !highText)
            return {};
        ranges.minimum[i] = std::move(*lowText);
        ranges.maximum[i] = std::move(*highText);
    }
    return ranges;
}

BoundRuleResult applyBoundRule(DriverFilter& filter, Criterion changed, BoundSide side,
                               const DatabaseRanges& ranges, NumberFormat format) {
    for (RangeCriterion& criterion : filter.criteria) {
        criterion.minimum = normaliseDecimal(criterion.minimum, format);
        criterion.maximum = normaliseDecimal(criterion.maximum, format);
    }
    RangeCriterion& criterion = filter[changed];
    const std::size_t i = indexOf(changed);
    BoundRuleResult result;
    if (side == BoundSide::Minimum) {
        if (criterion.minimum.empty()) {
            criterion.minimum = ranges.minimum[i];
            result.replaced = true;
        }
        return result;
    }
    if (criterion.maximum.empty()) {
        criterion.maximum = ranges.maximum[i];
        result.replaced = true;
        return result;
    }
    const auto value = readStoredNumber(criterion.maximum, format);
    if (!value)
        return {false, notANumber(criterion.maximum), false};
    const auto databaseMaximum = readStoredNumber(ranges.maximum[i], format);
    if (databaseMaximum && *value > *databaseMaximum) {
        criterion.maximum = ranges.maximum[i];
        result.replaced = true;
    }
    return result;
}

bool boundPairIsRed(const RangeCriterion& criterion, NumberFormat format) {
    const auto low = readStoredNumber(criterion.minimum, format);
    const auto high = readStoredNumber(criterion.maximum, format);
    return low && high && *low > *high;
}

const std::array<DiameterClass, kDiameterClassCount>& diameterClasses() {
    return kDiameterClasses;
}

std::string diameterClassRowText(std::size_t row) {
    return std::string(kDiameterClasses.at(row).sizeText) + " \"";
}

BoundRuleResult chooseDiameterClass(DriverFilter& filter, std::size_t row,
                                    const DatabaseRanges& ranges, NumberFormat format) {
    const DiameterClass& size = kDiameterClasses.at(row);
    RangeCriterion& dd = filter[Criterion::Dd];
    dd.enabled = true;
    dd.minimum = size.minimum;
    BoundRuleResult result =
        applyBoundRule(filter, Criterion::Dd, BoundSide::Minimum, ranges, format);
    if (!result.ok)
        return result;
    dd.maximum = size.maximum;
    return applyBoundRule(filter, Criterion::Dd, BoundSide::Maximum, ranges, format);
}

}  // namespace sublumo::database
