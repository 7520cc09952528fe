#include "driver_lists/driver_lists_page.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "driver_lists/filter_frame.h"
#include "driver_lists/rename_box.h"
#include "driver_lists/text_list_model.h"
#include "loudspeaker/parameter_panel.h"
#include "platform/platform_services.h"
#include "settings_keys.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

using database::ButtonStates;

constexpr int kAll = static_cast<int>(DriverListPage::All);
constexpr int kMemory = static_cast<int>(DriverListPage::Memory);

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* makeButton(const QString& caption, const QString& objectName,
                        const QString& description, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(description);
    button->setEnabled(false);
    return button;
}

// Labels that act on a click also act on Space and Enter once they have the focus.
void makeKeyboardClickable(ClickableLabel* label, QObject* filter) {
    label->setFocusPolicy(Qt::TabFocus);
    label->installEventFilter(filter);
}

}  // namespace

DriverListsPage::DriverListsPage(PlatformServices& platform, NumberFormat format,
                                 ParameterPanel& panel, SummaryBox& summary,
                                 database::DriverDatabase& database, QString settingsPath,
                                 QWidget* parent)
    : QWidget(parent),
      m_platform(platform),
      m_format(format),
      m_panel(panel),
      m_summary(summary),
      m_database(database),
      m_settingsPath(std::move(settingsPath)) {
    setObjectName(QStringLiteral("driverListsPage"));
    setAccessibleName(QStringLiteral("List of drivers"));
    // The buttons and the count label share the top row, so the tab bar has the full width.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 2);
    column->setSpacing(3);
    auto* top = new QHBoxLayout;
    auto* row = new QHBoxLayout;
    column->addLayout(top);
    column->addLayout(row, 1);
    QWidget* buttons = buildButtons();
    top->addWidget(buttons);
    top->addStretch(1);
    // The file buttons sit under the filter, in room its criteria leave free.
    auto* left = new QVBoxLayout;
    left->addWidget(m_filter, 1);
    QWidget* fileButtons = buildFileButtons();
    left->addWidget(fileButtons);
    row->addLayout(left);
    row->addWidget(buildListArea(), 1);
    top->addWidget(m_count, 0, Qt::AlignRight | Qt::AlignBottom);
    m_filter->setFixedWidth(buttons->sizeHint().width());
    fileButtons->setFixedWidth(buttons->sizeHint().width());
    connect(&m_panel, &ParameterPanel::solved, this, &DriverListsPage::applySolverActions);
}

QWidget* DriverListsPage::buildButtons() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    m_delete = makeButton(QStringLiteral("Delete"), QStringLiteral("deleteButton"),
                          QStringLiteral("Deletes the selected record"), column);
    m_save = makeButton(QStringLiteral("Save"), QStringLiteral("saveButton"),
                        QStringLiteral("Stores the current driver in the active list"), column);
    m_load = makeButton(QStringLiteral("Load"), QStringLiteral("loadButton"),
                        QStringLiteral("Puts the selected driver into the fields"), column);
    for (QPushButton* button : {m_delete, m_save, m_load}) buttons->addWidget(button);
    connect(m_delete, &QPushButton::clicked, this, &DriverListsPage::deleteRecord);
    connect(m_save, &QPushButton::clicked, this, &DriverListsPage::saveRecord);
    connect(m_load, &QPushButton::clicked, this, &DriverListsPage::loadRecord);
    layout->addLayout(buttons);
    m_filter = new FilterFrame(m_platform, m_format, this);
    m_filter->setRangesSource([this]() -> const database::DatabaseRanges& { return ranges(); });
    connect(m_filter, &FilterFrame::changed, this, &DriverListsPage::refreshDriverList);
    column->setFixedWidth(230);
    return column;
}

