#pragma once

#include <functional>
#include <string>

namespace sublumo::testing {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// Names in the directory other than "." and "..".
int entryCount(const std::string& directory);

// Runs `body` in a forked child and returns what it reports: empty for success, else the first
// fault it saw ("skip: ..." when the system does not allow the setting up).
std::string reportFromChild(const std::function<std::string()>& body);

}  // namespace sublumo::testing
