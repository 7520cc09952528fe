#pragma once

#include <array>
#include <string>
#include <string_view>

#include "driver_database.h"

namespace sublumo::database {

// A stored driver: its name and the eleven value texts, in `recordKeys` order.
struct DriverRecord {
    std::string name;
    std::array<std::string, 11> values;

    const std::string& value(std::string_view key) const;
    bool operator==(const DriverRecord&) const = default;
};

inline constexpr std::string_view kOverwriteQuestion =
    "Are you sure you want to overwrite this record?";
inline constexpr std::string_view kDeleteQuestion = "Are you sure you want to delete this record?";
inline constexpr std::string_view kRecordNotFoundMessage =
    "Record not found. It must have been deleted or renamed.";
inline constexpr std::string_view kNothingRenamedMessage =
    "There is no record selected. Nothing has been renamed.";

// For toolkits whose message boxes take "&" as an accelerator mark.
std::string doubleAmpersands(std::string_view text);
// The question, a line break and the name exactly as stored: the program's message boxes show
// their text as it stands, so one "&" shows as one.
std::string confirmationText(std::string_view question, std::string_view name);

// The store side of the record operations, in the calling orders the page uses. The caller
// takes the name list again afterwards with recordNames.

// Eleven writeValue calls in recordKeys order, then flushDatabase.
FlushResult saveRecordToDatabase(DriverDatabase& database, const DriverRecord& record);
// Eleven readValue calls; a missing key gives the empty text.
DriverRecord loadRecordFromDatabase(const DriverDatabase& database, std::string_view name);
// eraseRecord, then flushDatabase.
FlushResult deleteRecordFromDatabase(DriverDatabase& database, std::string_view name);

enum class RenameStatus { Renamed, NothingRenamed, FlushFailed };

struct RenameResult {
    RenameStatus status = RenameStatus::Renamed;
    std::string errorText;  // kNothingRenamedMessage, or the system's text of a failed flush
};

// keysOf the old record and readValue of each of its keys, eraseRecord, writeValue of those
// keys under the new name in the same order, flushDatabase. A record with fewer than eleven keys
// (or none at all) is left alone.
RenameResult renameRecordInDatabase(DriverDatabase& database, std::string_view oldName,
                                    std::string_view newName);

}  // namespace sublumo::database
