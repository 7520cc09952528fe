#include "added_mass_list.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

AddedMassEntry entry(const char* madd, const char* mms) {
    return {"50", "40", madd, mms};
}

TEST(AddedMassList, StartsEmptyWithDeleteAndClearDisabled) {
    const AddedMassList list;
    EXPECT_TRUE(list.entries().empty());
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_FALSE(list.clearEnabled());
    EXPECT_EQ(list.averageLine(kDot), "");
}

TEST(AddedMassList, OneEntryHasNoAverage) {
    AddedMassList list;
    list.add(entry("10", "17.8"));
    EXPECT_EQ(list.itemTexts(), std::vector<std::string>{"10 g: 17.8 g"});
    EXPECT_EQ(list.averageLine(kDot), "");
    EXPECT_TRUE(list.clearEnabled());
    EXPECT_FALSE(list.deleteEnabled());  // nothing selected yet
}

TEST(AddedMassList, AveragesTheMmsTexts) {
    AddedMassList list;
    list.add(entry("10", "17.8"));
    list.add(entry("20", "18.3"));
    EXPECT_EQ(list.averageLine(kDot), "avg: 18.1 g");  // 18.05 is stored just above the half
    list.add(entry("5", "17"));
    EXPECT_EQ(list.averageLine(kDot), "avg: 17.7 g");
}

TEST(AddedMassList, AveragesWithComma) {
    AddedMassList list;
    list.add(entry("10", "17,8"));
    list.add(entry("20", "18,4"));
    EXPECT_EQ(list.averageLine(kComma), "avg: 18,1 g");
}

TEST(AddedMassList, SelectingGivesBackTheInputTexts) {
    AddedMassList list;
    list.add({"50", "40", "10", "17.8"});
    list.add({"51", "41", "12", "22.5"});
    const auto selected = list.select(1);
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->fs, "51");
    EXPECT_EQ(selected->newFs, "41");
    EXPECT_EQ(selected->madd, "12");
    EXPECT_TRUE(list.deleteEnabled());
    EXPECT_FALSE(list.select(2));
    EXPECT_EQ(list.selected(), 1u);
}

TEST(AddedMassList, DeleteSelectsTheNextOrTheNewLast) {
    AddedMassList list;
    list.add(entry("1", "11"));
    list.add(entry("2", "12"));
    list.add(entry("3", "13"));
    list.select(1);
    list.removeSelected();
    EXPECT_EQ(list.itemTexts(), (std::vector<std::string>{"1 g: 11 g", "3 g: 13 g"}));
    EXPECT_EQ(list.selected(), 1u);  // the entry now at the same position
    list.removeSelected();
    EXPECT_EQ(list.selected(), 0u);  // the last was deleted: the new last
    EXPECT_EQ(list.averageLine(kDot), "");
    list.removeSelected();
    EXPECT_TRUE(list.entries().empty());
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_FALSE(list.clearEnabled());
}

TEST(AddedMassList, DeleteWithoutSelectionDoesNothing) {
    AddedMassList list;
    list.add(entry("1", "11"));
    list.removeSelected();
    EXPECT_EQ(list.entries().size(), 1u);
}

TEST(AddedMassList, ClearEmptiesEverything) {
    AddedMassList list;
    list.add(entry("1", "11"));
    list.add(entry("2", "12"));
    list.select(0);
    list.clear();
    EXPECT_TRUE(list.entries().empty());
    EXPECT_FALSE(list.deleteEnabled());
    EXPECT_FALSE(list.clearEnabled());
    EXPECT_EQ(list.averageLine(kDot), "");
}

}  // namespace
}  // namespace sublumo::tools::test
