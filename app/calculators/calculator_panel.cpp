#include "calculator_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "calculators/impedance_file.h"
#include "loudspeaker/parameter_panel.h"
#include "widgets/clickable_label.h"
#include "widgets/decimal_field.h"
#include "widgets/field_look.h"

namespace sublumo {

namespace {

constexpr int kFieldWidth = 54;
constexpr int kColumns = 3;

QString withSeparator(const char* text, NumberFormat format) {
    QString result = QString::fromUtf8(text == nullptr ? "0" : text);
    result.replace(QLatin1Char('.'), QLatin1Char(format.decimalSeparator));
    return result;
}

}  // namespace

QString fromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CalculatorPanel::CalculatorPanel(const CalculatorContext& context, const QString& objectName,
                                 QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
}

void CalculatorPanel::selected(bool computeNow) {
    if (!computeNow)
        return;
    compute();
    for (CalculatorPanel* inner : findChildren<CalculatorPanel*>()) inner->compute();
}

QLineEdit* CalculatorPanel::field(const QString& objectName) const {
    const auto found = m_rows.constFind(objectName);
    return found == m_rows.constEnd() ? nullptr : found->field;
}

const FormRowWidgets& CalculatorPanel::row(const QString& objectName) const {
    return *m_rows.constFind(objectName);
}

QGroupBox* CalculatorPanel::addFrame(const QString& caption, const QString& objectName) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(objectName);
    frame->setAccessibleName(caption.trimmed());
    auto* layout = new QGridLayout(frame);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    layout->setColumnStretch(kColumns - 1, 1);
    static_cast<QVBoxLayout*>(this->layout())->addWidget(frame);
    return frame;
}

QGridLayout* CalculatorPanel::grid(QGroupBox* frame) const {
    return static_cast<QGridLayout*>(frame->layout());
}

ClickableLabel* CalculatorPanel::makeLabel(const QString& text, const QString& objectName,
                                           const QString& description) {
    auto* label = new ClickableLabel(text, this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(description);
    label->setAccessibleDescription(description);
    return label;
}

QLineEdit* CalculatorPanel::makeField(const FormRow& row) {
    QLineEdit* edit = nullptr;
    if (row.kind == FieldKind::Output)
        edit = new QLineEdit(this);
    else if (row.kind == FieldKind::SignedInput)
        edit = new SignedDecimalField(m_context.platform, format(), this);
    else
        edit = new DecimalField(m_context.platform, format(), this);
    edit->setObjectName(QString::fromLatin1(row.objectName));
    edit->setText(withSeparator(row.defaultText, format()));
    edit->setToolTip(QString::fromUtf8(row.hint));
    edit->setAccessibleName(QString::fromUtf8(row.caption).trimmed());
    edit->setAccessibleDescription(QString::fromUtf8(row.hint));
    edit->setFixedWidth(kFieldWidth);
    if (row.kind == FieldKind::Output)
        setDerivedLook(edit, true);
    else
        connect(edit, &QLineEdit::textChanged, this, &CalculatorPanel::compute);
    return edit;
}

void CalculatorPanel::addRows(QGroupBox* frame, std::span<const FormRow> rows) {
    QGridLayout* layout = grid(frame);
    for (const FormRow& spec : rows) {
        const QString name = QString::fromLatin1(spec.objectName);
        const QString hint = QString::fromUtf8(spec.hint);
        FormRowWidgets w;  // the caption first: a switch caption comes before its field on Tab
        w.caption =
            makeLabel(QString::fromUtf8(spec.caption), name + QStringLiteral("Caption"), hint);
        w.field = makeField(spec);
        w.unit = makeLabel(QString::fromUtf8(spec.unit), name + QStringLiteral("Unit"), hint);
        w.fieldBox = new QHBoxLayout;
        w.fieldBox->setSpacing(3);
        w.fieldBox->addWidget(w.field);
        w.unitBox = new QHBoxLayout;
        w.unitBox->setSpacing(3);
        w.unitBox->addWidget(w.unit);
        w.unitBox->addStretch();
        if (spec.copyFrom) {
            const Param source = *spec.copyFrom;
            const std::string sourceName(parameterInfo(source).name);
            makeSwitch(w.caption,
                       hint + QStringLiteral(" (click to copy %1 from above)")
                                  .arg(QString::fromStdString(sourceName)),
                       [this, name, source] {
                           field(name)->setText(m_context.driver.fieldText(source));
                           focusField(name);
                       });
        }
        const int at = layout->rowCount();
        layout->addWidget(w.caption, at, 0);
        layout->addLayout(w.fieldBox, at, 1);
        layout->addLayout(w.unitBox, at, 2);
        m_rows.insert(name, w);
    }
}

const FormRowWidgets& CalculatorPanel::addInline(QHBoxLayout* box, const FormRow& spec) {
    const QString name = QString::fromLatin1(spec.objectName);
    FormRowWidgets w;
    w.field = makeField(spec);
    w.caption = makeLabel(QString::fromUtf8(spec.caption), name + QStringLiteral("Caption"),
                          QString::fromUtf8(spec.hint));
    box->addWidget(w.caption);
    box->addWidget(w.field);
    return *m_rows.insert(name, w);
}

void CalculatorPanel::addWide(QGroupBox* frame, QWidget* widget) {
    QGridLayout* layout = grid(frame);
    layout->addWidget(widget, layout->rowCount(), 0, 1, kColumns);
}

QPlainTextEdit* CalculatorPanel::addTextBox(QGroupBox* frame, const QString& objectName,
                                            const QString& accessibleName, int lines) {
    auto* box = new QPlainTextEdit(this);
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setAccessibleName(accessibleName);
    box->setAccessibleDescription(QStringLiteral("The results, for reading and copying"));
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 10);
    addWide(frame, box);
    return box;
}