QWidget* DriverListsPage::buildFileButtons() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_import = makeButton(QStringLiteral("Import..."), QStringLiteral("importButton"),
                          QStringLiteral("Reads driver files (.wdr) into the database"), box);
    m_export = makeButton(QStringLiteral("Export..."), QStringLiteral("exportButton"),
                          QStringLiteral("Writes the current driver as a driver file (.wdr)"), box);
    m_import->setEnabled(true);
    m_export->setEnabled(m_panel.actions().driverComplete);
    layout->addWidget(m_import);
    layout->addWidget(m_export);
    connect(m_import, &QPushButton::clicked, this, &DriverListsPage::importDriverFiles);
    connect(m_export, &QPushButton::clicked, this, &DriverListsPage::exportDriverFile);
    return box;
}

QWidget* DriverListsPage::buildListArea() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_tabs = new QTabWidget(area);
    m_tabs->setObjectName(QStringLiteral("listTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Driver lists"));
    m_tabs->setAccessibleDescription(
        QStringLiteral("All records, the recently opened ones "
                       "and the memory banks"));
    const std::array<TextListModel::Count, 3> counts = {[this] { return m_lists.allCount(); },
                                                        [this] { return m_recentRows.size(); },
                                                        [this] { return m_memoryRows.size(); }};
    const std::array<TextListModel::Text, 3> texts = {
        [this](std::size_t r) { return std::string_view(m_lists.allEntry(r)); },
        [this](std::size_t r) { return std::string_view(m_recentRows[r]); },
        [this](std::size_t r) { return std::string_view(m_memoryRows[r]); }};
    const std::array<QString, 3> names = {QStringLiteral("allList"), QStringLiteral("recentList"),
                                          QStringLiteral("memoryList")};
    const std::array<QString, 3> captions = {
        qs(database::kAllCaption), QStringLiteral("Recently opened"), QStringLiteral("Memory")};
    for (int i = 0; i < 3; ++i) {
        m_models[i] = new TextListModel(counts[i], texts[i], this);
        m_views[i] = addList(names[i], captions[i], m_models[i]);
    }
    m_count = new ClickableLabel(QStringLiteral("drivers: ?"), this);
    m_count->setObjectName(QStringLiteral("countLabel"));
    m_count->setAccessibleDescription(QStringLiteral("On All, shows the detailed list"));
    m_count->setContentsMargins(0, 0, 4, 0);
    makeKeyboardClickable(m_count, this);
    connect(m_count, &ClickableLabel::clicked, this, [this] {
        if (currentTab() == DriverListPage::All)
            emit detailedListRequested();
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &DriverListsPage::onTabShown);
    layout->addWidget(m_tabs, 1);

    m_rename = new RenameBox(area);
    m_rename->hide();
    connect(m_rename, &RenameBox::renameRequested, this, &DriverListsPage::renameRecord);
    layout->addWidget(m_rename);
    m_renameLabel = new ClickableLabel(QStringLiteral(" = "), area);
    m_renameLabel->setObjectName(QStringLiteral("renameLabel"));
    m_renameLabel->setToolTip(QStringLiteral("Rename the record"));
    m_renameLabel->setAccessibleDescription(QStringLiteral("Rename the record"));
    makeKeyboardClickable(m_renameLabel, this);
    connect(m_renameLabel, &ClickableLabel::clicked, this,
            [this] { setRenameBoxShown(!m_rename->isVisibleTo(this)); });
    layout->addWidget(m_renameLabel, 0, Qt::AlignRight);
    return area;
}

QListView* DriverListsPage::addList(const QString& objectName, const QString& caption,
                                    TextListModel* model) {
    auto* view = new QListView(m_tabs);
    view->setObjectName(objectName);
    view->setAccessibleName(caption);
    view->setAccessibleDescription(
        QStringLiteral("Enter or a double click loads, Delete deletes the selected entry"));
    view->setModel(model);
    view->setUniformItemSizes(true);  // 100 000 rows lay out without measuring each
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setMaximumHeight(kListHeight);  // less where the panel above leaves less room
    view->installEventFilter(this);
    const auto tab = static_cast<DriverListPage>(m_tabs->count());
    // A click makes the row current before it selects it: the rule waits for the selection.
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, tab] { onSelected(tab); });
    connect(view, &QListView::doubleClicked, this, &DriverListsPage::loadRecord);
    m_tabs->addTab(view, caption);
    return view;
}

