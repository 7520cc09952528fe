#include "recovery.h"

#include "file_access.h"
#include "text_encoding.h"
#include "value_text.h"

namespace sublumo::design_file {

namespace {

constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kRecoverySection = "[recovery]";
// Files written before "path" kept the name between quotes, as it was.
constexpr std::string_view kFileKey = "file=";
constexpr std::string_view kPathKey = "path=";
constexpr std::string_view kModifiedKey = "modified=";

bool startsWithFolded(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           database::equalsFolded(text.substr(0, start.size()), start);
}

std::string unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

// A path may hold any byte but "/" and NUL: line breaks, quotes, blanks at its end, bytes that
// are no UTF-8. Those go as "%XX", so that the path stays one line of a UTF-8 file.
bool keptAsIs(unsigned char byte) {
    return byte > ' ' && byte < 0x7F && byte != '%' && byte != '"';
}

std::string percentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

// A "%" without two hex digits after it is taken as it stands.
std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string recoveryFileName(std::int64_t processId, int copy) {
    std::string name = std::string(kPrefix) + std::to_string(processId);
    if (copy > 0)
        name += "-" + std::to_string(copy);
    return name + std::string(kDesignFileExtension);
}

bool isRecoveryFileName(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kDesignFileExtension))
        return false;
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kDesignFileExtension.size());
    return !name.empty() && name.find_first_not_of("0123456789-") == std::string_view::npos;
}

std::optional<std::string> recoveryFileText(const RecoveryState& state) {
    auto text = designFileText(state.document);
    if (text)
        *text += "[Recovery]\r\npath=" + percentEncoded(state.designPath) +
                 "\r\nmodified=" + (state.modified ? "1" : "0") + "\r\n\r\n";
    return text;
}

RecoveryState parseRecoveryFile(DesignDocument document, std::string_view bytes) {
    RecoveryState state{std::move(document), {}, false};
    bool inSection = false;
    bool encodedPath = false;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = database::stripLine(bytes.substr(0, end));
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (line.starts_with('[')) {
            inSection = database::equalsFolded(line, kRecoverySection);
        } else if (inSection && startsWithFolded(line, kPathKey)) {
            state.designPath = percentDecoded(line.substr(kPathKey.size()));
            encodedPath = true;
        } else if (inSection && !encodedPath && startsWithFolded(line, kFileKey))
            state.designPath = unquoted(line.substr(kFileKey.size()));
        else if (inSection && startsWithFolded(line, kModifiedKey))
            state.modified = line.substr(kModifiedKey.size()) == "1";
    }
    return state;
}

DesignFileWrite writeRecoveryFile(const std::string& path, const RecoveryState& state) {
    const auto text = recoveryFileText(state);
    if (!text)
        return {false, "A stored design holds a number that is not finite."};
    if (auto error = database::replaceFile(path, *text))
        return {false, std::move(*error)};
    return {};
}

std::optional<RecoveryState> readRecoveryFile(const std::string& path, NumberFormat format) {
    const database::FileContent content = database::readWholeFile(path);
    if (content.status != database::ReadStatus::Loaded)
        return std::nullopt;
    DesignFileRead read = parseDesignFile(content.bytes, path, format);
    if (!read)
        return std::nullopt;
    return parseRecoveryFile(std::move(*read.document), content.bytes);
}

std::optional<std::string> chooseRecoveryFile(std::span<const RecoveryCandidate> candidates) {
    const RecoveryCandidate* newest = nullptr;
    for (const RecoveryCandidate& candidate : candidates)
        if (!candidate.held && (newest == nullptr || candidate.modifiedTime > newest->modifiedTime))
            newest = &candidate;
    return newest != nullptr ? std::optional(newest->path) : std::nullopt;
}

}  // namespace sublumo::design_file
