#include "design_session.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "charts/response_charts_view.h"
#include "driver_lists/driver_lists_page.h"
#include "enclosure/closed_box_group.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "enclosure/option_list.h"
#include "enclosure/passive_radiator_group.h"
#include "enclosure/vent_design_group.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

using design_file::PageGroup;
using design_file::PageKey;

constexpr int kChoiceSteps = 8;  // more than any cycle of pictures or window shifts has

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string flag(bool on) {
    return on ? "1" : "0";
}

std::string choiceText(const PageKey& key, std::size_t index) {
    return index < key.choices.size() ? std::string(key.choices[index]) : std::string();
}

std::optional<std::size_t> choiceIndex(const PageKey& key, std::string_view text) {
    for (std::size_t i = 0; i < key.choices.size(); ++i)
        if (key.choices[i] == text)
            return i;
    return std::nullopt;
}

// The wiring buttons in the order of their ids, which is the order they were made in.
QList<QRadioButton*> connectionButtons(const QWidget& group) {
    const auto* box = group.findChild<QWidget*>(QStringLiteral("zapojeni"));
    return box != nullptr ? box->findChildren<QRadioButton*>() : QList<QRadioButton*>{};
}

// A check box or a wiring button as a user sets it: a click where it can take one, so that
// the page hears of it as of a click.
void setChecked(QAbstractButton& button, bool on) {
    if (button.isChecked() == on)
        return;
    if (button.isEnabled())
        button.click();
    if (button.isChecked() != on)
        button.setChecked(on);
}

}  // namespace

QWidget* DesignSession::groupWidget(std::string_view name) const {
    if (name == design_file::kPageGroup)
        return &m_page;
    return m_page.findChild<QWidget*>(qs(name));
}

