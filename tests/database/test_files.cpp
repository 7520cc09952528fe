#include "test_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sublumo::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sublumo-db-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

int entryCount(const std::string& directory) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++count;
    return count;
}

std::string reportFromChild(const std::function<std::string()>& body) {
    int channel[2];
    if (pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string report = body();
        [[maybe_unused]] const ssize_t written = write(channel[1], report.data(), report.size());
        _exit(0);
    }
    close(channel[1]);
    std::string report;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, static_cast<std::size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return "child did not finish";
    return report;
}

}  // namespace sublumo::testing
