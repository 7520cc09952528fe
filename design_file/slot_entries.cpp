#include "slot_entries.h"

#include <array>
#include <string>
#include <type_traits>
#include <variant>

#include "design_document.h"
#include "text_encoding.h"
#include "value_text.h"

namespace sublumo::design_file {

namespace {

using enclosure::BandpassChambers;
using enclosure::LimitInputs;
using enclosure::LinkwitzCircuit;
using enclosure::LumpedDriver;
using enclosure::PassiveRadiatorBox;
using enclosure::PortedBox;
using enclosure::SealedBox;

template <typename T>
struct Member {
    std::string_view key;
    double T::*value;
};

constexpr std::array<Member<LumpedDriver>, 11> kDriver = {{{"M", &LumpedDriver::M},
                                                           {"Cms", &LumpedDriver::Cms},
                                                           {"Rms", &LumpedDriver::Rms},
                                                           {"Bl", &LumpedDriver::Bl},
                                                           {"S", &LumpedDriver::S},
                                                           {"Re", &LumpedDriver::Re},
                                                           {"Le", &LumpedDriver::Le},
                                                           {"Rs", &LumpedDriver::Rs},
                                                           {"Rtot", &LumpedDriver::Rtot},
                                                           {"Xmax", &LumpedDriver::Xmax},
                                                           {"Pe", &LumpedDriver::Pe}}};
constexpr std::string_view kDriverCount = "N";
constexpr std::array<Member<SealedBox>, 2> kSealed = {
    {{"Vb", &SealedBox::Vb}, {"ff", &SealedBox::ff}}};
constexpr std::array<Member<PortedBox>, 4> kPorted = {{{"Vb", &PortedBox::Vb},
                                                       {"fb", &PortedBox::fb},
                                                       {"Sv", &PortedBox::Sv},
                                                       {"QL", &PortedBox::QL}}};
constexpr std::array<Member<BandpassChambers>, 5> kBandpass = {{{"Vr", &BandpassChambers::Vr},
                                                                {"Vf", &BandpassChambers::Vf},
                                                                {"fb", &BandpassChambers::fb},
                                                                {"Sv", &BandpassChambers::Sv},
                                                                {"QL", &BandpassChambers::QL}}};
constexpr std::array<Member<PassiveRadiatorBox>, 8> kRadiators = {
    {{"Vb", &PassiveRadiatorBox::Vb},
     {"Sp", &PassiveRadiatorBox::Sp},
     {"Mmp", &PassiveRadiatorBox::Mmp},
     {"Mplus", &PassiveRadiatorBox::Mplus},
     {"Cmp", &PassiveRadiatorBox::Cmp},
     {"Qmp", &PassiveRadiatorBox::Qmp},
     {"Xmaxp", &PassiveRadiatorBox::Xmaxp},
     {"QL", &PassiveRadiatorBox::QL}}};
constexpr std::string_view kRadiatorCount = "Np";
constexpr std::array<Member<LimitInputs>, 4> kConditions = {
    {{"U", &LimitInputs::U},
     {"d", &LimitInputs::d},
     {"fcg", &LimitInputs::cabinGainFcg},
     {"ventLine", &LimitInputs::ventVelocityLine}}};
constexpr std::string_view kEqualiser = "equaliser";
constexpr std::array<Member<LinkwitzCircuit>, 10> kCircuit = {{{"fp", &LinkwitzCircuit::fp},
                                                               {"Qp", &LinkwitzCircuit::Qp},
                                                               {"C2", &LinkwitzCircuit::C2},
                                                               {"k", &LinkwitzCircuit::k},
                                                               {"R1", &LinkwitzCircuit::R1},
                                                               {"R2", &LinkwitzCircuit::R2},
                                                               {"R3", &LinkwitzCircuit::R3},
                                                               {"C1", &LinkwitzCircuit::C1},
                                                               {"C3", &LinkwitzCircuit::C3},
                                                               {"gain", &LinkwitzCircuit::gain}}};

struct CurveKey {
    std::string_view key;
    std::vector<double> memory::SlotCurves::*points;
};
constexpr std::array<CurveKey, 3> kCurves = {{{"frequency", &memory::SlotCurves::frequencies},
                                              {"relative", &memory::SlotCurves::relative},
                                              {"absolute", &memory::SlotCurves::absolute}}};

constexpr std::string_view kConditionsLine = "conditions";
constexpr std::string_view kDesignLine = "design";
constexpr std::string_view kBox = "box";

class SlotWriter {
public:
    SlotWriter(database::IniDocument& ini, std::string_view section)
        : m_ini(ini), m_section(section) {}

