#include "vent_design_group.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <array>

#include "enclosure/option_list.h"
#include "widgets/clickable_label.h"
#include "widgets/field_look.h"

namespace sublumo {

namespace {

using enclosure::VentShape;

constexpr DesignFieldRow kDiameter = {"Dv",  "Dv",
                                "mm",  "Diameter of vent (click to estimate a suitable size)",
                                "100", DesignFieldKind::Decimal};
constexpr DesignFieldRow kWidth = {"Av", "Av", "", "Width of vent", "150", DesignFieldKind::Decimal};
constexpr std::array<DesignFieldRow, 6> kRows = {{
    {"Bv", "Bv", "mm", "Height of vent", "20", DesignFieldKind::Decimal},
    {"Nv", "Nv", "", "Number of vents (1 to 9) and their end correction", "1", DesignFieldKind::Count},
    {"Sv", "Sv", "cm²", "Total surface area of vents", "", DesignFieldKind::Output},
    {"Lv", "Lv", "mm", "Total physical length of each vent", "", DesignFieldKind::Output},
    {"1Rv", "1Rv", "Hz", "1st self-resonance of vent (not reflected in graph)", "",
     DesignFieldKind::Output},
    {"Va", "Va", "l", "Volume of air in vent including air load", "", DesignFieldKind::Output},
}};
const QString kVaHint = QStringLiteral("Volume of air in vent including air load");
const QString kMaHint = QStringLiteral("Acoustic mass in vent including air load");

template <typename Table>
std::vector<std::string_view> itemsOf(const Table& table) {
    std::vector<std::string_view> items;
    for (const auto& entry : table) items.push_back(entry.item);
    return items;
}

// Our own drawings of the three vent shapes.
QPixmap shapePixmap(VentShape shape) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(200, 200, 200));
    if (shape == VentShape::Round)
        painter.drawEllipse(QRectF(2, 2, 14, 14));
    else if (shape == VentShape::Rectangular)
        painter.drawRect(QRectF(1.5, 5.5, 15, 7));
    else
        painter.drawPolygon(QPolygonF({QPointF(1.5, 15.5), QPointF(16.5, 15.5), QPointF(9, 2.5)}));
    return pixmap;
}

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

VentDesignGroup::VentDesignGroup(const QString& objectName, PlatformServices& platform,
                                 NumberFormat format, QWidget* parent, QWidget* listHost,
                                 const QString& fillTitle, const QString& fillHint)
    : DesignGroup(objectName, QStringLiteral(" Enclosure parameters "), platform, format, parent) {
    m_endCorrections = new OptionList(objectName + QStringLiteral("EndCorrections"),
                                      QStringLiteral(" End correction of vent "),
                                      itemsOf(enclosure::kEndCorrections), listHost);
    m_endCorrections->setCurrentRow(static_cast<int>(m_endCorrection));
    m_fills = new OptionList(objectName + QStringLiteral("Fills"), fillTitle,
                             itemsOf(enclosure::kFillAmounts), listHost);
    m_fills->setCurrentRow(static_cast<int>(m_fillAmount));
    connect(m_endCorrections, &OptionList::chosen, this, &VentDesignGroup::chooseEndCorrection);
    connect(m_fills, &OptionList::chosen, this, &VentDesignGroup::chooseFill);

    m_fillCaption = makeClickable(fromView(enclosure::kFillAmounts[m_fillAmount].caption),
                                  QStringLiteral("fillAmount"), fillHint);
    connect(m_fillCaption, &ClickableLabel::clicked, this, &VentDesignGroup::fillListToggled);
}

void VentDesignGroup::addVentRows(int firstRow) {
    addRows(std::span(&kDiameter, 1), firstRow);
    addRows(std::span(&kWidth, 1), firstRow);
    addRows(kRows, firstRow + 1);
    m_shapePicture = makeClickable(QString(), QStringLiteral("ventShape"),
                                   QStringLiteral("Shape of vent (circle, rectangle, triangle)"));
    m_shapePicture->setAccessibleName(QStringLiteral("Shape of vent"));
    grid()->addWidget(m_shapePicture, firstRow, 3);
    m_endCorrectionCaption = makeClickable(QStringLiteral("± "), QStringLiteral("endCorrection"),
                                           QStringLiteral("End correction of vent"));
    grid()->addWidget(m_endCorrectionCaption, firstRow + 2, 2);
    m_kBox = new QLineEdit(
        QString::fromStdString(enclosure::endCorrectionText(m_endCorrection, format())), this);
    m_kBox->setObjectName(QStringLiteral("k"));
    m_kBox->setAccessibleName(QStringLiteral("k"));
    m_kBox->setAccessibleDescription(QStringLiteral("End correction of vent"));
    m_kBox->setFixedSize(32, 18);
    setDerivedLook(m_kBox, true);
    grid()->addWidget(m_kBox, firstRow + 2, 3);
    for (const char* name : {"Dv", "Va"}) {
        caption(name)->setFocusPolicy(Qt::TabFocus);
        caption(name)->setCursor(Qt::PointingHandCursor);
    }
    caption("Va")->setAccessibleDescription(kVaHint + QStringLiteral(" (click for Va or Ma)"));
    connect(m_shapePicture, &ClickableLabel::clicked, this, &VentDesignGroup::cycleShape);
    connect(m_endCorrectionCaption, &ClickableLabel::clicked, this,
            &VentDesignGroup::endCorrectionListToggled);
    connect(caption("Dv"), &ClickableLabel::clicked, this, &VentDesignGroup::ventEstimateRequested);
    connect(caption("Va"), &ClickableLabel::clicked, this, &VentDesignGroup::toggleReadout);
    applyShape();
}

