#include "driver_database.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "driver_record.h"
#include "stored_number.h"
#include "test_files.h"

namespace sublumo::database {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
using Names = std::vector<std::string>;

DriverRecord makeRecord(std::string name, std::string qms = "2.5") {
    return {std::move(name),
            {qms, "0.35", "30", "60", "260", "5.6", "12", "6", "150", "1.2", "https://"}};
}

const char* const kOneRecord =
    "[Maker One 10W]\r\nQms=2.5\r\nQes=0.35\r\nfs=30\r\nMms=60\r\nDd=260\r\nRe=5.6\r\n"
    "Hc=12\r\nHg=6\r\nPe=150\r\nLe=1.2\r\nURL=https://\r\n\r\n";

TEST(DriverDatabase, WithoutAFileIsEmptyAndTheFirstSaveWritesOneRecord) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    DriverDatabase db;
    EXPECT_EQ(db.openDatabase(path).status, OpenStatus::Missing);
    EXPECT_TRUE(db.recordNames().empty());

    const FlushResult saved = saveRecordToDatabase(db, makeRecord("Maker One 10W"));
    ASSERT_TRUE(saved);
    EXPECT_FALSE(saved.mergedOtherCopy);  // nobody else wrote
    EXPECT_EQ(readBytes(path), kOneRecord);
    DriverDatabase reopened;
    reopened.openDatabase(path);
    reopened.writeValue("Maker One 10W", "Qms", "2.5");
    EXPECT_FALSE(reopened.flushDatabase().mergedOtherCopy);
    EXPECT_EQ(readBytes(path), kOneRecord);
    EXPECT_EQ(db.recordNames(), (Names{"Maker One 10W"}));
    EXPECT_FALSE(db.hasUnflushedChanges());
    // Only the database and its lock file: the temporary file is gone.
    EXPECT_EQ(testing::entryCount(dir.path()), 2);
}

TEST(DriverDatabase, AFileThatCannotBeReadIsNotAnEmptyDatabase) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);  // a directory in its place cannot be read
    DriverDatabase db;
    const OpenResult result = db.openDatabase(path);
    EXPECT_EQ(result.status, OpenStatus::Unreadable);
    EXPECT_EQ(result.errorText, "Is a directory");
    EXPECT_EQ(kDatabaseInUseMessage,
              "Sublumo cannot access the database as it is being used by another process.");
}

TEST(DriverDatabase, ANumberSavedWithACommaReadsWithAPointAndTheReverse) {
    TempDir dir;
    const std::string path = dir.file("db.ini");
    writeBytes(path, "[Comma]\r\nQms=2,5\r\n\r\n[Point]\r\nQms=2.5\r\n\r\n");
    DriverDatabase db;
    ASSERT_EQ(db.openDatabase(path).status, OpenStatus::Loaded);
    EXPECT_EQ(db.readValue("Comma", "Qms"), "2,5");  // stored text unchanged
    EXPECT_EQ(normaliseDecimal(db.readValue("Comma", "Qms"), {'.'}), "2.5");
    EXPECT_EQ(normaliseDecimal(db.readValue("Point", "Qms"), {','}), "2,5");
    EXPECT_EQ(readStoredNumber(db.readValue("Comma", "Qms"), {'.'}), 2.5);
    EXPECT_EQ(readStoredNumber(db.readValue("Point", "Qms"), {','}), 2.5);
}

TEST(DriverDatabase, StoredNumbersReadAsTheFullParseReadsThem) {
    // The short texts the filter reads at once, and the ones it leaves to the full parse.
    std::vector<std::string> texts = {"2.5", "2,5", "-2.5", "5.", ".5", "-.5", "-0", "007"};
    texts.insert(texts.end(), {"1.2.3", "-", "", " 2.5", "2.5 ", "\t3", "+1", "1e3", "2,5,"});
    texts.insert(texts.end(), {"123456789012345", "1234567890123456", "0.12345678901234567"});
    for (const std::string& text : texts)
        for (const NumberFormat format : {NumberFormat{'.'}, NumberFormat{','}}) {
            const auto expected =
                parseDecimal(normaliseDecimal(text, format), format, SignRule::AllowMinus);
            EXPECT_EQ(readStoredNumber(text, format), expected)
                << '"' << text << "\" with " << format.decimalSeparator;
        }
}

