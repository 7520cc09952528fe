// The database is years of the user's own measurements: these tests kill, crowd and starve
// the writer and check that the file on disk is always a whole one and that no change is lost.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <algorithm>
#include <chrono>
#include <random>

#include <gtest/gtest.h>

#include "driver_database.h"
#include "driver_record.h"
#include "test_files.h"

namespace sublumo::database {
namespace {

using testing::entryCount;
using testing::readBytes;
using testing::reportFromChild;
using testing::TempDir;
using testing::writeBytes;
using Names = std::vector<std::string>;

DriverRecord recordNamed(const std::string& name, const std::string& qms = "2.5") {
    return {name, {qms, "0.35", "30", "60", "260", "5.6", "12", "6", "150", "1.2", "https://"}};
}

std::string check(bool condition, const std::string& fault) {
    return condition ? "" : fault;
}

// Four hundred records, the first with Qms=0; written by the database itself.
std::string writeKillTestFile(const std::string& path) {
    DriverDatabase db;
    db.openDatabase(path);
    for (int r = 0; r < 400; ++r) {
        const DriverRecord record = recordNamed("Driver " + std::to_string(r), r ? "2.5" : "0");
        for (std::size_t k = 0; k < recordKeys.size(); ++k)
            db.writeValue(record.name, recordKeys[k], record.values[k]);
    }
    db.flushDatabase();
    return readBytes(path);
}

TEST(DatabaseFaults, AProcessKilledWhileSavingLeavesTheOldFileOrTheNewOne) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    const std::string prefix = "[Driver 0]\r\nQms=";
    const std::string rest = writeKillTestFile(path).substr(prefix.size() + 1);
    const auto version = [&](int round) { return prefix + std::to_string(round) + rest; };

    // The kill lands anywhere within a few saves, however slow this machine (or a sanitizer)
    // makes a save: timed once here on the same file, with the value it already holds.
    const auto start = std::chrono::steady_clock::now();
    {
        DriverDatabase timing;
        timing.openDatabase(path);
        timing.writeValue("Driver 0", "Qms", "0");
        timing.flushDatabase();
    }
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count();
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delayMicroseconds(
        0, static_cast<int>(std::max<long long>(6000, 4 * oneSave)));
    int round = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const pid_t child = fork();
        if (child == 0) {
            DriverDatabase db;
            db.openDatabase(path);
            for (int i = round + 1;; ++i) {
                db.writeValue("Driver 0", "Qms", std::to_string(i));
                db.flushDatabase();
            }
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        // Byte for byte the file of the last finished round: neither torn nor empty.
        const std::string bytes = readBytes(path);
        ASSERT_EQ(bytes.compare(0, prefix.size(), prefix), 0) << "trial " << trial;
        const int found = std::stoi(bytes.substr(prefix.size()));
        ASSERT_GE(found, round) << "trial " << trial;
        round = found;
        ASSERT_EQ(bytes, version(round)) << "trial " << trial;
    }
    EXPECT_GT(round, 0) << "no save ever finished before the kill";

    // The next flush clears what killed writers left: the file and its lock file remain.
    DriverDatabase db;
    db.openDatabase(path);
    ASSERT_TRUE(db.flushDatabase());
    EXPECT_EQ(entryCount(dir.path()), 2);
}

TEST(DatabaseFaults, TwoCopiesSavingInTurnLoseNothing) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    DriverDatabase first, second;  // two running copies, both started before any save
    first.openDatabase(path);
    second.openDatabase(path);

    ASSERT_TRUE(saveRecordToDatabase(first, recordNamed("X")));
    const FlushResult merged = saveRecordToDatabase(second, recordNamed("Y"));
    ASSERT_TRUE(merged);
    EXPECT_TRUE(merged.mergedOtherCopy);
    EXPECT_EQ(second.recordNames(), (Names{"X", "Y"}));

    ASSERT_TRUE(saveRecordToDatabase(first, recordNamed("x", "9")));  // overwrite X
    ASSERT_TRUE(deleteRecordFromDatabase(second, "Y"));
    ASSERT_TRUE(saveRecordToDatabase(first, recordNamed("Z")));
    ASSERT_EQ(renameRecordInDatabase(second, "X", "W").status, RenameStatus::Renamed);
    ASSERT_TRUE(saveRecordToDatabase(first, recordNamed("V")));

    // Y deleted and X renamed by the other copy stay so; the overwrite of X went along.
    EXPECT_EQ(first.recordNames(), (Names{"Z", "W", "V"}));
    DriverDatabase reread;
    reread.openDatabase(path);
    EXPECT_EQ(reread.recordNames(), (Names{"Z", "W", "V"}));
    EXPECT_EQ(reread.readValue("W", "Qms"), "9");
}

