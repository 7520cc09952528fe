#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"
#include "ini_document.h"

namespace sublumo::database {

struct FlushResult {
    bool ok = true;
    std::string errorText;         // the system's text when the file could not be written
    bool mergedOtherCopy = false;  // the file had changed on disk and was read again first

    explicit operator bool() const { return ok; }
};

// An INI document tied to its file. Every change is applied in memory and kept in a journal
// until a flush reaches the disk. A flush holds the file's lock for its read-modify-write;
// when another copy wrote the file since this one last read or wrote it, the flush reads the
// file again and replays the journal on top, so neither copy's changes are lost.
class IniFile {
public:
    explicit IniFile(IniReadOptions options) : m_document(options), m_options(options) {}

    // A missing file gives an empty document; the first flush creates it.
    FileContent load(const std::string& path);

    const IniDocument& document() const { return m_document; }
    const std::string& path() const { return m_path; }
    bool hasUnflushedChanges() const { return !m_journal.empty(); }
    // Changes whenever the list of section names may have changed; unique across files.
    std::uint64_t namesVersion() const { return m_namesVersion; }
    // Changes with every change of the document at all.
    std::uint64_t contentVersion() const { return m_contentVersion; }

    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void eraseSection(std::string_view section);

    // On failure the changes stay in memory and in the journal for the next flush.
    FlushResult flush();

private:
    struct Change {
        bool erase = false;
        std::string section;
        std::string key;
        std::string value;
    };

    void apply(IniDocument& document, const Change& change);
    std::optional<std::string> takeChangesOnDisk(bool& merged);

    std::string m_path;
    IniDocument m_document;
    IniReadOptions m_options;
    std::vector<Change> m_journal;
    DiskVersion m_known;
    std::uint64_t m_namesVersion = 0;
    std::uint64_t m_contentVersion = 0;
};

}  // namespace sublumo::database
