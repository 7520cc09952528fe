#include "driver_lists.h"

#include <gtest/gtest.h>

#include "driver_database.h"
#include "test_files.h"

namespace sublumo::database {
namespace {

constexpr NumberFormat kPoint{'.'};
using Names = std::vector<std::string>;

class AllList : public ::testing::Test {
protected:
    void add(const std::string& name, const std::string& dd, const std::string& qts = "0.5") {
        // Qms = Qes = 2·Qts gives that Qts exactly.
        const std::string q = std::to_string(2 * std::stod(qts));
        for (const auto& [key, value] : {std::pair<const char*, std::string>{"Qms", q},
                                         {"Qes", q},
                                         {"fs", "40"},
                                         {"Mms", "20"},
                                         {"Dd", dd},
                                         {"Re", "6"}})
            m_db.writeValue(name, key, value);
    }
    RefreshOutcome refresh(int position = 0) {
        return m_lists.refreshDriverList(m_db, m_filter, position, kPoint);
    }
    void SetUp() override {
        add("Maker One 10W", "199.9995");
        add("beta 10", "260.0001");
        add("Alpha 8", "200");
        add("alpha 10", "260", "0.3995");
        m_filter.on = true;
    }

    DriverDatabase m_db;
    DriverLists m_lists;
    DriverFilter m_filter;
};

TEST_F(AllList, WithTheFilterOffListsEveryRecordAlphabeticallyIgnoringCase) {
    m_filter.on = false;
    m_filter.searchText = "zzz";  // ignored while the filter is off
    ASSERT_TRUE(refresh(2).ok);
    EXPECT_EQ(m_lists.allEntries(), (Names{"alpha 10", "Alpha 8", "beta 10", "Maker One 10W"}));
    EXPECT_EQ(m_lists.allCaption(), "All");
    EXPECT_EQ(m_lists.allSelection(), 2u);
    ASSERT_TRUE(refresh(4).ok);
    EXPECT_FALSE(m_lists.allSelection().has_value());  // position past the end
    EXPECT_EQ(m_lists.findInAll("MAKER one 10w"), 3u);
}

// Names that agree in their first bytes, end early or carry letters beyond ASCII come in the
// order alphabeticallyBefore gives.
TEST_F(AllList, ListsLongAndLookAlikeNamesInTheOneAlphabeticalOrder) {
    for (const char* name :
         {"Scan-Speak 18W/8531", "scan-speak 18W/8531G00", "Scan-Speak 15W", "Scan", "scan-",
          "\xC3\x84tna Horn", "\xC3\xA4tna", "Acme 10", "acme 1", "ACME 100 Woofer", "Zeta", "z"})
        add(name, "200");
    m_filter.on = false;
    ASSERT_TRUE(refresh().ok);
    Names expected = m_lists.nameList();
    ASSERT_EQ(expected.size(), 16u);
    std::sort(expected.begin(), expected.end(), alphabeticallyBefore);
    EXPECT_EQ(m_lists.allEntries(), expected);
}

TEST_F(AllList, SearchTextIgnoresTheCaseOfAToZ) {
    struct Row {
        const char* text;
        Names listed;
        const char* caption;
    };
    const Row rows[] = {
        {"10", {"alpha 10", "beta 10", "Maker One 10W"}, "Filtered"},
        {"ONE", {"Maker One 10W"}, "Filtered"},
        {"a", {"alpha 10", "Alpha 8", "beta 10", "Maker One 10W"}, "All"},
        {"", {"alpha 10", "Alpha 8", "beta 10", "Maker One 10W"}, "All"},
        {"gamma", {}, "Filtered"},
    };
    for (const Row& row : rows) {
        m_filter.searchText = row.text;
        ASSERT_TRUE(refresh().ok) << row.text;
        EXPECT_EQ(m_lists.allEntries(), row.listed) << row.text;
        EXPECT_EQ(m_lists.allCaption(), row.caption) << row.text;
        EXPECT_FALSE(m_lists.allSelection().has_value()) << row.text;
    }
}

TEST_F(AllList, CriteriaHaveTheirToleranceOrNone) {
    m_filter[Criterion::Dd] = {true, "200", "260"};
    ASSERT_TRUE(refresh().ok);
    // 199.9995 passes by the tolerance below the minimum; 260.0001 is above the maximum.
    EXPECT_EQ(m_lists.allEntries(), (Names{"alpha 10", "Alpha 8", "Maker One 10W"}));

    m_filter[Criterion::Qts] = {true, "0,40", "999"};
    ASSERT_TRUE(refresh().ok);
    EXPECT_EQ(m_lists.allEntries(), (Names{"Alpha 8", "Maker One 10W"}));  // 0.3995 fails

    m_filter[Criterion::Dd] = {true, "300", "100"};  // crossed bounds pass nothing
    ASSERT_TRUE(refresh().ok);
    EXPECT_TRUE(m_lists.allEntries().empty());
}

TEST_F(AllList, ARecordThatCannotBeJudgedStopsTheRefreshAndKeepsThePreviousList) {
    m_filter.searchText = "10";
    ASSERT_TRUE(refresh().ok);
    const Names before = m_lists.allEntries();

    m_db.writeValue("Alpha 8", "Re", "");
    m_filter[Criterion::Dd] = {true, "0", "999"};
    EXPECT_TRUE(refresh().ok) << "Re is not read while its criterion is unchecked";
    m_filter[Criterion::Re] = {true, "0", "999"};
    RefreshOutcome outcome = refresh();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.errorText,
              "The record \"Alpha 8\" cannot be filtered: its Re \"\" is not a number.");
    EXPECT_EQ(m_lists.allEntries(), before);

