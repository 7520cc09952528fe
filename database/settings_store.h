#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini_file.h"

namespace sublumo::database {

inline constexpr std::string_view kSettingsFileName = "sublumo_cfg.ini";

// Decimal digits with an optional minus sign that fit an int; anything else is no integer.
std::optional<int> parseSettingsInteger(std::string_view text);

// The settings file, opened for one task and closed after it. Writes change single key lines
// and leave every other line of the file as it was; a flush under the file's lock replays
// them on whatever another running copy wrote meanwhile.
class SettingsStore {
public:
    SettingsStore() : m_file(IniReadOptions{true}) {}

    // A missing file reads every key as its default; an unreadable one does too, and reports.
    FileContent open(const std::string& path) { return m_file.load(path); }

    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    bool readBoolean(std::string_view section, std::string_view key, bool fallback) const;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const {
        return m_file.document().findSection(section).has_value();
    }

    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBoolean(std::string_view section, std::string_view key, bool value);
    void writeText(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> sectionKeys(std::string_view section) const;
    void eraseSection(std::string_view section) { m_file.eraseSection(section); }
    FlushResult flush() { return m_file.flush(); }

private:
    std::optional<std::string_view> entry(std::string_view section, std::string_view key) const;

    IniFile m_file;
};

}  // namespace sublumo::database
