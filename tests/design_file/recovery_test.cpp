#include "recovery.h"

#include "background_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "design_samples.h"
#include "test_files.h"

namespace sublumo::design_file {
namespace {

using testing::TempDir;

constexpr NumberFormat kDot{'.'};

TEST(RecoveryFile, KeepsTheDesignTheFileItCameFromAndItsMark) {
    struct Row {
        const char* designPath;
        bool modified;
    };
    // Any byte a file name can hold, line breaks, quotes and blanks at its end too.
    for (const Row& row : {Row{"", false}, Row{"/home/ann/woofer 12.sublumo", true},
                           Row{"/home/ann/box.sublumo", false},
                           Row{"/home/ann/two\nlines \"quoted\" 100%25.sublumo ", true},
                           Row{"/home/ann/\r\t\x01 \xE9t\xC3\xA9\\=[x];#.sublumo", false}}) {
        SCOPED_TRACE(row.designPath);
        const RecoveryState state{smallDesign(kDot), row.designPath, row.modified};
        TempDir dir;
        const std::string path = dir.file(recoveryFileName(4242));
        ASSERT_TRUE(writeRecoveryFile(path, state));
        EXPECT_EQ(readRecoveryFile(path, kDot), state);
        // To a design file reader it is a design file like any other.
        const DesignFileRead read = readDesignFile(path, kDot);
        ASSERT_TRUE(read);
        EXPECT_EQ(*read.document, state.document);
    }
}

TEST(RecoveryFile, AFileWrittenWithTheQuotedPathIsStillRead) {
    const std::string design = *designFileText(smallDesign(kDot));
    const std::string older =
        "[Recovery]\r\nfile=\"C:\\Ann\\woofer 12%.sublumo\"\r\nmodified=1\r\n";
    const RecoveryState state = parseRecoveryFile(smallDesign(kDot), design + older);
    EXPECT_EQ(state.designPath, "C:\\Ann\\woofer 12%.sublumo");
    EXPECT_TRUE(state.modified);
}

TEST(RecoveryFile, AFileThatIsNoDesignGivesNothingBack) {
    TempDir dir;
    const std::string path = dir.file(recoveryFileName(7));
    EXPECT_FALSE(readRecoveryFile(path, kDot));  // missing
    testing::writeBytes(path, "[Recovery]\r\nfile=\"a.sublumo\"\r\n");
    EXPECT_FALSE(readRecoveryFile(path, kDot));
}

TEST(RecoveryFile, NamesOneFilePerRunningWindow) {
    EXPECT_EQ(recoveryFileName(1234), "recovery-1234.sublumo");
    EXPECT_EQ(recoveryFileName(1234, 2), "recovery-1234-2.sublumo");
    for (const char* name : {"recovery-1234.sublumo", "recovery-1234-2.sublumo"})
        EXPECT_TRUE(isRecoveryFileName(name)) << name;
    for (const char* name : {"woofer.sublumo", "recovery-.sublumo", "recovery-12.sublumo.lock",
                             "recovery-ab.sublumo", "recovery-12.sublumo~"})
        EXPECT_FALSE(isRecoveryFileName(name)) << name;
}

TEST(RecoveryFile, TheNewestFileNoRunningCopyHoldsIsOffered) {
    struct Row {
        const char* name;
        std::vector<RecoveryCandidate> candidates;
        std::optional<std::string> offered;
    };
    const std::vector<Row> rows = {
        {"none", {}, std::nullopt},
        {"all held", {{"a", true, 5}, {"b", true, 9}}, std::nullopt},
        {"newest free", {{"a", false, 5}, {"b", false, 9}, {"c", false, 7}}, "b"},
        {"newest held", {{"a", false, 5}, {"b", true, 9}}, "a"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(chooseRecoveryFile(row.candidates), row.offered) << row.name;
}

TEST(BackgroundWriter, TheFileEndsAsTheLastTextAskedAndAFailureIsSaidOnce) {
    TempDir dir;
    const std::string path = dir.file("recovery-1.sublumo");
    BackgroundWriter writer;
    for (int i = 0; i < 50; ++i) writer.write(path, "text " + std::to_string(i));
    writer.wait();
    EXPECT_EQ(testing::readBytes(path), "text 49");
    EXPECT_FALSE(writer.takeError());

    writer.write(dir.file("missing/recovery-1.sublumo"), "text");
    writer.wait();
    EXPECT_TRUE(writer.takeError());
    EXPECT_FALSE(writer.takeError());
    EXPECT_EQ(testing::readBytes(path), "text 49");
}

}  // namespace
}  // namespace sublumo::design_file
