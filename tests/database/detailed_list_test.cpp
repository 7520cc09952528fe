#include "detailed_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "driver_database.h"
#include "settings_keys.h"

namespace sublumo::database {
namespace {

constexpr NumberFormat kPoint{'.'};
constexpr NumberFormat kComma{','};

// Stored texts in record-key order: Qms, Qes, fs, Mms, Dd, Re, Hc, Hg, Pe, Le, URL.
using Stored = std::array<std::string, 11>;
const Stored kReference = {"2.5", "0.35", "30", "60", "260", "5.6", "12", "6", "100", "1.2", ""};

std::size_t column(std::string_view header) {
    const auto& columns = detailedColumns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].header == header)
            return c;
    ADD_FAILURE() << "no column " << header;
    return 0;
}

std::string cell(const DetailedRow& row, std::string_view header) {
    return row[column(header)];
}

TEST(DetailedList, ColumnsAndTheirSwitchesMatchTheSettingsKeys) {
    const auto& columns = detailedColumns();
    EXPECT_EQ(columns[0].header, "Manufacturer and Model");
    EXPECT_EQ(columns[1].header, "Qms");
    EXPECT_EQ(columns[24].header, "Gloss [mm]");
    EXPECT_EQ(columns[24].key, "Glossmm");
    EXPECT_EQ(columns[39].header, "URL");
    // Every column switch has its Form2 key, with the same default.
    for (std::size_t c = 1; c < columns.size(); ++c) {
        const auto& keys = form2Keys();
        const auto key = std::find_if(keys.begin(), keys.end(),
                                      [&](const SettingKey& k) { return k.key == columns[c].key; });
        ASSERT_NE(key, keys.end()) << columns[c].key;
        EXPECT_EQ(key->defaultText, columns[c].shownByDefault ? "1" : "0") << columns[c].key;
    }
}

TEST(DetailedList, DerivedColumnsOfTheReferenceDriver) {
    const DetailedRow row = detailedRow("Ref 10", kReference, kPoint);
    const std::vector<std::pair<std::string_view, std::string>> expected = {
        {"Manufacturer and Model", "Ref 10"},
        {"Qts", "0.307"},
        {"Sd [cm^2]", "530.93"},
        {"Mair [g]", "7.03"},
        {"Mmd [g]", "52.97"},
        {"Cms [mm/N]", "0.469"},
        {"Kms [N/mm]", "2.13"},
        {"Rms [kg/s]", "4.52"},
        {"Vas [l]", "187.77"},
        {"Bl [N/A]", "13.45"},
        {"gamma [N/Akg]", "224"},
        {"EBP [Hz]", "85.7"},
        {"eta0 [%]", "1.405"},
        {"SPL [dB]", "93.49"},
        {"USPL [dB]", "95.04"},
        {"Xmax [mm]", "3"},
        {"Vd [cm^3]", "159.3"},
        {"SPLmax [dB]", "110.49"},
        {"Hc [mm]", "12"},
        {"URL", ""}};
    for (const auto& [header, text] : expected) EXPECT_EQ(cell(row, header), text) << header;
}

TEST(DetailedList, StoredCommasShowTheLocaleSeparatorAndStillCompute) {
    Stored commas = kReference;
    commas[0] = "2,5";
    commas[1] = "0,35";
    const DetailedRow onPoint = detailedRow("Ref", commas, kPoint);
    EXPECT_EQ(cell(onPoint, "Qms"), "2.5");
    EXPECT_EQ(cell(onPoint, "Qts"), "0.307");
    const DetailedRow onComma = detailedRow("Ref", kReference, kComma);
    EXPECT_EQ(cell(onComma, "Qes"), "0,35");
    EXPECT_EQ(cell(onComma, "Vas [l]"), "187,77");
}

