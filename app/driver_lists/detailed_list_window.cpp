#include "detailed_list_window.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <numeric>

#include "detailed_cell_delegate.h"
#include "detailed_list_model.h"
#include "program_info.h"
#include "settings_keys.h"
#include "settings_store.h"

namespace sublumo {

namespace {

using database::detailedColumns;
using database::kDetailedColumnCount;
using database::kNameColumn;

constexpr int kColumnPadding = 5;
constexpr int kSwitchPanelWidth = 115;
// 516 x 708 for the whole window is a client area of this size inside a standard frame.
constexpr QSize kMinimumClientSize(500, 670);

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::size_t recordKeyIndex(std::string_view key) {
    for (std::size_t i = 0; i < database::recordKeys.size(); ++i)
        if (database::recordKeys[i] == key)
            return i;
    return database::recordKeys.size();
}

}  // namespace

DetailedListWindow::DetailedListWindow(NumberFormat format, QWidget* parent)
    : QWidget(parent, Qt::Window), m_format(format) {
    setObjectName(QStringLiteral("detailedListWindow"));
    setWindowTitle(QString::fromLatin1(kProgramTitle) +
                   QStringLiteral(" - detailed list of drivers"));
    setMinimumSize(kMinimumClientSize);
    m_model = new DetailedListModel(format, this);
    buildSwitches();
    buildTable();
    m_widths.fill(-1);
    resize(kMinimumClientSize.width(), kClientHeight);
    setEnabled(false);  // until it is first shown
}

void DetailedListWindow::buildSwitches() {
    m_switchPanel = new QWidget(this);
    m_switchPanel->setGeometry(2, 2, kSwitchPanelWidth, kClientHeight - 4);
    auto* column = new QVBoxLayout(m_switchPanel);
    column->setContentsMargins(2, 0, 0, 0);
    column->setSpacing(0);
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c) {
        const auto& info = detailedColumns()[c];
        auto* box = new QCheckBox(text(info.header), m_switchPanel);
        box->setObjectName(QStringLiteral("column") + text(info.key));
        box->setAccessibleName(box->text());
        box->setAccessibleDescription(QStringLiteral("Show the column ") + box->text());
        box->setChecked(info.shownByDefault);
        connect(box, &QCheckBox::toggled, this, [this, c] {
            applyColumnSwitch(static_cast<int>(c));
            fitWindow();
        });
        m_switches[c] = box;
        column->addWidget(box);
    }
    const auto link = [this](const QString& caption, const QString& name, const QString& hint) {
        auto* button = new QPushButton(caption, m_switchPanel);
        button->setObjectName(name);
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(
            QStringLiteral("color: blue; text-decoration: underline; "
                           "text-align: left; border: none;"));
        button->setAccessibleName(caption);
        button->setAccessibleDescription(hint);
        return button;
    };
    m_resetLink = link(QStringLiteral("reset"), QStringLiteral("resetColumns"),
                       QStringLiteral("Show the columns shown at first"));
    m_allLink = link(QStringLiteral("uncheck all"), QStringLiteral("allColumns"),
                     QStringLiteral("Hide or show every column"));
    connect(m_resetLink, &QPushButton::clicked, this, &DetailedListWindow::resetSwitches);
    connect(m_allLink, &QPushButton::clicked, this, &DetailedListWindow::toggleAllLink);
    column->addSpacing(6);
    column->addWidget(m_resetLink);
    column->addWidget(m_allLink);
    m_autoReload = new QCheckBox(QStringLiteral("auto-reload"), m_switchPanel);
    m_autoReload->setObjectName(QStringLiteral("autoReload"));
    m_autoReload->setAccessibleName(m_autoReload->text());
    m_autoReload->setAccessibleDescription(
        QStringLiteral("Rebuild the table after every change of the database"));
    m_autoReload->setChecked(true);
    connect(m_autoReload, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            rebuild();
    });
    column->addSpacing(6);
    column->addWidget(m_autoReload);
    column->addStretch(1);
}

void DetailedListWindow::buildTable() {
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("detailedTable"));
    m_table->setAccessibleName(QStringLiteral("Detailed list of drivers"));
    m_table->setAccessibleDescription(
        QStringLiteral("Double click or Enter loads the driver; click a header or press Ctrl+S "
                       "to sort by a column"));
    m_table->setModel(m_model);
    // The name column is drawn by the frozen view over it.
    m_table->setItemDelegate(new DetailedCellDelegate(m_table, static_cast<int>(kNameColumn)));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setMinimumSectionSize(kRowHeight);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setSectionsClickable(false);  // sorting is ours, on release
    m_table->horizontalHeader()->setCursor(Qt::PointingHandCursor);
    m_table->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: palette(tooltip-base); }"));
    m_table->horizontalHeader()->viewport()->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);
    m_table->installEventFilter(this);
    connect(m_table, &QTableView::doubleClicked, this, &DetailedListWindow::loadCurrentRow);
    auto* sortShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), m_table);
    sortShortcut->setContext(Qt::WidgetShortcut);
    connect(sortShortcut, &QShortcut::activated, this,
            [this] { sortBy(std::max(0, m_table->currentIndex().column())); });
    buildFrozenNameColumn();
}

