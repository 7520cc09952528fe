#include "design_document.h"

#include <algorithm>
#include <charconv>

#include "design_limits.h"
#include "vent.h"

namespace sublumo::design_file {

namespace {

using enum ValueKind;

constexpr std::string_view kDriverInput = "driver";

constexpr std::array<std::string_view, 4> kConnections = {"series", "parallel", "serParA",
                                                          "serParB"};
constexpr std::array<std::string_view, 3> kVentShapes = {"round", "rectangular", "triangular"};
constexpr std::array<std::string_view, 3> kFillPercents = {enclosure::kFillAmounts[0].percent,
                                                           enclosure::kFillAmounts[1].percent,
                                                           enclosure::kFillAmounts[2].percent};
constexpr std::array<std::string_view, 2> kVentReadouts = {"Va", "Ma"};
// The relative chart's top in dB: the window shift's six positions.
constexpr std::array<std::string_view, 6> kGraphTops = {"10", "20", "30", "40", "50", "60"};

// "Response" and the limit charts, as the chart choice lists them.
std::span<const std::string_view> chartKinds() {
    static const auto kinds = [] {
        std::array<std::string_view, enclosure::kLimitKinds.size() + 1> names{"Response"};
        for (std::size_t i = 0; i < enclosure::kLimitKinds.size(); ++i)
            names[i + 1] = enclosure::limitKindTitle(enclosure::kLimitKinds[i]);
        return names;
    }();
    return kinds;
}

constexpr std::array<PageKey, 3> kArrangement = {
    {{"Nd", Count}, {"zapojeni", Choice, kConnections}, {"isobaric", Flag}}};
constexpr std::array<PageKey, 3> kOptions = {{{"Rs"}, {"M+"}, {"Tvc"}}};
constexpr std::array<PageKey, 3> kSource = {{{"sourceOn", Flag}, {"U"}, {"d"}}};
constexpr std::array<PageKey, 2> kCabinGain = {{{"cabinGainOn", Flag}, {"lmax"}}};
constexpr std::array<PageKey, 3> kLinkwitz = {{{"linkwitzOn", Flag}, {"fp"}, {"Qp"}}};
constexpr std::array<PageKey, 1> kLinkwitzCircuit = {{{"C2"}}};
constexpr std::array<PageKey, 3> kClosed = {{{"Vb"}, {"fill"}, {"infinite", Flag}}};

template <std::size_t A, std::size_t B>
constexpr std::array<PageKey, A + B> join(const std::array<PageKey, A>& a,
                                          const std::array<PageKey, B>& b) {
    std::array<PageKey, A + B> keys{};
    std::ranges::copy(a, keys.begin());
    std::ranges::copy(b, keys.begin() + A);
    return keys;
}

// The vent rows of the vented box and of the bandpass box's front chamber.
constexpr std::array<PageKey, 8> kVent = {{{"ventShape", Choice, kVentShapes},
                                           {"Dv"},
                                           {"Av"},
                                           {"Bv"},
                                           {"Nv", Count},
                                           {"k"},
                                           {"fillAmount", Choice, kFillPercents},
                                           {"readout", Choice, kVentReadouts}}};
constexpr auto kVented = join(std::array<PageKey, 2>{{{"Vb"}, {"fb"}}}, kVent);
// The Build view: panel thickness, proportion, bracing, displacement, vent limit, slot height.
constexpr std::array<PageKey, 10> kBuild = {{{"t"},
                                             {"W"},
                                             {"H"},
                                             {"D"},
                                             {"Vbr"},
                                             {"Vdr"},
                                             {"vmax"},
                                             {"Bs"},
                                             {"slotVent", Flag},
                                             {"ventsInside", Flag}}};
// Of the linked pairs Dp/Sp and Cmp/Vap, the field the user typed: it leads again on opening.
constexpr std::array<std::string_view, 2> kSizeLeads = {"Dp", "Sp"};
constexpr std::array<std::string_view, 2> kComplianceLeads = {"Cmp", "Vap"};
constexpr std::array<PageKey, 12> kRadiators = {{{"Vb"},
                                                 {"fb"},
                                                 {"Np", Count},
                                                 {"Dp"},
                                                 {"Sp"},
                                                 {"Mmp"},
                                                 {"Cmp"},
                                                 {"Vap"},
                                                 {"Qmp"},
                                                 {"Xmaxp"},
                                                 {"sizeLead", Choice, kSizeLeads},
                                                 {"complianceLead", Choice, kComplianceLeads}}};
constexpr auto kBandpass = join(std::array<PageKey, 4>{{{"Vr"}, {"fill"}, {"Vf"}, {"fb"}}}, kVent);

}  // namespace

std::span<const PageGroup> pageGroups() {
    static const std::array<PageKey, 4> page = {{{kBoxTypeKey, Choice, kBoxTypes},
                                                 {"chartKind", Choice, chartKinds()},
                                                 {"ventLine"},
                                                 {"graphTop", Choice, kGraphTops}}};
    static const std::array<PageGroup, 12> groups = {{
        {kPageGroup, page},
        {"numdri", kArrangement},
        {"additionalOptions", kOptions},
        {"sourceMic", kSource},
        {"cabinGain", kCabinGain},
        {"linkwitz", kLinkwitz},
        {"linkwitzCircuit", kLinkwitzCircuit},
        {"closedBox", kClosed},
        {"ventedBox", kVented},
        {"bandpassBox", kBandpass},
        {"build", kBuild},
        {"passiveRadiatorBox", kRadiators},
    }};
    return groups;
}

const PageGroup* findPageGroup(std::string_view name) {
    for (const PageGroup& group : pageGroups())
        if (group.name == name)
            return &group;
    return nullptr;
}

const PageKey* findPageKey(const PageGroup& group, std::string_view name) {
    for (const PageKey& key : group.keys)
        if (key.name == name)
            return &key;
    return nullptr;
}

const std::string* DesignDocument::pageValue(std::string_view group, std::string_view key) const {
    const auto section = std::ranges::find(page, group, &PageSection::name);
    if (section == page.end())
        return nullptr;
    for (const auto& [name, text] : section->values)
        if (name == key)
            return &text;
    return nullptr;
}

void DesignDocument::setPageValue(std::string_view group, std::string_view key, std::string text) {
    auto section = std::ranges::find(page, group, &PageSection::name);
    if (section == page.end())
        section = page.insert(page.end(), PageSection{std::string(group), {}});
    for (auto& [name, value] : section->values)
        if (name == key) {
            value = std::move(text);
            return;
        }
    section->values.emplace_back(std::string(key), std::move(text));
}

memory::SlotInputs slotInputs(const DesignDocument& document) {
    const std::string driver = std::string(kDriverInput) + "/";
    memory::SlotInputs inputs;
    inputs.emplace_back(driver + "name", document.driver.name);
    for (std::size_t i = 0; i < document.driver.values.size(); ++i)
        inputs.emplace_back(driver + std::to_string(i), document.driver.values[i]);
    for (const PageSection& section : document.page)
        for (const auto& [key, text] : section.values)
            inputs.emplace_back(section.name + "/" + key, text);
    return inputs;
}

DesignDocument fromSlotInputs(const memory::SlotInputs& inputs) {
    DesignDocument document;
    for (const auto& [name, text] : inputs) {
        const std::size_t slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string_view group = std::string_view(name).substr(0, slash);
        const std::string_view key = std::string_view(name).substr(slash + 1);
        if (group != kDriverInput) {
            document.setPageValue(group, key, text);
        } else if (key == "name") {
            document.driver.name = text;
        } else {
            std::size_t i = 0;
            const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), i);
            if (error == std::errc() && end == key.data() + key.size() &&
                i < document.driver.values.size())
                document.driver.values[i] = text;
        }
    }
    return document;
}

}  // namespace sublumo::design_file