std::string DesignSession::valueOf(const PageGroup& group, const PageKey& key) const {
    const ResponseChartsView& charts = m_page.charts();
    if (group.name == design_file::kPageGroup) {
        if (key.name == design_file::kBoxTypeKey)
            return choiceText(key, static_cast<std::size_t>(m_page.boxType()));
        if (key.name == "chartKind") {
            const auto* choice = charts.findChild<QComboBox*>(QStringLiteral("chartKind"));
            return choice != nullptr ? choice->currentText().toStdString() : std::string();
        }
        if (key.name == "ventLine")
            return formatNumber(charts.ventVelocityLine(), m_format);
        if (key.name == "graphTop")
            return formatNumber(charts.chartWindow().relativeMaximum, m_format);
    }
    const QWidget* host = groupWidget(group.name);
    if (host == nullptr)
        return {};
    if (const auto* vent = qobject_cast<const VentDesignGroup*>(host)) {
        if (key.name == "ventShape")
            return choiceText(key, static_cast<std::size_t>(vent->shape()));
        if (key.name == "fillAmount")
            return choiceText(key, vent->fillAmount());
        if (key.name == "readout")
            return choiceText(key, static_cast<std::size_t>(vent->readout()));
    }
    if (const auto* closed = qobject_cast<const ClosedBoxGroup*>(host);
        closed && key.name == "infinite")
        return flag(closed->infinite());
    if (const auto* radiators = qobject_cast<const PassiveRadiatorGroup*>(host))
        if (auto lead = radiators->lead(key.name))
            return *std::move(lead);
    if (key.name == "zapojeni") {
        const auto buttons = connectionButtons(*host);
        for (qsizetype i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked())
                return choiceText(key, static_cast<std::size_t>(i));
        return {};
    }
    const auto* widget = host->findChild<QWidget*>(qs(key.name));
    if (const auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->text().toStdString();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return flag(button->isChecked());
    return {};
}

void DesignSession::setValue(const PageGroup& group, const PageKey& key, const std::string& text) {
    ResponseChartsView& charts = m_page.charts();
    const auto index = choiceIndex(key, text);
    if (group.name == design_file::kPageGroup) {
        if (key.name == design_file::kBoxTypeKey && index) {
            m_page.setBoxType(static_cast<EnclosurePage::BoxType>(*index));
        } else if (key.name == "chartKind") {
            if (auto* choice = charts.findChild<QComboBox*>(QStringLiteral("chartKind")))
                choice->setCurrentText(qs(text));
        } else if (key.name == "ventLine") {
            if (const auto value = parseDecimal(text, m_format))
                charts.setVentVelocityLine(*value);
        } else if (key.name == "graphTop") {
            const auto top = parseDecimal(text, m_format);
            for (int i = 0; top && i < kChoiceSteps && charts.chartWindow().relativeMaximum != *top;
                 ++i)
                charts.shiftWindow(charts.chartWindow().relativeMaximum < *top
                                       ? ShiftDirection::Up
                                       : ShiftDirection::Down);
        }
        return;
    }
    QWidget* host = groupWidget(group.name);
    if (host == nullptr)
        return;
    if (auto* vent = qobject_cast<VentDesignGroup*>(host)) {
        if (key.name == "ventShape") {
            for (int i = 0; index && i < kChoiceSteps &&
                            vent->shape() != static_cast<enclosure::VentShape>(*index);
                 ++i)
                vent->cycleShape();
            return;
        }
        if (key.name == "fillAmount") {
            if (index)
                vent->fills()->choose(static_cast<int>(*index));
            return;
        }
        if (key.name == "readout") {
            if (index && static_cast<std::size_t>(vent->readout()) != *index)
                emit vent->caption("Va")->clicked();
            return;
        }
        if (key.name == "k") {
            for (int row = 0; row < vent->endCorrections()->count(); ++row)
                if (enclosure::endCorrectionText(static_cast<std::size_t>(row), m_format) == text)
                    vent->endCorrections()->choose(row);
            return;
        }
    }
    // Written after both fields of its pair, so the typed one leads whichever was written last.
    if (auto* radiators = qobject_cast<PassiveRadiatorGroup*>(host);
        radiators && radiators->lead(key.name)) {
        radiators->setLead(key.name, text);
        return;
    }
    if (auto* closed = qobject_cast<ClosedBoxGroup*>(host); closed && key.name == "infinite") {
        closed->setInfinite(text == "1");
        return;
    }
    if (key.name == "zapojeni") {
        const auto buttons = connectionButtons(*host);
        if (index && *index < static_cast<std::size_t>(buttons.size()))
            setChecked(*buttons[static_cast<qsizetype>(*index)], true);
        return;
    }
    auto* widget = host->findChild<QWidget*>(qs(key.name));
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        if (field->text() != qs(text))
            field->setText(qs(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        setChecked(*button, text == "1");
    }
}

design_file::DesignDocument DesignSession::gather(bool withSlots) const {
    design_file::DesignDocument document;
    document.driver = m_driver.currentDriver();
    if (m_nameField != nullptr)
        document.driver.name = m_nameField->text().toStdString();
    for (const PageGroup& group : design_file::pageGroups())
        for (const PageKey& key : group.keys)
            document.setPageValue(group.name, key.name, valueOf(group, key));
    if (withSlots)
        for (int k = 1; k <= memory::kSlotCount; ++k) {
            const memory::Slot& slot = m_page.memorySlots().designMemory().slot(k);
            if (slot.filled)
                document.memorySlots[static_cast<std::size_t>(k - 1)] = slot;
        }
    return document;
}

void DesignSession::apply(const design_file::DesignDocument& document, bool withSlots) {
    m_driver.loadDetailedListRow(document.driver);
    // Twice: a recompute on the way may rewrite an input that an earlier one depended on; the
    // second pass writes only what still differs.
    for (int pass = 0; pass < 2; ++pass)
        for (const PageGroup& group : design_file::pageGroups())
            for (const PageKey& key : group.keys)
                if (const std::string* text = document.pageValue(group.name, key.name))
                    setValue(group, key, *text);
    if (withSlots)
        for (int k = 1; k <= memory::kSlotCount; ++k)
            m_page.memorySlots().restore(k, document.memorySlots[static_cast<std::size_t>(k - 1)]);
    m_page.startDesign();
}

}  // namespace sublumo