TEST(DriverDatabase, SavingAbcOverABCKeepsOneRecordNamedABCInItsPlace) {
    TempDir dir;
    const std::string path = dir.file("db.ini");
    DriverDatabase db;
    db.openDatabase(path);
    ASSERT_TRUE(saveRecordToDatabase(db, makeRecord("ABC", "1")));
    ASSERT_TRUE(saveRecordToDatabase(db, makeRecord("Later", "2")));
    ASSERT_TRUE(saveRecordToDatabase(db, makeRecord("abc", "3")));
    EXPECT_EQ(db.recordNames(), (Names{"ABC", "Later"}));
    DriverDatabase reread;
    reread.openDatabase(path);
    EXPECT_EQ(reread.recordNames(), (Names{"ABC", "Later"}));
    EXPECT_EQ(reread.readValue("ABC", "Qms"), "3");
}

TEST(DriverDatabase, NamesAreStoredExactlyAsTyped) {
    TempDir dir;
    const std::string path = dir.file("db.ini");
    DriverDatabase db;
    db.openDatabase(path);
    db.writeValue("Smith & Sons [v2] = best", "Qms", "1");
    ASSERT_TRUE(db.flushDatabase());
    EXPECT_EQ(readBytes(path), "[Smith & Sons [v2] = best]\r\nQms=1\r\n\r\n");
    DriverDatabase reread;
    reread.openDatabase(path);
    EXPECT_EQ(reread.recordNames(), (Names{"Smith & Sons [v2] = best"}));
}

TEST(DriverDatabase, AHandEditedFileIsCleanedByTheNextFlush) {
    TempDir dir;
    const std::string path = dir.file("db.ini");
    writeBytes(path,
               "; my drivers\r\n\r\n[   Maker One 10W   ]\r\n; measured 2019\r\nQms=2.5\r\n"
               "Qes=0.35\r\nfs=30\r\nMms=60\r\nDd=260\r\nRe=5.6\r\nHc=12\r\nHg=6\r\nPe=150\r\n"
               "URL=https://\r\n");
    DriverDatabase db;
    ASSERT_EQ(db.openDatabase(path).status, OpenStatus::Loaded);
    EXPECT_EQ(db.recordNames(), (Names{"Maker One 10W"}));
    EXPECT_EQ(db.readValue("Maker One 10W", "Le"), "");

    // Overwriting the record appends the missing Le after its existing keys.
    ASSERT_TRUE(saveRecordToDatabase(db, makeRecord("Maker One 10W")));
    EXPECT_EQ(readBytes(path),
              "[Maker One 10W]\r\nQms=2.5\r\nQes=0.35\r\nfs=30\r\nMms=60\r\nDd=260\r\nRe=5.6\r\n"
              "Hc=12\r\nHg=6\r\nPe=150\r\nURL=https://\r\nLe=1.2\r\n\r\n");
}

TEST(DriverDatabase, ReadsAndListsByPositionAndByName) {
    DriverDatabase db;  // in memory only
    db.writeValue("B", "Dd", "100");
    db.writeValue("a", "Dd", "200");
    db.writeValue("B", "fs", "40");
    EXPECT_EQ(db.recordCount(), 2u);
    EXPECT_EQ(db.recordNameAt(1), "a");
    EXPECT_EQ(db.valueAt(0, "FS"), "40");
    EXPECT_EQ(db.valueAt(1, "fs"), "");
    EXPECT_EQ(db.keysOf("b"), (Names{"Dd", "fs"}));
    EXPECT_TRUE(db.keysOf("nobody").empty());
    // Texts read from the database itself can be written back, however much it grows.
    for (int i = 0; i < 200; ++i)
        db.writeValue(db.recordNameAt(1), db.keysOf("a")[0], db.valueAt(0, "fs"));
    EXPECT_EQ(db.readValue("a", "dd"), "40");
    EXPECT_FALSE(db.flushDatabase());  // no file to write to
    EXPECT_TRUE(db.hasUnflushedChanges());
}

}  // namespace
}  // namespace sublumo::database
