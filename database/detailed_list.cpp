#include "detailed_list.h"

#include <cmath>
#include <set>
#include <tuple>
#include <utility>

#include "derived_quantities.h"
#include "driver_database.h"

namespace sublumo::database {

namespace {

constexpr DetailedColumn stored(std::string_view header, std::string_view key, bool shown) {
    return {header, key, shown, std::nullopt, 0};
}
constexpr DetailedColumn derived(std::string_view header, std::string_view key, bool shown,
                                 Param param, int decimals) {
    return {header, key, shown, param, decimals};
}

constexpr std::array<DetailedColumn, kDetailedColumnCount> kColumns = {
    stored("Manufacturer and Model", "", true),
    stored("Qms", "Qms", true),
    stored("Qes", "Qes", true),
    derived("Qts", "Qts", true, Param::Qts, 3),
    derived("EBP [Hz]", "EBP", false, Param::EBP, 1),
    stored("fs [Hz]", "fs", true),
    stored("Mms [g]", "Mms", true),
    derived("Mmd [g]", "Mmd", false, Param::Mmd, 2),
    derived("Mair [g]", "Mair", false, Param::Mair, 2),
    stored("Dd [mm]", "Dd", true),
    derived("Sd [cm^2]", "Sd", true, Param::Sd, 2),
    derived("Vas [l]", "Vas", true, Param::Vas, 2),
    stored("Re [Ohm]", "Re", true),
    derived("Bl [N/A]", "Bl", true, Param::Bl, 2),
    derived("Mpow [N/sqrt(W)]", "Mpow", false, Param::Mpow, 2),
    derived("gamma [N/Akg]", "gamma", false, Param::gamma, 0),
    derived("Rms [kg/s]", "Rms", false, Param::Rms, 2),
    derived("Rme [kg/s]", "Rme", false, Param::Rme, 2),
    derived("Cms [mm/N]", "Cms", true, Param::Cms, 3),
    derived("Kms [N/mm]", "Kms", false, Param::Kms, 2),
    stored("Hc [mm]", "Hc", true),
    stored("Hg [mm]", "Hg", true),
    derived("Xmax [mm]", "Xmax", true, Param::Xmax, 2),
    derived("Gloss [%]", "Gloss", false, Param::Gloss, 2),
    derived("Gloss [mm]", "Glossmm", false, Param::Glossmm, 2),
    derived("Vd [cm^3]", "Vd", false, Param::Vd, 1),
    derived("eta0 [%]", "eta0", false, Param::eta0, 3),
    derived("SPL [dB]", "SPL", true, Param::SPL, 2),
    derived("USPL [dB]", "USPL", true, Param::USPL, 2),
    derived("SPLmax [dB]", "SPLmax", false, Param::SPLmax, 2),
    derived("Res [Ohm]", "Res", false, Param::Res, 2),
    derived("Lces [mH]", "Lces", false, Param::Lces, 2),
    derived("Cmes [uF]", "Cmes", false, Param::Cmes, 2),
    derived("f4pi [Hz]", "f4pi", false, Param::f4pi, 0),
    derived("f2pi [Hz]", "f2pi", false, Param::f2pi, 0),
    derived("fmax [Hz]", "fmax", false, Param::fmax, 0),
    derived("Zmax [Ohm]", "Zmax", false, Param::Zmax, 1),
    stored("Pe [W]", "Pe", true),
    stored("Le [mH]", "Le", true),
    stored("URL", "URL", false),
};

constexpr bool isNumericKey(std::string_view key) {
    return key != "URL" && !key.empty();
}

// Unlike the parameter page, each quantity is computed without operand tests; a text that is
// no number or a non-finite result makes that one quantity 0, and a quantity built on it
// takes that 0.
class RecordQuantities {
public:
    RecordQuantities(const std::array<std::string, 11>& texts, NumberFormat format) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (isNumericKey(recordKeys[i]))
                m_stored[i] = parseDecimal(texts[i], format, SignRule::AllowMinus);
        }
        derive();
    }

