#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "driver_database.h"
#include "driver_files.h"
#include "driver_lists.h"
#include "driver_record.h"
#include "number_text.h"

class QListView;
class QPushButton;
class QTabWidget;

namespace sublumo {

class ClickableLabel;
class FilterFrame;
class ParameterPanel;
class PlatformServices;
class RenameBox;
class SummaryBox;
class TextListModel;

// What the settings file keeps of the page between runs.
struct DriverListsState {
    std::array<int, 3> positions{};  // Pos1 "All", Pos2 "Recently opened", Pos3 "Memory"
    database::DriverFilter filter;
    std::vector<std::string> recent;  // oldest first
};

// The page "List of drivers": "Delete", "Save" and "Load", the " Filter " frame, the lists
// "All", "Recently opened" and "Memory" with their count label, and the rename box. It moves
// drivers between the parameter panel and the database or the memory banks.
class DriverListsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kListHeight = 327;
    static constexpr int kShortListHeight = 275;

    DriverListsPage(PlatformServices& platform, NumberFormat format, ParameterPanel& panel,
                    SummaryBox& summary, database::DriverDatabase& database, QString settingsPath,
                    QWidget* parent = nullptr);

    // Start-up: the saved state applied as if the user had made each change, then the
    // database ranges and the list.
    void applyState(const DriverListsState& state);
    void start();
    DriverListsState state() const;

    DriverListPage currentTab() const;
    // The "All" list as shown, for the detailed list's rows.
    std::vector<std::string> allEntries() const { return m_lists.allEntries(); }
    // Computed from the database when first asked for after a change.
    const database::DatabaseRanges& ranges() const;

    void saveRecord();
    void loadRecord();
    // A row of the detailed list: filled in as a load does, after which Save waits for a change.
    void loadDetailedListRow(const database::DriverRecord& record);
    // The driver's name and entered fields as Save to the database keeps them.
    database::DriverRecord currentDriver() const;
    void deleteRecord();
    void renameRecord();
    // Driver files (.wdr): many into the database, the current driver out to one.
    void importDriverFiles();
    void exportDriverFile();
    void refreshDriverList();
    void setRenameBoxShown(bool shown);

signals:
    // The count label was clicked on "All".
    void detailedListRequested();
    // The list was rebuilt, or a save or delete reached the database: an open detailed list
    // with auto-reload rebuilds its table.
    void listsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildButtons();
    QWidget* buildFileButtons();
    QWidget* buildListArea();
    QListView* addList(const QString& objectName, const QString& caption, TextListModel* model);
    QListView* listOf(DriverListPage tab) const;
    std::optional<std::size_t> selectedRow(DriverListPage tab) const;
    void selectRow(DriverListPage tab, std::optional<std::size_t> row);

    void onTabShown(int index);
    void onSelected(DriverListPage tab);
    void runSelectionRule(DriverListPage tab);
    void tellPanelAboutTheList();
    void applySolverActions();
    void setButtons(const database::ButtonStates& states);
    void updateCountLabel();
    void computeRanges();
    void reloadMemoryRows();
    void reportFlush(const database::FlushResult& result);

    void fillFields(const database::DriverRecord& record);
    bool confirm(std::string_view question, const std::string& name);
    void saveToDatabase();
    void saveToMemory();
    void deleteFromDatabase();
    void deleteFromMemory();
    bool inNameList(const std::string& name) const;
    database::CollisionChoice askCollision(const std::string& name);
    void selectInAll(const std::string& name);

    PlatformServices& m_platform;
    NumberFormat m_format;
    ParameterPanel& m_panel;
    SummaryBox& m_summary;
    database::DriverDatabase& m_database;
    QString m_settingsPath;

    database::DriverLists m_lists;
    mutable std::optional<database::DatabaseRanges> m_ranges;
    std::vector<std::string> m_recent;  // oldest first
    std::vector<std::string> m_recentRows;
    std::vector<std::string> m_memoryRows;
    std::array<int, 3> m_positions{};
    bool m_started = false;
    bool m_rebuilding = false;  // programmatic list changes run no selection rule

    QPushButton* m_delete = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_load = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    FilterFrame* m_filter = nullptr;
    ClickableLabel* m_count = nullptr;
    ClickableLabel* m_renameLabel = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<QListView*, 3> m_views{};
    std::array<TextListModel*, 3> m_models{};
    RenameBox* m_rename = nullptr;
};

}  // namespace sublumo
