#include "file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>
#include <thread>
#include <utility>

namespace sublumo::database {

namespace {

std::string systemError(int error) {
    return std::strerror(error);
}

int retryOnInterrupt(auto call) {
    int result = 0;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A database reached through a link is replaced where it really lies, not the link.
std::string resolveLink(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* real = realpath(path.c_str(), nullptr);
    if (real == nullptr)
        return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

std::string temporaryPrefix(const std::string& target) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely about a literal + std::string.
    std::string prefix(1, '.');
    return prefix.append(baseNameOf(target)).append(".tmp-");
}

// Created with O_EXCL under a name no other copy uses, mode 0666 less the umask.
int createTemporary(const std::string& target, std::string& name) {
    static unsigned counter = 0;
    const std::string stem =
        directoryOf(target) + "/" + temporaryPrefix(target) + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(++counter);
        const int fd = retryOnInterrupt(
            [&] { return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); });
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void syncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The new file is already on the disk; a directory that cannot be synced (some file
    // systems refuse) only loses the guarantee that the rename itself survives a power cut.
    fsync(fd);
    close(fd);
}

std::uint64_t mixWord(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 1099511628211ULL;
    return hash ^ (hash >> 29);
}

std::uint64_t hashBytes(const std::string& bytes) {
    // FNV-style mixing over eight bytes at a time, in four lanes that do not wait for each
    // other: fast enough to run on every open and every flush of a large database.
    std::array<std::uint64_t, 4> lanes = {1469598103934665603ULL ^ bytes.size(),
                                          0x9E3779B97F4A7C15ULL, 0xC2B2AE3D27D4EB4FULL,
                                          0x165667B19E3779F9ULL};
    std::size_t i = 0;
    for (; i + 32 <= bytes.size(); i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, bytes.data() + i, sizeof words);
        for (std::size_t lane = 0; lane < lanes.size(); ++lane)
            lanes[lane] = mixWord(lanes[lane], words[lane]);
    }
    std::uint64_t hash = lanes[0];
    for (std::size_t lane = 1; lane < lanes.size(); ++lane) hash = mixWord(hash, lanes[lane]);
    for (; i < bytes.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ULL;
    return hash;
}

}  // namespace

FileContent readWholeFile(const std::string& path) {
    FileContent content;
    const int fd = retryOnInterrupt([&] { return open(path.c_str(), O_RDONLY | O_CLOEXEC); });
    if (fd < 0) {
        content.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
        if (content.status == ReadStatus::Unreadable)
            content.errorText = systemError(errno);
        return content;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        // The document addresses its text with 32-bit offsets; no database comes near that.
        if (static_cast<std::uint64_t>(info.st_size) > 0xFFFFFFFFULL) {
            close(fd);
            return {ReadStatus::Unreadable, {}, systemError(EFBIG)};
        }
        content.bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
    }
    // Read straight into the text, growing it while the file turns out longer than it said.
    std::size_t used = 0;
    for (;;) {
        if (used == content.bytes.size())
            content.bytes.resize(std::max<std::size_t>(content.bytes.capacity(), used + 65536));
        const ssize_t got = read(fd, content.bytes.data() + used, content.bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            close(fd);
            return {ReadStatus::Unreadable, {}, systemError(error)};
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    content.bytes.resize(used);
    close(fd);
    content.status = ReadStatus::Loaded;
    return content;
}

std::optional<std::string> replaceFile(const std::string& path, const std::string& bytes) {
    const std::string target = resolveLink(path);
    struct stat old {};
    const bool existed = stat(target.c_str(), &old) == 0;
    // A rename would replace a file the user made read-only; writing it in place would not.
    if (existed && access(target.c_str(), W_OK) != 0)
        return systemError(errno);

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return systemError(errno);
    if (existed)
        fchmod(fd, old.st_mode & 07777);  // keep the permissions the user gave it

    const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    const int writeError = errno;
    if (close(fd) != 0 && written) {
        const int closeError = errno;
        unlink(temporary.c_str());
        return systemError(closeError);
    }
    if (!written) {
        unlink(temporary.c_str());
        return systemError(writeError);
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        unlink(temporary.c_str());
        return systemError(renameError);
    }
    syncDirectory(directoryOf(target));
    return std::nullopt;
}

void removeStaleTemporaries(const std::string& path) {
    const std::string target = resolveLink(path);
    const std::string directory = directoryOf(target);
    const std::string prefix = temporaryPrefix(target);
    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* entry = readdir(listing))
        if (std::string_view(entry->d_name).starts_with(prefix))
            unlink((directory + "/" + entry->d_name).c_str());
    closedir(listing);
}

DiskVersion DiskVersion::of(const FileContent& content) {
    if (content.status != ReadStatus::Loaded)
        return {};
    return ofBytes(content.bytes);
}

DiskVersion DiskVersion::ofBytes(const std::string& bytes) {
    return {true, bytes.size(), hashBytes(bytes)};
}

std::string lockPathOf(const std::string& path) {
    return path + ".lock";
}

FileLock::FileLock(FileLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    if (m_fd >= 0)
        close(m_fd);  // closing the descriptor releases the flock
}

std::optional<std::string> FileLock::acquire(const std::string& path, FileLock& lock) {
    const std::string lockPath = lockPathOf(path);
    int fd = retryOnInterrupt(
        [&] { return open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666); });
    // A lock file made by another user may be read-only to us; flock works on it all the same.
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno);

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWaitMilliseconds);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || Clock::now() >= deadline) {
            close(fd);
            return systemError(error);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    lock = FileLock();
    lock.m_fd = fd;
    return std::nullopt;
}

}  // namespace sublumo::database
