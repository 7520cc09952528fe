#include "settings_keys.h"

#include <algorithm>
#include <stdexcept>

namespace sublumo::database {

namespace {

using K = SettingKind;

constexpr std::array<SettingKey, 34> kFormKeys = {{
    {"Top", K::Integer, "5"},
    {"Left", K::Integer, "5"},
    {"Cff", K::Integer, "0"},
    {"markbox", K::Boolean, "0"},
    {"Vasunit", K::Text, "litres"},
    {"Glossunit", K::Text, "%"},
    {"BlMpow", K::Text, "Bl"},
    {"High", K::Boolean, "1"},
    {"Pin", K::Boolean, "0"},
    // The list positions are integers written as text: the same characters in the file.
    {"Pos1", K::Integer, "0"},
    {"Pos2", K::Integer, "0"},
    {"Pos3", K::Integer, "0"},
    {"alfbox", K::Boolean, "0"},
    {"Ddbox", K::Boolean, "0"},
    {"fsbox", K::Boolean, "0"},
    {"Qtsbox", K::Boolean, "0"},
    {"Mmsbox", K::Boolean, "0"},
    {"Rebox", K::Boolean, "0"},
    {"SPLbox", K::Boolean, "0"},
    {"hledit", K::Text, ""},
    {"Ddmin", K::NumberText, "0"},
    {"Ddmax", K::NumberText, "999"},
    {"fsmin", K::NumberText, "0"},
    {"fsmax", K::NumberText, "999"},
    {"Qtsmin", K::NumberText, "0"},
    {"Qtsmax", K::NumberText, "999"},
    {"Mmsmin", K::NumberText, "0"},
    {"Mmsmax", K::NumberText, "999"},
    {"Remin", K::NumberText, "0"},
    {"Remax", K::NumberText, "999"},
    {"SPLmin", K::NumberText, "0"},
    {"SPLmax", K::NumberText, "999"},
    {"Chart", K::Text, "Response"},
    {"PortLine", K::Integer, "17"},
}};

// Column switches of the detailed list window, written down the first column of the table,
// then the second, then the third.
constexpr std::array<SettingKey, 39> kForm2Keys = {{
    {"Qms", K::Boolean, "1"},  {"Qes", K::Boolean, "1"},    {"Qts", K::Boolean, "1"},
    {"EBP", K::Boolean, "0"},  {"fs", K::Boolean, "1"},     {"Mms", K::Boolean, "1"},
    {"Mmd", K::Boolean, "0"},  {"Mair", K::Boolean, "0"},   {"Dd", K::Boolean, "1"},
    {"Sd", K::Boolean, "1"},   {"Vas", K::Boolean, "1"},    {"Re", K::Boolean, "1"},
    {"Bl", K::Boolean, "1"},   {"Mpow", K::Boolean, "0"},   {"gamma", K::Boolean, "0"},
    {"Rms", K::Boolean, "0"},  {"Rme", K::Boolean, "0"},    {"Cms", K::Boolean, "1"},
    {"Kms", K::Boolean, "0"},  {"Hc", K::Boolean, "1"},     {"Hg", K::Boolean, "1"},
    {"Xmax", K::Boolean, "1"}, {"Gloss", K::Boolean, "0"},  {"Glossmm", K::Boolean, "0"},
    {"Vd", K::Boolean, "0"},   {"eta0", K::Boolean, "0"},   {"SPL", K::Boolean, "1"},
    {"USPL", K::Boolean, "1"}, {"SPLmax", K::Boolean, "0"}, {"Res", K::Boolean, "0"},
    {"Lces", K::Boolean, "0"}, {"Cmes", K::Boolean, "0"},   {"f4pi", K::Boolean, "0"},
    {"f2pi", K::Boolean, "0"}, {"fmax", K::Boolean, "0"},   {"Zmax", K::Boolean, "0"},
    {"Pe", K::Boolean, "1"},   {"Le", K::Boolean, "1"},     {"URL", K::Boolean, "0"},
}};

constexpr std::string_view kBankNameKey = "MM";

std::string readByKind(const SettingsStore& store, std::string_view section,
                       const SettingKey& key) {
    switch (key.kind) {
        case SettingKind::Integer:
            return std::to_string(store.readInteger(
                section, key.key, parseSettingsInteger(key.defaultText).value_or(0)));
        case SettingKind::Boolean:
            return store.readBoolean(section, key.key, key.defaultText == "1") ? "1" : "0";
        case SettingKind::Text:
        case SettingKind::NumberText:
            break;
    }
    return store.readText(section, key.key, key.defaultText);
}

}  // namespace

const std::array<SettingKey, 34>& formKeys() {
    return kFormKeys;
}
const std::array<SettingKey, 39>& form2Keys() {
    return kForm2Keys;
}

SectionValues::SectionValues(std::span<const SettingKey> table) : m_table(table) {
    m_values.reserve(table.size());
    for (const SettingKey& key : table) m_values.emplace_back(key.defaultText);
}

SectionValues SectionValues::read(const SettingsStore& store, std::string_view section,
                                  std::span<const SettingKey> table) {
    SectionValues values(table);
    for (std::size_t i = 0; i < table.size(); ++i)
        values.m_values[i] = readByKind(store, section, table[i]);
    return values;
}

void SectionValues::write(SettingsStore& store, std::string_view section) const {
    for (std::size_t i = 0; i < m_table.size(); ++i)
        store.writeText(section, m_table[i].key, m_values[i]);
}

std::size_t SectionValues::indexOf(std::string_view key) const {
    for (std::size_t i = 0; i < m_table.size(); ++i)
        if (m_table[i].key == key)
            return i;
    throw std::out_of_range("not a settings key of this section");
}

int SectionValues::integer(std::string_view key) const {
    return parseSettingsInteger(m_values[indexOf(key)]).value_or(0);
}

bool SectionValues::boolean(std::string_view key) const {
    return m_values[indexOf(key)] == "1";
}

const std::string& SectionValues::text(std::string_view key) const {
    return m_values[indexOf(key)];
}

void SectionValues::setInteger(std::string_view key, int value) {
    m_values[indexOf(key)] = std::to_string(value);
}

void SectionValues::setBoolean(std::string_view key, bool value) {
    m_values[indexOf(key)].assign(1, value ? '1' : '0');
}

void SectionValues::setText(std::string_view key, std::string_view value) {
    m_values[indexOf(key)] = value;
}

std::vector<std::string> readRecentList(const SettingsStore& store) {
    const std::size_t count = store.sectionKeys(kRecentSection).size();
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        names.push_back(store.readText(kRecentSection, std::to_string(i), ""));
    return names;
}

void writeRecentList(SettingsStore& store, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        store.writeText(kRecentSection, std::to_string(i), names[i]);
}

std::vector<std::string> readRecentDesigns(const SettingsStore& store) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < kRecentDesignCount; ++i) {
        std::string path = store.readText(kRecentDesignsSection, std::to_string(i), "");
        // A hand-edited file may repeat a path or leave a gap; neither becomes an entry.
        if (!path.empty() && std::ranges::find(paths, path) == paths.end())
            paths.push_back(std::move(path));
    }
    return paths;
}

