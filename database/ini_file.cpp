#include "ini_file.h"

namespace sublumo::database {

namespace {

std::uint64_t nextVersion() {
    static std::uint64_t counter = 0;
    return ++counter;
}

}  // namespace

FileContent IniFile::load(const std::string& path) {
    m_path = path;
    m_journal.clear();
    FileContent content = readWholeFile(path);
    m_known = DiskVersion::of(content);
    m_document = content.status == ReadStatus::Loaded
                     ? IniDocument::parse(std::move(content.bytes), m_options)
                     : IniDocument(m_options);
    m_namesVersion = m_contentVersion = nextVersion();
    content.bytes = std::string();
    return content;
}

void IniFile::apply(IniDocument& document, const Change& change) {
    const std::size_t sections = document.sectionCount();
    if (change.erase)
        document.eraseSection(change.section);
    else
        document.setValue(change.section, change.key, change.value);
    m_contentVersion = nextVersion();
    if (document.sectionCount() != sections)
        m_namesVersion = m_contentVersion = nextVersion();
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    Change change{false, std::string(section), std::string(key), std::string(value)};
    apply(m_document, change);
    m_journal.push_back(std::move(change));
}

void IniFile::eraseSection(std::string_view section) {
    Change change{true, std::string(section), {}, {}};
    apply(m_document, change);
    m_journal.push_back(std::move(change));
}

// Under the lock: when the file is no longer what this copy last saw, it becomes the base and
// this copy's journal is replayed on it. A file that has gone away is no base: this copy's
// document is written whole, so nothing it holds is lost.
std::optional<std::string> IniFile::takeChangesOnDisk(bool& merged) {
    FileContent content = readWholeFile(m_path);
    if (content.status == ReadStatus::Unreadable)
        return content.errorText;
    const DiskVersion onDisk = DiskVersion::of(content);
    if (content.status == ReadStatus::Missing || onDisk == m_known)
        return std::nullopt;

    IniDocument base = IniDocument::parse(std::move(content.bytes), m_options);
    for (const Change& change : m_journal) apply(base, change);
    m_document = std::move(base);
    m_known = onDisk;
    m_namesVersion = m_contentVersion = nextVersion();
    merged = true;
    return std::nullopt;
}

FlushResult IniFile::flush() {
    FlushResult result;
    if (m_path.empty())
        return {false, "No file has been opened", false};
    FileLock lock;
    if (auto error = FileLock::acquire(m_path, lock))
        return {false, std::move(*error), false};
    removeStaleTemporaries(m_path);
    if (auto error = takeChangesOnDisk(result.mergedOtherCopy))
        return {false, std::move(*error), result.mergedOtherCopy};

    const std::string bytes = m_document.serialize();
    if (auto error = replaceFile(m_path, bytes))
        return {false, std::move(*error), result.mergedOtherCopy};
    m_known = DiskVersion::ofBytes(bytes);
    m_journal.clear();
    return result;
}

}  // namespace sublumo::database