// The name column over the table's own, so that it stays in place while the table scrolls
// sideways; both share the model and the selection.
void DetailedListWindow::buildFrozenNameColumn() {
    m_frozen = new QTableView(m_table);
    m_frozen->setObjectName(QStringLiteral("detailedNames"));
    m_frozen->setModel(m_model);
    m_frozen->setItemDelegate(new DetailedCellDelegate(m_frozen));
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->setSelectionModel(m_table->selectionModel());
    m_frozen->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_frozen->verticalHeader()->hide();
    m_frozen->verticalHeader()->setMinimumSectionSize(kRowHeight);
    m_frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->horizontalHeader()->setSectionsClickable(false);
    m_frozen->horizontalHeader()->setCursor(Qt::PointingHandCursor);
    m_frozen->horizontalHeader()->setStyleSheet(m_table->horizontalHeader()->styleSheet());
    m_frozen->horizontalHeader()->viewport()->installEventFilter(this);
    m_frozen->viewport()->installEventFilter(this);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_table->viewport()->stackUnder(m_frozen);
    connect(m_frozen, &QTableView::doubleClicked, this, &DetailedListWindow::loadCurrentRow);
    connect(m_frozen->verticalScrollBar(), &QScrollBar::valueChanged, m_table->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, m_frozen->verticalScrollBar(),
            &QScrollBar::setValue);
}

void DetailedListWindow::placeFrozenNameColumn() {
    for (int c = 1; c < static_cast<int>(kDetailedColumnCount); ++c)
        m_frozen->setColumnHidden(c, true);
    m_frozen->setColumnWidth(0, m_table->columnWidth(0));
    m_frozen->setGeometry(m_table->frameWidth(), m_table->frameWidth(), m_table->columnWidth(0),
                          m_table->viewport()->height() + m_table->horizontalHeader()->height());
}

void DetailedListWindow::showBeside(const QWidget& mainWindow,
                                    const database::SettingsStore& settings) {
    const QRect main = mainWindow.geometry();
    move(main.left() + kOffsetLeft, main.top() + kOffsetTop);
    resize(width(), kClientHeight);
    readColumnSwitches(settings);
    setEnabled(true);
    show();
    rebuild();
}

void DetailedListWindow::rebuild() {
    if (m_source) {
        m_model->setRows(m_source());
    } else {
        database::DetailedRows rows(m_format);
        rows.appendEmpty();
        m_model->setRows(std::move(rows));
    }
    for (int c = 0; c < static_cast<int>(kDetailedColumnCount); ++c) applyColumnSwitch(c);
    fitWindow();
}

void DetailedListWindow::rebuildIfAutoReloading() {
    if (isVisible() && m_autoReload->isChecked())
        rebuild();
}

void DetailedListWindow::readColumnSwitches(const database::SettingsStore& settings) {
    const auto values =
        database::SectionValues::read(settings, database::kForm2Section, database::form2Keys());
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c)
        m_switches[c]->setChecked(values.boolean(detailedColumns()[c].key));
    m_switchesRead = true;
}

void DetailedListWindow::writeColumnSwitches(database::SettingsStore& settings) const {
    // Until the switches are read they hold the defaults, not the user's choice: the file's
    // own values go back instead.
    if (!m_switchesRead) {
        database::SectionValues::read(settings, database::kForm2Section, database::form2Keys())
            .write(settings, database::kForm2Section);
        return;
    }
    database::SectionValues values(database::form2Keys());
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c)
        values.setBoolean(detailedColumns()[c].key, m_switches[c]->isChecked());
    values.write(settings, database::kForm2Section);
}

int DetailedListWindow::clientWidthForColumns() const {
    return std::accumulate(m_widths.begin(), m_widths.end(), 0) + kExtraWidth;
}

void DetailedListWindow::applyColumnSwitch(int column) {
    const bool shown = column == static_cast<int>(kNameColumn) || m_switches[column]->isChecked();
    m_table->setColumnHidden(column, !shown);
    if (shown)
        fitColumn(column);
    else
        m_widths[column] = -1;
}

int DetailedListWindow::widestCellText(int column) const {
    const auto c = static_cast<std::size_t>(column);
    const std::optional<database::NumberTextBound> bound = m_model->rows().widestNumber(c);
    if (!bound)
        return widestStoredText(c);
    // As many of the widest digit as the column can show, measured as one text: a bound for
    // any digits of that count, and the width itself where digits are all alike.
    const QFontMetricsF digits(m_table->font());
    QChar widest = QLatin1Char('0');
    for (char d = '1'; d <= '9'; ++d)
        if (digits.horizontalAdvance(QLatin1Char(d)) > digits.horizontalAdvance(widest))
            widest = QLatin1Char(d);
    QString text(bound->digits, widest);
    if (bound->separator)
        text += QLatin1Char(m_format.decimalSeparator);
    if (bound->minus)
        text += QLatin1Char('-');
    return QFontMetrics(m_table->font()).horizontalAdvance(text);
}

