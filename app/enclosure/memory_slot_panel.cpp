#include "memory_slot_panel.h"

#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include "widgets/wrapped_label.h"

namespace sublumo {

namespace {

const char* const kSlotProperty = "memorySlot";
constexpr int kStoreSize = 16;
constexpr int kStoreTop = 1;
constexpr int kUnplacedWidth = 432;  // until the page gives the panel its place

const QString kSlotHint = QStringLiteral("Delete this memory");

int curveOf(int slot) {
    return curve::kFirstMemorySlot + slot - 1;
}

void paintIn(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

}  // namespace

MemorySlotPanel::MemorySlotPanel(ResponseChart& relative, ResponseChart& absolute, QWidget* parent)
    : QScrollArea(parent), m_relative(relative), m_absolute(absolute) {
    setObjectName(QStringLiteral("memorySlots"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The texts break into lines instead: sideways scrolling would hide their ends again.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The "+" labels and the boxes take the focus; the area itself is no stop of its own.
    setFocusPolicy(Qt::NoFocus);
    auto* rows = new QWidget;
    rows->setObjectName(QStringLiteral("memorySlotRows"));
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kRowSpacing);
    for (int k = 1; k <= memory::kSlotCount; ++k) buildSlot(k, rows);
    column->addStretch(1);
    setWidget(rows);
    buildSlotMenu();
    // The slots lie on the page itself, as its groups do.
    viewport()->setAutoFillBackground(false);
    rows->setAutoFillBackground(false);
    resize(kUnplacedWidth, memory::kSlotCount * (kRowHeight + kRowSpacing));
    setStoresEnabled(false);
}

void MemorySlotPanel::buildSlot(int k, QWidget* rows) {
    SlotWidgets& w = m_slots[static_cast<std::size_t>(k - 1)];
    const QString number = QString::number(k);
    w.row = new QWidget(rows);
    w.row->setMinimumHeight(kRowHeight);
    auto* line = new QHBoxLayout(w.row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(kBoxLeft - kStoreSize);
    rows->layout()->addWidget(w.row);

    w.store = new QToolButton(w.row);
    w.store->setObjectName(QStringLiteral("memoryStore") + number);
    w.store->setText(QStringLiteral("+"));
    w.store->setAutoRaise(true);
    w.store->setFocusPolicy(Qt::StrongFocus);
    w.store->setFixedSize(kStoreSize, kStoreSize);
    w.store->setToolTip(QStringLiteral("Save at this position"));
    w.store->setAccessibleName(QStringLiteral("+ ") + number);
    w.store->setAccessibleDescription(QStringLiteral("Save at this position"));
    connect(w.store, &QToolButton::clicked, this, [this, k] { store(k); });
    // The "+" stays level with the first line of its slot's texts.
    auto* storeColumn = new QVBoxLayout;
    storeColumn->addSpacing(kStoreTop);
    storeColumn->addWidget(w.store, 0, Qt::AlignLeft);
    storeColumn->addStretch(1);
    line->addLayout(storeColumn);

    w.box = new QFrame(w.row);
    w.box->setObjectName(QStringLiteral("memorySlot") + number);
    w.box->setFocusPolicy(Qt::StrongFocus);
    // A frame drawn in the slot's colour. No style sheet: it would keep the texts from
    // following the page's font.
    w.box->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* texts = new QVBoxLayout(w.box);
    texts->setContentsMargins(4, 1, 3, 1);
    texts->setSpacing(0);
    w.conditions = new WrappedLabel(QString(), w.box);
    w.conditions->setObjectName(QStringLiteral("memoryConditions") + number);
    w.text = new WrappedLabel(QStringLiteral("empty"), w.box);
    w.text->setObjectName(QStringLiteral("memoryText") + number);
    texts->addWidget(w.conditions);
    texts->addWidget(w.text);
    line->addWidget(w.box, 1, Qt::AlignTop);
    for (QWidget* part : std::initializer_list<QWidget*>{w.box, w.conditions, w.text}) {
        part->setToolTip(kSlotHint);
        part->setAccessibleDescription(kSlotHint);
        part->setProperty(kSlotProperty, k);
        part->installEventFilter(this);
        paintIn(part, curve::colour(curveOf(k)));
    }
    w.box->hide();
}

void MemorySlotPanel::buildSlotMenu() {
    m_slotMenu = new QMenu(this);
    m_slotMenu->setObjectName(QStringLiteral("memorySlotMenu"));
    m_slotMenu->setAccessibleName(QStringLiteral("Design memory"));
    m_loadAction = m_slotMenu->addAction(QStringLiteral("Load into design"), this,
                                         [this] { emit loadRequested(m_menuSlot); });
    m_loadAction->setObjectName(QStringLiteral("loadIntoDesign"));
    m_loadAction->setToolTip(QStringLiteral("Make this stored design the current design"));
    QAction* remove =
        m_slotMenu->addAction(QStringLiteral("Delete"), this, [this] { this->remove(m_menuSlot); });
    remove->setObjectName(QStringLiteral("deleteMemory"));
    remove->setToolTip(QStringLiteral("Delete this memory"));
}

// Not modal, so the page keeps running while it is open; a slot stored without its inputs
// (from an older design file) can only be deleted.
void MemorySlotPanel::showSlotMenu(int k, const QPoint& globalPosition) {
    if (!memory::DesignMemory::validSlot(k) || !m_memory.slot(k).filled)
        return;
    m_menuSlot = k;
    m_loadAction->setEnabled(!m_memory.slot(k).inputs.empty());
    m_slotMenu->popup(globalPosition);
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

void MemorySlotPanel::restore(int k, const memory::Slot& kept) {
    if (!memory::DesignMemory::validSlot(k))
        return;
    m_memory.restore(k, kept);
    showSlot(k);
    drawCurves(k);
    emit slotChanged(k);
}

void MemorySlotPanel::showSlot(int k) {
    const memory::Slot& slot = m_memory.slot(k);
    const SlotWidgets& w = m_slots[static_cast<std::size_t>(k - 1)];
    w.conditions->setFullText(QString::fromStdString(slot.conditions));
    w.box->setAccessibleName(QString::fromStdString(slot.conditions));
    w.text->setFullText(QString::fromStdString(slot.design));
    if (!slot.filled && w.box->hasFocus())
        w.store->setFocus();
    w.box->setVisible(slot.filled);
    // Once the rows have taken the new texts' heights, bring the whole slot into view.
    if (slot.filled)
        QMetaObject::invokeMethod(
            this, [this, row = w.row] { ensureWidgetVisible(row, 0, 0); }, Qt::QueuedConnection);
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
// Enter on the focused box. A right click, the menu key or Shift+F10 opens the slot's menu.
bool MemorySlotPanel::eventFilter(QObject* watched, QEvent* event) {
    const QVariant slot = watched->property(kSlotProperty);
    if (!slot.isValid())
        return QScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        remove(slot.toInt());
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        showSlotMenu(slot.toInt(), static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Menu ||
            (key == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier)) {
            auto* widget = static_cast<QWidget*>(watched);
            showSlotMenu(slot.toInt(), widget->mapToGlobal(QPoint(4, widget->height() / 2)));
            return true;
        }
        if (key == Qt::Key_Delete || key == Qt::Key_Space || key == Qt::Key_Return ||
            key == Qt::Key_Enter) {
            remove(slot.toInt());
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace sublumo
