#pragma once

#include <QScrollArea>
#include <array>
#include <functional>

#include "charts/response_chart.h"
#include "design_memory.h"

class QAction;
class QFrame;
class QMenu;
class QToolButton;

namespace sublumo {

class WrappedLabel;

// The eight design memories of the Enclosure page: a "+" per slot stores the current design,
// a click on a slot's box (or its text) deletes it; a right click (or the menu key) on a box
// offers to load its design back or to delete it. The slots own curves 1 to 8 of both
// charts; nothing else draws them. A slot's two lines break into as many lines as the panel's
// width needs, so every value stays readable; the slots scroll when they outgrow the page.
class MemorySlotPanel : public QScrollArea {
    Q_OBJECT
public:
    // The texts and the response table of the current design, asked for at each store.
    using SnapshotProvider = std::function<memory::DesignSnapshot()>;

    // An empty slot's row: its "+" alone. A stored slot is as tall as its lines need.
    static constexpr int kRowHeight = 20;
    static constexpr int kRowSpacing = 2;
    static constexpr int kBoxLeft = 20;

    MemorySlotPanel(ResponseChart& relative, ResponseChart& absolute, QWidget* parent = nullptr);

    void setSnapshotProvider(SnapshotProvider provider) { m_provider = std::move(provider); }
    // The "+" labels go with the response options: only a design with a volume can be stored.
    // Disabled until the page has such a design.
    void setStoresEnabled(bool enabled);
    bool storesEnabled() const { return m_storesEnabled; }

    // What a click on slot k's "+" or box does; slots are numbered 1 to 8.
    void store(int slot);
    void remove(int slot);
    // Puts back a slot kept in a design file, curves and texts as they were stored.
    void restore(int slot, const memory::Slot& kept);
    const memory::DesignMemory& designMemory() const { return m_memory; }
    // The menu of a slot's box: "Load into design" and "Delete".
    QMenu* slotMenu() const { return m_slotMenu; }
    void showSlotMenu(int slot, const QPoint& globalPosition);

signals:
    void slotChanged(int slot);
    // "Load into design": the slot's inputs are to become the current design.
    void loadRequested(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SlotWidgets {
        QWidget* row = nullptr;
        QToolButton* store = nullptr;
        QFrame* box = nullptr;
        WrappedLabel* conditions = nullptr;
        WrappedLabel* text = nullptr;
    };

    void buildSlot(int slot, QWidget* rows);
    void showSlot(int slot);
    void drawCurves(int slot);
    void buildSlotMenu();

    ResponseChart& m_relative;
    ResponseChart& m_absolute;
    SnapshotProvider m_provider;
    memory::DesignMemory m_memory;
    std::array<SlotWidgets, memory::kSlotCount> m_slots;
    bool m_storesEnabled = false;
    QMenu* m_slotMenu = nullptr;
    QAction* m_loadAction = nullptr;
    int m_menuSlot = 0;  // the slot the menu was opened for
};

}  // namespace sublumo
