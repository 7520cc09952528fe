#include "detailed_list.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "derived_quantities.h"
#include "driver_database.h"
#include "stored_number.h"

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

// The stored texts by their place in record-key order.
enum Stored : std::size_t { Qms, Qes, fs, Mms, Dd, Re, Hc, Hg, Pe, Le, URL };
static_assert(recordKeys[Qes] == "Qes" && recordKeys[Re] == "Re" && recordKeys[URL] == "URL");

using StoredNumbers = std::array<std::optional<double>, 11>;

// Unlike the parameter page, each quantity is computed without operand tests; a text that is
// no number or a non-finite result makes that one quantity 0, and a quantity built on it
// takes that 0.
class RecordQuantities {
public:
    explicit RecordQuantities(const StoredNumbers& stored) : m_stored(stored) { derive(); }

    double value(Param p) const { return m_values[indexOf(p)]; }

private:
    // Sets `p` from a computation over stored numbers; any missing number or non-finite
    // result gives 0.
    template <typename... Keys, typename F>
    void fromStored(Param p, F formula, Keys... keys) {
        if ((!m_stored[keys] || ...)) {
            set(p, 0.0);
            return;
        }
        set(p, formula(*m_stored[keys]...));
    }

    void set(Param p, double v) { m_values[indexOf(p)] = std::isfinite(v) ? v : 0.0; }
    double v(Param p) const { return value(p); }

    void derive();

    const StoredNumbers& m_stored;
    std::array<double, kParamCount> m_values{};
};

void RecordQuantities::derive() {
    using P = Param;
    namespace f = sublumo::derived;
    fromStored(P::Qts, f::Qts, Qes, Qms);
    fromStored(P::EBP, f::EBP, fs, Qes);
    fromStored(P::Sd, f::Sd, Dd);
    fromStored(P::Mair, f::Mair, Dd);
    const double mair = v(P::Mair);
    fromStored(
        P::Mmd, [&](double mms) { return f::Mmd(mms, mair); }, Mms);
    fromStored(P::Cms, f::Cms, fs, Mms);
    const double cms = v(P::Cms), sd = v(P::Sd);
    set(P::Kms, f::Kms(cms));
    set(P::Vas, f::Vas(sd, cms));
    fromStored(P::Rms, f::Rms, fs, Mms, Qms);
    fromStored(P::Rme, f::Rme, fs, Mms, Qes);
    set(P::Mpow, f::Mpow(v(P::Rme)));
    fromStored(P::Bl, f::Bl, fs, Mms, Re, Qes);
    const double bl = v(P::Bl);
    fromStored(
        P::gamma, [&](double mms) { return f::gamma(bl, mms); }, Mms);
    fromStored(P::Xmax, f::Xmax, Hc, Hg);
    const double xmax = v(P::Xmax);
    set(P::Vd, f::Vd(sd, xmax));
    fromStored(
        P::Gloss, [&](double fsValue) { return f::Gloss(fsValue, xmax); }, fs);
    fromStored(
        P::Glossmm, [&](double mms) { return f::Glossmm(mms, cms); }, Mms);
    const double vas = v(P::Vas);
    fromStored(
        P::eta0, [&](double fsValue, double qes) { return f::eta0(fsValue, qes, vas); }, fs, Qes);
    set(P::SPL, f::SPL(v(P::eta0)));
    const double spl = v(P::SPL);
    fromStored(
        P::USPL, [&](double re) { return f::USPL(re, spl); }, Re);
    fromStored(
        P::SPLmax, [&](double pe) { return f::SPLmax(pe, spl); }, Pe);
    fromStored(P::Res, f::Res, Re, Qms, Qes);
    fromStored(P::Lces, f::Lces, Re, fs, Qes);
    fromStored(P::Cmes, f::Cmes, Re, fs, Qes);
    fromStored(P::f4pi, f::f4pi, Dd);
    fromStored(P::f2pi, f::f2pi, Dd);
    fromStored(P::fmax, f::fmax, Dd);
    fromStored(P::Zmax, f::Zmax, Re, Qms, Qes);
}

