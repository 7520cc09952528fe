#include "data_directory.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "test_files.h"

namespace sublumo::database {
namespace {

struct ChoiceRow {
    const char* name;
    DataDirectoryInputs inputs;
    DataDirectoryChoice choice;
};

class DataDirectoryRule : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(DataDirectoryRule, ChoosesTheDirectoryAndWhetherToCopy) {
    EXPECT_EQ(chooseDataDirectory(GetParam().inputs), GetParam().choice);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DataDirectoryRule,
    ::testing::Values(
        ChoiceRow{"WritableProgramDirectoryStays",
                  {"/opt/s", true, "/x/data", "/home/u", true, false},
                  {"/opt/s", false}},
        ChoiceRow{"ReadOnlyUsesXdgDataHome",
                  {"/usr/bin", false, "/x/data/", "/home/u", false, false},
                  {"/x/data/sublumo", false}},
        ChoiceRow{"ReadOnlyWithoutXdgUsesLocalShare",
                  {"/usr/bin", false, "", "/home/u", false, false},
                  {"/home/u/.local/share/sublumo", false}},
        ChoiceRow{"RelativeXdgIsIgnored",
                  {"/usr/bin", false, "data", "/home/u", false, false},
                  {"/home/u/.local/share/sublumo", false}},
        ChoiceRow{"ShippedDatabaseIsCopiedOnce",
                  {"/usr/bin", false, "", "/home/u", true, false},
                  {"/home/u/.local/share/sublumo", true}},
        ChoiceRow{"UserDatabaseIsNeverOverwritten",
                  {"/usr/bin", false, "", "/home/u", true, true},
                  {"/home/u/.local/share/sublumo", false}},
        ChoiceRow{"NoHomeAtAll", {"/usr/bin", false, "", "", true, false}, {"/usr/bin", false}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DataDirectory, ThePackageManagersDirectoriesCountAsNotWritable) {
    for (const char* system : {"/usr/bin", "/usr/local/bin", "/bin", "/sbin", "/usr"})
        EXPECT_TRUE(isSystemDirectory(system)) << system;
    for (const char* own : {"/home/u/sublumo/build/app", "/opt/sublumo", "/usrdata/app", "/tmp"})
        EXPECT_FALSE(isSystemDirectory(own)) << own;
}

TEST(DataDirectory, AReadOnlyProgramDirectoryGetsItsDatabaseCopiedAndKeptAfterwards) {
    testing::TempDir dir;
    const std::string program = dir.file("program");
    const std::string data = dir.file("data");
    ::mkdir(program.c_str(), 0755);
    testing::writeBytes(program + "/sublumo_tsp.ini", "[Shipped]\r\nQms=1\r\n\r\n");

    DataDirectoryInputs inputs{program, false, data, "/nonexistent", false, false};
    const std::string chosen = prepareDataDirectory(inputs);
    EXPECT_EQ(chosen, data + "/sublumo");
    EXPECT_EQ(testing::readBytes(chosen + "/sublumo_tsp.ini"), "[Shipped]\r\nQms=1\r\n\r\n");

    testing::writeBytes(chosen + "/sublumo_tsp.ini", "[Mine]\r\n\r\n");
    EXPECT_EQ(prepareDataDirectory(inputs), chosen);
    EXPECT_EQ(testing::readBytes(chosen + "/sublumo_tsp.ini"), "[Mine]\r\n\r\n");
    EXPECT_FALSE(testing::fileExists(chosen + "/sublumo_cfg.ini"));
}

TEST(DataDirectory, AWritableProgramDirectoryKeepsTheFilesBesideTheProgram) {
    testing::TempDir dir;
    DataDirectoryInputs inputs{dir.path(), true, dir.file("data"), "/nonexistent", false, false};
    EXPECT_EQ(prepareDataDirectory(inputs), dir.path());
    EXPECT_EQ(testing::entryCount(dir.path()), 0);
}

}  // namespace
}  // namespace sublumo::database
