#include "closed_box_group.h"

#include <QGridLayout>
#include <QLineEdit>
#include <array>

#include "enclosure/option_list.h"
#include "widgets/clickable_label.h"
#include "widgets/field_look.h"

namespace sublumo {

namespace {

using enclosure::kClosedAlignments;

constexpr std::array<DesignFieldRow, 7> kRows = {{
    {"Vb", "Vb", "l", "Net internal volume of enclosure (click to set infinite volume)", "0",
     DesignFieldKind::Decimal},
    {"fill", "fill", "%", "Amount of damping material inside enclosure", "100", DesignFieldKind::Fill},
    {"Qtc", "Qtc", "", "Total Q-factor of system", "", DesignFieldKind::Output},
    {"fc", "fc", "Hz", "Resonance frequency of system", "", DesignFieldKind::Output},
    {"f3", "f3", "Hz", "Half-power frequency of system", "", DesignFieldKind::Output},
    {"peak", "peak", "dB", "Peak in response curve", "", DesignFieldKind::Output},
    {"CaCm", "Ca/Cm", "%", "Acoustical/mechanical compliance ratio", "", DesignFieldKind::Output},
}};

constexpr std::array<EnterLink, 2> kEnter = {{{"Vb", "fill"}, {"fill", "Vb"}}};

std::vector<std::string_view> alignmentItems() {
    std::vector<std::string_view> items;
    for (const auto& a : kClosedAlignments) items.push_back(a.item);
    return items;
}

}  // namespace

ClosedBoxGroup::ClosedBoxGroup(PlatformServices& platform, NumberFormat format, QWidget* parent,
                               QWidget* listHost)
    : DesignGroup(QStringLiteral("closedBox"), QStringLiteral(" Enclosure parameters "), platform,
                  format, parent) {
    addRows(kRows, 0);
    linkEnter(kEnter);
    showCubicFeetHint("Vb");
    for (const char* name : {"Vb", "Qtc"}) {
        caption(name)->setFocusPolicy(Qt::TabFocus);
        caption(name)->setCursor(Qt::PointingHandCursor);
    }
    caption("Qtc")->setToolTip(
        QStringLiteral("Total Q-factor of system (click to choose an alignment)"));
    caption("Qtc")->setAccessibleDescription(caption("Qtc")->toolTip());

    m_infiniteText = new QLineEdit(QStringLiteral("infinite"), this);
    m_infiniteText->setObjectName(QStringLiteral("infinite"));
    m_infiniteText->setAccessibleName(QStringLiteral("infinite"));
    m_infiniteText->setAccessibleDescription(QStringLiteral("Vb counts as an infinite volume"));
    setDerivedLook(m_infiniteText, true);
    m_infiniteText->setFixedSize(field("Vb")->size());
    grid()->addWidget(m_infiniteText, 0, 1);
    m_infiniteText->hide();

    m_alignments = new OptionList(QStringLiteral("closedAlignments"),
                                  QStringLiteral(" Type of response "), alignmentItems(), listHost);
    connect(caption("Vb"), &ClickableLabel::clicked, this, [this] {
        setInfinite(!m_infinite);
        emit edited();
    });
    connect(caption("Qtc"), &ClickableLabel::clicked, this, &ClosedBoxGroup::alignmentListToggled);
}

enclosure::ClosedBoxInputs ClosedBoxGroup::inputs() const {
    enclosure::ClosedBoxInputs in;
    in.Vb = text("Vb");
    in.fill = text("fill");
    in.infinite = m_infinite;
    return in;
}

void ClosedBoxGroup::setInfinite(bool infinite) {
    m_infinite = infinite;
    m_infiniteText->setVisible(infinite);
    field("fill")->setEnabled(!infinite);
    if (!infinite && field("Vb")->isEnabled())
        field("Vb")->setFocus();
}

void ClosedBoxGroup::display(const enclosure::ClosedBoxResult& r) {
    setText("Vb", r.Vb);
    setText("fill", r.fill);
    setText("Qtc", r.Qtc);
    setText("fc", r.fc);
    setText("f3", r.f3);
    setText("peak", r.peak);
    setText("CaCm", r.CaCm);
    for (int i = 0; i < m_alignments->count(); ++i)
        m_alignments->setItemEnabled(i, r.alignmentEnabled[static_cast<std::size_t>(i)]);
}

void ClosedBoxGroup::start() {
    setInputsEnabled(true);
    field("fill")->setEnabled(!m_infinite);
    field("Vb")->setFocus();
}

void ClosedBoxGroup::setInputsEnabled(bool enabled) {
    for (const char* name : {"Vb", "fill"}) {
        field(name)->setEnabled(enabled);
        caption(name)->setEnabled(enabled);
    }
    caption("Qtc")->setEnabled(enabled);
}

}  // namespace sublumo