TEST(DatabaseFaults, TwoProcessesSavingAtOnceLoseNoRecord) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    auto saver = [&](const std::string& stem) {
        return [&path, stem] {
            DriverDatabase db;
            db.openDatabase(path);
            for (int i = 0; i < 40; ++i)
                if (!saveRecordToDatabase(db, recordNamed(stem + std::to_string(i))))
                    return std::string("a save failed");
            return std::string();
        };
    };
    const pid_t other = fork();
    if (other == 0)
        _exit(saver("B")().empty() ? 0 : 1);
    EXPECT_EQ(saver("A")(), "");
    int status = 0;
    waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    DriverDatabase reread;
    reread.openDatabase(path);
    EXPECT_EQ(reread.recordCount(), 80u);
}

// The child's check that a failed flush reports the system's text, leaves the file and the
// memory as they were, and that the change reaches the file once writing works again.
std::string failedFlushThenRecovery(const std::string& path, const std::string& expectedError,
                                    const std::function<bool()>& allowWriting) {
    const std::string before = readBytes(path);
    DriverDatabase db, other;
    db.openDatabase(path);
    other.openDatabase(path);
    const FlushResult failed = saveRecordToDatabase(db, recordNamed("New one"));
    if (failed)
        return "the flush reported success";
    if (failed.errorText != expectedError)
        return "error text: " + failed.errorText;
    if (readBytes(path) != before)
        return "the file changed";
    if (db.readValue("New one", "Qms") != "2.5")
        return "the change left memory";
    if (!allowWriting())
        return "could not allow writing again";
    if (!saveRecordToDatabase(other, recordNamed("Other copy")))
        return "other copy failed";
    const FlushResult retried = db.flushDatabase();
    if (!retried)
        return "the next flush failed: " + retried.errorText;
    DriverDatabase reread;
    reread.openDatabase(path);
    return check(reread.recordNames() == Names{"Old one", "Other copy", "New one"},
                 "records after recovery are wrong");
}

TEST(DatabaseFaults, AFullDiskReportsTheErrorAndTheNextFlushSucceeds) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    DriverDatabase seed;
    seed.openDatabase(path);
    ASSERT_TRUE(saveRecordToDatabase(seed, recordNamed("Old one")));

    const std::string report = reportFromChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlim_t hard = limit.rlim_max;
        limit.rlim_cur = 100;  // smaller than the file: the write fails part way
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("setrlimit failed");
        const std::string result = failedFlushThenRecovery(path, "File too large", [&] {
            limit.rlim_cur = hard;
            return setrlimit(RLIMIT_FSIZE, &limit) == 0;
        });
        if (!result.empty())
            return result;
        return check(entryCount(dir.path()) == 2, "a temporary file was left behind");
    });
    EXPECT_EQ(report, "");
}

TEST(DatabaseFaults, AReadOnlyDirectoryReportsTheErrorAndTheNextFlushSucceeds) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    DriverDatabase seed;
    seed.openDatabase(path);
    ASSERT_TRUE(saveRecordToDatabase(seed, recordNamed("Old one")));

    // Root writes through any permission bits, so the directory is made read-only by a bind
    // mount in a mount namespace of the child's own.
    const std::string report = reportFromChild([&] {
        const char* d = dir.path().c_str();
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(d, d, nullptr, MS_BIND, nullptr) != 0)
            return "skip: " + std::string(std::strerror(errno));
        if (mount(nullptr, d, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return "skip: " + std::string(std::strerror(errno));
        return failedFlushThenRecovery(path, "Read-only file system",
                                       [&] { return umount2(d, MNT_DETACH) == 0; });
    });
    if (report.rfind("skip: ", 0) == 0)
        GTEST_SKIP() << "a read-only bind mount is not permitted here (" << report.substr(6) << ")";
    EXPECT_EQ(report, "");
}

TEST(DatabaseFaults, AReadOnlyFileIsNotReplacedBehindItsOwnersBack) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    DriverDatabase seed;
    seed.openDatabase(path);
    ASSERT_TRUE(saveRecordToDatabase(seed, recordNamed("Old one")));
    // Root may write any file, so the child becomes an ordinary user in a directory open to
    // all, where only the file's own mode forbids writing.
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const std::string report = reportFromChild([&] {
        // Root is kept as the saved user only to give the file its write permission back.
        if (getuid() == 0 && setresuid(65534, 65534, 0) != 0)
            return "skip: " + std::string(std::strerror(errno));
        return failedFlushThenRecovery(path, "Permission denied", [&] {
            return seteuid(0) == 0 && chmod(path.c_str(), 0666) == 0;
        });
    });
    if (report.rfind("skip: ", 0) == 0)
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}

TEST(DatabaseFaults, AFileDeletedBehindTheProgramsBackIsWrittenWholeAgain) {
    TempDir dir;
    const std::string path = dir.file("sublumo_tsp.ini");
    DriverDatabase db;
    db.openDatabase(path);
    ASSERT_TRUE(saveRecordToDatabase(db, recordNamed("A")));
    ASSERT_EQ(unlink(path.c_str()), 0);
    ASSERT_TRUE(saveRecordToDatabase(db, recordNamed("B")));
    DriverDatabase reread;
    reread.openDatabase(path);
    EXPECT_EQ(reread.recordNames(), (Names{"A", "B"}));
}

}  // namespace
}  // namespace sublumo::database
