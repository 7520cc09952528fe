#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "detailed_list.h"
#include "driver_record.h"
#include "number_text.h"

class QCheckBox;
class QPushButton;
class QTableView;

namespace sublumo {

namespace database {
class SettingsStore;
}

class DetailedListModel;

// Every driver of the "All" list side by side, with the columns the user switches on, sorted
// by a click on a header, and loaded into the main window by a double click or Enter.
class DetailedListWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientHeight = 670;
    static constexpr int kOffsetLeft = 437;  // from the main window's left and top edges
    static constexpr int kOffsetTop = 322;
    static constexpr int kExtraWidth = 178;  // client width = sum of the column widths + this
    static constexpr int kTableLeft = 119;
    static constexpr int kRowHeight = 17;
    static constexpr int kWheelRows = 2;

    using RowsSource = std::function<database::DetailedRows()>;

    explicit DetailedListWindow(NumberFormat format, QWidget* parent = nullptr);

    // Where the rows come from: the "All" list's names with their stored values.
    void setRowsSource(RowsSource source) { m_source = std::move(source); }

    // Places the window beside the main window, takes the column switches from the settings
    // and rebuilds the table.
    void showBeside(const QWidget& mainWindow, const database::SettingsStore& settings);
    void rebuild();
    // After a save, delete or reload of the database: only while shown with auto-reload on.
    void rebuildIfAutoReloading();

    void readColumnSwitches(const database::SettingsStore& settings);
    // The switches as shown; before they were first read, what the settings hold.
    void writeColumnSwitches(database::SettingsStore& settings) const;

    // A shown column is as wide as its widest text (inside the style's cell margins) + 5; a
    // hidden one counts as -1. A derived column takes a bound on its widest text, so that no
    // cell needs writing for it.
    int columnWidth(int column) const { return m_widths[column]; }
    int clientWidthForColumns() const;
    DetailedListModel& model() const { return *m_model; }
    QTableView& table() const { return *m_table; }

signals:
    void loadRequested(const sublumo::database::DriverRecord& record);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildSwitches();
    void buildTable();
    void buildFrozenNameColumn();
    void placeFrozenNameColumn();
    void applyColumnSwitch(int column);
    int widestCellText(int column) const;
    int widestStoredText(std::size_t column) const;
    void fitColumn(int column);
    void fitWindow();
    void setAllSwitches(bool checked);
    void resetSwitches();
    void toggleAllLink();
    void sortBy(int column);
    void loadCurrentRow();
    void scrollRows(int rows);

    NumberFormat m_format;
    RowsSource m_source;
    DetailedListModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QTableView* m_frozen = nullptr;  // the name column, kept in place over the table
    QWidget* m_switchPanel = nullptr;
    std::array<QCheckBox*, database::kDetailedColumnCount> m_switches{};  // [0] unused
    QPushButton* m_resetLink = nullptr;
    QPushButton* m_allLink = nullptr;
    QCheckBox* m_autoReload = nullptr;
    std::array<int, database::kDetailedColumnCount> m_widths{};
    bool m_allLinkUnchecks = true;
    bool m_switchesRead = false;
};

}  // namespace sublumo
