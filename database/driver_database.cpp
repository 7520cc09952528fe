#include "driver_database.h"

#include <algorithm>
#include <array>
#include <optional>

namespace sublumo::database {

OpenResult DriverDatabase::openDatabase(const std::string& path) {
    const FileContent content = m_file.load(path);
    switch (content.status) {
        case ReadStatus::Loaded:
            return {OpenStatus::Loaded, {}};
        case ReadStatus::Missing:
            return {OpenStatus::Missing, {}};
        case ReadStatus::Unreadable:
            break;
    }
    return {OpenStatus::Unreadable, content.errorText};
}

std::string DriverDatabase::readValue(std::string_view name, std::string_view key) const {
    return m_file.document().value(name, key);
}

void DriverDatabase::writeValue(std::string_view name, std::string_view key,
                                std::string_view value) {
    m_file.setValue(name, key, value);
}

std::vector<std::string> DriverDatabase::keysOf(std::string_view name) const {
    return m_file.document().keys(name);
}

void DriverDatabase::eraseRecord(std::string_view name) {
    m_file.eraseSection(name);
}

std::string_view DriverDatabase::recordNameAt(std::size_t index) const {
    return m_file.document().sectionName(index);
}

void DriverDatabase::valuesAt(std::size_t index, std::span<const std::string_view> keys,
                              std::span<std::string_view> values) const {
    std::array<std::optional<std::string_view>, 16> found;
    const std::size_t count = std::min(keys.size(), found.size());
    m_file.document().findEach(index, keys.first(count), std::span(found).first(count));
    for (std::size_t k = 0; k < count; ++k) values[k] = found[k].value_or(std::string_view());
}

std::string_view DriverDatabase::valueAt(std::size_t index, std::string_view key) const {
    return m_file.document().find(index, key).value_or(std::string_view());
}

}  // namespace sublumo::database