    void text(std::string_view key, const std::string& text) {
        m_ini.setValue(m_section, key, quoteText(text));
    }
    void curve(std::string_view key, const std::vector<double>& points) {
        put(key, numberListText(points));
    }
    template <typename T, std::size_t N>
    void members(const T& object, const std::array<Member<T>, N>& table) {
        for (const Member<T>& member : table)
            put(member.key, exactNumberText(object.*member.value));
    }
    void plain(std::string_view key, const std::string& text) {
        m_ini.setValue(m_section, key, text);
    }
    bool complete() const { return m_complete; }

private:
    void put(std::string_view key, const std::optional<std::string>& text) {
        m_complete = m_complete && text.has_value();
        m_ini.setValue(m_section, key, text.value_or(""));
    }

    database::IniDocument& m_ini;
    std::string_view m_section;
    bool m_complete = true;
};

class SlotReader {
public:
    SlotReader(const IniSection& section, int number)
        : m_section(section), m_name("memory slot " + std::to_string(number)) {}

    const IniEntry& entry(std::string_view key, std::string_view what) const {
        const IniEntry* found = m_section.find(key);
        if (!found)
            throw Refusal{m_section.line, m_name + " has no " + std::string(what)};
        return *found;
    }
    std::string text(std::string_view key, std::string_view what) const {
        const IniEntry& line = entry(key, what);
        auto text = unquoteText(line.value);
        if (!text)
            throw Refusal{line.line, "the " + std::string(what) + " of " + m_name +
                                         " is not a properly quoted text"};
        return std::move(*text);
    }
    std::vector<double> curve(std::string_view key) const {
        const std::string what = std::string(key) + " curve";
        const IniEntry& line = entry(key, what);
        std::string_view bad;
        auto points = readNumberList(line.value, bad);
        if (!points)
            throw Refusal{line.line, "a point of the " + what + " of " + m_name +
                                         " is not a number: \"" + std::string(bad) + "\""};
        if (points->empty())
            throw Refusal{line.line, "the " + what + " of " + m_name + " has no points"};
        return std::move(*points);
    }
    double number(std::string_view key) const {
        const IniEntry& line = entry(key, key);
        const auto value = readExactNumber(line.value, true);
        if (!value)
            throw notA("a number", line);
        return *value;
    }
    template <typename T, std::size_t N>
    void members(T& object, const std::array<Member<T>, N>& table) const {
        for (const Member<T>& member : table) object.*member.value = number(member.key);
    }
    int count(std::string_view key, int highest) const {
        const IniEntry& line = entry(key, key);
        if (line.value.size() != 1 || line.value[0] < '1' || line.value[0] > '0' + highest)
            throw notA("a whole number from 1 to " + std::to_string(highest), line);
        return line.value[0] - '0';
    }
    bool flag(std::string_view key) const {
        const IniEntry* line = m_section.find(key);
        if (!line)
            return false;
        if (line->value != "0" && line->value != "1")
            throw notA("0 or 1", *line);
        return line->value == "1";
    }
    const std::string& name() const { return m_name; }

private:
    Refusal notA(const std::string& kind, const IniEntry& line) const {
        return {line.line, std::string(line.key) + " of " + m_name + " is not " + kind + ": \"" +
                               std::string(line.value) + "\""};
    }

