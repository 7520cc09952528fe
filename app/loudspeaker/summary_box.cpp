#include "summary_box.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "loudspeaker/parameter_panel.h"

namespace sublumo {

SummaryBox::SummaryBox(const ParameterPanel& panel, NumberFormat format, QWidget* parent)
    : QWidget(parent), m_panel(panel), m_format(format) {
    setObjectName(QStringLiteral("summaryBox"));
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("summaryText"));
    m_text->setToolTip(QStringLiteral("Click to select all"));
    m_text->setAccessibleName(QStringLiteral("Driver summary"));
    m_text->setAccessibleDescription(QStringLiteral("Click to select all"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 4 + 14);
    m_text->viewport()->installEventFilter(this);
    layout->addWidget(m_text, 1);

    auto* options = new QVBoxLayout;
    addFormButton(QStringLiteral("txt"), QStringLiteral("summaryFormPlain"));
    addFormButton(QStringLiteral("[B]"), QStringLiteral("summaryFormForum"));
    addFormButton(QStringLiteral("<B>"), QStringLiteral("summaryFormHtml"));
    for (QRadioButton* button : m_formButtons) options->addWidget(button);
    m_colourMark = new QCheckBox(QStringLiteral("colour mark"), this);
    m_colourMark->setObjectName(QStringLiteral("markbox"));
    m_colourMark->setAccessibleName(QStringLiteral("colour mark"));
    m_colourMark->setAccessibleDescription(QStringLiteral("Mark the name with a red bullet"));
    connect(m_colourMark, &QCheckBox::toggled, this, &SummaryBox::rebuild);
    options->addWidget(m_colourMark);
    layout->addLayout(options);
    m_formButtons[0]->setChecked(true);
    hide();
    rebuild();
}

QRadioButton* SummaryBox::addFormButton(const QString& caption, const QString& objectName) {
    auto* button = new QRadioButton(caption, this);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(QStringLiteral("Form of the summary text"));
    connect(button, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            rebuild();
    });
    for (QRadioButton*& slot : m_formButtons) {
        if (slot == nullptr) {
            slot = button;
            break;
        }
    }
    return button;
}

SummaryOptions SummaryBox::options() const {
    SummaryOptions o;
    for (int i = 0; i < 3; ++i)
        if (m_formButtons[i]->isChecked())
            o.form = static_cast<SummaryForm>(i);
    o.colourMark = m_colourMark->isChecked();
    return o;
}

void SummaryBox::setOptions(SummaryOptions options) {
    m_formButtons[static_cast<int>(options.form)]->setChecked(true);
    m_colourMark->setChecked(options.colourMark);
    rebuild();
}

QString SummaryBox::text() const {
    return m_text->toPlainText();
}

void SummaryBox::toggleShown() {
    setVisible(!isVisibleTo(parentWidget()));
    if (isVisibleTo(parentWidget())) {
        raise();
        rebuild();
    }
}

void SummaryBox::rebuild() {
    const SummaryOptions o = options();
    m_colourMark->setEnabled(colourMarkEnabled(o.form));
    const auto lines = buildDriverSummary(m_panel.parameters(),
                                          m_panel.fieldText(Param::Dd).toStdString(), o, m_format);
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    m_text->setPlainText(text.join(QLatin1Char('\n')));
}

bool SummaryBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text->viewport() && event->type() == QEvent::MouseButtonRelease) {
        rebuild();
        m_text->selectAll();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sublumo