TEST(DetailedList, AFailedQuantityIsZeroAndTheOnesBuiltOnItUseZero) {
    Stored noQes = kReference;
    noQes[1] = "";
    const DetailedRow row = detailedRow("No Qes", noQes, kPoint);
    for (std::string_view header :
         {"Qts", "EBP [Hz]", "Bl [N/A]", "Mpow [N/sqrt(W)]", "gamma [N/Akg]", "Rme [kg/s]",
          "eta0 [%]", "SPL [dB]", "Res [Ohm]", "Lces [mH]", "Cmes [uF]", "Zmax [Ohm]"})
        EXPECT_EQ(cell(row, header), "0") << header;
    EXPECT_EQ(cell(row, "USPL [dB]"), "1.55");  // 10·log10(8/5.6) alone
    EXPECT_EQ(cell(row, "SPLmax [dB]"), "17");  // 10·log10(100) - 3 alone
    EXPECT_EQ(cell(row, "Vas [l]"), "187.77");  // needs no Qes

    Stored odd = kReference;
    odd[3] = "1";  // Mms lighter than the air load: Mmd goes negative
    odd[7] = "0";  // Hg stored as 0: Xmax is still |Hc - Hg| / 2
    odd[8] = "abc";
    const DetailedRow oddRow = detailedRow("Odd", odd, kPoint);
    EXPECT_EQ(cell(oddRow, "Mmd [g]"), "-6.03");
    EXPECT_EQ(cell(oddRow, "Xmax [mm]"), "6");
    EXPECT_EQ(cell(oddRow, "SPLmax [dB]"), "0");
    EXPECT_EQ(cell(oddRow, "Pe [W]"), "abc");
}

TEST(DetailedList, RowsFollowTheGivenNamesAndAnEmptyListGivesOneEmptyRow) {
    DriverDatabase database;
    database.writeValue("B", "Qms", "3");
    database.writeValue("A", "Qms", "4");
    const auto rows = detailedRows(database, {"A", "B"}, kPoint);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "A");
    EXPECT_EQ(rows[1][1], "3");
    EXPECT_EQ(rows[1][2], "");  // a missing key is empty text
    const auto empty = detailedRows(database, {}, kPoint);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0], DetailedRow{});
}

TEST(DetailedList, NumberTextsThatReadAlikeGiveTheSameCells) {
    // The short form read while copying and the full parse must agree on every text.
    for (std::string_view re : {"5,6", "5.60", "05.6", "5.60000000000000000", " 5.6"}) {
        Stored values = kReference;
        values[5] = re;
        const DetailedRow row = detailedRow("Ref", values, kPoint);
        EXPECT_EQ(cell(row, "Re [Ohm]"), normaliseDecimal(re, kPoint)) << re;
        EXPECT_EQ(cell(row, "Bl [N/A]"), "13.45") << re;
        EXPECT_EQ(cell(row, "Zmax [Ohm]"), "45.6") << re;
    }
    for (std::string_view re : {"5.6.1", "5,6,1", "-", "5-6", "1e1", ""}) {
        Stored values = kReference;
        values[5] = re;
        EXPECT_EQ(cell(detailedRow("Odd", values, kPoint), "Res [Ohm]"), "0") << re;
    }
}

TEST(DetailedList, ADerivedColumnsWidthBoundCoversEveryTextItShows) {
    DriverDatabase database;
    std::vector<std::string> names;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> spread(-2.0, 4.0);  // 0.01 to 10 000, some negative
    for (int i = 0; i < 60; ++i) {
        const std::string name = "Driver " + std::to_string(i);
        for (const std::string_view key : recordKeys) {
            const double magnitude = std::pow(10.0, spread(random));
            const double value = i % 7 == 0 && key == "Mms" ? -magnitude : magnitude;
            database.writeValue(name, key, formatRounded(value, 3, kPoint));
        }
        names.push_back(name);
    }
    const DetailedRows rows = detailedRows(database, names, kComma);
    for (std::size_t c = 0; c < kDetailedColumnCount; ++c) {
        const auto bound = rows.widestNumber(c);
        ASSERT_EQ(bound.has_value(), detailedColumns()[c].derived.has_value()) << c;
        if (!bound)
            continue;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string text = rows.cell(r, c);
            const auto digits = std::count_if(text.begin(), text.end(), ::isdigit);
            EXPECT_LE(digits, bound->digits) << text;
            EXPECT_TRUE(bound->separator || text.find(',') == std::string::npos) << text;
            EXPECT_TRUE(bound->minus || text.find('-') == std::string::npos) << text;
        }
    }
}