constexpr std::size_t storedIndex(std::string_view key) {
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        if (recordKeys[i] == key)
            return i;
    return recordKeys.size();
}

// Where each column's text lies among a row's texts: 0 the name, 1 to 11 the stored texts in
// record-key order; derived columns have none.
constexpr std::array<std::size_t, kDetailedColumnCount> kTextIndex = [] {
    std::array<std::size_t, kDetailedColumnCount> index{};
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c)
        index[c] = kColumns[c].derived ? 0 : 1 + storedIndex(kColumns[c].key);
    return index;
}();

bool isDerived(std::size_t column) {
    return kColumns[column].derived.has_value();
}

// The digits of the whole part of a rounded magnitude; enough for a width bound.
int wholeDigits(double magnitude) {
    int digits = 1;
    for (double power = 10.0; magnitude >= power && digits < 400; power *= 10.0) ++digits;
    return digits;
}

// The derived columns with their quantities, for the passes that visit only those.
struct DerivedColumn {
    std::size_t column;
    Param param;
};
constexpr std::size_t kDerivedCount = [] {
    std::size_t count = 0;
    for (const DetailedColumn& column : kColumns) count += column.derived ? 1 : 0;
    return count;
}();
constexpr std::array<DerivedColumn, kDerivedCount> kDerived = [] {
    std::array<DerivedColumn, kDerivedCount> derived{};
    std::size_t at = 0;
    for (std::size_t c = 0; c < kDetailedColumnCount; ++c)
        if (kColumns[c].derived)
            derived[at++] = {c, *kColumns[c].derived};
    return derived;
}();

constexpr std::array<double, 16> kPowersOfTen = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Appends a stored number's text with "." and "," as the locale's separator, and reads it as
// readStoredNumber does in the same pass: a short plain decimal at once (the same double the
// general parse gives), anything else through readStoredNumber itself.
std::optional<double> appendNumber(std::string& out, std::string_view text, NumberFormat format) {
    const std::size_t begin = out.size();
    out.append(text);
    char* const copy = out.data() + begin;
    bool plain = true;
    const bool negative = !text.empty() && text.front() == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool separator = false;
    for (std::size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            ++digits;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += separator ? 1 : 0;
        } else if (c == '.' || c == ',') {
            copy[i] = format.decimalSeparator;
            plain = plain && !separator;
            separator = true;
        } else {
            plain = false;
        }
    }
    if (!plain || digits == 0 || digits > 15)
        return readStoredNumber(std::string_view(copy, text.size()), format);
    const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return negative ? -value : value;
}

}  // namespace

const std::array<DetailedColumn, kDetailedColumnCount>& detailedColumns() {
    return kColumns;
}

DetailedRows::DetailedRows(NumberFormat format) : m_format(format) {}

void DetailedRows::append(std::string_view name,
                          const std::array<std::string_view, 11>& storedValues) {
    Row& row = m_rows.emplace_back();
    row.bounds[0] = static_cast<std::uint32_t>(m_text.size());
    m_text.append(name);
    StoredNumbers numbers;
    for (std::size_t i = 0; i < storedValues.size(); ++i) {
        row.bounds[1 + i] = static_cast<std::uint32_t>(m_text.size());
        if (isNumericKey(recordKeys[i]))
            numbers[i] = appendNumber(m_text, storedValues[i], m_format);
        else
            m_text.append(storedValues[i]);
    }
    row.bounds[12] = static_cast<std::uint32_t>(m_text.size());
    noteExtremes(numbers);
}

void DetailedRows::reserve(std::size_t rows) {
    constexpr std::size_t kTypicalRowText = 96;  // a name, ten short numbers and a web address
    m_rows.reserve(rows);
    m_text.reserve(rows * kTypicalRowText);
}

void DetailedRows::appendEmpty() {
    Row& row = m_rows.emplace_back();
    row.bounds.fill(static_cast<std::uint32_t>(m_text.size()));
    row.empty = true;
}

std::string_view DetailedRows::text(const Row& row, std::size_t index) const {
    return std::string_view(m_text).substr(row.bounds[index],
                                           row.bounds[index + 1] - row.bounds[index]);
}

