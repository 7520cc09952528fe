#pragma once

#include <QGroupBox>
#include <array>
#include <functional>

#include "driver_filter.h"
#include "number_text.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QListView;

namespace sublumo {

class ClickableLabel;
class DecimalField;
class PlatformServices;

// The " Filter " frame of the driver lists: the switch in its title line, the search text,
// the six range criteria with their bound fields, and the diameter classes behind " ± ".
// The widgets hold the filter; filter() reads it back for the list.
class FilterFrame : public QGroupBox {
    Q_OBJECT
public:
    FilterFrame(PlatformServices& platform, NumberFormat format, QWidget* parent = nullptr);

    database::DriverFilter filter() const;
    // Each part set as if the user had made the change, with the rules that follow it.
    void setFilter(const database::DriverFilter& filter);
    // The database's ranges, which the bound rules and the diameter classes read.
    using RangesSource = std::function<const database::DatabaseRanges&()>;
    void setRangesSource(RangesSource source) { m_ranges = std::move(source); }

    void setSwitchedOn(bool on);
    void clear();
    void toggleDiameterClasses();
    void chooseDiameterClass(int row);

signals:
    // The list must be built again.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct CriterionRow {
        QCheckBox* box = nullptr;
        DecimalField* minimum = nullptr;
        DecimalField* maximum = nullptr;
    };

    void buildCriteria(QGridLayout* grid);
    void buildDiameterClasses();
    void onCriterionToggled(std::size_t index, bool checked);
    void onBoundChanged(std::size_t index, database::BoundSide side);
    void writeBounds(const database::DriverFilter& filter);
    void colourPair(std::size_t index);
    void applyEnabledStates();
    const database::DatabaseRanges& ranges() const;

    PlatformServices& m_platform;
    NumberFormat m_format;
    RangesSource m_ranges;
    bool m_writing = false;  // bounds written by the rule do not run it again

    QCheckBox* m_switch = nullptr;
    ClickableLabel* m_textLabel = nullptr;
    QLineEdit* m_search = nullptr;
    ClickableLabel* m_classLabel = nullptr;
    QListView* m_classes = nullptr;
    std::array<CriterionRow, database::kCriterionCount> m_rows;
};

}  // namespace sublumo