    m_db.writeValue("Alpha 8", "Re", "6");
    m_db.writeValue("Alpha 8", "Mms", "0");
    m_filter[Criterion::SPL] = {true, "0", "999"};
    outcome = refresh();
    EXPECT_EQ(outcome.errorText,
              "The record \"Alpha 8\" cannot be filtered: its SPL cannot be computed.");

    // Also after the names changed, the failed refresh keeps the list as it was shown.
    m_db.writeValue("New 10", "Dd", "100");
    EXPECT_FALSE(refresh().ok);
    EXPECT_EQ(m_lists.allEntries(), before);

    m_filter[Criterion::SPL].enabled = false;
    m_filter[Criterion::Re].maximum = "x";
    outcome = refresh();
    EXPECT_EQ(outcome.errorText, "The filter bound \"x\" of Re [Ohm] is not a number.");
    EXPECT_EQ(m_lists.allEntries(), before);
}

TEST_F(AllList, AChangedValueIsJudgedAgainAndTheOthersKeepTheirs) {
    m_filter[Criterion::Dd] = {true, "200", "260"};
    ASSERT_TRUE(refresh().ok);
    EXPECT_EQ(m_lists.allEntries(), (Names{"alpha 10", "Alpha 8", "Maker One 10W"}));
    m_db.writeValue("ALPHA 8", "Dd", "300");  // the record's name in another case
    m_db.writeValue("beta 10", "dd", "210");  // and the key's
    ASSERT_TRUE(refresh().ok);
    EXPECT_EQ(m_lists.allEntries(), (Names{"alpha 10", "beta 10", "Maker One 10W"}));
    // Another separator reads every record again: the stored "." still reads.
    ASSERT_TRUE(m_lists.refreshDriverList(m_db, m_filter, 0, NumberFormat{','}).ok);
    EXPECT_EQ(m_lists.allEntries(), (Names{"alpha 10", "beta 10", "Maker One 10W"}));
}

TEST(FilteredList, SeesAValueAnotherCopyWroteOnceAFlushTookIt) {
    testing::TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    testing::writeBytes(path,
                        "[A]\r\nQms=2\r\nQes=0.4\r\nfs=30\r\nMms=50\r\nDd=200\r\nRe=6\r\n\r\n"
                        "[B]\r\nQms=2\r\nQes=0.4\r\nfs=30\r\nMms=50\r\nDd=300\r\nRe=6\r\n\r\n");
    DriverDatabase mine, other;
    mine.openDatabase(path);
    other.openDatabase(path);
    DriverLists lists;
    DriverFilter filter;
    filter.on = true;
    filter[Criterion::Dd] = {true, "150", "250"};
    ASSERT_TRUE(lists.refreshDriverList(mine, filter, 0, kPoint).ok);
    EXPECT_EQ(lists.allEntries(), (Names{"A"}));

    other.writeValue("B", "Dd", "210");
    ASSERT_TRUE(other.flushDatabase());
    mine.writeValue("A", "Re", "8");  // this copy's own change, flushed over the other's
    ASSERT_TRUE(mine.flushDatabase());
    ASSERT_TRUE(lists.refreshDriverList(mine, filter, 0, kPoint).ok);
    EXPECT_EQ(lists.allEntries(), (Names{"A", "B"}));
}

TEST_F(AllList, TakesTheNameListAgainWhenTheNamesChanged) {
    m_filter.on = false;
    ASSERT_TRUE(refresh().ok);
    m_db.eraseRecord("beta 10");
    m_db.writeValue("Aardvark", "Dd", "100");
    ASSERT_TRUE(refresh().ok);
    EXPECT_EQ(m_lists.nameList(), (Names{"Maker One 10W", "Alpha 8", "alpha 10", "Aardvark"}));
    EXPECT_EQ(m_lists.allEntries(), (Names{"Aardvark", "alpha 10", "Alpha 8", "Maker One 10W"}));
}

TEST(EmptyDatabase, ListsNothingAndCountsZeroOfZero) {
    const DriverDatabase db;
    DriverLists lists;
    DriverFilter filter;
    for (bool on : {false, true}) {
        filter.on = on;
        filter[Criterion::SPL].enabled = on;
        ASSERT_TRUE(lists.refreshDriverList(db, filter, 0, kPoint).ok);
        EXPECT_EQ(lists.allCount(), 0u);
        EXPECT_EQ(lists.allCaption(), "All");
        EXPECT_EQ(countLabelText(DriverListPage::All, lists.allSelection(), lists.allCount(),
                                 lists.nameList().size()),
                  "#0/0/0");
    }
}

TEST(RecentList, NoteRecentRecordSkipsRepeatsAndKeepsTheLast25) {
    std::vector<std::string> recent;
    noteRecentRecord(recent, "A");
    noteRecentRecord(recent, "A");
    EXPECT_EQ(recent, (Names{"A"}));
    noteRecentRecord(recent, "B");
    noteRecentRecord(recent, "A");
    EXPECT_EQ(recentlyOpenedRows(recent), (Names{"A", "B", "A"}));
    noteRecentRecord(recent, "a");  // exact comparison: another letter case is another entry
    EXPECT_EQ(recent.size(), 4u);

    recent.clear();
    for (int i = 1; i <= 30; ++i) noteRecentRecord(recent, "Driver " + std::to_string(i));
    ASSERT_EQ(recent.size(), 25u);
    EXPECT_EQ(recent.front(), "Driver 6");
    EXPECT_EQ(recentlyOpenedRows(recent).front(), "Driver 30");
}

TEST(CountLabel, ShowsPositionListedAndTotal) {
    EXPECT_EQ(countLabelText(DriverListPage::All, std::nullopt, 0, 0), "#0/0/0");
    EXPECT_EQ(countLabelText(DriverListPage::All, 2, 120, 450), "#3/120/450");
    EXPECT_EQ(countLabelText(DriverListPage::Memory, 0, 25), "#1/25");
    EXPECT_EQ(countLabelText(DriverListPage::RecentlyOpened, std::nullopt, 3), "#0/3");
    EXPECT_EQ(positionRow(-1, 5), std::nullopt);
    EXPECT_EQ(positionRow(0, 0), std::nullopt);
    EXPECT_EQ(positionRow(4, 5), 4u);
}

TEST(SelectionRules, EnableTheButtonsOfEachTab) {
    struct Row {
        const char* name;
        DriverListPage tab;
        Selection selection;
        ButtonStates expected;  // save, load, delete
    };
    const Row rows[] = {
        {"All, row of a complete driver",
         DriverListPage::All,
         {1, 5, true, false},
         {true, true, true}},
        {"All, incomplete driver", DriverListPage::All, {1, 5, false, false}, {false, true, true}},
        {"All, empty list",
         DriverListPage::All,
         {std::nullopt, 0, true, false},
         {true, false, false}},
        {"Recent, row", DriverListPage::RecentlyOpened, {0, 3, true, false}, {false, true, false}},
        {"Recent, none", DriverListPage::RecentlyOpened, {std::nullopt, 0, true, false}, {}},
        {"Memory, filled bank", DriverListPage::Memory, {2, 25, false, true}, {false, true, true}},
        {"Memory, empty bank", DriverListPage::Memory, {2, 25, true, false}, {true, false, false}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(selectionButtons(row.tab, row.selection), row.expected) << row.name;

    const ButtonStates saveOn{true, false, false};
    EXPECT_EQ(buttonsAfterRefresh(saveOn, 3, 0), (ButtonStates{true, true, true}));
    EXPECT_EQ(buttonsAfterRefresh(saveOn, 3, std::nullopt), saveOn);
    EXPECT_EQ(buttonsAfterRefresh(ButtonStates{false, true, true}, 0, 0), ButtonStates{});
}

TEST(Alphabetical, IgnoresLetterCaseThenUsesByteOrder) {
    EXPECT_TRUE(alphabeticallyBefore("alpha", "Beta"));
    EXPECT_TRUE(alphabeticallyBefore("Alpha", "alpha"));
    EXPECT_FALSE(alphabeticallyBefore("alpha", "alpha"));
    EXPECT_TRUE(alphabeticallyBefore("\xC3\x84tna", "\xC3\xA4z"));  // Ätna before äz
    EXPECT_TRUE(nameContains("Maker One", "ONE"));
    EXPECT_FALSE(nameContains("Maker One", "two"));
}

}  // namespace
}  // namespace sublumo::database
