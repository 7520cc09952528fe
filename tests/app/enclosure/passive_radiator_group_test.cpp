#include <QComboBox>

#include "enclosure/memory_slot_panel.h"
#include "enclosure_page_fixture.h"
#include "passive_radiator_box.h"

namespace sublumo::ui_test {
namespace {

using enclosure::LimitKind;

class PassiveRadiatorGroupTest : public EnclosurePageTest {
protected:
    static constexpr const char* kGroup = "passiveRadiatorBox";

    void openRadiators() {
        enclosure::test::DriverFigures figures;
        figures.Pe = 60;
        open(figures);
        driver.value(Param::Xmax) = 6;
        clickPage("passiveRadiator");
    }
    // Two 12" radiators in 25 l tuned to 25 Hz, typed as a user does, Enter after each.
    void typeDesign() {
        for (const auto& [name, value] : {std::pair{"Vb", "25"},
                                          {"fb", "25"},
                                          {"Np", "2"},
                                          {"Dp", "247"},
                                          {"Mmp", "60"},
                                          {"Cmp", "0.4"},
                                          {"Qmp", "8"},
                                          {"Xmaxp", "15"}})
            type(kGroup, name, value);
    }
    enclosure::PassiveRadiatorResult expected() const {
        enclosure::PassiveRadiatorInputs in;
        for (const auto& [name, text] : {std::pair{"Vb", &in.Vb},
                                         {"fb", &in.fb},
                                         {"Np", &in.Np},
                                         {"Dp", &in.Dp},
                                         {"Mmp", &in.Mmp},
                                         {"Cmp", &in.Cmp},
                                         {"Qmp", &in.Qmp},
                                         {"Xmaxp", &in.Xmaxp}})
            *text = this->text(kGroup, name).toStdString();
        return enclosure::recomputePassiveRadiatorBox(driver, shared(), in, format);
    }
    void choose(LimitKind kind) {
        auto* choice = findByName<QComboBox>(page.get(), "chartKind");
        choice->setFocus();
        QTest::keyClick(choice, Qt::Key_Home);
        for (int i = 0; i <= static_cast<int>(kind); ++i) QTest::keyClick(choice, Qt::Key_Down);
    }
};

TEST_F(PassiveRadiatorGroupTest, TypedDesignShowsItsOutputsAndDrawsItsCurve) {
    openRadiators();
    EXPECT_TRUE(in(kGroup, "Vb")->hasFocus());
    typeDesign();
    const enclosure::PassiveRadiatorResult r = expected();
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(text(kGroup, "Sp"), qs(r.texts.Sp));
    EXPECT_EQ(text(kGroup, "Vap"), qs(r.texts.Vap));
    EXPECT_EQ(text(kGroup, "M+p"), qs(r.Mplus));
    EXPECT_EQ(text(kGroup, "fp"), qs(r.fp));
    EXPECT_EQ(text(kGroup, "Xp"), qs(r.Xp));
    EXPECT_TRUE(in(kGroup, "M+p")->isReadOnly());
    const auto& curve = drawn(ChartKind::Relative, curve::kCurrentDesign);
    ASSERT_EQ(curve.size(), static_cast<std::size_t>(enclosure::kGridPoints));
    EXPECT_DOUBLE_EQ(curve[50].second, r.shared.table.values(enclosure::TableColumn::Relative)[50]);

    page->memorySlots().store(1);
    EXPECT_EQ(page->memorySlots().designMemory().slot(1).design,
              "P: Vb=25 l, fb=25 Hz, fp=" + r.fp + " Hz, Np=2, M+p=" + r.Mplus + " g");
}

TEST_F(PassiveRadiatorGroupTest, TheTypedAreaGivesTheDiameter) {
    openRadiators();
    typeDesign();
    type(kGroup, "Sp", "500");
    EXPECT_EQ(text(kGroup, "Dp"), "252.3");
    type(kGroup, "Vap", "100");
    EXPECT_NE(text(kGroup, "Cmp"), "0.4");
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
}

TEST_F(PassiveRadiatorGroupTest, BadInputShowsZeroDrawsNothingAndTooHighATuningSaysTheHighest) {
    openRadiators();
    typeDesign();
    type(kGroup, "Cmp", "0");
    EXPECT_EQ(text(kGroup, "M+p"), "0");
    EXPECT_EQ(text(kGroup, "fp"), "0");
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    EXPECT_FALSE(page->limitInputs().has_value());

    type(kGroup, "Cmp", "0.4");
    type(kGroup, "fb", "400");
    EXPECT_EQ(text(kGroup, "M+p"), "0");
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    const QString hint = in(kGroup, "M+p")->accessibleDescription();
    EXPECT_TRUE(hint.contains(qs(expected().highestFb))) << hint.toStdString();
    EXPECT_EQ(in(kGroup, "M+p")->toolTip(), hint);
}

TEST_F(PassiveRadiatorGroupTest, EnterCyclesThroughTheTypedFields) {
    openRadiators();
    const std::array<const char*, 9> order = {"Vb",  "fb",  "Np",    "Dp", "Mmp",
                                              "Cmp", "Qmp", "Xmaxp", "Vb"};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        ASSERT_TRUE(in(kGroup, order[i])->hasFocus()) << order[i];
        key(in(kGroup, order[i]), Qt::Key_Return);
    }
    EXPECT_TRUE(in(kGroup, "Vb")->hasFocus());
    key(in(kGroup, "Vb"), Qt::Key_Return);
    key(in(kGroup, "fb"), Qt::Key_Return);
    key(in(kGroup, "Np"), Qt::Key_Up);
    EXPECT_EQ(text(kGroup, "Np"), "2");
}

TEST_F(PassiveRadiatorGroupTest, LimitChartsDrawTheRadiatorAndHaveNoVent) {
    openRadiators();
    typeDesign();
    choose(LimitKind::Excursion);
    EXPECT_FALSE(limitPlot->curves[curve::kCurrentDesign][1].value.empty());
    std::vector<QString> lines;
    for (const PlotLine& line : limitPlot->lines) lines.push_back(line.name);
    EXPECT_EQ(lines, (std::vector<QString>{"Xmax", "Xmaxp"}));
    choose(LimitKind::PortVelocity);
    EXPECT_EQ(limitPlot->note, "A passive-radiator box has no vent.");
    EXPECT_TRUE(limitPlot->widget()->accessibleDescription().contains(limitPlot->note));
    EXPECT_TRUE(limitPlot->curves[curve::kCurrentDesign][0].value.empty());
}

TEST_F(PassiveRadiatorGroupTest, AutoCalculationProposesTheVentedVolumeAndTuning) {
    openRadiators();
    withoutSeriesResistance();
    click(kGroup, "autoCalculation");
    EXPECT_EQ(text(kGroup, "Vb"), "48.62");
    EXPECT_EQ(text(kGroup, "fb"), "30.26");
    EXPECT_TRUE(in(kGroup, "Vb")->hasFocus());
}

}  // namespace
}  // namespace sublumo::ui_test
