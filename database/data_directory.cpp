#include "data_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "driver_database.h"
#include "file_access.h"

namespace sublumo::database {

namespace {

std::string databaseIn(const std::string& directory) {
    return directory + "/" + std::string(kDatabaseFileName);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// mkdir -p, private to the user as the XDG rules ask.
bool makeDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool isSystemDirectory(const std::string& directory) {
    for (const std::string_view prefix : {"/usr", "/bin", "/sbin"}) {
        if (directory.starts_with(prefix) &&
            (directory.size() == prefix.size() || directory[prefix.size()] == '/'))
            return true;
    }
    return false;
}

DataDirectoryChoice chooseDataDirectory(const DataDirectoryInputs& inputs) {
    if (inputs.programDirectoryWritable)
        return {inputs.programDirectory, false};
    std::string base;
    if (!inputs.xdgDataHome.empty() && inputs.xdgDataHome.front() == '/')
        base = inputs.xdgDataHome;
    else if (!inputs.home.empty() && inputs.home.front() == '/')
        base = inputs.home + "/.local/share";
    else
        return {inputs.programDirectory, false};
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string directory = base + "/" + kDataDirectoryName;
    return {directory, inputs.databaseBesideProgram && !inputs.databaseInUserDirectory};
}

std::string prepareDataDirectory(const std::string& programDirectory) {
    DataDirectoryInputs inputs;
    inputs.programDirectory = programDirectory;
    inputs.programDirectoryWritable =
        !isSystemDirectory(programDirectory) && ::access(programDirectory.c_str(), W_OK) == 0;
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.home = environment("HOME");
    return prepareDataDirectory(std::move(inputs));
}

std::string prepareDataDirectory(DataDirectoryInputs inputs) {
    inputs.databaseBesideProgram = exists(databaseIn(inputs.programDirectory));
    DataDirectoryChoice choice = chooseDataDirectory(inputs);
    if (choice.directory == inputs.programDirectory)
        return choice.directory;
    if (!makeDirectories(choice.directory))
        return inputs.programDirectory;
    inputs.databaseInUserDirectory = exists(databaseIn(choice.directory));
    choice = chooseDataDirectory(inputs);
    if (choice.copyDatabase) {
        const FileContent shipped = readWholeFile(databaseIn(inputs.programDirectory));
        if (shipped.status == ReadStatus::Loaded)
            replaceFile(databaseIn(choice.directory), shipped.bytes);
    }
    return choice.directory;
}

}  // namespace sublumo::database