void VentDesignGroup::placeFillCaption(int row) {
    grid()->addWidget(m_fillCaption, row, 3);
}

enclosure::VentFieldTexts VentDesignGroup::ventFieldTexts() const {
    return {text("Dv"), text("Av"), text("Bv"), text("Nv")};
}

void VentDesignGroup::showVent(const enclosure::VentFieldTexts& fields,
                               const enclosure::VentTexts& outputs) {
    setText("Dv", fields.Dv);
    setText("Av", fields.Av);
    setText("Bv", fields.Bv);
    setText("Nv", fields.Nv);
    setText("Sv", outputs.Sv);
    setText("Lv", outputs.Lv);
    setText("1Rv", outputs.firstResonance);
    setText("Va", outputs.VaMa);
}

void VentDesignGroup::setVentEnabled(bool enabled) {
    for (const char* name : {"Dv", "Av", "Bv", "Nv"}) field(name)->setEnabled(enabled);
    for (const char* name : {"Dv", "Va"}) caption(name)->setEnabled(enabled);
    for (QWidget* w : {static_cast<QWidget*>(m_shapePicture), static_cast<QWidget*>(m_fillCaption),
                       static_cast<QWidget*>(m_endCorrectionCaption)})
        w->setEnabled(enabled);
}

void VentDesignGroup::cycleShape() {
    m_shape = enclosure::nextVentShape(m_shape);
    applyShape();
    if (m_shape == VentShape::Rectangular && field("Av")->isEnabled())
        field("Av")->setFocus();
    if (m_shape == VentShape::Round && field("Dv")->isEnabled())
        field("Dv")->setFocus();
    emit edited();
}

void VentDesignGroup::applyShape() {
    const bool round = m_shape == VentShape::Round;
    for (const char* name : {"Dv"}) {
        field(name)->setVisible(round);
        caption(name)->setVisible(round);
        unit(name)->setVisible(round);
    }
    for (const char* name : {"Av", "Bv"}) {
        field(name)->setVisible(!round);
        caption(name)->setVisible(!round);
        unit(name)->setVisible(!round);
    }
    m_shapePicture->setPixmap(shapePixmap(m_shape));
    static const char* const kShapeNames[] = {"round", "rectangular", "triangular"};
    m_shapePicture->setAccessibleName(QStringLiteral("Shape of vent: ") +
                                      QLatin1String(kShapeNames[static_cast<int>(m_shape)]));
}

void VentDesignGroup::chooseEndCorrection(int row) {
    m_endCorrection = static_cast<std::size_t>(row);
    m_endCorrections->setCurrentRow(row);
    // Writing the k box runs the recompute.
    m_kBox->setText(
        QString::fromStdString(enclosure::endCorrectionText(m_endCorrection, format())));
    emit edited();
}

void VentDesignGroup::chooseFill(int row) {
    m_fillAmount = static_cast<std::size_t>(row);
    m_fills->setCurrentRow(row);
    const QString text = fromView(enclosure::kFillAmounts[m_fillAmount].caption);
    m_fillCaption->setText(text);
    emit edited();
}

void VentDesignGroup::toggleReadout() {
    const bool toMass = m_readout == enclosure::VentReadout::Va;
    m_readout = toMass ? enclosure::VentReadout::Ma : enclosure::VentReadout::Va;
    const QString name = toMass ? QStringLiteral("Ma") : QStringLiteral("Va");
    caption("Va")->setText(name);
    unit("Va")->setText(toMass ? QStringLiteral("g") : QStringLiteral("l"));
    const QString hint = toMass ? kMaHint : kVaHint;
    caption("Va")->setToolTip(hint);
    field("Va")->setToolTip(hint);
    field("Va")->setAccessibleName(name);
    field("Va")->setAccessibleDescription(hint);
    emit edited();
}

}  // namespace sublumo
