#include <QSignalSpy>

#include "driver_lists/driver_lists_page.h"
#include "driver_lists_fixture.h"
#include "loudspeaker/parameter_panel.h"

namespace sublumo::ui_test {
namespace {

constexpr int kRecentTab = 1;
constexpr int kMemoryTab = 2;

class DriverListsPageTest : public DriverListsFixture {
protected:
    void startWith(const std::vector<StoredDriver>& drivers) {
        writeDatabase(drivers);
        start();
    }
    QStringList allRows() const { return rows(list("allList")); }
    QString question(const char* which, const QString& name) const {
        return QStringLiteral("Confirm: Are you sure you want to %1 this record?\n%2")
            .arg(QLatin1String(which), name);
    }
};

TEST_F(DriverListsPageTest, AllListsEveryRecordAlphabeticallyWithTheCount) {
    startWith({{"b two"}, {"A one"}, {"c three"}});
    EXPECT_EQ(allRows(), (QStringList{"A one", "b two", "c three"}));
    EXPECT_EQ(tabs()->tabText(0), "All");
    EXPECT_EQ(selected(list("allList")), 0);
    EXPECT_EQ(countText(), "#1/3/3");
    clickRow(list("allList"), 2);
    EXPECT_EQ(countText(), "#3/3/3");
    EXPECT_EQ(text("renameField"), "c three");
    EXPECT_TRUE(enabled("loadButton"));
    EXPECT_TRUE(enabled("deleteButton"));
    EXPECT_FALSE(enabled("saveButton"));  // the driver in the fields is not complete
}

TEST_F(DriverListsPageTest, TheCountLabelOnAllOpensTheDetailedList) {
    startWith({{"A"}});
    auto* label = find<QLabel>("countLabel");
    EXPECT_EQ(label->toolTip(), "Show detailed list");
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    QSignalSpy requests(&window->driverListsPage(), &DriverListsPage::detailedListRequested);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(requests.count(), 1);
    showTab(kMemoryTab);
    EXPECT_EQ(label->toolTip(), "");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(requests.count(), 1);
}

TEST_F(DriverListsPageTest, SavingANewDriverStoresItWithHttpsForAnEmptyAddress) {
    startWith({{"Other"}});
    typeDriver("New One");
    find<QLineEdit>("driverUrlField")->clear();
    ASSERT_TRUE(enabled("saveButton"));
    click("saveButton");
    EXPECT_TRUE(platform.questions.isEmpty());
    EXPECT_EQ(text("driverUrlField"), "https://");
    EXPECT_EQ(allRows(), (QStringList{"New One", "Other"}));
    EXPECT_EQ(selected(list("allList")), 0);
    EXPECT_FALSE(enabled("saveButton"));
    EXPECT_TRUE(readFile("sublumo_tsp.ini")
                    .endsWith("[New One]\r\nQms=2.5\r\nQes=0.35\r\nfs=30\r\nMms=60\r\nDd=260\r\n"
                              "Re=5.6\r\nHc=0\r\nHg=0\r\nPe=0\r\nLe=0\r\nURL=https://\r\n\r\n"));
}

TEST_F(DriverListsPageTest, OverwritingABCByabcKeepsABCInItsPlace) {
    startWith({{"ABC"}, {"Other"}});
    typeDriver("abc");
    typeInto(window.get(), "Qms", "4");
    platform.yesNoAnswers = {true};
    click("saveButton");
    EXPECT_EQ(platform.questions, QStringList{question("overwrite", "abc")});
    EXPECT_EQ(window->database().recordNames(), (std::vector<std::string>{"ABC", "Other"}));
    EXPECT_TRUE(readFile("sublumo_tsp.ini").startsWith("[ABC]\r\nQms=4\r\n"));
    EXPECT_EQ(selected(list("allList")), 0);
}

TEST_F(DriverListsPageTest, NoToTheOverwriteWritesNothingButSelectsTheRecord) {
    startWith({{"Alpha"}, {"Beta"}});
    const QByteArray before = readFile("sublumo_tsp.ini");
    typeDriver("beta");
    platform.yesNoAnswers = {false};
    click("saveButton");
    EXPECT_EQ(readFile("sublumo_tsp.ini"), before);
    EXPECT_EQ(selected(list("allList")), 1);
    EXPECT_FALSE(enabled("saveButton"));
}

TEST_F(DriverListsPageTest, ANameWithBlanksAtItsEndsIsTheSameRecord) {
    startWith({{"Woofer 10"}});
    typeDriver("Woofer 10 ");
    platform.yesNoAnswers = {true};
    click("saveButton");
    EXPECT_EQ(platform.questions, QStringList{question("overwrite", "Woofer 10")});
    EXPECT_EQ(text("driverNameField"), "Woofer 10");
    EXPECT_EQ(allRows(), QStringList{"Woofer 10"});
}

TEST_F(DriverListsPageTest, TheQuestionShowsTheNameWithOneAmpersand) {
    startWith({{"Smith & Sons"}});
    click("deleteButton");
    EXPECT_EQ(platform.questions, QStringList{question("delete", "Smith & Sons")});
    EXPECT_EQ(allRows(), QStringList{"Smith & Sons"});  // No keeps it
}

TEST_F(DriverListsPageTest, LoadingFillsTheFieldsWithTheLocalesSeparator) {
    StoredDriver comma{"Comma"};
    comma.qms = "2,5";
    startWith({comma});
    find<QLineEdit>("Sd")->setFocus();
    window->parameterPanel().toggleDiaphragmMode();  // area entry: loading switches back
    QTest::keyClick(list("allList"), Qt::Key_Return);
    EXPECT_EQ(text("driverNameField"), "Comma");
    EXPECT_EQ(text("Qms"), "2.5");
    EXPECT_EQ(text("Dd"), "260");
    EXPECT_EQ(window->parameterPanel().parameters().mode, DiaphragmEntryMode::Diameter);
    EXPECT_FALSE(enabled("saveButton"));
    EXPECT_FALSE(enabled("loadButton"));
}

TEST_F(DriverListsPageTest, RecentlyOpenedListsTheLoadsNewestFirst) {
    startWith({{"A"}, {"B"}});
    for (int row : {0, 0, 1, 0}) doubleClickRow(list("allList"), row);
    showTab(kRecentTab);
    EXPECT_EQ(rows(list("recentList")), (QStringList{"A", "B", "A"}));
    EXPECT_EQ(countText(), "#1/3");
    EXPECT_FALSE(enabled("deleteButton"));
    EXPECT_FALSE(enabled("saveButton"));
    EXPECT_TRUE(enabled("loadButton"));
}

TEST_F(DriverListsPageTest, ThirtyLoadsKeepTheLastTwentyFive) {
    std::vector<StoredDriver> drivers;
    for (int i = 0; i < 30; ++i)
        drivers.push_back({QStringLiteral("D%1").arg(i, 2, 10, QChar('0'))});
    startWith(drivers);
    for (int row = 0; row < 30; ++row) {
        clickRow(list("allList"), row);
        QTest::keyClick(list("allList"), Qt::Key_Return);
    }
    showTab(kRecentTab);
    const QStringList recent = rows(list("recentList"));
    ASSERT_EQ(recent.size(), 25);
    EXPECT_EQ(recent.front(), "D29");
    EXPECT_EQ(recent.back(), "D05");
}

TEST_F(DriverListsPageTest, ADeletedRecordIsNotFoundFromRecentlyOpened) {
    startWith({{"Gone"}, {"Kept"}});
    QTest::keyClick(list("allList"), Qt::Key_Return);
    typeInto(window.get(), "Qms", "7");
    platform.yesNoAnswers = {true};
    clickRow(list("allList"), 0);
    QTest::keyClick(list("allList"), Qt::Key_Delete);
    EXPECT_EQ(allRows(), QStringList{"Kept"});
    showTab(kRecentTab);
    clickRow(list("recentList"), 0);
    click("loadButton");
    EXPECT_EQ(platform.errors,
              QStringList{"Record not found. It must have been deleted or renamed."});
    EXPECT_EQ(text("driverNameField"), "Gone");
    EXPECT_EQ(text("Qms"), "7");
}

TEST_F(DriverListsPageTest, DeletingTheLastRowSelectsTheNewLastRow) {
    startWith({{"A"}, {"B"}, {"C"}});
    clickRow(list("allList"), 2);
    platform.yesNoAnswers = {true};
    click("deleteButton");
    EXPECT_EQ(allRows(), (QStringList{"A", "B"}));
    EXPECT_EQ(selected(list("allList")), 1);
    EXPECT_EQ(text("renameField"), "B");
    EXPECT_EQ(countText(), "#2/2/2");
}

TEST_F(DriverListsPageTest, DeletingTheOnlyRecordLeavesRangesZeroTo999) {
    StoredDriver one{"Only"};
    startWith({one});
    EXPECT_EQ(window->driverListsPage().ranges().maximum[0], "260");
    platform.yesNoAnswers = {true};
    click("deleteButton");
    EXPECT_TRUE(allRows().isEmpty());
    EXPECT_FALSE(enabled("deleteButton"));
    EXPECT_FALSE(enabled("loadButton"));
    EXPECT_EQ(window->driverListsPage().ranges(), database::DatabaseRanges());
    EXPECT_EQ(countText(), "#0/0/0");
}

TEST_F(DriverListsPageTest, MemoryBanksSaveLoadAndEmpty) {
    startWith({});
    showTab(kMemoryTab);
    QStringList expected;
    for (int bank = 1; bank <= 25; ++bank) expected << QStringLiteral("%1: empty").arg(bank);
    EXPECT_EQ(rows(list("memoryList")), expected);
    EXPECT_EQ(countText(), "#1/25");
    clickRow(list("memoryList"), 2);
    typeDriver("Banked");
    click("saveButton");
    EXPECT_EQ(rows(list("memoryList"))[2], "Banked");
    EXPECT_TRUE(readFile("sublumo_cfg.ini").contains("[MB #3]\r\nMM=Banked\r\nQms=2.5\r\n"));

    typeInto(window.get(), "driverNameField", "Changed");
    clickRow(list("memoryList"), 2);
    QTest::keyClick(list("memoryList"), Qt::Key_Return);
    EXPECT_EQ(text("driverNameField"), "Banked");

    platform.yesNoAnswers = {true};
    QTest::keyClick(list("memoryList"), Qt::Key_Delete);
    EXPECT_EQ(rows(list("memoryList"))[2], "3: empty");
    EXPECT_FALSE(readFile("sublumo_cfg.ini").contains("MB #3"));
    typeInto(window.get(), "driverNameField", "Typed");
    clickRow(list("memoryList"), 2);
    QTest::keyClick(list("memoryList"), Qt::Key_Return);  // an empty bank: nothing
    EXPECT_EQ(text("driverNameField"), "Typed");
    EXPECT_FALSE(enabled("loadButton"));
    EXPECT_FALSE(enabled("deleteButton"));
}

TEST_F(DriverListsPageTest, TheRenameBoxShortensTheList) {
    startWith({{"A"}});
    EXPECT_FALSE(find("renameBox")->isVisible());
    EXPECT_EQ(list("allList")->maximumHeight(), 327);
    QTest::mouseClick(find("renameLabel"), Qt::LeftButton);
    EXPECT_TRUE(find("renameBox")->isVisible());
    EXPECT_EQ(list("allList")->maximumHeight(), 275);
    EXPECT_TRUE(waitUntil([&] { return list("allList")->height() <= 275; }));
    EXPECT_TRUE(find("renameField")->hasFocus());
    EXPECT_FALSE(enabled("renameButton"));  // the field holds the selected name
    QTest::mouseClick(find("renameLabel"), Qt::LeftButton);
    EXPECT_EQ(list("allList")->maximumHeight(), 327);
}

TEST_F(DriverListsPageTest, RenamingAToaAsksAndPutsaLast) {
    startWith({{"A"}, {"B"}});
    QTest::mouseClick(find("renameLabel"), Qt::LeftButton);
    typeInto(window.get(), "renameField", "a");
    ASSERT_TRUE(enabled("renameButton"));
    platform.yesNoAnswers = {true};
    QTest::keyClick(find("renameField"), Qt::Key_Return);
    EXPECT_EQ(platform.questions, QStringList{question("overwrite", "A")});
    EXPECT_EQ(window->database().recordNames(), (std::vector<std::string>{"B", "a"}));
    EXPECT_TRUE(readFile("sublumo_tsp.ini").endsWith(recordText({"a"})));
    EXPECT_EQ(selected(list("allList")), 0);
    EXPECT_FALSE(enabled("renameButton"));
}

TEST_F(DriverListsPageTest, RenamingWithNothingSelectedSaysSo) {
    startWith({});
    QTest::mouseClick(find("renameLabel"), Qt::LeftButton);
    typeInto(window.get(), "renameField", "New");
    click("renameButton");
    EXPECT_EQ(platform.errors,
              QStringList{"There is no record selected. Nothing has been renamed."});
    EXPECT_FALSE(enabled("renameButton"));
}

}  // namespace
}  // namespace sublumo::ui_test
