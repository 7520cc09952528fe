#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "design_memory.h"
#include "driver_record.h"

namespace sublumo::design_file {

// A design kept in a file: the driver, every input of the Enclosure page and the stored
// designs of the memory, enough to bring the window back as it was.

inline constexpr std::string_view kDesignFileExtension = ".sublumo";
// Raised whenever a file of this version would be misread by an older program.
inline constexpr int kDesignFormatVersion = 1;

// How the reader checks a page value, and how the writer writes it.
enum class ValueKind {
    Number,  // a field's number text; "." in the file, the locale's separator in the document
    Count,   // a whole number of digits, such as Nd
    Flag,    // "1" or "0": a check box or a toggle
    Choice,  // one of a fixed list of texts
};

struct PageKey {
    std::string_view name;  // the control's object name where it has one
    ValueKind kind = ValueKind::Number;
    std::span<const std::string_view> choices = {};
};

// A group of the page and its keys, in the order they are written. The names are the groups'
// object names, so the window can fill a group's fields by their own object names.
struct PageGroup {
    std::string_view name;
    std::span<const PageKey> keys;
};

std::span<const PageGroup> pageGroups();
const PageGroup* findPageGroup(std::string_view name);
const PageKey* findPageKey(const PageGroup& group, std::string_view name);

// The box types as the page's type switch names them; a stored design's circuit uses the same
// words.
inline constexpr std::array<std::string_view, 4> kBoxTypes = {"closed", "vented", "bandpass",
                                                              "passiveRadiator"};
// The page's key of the box type and of the other choices the window needs to know.
inline constexpr std::string_view kPageGroup = "enclosurePage";
inline constexpr std::string_view kBoxTypeKey = "typbox";

// A group's values by name, in the order they were set or read.
struct PageSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;

    bool operator==(const PageSection&) const = default;
};

struct DesignDocument {
    int formatVersion = kDesignFormatVersion;
    std::string programVersion;  // of the program that wrote the file
    // The driver as Save to the database keeps it: its name and the eleven entered texts.
    database::DriverRecord driver;
    // Only the keys of pageGroups() are written; a key the file lacks is not here.
    std::vector<PageSection> page;
    // Not "slots": Qt defines that word away in every file that includes its headers.
    // Only filled slots are kept; an emptied one comes back as a fresh slot, its old texts gone.
    std::array<memory::Slot, memory::kSlotCount> memorySlots;

    // The value's text, or nothing when the document has none.
    const std::string* pageValue(std::string_view group, std::string_view key) const;
    // Replaces the value, or appends it to its group (appended itself when missing).
    void setPageValue(std::string_view group, std::string_view key, std::string text);

    bool operator==(const DesignDocument&) const = default;
};

// A design's inputs in the flat form a memory slot keeps them, so that the slot can be loaded
// back: "driver/name", "driver/<i>" for the driver's i-th field, "<group>/<key>" for the page.
memory::SlotInputs slotInputs(const DesignDocument& document);
// And back; names it does not know are passed over. The slots are left empty.
DesignDocument fromSlotInputs(const memory::SlotInputs& inputs);

}  // namespace sublumo::design_file
