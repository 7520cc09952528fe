#include "settings_store.h"

#include <charconv>

namespace sublumo::database {

std::optional<int> parseSettingsInteger(std::string_view text) {
    const std::size_t digitsFrom = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() == digitsFrom)
        return std::nullopt;
    for (std::size_t i = digitsFrom; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::string_view> SettingsStore::entry(std::string_view section,
                                                     std::string_view key) const {
    const IniDocument& document = m_file.document();
    const auto index = document.findSection(section);
    if (!index)
        return std::nullopt;
    return document.find(*index, key);
}

int SettingsStore::readInteger(std::string_view section, std::string_view key, int fallback) const {
    const auto found = entry(section, key);
    if (!found)
        return fallback;
    return parseSettingsInteger(*found).value_or(fallback);
}

bool SettingsStore::readBoolean(std::string_view section, std::string_view key,
                                bool fallback) const {
    const auto found = entry(section, key);
    if (!found)
        return fallback;
    const auto number = parseSettingsInteger(*found);
    return number ? *number != 0 : fallback;
}

std::string SettingsStore::readText(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    const auto found = entry(section, key);
    return std::string(found.value_or(fallback));
}

bool SettingsStore::hasKey(std::string_view section, std::string_view key) const {
    return entry(section, key).has_value();
}

void SettingsStore::writeInteger(std::string_view section, std::string_view key, int value) {
    m_file.setValue(section, key, std::to_string(value));
}

void SettingsStore::writeBoolean(std::string_view section, std::string_view key, bool value) {
    m_file.setValue(section, key, value ? "1" : "0");
}

void SettingsStore::writeText(std::string_view section, std::string_view key,
                              std::string_view value) {
    m_file.setValue(section, key, value);
}

std::vector<std::string> SettingsStore::sectionKeys(std::string_view section) const {
    return m_file.document().keys(section);
}

}  // namespace sublumo::database