StoredNumbers DetailedRows::storedNumbers(const Row& row) const {
    StoredNumbers numbers;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (isNumericKey(recordKeys[i]))
            numbers[i] = readStoredNumber(text(row, 1 + i), m_format);
    return numbers;
}

// Only the extremes are kept: they bound every derived column's widest text, so the widths
// need no cell written.
void DetailedRows::noteExtremes(const StoredNumbers& stored) {
    const RecordQuantities quantities(stored);
    for (const DerivedColumn& derived : kDerived) {
        const double value = quantities.value(derived.param);
        Extremes& extremes = m_extremes[derived.column];
        if (!m_hasValues) {
            extremes = {std::abs(value), value};
            continue;
        }
        extremes.largest = std::max(extremes.largest, std::abs(value));
        extremes.smallest = std::min(extremes.smallest, value);
    }
    m_hasValues = true;
}

std::string_view DetailedRows::storedCell(std::size_t row, std::size_t column) const {
    if (isDerived(column))
        return {};
    return text(m_rows[row], kTextIndex[column]);
}

std::string DetailedRows::cell(std::size_t row, std::size_t column) const {
    const Row& shown = m_rows[row];
    if (!isDerived(column))
        return std::string(text(shown, kTextIndex[column]));
    if (shown.empty)
        return {};
    const RecordQuantities quantities(storedNumbers(shown));
    return formatRounded(quantities.value(*kColumns[column].derived), kColumns[column].decimals,
                         m_format);
}

DetailedRow DetailedRows::operator[](std::size_t row) const {
    DetailedRow cells;
    const Row& shown = m_rows[row];
    for (std::size_t c = 0; c < kDetailedColumnCount; ++c)
        if (!isDerived(c))
            cells[c] = text(shown, kTextIndex[c]);
    if (shown.empty)
        return cells;
    const RecordQuantities quantities(storedNumbers(shown));
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c)
        if (isDerived(c))
            cells[c] = formatRounded(quantities.value(*kColumns[c].derived), kColumns[c].decimals,
                                     m_format);
    return cells;
}

std::optional<double> DetailedRows::sortValue(std::size_t row, std::size_t column) const {
    const Row& shown = m_rows[row];
    if (!isDerived(column))
        return parseDecimal(text(shown, kTextIndex[column]), m_format, SignRule::AllowMinus);
    if (shown.empty)
        return std::nullopt;
    // The value as its text reads back, so that equal texts sort as ties. Below 10^14 units of
    // the last decimal the text is the rounded value's exact decimal, which reads back as the
    // rounded value itself; larger values are written and read.
    const int decimals = kColumns[column].decimals;
    const double value = RecordQuantities(storedNumbers(shown)).value(*kColumns[column].derived);
    const double rounded = roundToDecimals(value, decimals);
    if (std::abs(rounded) < 1e14 / kPowersOfTen[static_cast<std::size_t>(decimals)])
        return rounded;
    return parseDecimal(formatRounded(value, decimals, m_format), m_format, SignRule::AllowMinus);
}

std::optional<NumberTextBound> DetailedRows::widestNumber(std::size_t column) const {
    if (!isDerived(column))
        return std::nullopt;
    if (!m_hasValues)
        return NumberTextBound{};
    const int decimals = kColumns[column].decimals;
    const double largest = roundToDecimals(m_extremes[column].largest, decimals);
    if (largest == 0.0)
        return NumberTextBound{1, false, false};
    return NumberTextBound{wholeDigits(largest) + decimals, decimals > 0,
                           roundToDecimals(m_extremes[column].smallest, decimals) < 0.0};
}

DetailedRow detailedRow(std::string_view name, const std::array<std::string, 11>& storedValues,
                        NumberFormat format) {
    std::array<std::string_view, 11> values;
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = storedValues[i];
    DetailedRows rows(format);
    rows.append(name, values);
    return rows[0];
}

