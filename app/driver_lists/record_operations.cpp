// The record operations of the page "List of drivers": save, load, delete and rename, on the
// store behind the active list.
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "driver_lists/driver_lists_page.h"
#include "driver_lists/filter_frame.h"
#include "driver_lists/rename_box.h"
#include "driver_lists/text_list_model.h"
#include "loudspeaker/parameter_panel.h"
#include "loudspeaker/summary_box.h"
#include "platform/platform_services.h"
#include "settings_keys.h"
#include "text_encoding.h"

namespace sublumo {

namespace {

// The fields behind the record keys Qms ... Le, in `recordKeys` order; URL comes last.
constexpr std::array<Param, 10> kRecordFields = {Param::Qms, Param::Qes, Param::fs, Param::Mms,
                                                 Param::Dd,  Param::Re,  Param::Hc, Param::Hg,
                                                 Param::Pe,  Param::Le};
constexpr std::size_t kUrl = 10;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

database::DriverRecord DriverListsPage::currentDriver() const {
    database::DriverRecord record;
    // Held as the file will give it back: blanks at the ends would be gone at the next start.
    record.name = database::asReadBack(m_panel.nameField()->text().toStdString());
    for (std::size_t i = 0; i < kRecordFields.size(); ++i)
        record.values[i] = m_panel.fieldText(kRecordFields[i]).toStdString();
    record.values[kUrl] = m_panel.urlField()->text().toStdString();
    return record;
}

void DriverListsPage::fillFields(const database::DriverRecord& record) {
    m_panel.nameField()->setText(qs(record.name));
    for (std::size_t i = 0; i < kRecordFields.size(); ++i)
        m_panel.setEnteredText(kRecordFields[i], qs(normaliseDecimal(record.values[i], m_format)));
    m_panel.urlField()->setText(qs(record.values[kUrl]));
}

bool DriverListsPage::confirm(std::string_view question, const std::string& name) {
    return m_platform.askYesNo(this, QStringLiteral("Confirm"),
                               qs(database::confirmationText(question, name)));
}

void DriverListsPage::reportFlush(const database::FlushResult& result) {
    if (!result)
        m_platform.showError(this, qs(result.errorText));
}

bool DriverListsPage::inNameList(const std::string& name) const {
    for (std::size_t i = 0; i < m_database.recordCount(); ++i)
        if (database::equalsFolded(m_database.recordNameAt(i), name))
            return true;
    return false;
}

void DriverListsPage::selectInAll(const std::string& name) {
    selectRow(DriverListPage::All, m_lists.findInAll(name));
    runSelectionRule(DriverListPage::All);
}

void DriverListsPage::saveRecord() {
    switch (currentTab()) {
        case DriverListPage::All:
            saveToDatabase();
            break;
        case DriverListPage::Memory:
            saveToMemory();
            break;
        case DriverListPage::RecentlyOpened:
            break;
    }
    m_save->setEnabled(false);
}

void DriverListsPage::saveToDatabase() {
    if (m_panel.urlField()->text().isEmpty())
        m_panel.urlField()->setText(qs(std::string(kUrlPlaceholder)));
    const database::DriverRecord record = currentDriver();
    if (record.name.empty())
        return;
    if (m_panel.nameField()->text() != qs(record.name))
        m_panel.nameField()->setText(qs(record.name));
    if (!inNameList(record.name) || confirm(database::kOverwriteQuestion, record.name)) {
        reportFlush(database::saveRecordToDatabase(m_database, record));
        computeRanges();
        refreshDriverList();
    }
    selectInAll(record.name);
    listOf(DriverListPage::All)->setFocus();
}

void DriverListsPage::saveToMemory() {
    const auto row = selectedRow(DriverListPage::Memory);
    const database::DriverRecord record = currentDriver();
    if (record.name.empty() || !row)
        return;
    const int bank = static_cast<int>(*row) + 1;
    database::SettingsStore store;
    store.open(m_settingsPath.toStdString());
    database::writeMemoryBank(store, bank, record);
    reportFlush(store.flush());
    m_memoryRows[*row] = record.name;
    m_models[static_cast<int>(DriverListPage::Memory)]->rowChanged(static_cast<int>(*row));
    tellPanelAboutTheList();  // the bank is filled now: Load follows the driver again
    listOf(DriverListPage::Memory)->setFocus();
}

void DriverListsPage::loadRecord() {
    const DriverListPage tab = currentTab();
    const auto row = selectedRow(tab);
    if (!row)
        return;
    std::optional<database::DriverRecord> record;
    if (tab == DriverListPage::Memory) {
        database::SettingsStore store;
        store.open(m_settingsPath.toStdString());
        const int bank = static_cast<int>(*row) + 1;
        if (database::isEmptyBankRow(bank, m_memoryRows[*row]))
            return;
        record = database::readMemoryBank(store, bank);
        if (!record)
            return;
    } else {
        const std::string name =
            tab == DriverListPage::All ? m_lists.allEntry(*row) : m_recentRows[*row];
        if (!inNameList(name)) {
            m_platform.showError(this, qs(std::string(database::kRecordNotFoundMessage)));
            return;
        }
        record = database::loadRecordFromDatabase(m_database, name);
        record->name = name;
    }
    // Every store holds Dd: area entry switches to the diameter before a field is filled.
    if (m_panel.parameters().mode == DiaphragmEntryMode::Area)
        m_panel.toggleDiaphragmMode();
    fillFields(*record);
    if (tab == DriverListPage::All)
        database::noteRecentRecord(m_recent, record->name);
    listOf(tab)->setFocus();
    m_save->setEnabled(false);
    m_load->setEnabled(false);
    if (m_summary.isVisible())
        m_summary.rebuild();
}

void DriverListsPage::loadDetailedListRow(const database::DriverRecord& record) {
    if (m_panel.parameters().mode == DiaphragmEntryMode::Area)
        m_panel.toggleDiaphragmMode();
    fillFields(record);
    m_save->setEnabled(false);
    if (m_summary.isVisible())
        m_summary.rebuild();
}

void DriverListsPage::deleteRecord() {
    switch (currentTab()) {
        case DriverListPage::All:
            deleteFromDatabase();
            break;
        case DriverListPage::Memory:
            deleteFromMemory();
            break;
        case DriverListPage::RecentlyOpened:
            break;
    }
}

void DriverListsPage::deleteFromDatabase() {
    QListView* list = listOf(DriverListPage::All);
    const auto row = selectedRow(DriverListPage::All);
    if (!row) {
        updateCountLabel();
        m_delete->setEnabled(false);
        m_load->setEnabled(false);
        emit listsChanged();
        return;
    }
    const std::string name = m_lists.allEntry(*row);
    if (confirm(database::kDeleteQuestion, name)) {
        reportFlush(database::deleteRecordFromDatabase(m_database, name));
        computeRanges();
        refreshDriverList();
        // The same row again, or the new last one.
        const std::size_t count = m_lists.allCount();
        const std::optional<std::size_t> next =
            count == 0 ? std::nullopt : std::optional(std::min(*row, count - 1));
        if (next)
            m_positions[static_cast<int>(DriverListPage::All)] = static_cast<int>(*next);
        selectRow(DriverListPage::All, next);
        runSelectionRule(DriverListPage::All);
    }
    emit listsChanged();
    list->setFocus();
}

void DriverListsPage::deleteFromMemory() {
    const auto row = selectedRow(DriverListPage::Memory);
    if (!row)
        return;
    const int bank = static_cast<int>(*row) + 1;
    if (database::isEmptyBankRow(bank, m_memoryRows[*row]))
        return;
    if (confirm(database::kDeleteQuestion, m_memoryRows[*row])) {
        database::SettingsStore store;
        store.open(m_settingsPath.toStdString());
        reportFlush(database::eraseMemoryBank(store, bank));
        m_memoryRows[*row] = database::emptyBankRowText(bank);
        m_models[static_cast<int>(DriverListPage::Memory)]->rowChanged(static_cast<int>(*row));
        tellPanelAboutTheList();
        m_delete->setEnabled(false);
        m_load->setEnabled(false);
        updateCountLabel();
    }
    listOf(DriverListPage::Memory)->setFocus();
}

void DriverListsPage::renameRecord() {
    const auto row = selectedRow(DriverListPage::All);
    const std::string newName = database::asReadBack(m_rename->newName().toStdString());
    const auto nothingRenamed = [this] {
        m_platform.showError(this, qs(std::string(database::kNothingRenamedMessage)));
        m_rename->disableRename();
    };
    if (!row || newName.empty()) {
        nothingRenamed();
        return;
    }
    const std::string oldName = m_lists.allEntry(*row);
    if (inNameList(newName)) {
        // The question names the listed entry; one the filter hides cannot be asked about.
        const auto listed = m_lists.findInAll(newName);
        if (!listed) {
            nothingRenamed();
            return;
        }
        if (!confirm(database::kOverwriteQuestion, m_lists.allEntry(*listed))) {
            m_rename->focusField();
            selectInAll(newName);
            m_rename->disableRename();
            return;
        }
    }
    const database::RenameResult result =
        database::renameRecordInDatabase(m_database, oldName, newName);
    if (result.status == database::RenameStatus::NothingRenamed) {
        nothingRenamed();
        return;
    }
    if (result.status == database::RenameStatus::FlushFailed)
        m_platform.showError(this, qs(result.errorText));
    refreshDriverList();
    selectInAll(newName);
    m_rename->disableRename();
}

}  // namespace sublumo