// The widest stored text without measuring every cell: the texts are ranked by the sum of
// their characters' advances (exact for digits, near enough for names), and only the few
// widest by that estimate are measured with the font.
int DetailedListWindow::widestStoredText(std::size_t column) const {
    constexpr std::size_t kMeasured = 6;
    const QFontMetrics metrics(m_table->font());
    std::array<int, 128> advance{};
    for (int c = 32; c < 128; ++c) advance[c] = metrics.horizontalAdvance(QChar(c));
    const int otherByte = metrics.averageCharWidth();

    const database::DetailedRows& rows = m_model->rows();
    // The widest few by estimate, widest first: most rows are no wider than the last of them.
    std::array<std::pair<int, std::size_t>, kMeasured> candidates{};  // estimate, row
    std::size_t kept = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        int estimate = 0;
        for (unsigned char byte : rows.storedCell(row, column))
            estimate += byte < 128 ? advance[byte] : otherByte;
        if (kept == kMeasured && estimate <= candidates[kMeasured - 1].first)
            continue;
        std::size_t at = std::min(kept, kMeasured - 1);
        for (; at > 0 && candidates[at - 1].first < estimate; --at)
            candidates[at] = candidates[at - 1];
        candidates[at] = {estimate, row};
        kept = std::min(kept + 1, kMeasured);
    }
    int widest = 0;
    for (std::size_t i = 0; i < kept; ++i) {
        const std::string_view cell = rows.storedCell(candidates[i].second, column);
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromUtf8(
                                      cell.data(), static_cast<qsizetype>(cell.size()))));
    }
    return widest;
}

void DetailedListWindow::fitColumn(int column) {
    const QFontMetrics header(m_table->horizontalHeader()->font());
    const int headerWidth = header.horizontalAdvance(
        m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    // The style draws a cell's text inside a margin on each side; the 5 pixels come on top.
    const int cellMargins =
        2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1);
    m_widths[column] = std::max(headerWidth, widestCellText(column)) + cellMargins + kColumnPadding;
    m_table->setColumnWidth(column, m_widths[column]);
}

void DetailedListWindow::fitWindow() {
    if (!isMaximized())
        resize(std::max(clientWidthForColumns(), minimumWidth()), height());
    placeFrozenNameColumn();
}

void DetailedListWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_table->setGeometry(kTableLeft - 1, 1, width() - kTableLeft, height() - 2);
    placeFrozenNameColumn();
}

void DetailedListWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void DetailedListWindow::setAllSwitches(bool checked) {
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c) m_switches[c]->setChecked(checked);
}

void DetailedListWindow::resetSwitches() {
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c)
        m_switches[c]->setChecked(detailedColumns()[c].shownByDefault);
}

void DetailedListWindow::toggleAllLink() {
    setAllSwitches(!m_allLinkUnchecks);
    m_allLinkUnchecks = !m_allLinkUnchecks;
    m_allLink->setText(m_allLinkUnchecks ? QStringLiteral("uncheck all")
                                         : QStringLiteral("check all"));
    m_allLink->setAccessibleName(m_allLink->text());
}

void DetailedListWindow::sortBy(int column) {
    if (!m_model->sortByColumn(column))
        rebuild();
}

void DetailedListWindow::loadCurrentRow() {
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    const database::DetailedRows& rows = m_model->rows();
    const std::size_t row = m_model->listRow(current.row());
    database::DriverRecord record;
    record.name = rows.storedCell(row, kNameColumn);
    for (std::size_t c = 1; c < kDetailedColumnCount; ++c) {
        const auto& info = detailedColumns()[c];
        const std::size_t key = recordKeyIndex(info.key);
        if (!info.derived && key < record.values.size())
            record.values[key] = rows.storedCell(row, c);
    }
    emit loadRequested(record);
}

void DetailedListWindow::scrollRows(int rows) {
    QScrollBar* bar = m_table->verticalScrollBar();
    bar->setValue(bar->value() + rows);
}

bool DetailedListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_frozen == nullptr)  // still being built
        return QWidget::eventFilter(watched, event);
    const bool onHeader = watched == m_table->horizontalHeader()->viewport() ||
                          watched == m_frozen->horizontalHeader()->viewport();
    if (onHeader && event->type() == QEvent::MouseButtonRelease) {
        auto* header = static_cast<QHeaderView*>(static_cast<QWidget*>(watched)->parentWidget());
        const int column =
            header->logicalIndexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        sortBy(std::max(column, 0));
        return true;
    }
    if (event->type() == QEvent::Wheel &&
        (watched == m_table->viewport() || watched == m_frozen->viewport())) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta != 0)
            scrollRows(delta > 0 ? -kWheelRows : kWheelRows);
        return true;
    }
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            loadCurrentRow();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sublumo