TEST(DetailedList, SortingIsTheSelectionSortsOrderAndStopsAtANonNumber) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> few(0, 5);  // many ties, where the order shows
    for (int round = 0; round < 200; ++round) {
        std::vector<double> values(1 + round % 40);
        for (double& v : values) v = few(random) * 0.5;
        ASSERT_EQ(fastSelectionSortOrder(values), selectionSortOrder(values)) << round;
    }
    EXPECT_EQ(selectionSortOrder({2, 2, 1}), (std::vector<std::size_t>{2, 1, 0}));

    std::vector<DetailedRow> rows(3);
    rows[0][20] = "12";
    rows[1][20] = "8";
    rows[2][20] = "10";
    rows[0][1] = "1";
    rows[1][1] = "1";
    rows[2][1] = "1";
    const std::vector<std::size_t> listOrder = {0, 1, 2};
    EXPECT_EQ(sortedRowOrder(rows, listOrder, 20, kPoint), (std::vector<std::size_t>{1, 2, 0}));
    // A sort works on the order shown: equal Qms values keep the selection sort's order of it.
    EXPECT_EQ(sortedRowOrder(rows, {2, 0, 1}, 1, kPoint), (std::vector<std::size_t>{2, 0, 1}));
    rows[2][20] = "";  // one driver without Hc: back to list order
    EXPECT_EQ(sortedRowOrder(rows, listOrder, 20, kPoint), std::nullopt);
    EXPECT_EQ(sortedRowOrder(rows, listOrder, kNameColumn, kPoint), std::nullopt);
}

TEST(DetailedList, ADerivedColumnSortsByTheTextsItShows) {
    DriverDatabase database;
    // Qts 0.30507 and 0.30482 both show 0.305: a tie, which the selection sort leaves in the
    // order shown; by their full values B would come first.
    const std::vector<std::pair<std::string, std::string>> drivers = {
        {"A", "0.43"}, {"B", "0.4295"}, {"C", "1"}};
    std::vector<std::string> names;
    for (const auto& [name, qes] : drivers) {
        database.writeValue(name, "Qms", "1.05");
        database.writeValue(name, "Qes", qes);
        names.push_back(name);
    }
    const DetailedRows rows = detailedRows(database, names, kPoint);
    const std::size_t qts = column("Qts");
    ASSERT_EQ(rows.cell(0, qts), rows.cell(1, qts));
    EXPECT_EQ(sortedRowOrder(rows, {0, 1, 2}, qts), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(sortedRowOrder(rows, {2, 1, 0}, qts), (std::vector<std::size_t>{1, 0, 2}));
    EXPECT_EQ(sortedRowOrder(rows, {0, 1, 2}, column("URL")), std::nullopt);

    // A compliance of some 10^15 mm/N is compared as its written text too.
    database.writeValue("B", "fs", "0.0001");
    database.writeValue("B", "Mms", "0.001");
    database.writeValue("A", "fs", "30");
    database.writeValue("A", "Mms", "60");
    database.writeValue("C", "fs", "30");
    database.writeValue("C", "Mms", "90");
    const DetailedRows withHuge = detailedRows(database, names, kPoint);
    EXPECT_EQ(withHuge.cell(1, column("Cms [mm/N]")).size(), 16u);
    EXPECT_EQ(sortedRowOrder(withHuge, {0, 1, 2}, column("Cms [mm/N]")),
              (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(sortedRowOrder(detailedRows(database, {}, kPoint), {0}, qts), std::nullopt);
}

}  // namespace
}  // namespace sublumo::database
