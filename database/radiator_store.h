#pragma once

#include <optional>
#include <string>
#include <vector>

#include "number_text.h"
#include "settings_store.h"

namespace sublumo::database {

// A passive radiator kept by name in the settings file, one section each ("PR #1", ...), apart
// from the drivers: it has no motor and never appears in a driver list. The numbers are the
// texts of the fields with "." as the separator, whatever the locale; the size is Dp or Sp and
// the compliance Cmp or Vap, whichever was typed.
struct RadiatorRecord {
    std::string name;
    bool byDiameter = true;    // Dp, else Sp
    std::string size;          // mm or cm²
    bool byCompliance = true;  // Cmp, else Vap
    std::string compliance;    // mm/N or l
    std::string Mmp, Qmp, Xmaxp;

    bool operator==(const RadiatorRecord&) const = default;
};

// Field texts as the locale writes them become stored texts with "."; stored texts become the
// locale's again.
RadiatorRecord storedRadiator(RadiatorRecord fields);
RadiatorRecord displayedRadiator(RadiatorRecord stored, NumberFormat format);

// Names in the order they were first kept.
std::vector<std::string> radiatorNames(const SettingsStore& store);
std::optional<RadiatorRecord> readRadiator(const SettingsStore& store, const std::string& name);
// Replaces the radiator of the same name (letter case ignored), otherwise adds one; the name is
// remembered as the last one used.
void writeRadiator(SettingsStore& store, const RadiatorRecord& record);
std::string lastRadiatorName(const SettingsStore& store);

}  // namespace sublumo::database
