#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sublumo::database {

// The POSIX side of both INI files: whole-file reads, replacing writes, and the advisory lock
// that several running copies share.

enum class ReadStatus { Loaded, Missing, Unreadable };

struct FileContent {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    std::string errorText;  // the system's text when Unreadable
};

FileContent readWholeFile(const std::string& path);

// Writes a temporary file beside `path`, flushes it to the disk and renames it over `path`,
// so that a crash or a full disk leaves the old file or the new one, never a torn one. On
// failure, the system's error text; `path` is then as it was.
std::optional<std::string> replaceFile(const std::string& path, const std::string& bytes);

// Every copy writes its temporary file only while it holds the lock, so under the lock any
// temporary file beside `path` was left by a copy that died while writing: it goes.
void removeStaleTemporaries(const std::string& path);

// What a copy last read or wrote: enough to tell whether another copy wrote since.
struct DiskVersion {
    bool exists = false;
    std::size_t size = 0;
    std::uint64_t hash = 0;

    static DiskVersion of(const FileContent& content);
    static DiskVersion ofBytes(const std::string& bytes);
    bool operator==(const DiskVersion&) const = default;
};

// An exclusive flock on "<path>.lock", held for one read-modify-write of `path`. The lock
// file is never removed: removing it would let two copies lock two different files.
class FileLock {
public:
    static constexpr int kWaitMilliseconds = 5000;

    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    ~FileLock();

    // Waits up to kWaitMilliseconds for another copy to finish; the system's error text on
    // failure.
    static std::optional<std::string> acquire(const std::string& path, FileLock& lock);

private:
    int m_fd = -1;
};

std::string lockPathOf(const std::string& path);

}  // namespace sublumo::database