    const IniSection& m_section;
    std::string m_name;
};

template <typename Box, std::size_t N>
enclosure::LumpedBox readBox(const SlotReader& reader, const std::array<Member<Box>, N>& table) {
    Box box;
    reader.members(box, table);
    return box;
}

enclosure::LumpedBox readRadiators(const SlotReader& reader) {
    PassiveRadiatorBox box;
    reader.members(box, kRadiators);
    box.Np = reader.count(kRadiatorCount, 9);
    return box;
}

LimitInputs readLimits(const SlotReader& reader, std::size_t boxType) {
    LimitInputs limits;
    if (boxType == 0)
        limits.box = readBox(reader, kSealed);
    else if (boxType == 1)
        limits.box = readBox(reader, kPorted);
    else if (boxType == 2)
        limits.box = readBox(reader, kBandpass);
    else
        limits.box = readRadiators(reader);
    reader.members(limits.driver, kDriver);
    limits.driver.N = reader.count(kDriverCount, 9);
    reader.members(limits, kConditions);
    if (reader.flag(kEqualiser)) {
        LinkwitzCircuit circuit;
        reader.members(circuit, kCircuit);
        limits.equaliser = circuit;
    }
    return limits;
}

}  // namespace

bool writeSlot(database::IniDocument& ini, std::string_view section, const memory::Slot& slot) {
    SlotWriter writer(ini, section);
    writer.text(kConditionsLine, slot.conditions);
    writer.text(kDesignLine, slot.design);
    for (const CurveKey& curve : kCurves) writer.curve(curve.key, slot.curves.*curve.points);
    if (!slot.limits)
        return writer.complete();
    const LimitInputs& limits = *slot.limits;
    writer.plain(kBox, std::string(kBoxTypes[limits.box.index()]));
    std::visit(
        [&](const auto& box) {
            using Box = std::decay_t<decltype(box)>;
            if constexpr (std::is_same_v<Box, SealedBox>)
                writer.members(box, kSealed);
            else if constexpr (std::is_same_v<Box, PortedBox>)
                writer.members(box, kPorted);
            else if constexpr (std::is_same_v<Box, BandpassChambers>)
                writer.members(box, kBandpass);
            else {
                writer.members(box, kRadiators);
                writer.plain(kRadiatorCount, std::to_string(box.Np));
            }
        },
        limits.box);
    writer.members(limits.driver, kDriver);
    writer.plain(kDriverCount, std::to_string(limits.driver.N));
    writer.members(limits, kConditions);
    writer.plain(kEqualiser, limits.equaliser ? "1" : "0");
    if (limits.equaliser)
        writer.members(*limits.equaliser, kCircuit);
    return writer.complete() && limits.driver.N >= 1 && limits.driver.N <= 9;
}

memory::Slot readSlot(const IniSection& section, int number) {
    const SlotReader reader(section, number);
    memory::Slot slot;
    slot.filled = true;
    slot.conditions = reader.text(kConditionsLine, "conditions line");
    slot.design = reader.text(kDesignLine, "design line");
    for (const CurveKey& curve : kCurves) slot.curves.*curve.points = reader.curve(curve.key);
    for (const CurveKey& curve : kCurves)
        if ((slot.curves.*curve.points).size() != slot.curves.frequencies.size())
            throw Refusal{reader.entry(curve.key, curve.key).line,
                          "the " + std::string(curve.key) + " curve of " + reader.name() +
                              " has not as many points as its frequencies"};
    const IniEntry* box = section.find(kBox);
    if (!box)
        return slot;  // stored without a circuit: no limit charts
    for (std::size_t type = 0; type < kBoxTypes.size(); ++type)
        if (database::equalsFolded(box->value, kBoxTypes[type])) {
            slot.limits = readLimits(reader, type);
            return slot;
        }
    throw Refusal{box->line,
                  "unknown box type \"" + std::string(box->value) + "\" in " + reader.name()};
}

}  // namespace sublumo::design_file
