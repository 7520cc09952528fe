#include "memory_slot_panel.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "widgets/text_label.h"

namespace sublumo {

namespace {

const char* const kSlotProperty = "memorySlot";
constexpr int kStoreSize = 16;

int curveOf(int slot) {
    return curve::kFirstMemorySlot + slot - 1;
}

// A group box title treats "&" as a shortcut mark; the caption shows it literally.
QString literalTitle(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void paintIn(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

}  // namespace

MemorySlotPanel::MemorySlotPanel(ResponseChart& relative, ResponseChart& absolute, QWidget* parent,
                                 int boxWidth)
    : QWidget(parent), m_relative(relative), m_absolute(absolute), m_boxWidth(boxWidth) {
    setObjectName(QStringLiteral("memorySlots"));
    setFixedSize(kBoxLeft + m_boxWidth, (memory::kSlotCount - 1) * kPitch + kBoxHeight);
    for (int k = 1; k <= memory::kSlotCount; ++k) buildSlot(k);
    setStoresEnabled(false);
}

void MemorySlotPanel::buildSlot(int k) {
    SlotWidgets& w = m_slots[static_cast<std::size_t>(k - 1)];
    const int top = (k - 1) * kPitch;
    const QString number = QString::number(k);

    w.store = new QToolButton(this);
    w.store->setObjectName(QStringLiteral("memoryStore") + number);
    w.store->setText(QStringLiteral("+"));
    w.store->setAutoRaise(true);
    w.store->setFocusPolicy(Qt::StrongFocus);
    w.store->setGeometry(0, top + (kBoxHeight - kStoreSize) / 2 + 3, kStoreSize, kStoreSize);
    w.store->setToolTip(QStringLiteral("Save at this position"));
    w.store->setAccessibleName(QStringLiteral("+ ") + number);
    w.store->setAccessibleDescription(QStringLiteral("Save at this position"));
    connect(w.store, &QToolButton::clicked, this, [this, k] { store(k); });

    w.box = new QGroupBox(this);
    w.box->setObjectName(QStringLiteral("memorySlot") + number);
    w.box->setGeometry(kBoxLeft, top, m_boxWidth, kBoxHeight);
    w.box->setFocusPolicy(Qt::StrongFocus);
    w.text = new TextLabel(QStringLiteral("empty"), w.box);
    w.text->setObjectName(QStringLiteral("memoryText") + number);
    w.text->setGeometry(6, 11, m_boxWidth - 12, kBoxHeight - 13);
    for (QWidget* part : {static_cast<QWidget*>(w.box), static_cast<QWidget*>(w.text)}) {
        part->setToolTip(QStringLiteral("Delete this memory"));
        part->setAccessibleDescription(QStringLiteral("Delete this memory"));
        part->setProperty(kSlotProperty, k);
        part->installEventFilter(this);
        paintIn(part, curve::colour(curveOf(k)));
    }
    // The caption sits on the frame's top line, so the design line fits in 30 pixels.
    w.box->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 7px; color: %1; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }")
            .arg(curve::colour(curveOf(k)).name()));
    w.box->hide();
}

void MemorySlotPanel::setStoresEnabled(bool enabled) {
    m_storesEnabled = enabled;
    for (const SlotWidgets& w : m_slots) w.store->setEnabled(enabled);
}

void MemorySlotPanel::store(int k) {
    if (!m_storesEnabled || !memory::DesignMemory::validSlot(k))
        return;
    m_memory.store(k, m_provider ? m_provider() : memory::DesignSnapshot{});
    showSlot(k);
    drawCurves(k);
    emit slotChanged(k);
}

void MemorySlotPanel::remove(int k) {
    if (!memory::DesignMemory::validSlot(k))
        return;
    m_memory.remove(k);
    drawCurves(k);
    showSlot(k);
    emit slotChanged(k);
}

void MemorySlotPanel::showSlot(int k) {
    const memory::Slot& slot = m_memory.slot(k);
    const SlotWidgets& w = m_slots[static_cast<std::size_t>(k - 1)];
    w.box->setTitle(literalTitle(slot.conditions));
    w.box->setAccessibleName(QString::fromStdString(slot.conditions));
    w.text->setText(QString::fromStdString(slot.design));
    if (!slot.filled && w.box->hasFocus())
        w.store->setFocus();
    w.box->setVisible(slot.filled);
}

void MemorySlotPanel::drawCurves(int k) {
    const memory::Slot& slot = m_memory.slot(k);
    const int c = curveOf(k);
    if (!slot.filled) {
        m_relative.clearCurve(c);
        m_absolute.clearCurve(c);
        return;
    }
    m_relative.setCurvePoints(c, slot.curves.frequencies, slot.curves.relative);
    m_absolute.setCurvePoints(c, slot.curves.frequencies, slot.curves.absolute);
}

// A left click on a box or its text deletes the slot; with the keyboard, Delete, Space or
// Enter on the focused box.
bool MemorySlotPanel::eventFilter(QObject* watched, QEvent* event) {
    const QVariant slot = watched->property(kSlotProperty);
    if (!slot.isValid())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        remove(slot.toInt());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Space || key == Qt::Key_Return ||
            key == Qt::Key_Enter) {
            remove(slot.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sublumo
