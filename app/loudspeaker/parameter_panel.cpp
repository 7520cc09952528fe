#include "parameter_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include "driver_summary.h"
#include "platform/platform_services.h"
#include "web_link.h"
#include "widgets/clickable_label.h"
#include "widgets/decimal_field.h"
#include "widgets/field_look.h"
#include "widgets/icons.h"
#include "widgets/shown_state.h"

namespace sublumo {

namespace {

using P = Param;

// The four columns of the panel, top to bottom. The motor field is Bl, the Vas field Vas and
// the Gloss field Gloss, whatever their toggles show.
constexpr std::array<std::array<Param, 9>, 4> kColumns = {{
    {P::Qms, P::Qes, P::Qts, P::EBP, P::Rms, P::Rme, P::Res, P::Lces, P::Cmes},
    {P::fs, P::Mms, P::Mmd, P::Mair, P::Cms, P::Kms, P::f4pi, P::f2pi, P::fmax},
    {P::Dd, P::Sd, P::Vas, P::Hc, P::Hg, P::Xmax, P::Gloss, P::Vd, P::Zmax},
    {P::Re, P::Bl, P::gamma, P::eta0, P::SPL, P::USPL, P::SPLmax, P::Pe, P::Le},
}};

// Enter moves on through these (the diaphragm entry is Dd, or Sd when Dd cannot take focus).
constexpr std::array<Param, 10> kEnterCycle = {P::Qms, P::Qes, P::fs, P::Mms, P::Dd,
                                               P::Re,  P::Hc,  P::Hg, P::Pe,  P::Le};

constexpr int kFieldWidth = 54;

bool isEntered(Param p) {
    return parameterInfo(p).entered;
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Bold, at the size the panel gives.
void setBold(QWidget* widget) {
    QFont bold;
    bold.setBold(true);
    widget->setFont(bold);
}

const QString kNameTooltip = QStringLiteral("Manufacturer & Model");
const QString kUrlTooltip = QStringLiteral("URL address");

}  // namespace

ParameterPanel::ParameterPanel(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_format(format) {
    setObjectName(QStringLiteral("parameterPanel"));
    // Four columns of caption, field and unit must fit the narrow window: small type, values in
    // bold. Set as fonts: a style sheet would slow down the start and every repaint of a field.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    buildHeader();
    buildFields();
    connectEnterCycle();
    applyDiaphragmMode();
    applyToggleLabels();
    applyNameUrlVisibility(false);
    solve();
}

ClickableLabel* ParameterPanel::makeLabel(const QString& text, const QString& objectName,
                                          const QString& tooltip) {
    auto* label = new ClickableLabel(text, this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    showState(label, text, tooltip, tooltip);
    connect(label, &ClickableLabel::clicked, this, &ParameterPanel::backgroundClicked);
    connect(label, &ClickableLabel::doubleClicked, this, &ParameterPanel::expandToggleRequested);
    return label;
}

void ParameterPanel::buildHeader() {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    m_webSearchIcon =
        makeLabel(QString(), QStringLiteral("webSearch"), QStringLiteral("Google the driver"));
    m_webSearchIcon->setPixmap(sublumoIcon(IconKind::WebSearch).pixmap(16, 16));
    m_webSearchIcon->setCursor(Qt::PointingHandCursor);
    m_nameLabel = makeLabel(QStringLiteral("M&M"), QStringLiteral("nameLabel"), kNameTooltip);
    m_nameLabel->setMinimumWidth(30);
    m_nameField = new QLineEdit(this);
    m_nameField->setObjectName(QStringLiteral("driverNameField"));
    m_urlField = new QLineEdit(QString(qs(kUrlPlaceholder)), this);
    m_urlField->setObjectName(QStringLiteral("driverUrlField"));
    for (auto [edit, tip] :
         {std::pair{m_nameField, kNameTooltip}, std::pair{m_urlField, kUrlTooltip}}) {
        setBold(edit);
        edit->setToolTip(tip);
        edit->setAccessibleName(tip);
        edit->setAccessibleDescription(tip);
        connect(edit, &QLineEdit::textChanged, this, &ParameterPanel::solve);
    }
    m_clearAll =
        makeLabel(QStringLiteral(" × "), QStringLiteral("clearAll"), QStringLiteral("Clear all"));
    m_clearAll->setAccessibleName(QStringLiteral("Clear all"));  // "×" alone reads as nothing
    m_clearAll->setAccessibleDescription(
        QStringLiteral("Set every parameter to 0 and empty the name and the URL"));
    m_clearAll->setCursor(Qt::PointingHandCursor);
    QFont markFont = m_clearAll->font();
    markFont.setBold(true);
    m_clearAll->setFont(markFont);

    connect(m_webSearchIcon, &ClickableLabel::clicked, this, &ParameterPanel::searchOrOpenLink);
    connect(m_nameLabel, &ClickableLabel::clicked, this, &ParameterPanel::toggleNameUrl);
    connect(m_clearAll, &ClickableLabel::clicked, this, &ParameterPanel::clearAll);
    connect(m_urlField, &QLineEdit::returnPressed, this, &ParameterPanel::toggleNameUrl);

    row->addWidget(m_webSearchIcon);
    row->addWidget(m_nameLabel);
    row->addWidget(m_nameField, 1);
    row->addWidget(m_urlField, 1);
    row->addWidget(m_clearAll);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

QWidget* ParameterPanel::buildCaption(Param p) {
    const ParameterInfo& info = parameterInfo(p);
    ClickableLabel* caption =
        makeLabel(qs(info.name), qs(info.name) + QStringLiteral("Caption"), qs(info.tooltip));
    if (p == P::Bl)
        m_motorCaption = caption;
    if (p != P::Dd)
        return caption;

    // The diameter/area switch sits beside the Dd caption.
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_diaphragmToggle = makeLabel(QString(), QStringLiteral("diaphragmToggle"),
                                  QStringLiteral("Toggle between Dd and Sd"));
    m_diaphragmToggle->setPixmap(sublumoIcon(IconKind::ToggleDiameterArea).pixmap(12, 12));
    m_diaphragmToggle->setCursor(Qt::PointingHandCursor);
    connect(m_diaphragmToggle, &ClickableLabel::clicked, this,
            &ParameterPanel::toggleDiaphragmMode);
    row->addWidget(caption);
    row->addWidget(m_diaphragmToggle);
    row->addStretch();
    return box;
}

void ParameterPanel::buildFields() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 9; ++row) {
            const Param p = kColumns[column][row];
            const ParameterInfo& info = parameterInfo(p);
            QLineEdit* edit =
                isEntered(p) ? new DecimalField(m_platform, m_format, this) : new QLineEdit(this);
            edit->setObjectName(qs(info.name));
            setBold(edit);
            drawFrameFromCache(edit);
            edit->setText(QStringLiteral("0"));
            edit->setToolTip(qs(info.tooltip));
            edit->setAccessibleName(qs(info.name));
            edit->setAccessibleDescription(qs(info.tooltip));
            edit->setFixedWidth(kFieldWidth);
            if (isEntered(p)) {
                connect(edit, &QLineEdit::textChanged, this, &ParameterPanel::solve);
            } else {
                setDerivedLook(edit, true);
            }
            m_fields[indexOf(p)] = edit;
            ClickableLabel* unit =
                makeLabel(qs(info.unit), qs(info.name) + QStringLiteral("Unit"), qs(info.tooltip));
            if (p == P::Bl)
                m_motorUnit = unit;
            if (p == P::Vas)
                m_vasUnit = unit;
            if (p == P::Gloss)
                m_glossUnit = unit;
            grid->addWidget(buildCaption(p), row, column * 3);
            grid->addWidget(edit, row, column * 3 + 1);
            grid->addWidget(unit, row, column * 3 + 2);
        }
    }
    grid->setColumnStretch(12, 1);  // spare width goes to the right, units keep their room
    connect(m_motorCaption, &ClickableLabel::clicked, this, [this] {
        m_params.toggles.showMpow = !m_params.toggles.showMpow;
        applyToggleLabels();
        solve();
    });
    connect(m_vasUnit, &ClickableLabel::clicked, this, [this] {
        m_params.toggles.vasInCubicFeet = !m_params.toggles.vasInCubicFeet;
        applyToggleLabels();
        solve();
    });
    connect(m_glossUnit, &ClickableLabel::clicked, this, [this] {
        m_params.toggles.glossInMm = !m_params.toggles.glossInMm;
        applyToggleLabels();
        solve();
    });
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void ParameterPanel::connectEnterCycle() {
    // A tab-like focus change selects the field's text, so that typing replaces it.
    connect(m_nameField, &QLineEdit::returnPressed, this,
            [this] { field(P::Qms)->setFocus(Qt::TabFocusReason); });
    for (std::size_t i = 0; i + 1 < kEnterCycle.size(); ++i) {
        auto* from = static_cast<DecimalField*>(field(kEnterCycle[i]));
        QWidget* alternative = kEnterCycle[i + 1] == P::Dd ? field(P::Sd) : nullptr;
        from->setEnterTarget(field(kEnterCycle[i + 1]), alternative);
    }
    static_cast<DecimalField*>(field(P::Le))->setEnterTarget(m_nameField, m_urlField);
    // Enter in Sd is the way back to diameter entry.
    connect(static_cast<DecimalField*>(field(P::Sd)), &DecimalField::enterPressed, this, [this] {
        if (m_params.mode == DiaphragmEntryMode::Area)
            toggleDiaphragmMode();
    });
}

void ParameterPanel::applyDiaphragmMode() {
    const bool area = m_params.mode == DiaphragmEntryMode::Area;
    QLineEdit* entered = field(area ? P::Sd : P::Dd);
    QLineEdit* derived = field(area ? P::Dd : P::Sd);
    setDerivedLook(entered, false);
    setDerivedLook(derived, true);
    showState(
        m_diaphragmToggle, {}, m_diaphragmToggle->toolTip(),
        area ? QStringLiteral("Enter Dd instead of Sd") : QStringLiteral("Enter Sd instead of Dd"));
    setTabOrder(m_nameField, field(P::Qms));
    setTabOrder(field(P::Mms), entered);
    setTabOrder(entered, field(P::Re));
}

void ParameterPanel::applyToggleLabels() {
    const DisplayToggles& t = m_params.toggles;
    const ParameterInfo& motor = parameterInfo(t.showMpow ? P::Mpow : P::Bl);
    showState(m_motorCaption, qs(motor.name), qs(motor.tooltip),
              t.showMpow ? QStringLiteral("Show Bl instead of Mpow")
                         : QStringLiteral("Show Mpow instead of Bl"));
    showState(m_motorUnit, qs(motor.unit), qs(motor.tooltip), qs(motor.tooltip));
    showState(m_vasUnit, t.vasInCubicFeet ? QStringLiteral("ft^3") : QStringLiteral("litres"),
              QStringLiteral("Litres or cubic feet"),
              t.vasInCubicFeet ? QStringLiteral("Show Vas in litres")
                               : QStringLiteral("Show Vas in cubic feet"));
    showState(m_glossUnit, t.glossInMm ? QStringLiteral("mm") : QStringLiteral("%"),
              QStringLiteral("Percentage or millimeters"),
              t.glossInMm ? QStringLiteral("Show Gloss in percent of Xmax")
                          : QStringLiteral("Show Gloss in millimeters"));
}

void ParameterPanel::applyNameUrlVisibility(bool urlShowing) {
    m_urlField->setVisible(urlShowing);
    m_nameField->setVisible(!urlShowing);
    showState(
        m_nameLabel, urlShowing ? QStringLiteral("URL") : QStringLiteral("M&M"),
        urlShowing ? kUrlTooltip : kNameTooltip,
        urlShowing ? QStringLiteral("Show the name field") : QStringLiteral("Show the URL field"));
    showState(m_webSearchIcon, {},
              urlShowing ? QStringLiteral("Open the link") : QStringLiteral("Google the driver"),
              urlShowing ? QStringLiteral("Open the URL in the web browser")
                         : QStringLiteral("Search the web for the driver's name"));
    (urlShowing ? m_urlField : m_nameField)->setFocus();
}

QString ParameterPanel::fieldText(Param p) const {
    return field(p)->text();
}

void ParameterPanel::setEnteredText(Param p, const QString& text) {
    field(p)->setText(text);
}

void ParameterPanel::applyTransfer(const tools::DriverTransfer& transfer) {
    if (transfer.entryMode && *transfer.entryMode != m_params.mode)
        toggleDiaphragmMode();
    for (const tools::FieldWrite& write : transfer.writes)
        setEnteredText(write.param, QString::fromStdString(write.text));
    if (!transfer.nameSuffix.empty())
        m_nameField->setText(m_nameField->text() + QString::fromStdString(transfer.nameSuffix));
    if (transfer.focus)
        field(*transfer.focus)->setFocus(Qt::TabFocusReason);
}

void ParameterPanel::setDisplayToggles(DisplayToggles toggles) {
    m_params.toggles = toggles;
    applyToggleLabels();
    solve();
}

void ParameterPanel::setDriverListState(DriverListPage page, int selectedMemoryRow,
                                        const QString& rowText) {
    m_listPage = page;
    m_selectedMemoryRow = selectedMemoryRow;
    m_selectedMemoryRowText = rowText.toStdString();
    solve();
}

void ParameterPanel::solve() {
    if (m_writing)
        return;
    SolverInput in;
    for (std::size_t i = 0; i < kEnteredCount; ++i)
        in.enteredTexts[i] = field(kEnteredParams[i])->text().toStdString();
    in.name = m_nameField->text().toStdString();
    in.mode = m_params.mode;
    in.toggles = m_params.toggles;
    in.format = m_format;
    in.listPage = m_listPage;
    in.selectedMemoryRow = m_selectedMemoryRow;
    in.selectedMemoryRowText = m_selectedMemoryRowText;
    writeResult(solveDriverParameters(m_params, in));
}

void ParameterPanel::writeResult(const SolverResult& result) {
    {
        QScopedValueRollback<bool> guard(m_writing, true);
        for (Param p : result.refilledFields) {
            field(p)->setText(QStringLiteral("0"));
            field(p)->selectAll();
        }
        for (const FieldWrite& write : result.writes) {
            const QString text = QString::fromStdString(write.text);
            if (field(write.field)->text() != text)
                field(write.field)->setText(text);
        }
    }
    m_params = result.params;
    m_params.url = m_urlField->text().toStdString();
    m_actions = result.actions;
    m_clearAll->setEnabled(m_actions.clearAllEnabled);
    emit solved();
}

void ParameterPanel::clearAll() {
    if (!m_clearAll->isEnabled())
        return;
    {
        QScopedValueRollback<bool> guard(m_writing, true);
        for (QLineEdit* edit : m_fields)
            if (edit != nullptr)
                edit->setText(QStringLiteral("0"));
        m_nameField->clear();
        m_urlField->setText(qs(kUrlPlaceholder));
        applyNameUrlVisibility(false);
    }
    // Every text is "0" now: one pass sets every value to 0 and disables the mark and Save.
    solve();
}

void ParameterPanel::toggleDiaphragmMode() {
    const bool toArea = m_params.mode == DiaphragmEntryMode::Diameter;
    m_params.mode = toArea ? DiaphragmEntryMode::Area : DiaphragmEntryMode::Diameter;
    applyDiaphragmMode();
    field(toArea ? P::Sd : P::Dd)->setFocus(Qt::TabFocusReason);
    solve();
}

void ParameterPanel::toggleNameUrl() {
    applyNameUrlVisibility(!m_urlField->isVisibleTo(this));
}

void ParameterPanel::searchOrOpenLink() {
    if (!m_urlField->isVisibleTo(this)) {
        const std::string address = driverWebSearchAddress(m_nameField->text().toStdString());
        if (!address.empty())
            m_platform.openAddress(QString::fromStdString(address));
        return;
    }
    const QString link = m_urlField->text();
    if (link == qs(kUrlPlaceholder))
        return;
    if (!isOpenableWebLink(link.toStdString())) {
        m_platform.showError(this, QStringLiteral("Only web addresses beginning with http:// or "
                                                  "https:// are opened. This link is not one:\n%1")
                                       .arg(link));
        return;
    }
    m_platform.openAddress(link.trimmed());
}

void ParameterPanel::mousePressEvent(QMouseEvent* event) {
    emit backgroundClicked();
    QWidget::mousePressEvent(event);
}

void ParameterPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit expandToggleRequested();
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace sublumo