    double value(Param p) const { return m_values[indexOf(p)]; }

private:
    std::optional<double> stored(std::string_view key) const {
        for (std::size_t i = 0; i < recordKeys.size(); ++i)
            if (recordKeys[i] == key)
                return m_stored[i];
        return std::nullopt;
    }

    // Sets `p` from a computation over stored texts; any missing text or non-finite result
    // gives 0.
    template <typename... Keys, typename F>
    void fromStored(Param p, F formula, Keys... keys) {
        const std::array<std::optional<double>, sizeof...(Keys)> operands = {stored(keys)...};
        for (const auto& operand : operands)
            if (!operand) {
                set(p, 0.0);
                return;
            }
        set(p, std::apply([&](auto... x) { return formula(*x...); }, operands));
    }

    void set(Param p, double v) { m_values[indexOf(p)] = std::isfinite(v) ? v : 0.0; }
    double v(Param p) const { return value(p); }

    void derive();

    std::array<std::optional<double>, 11> m_stored{};
    std::array<double, kParamCount> m_values{};
};

void RecordQuantities::derive() {
    using P = Param;
    namespace f = sublumo::derived;
    fromStored(P::Qts, f::Qts, "Qes", "Qms");
    fromStored(P::EBP, f::EBP, "fs", "Qes");
    fromStored(P::Sd, f::Sd, "Dd");
    fromStored(P::Mair, f::Mair, "Dd");
    const double mair = v(P::Mair);
    fromStored(
        P::Mmd, [&](double mms) { return f::Mmd(mms, mair); }, "Mms");
    fromStored(P::Cms, f::Cms, "fs", "Mms");
    const double cms = v(P::Cms), sd = v(P::Sd);
    set(P::Kms, f::Kms(cms));
    set(P::Vas, f::Vas(sd, cms));
    fromStored(P::Rms, f::Rms, "fs", "Mms", "Qms");
    fromStored(P::Rme, f::Rme, "fs", "Mms", "Qes");
    set(P::Mpow, f::Mpow(v(P::Rme)));
    fromStored(P::Bl, f::Bl, "fs", "Mms", "Re", "Qes");
    const double bl = v(P::Bl);
    fromStored(
        P::gamma, [&](double mms) { return f::gamma(bl, mms); }, "Mms");
    fromStored(P::Xmax, f::Xmax, "Hc", "Hg");
    const double xmax = v(P::Xmax);
    set(P::Vd, f::Vd(sd, xmax));
    fromStored(
        P::Gloss, [&](double fs) { return f::Gloss(fs, xmax); }, "fs");
    fromStored(
        P::Glossmm, [&](double mms) { return f::Glossmm(mms, cms); }, "Mms");
    const double vas = v(P::Vas);
    fromStored(
        P::eta0, [&](double fs, double qes) { return f::eta0(fs, qes, vas); }, "fs", "Qes");
    set(P::SPL, f::SPL(v(P::eta0)));
    const double spl = v(P::SPL);
    fromStored(
        P::USPL, [&](double re) { return f::USPL(re, spl); }, "Re");
    fromStored(
        P::SPLmax, [&](double pe) { return f::SPLmax(pe, spl); }, "Pe");
    fromStored(P::Res, f::Res, "Re", "Qms", "Qes");
    fromStored(P::Lces, f::Lces, "Re", "fs", "Qes");
    fromStored(P::Cmes, f::Cmes, "Re", "fs", "Qes");
    fromStored(P::f4pi, f::f4pi, "Dd");
    fromStored(P::f2pi, f::f2pi, "Dd");
    fromStored(P::fmax, f::fmax, "Dd");
    fromStored(P::Zmax, f::Zmax, "Re", "Qms", "Qes");
}

std::size_t storedIndex(std::string_view key) {
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        if (recordKeys[i] == key)
            return i;
    return recordKeys.size();
}

}  // namespace

