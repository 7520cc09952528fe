// A file that cannot be read whole is refused with its name, the line and the reason; the
// window then keeps the design it has.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "design_file.h"
#include "design_samples.h"
#include "test_files.h"

namespace sublumo::design_file {
namespace {

using testing::readBytes;
using testing::reportFromChild;
using testing::TempDir;
using testing::writeBytes;

constexpr NumberFormat kDot{'.'};

const std::string& small() {
    static const std::string text = *designFileText(smallDesign(kDot));
    return text;
}

std::string smallWith(std::string_view from, std::string_view to) {
    return replaced(small(), from, to);
}

struct RefusalRow {
    const char* name;
    std::function<std::string()> bytes;
    // The line is where this text stands in the bytes; empty for the file as a whole.
    std::string lineWith;
    std::string reason;
};

class DesignFileRefusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(DesignFileRefusal, SaysWhichFileWhichLineAndWhy) {
    const RefusalRow& row = GetParam();
    const std::string bytes = row.bytes();
    const DesignFileRead read = parseDesignFile(bytes, "/home/me/box.sublumo", kDot);
    ASSERT_FALSE(read);
    const std::size_t line = row.lineWith.empty() ? 0 : lineOf(bytes, row.lineWith);
    EXPECT_EQ(read.error.line, line);
    EXPECT_NE(read.error.reason.find(row.reason), std::string::npos) << read.error.reason;
    const std::string where = line ? ", line " + std::to_string(line) + ": " : ": ";
    EXPECT_EQ(errorMessage(read.error), "/home/me/box.sublumo" + where + read.error.reason);
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, DesignFileRefusal,
    ::testing::Values(
        RefusalRow{"Empty", [] { return std::string(); }, "", "the file is empty"},
        RefusalRow{"OnlyBlankLines", [] { return std::string("\r\n  \r\n"); }, "",
                   "the file is empty"},
        RefusalRow{"OnlyComments", [] { return std::string("; my box\r\n# to do\r\n"); }, "",
                   "nothing but comments"},
        RefusalRow{"NotIni", [] { return std::string("Dear Sam,\r\nhere is my box.\r\n"); }, "Dear",
                   "it does not begin with a [section]"},
        RefusalRow{"ALineWithoutEqualsSign", [] { return smallWith("infinite=0", "infinite 0"); },
                   "infinite 0", "no \"=\""},
        RefusalRow{"AnotherProgramsIniFile", [] { return std::string("[Form]\r\nTop=5\r\n"); },
                   "[Form]", "not a Sublumo design file"},
        RefusalRow{"CutInTheMiddleOfALine",
                   [] { return small().substr(0, small().find("frequency=20 2") + 14); },
                   "frequency=", "cut short"},
        RefusalRow{"CutInTheMiddleOfACharacter",
                   [] { return small().substr(0, small().find("°") + 1); },
                   "conditions=", "cut short"},
        RefusalRow{"APageNumberThatIsNotANumber", [] { return smallWith("Vb=50.5", "Vb=50.5.1"); },
                   "Vb=50.5.1", "Vb in [closedBox] is not a number: \"50.5.1\""},
        RefusalRow{"ADriverNumberThatIsNotANumber", [] { return smallWith("Qes=0.35", "Qes=abc"); },
                   "Qes=abc", "Qes of the driver is not a number"},
        RefusalRow{"ACurvePointThatIsNotANumber",
                   [] { return smallWith("relative=-12.25 0.1", "relative=-12.25 0.1x"); },
                   "relative=", "is not a number: \"0.1x\""},
        RefusalRow{"ACircuitValueThatIsNotANumber", [] { return smallWith("Bl=13.45", "Bl=inf"); },
                   "Bl=inf", "Bl of memory slot 2 is not a number"},
        RefusalRow{"AMemorySlotWithoutACurve",
                   [] { return smallWith("relative=-12.25 0.1 0\r\n", ""); }, "[Slot 2]",
                   "memory slot 2 has no relative curve"},
        RefusalRow{"AMemorySlotWithAShortCurve",
                   [] { return smallWith("absolute=78.5 90.75 90.5", "absolute=78.5 90.75"); },
                   "absolute=", "not as many points"},
        RefusalRow{"AnUnknownBoxType", [] { return smallWith("typbox=closed", "typbox=pyramid"); },
                   "typbox", "unknown box type \"pyramid\""},
        RefusalRow{"AnUnknownBoxTypeInAMemorySlot",
                   [] { return smallWith("\nbox=closed", "\nbox=horn"); }, "box=horn",
                   "unknown box type \"horn\" in memory slot 2"},
        RefusalRow{"AFlagThatIsNeitherOnNorOff",
                   [] { return smallWith("isobaric=1", "isobaric=yes"); }, "isobaric",
                   "isobaric in [numdri] is not 0 or 1"},
        RefusalRow{"TextThatIsNotUtf8",
                   [] {
                       return smallWith(" W8 ",
                                        " W\xFF"
                                        "8 ");
                   },
                   "name=", "not UTF-8"},
        RefusalRow{
            "AQuoteLeftOpen",
            [] { return smallWith("\"https://example.com/w8\"", "\"https://example.com/w8"); },
            "URL=", "not a properly quoted text"},
        RefusalRow{"AnEscapeOfNoControlCharacter",
                   [] { return smallWith("W8 \\\"Pro", "W8 \\x81Pro"); },
                   "name=", "name in [driver] is not a properly quoted text"},
        RefusalRow{"ANewerFormat", [] { return smallWith("format=1", "format=2"); },
                   "format=", "written by a newer Sublumo (3.04) in design file format 2"},
        RefusalRow{"FiftyMegabytesOfJunk",
                   [] {
                       std::string junk(50 << 20, '\0');
                       std::uint32_t x = 1;
                       for (char& c : junk)
                           c = static_cast<char>((x = x * 1664525 + 1013904223) >> 24);
                       return junk;
                   },
                   "", "larger than 4 MB"}),
    [](const auto& row) { return std::string(row.param.name); });

struct PathRow {
    const char* name;
    std::function<std::string(const TempDir&)> path;  // empty: skip where the system allows it
    std::string reason;
};

class DesignPathRefusal : public ::testing::TestWithParam<PathRow> {};

TEST_P(DesignPathRefusal, IsRefusedBeforeAnythingIsRead) {
    TempDir dir;
    const std::string path = GetParam().path(dir);
    const DesignFileRead read = readDesignFile(path, kDot);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error.path, path);
    EXPECT_EQ(read.error.line, 0u);
    EXPECT_NE(read.error.reason.find(GetParam().reason), std::string::npos) << read.error.reason;
}

INSTANTIATE_TEST_SUITE_P(
    BadPaths, DesignPathRefusal,
    ::testing::Values(
        PathRow{"AFolder", [](const TempDir& dir) { return dir.path(); }, "Is a directory"},
        PathRow{"AMissingFile", [](const TempDir& dir) { return dir.file("gone.sublumo"); },
                "No such file or directory"},
        PathRow{"ADevice", [](const TempDir&) { return std::string("/dev/zero"); }, "not a file"},
        PathRow{"FiftyMegabytesOnDisk",
                [](const TempDir& dir) {
                    const std::string path = dir.file("huge.sublumo");
                    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
                    const bool sized = fd >= 0 && ftruncate(fd, 50 << 20) == 0;
                    close(fd);
                    return sized ? path : std::string();
                },
                "larger than 4 MB"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DesignPathRefusal, AnUnreadableFileGivesTheSystemsText) {
    TempDir dir;
    const std::string path = dir.file("secret.sublumo");
    writeBytes(path, small());
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    // Root reads any file, so the child reads it as an ordinary user.
    const std::string report = reportFromChild([&]() -> std::string {
        if (getuid() == 0 && setresuid(65534, 65534, 65534) != 0)
            return "skip: " + std::string(std::strerror(errno));
        const DesignFileRead read = readDesignFile(path, kDot);
        if (read)
            return "it was read";
        return read.error.reason == "Permission denied" ? "" : read.error.reason;
    });
    if (report.starts_with("skip: "))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}

// A failed save reports the system's text and leaves the file that was there as it was, with
// no temporary file beside it.
std::string failedSaveKeepsTheOldFile(const TempDir& dir, const std::string& path,
                                      const std::string& expectedError) {
    const std::string before = readBytes(path);
    DesignDocument larger = smallDesign(kDot);
    larger.memorySlots.fill(larger.memorySlots[1]);
    const DesignFileWrite written = writeDesignFile(path, larger);
    if (written)
        return "the save reported success";
    if (written.errorText != expectedError)
        return "error text: " + written.errorText;
    if (readBytes(path) != before)
        return "the old file changed";
    return testing::entryCount(dir.path()) == 1 ? "" : "a temporary file was left behind";
}

TEST(DesignFileWriteFailure, AFullDiskKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("box.sublumo");
    ASSERT_TRUE(writeDesignFile(path, smallDesign(kDot)));
    const std::string report = reportFromChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 2000;  // the new file is far larger: the write stops part way
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("setrlimit failed");
        return failedSaveKeepsTheOldFile(dir, path, "File too large");
    });
    EXPECT_EQ(report, "");
}

TEST(DesignFileWriteFailure, AReadOnlyFolderKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("box.sublumo");
    ASSERT_TRUE(writeDesignFile(path, smallDesign(kDot)));
    // Root writes through any permission bits: the folder is made read-only by a bind mount in
    // a mount namespace of the child's own.
    const std::string report = reportFromChild([&] {
        const char* d = dir.path().c_str();
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(d, d, nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, d, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return "skip: " + std::string(std::strerror(errno));
        return failedSaveKeepsTheOldFile(dir, path, "Read-only file system");
    });
    if (report.starts_with("skip: "))
        GTEST_SKIP() << "a read-only bind mount is not permitted here (" << report.substr(6) << ")";
    EXPECT_EQ(report, "");
}

}  // namespace
}  // namespace sublumo::design_file
