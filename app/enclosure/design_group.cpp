#include "design_group.h"

#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>

#include "design_common.h"
#include "enclosure/step_field.h"
#include "widgets/clickable_label.h"
#include "widgets/decimal_field.h"
#include "widgets/field_look.h"

namespace sublumo {

namespace {

constexpr int kFieldWidth = 44;
constexpr int kRowHeight = 18;

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

DesignGroup::DesignGroup(const QString& objectName, const QString& title,
                         PlatformServices& platform, NumberFormat format, QWidget* parent)
    : QGroupBox(title, parent), m_platform(platform), m_format(format) {
    setObjectName(objectName);
    setAccessibleName(title.trimmed());
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(4, 2, 2, 2);
    m_grid->setHorizontalSpacing(3);
    m_grid->setVerticalSpacing(1);
    m_grid->setColumnStretch(4, 1);
}

QLineEdit* DesignGroup::makeField(const DesignFieldRow& row) {
    // The tables write their numbers with "."; a field reads only the locale's separator.
    const QString start = QString::fromStdString(normaliseDecimal(row.start, m_format));
    QLineEdit* field = nullptr;
    switch (row.kind) {
        case DesignFieldKind::Decimal:
            field = new DecimalField(m_platform, m_format, this);
            field->setText(start);
            break;
        case DesignFieldKind::Output:
            field = new QLineEdit(start, this);
            setDerivedLook(field, true);
            break;
        case DesignFieldKind::Count:
            field = new StepField(StepField::kCount, start, this);
            break;
        case DesignFieldKind::Fill:
            field = new StepField(StepField::kFill, start, this);
            break;
    }
    field->setObjectName(qs(row.name));
    field->setAccessibleName(qs(row.caption));
    field->setAccessibleDescription(qs(row.hint));
    field->setToolTip(qs(row.hint));
    field->setFixedSize(kFieldWidth, kRowHeight);
    if (row.kind != DesignFieldKind::Output)
        connect(field, &QLineEdit::textChanged, this, &DesignGroup::edited);
    return field;
}

void DesignGroup::addRows(std::span<const DesignFieldRow> rows, int firstRow) {
    // An empty grid still counts one row.
    int r = firstRow >= 0 ? firstRow : (m_grid->count() == 0 ? 0 : m_grid->rowCount());
    for (const DesignFieldRow& row : rows) {
        auto* caption = new ClickableLabel(qs(row.caption), this);
        caption->setObjectName(qs(row.name) + QStringLiteral("Caption"));
        caption->setToolTip(qs(row.hint));
        caption->setAccessibleDescription(qs(row.hint));
        auto* unit = new TextLabel(qs(row.unit), this);
        unit->setObjectName(qs(row.name) + QStringLiteral("Unit"));
        unit->setToolTip(qs(row.hint));
        QLineEdit* field = makeField(row);
        caption->setBuddy(field);
        m_grid->addWidget(caption, r, 0);
        m_grid->addWidget(field, r, 1);
        m_grid->addWidget(unit, r, 2);
        m_fields[row.name] = field;
        m_captions[row.name] = caption;
        m_units[row.name] = unit;
        ++r;
    }
}

void DesignGroup::linkEnter(std::span<const EnterLink> links) {
    for (const EnterLink& link : links) {
        QWidget* to = field(link.to);
        QWidget* alternative = link.alternative ? field(link.alternative) : nullptr;
        QLineEdit* from = field(link.from);
        if (auto* decimal = qobject_cast<DecimalField*>(from))
            decimal->setEnterTarget(to, alternative);
        else if (auto* step = qobject_cast<StepField*>(from))
            step->setEnterTarget(to, alternative);
    }
}

ClickableLabel* DesignGroup::makeClickable(const QString& text, const QString& objectName,
                                           const QString& hint) {
    auto* label = new ClickableLabel(text, this);
    label->setObjectName(objectName);
    label->setToolTip(hint);
    label->setAccessibleDescription(hint);
    label->setFocusPolicy(Qt::TabFocus);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QLineEdit* DesignGroup::field(const char* name) const {
    const auto it = m_fields.find(name);
    return it == m_fields.end() ? nullptr : it->second;
}

ClickableLabel* DesignGroup::caption(const char* name) const {
    const auto it = m_captions.find(name);
    return it == m_captions.end() ? nullptr : it->second;
}

QLabel* DesignGroup::unit(const char* name) const {
    const auto it = m_units.find(name);
    return it == m_units.end() ? nullptr : it->second;
}

std::string DesignGroup::text(const char* name) const {
    return field(name)->text().toStdString();
}

void DesignGroup::setText(const char* name, const std::string& text) {
    QLineEdit* edit = field(name);
    const QString value = QString::fromStdString(text);
    if (edit->text() != value)
        edit->setText(value);
}

void DesignGroup::setText(const char* name, const std::optional<std::string>& text) {
    if (text)
        setText(name, *text);
}

void DesignGroup::showCubicFeetHint(const char* name) {
    QLineEdit* edit = field(name);
    m_volumeFields[edit] = name;
    edit->installEventFilter(this);
}

bool DesignGroup::eventFilter(QObject* watched, QEvent* event) {
    const auto volume = m_volumeFields.find(watched);
    if (volume != m_volumeFields.end() &&
        (event->type() == QEvent::Enter || event->type() == QEvent::ToolTip)) {
        const auto hint = enclosure::cubicFeetHint(text(volume->second.c_str()), m_format);
        if (hint)
            static_cast<QWidget*>(watched)->setToolTip(QString::fromStdString(*hint));
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace sublumo
