#include "driver_database.h"

namespace sublumo {

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

const std::string& DriverDatabase::recordNameAt(std::size_t index) const {
    return m_file.document().section(index).name;
}

std::string_view DriverDatabase::valueAt(std::size_t index, std::string_view key) const {
    const IniEntry* entry = findEntry(m_file.document().section(index), key);
    return entry ? std::string_view(entry->value) : std::string_view();
}

}  // namespace sublumo