const std::array<DetailedColumn, kDetailedColumnCount>& detailedColumns() {
    return kColumns;
}

namespace {

// Writes the row in place: a row is forty strings, and moving ten thousand of them into the
// list costs as much as computing them.
void fillDetailedRow(DetailedRow& row, std::string_view name, std::array<std::string, 11>& texts,
                     NumberFormat format) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (isNumericKey(recordKeys[i]))
            texts[i] = normaliseDecimal(texts[i], format);
    const RecordQuantities quantities(texts, format);
    row[kNameColumn].assign(name);
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c) {
        const DetailedColumn& column = kColumns[c];
        if (column.derived)
            row[c] = formatRounded(quantities.value(*column.derived), column.decimals, format);
        else
            row[c] = texts[storedIndex(column.key)];
    }
}

}  // namespace

DetailedRow detailedRow(std::string_view name, const std::array<std::string, 11>& storedValues,
                        NumberFormat format) {
    std::array<std::string, 11> texts = storedValues;
    DetailedRow row;
    fillDetailedRow(row, name, texts, format);
    return row;
}

std::vector<DetailedRow> detailedRows(const DriverDatabase& database,
                                      const std::vector<std::string>& names, NumberFormat format) {
    std::vector<DetailedRow> rows;
    if (names.empty()) {
        rows.emplace_back();
        return rows;
    }
    rows.reserve(names.size());
    std::array<std::string, 11> values;
    std::array<std::string_view, 11> found;
    for (const std::string& name : names) {
        // One look-up of the record and one pass over its lines for all eleven keys.
        found.fill({});
        if (const auto index = database.recordIndex(name))
            database.valuesAt(*index, recordKeys, found);
        for (std::size_t i = 0; i < recordKeys.size(); ++i) values[i].assign(found[i]);
        fillDetailedRow(rows.emplace_back(), name, values, format);
    }
    return rows;
}

std::vector<std::size_t> selectionSortOrder(const std::vector<double>& values) {
    std::vector<double> v = values;
    std::vector<std::size_t> order(values.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (std::size_t i = 0; i < v.size(); ++i) {
        std::size_t smallest = i;
        for (std::size_t j = i + 1; j < v.size(); ++j)
            if (v[j] < v[smallest])
                smallest = j;
        std::swap(v[i], v[smallest]);
        std::swap(order[i], order[smallest]);
    }
    return order;
}

// The selection sort's result without its n^2 scans: the remaining rows are kept ordered by
// (value, position), and the swap moves the displaced row to the position it is swapped into.
std::vector<std::size_t> fastSelectionSortOrder(const std::vector<double>& values) {
    std::vector<double> v = values;
    std::vector<std::size_t> order(values.size());
    std::set<std::pair<double, std::size_t>> remaining;
    for (std::size_t i = 0; i < v.size(); ++i) {
        order[i] = i;
        remaining.emplace(v[i], i);
    }
    for (std::size_t i = 0; i < v.size(); ++i) {
        const std::size_t smallest = remaining.begin()->second;
        remaining.erase(remaining.begin());
        if (smallest != i) {
            remaining.erase({v[i], i});
            remaining.emplace(v[i], smallest);
            std::swap(v[i], v[smallest]);
            std::swap(order[i], order[smallest]);
        }
    }
    return order;
}

std::optional<std::vector<std::size_t>> sortedRowOrder(const std::vector<DetailedRow>& rows,
                                                       const std::vector<std::size_t>& shownOrder,
                                                       std::size_t column, NumberFormat format) {
    std::vector<double> values;
    values.reserve(shownOrder.size());
    for (std::size_t row : shownOrder) {
        const std::optional<double> value =
            parseDecimal(rows[row][column], format, SignRule::AllowMinus);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    std::vector<std::size_t> order = fastSelectionSortOrder(values);
    for (std::size_t& position : order) position = shownOrder[position];
    return order;
}

}  // namespace sublumo::database