void writeRecentDesigns(SettingsStore& store, const std::vector<std::string>& paths) {
    store.eraseSection(kRecentDesignsSection);
    for (std::size_t i = 0; i < paths.size() && i < kRecentDesignCount; ++i)
        store.writeText(kRecentDesignsSection, std::to_string(i), paths[i]);
}

std::vector<std::string> withRecentDesign(std::vector<std::string> paths, const std::string& path) {
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kRecentDesignCount)
        paths.resize(kRecentDesignCount);
    return paths;
}

std::string memoryBankSection(int bank) {
    return "MB #" + std::to_string(bank);
}

std::string emptyBankRowText(int bank) {
    return std::to_string(bank) + ": empty";
}

std::vector<std::string> memoryListRows(const SettingsStore& store) {
    std::vector<std::string> rows;
    rows.reserve(kMemoryBankCount);
    for (int bank = 1; bank <= kMemoryBankCount; ++bank)
        rows.push_back(
            store.readText(memoryBankSection(bank), kBankNameKey, emptyBankRowText(bank)));
    return rows;
}

bool isEmptyBankRow(int bank, std::string_view rowText) {
    return rowText == emptyBankRowText(bank);
}

void writeMemoryBank(SettingsStore& store, int bank, const DriverRecord& record) {
    const std::string section = memoryBankSection(bank);
    store.writeText(section, kBankNameKey, record.name);
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        store.writeText(section, recordKeys[i], record.values[i]);
}

std::optional<DriverRecord> readMemoryBank(const SettingsStore& store, int bank) {
    const std::string section = memoryBankSection(bank);
    if (!store.hasSection(section))
        return std::nullopt;
    DriverRecord record;
    record.name = store.readText(section, kBankNameKey, "");
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        record.values[i] = store.readText(section, recordKeys[i], "");
    return record;
}

FlushResult eraseMemoryBank(SettingsStore& store, int bank) {
    store.eraseSection(memoryBankSection(bank));
    return store.flush();
}

}  // namespace sublumo::database
