#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "number_text.h"

namespace sublumo::tools {

// One measurement of the added-mass method: the texts at the moment it was added.
struct AddedMassEntry {
    std::string fs;
    std::string newFs;
    std::string madd;
    std::string mms;
};

// The list's visible text of an entry: "10 g: 17.8 g".
std::string entryText(const AddedMassEntry& entry);

// The measurement list of the added-mass method. It lives as long as the program and is
// emptied only by "clear" or by deleting its entries.
class AddedMassList {
public:
    // "add": the selection stays where it was.
    void add(AddedMassEntry entry);
    // Selecting an entry gives back its texts for the inputs; nothing for a position past the end.
    std::optional<AddedMassEntry> select(std::size_t index);
    // "delete" (or the Delete key): the entry now at the same position is selected, or the new
    // last one when the last was deleted. Nothing happens without a selection.
    void removeSelected();
    // "clear": also disables the panel's "OK" (the page does that).
    void clear();

    const std::vector<AddedMassEntry>& entries() const { return m_entries; }
    std::vector<std::string> itemTexts() const;
    std::optional<std::size_t> selected() const { return m_selected; }
    bool deleteEnabled() const { return m_selected.has_value(); }
    bool clearEnabled() const { return !m_entries.empty(); }
    // "avg: 17.8 g" over two or more entries, else empty.
    std::string averageLine(NumberFormat format) const;

private:
    std::vector<AddedMassEntry> m_entries;
    std::optional<std::size_t> m_selected;
};

}  // namespace sublumo::tools
