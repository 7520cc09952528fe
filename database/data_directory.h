#pragma once

#include <string>

namespace sublumo::database {

// Where the database and settings files live. Beside the executable while that directory can
// be written (a build tree, a portable copy); in the user's data directory once the program is
// installed where it cannot write, with a database shipped beside the executable copied there
// on first use so that the user's changes have somewhere to go.

inline constexpr const char* kDataDirectoryName = "sublumo";

struct DataDirectoryInputs {
    std::string programDirectory;
    bool programDirectoryWritable = true;
    std::string xdgDataHome;  // $XDG_DATA_HOME, empty when unset
    std::string home;         // $HOME
    bool databaseBesideProgram = false;
    bool databaseInUserDirectory = false;
};

struct DataDirectoryChoice {
    std::string directory;
    bool copyDatabase = false;  // from the program directory into `directory`
    bool operator==(const DataDirectoryChoice&) const = default;
};

// $XDG_DATA_HOME/sublumo, or ~/.local/share/sublumo when it is unset or not absolute (as the
// XDG rules say); the program directory when neither gives a place.
DataDirectoryChoice chooseDataDirectory(const DataDirectoryInputs& inputs);

// /usr, /bin and /sbin belong to the package manager: a program found there keeps its files
// in the user's directory even when it runs as root and could write beside itself.
bool isSystemDirectory(const std::string& directory);

// The same with the disk and the environment looked at, the directory created and the
// database copied; if the user's directory cannot be made, the program directory (whose
// writes then report their error as usual).
std::string prepareDataDirectory(const std::string& programDirectory);
std::string prepareDataDirectory(DataDirectoryInputs inputs);

}  // namespace sublumo::database
