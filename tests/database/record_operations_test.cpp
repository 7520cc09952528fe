#include <gtest/gtest.h>

#include "driver_database.h"
#include "driver_record.h"
#include "test_files.h"

namespace sublumo::database {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
using Names = std::vector<std::string>;

class RecordOperations : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_dir.file("db.ini");
        writeBytes(m_path,
                   "[A]\r\nQms=1\r\nQes=2\r\nfs=3\r\nMms=4\r\nDd=5\r\nRe=6\r\nHc=7\r\nHg=8\r\n"
                   "Pe=9\r\nLe=10\r\nURL=u\r\nExtra=12\r\n\r\n"
                   "[Short]\r\nQms=1\r\n\r\n"
                   "[B]\r\nQms=1\r\nQes=2\r\nfs=3\r\nMms=4\r\nDd=5\r\nRe=6\r\nHc=7\r\nHg=8\r\n"
                   "Pe=9\r\nLe=10\r\nURL=v\r\n\r\n");
        ASSERT_EQ(m_db.openDatabase(m_path).status, OpenStatus::Loaded);
    }

    TempDir m_dir;
    std::string m_path;
    DriverDatabase m_db;
};

TEST_F(RecordOperations, LoadReadsTheElevenKeysAndMissingOnesAsEmpty) {
    const DriverRecord a = loadRecordFromDatabase(m_db, "a");
    EXPECT_EQ(a.name, "a");
    EXPECT_EQ(a.value("Qms"), "1");
    EXPECT_EQ(a.value("URL"), "u");
    const DriverRecord shortOne = loadRecordFromDatabase(m_db, "Short");
    EXPECT_EQ(shortOne.value("Qms"), "1");
    EXPECT_EQ(shortOne.value("Le"), "");
}

TEST_F(RecordOperations, RenameToTheSameNameInLowerCaseMovesItLastWithEveryKey) {
    const RenameResult result = renameRecordInDatabase(m_db, "A", "a");
    ASSERT_EQ(result.status, RenameStatus::Renamed);
    EXPECT_EQ(m_db.recordNames(), (Names{"Short", "B", "a"}));
    // The hand-added twelfth key line moves along, in its place.
    const std::string after = readBytes(m_path);
    EXPECT_EQ(after.substr(after.find("[a]")),
              "[a]\r\nQms=1\r\nQes=2\r\nfs=3\r\nMms=4\r\nDd=5\r\nRe=6\r\nHc=7\r\nHg=8\r\n"
              "Pe=9\r\nLe=10\r\nURL=u\r\nExtra=12\r\n\r\n");
}

TEST_F(RecordOperations, RenameOntoAnotherRecordKeepsItsPlaceAndItsOtherKeys) {
    m_db.writeValue("B", "Note", "kept");
    ASSERT_EQ(renameRecordInDatabase(m_db, "A", "b").status, RenameStatus::Renamed);
    EXPECT_EQ(m_db.recordNames(), (Names{"Short", "B"}));
    EXPECT_EQ(m_db.readValue("B", "URL"), "u");
    EXPECT_EQ(m_db.readValue("B", "Note"), "kept");
}

TEST_F(RecordOperations, RenameOfARecordWithFewerThanElevenKeysChangesNothing) {
    const std::string before = readBytes(m_path);
    for (const char* old : {"Short", "Nobody"}) {
        const RenameResult result = renameRecordInDatabase(m_db, old, "New");
        EXPECT_EQ(result.status, RenameStatus::NothingRenamed) << old;
        EXPECT_EQ(result.errorText, "There is no record selected. Nothing has been renamed.");
    }
    EXPECT_EQ(m_db.recordNames(), (Names{"A", "Short", "B"}));
    EXPECT_FALSE(m_db.hasUnflushedChanges());
    EXPECT_EQ(readBytes(m_path), before);
}

TEST_F(RecordOperations, DeleteRemovesTheRecordFromMemoryAndFile) {
    ASSERT_TRUE(deleteRecordFromDatabase(m_db, "short"));
    EXPECT_EQ(m_db.recordNames(), (Names{"A", "B"}));
    EXPECT_EQ(readBytes(m_path).find("Short"), std::string::npos);
    ASSERT_TRUE(deleteRecordFromDatabase(m_db, "Nobody"));  // nothing to remove
    EXPECT_EQ(m_db.recordNames(), (Names{"A", "B"}));
}

// What the program holds after a save is what the next start reads back, whoever saved.
TEST_F(RecordOperations, ANameIsHeldAsTheNextStartWillReadIt) {
    DriverRecord record;
    record.name = "Woofer 10";
    record.values.fill("1");
    ASSERT_TRUE(saveRecordToDatabase(m_db, record));
    record.name = " Woofer 10 \t";
    record.values[0] = "2 ";
    ASSERT_TRUE(saveRecordToDatabase(m_db, record));
    record.name = "Caf\xE9 \xB1 10";  // Windows-1252, as an old file or a paste may give
    ASSERT_TRUE(saveRecordToDatabase(m_db, record));

    const Names held = m_db.recordNames();
    EXPECT_EQ(held, (Names{"A", "Short", "B", "Woofer 10", "Caf\u00E9 \u00B1 10"}));
    EXPECT_EQ(m_db.readValue("Woofer 10", "Qms"), "2");
    DriverDatabase nextStart;
    ASSERT_EQ(nextStart.openDatabase(m_path).status, OpenStatus::Loaded);
    EXPECT_EQ(nextStart.recordNames(), held);
    EXPECT_EQ(nextStart.readValue("Woofer 10", "Qms"), "2");
}

TEST(RecordMessages, TheNameShownIsTheStoredNameWithOneAmpersand) {
    EXPECT_EQ(confirmationText(kOverwriteQuestion, "Smith & Sons && Co"),
              "Are you sure you want to overwrite this record?\nSmith & Sons && Co");
    EXPECT_EQ(confirmationText(kDeleteQuestion, "X"),
              "Are you sure you want to delete this record?\nX");
}

}  // namespace
}  // namespace sublumo::database
