#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "design_limits.h"
#include "design_lines.h"
#include "number_text.h"
#include "response_table.h"

namespace sublumo::memory {

inline constexpr int kSlotCount = 8;

// The two curves of one design as the charts plot them: the relative response and the level
// at the source voltage and microphone distance, over the same frequencies.
// The page's inputs of a stored design by name ("group/key", and the driver's fields), so
// that it can be loaded back; empty for a design that came without them.
using SlotInputs = std::vector<std::pair<std::string, std::string>>;

struct SlotCurves {
    std::vector<double> frequencies;
    std::vector<double> relative;
    std::vector<double> absolute;

    bool operator==(const SlotCurves&) const = default;
};

// Reads the frequency, relative and absolute columns of the table as the page shows them. A
// cell that does not read as a number (no design computed yet) makes the whole copy fail:
// half a curve with no box to delete it would stay on the charts for good.
std::optional<SlotCurves> copyCurves(const enclosure::ResponseTable& table, NumberFormat format);

// What a store needs of the current design; the table is the page's and outlives the call.
struct DesignSnapshot {
    ConditionTexts conditions;
    DesignTexts design;
    const enclosure::ResponseTable* table = nullptr;
    NumberFormat format;
    // The circuit of the design, from which the limit charts are drawn.
    std::optional<enclosure::LimitInputs> limits;
    SlotInputs inputs;
};

struct Slot {
    bool filled = false;
    std::string conditions;
    std::string design = "empty";
    SlotCurves curves;
    std::optional<enclosure::LimitInputs> limits;
    SlotInputs inputs;

    bool operator==(const Slot&) const = default;
};

// Eight frozen designs for comparison; they live while the program runs.
class DesignMemory {
public:
    // Slots are numbered 1 to 8. A store overwrites a filled slot; a failed store empties it
    // and keeps the texts, as a delete does. Returns whether the slot is filled.
    bool store(int slot, const DesignSnapshot& snapshot);
    void remove(int slot);
    // Puts a slot back as it was kept (from a design file); an invalid number does nothing.
    void restore(int slot, Slot kept);
    const Slot& slot(int slot) const;
    static bool validSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

private:
    std::array<Slot, kSlotCount> m_slots;
};

}  // namespace sublumo::memory
