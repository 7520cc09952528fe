#include "driver_lists/filter_frame.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QStringListModel>
#include <QVBoxLayout>

#include "platform/platform_services.h"
#include "widgets/clickable_label.h"
#include "widgets/decimal_field.h"

namespace sublumo {

namespace {

using database::BoundSide;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void describe(QWidget* widget, const QString& name, const QString& description) {
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

constexpr int kBoundWidth = 52;

}  // namespace

FilterFrame::FilterFrame(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : QGroupBox(QStringLiteral(" Filter "), parent), m_platform(platform), m_format(format) {
    setObjectName(QStringLiteral("filterFrame"));
    describe(this, QStringLiteral("Filter"),
             QStringLiteral("Narrows the list of all drivers; a double click clears it"));

    m_switch = new QCheckBox(this);
    m_switch->setObjectName(QStringLiteral("alfbox"));
    describe(m_switch, QStringLiteral("Filter"), QStringLiteral("Switches the filter on or off"));
    connect(m_switch, &QCheckBox::toggled, this, &FilterFrame::setSwitchedOn);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 8, 6, 6);
    column->setSpacing(3);
    m_textLabel = new ClickableLabel(QStringLiteral("Text:"), this);
    m_textLabel->setObjectName(QStringLiteral("searchLabel"));
    describe(m_textLabel, QStringLiteral("Text:"),
             QStringLiteral("A double click clears the filter"));
    connect(m_textLabel, &ClickableLabel::doubleClicked, this, &FilterFrame::clear);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("hledit"));
    describe(m_search, QStringLiteral("Text:"),
             QStringLiteral("Lists the drivers whose name contains this text"));
    connect(m_search, &QLineEdit::textChanged, this, &FilterFrame::changed);
    column->addWidget(m_textLabel);
    column->addWidget(m_search);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    buildCriteria(grid);
    column->addLayout(grid);
    column->addStretch(1);
    buildDiameterClasses();
    applyEnabledStates();
}

void FilterFrame::buildCriteria(QGridLayout* grid) {
    const auto& table = database::criteria();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const database::CriterionInfo& info = table[i];
        CriterionRow& row = m_rows[i];
        const QString caption = qs(info.caption);
        row.box = new QCheckBox(caption, this);
        row.box->setObjectName(qs(info.switchKey));
        describe(row.box, caption, QStringLiteral("Filters the list by ") + caption);
        row.minimum = new DecimalField(m_platform, m_format, this);
        row.minimum->setObjectName(qs(info.minimumKey));
        describe(row.minimum, caption + QStringLiteral(" minimum"),
                 QStringLiteral("Lowest value listed"));
        row.maximum = new DecimalField(m_platform, m_format, this);
        row.maximum->setObjectName(qs(info.maximumKey));
        describe(row.maximum, caption + QStringLiteral(" maximum"),
                 QStringLiteral("Highest value listed"));
        for (DecimalField* bound : {row.minimum, row.maximum}) bound->setFixedWidth(kBoundWidth);
        row.minimum->setText(qs(database::kInitialMinimum));
        row.maximum->setText(qs(database::kInitialMaximum));
        row.minimum->setEnterTarget(row.maximum);
        row.maximum->setEnterTarget(row.minimum);
        const int r = static_cast<int>(i);
        grid->addWidget(row.box, r, 0);
        grid->addWidget(row.minimum, r, 2);
        grid->addWidget(new QLabel(QStringLiteral("-"), this), r, 3);
        grid->addWidget(row.maximum, r, 4);
        connect(row.box, &QCheckBox::toggled, this,
                [this, i](bool checked) { onCriterionToggled(i, checked); });
        connect(row.minimum, &QLineEdit::textChanged, this,
                [this, i] { onBoundChanged(i, BoundSide::Minimum); });
        connect(row.maximum, &QLineEdit::textChanged, this,
                [this, i] { onBoundChanged(i, BoundSide::Maximum); });
    }
    m_classLabel = new ClickableLabel(QStringLiteral(" ± "), this);
    m_classLabel->setObjectName(QStringLiteral("diameterClassLabel"));
    m_classLabel->setToolTip(QStringLiteral("Nominal diaphragm sizes"));
    describe(m_classLabel, QStringLiteral(" ± "),
             QStringLiteral("Shows the nominal diaphragm sizes to choose the Dd range from"));
    connect(m_classLabel, &ClickableLabel::clicked, this, &FilterFrame::toggleDiameterClasses);
    grid->addWidget(m_classLabel, 0, 1);
    grid->setColumnStretch(0, 1);
}

void FilterFrame::buildDiameterClasses() {
    QStringList rows;
    for (std::size_t i = 0; i < database::kDiameterClassCount; ++i)
        rows << QString::fromStdString(database::diameterClassRowText(i));
    m_classes = new QListView(this);
    m_classes->setObjectName(QStringLiteral("diameterClasses"));
    describe(m_classes, QStringLiteral("Nominal diaphragm sizes"),
             QStringLiteral("Choosing a size sets the Dd range"));
    m_classes->setModel(new QStringListModel(rows, m_classes));
    m_classes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_classes->setMouseTracking(true);  // the row under the pointer is highlighted
    m_classes->setUniformItemSizes(true);
    m_classes->installEventFilter(this);
    connect(m_classes, &QListView::entered, this,
            [this](const QModelIndex& index) { m_classes->setCurrentIndex(index); });
    connect(m_classes, &QListView::clicked, this,
            [this](const QModelIndex& index) { chooseDiameterClass(index.row()); });
    m_classes->hide();
}