DetailedRows detailedRows(const DriverDatabase& database, const std::vector<std::string>& names,
                          NumberFormat format) {
    DetailedRows rows(format);
    if (names.empty()) {
        rows.appendEmpty();
        return rows;
    }
    rows.reserve(names.size());
    std::array<std::string_view, 11> values;
    for (const std::string& name : names) {
        // One look-up of the record and one pass over its lines for all eleven keys.
        values.fill({});
        if (const auto index = database.recordIndex(name))
            database.valuesAt(*index, recordKeys, values);
        rows.append(name, values);
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

// The selection sort's result without its n^2 scans. The rows of equal value form a group, and
// the groups are taken in order of value; within a group the selection sort takes the row at
// the earliest position, so each group keeps its rows' positions in a min-heap. The swap moves
// the row at position i, the earliest of all remaining, to the position just taken.
std::vector<std::size_t> fastSelectionSortOrder(const std::vector<double>& values) {
    const std::size_t n = values.size();
    std::vector<std::size_t> byValue(n);
    for (std::size_t i = 0; i < n; ++i) byValue[i] = i;
    std::stable_sort(byValue.begin(), byValue.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    // positions[groupStart[g] .. groupStart[g + 1]) is group g's heap of positions, ascending
    // at first, which is a heap already; groupEnd[g] is where its remaining part ends.
    std::vector<std::size_t> positions = byValue;
    std::vector<std::size_t> groupStart, groupEnd, groupOf(n);
    for (std::size_t k = 0; k < n; ++k) {
        if (k == 0 || values[byValue[k]] != values[byValue[k - 1]])
            groupStart.push_back(k);
        groupOf[byValue[k]] = groupStart.size() - 1;
    }
    groupEnd.assign(groupStart.begin() + (groupStart.empty() ? 0 : 1), groupStart.end());
    groupEnd.push_back(n);
    const auto heap = [&](std::size_t g) {
        return std::pair(positions.begin() + static_cast<std::ptrdiff_t>(groupStart[g]),
                         positions.begin() + static_cast<std::ptrdiff_t>(groupEnd[g]));
    };
    std::vector<std::size_t> order(n);  // the original row now at each position
    for (std::size_t i = 0; i < n; ++i) order[i] = i;
    std::size_t current = 0;  // the group of the smallest value left
    for (std::size_t i = 0; i < n; ++i) {
        while (groupEnd[current] == groupStart[current]) ++current;
        auto [first, last] = heap(current);
        std::pop_heap(first, last, std::greater<>());
        const std::size_t smallest = *(last - 1);
        --groupEnd[current];
        if (smallest == i)
            continue;
        // The row at i is the earliest of its group: its place in the heap becomes `smallest`.
        const std::size_t displaced = groupOf[order[i]];
        auto [dFirst, dLast] = heap(displaced);
        std::pop_heap(dFirst, dLast, std::greater<>());
        *(dLast - 1) = smallest;
        std::push_heap(dFirst, dLast, std::greater<>());
        std::swap(order[i], order[smallest]);
    }
    return order;
}

namespace {

// The order of the rows in `shownOrder` by the numbers `valueOf` gives them, or nothing at the
// first row that has none.
template <typename ValueOf>
std::optional<std::vector<std::size_t>> sortedBy(const std::vector<std::size_t>& shownOrder,
                                                 ValueOf valueOf) {
    std::vector<double> values;
    values.reserve(shownOrder.size());
    for (std::size_t row : shownOrder) {
        const std::optional<double> value = valueOf(row);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    std::vector<std::size_t> order = fastSelectionSortOrder(values);
    for (std::size_t& position : order) position = shownOrder[position];
    return order;
}

}  // namespace

std::optional<std::vector<std::size_t>> sortedRowOrder(const DetailedRows& rows,
                                                       const std::vector<std::size_t>& shownOrder,
                                                       std::size_t column) {
    return sortedBy(shownOrder, [&](std::size_t row) { return rows.sortValue(row, column); });
}

std::optional<std::vector<std::size_t>> sortedRowOrder(const std::vector<DetailedRow>& rows,
                                                       const std::vector<std::size_t>& shownOrder,
                                                       std::size_t column, NumberFormat format) {
    return sortedBy(shownOrder, [&](std::size_t row) {
        return parseDecimal(rows[row][column], format, SignRule::AllowMinus);
    });
}

}  // namespace sublumo::database
