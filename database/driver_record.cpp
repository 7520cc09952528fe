#include "driver_record.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace sublumo::database {

const std::string& DriverRecord::value(std::string_view key) const {
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        if (recordKeys[i] == key)
            return values[i];
    throw std::out_of_range("not a record key");
}

std::string doubleAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out.push_back(c);
        if (c == '&')
            out.push_back('&');
    }
    return out;
}

std::string confirmationText(std::string_view question, std::string_view name) {
    return std::string(question) + "\n" + std::string(name);
}

FlushResult saveRecordToDatabase(DriverDatabase& database, const DriverRecord& record) {
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        database.writeValue(record.name, recordKeys[i], record.values[i]);
    return database.flushDatabase();
}

DriverRecord loadRecordFromDatabase(const DriverDatabase& database, std::string_view name) {
    DriverRecord record;
    record.name = name;
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        record.values[i] = database.readValue(name, recordKeys[i]);
    return record;
}

FlushResult deleteRecordFromDatabase(DriverDatabase& database, std::string_view name) {
    database.eraseRecord(name);
    return database.flushDatabase();
}

RenameResult renameRecordInDatabase(DriverDatabase& database, std::string_view oldName,
                                    std::string_view newName) {
    const std::vector<std::string> keys = database.keysOf(oldName);
    if (keys.size() < recordKeys.size())
        return {RenameStatus::NothingRenamed, std::string(kNothingRenamedMessage)};

    // Every key line moves, hand-added ones too, in their order.
    std::vector<std::pair<std::string, std::string>> lines;
    lines.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        lines.emplace_back(keys[i], database.readValue(oldName, keys[i]));
    const std::string target(newName);  // newName may point into the record being erased
    database.eraseRecord(oldName);
    for (const auto& [key, value] : lines) database.writeValue(target, key, value);

    FlushResult flushed = database.flushDatabase();
    if (!flushed)
        return {RenameStatus::FlushFailed, std::move(flushed.errorText)};
    return {};
}

}  // namespace sublumo::database