database::DriverFilter FilterFrame::filter() const {
    database::DriverFilter filter;
    filter.on = m_switch->isChecked();
    filter.searchText = m_search->text().toStdString();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        filter.criteria[i].enabled = m_rows[i].box->isChecked();
        filter.criteria[i].minimum = m_rows[i].minimum->text().toStdString();
        filter.criteria[i].maximum = m_rows[i].maximum->text().toStdString();
    }
    return filter;
}

void FilterFrame::setFilter(const database::DriverFilter& filter) {
    m_switch->setChecked(filter.on);
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].box->setChecked(filter.criteria[i].enabled);
    m_search->setText(QString::fromStdString(filter.searchText));
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].minimum->setText(QString::fromStdString(filter.criteria[i].minimum));
        m_rows[i].maximum->setText(QString::fromStdString(filter.criteria[i].maximum));
    }
}

void FilterFrame::applyEnabledStates() {
    const bool on = m_switch->isChecked();
    m_textLabel->setEnabled(on);
    m_classLabel->setEnabled(on);
    m_search->setEnabled(on);
    for (const CriterionRow& row : m_rows) {
        row.box->setEnabled(on);
        row.minimum->setEnabled(on && row.box->isChecked());
        row.maximum->setEnabled(on && row.box->isChecked());
    }
    if (!on)
        m_classes->hide();
}

void FilterFrame::setSwitchedOn(bool on) {
    if (m_switch->isChecked() != on) {
        m_switch->setChecked(on);  // comes back here through toggled
        return;
    }
    applyEnabledStates();
    if (on)
        m_search->setFocus();
    emit changed();
}

void FilterFrame::onCriterionToggled(std::size_t index, bool checked) {
    if (m_switch->isChecked()) {
        const CriterionRow& row = m_rows[index];
        row.minimum->setEnabled(checked);
        row.maximum->setEnabled(checked);
        if (checked)
            row.minimum->setFocus();
        else if (index == database::indexOf(database::Criterion::Dd))
            m_classes->hide();
    }
    emit changed();
}

const database::DatabaseRanges& FilterFrame::ranges() const {
    static const database::DatabaseRanges none;
    return m_ranges ? m_ranges() : none;
}

void FilterFrame::onBoundChanged(std::size_t index, BoundSide side) {
    if (m_writing)
        return;
    database::DriverFilter current = filter();
    const auto result =
        database::applyBoundRule(current, database::criteria()[index].id, side, ranges(), m_format);
    if (!result.ok) {
        m_platform.showError(this, QString::fromStdString(result.errorText));
        return;
    }
    writeBounds(current);
    if (result.replaced) {
        DecimalField* field =
            side == BoundSide::Minimum ? m_rows[index].minimum : m_rows[index].maximum;
        field->selectAll();
    }
    colourPair(index);
    emit changed();
}

void FilterFrame::writeBounds(const database::DriverFilter& filter) {
    m_writing = true;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const QString low = QString::fromStdString(filter.criteria[i].minimum);
        const QString high = QString::fromStdString(filter.criteria[i].maximum);
        if (m_rows[i].minimum->text() != low)
            m_rows[i].minimum->setText(low);
        if (m_rows[i].maximum->text() != high)
            m_rows[i].maximum->setText(high);
        colourPair(i);
    }
    m_writing = false;
}

void FilterFrame::colourPair(std::size_t index) {
    const database::DriverFilter current = filter();
    const bool red = database::boundPairIsRed(current.criteria[index], m_format);
    const QString style = red ? QStringLiteral("color: red;") : QString();
    m_rows[index].minimum->setStyleSheet(style);
    m_rows[index].maximum->setStyleSheet(style);
}

void FilterFrame::clear() {
    if (!m_switch->isChecked())
        return;
    for (const CriterionRow& row : m_rows) row.box->setChecked(false);
    m_search->clear();
    m_search->setFocus();
}

void FilterFrame::toggleDiameterClasses() {
    if (!m_switch->isChecked())
        return;
    if (m_classes->isVisible()) {
        m_classes->hide();
        return;
    }
    // Over the criteria, from the Dd row down.
    const QRect top = m_rows.front().box->geometry();
    const QRect bottom = m_rows.back().maximum->geometry();
    m_classes->setGeometry(top.left(), top.top(), bottom.right() - top.left(),
                           bottom.bottom() - top.top());
    m_classes->show();
    m_classes->raise();
    m_classes->setFocus();
}

void FilterFrame::chooseDiameterClass(int row) {
    if (row < 0 || row >= static_cast<int>(database::kDiameterClassCount))
        return;
    database::DriverFilter current = filter();
    const auto result =
        database::chooseDiameterClass(current, static_cast<std::size_t>(row), ranges(), m_format);
    m_classes->hide();
    if (!result.ok) {
        m_platform.showError(this, QString::fromStdString(result.errorText));
        return;
    }
    CriterionRow& dd = m_rows[database::indexOf(database::Criterion::Dd)];
    dd.box->setChecked(true);
    writeBounds(current);
    dd.minimum->setFocus();
    dd.minimum->selectAll();
    emit changed();
}

bool FilterFrame::eventFilter(QObject* watched, QEvent* event) {
    // The keyboard way to choose a class: Enter on the highlighted row, Escape to close.
    if (watched == m_classes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseDiameterClass(m_classes->currentIndex().row());
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_classes->hide();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void FilterFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    clear();
    QGroupBox::mouseDoubleClickEvent(event);
}

void FilterFrame::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    m_switch->adjustSize();
    m_switch->move(width() - m_switch->width() - 4, 0);  // the right end of the title line
}

}  // namespace sublumo
