#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver_filter.h"
#include "driver_parameters.h"
#include "record_values.h"

namespace sublumo::database {

class DriverDatabase;

inline constexpr std::string_view kAllCaption = "All";
inline constexpr std::string_view kFilteredCaption = "Filtered";
inline constexpr std::size_t kRecentListLimit = 25;

struct RefreshOutcome {
    bool ok = true;
    std::string errorText;  // what stopped a filtered refresh; the previous list is kept
};

// The "All" list without its window: the name list in file order, its alphabetical order
// (taken once per change of the names, so that a keystroke in the filter only walks it), and
// the list's current content, caption and selection.
class DriverLists {
public:
    // Takes the name list again; refreshDriverList also does so whenever the database's
    // names changed since.
    void takeNameList(const DriverDatabase& database);
    const std::vector<std::string>& nameList() const { return *m_names; }

    // Filter off: every record, row `position` selected (none past the end). Filter on: the
    // records that pass, none selected. On failure the list stays as it was.
    RefreshOutcome refreshDriverList(const DriverDatabase& database, const DriverFilter& filter,
                                     int position, NumberFormat format);

    std::size_t allCount() const { return m_all.size(); }
    const std::string& allEntry(std::size_t row) const { return (*m_listed)[m_all[row]]; }
    std::vector<std::string> allEntries() const;
    std::string_view allCaption() const { return m_caption; }
    std::optional<std::size_t> allSelection() const { return m_selection; }
    void selectAll(std::optional<std::size_t> row) { m_selection = row; }
    // The row whose entry equals `name`, letter case ignored.
    std::optional<std::size_t> findInAll(std::string_view name) const;

private:
    using Names = std::shared_ptr<const std::vector<std::string>>;
    Names m_names = std::make_shared<const std::vector<std::string>>();
    // The name list the "All" list points into: the one of the last refresh that succeeded,
    // so that a failed refresh after the names changed still keeps the previous list.
    Names m_listed = m_names;
    std::vector<std::uint32_t> m_sorted;  // record indices in alphabetical order
    std::uint64_t m_namesVersion = ~std::uint64_t{0};
    ParsedRecords m_parsed;
    std::vector<std::uint32_t> m_all;
    std::string_view m_caption = kAllCaption;
    std::optional<std::size_t> m_selection;
};

// Alphabetical, letter case ignored; names equal but for case in byte order.
bool alphabeticallyBefore(std::string_view a, std::string_view b);

// Search text: A-Z made lower case on both sides, found anywhere in the name.
bool nameContains(std::string_view name, std::string_view searchText);

// A remembered list position; nothing when negative or past the end.
std::optional<std::size_t> positionRow(int position, std::size_t listSize);

// After a load from "All": the newest entry is not repeated; past 25 the oldest goes.
void noteRecentRecord(std::vector<std::string>& recent, std::string_view name);
// The "Recently opened" list: newest first.
std::vector<std::string> recentlyOpenedRows(const std::vector<std::string>& recent);

// "#p/listed/total" on "All", "#p/listed" on the other tabs; p is 0 with no selection.
std::string countLabelText(DriverListPage tab, std::optional<std::size_t> selected,
                           std::size_t listed, std::size_t total = 0);

struct ButtonStates {
    bool save = false;
    bool load = false;
    bool remove = false;  // "Delete"
    bool operator==(const ButtonStates&) const = default;
};

struct Selection {
    std::optional<std::size_t> row;
    std::size_t listSize = 0;
    bool driverComplete = false;
    bool bankFilled = false;  // "Memory": the selected row is not "n: empty"
};

// The selection rule of a tab, run when a row is selected and when the tab is shown.
ButtonStates selectionButtons(DriverListPage tab, const Selection& selection);
// After a refresh of "All": Delete and Load follow the list, Save stays as it was.
ButtonStates buttonsAfterRefresh(ButtonStates current, std::size_t listSize,
                                 std::optional<std::size_t> row);

}  // namespace sublumo::database
