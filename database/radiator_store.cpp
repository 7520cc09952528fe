#include "radiator_store.h"

#include <algorithm>
#include <cctype>

namespace sublumo::database {

namespace {

constexpr std::string_view kRadiatorsSection = "radiators";
constexpr std::string_view kLastKey = "last";
constexpr int kMostRadiators = 1000;

std::string radiatorSection(int index) {
    return "PR #" + std::to_string(index);
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

RadiatorRecord convert(RadiatorRecord r, NumberFormat format) {
    for (std::string* text : {&r.size, &r.compliance, &r.Mmp, &r.Qmp, &r.Xmaxp})
        *text = normaliseDecimal(*text, format);
    return r;
}

// Sections "PR #1" on without a gap; a radiator is never erased, so the first missing one ends
// the list.
template <typename Visit>
std::optional<int> eachRadiator(const SettingsStore& store, Visit visit) {
    for (int i = 1; i <= kMostRadiators; ++i) {
        const std::string section = radiatorSection(i);
        if (!store.hasSection(section))
            return i;
        if (visit(i, section))
            return i;
    }
    return std::nullopt;
}

}  // namespace

RadiatorRecord storedRadiator(RadiatorRecord fields) {
    return convert(std::move(fields), {'.'});
}

RadiatorRecord displayedRadiator(RadiatorRecord stored, NumberFormat format) {
    return convert(std::move(stored), format);
}

std::vector<std::string> radiatorNames(const SettingsStore& store) {
    std::vector<std::string> names;
    eachRadiator(store, [&](int, const std::string& section) {
        names.push_back(store.readText(section, "name", ""));
        return false;
    });
    return names;
}

std::optional<RadiatorRecord> readRadiator(const SettingsStore& store, const std::string& name) {
    std::optional<RadiatorRecord> found;
    eachRadiator(store, [&](int, const std::string& section) {
        if (!sameName(store.readText(section, "name", ""), name))
            return false;
        RadiatorRecord r;
        r.name = store.readText(section, "name", "");
        r.byDiameter = store.readText(section, "size by", "Dp") != "Sp";
        r.size = store.readText(section, "size", "");
        r.byCompliance = store.readText(section, "compliance by", "Cmp") != "Vap";
        r.compliance = store.readText(section, "compliance", "");
        r.Mmp = store.readText(section, "Mmp", "");
        r.Qmp = store.readText(section, "Qmp", "");
        r.Xmaxp = store.readText(section, "Xmaxp", "");
        found = std::move(r);
        return true;
    });
    return found;
}

void writeRadiator(SettingsStore& store, const RadiatorRecord& record) {
    const auto index = eachRadiator(store, [&](int, const std::string& section) {
        return sameName(store.readText(section, "name", ""), record.name);
    });
    if (!index)
        return;  // the list is full; nothing kept is overwritten
    const std::string section = radiatorSection(*index);
    store.writeText(section, "name", record.name);
    store.writeText(section, "size by", record.byDiameter ? "Dp" : "Sp");
    store.writeText(section, "size", record.size);
    store.writeText(section, "compliance by", record.byCompliance ? "Cmp" : "Vap");
    store.writeText(section, "compliance", record.compliance);
    store.writeText(section, "Mmp", record.Mmp);
    store.writeText(section, "Qmp", record.Qmp);
    store.writeText(section, "Xmaxp", record.Xmaxp);
    store.writeText(kRadiatorsSection, kLastKey, record.name);
}

std::string lastRadiatorName(const SettingsStore& store) {
    return store.readText(kRadiatorsSection, kLastKey, "");
}

}  // namespace sublumo::database
