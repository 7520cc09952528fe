#include "design_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "file_access.h"
#include "ini_document.h"
#include "slot_entries.h"
#include "strict_ini.h"
#include "text_encoding.h"
#include "value_text.h"

namespace sublumo::design_file {

namespace {

constexpr std::string_view kFormatKey = "format";
constexpr std::string_view kProgramKey = "program";
constexpr std::string_view kDriverSection = "driver";
constexpr std::string_view kNameKey = "name";
constexpr std::string_view kUrlKey = "URL";
constexpr NumberFormat kFileFormat{'.'};

std::string slotSection(int number) {
    return "Slot " + std::to_string(number);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string tooLargeReason() {
    return "the file is larger than " + std::to_string(kMaxDesignFileBytes >> 20) +
           " MB, far more than any design file";
}

bool isDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// The value as the file and the document hold it; nothing when it is not of its key's kind.
std::optional<std::string> pageValueText(const PageKey& key, std::string_view text,
                                         NumberFormat format) {
    text = database::stripLine(text);
    switch (key.kind) {
        case ValueKind::Number:
            return fieldNumberText(text, format);
        case ValueKind::Count:
            return text.empty() || isDigits(text) ? std::optional(std::string(text)) : std::nullopt;
        case ValueKind::Flag:
            return text.empty() || text == "0" || text == "1" ? std::optional(std::string(text))
                                                              : std::nullopt;
        case ValueKind::Choice:
            if (text.empty())
                return std::string();
            for (std::string_view choice : key.choices)
                if (database::equalsFolded(text, choice))
                    return std::string(choice);
            return std::nullopt;
    }
    return std::nullopt;
}

std::string kindReason(const PageKey& key) {
    switch (key.kind) {
        case ValueKind::Number:
            return "is not a number";
        case ValueKind::Count:
            return "is not a whole number";
        case ValueKind::Flag:
            return "is not 0 or 1";
        case ValueKind::Choice:
            break;
    }
    std::string list;
    for (std::string_view choice : key.choices)
        list.append(list.empty() ? "" : ", ").append(choice);
    return "is not one of " + list;
}

Refusal wrongValue(const PageGroup& group, const PageKey& key, const IniEntry& entry) {
    if (group.name == kPageGroup && key.name == kBoxTypeKey)
        return {entry.line, "unknown box type " + quoted(entry.value)};
    return {entry.line, std::string(key.name) + " in [" + std::string(group.name) + "] " +
                            kindReason(key) + ": " + quoted(entry.value)};
}

std::string readText(const IniSection* section, std::string_view key) {
    const IniEntry* entry = section ? section->find(key) : nullptr;
    if (!entry)
        return {};
    auto text = unquoteText(entry->value);
    if (!text)
        throw Refusal{entry->line, std::string(key) + " in [" + std::string(section->name) +
                                       "] is not a properly quoted text"};
    return std::move(*text);
}

int readFormatVersion(const IniSection& header, std::string_view program) {
    const IniEntry* entry = header.find(kFormatKey);
    if (!entry)
        throw Refusal{header.line, "the file gives no format version"};
    if (!isDigits(entry->value))
        throw Refusal{entry->line,
                      "the format version is not a whole number: " + quoted(entry->value)};
    int version = 0;
    const auto end = entry->value.data() + entry->value.size();
    const bool fits = std::from_chars(entry->value.data(), end, version).ec == std::errc();
    if (fits && version == 0)
        throw Refusal{entry->line, "there is no format version 0"};
    if (!fits || version > kDesignFormatVersion)
        throw Refusal{entry->line, "the file was written by a newer Sublumo" +
                                       (program.empty() ? "" : " (" + std::string(program) + ")") +
                                       " in design file format " + std::string(entry->value) +
                                       "; this version reads format " +
                                       std::to_string(kDesignFormatVersion) +
                                       " and cannot open it"};
    return version;
}

database::DriverRecord readDriver(const IniSection* section, NumberFormat format) {
    database::DriverRecord driver;
    driver.name = readText(section, kNameKey);
    for (std::size_t i = 0; i < database::recordKeys.size(); ++i) {
        const std::string_view key = database::recordKeys[i];
        if (key == kUrlKey) {
            driver.values[i] = readText(section, key);
            continue;
        }
        const IniEntry* entry = section ? section->find(key) : nullptr;
        if (!entry)
            continue;
        auto text = fieldNumberText(entry->value, format);
        if (!text)
            throw Refusal{entry->line, std::string(key) + " of the driver is not a number: " +
                                           quoted(entry->value)};
        driver.values[i] = std::move(*text);
    }
    return driver;
}

void readPage(const std::vector<IniSection>& sections, NumberFormat format,
              DesignDocument& document) {
    for (const PageGroup& group : pageGroups()) {
        const IniSection* section = findSection(sections, group.name);
        if (!section)
            continue;
        for (const PageKey& key : group.keys) {
            const IniEntry* entry = section->find(key.name);
            if (!entry)
                continue;
            auto text = pageValueText(key, entry->value, format);
            if (!text)
                throw wrongValue(group, key, *entry);
            document.setPageValue(group.name, key.name, std::move(*text));
        }
    }
}

DesignDocument readDocument(const std::vector<IniSection>& sections, NumberFormat format) {
    if (sections.empty())
        throw Refusal{0, "not a design file: it holds nothing but comments"};
    const IniSection& header = sections.front();
    if (!database::equalsFolded(header.name, kHeaderSection))
        throw Refusal{header.line, "not a Sublumo design file: it does not begin with [" +
                                       std::string(kHeaderSection) + "]"};
    // The version first: a newer file is refused as newer, whatever else it holds.
    const IniEntry* program = header.find(kProgramKey);
    DesignDocument document;
    document.formatVersion = readFormatVersion(
        header, program ? unquoteText(program->value).value_or(std::string(program->value)) : "");
    document.programVersion = readText(&header, kProgramKey);
    document.driver = readDriver(findSection(sections, kDriverSection), format);
    readPage(sections, format, document);
    for (int number = 1; number <= memory::kSlotCount; ++number)
        if (const IniSection* section = findSection(sections, slotSection(number)))
            document.memorySlots[static_cast<std::size_t>(number - 1)] = readSlot(*section, number);
    return document;
}

DesignFileRead refused(const std::string& path, std::size_t line, std::string reason) {
    return {std::nullopt, {path, line, std::move(reason)}};
}

}  // namespace

std::string errorMessage(const DesignFileError& error) {
    std::string message = error.path;
    if (error.line > 0)
        message += ", line " + std::to_string(error.line);
    return message + ": " + error.reason;
}

std::optional<std::string> designFileText(const DesignDocument& document) {
    database::IniDocument ini;
    ini.setValue(kHeaderSection, kFormatKey, std::to_string(kDesignFormatVersion));
    ini.setValue(kHeaderSection, kProgramKey, quoteText(document.programVersion));

    ini.setValue(kDriverSection, kNameKey, quoteText(document.driver.name));
    for (std::size_t i = 0; i < database::recordKeys.size(); ++i) {
        const std::string_view key = database::recordKeys[i];
        const std::string& text = document.driver.values[i];
        ini.setValue(
            kDriverSection, key,
            key == kUrlKey ? quoteText(text) : fieldNumberText(text, kFileFormat).value_or(""));
    }

    for (const PageGroup& group : pageGroups())
        for (const PageKey& key : group.keys)
            if (const std::string* text = document.pageValue(group.name, key.name))
                ini.setValue(group.name, key.name,
                             pageValueText(key, *text, kFileFormat).value_or(""));

    for (int number = 1; number <= memory::kSlotCount; ++number) {
        const memory::Slot& slot = document.memorySlots[static_cast<std::size_t>(number - 1)];
        if (slot.filled && !writeSlot(ini, slotSection(number), slot))
            return std::nullopt;
    }
    return ini.serialize();
}

DesignFileRead parseDesignFile(std::string_view bytes, const std::string& path,
                               NumberFormat format) {
    if (bytes.size() > kMaxDesignFileBytes)
        return refused(path, 0, tooLargeReason());
    try {
        return {readDocument(readStrictIni(bytes), format), {}};
    } catch (const Refusal& refusal) {
        return refused(path, refusal.line, refusal.reason);
    }
}

DesignFileRead readDesignFile(const std::string& path, NumberFormat format) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return refused(path, 0, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        return refused(path, 0, std::strerror(EISDIR));
    if (!S_ISREG(info.st_mode))
        return refused(path, 0, "not a file but a device or a pipe");
    if (static_cast<std::uint64_t>(info.st_size) > kMaxDesignFileBytes)
        return refused(path, 0, tooLargeReason());
    database::FileContent content = database::readWholeFile(path);
    if (content.status == database::ReadStatus::Missing)
        return refused(path, 0, std::strerror(ENOENT));
    if (content.status == database::ReadStatus::Unreadable)
        return refused(path, 0, content.errorText);
    return parseDesignFile(content.bytes, path, format);
}

DesignFileWrite writeDesignFile(const std::string& path, const DesignDocument& document) {
    const auto text = designFileText(document);
    if (!text)
        return {false, "A stored design holds a number that is not finite."};
    if (auto error = database::replaceFile(path, *text))
        return {false, std::move(*error)};
    return {};
}

}  // namespace sublumo::design_file