QListView* DriverListsPage::listOf(DriverListPage tab) const {
    return m_views[static_cast<std::size_t>(tab)];
}

DriverListPage DriverListsPage::currentTab() const {
    return static_cast<DriverListPage>(m_tabs->currentIndex());
}

std::optional<std::size_t> DriverListsPage::selectedRow(DriverListPage tab) const {
    const QModelIndex current = listOf(tab)->currentIndex();
    if (!current.isValid() || !listOf(tab)->selectionModel()->isSelected(current))
        return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

void DriverListsPage::selectRow(DriverListPage tab, std::optional<std::size_t> row) {
    QListView* view = listOf(tab);
    m_rebuilding = true;
    if (row && *row < static_cast<std::size_t>(view->model()->rowCount())) {
        const QModelIndex index = view->model()->index(static_cast<int>(*row), 0);
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        // A list just rebuilt knows its new length only after its next layout pass.
        QMetaObject::invokeMethod(
            view, [view] { view->scrollTo(view->currentIndex()); }, Qt::QueuedConnection);
    } else {
        view->selectionModel()->clear();
    }
    m_rebuilding = false;
}

void DriverListsPage::applyState(const DriverListsState& state) {
    m_positions = state.positions;
    m_recent = state.recent;
    m_filter->setFilter(state.filter);
}

DriverListsState DriverListsPage::state() const {
    return {m_positions, m_filter->filter(), m_recent};
}

void DriverListsPage::start() {
    m_started = true;
    computeRanges();
    refreshDriverList();
    onTabShown(m_tabs->currentIndex());
}

// The ranges follow the database. Only a bound rule or a diameter class reads them, and with
// a big database reading every record takes a while: they are computed when one first does.
void DriverListsPage::computeRanges() {
    m_ranges.reset();
}

const database::DatabaseRanges& DriverListsPage::ranges() const {
    // The saved filter is restored before the database's ranges are known.
    static const database::DatabaseRanges unknown;
    if (!m_started)
        return unknown;
    if (!m_ranges)
        m_ranges = database::computeDatabaseRanges(m_database, m_format);
    return *m_ranges;
}

void DriverListsPage::refreshDriverList() {
    if (!m_started)
        return;
    const database::DriverFilter filter = m_filter->filter();
    m_rebuilding = true;
    database::RefreshOutcome outcome;
    m_models[kAll]->change([&] {
        outcome = m_lists.refreshDriverList(m_database, filter, m_positions[kAll], m_format);
    });
    m_rebuilding = false;
    if (!outcome.ok)
        m_platform.showError(this, QString::fromStdString(outcome.errorText));
    m_tabs->setTabText(kAll, qs(m_lists.allCaption()));
    selectRow(DriverListPage::All, m_lists.allSelection());
    if (!filter.on && m_lists.allSelection())
        listOf(DriverListPage::All)->setFocus();
    if (currentTab() != DriverListPage::All)
        m_tabs->setCurrentIndex(kAll);  // shows the tab and runs its selection rule
    const auto row = selectedRow(DriverListPage::All);
    setButtons(database::buttonsAfterRefresh(
        {m_save->isEnabled(), m_load->isEnabled(), m_delete->isEnabled()}, m_lists.allCount(),
        row));
    updateCountLabel();
    emit listsChanged();
}

void DriverListsPage::onTabShown(int index) {
    const auto tab = static_cast<DriverListPage>(index);
    const auto position = m_positions[static_cast<std::size_t>(index)];
    if (tab == DriverListPage::RecentlyOpened) {
        m_rebuilding = true;
        m_models[index]->change([this] { m_recentRows = database::recentlyOpenedRows(m_recent); });
        m_rebuilding = false;
    } else if (tab == DriverListPage::Memory) {
        reloadMemoryRows();
    }
    const std::size_t size = static_cast<std::size_t>(m_models[index]->rowCount());
    selectRow(tab, database::positionRow(position, size));
    const bool all = tab == DriverListPage::All;
    m_count->setStyleSheet(all ? QStringLiteral("color: blue;") : QString());
    m_count->setCursor(all ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_count->setToolTip(all ? QStringLiteral("Show detailed list") : QString());
    m_renameLabel->setVisible(all);
    if (!all)
        setRenameBoxShown(false);
    runSelectionRule(tab);
}

void DriverListsPage::reloadMemoryRows() {
    database::SettingsStore store;
    store.open(m_settingsPath.toStdString());
    m_rebuilding = true;
    m_models[kMemory]->change([&] { m_memoryRows = database::memoryListRows(store); });
    m_rebuilding = false;
}

void DriverListsPage::onSelected(DriverListPage tab) {
    if (m_rebuilding || tab != currentTab())
        return;
    runSelectionRule(tab);
}

void DriverListsPage::runSelectionRule(DriverListPage tab) {
    const auto row = selectedRow(tab);
    const auto index = static_cast<std::size_t>(tab);
    if (row)
        m_positions[index] = static_cast<int>(*row);
    tellPanelAboutTheList();
    database::Selection selection;
    selection.row = row;
    selection.listSize = static_cast<std::size_t>(m_models[index]->rowCount());
    selection.driverComplete = m_panel.actions().driverComplete;
    if (tab == DriverListPage::Memory && row)
        selection.bankFilled =
            !database::isEmptyBankRow(static_cast<int>(*row) + 1, m_memoryRows[*row]);
    setButtons(database::selectionButtons(tab, selection));
    if (tab == DriverListPage::All)
        m_rename->setSelectedName(row ? qs(m_lists.allEntry(*row)) : QString());
    updateCountLabel();
}

// The solver decides Save and Load after each edit, and needs the active list for that.
void DriverListsPage::tellPanelAboutTheList() {
    const DriverListPage tab = currentTab();
    const auto row = tab == DriverListPage::Memory ? selectedRow(tab) : std::nullopt;
    const QString text = row ? qs(m_memoryRows[*row]) : QString();
    m_panel.setDriverListState(tab, row ? static_cast<int>(*row) : -1, text);
}

void DriverListsPage::applySolverActions() {
    const ActionAvailability& actions = m_panel.actions();
    m_export->setEnabled(actions.driverComplete);
    if (actions.save != ControlState::Unchanged)
        m_save->setEnabled(actions.save == ControlState::Enabled);
    if (actions.load != ControlState::Unchanged)
        m_load->setEnabled(actions.load == ControlState::Enabled);
}

void DriverListsPage::setButtons(const ButtonStates& states) {
    m_save->setEnabled(states.save);
    m_load->setEnabled(states.load);
    m_delete->setEnabled(states.remove);
}

void DriverListsPage::updateCountLabel() {
    if (!m_started)
        return;
    const DriverListPage tab = currentTab();
    const auto listed = static_cast<std::size_t>(m_models[static_cast<int>(tab)]->rowCount());
    m_count->setText(QString::fromStdString(
        database::countLabelText(tab, selectedRow(tab), listed, m_database.recordCount())));
}

void DriverListsPage::setRenameBoxShown(bool shown) {
    m_rename->setVisible(shown);
    listOf(DriverListPage::All)->setMaximumHeight(shown ? kShortListHeight : kListHeight);
    for (DriverListPage tab : {DriverListPage::RecentlyOpened, DriverListPage::Memory})
        listOf(tab)->setMaximumHeight(shown ? kShortListHeight : kListHeight);
    if (shown)
        m_rename->focusField();
}

bool DriverListsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_count || watched == m_renameLabel) {
        if (!enter && key != Qt::Key_Space)
            return false;
        emit static_cast<ClickableLabel*>(watched)->clicked();
        return true;
    }
    const bool list = watched == m_views[0] || watched == m_views[1] || watched == m_views[2];
    if (!list || (!enter && key != Qt::Key_Delete))
        return false;
    // On "Memory" the keys act only on a filled bank.
    if (currentTab() == DriverListPage::Memory) {
        const auto row = selectedRow(DriverListPage::Memory);
        if (!row || database::isEmptyBankRow(static_cast<int>(*row) + 1, m_memoryRows[*row]))
            return true;
    }
    if (enter)
        loadRecord();
    else
        deleteRecord();
    return true;
}

}  // namespace sublumo
