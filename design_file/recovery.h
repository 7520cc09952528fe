#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "design_file.h"

namespace sublumo::design_file {

// The working state a running copy keeps in its data directory, so that a crash never costs
// what the user typed: the design as a design file holds it, the file it came from and whether
// it had unsaved changes.

struct RecoveryState {
    DesignDocument document;
    std::string designPath;  // empty when the design never had a file
    bool modified = false;

    bool operator==(const RecoveryState&) const = default;
};

// The folder of the data directory that holds the recovery files and their locks.
inline constexpr std::string_view kRecoveryFolder = "recovery";

// "recovery-<process>.sublumo", or "recovery-<process>-<copy>.sublumo" for a further window of
// the same process.
std::string recoveryFileName(std::int64_t processId, int copy = 0);
bool isRecoveryFileName(std::string_view name);

// The design file's text with a section of its own for the file and the mark, which a design
// file reader passes over.
std::optional<std::string> recoveryFileText(const RecoveryState& state);
RecoveryState parseRecoveryFile(DesignDocument document, std::string_view bytes);

// Written as a design file is: beside the old one and renamed over it.
DesignFileWrite writeRecoveryFile(const std::string& path, const RecoveryState& state);
std::optional<RecoveryState> readRecoveryFile(const std::string& path, NumberFormat format);

// A recovery file found at start-up; `held` when a running copy still holds its lock.
struct RecoveryCandidate {
    std::string path;
    bool held = false;
    std::int64_t modifiedTime = 0;
};

// The newest file that no running copy holds: the design of the copy that ended last.
std::optional<std::string> chooseRecoveryFile(std::span<const RecoveryCandidate> candidates);

}  // namespace sublumo::design_file