QLabel* CalculatorPanel::addLine(QGroupBox* frame, const QString& objectName,
                                 const QString& description) {
    auto* label = new TextLabel(this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleDescription(description);
    addWide(frame, label);
    return label;
}

QPushButton* CalculatorPanel::makeButton(const QString& text, const QString& objectName,
                                         const QString& description) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    button->setToolTip(description);
    button->setAccessibleName(text);
    button->setAccessibleDescription(description);
    button->setAutoDefault(false);
    return button;
}

void CalculatorPanel::makeSwitch(ClickableLabel* label, const QString& description,
                                 std::function<void()> action) {
    label->setToolTip(description);
    label->setAccessibleDescription(description);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::TabFocus);
    label->installEventFilter(this);
    connect(label, &ClickableLabel::clicked, this, action);
    m_switches.insert(label, std::move(action));
}

void CalculatorPanel::addLink(QGroupBox* frame, const QString& text, const QString& objectName,
                              const QString& description, std::function<void()> action) {
    ClickableLabel* link = makeLabel(text, objectName, description);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    link->setPalette(palette);
    makeSwitch(link, description, std::move(action));
    addWide(frame, link);
}

bool CalculatorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_switches.contains(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_switches.value(watched)();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorPanel::setEnterCycle(std::span<const EnterStep> steps) {
    for (const EnterStep& step : steps) {
        auto* from = qobject_cast<DecimalField*>(field(QString::fromLatin1(step.from)));
        if (from == nullptr)
            continue;
        from->setEnterTarget(field(QString::fromLatin1(step.to)),
                             step.fallback ? field(QString::fromLatin1(step.fallback)) : nullptr);
    }
}

QLabel* CalculatorPanel::addImpedanceOpener(QGroupBox* frame, const QString& text,
                                            const QString& objectName, const QString& description,
                                            std::function<void(const ImpedanceMeasurement&)> done) {
    QString title = text;
    title.remove(QStringLiteral("..."));
    auto* runner = new ImpedanceFitRunner(m_context.platform, this, title);
    QPushButton* button = makeButton(text, objectName, description);
    auto* box = new QHBoxLayout;
    box->addWidget(button);
    box->addStretch();
    grid(frame)->addLayout(box, grid(frame)->rowCount(), 0, 1, kColumns);
    QLabel* line = addLine(frame, objectName + QStringLiteral("Line"),
                           QStringLiteral("The fit of the impedance file"));
    // A file name or a refusal may be longer than the panel is wide.
    line->setWordWrap(true);
    connect(button, &QPushButton::clicked, runner, &ImpedanceFitRunner::open);
    connect(runner, &ImpedanceFitRunner::busyChanged, this,
            [button, line](bool busy, const QString& fileName) {
                button->setEnabled(!busy);
                line->setText(busy ? QStringLiteral("Fitting %1...").arg(fileName) : QString());
            });
    connect(runner, &ImpedanceFitRunner::refused, line, &QLabel::setText);
    connect(runner, &ImpedanceFitRunner::fitted, this, std::move(done));
    return line;
}

std::string CalculatorPanel::in(const QString& objectName) const {
    return field(objectName)->text().toStdString();
}

void CalculatorPanel::put(const QString& objectName, const tools::InputText& input) {
    QLineEdit* edit = field(objectName);
    const QString text = fromStd(input.text);
    if (edit->text() != text)
        edit->setText(text);
    if (input.selected)
        edit->selectAll();
}

void CalculatorPanel::showText(const QString& objectName, const std::string& text) {
    QLineEdit* edit = field(objectName);
    const QString shown = fromStd(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

void CalculatorPanel::showLines(QPlainTextEdit* box, const tools::TextLines& lines) {
    QStringList texts;
    for (const std::string& line : lines) texts << fromStd(line);
    const QString text = texts.join(QLatin1Char('\n'));
    if (box->toPlainText() != text)
        box->setPlainText(text);
}

void CalculatorPanel::showLabel(QLabel* label, const std::string& text) {
    QString shown = fromStd(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label->setText(shown);
}

void CalculatorPanel::setCaption(const QString& objectName, const std::string& caption) {
    const FormRowWidgets& w = row(objectName);
    w.caption->setText(fromStd(caption));
    w.field->setAccessibleName(fromStd(caption).trimmed());
}

void CalculatorPanel::focusField(const QString& objectName) {
    QLineEdit* edit = field(objectName);
    if (edit != nullptr && edit->isEnabled())
        edit->setFocus(Qt::TabFocusReason);
}

void CalculatorPanel::compute() {
    if (m_computing)
        return;
    QScopedValueRollback<bool> guard(m_computing, true);
    recompute();
}

const DriverParameters& CalculatorPanel::driverValues() const {
    return m_context.driver.parameters();
}

void CalculatorPanel::transfer(const tools::DriverTransfer& what) {
    m_context.driver.applyTransfer(what);
}

}  // namespace sublumo
