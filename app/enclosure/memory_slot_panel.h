#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "charts/response_chart.h"
#include "design_memory.h"

class QGroupBox;
class QLabel;
class QToolButton;

namespace sublumo {

// The eight design memories of the Enclosure page: a "+" per slot stores the current design,
// a click on a slot's box (or its text) deletes it. The slots own curves 1 to 8 of both
// charts; nothing else draws them.
class MemorySlotPanel : public QWidget {
    Q_OBJECT
public:
    // The texts and the response table of the current design, asked for at each store.
    using SnapshotProvider = std::function<memory::DesignSnapshot()>;

    static constexpr int kPitch = 35;
    static constexpr int kBoxLeft = 20;
    static constexpr int kBoxWidth = 560;
    static constexpr int kBoxHeight = 30;

    // `boxWidth` narrows the slot boxes where the page has less room than kBoxWidth.
    MemorySlotPanel(ResponseChart& relative, ResponseChart& absolute, QWidget* parent = nullptr,
                    int boxWidth = kBoxWidth);

    void setSnapshotProvider(SnapshotProvider provider) { m_provider = std::move(provider); }
    // The "+" labels go with the response options: only a design with a volume can be stored.
    // Disabled until the page has such a design.
    void setStoresEnabled(bool enabled);
    bool storesEnabled() const { return m_storesEnabled; }

    // What a click on slot k's "+" or box does; slots are numbered 1 to 8.
    void store(int slot);
    void remove(int slot);
    const memory::DesignMemory& designMemory() const { return m_memory; }

signals:
    void slotChanged(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SlotWidgets {
        QToolButton* store = nullptr;
        QGroupBox* box = nullptr;
        QLabel* text = nullptr;
    };

    void buildSlot(int slot);
    void showSlot(int slot);
    void drawCurves(int slot);

    ResponseChart& m_relative;
    ResponseChart& m_absolute;
    SnapshotProvider m_provider;
    memory::DesignMemory m_memory;
    std::array<SlotWidgets, memory::kSlotCount> m_slots;
    bool m_storesEnabled = false;
    int m_boxWidth = kBoxWidth;
};

}  // namespace sublumo
