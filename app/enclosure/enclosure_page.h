#pragma once

#include "design_memory.h"

#include <QWidget>
#include <functional>
#include <optional>

#include "build_plan.h"
#include "charts/limit_plot.h"
#include "charts/response_chart.h"
#include "design_common.h"
#include "enclosure/option_list.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace sublumo {

class ArrangementGroup;
class BuildPanel;
struct DesignSheet;
class BandpassBoxGroup;
class CabinGainGroup;
class ClosedBoxGroup;
class LinkwitzCircuitPanel;
class LinkwitzGroup;
class MemorySlotPanel;
class OptionsGroup;
class PassiveRadiatorGroup;
class PlatformServices;
class ResponseChartsView;
class SourceGroup;
class VentedBoxGroup;

// The "Enclosure" page: the type switch, the design group of the chosen box, the driver
// arrangement and options, source level, cabin gain and Linkwitz transform, and the charts.
// Every change runs the chosen box's one recompute and copies its texts, enabled states and
// curves onto the page.
class EnclosurePage : public QWidget {
    Q_OBJECT
public:
    enum class BoxType { Closed = 0, Vented = 1, Bandpass = 2, PassiveRadiator = 3 };
    // The driver being worked on, as the parameter panel holds it.
    using DriverSource = std::function<const DriverParameters&()>;

    static constexpr int kWidth = 747;
    static constexpr int kHeight = 670;

    EnclosurePage(PlatformServices& platform, NumberFormat format, DriverSource driver,
                  QWidget* parent = nullptr, const ChartFactory& charts = makeQCustomPlotChart,
                  const LimitPlotFactory& limitPlot = makeQCustomPlotLimitPlot);
    ~EnclosurePage() override;

    BoxType boxType() const;
    void setBoxType(BoxType type);
    ResponseChartsView& charts() const { return *m_charts; }
    NumberFormat numberFormat() const { return m_format; }
    QString designLabel() const;
    // The numbers and texts of the last recompute: what a design memory copies.
    const std::optional<enclosure::ResponseTable>& responseTable() const { return m_table; }
    // The circuit of the current design, from which the limit charts are drawn.
    const std::optional<enclosure::LimitInputs>& limitInputs() const { return m_limitInputs; }
    MemorySlotPanel& memorySlots() const { return *m_memory; }
    // The displayed texts and the response table that a design memory keeps.
    memory::DesignSnapshot memorySnapshot() const;
    // Where the design-memory slot panel goes (below the charts, beside " Source / mic ").
    QWidget* memorySlotArea() const { return m_memorySlotArea; }

    // The "Build" view over the charts: shown, hidden, and the sheet it prints.
    BuildPanel& buildPanel() const { return *m_build; }
    void showBuild(bool shown);
    DesignSheet designSheet() const;

    // Start of the selected box's design: enable and focus, or disable the page without a
    // usable driver.
    void startDesign();
    void refreshArrangement();
    void recompute();

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    void windowCaptionChanged(const QString& caption);
    // Something of the design may have changed: an input, the box type, a choice.
    void designEdited();
    // Memory "+", cabin gain and Linkwitz follow a positive volume.
    void responseOptionsEnabledChanged(bool enabled);

private:
    void buildTypeSwitch();
    void buildGroups(PlatformServices& platform);
    void connectGroups();
    void connectActions();
    void applyTypeLayout();
    void placeMemorySlotArea();
    void onTypeChosen();
    void disablePage();
    enclosure::SharedInputs sharedInputs() const;
    enclosure::LinkwitzTexts linkwitzTexts() const;
    void recomputeClosed(const enclosure::SharedInputs& in);
    void recomputeVented(const enclosure::SharedInputs& in);
    void recomputeBandpass(const enclosure::SharedInputs& in);
    void recomputeRadiators(const enclosure::SharedInputs& in);
    void finish(const enclosure::SharedResult& shared);
    void drawCurves(const enclosure::SharedResult& shared);
    std::optional<enclosure::LimitChart> limitChartOf(
        const std::optional<enclosure::LimitInputs>& inputs) const;
    void drawCurrentLimits();
    void drawSlotLimits(int slot);
    void drawAllLimits();
    void clearCurves(std::initializer_list<int> curves);
    void setOptionsEnabled(bool enabled);
    void onChartClicked();
    void onChartDoubleClicked();
    void onLinkwitzSwitched(bool on);
    void chooseClosedAlignment(int row);
    void chooseBandpassAlignment(int row);
    void runVentedAutoCalculation();
    void runRadiatorAutoCalculation();
    void estimateVent(double divisor);
    void setOneWatt();
    void buildBuildView(PlatformServices& platform);
    void refreshBuild();
    void useProposedVent();
    void saveDesignSheet();
    void printDesignSheet();

    NumberFormat m_format;
    DriverSource m_driver;
    bool m_busy = false;  // the page's own writes do not start another recompute
    bool m_optionsEnabled = false;
    std::optional<enclosure::EquivalentDriver> m_equivalent;
    enclosure::DriverArrangement m_arrangementInUse;
    double m_closedFc = 0;
    std::optional<enclosure::ResponseTable> m_table;
    std::optional<enclosure::LimitInputs> m_limitInputs;  // of the current design, when drawn

    QGroupBox* m_typeBox = nullptr;
    QButtonGroup* m_types = nullptr;
    ClosedBoxGroup* m_closed = nullptr;
    VentedBoxGroup* m_vented = nullptr;
    BandpassBoxGroup* m_bandpass = nullptr;
    PassiveRadiatorGroup* m_radiators = nullptr;
    ArrangementGroup* m_arrangement = nullptr;
    OptionsGroup* m_options = nullptr;
    SourceGroup* m_source = nullptr;
    MemorySlotPanel* m_memory = nullptr;
    CabinGainGroup* m_cabinGain = nullptr;
    LinkwitzGroup* m_linkwitz = nullptr;
    LinkwitzCircuitPanel* m_circuit = nullptr;
    ResponseChartsView* m_charts = nullptr;
    QLabel* m_designLabel = nullptr;  // hidden; titles the window and the design memories
    OptionLists m_lists;
    // The design-memory slot panel is placed into this area by the main window's builder.
    QWidget* m_memorySlotArea = nullptr;
    PlatformServices* m_platform = nullptr;
    BuildPanel* m_build = nullptr;
    QPushButton* m_buildButton = nullptr;
    enclosure::BuildDesign m_buildDesign;  // of the last recompute
};

}  // namespace sublumo
