#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ini_file.h"

namespace sublumo::database {

// The eleven keys of a record, in the order they are written.
inline constexpr std::array<std::string_view, 11> recordKeys = {
    "Qms", "Qes", "fs", "Mms", "Dd", "Re", "Hc", "Hg", "Pe", "Le", "URL"};

inline constexpr std::string_view kDatabaseFileName = "sublumo_tsp.ini";
inline constexpr std::string_view kDatabaseInUseMessage =
    "Sublumo cannot access the database as it is being used by another process.";

enum class OpenStatus {
    Loaded,
    Missing,     // no file yet: an empty database, no message
    Unreadable,  // the file exists but cannot be read: the start-up message, then the end
};

struct OpenResult {
    OpenStatus status = OpenStatus::Missing;
    std::string errorText;  // the system's text when Unreadable
};

// The in-memory copy of the driver database file: records in file order, each an ordered list
// of key lines, names matched without letter case.
class DriverDatabase {
public:
    DriverDatabase() : m_file(IniReadOptions{false}) {}

    OpenResult openDatabase(const std::string& path);

    std::vector<std::string> recordNames() const { return m_file.document().sectionNames(); }
    std::string readValue(std::string_view name, std::string_view key) const;
    void writeValue(std::string_view name, std::string_view key, std::string_view value);
    std::vector<std::string> keysOf(std::string_view name) const;
    void eraseRecord(std::string_view name);
    // Rewrites the whole file from memory, merged with what another copy wrote since.
    FlushResult flushDatabase() { return m_file.flush(); }

    // Records by position, for the lists that walk every record at each keystroke.
    std::size_t recordCount() const { return m_file.document().sectionCount(); }
    std::string_view recordNameAt(std::size_t index) const;
    // The position of the record of that name (letter case ignored), if there is one.
    std::optional<std::size_t> recordIndex(std::string_view name) const {
        return m_file.document().findSection(name);
    }
    std::string_view valueAt(std::size_t index, std::string_view key) const;
    // Several keys of one record at once; a missing key gives the empty text.
    void valuesAt(std::size_t index, std::span<const std::string_view> keys,
                  std::span<std::string_view> values) const;

    bool hasUnflushedChanges() const { return m_file.hasUnflushedChanges(); }
    // Changes whenever the name list may have changed: the lists take it again then.
    std::uint64_t namesVersion() const { return m_file.namesVersion(); }
    // Changes with every change of a name or a value.
    std::uint64_t contentVersion() const { return m_file.contentVersion(); }
    // While the names stay, the values written so far, and for each record the count at its
    // last change: what changed since a reader last looked.
    std::uint64_t changeCount() const { return m_file.document().changeCount(); }
    std::uint64_t recordChangedAt(std::size_t index) const {
        return m_file.document().changedAt(index);
    }

private:
    IniFile m_file;
};

}  // namespace sublumo::database
