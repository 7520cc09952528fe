#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver_record.h"
#include "settings_store.h"

namespace sublumo::database {

enum class SettingKind { Integer, Boolean, Text, NumberText };

// One key of the settings file with its kind and its default, written as the file holds it
// ("1"/"0" for booleans).
struct SettingKey {
    std::string_view key;
    SettingKind kind;
    std::string_view defaultText;
};

inline constexpr std::string_view kFormSection = "Form";
inline constexpr std::string_view kRecentSection = "recent";
inline constexpr std::string_view kForm2Section = "Form2";
inline constexpr int kMemoryBankCount = 25;

// Both tables are in the order the keys are written.
const std::array<SettingKey, 34>& formKeys();
const std::array<SettingKey, 39>& form2Keys();

// The values of one section, one per key of its table, each read with the rules of its kind
// (a missing key or one of the wrong kind gives the default).
class SectionValues {
public:
    explicit SectionValues(std::span<const SettingKey> table);

    static SectionValues read(const SettingsStore& store, std::string_view section,
                              std::span<const SettingKey> table);
    // Every key of the table, in table order.
    void write(SettingsStore& store, std::string_view section) const;

    int integer(std::string_view key) const;
    bool boolean(std::string_view key) const;
    const std::string& text(std::string_view key) const;
    void setInteger(std::string_view key, int value);
    void setBoolean(std::string_view key, bool value);
    void setText(std::string_view key, std::string_view value);

private:
    std::size_t indexOf(std::string_view key) const;  // throws std::out_of_range

    std::span<const SettingKey> m_table;
    std::vector<std::string> m_values;
};

// Section `recent`: the key count gives n, then keys "0".."n-1" are read with the empty text
// as default, so a hand-edited section with keys 0 and 5 gives the name and an empty entry.
std::vector<std::string> readRecentList(const SettingsStore& store);
// Keys beyond the list's length that are already in the file stay.
void writeRecentList(SettingsStore& store, const std::vector<std::string>& names);

// The design files last opened or saved, newest first, in a section of their own.
inline constexpr std::string_view kRecentDesignsSection = "recent designs";
inline constexpr std::size_t kRecentDesignCount = 10;
std::vector<std::string> readRecentDesigns(const SettingsStore& store);
// Replaces the whole section; an empty list leaves none behind.
void writeRecentDesigns(SettingsStore& store, const std::vector<std::string>& paths);
// `path` first, gone from its older place, and the oldest dropped past kRecentDesignCount.
std::vector<std::string> withRecentDesign(std::vector<std::string> paths, const std::string& path);

// Memory banks 1 to 25, the sections "MB #1" to "MB #25".
std::string memoryBankSection(int bank);
std::string emptyBankRowText(int bank);  // "3: empty"
// The 25 rows of the "Memory" list: each bank's `MM`, or its empty-row text.
std::vector<std::string> memoryListRows(const SettingsStore& store);
bool isEmptyBankRow(int bank, std::string_view rowText);
// `MM` and the eleven record keys, in that order.
void writeMemoryBank(SettingsStore& store, int bank, const DriverRecord& record);
// Nothing when the bank has no section.
std::optional<DriverRecord> readMemoryBank(const SettingsStore& store, int bank);
FlushResult eraseMemoryBank(SettingsStore& store, int bank);

}  // namespace sublumo::database
