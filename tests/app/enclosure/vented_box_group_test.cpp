#include <QListWidget>

#include "enclosure_page_fixture.h"
#include "vented_box.h"

namespace sublumo::ui_test {
namespace {

using enclosure::VentedBoxInputs;

class VentedBoxGroupTest : public EnclosurePageTest {
protected:
    void openVented(const enclosure::test::DriverFigures& figures = {}) {
        open(figures);
        clickPage("vented");
    }
};

TEST_F(VentedBoxGroupTest, TypedDesignShowsThePureVentTexts) {
    openVented();
    type("ventedBox", "Vb", "50");
    type("ventedBox", "fb", "30");
    VentedBoxInputs inputs;
    inputs.Vb = "50";
    inputs.fb = "30";
    const auto r = enclosure::recomputeVentedBox(driver, shared(), inputs, format);
    EXPECT_EQ(text("ventedBox", "Sv"), qs(r.ventTexts.Sv));
    EXPECT_EQ(text("ventedBox", "Lv"), "419");
    EXPECT_EQ(text("ventedBox", "1Rv"), qs(r.ventTexts.firstResonance));
    EXPECT_EQ(text("ventedBox", "Va"), qs(r.ventTexts.VaMa));
    ASSERT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    EXPECT_DOUBLE_EQ(drawn(ChartKind::Relative, curve::kCurrentDesign)[50].second,
                     r.shared.table.values(enclosure::TableColumn::Relative)[50]);
}

TEST_F(VentedBoxGroupTest, AutoCalculationProposesVolumeTuningAndVent) {
    openVented();
    withoutSeriesResistance();
    click("ventedBox", "autoCalculation");
    EXPECT_EQ(text("ventedBox", "Vb"), "48.62");
    EXPECT_EQ(text("ventedBox", "fb"), "30.26");
    EXPECT_EQ(text("ventedBox", "Nv"), "1");
    EXPECT_TRUE(in("ventedBox", "Vb")->hasFocus());
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
}

TEST_F(VentedBoxGroupTest, DoubleClickOnTheChartRunsTheAutoCalculation) {
    openVented();
    withoutSeriesResistance();
    QTest::mouseDClick(charts[0]->widget(), Qt::LeftButton);
    EXPECT_EQ(text("ventedBox", "Vb"), "48.62");
}

TEST_F(VentedBoxGroupTest, TooShortAVentShowsZeroAndStillDraws) {
    openVented();
    type("ventedBox", "Vb", "500");
    type("ventedBox", "fb", "60");
    EXPECT_EQ(text("ventedBox", "Lv"), "0");
    EXPECT_EQ(text("ventedBox", "1Rv"), "0");
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
}

TEST_F(VentedBoxGroupTest, ShapePictureCyclesAndMovesTheFocus) {
    openVented();
    QWidget* picture = in<QWidget>("ventedBox", "ventShape");
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_FALSE(in("ventedBox", "Dv")->isVisible());
    EXPECT_TRUE(in("ventedBox", "Av")->isVisible());
    EXPECT_TRUE(in("ventedBox", "Av")->hasFocus());
    key(in("ventedBox", "Av"), Qt::Key_Return);
    EXPECT_TRUE(in("ventedBox", "Bv")->hasFocus());
    key(in("ventedBox", "Bv"), Qt::Key_Return);
    EXPECT_TRUE(in("ventedBox", "Nv")->hasFocus());
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_TRUE(in("ventedBox", "Bv")->isVisible());
    key(picture, Qt::Key_Space);
    EXPECT_TRUE(in("ventedBox", "Dv")->isVisible());
    EXPECT_TRUE(in("ventedBox", "Dv")->hasFocus());
}

TEST_F(VentedBoxGroupTest, EnterCyclesThroughTheRoundVentFields) {
    openVented();
    const std::array<const char*, 5> order = {"Vb", "fb", "Dv", "Nv", "Vb"};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        ASSERT_TRUE(in("ventedBox", order[i])->hasFocus()) << order[i];
        key(in("ventedBox", order[i]), Qt::Key_Return);
    }
    EXPECT_TRUE(in("ventedBox", "Vb")->hasFocus());
}

TEST_F(VentedBoxGroupTest, ListsAreExclusiveAndTheirChoicesReachTheDesign) {
    openVented();
    type("ventedBox", "Vb", "50");
    type("ventedBox", "fb", "30");
    click("ventedBox", "endCorrection");
    auto* ends = findByName<QWidget>(page.get(), "ventedBoxEndCorrections");
    auto* fills = findByName<QWidget>(page.get(), "ventedBoxFills");
    EXPECT_TRUE(ends->isVisible());
    click("ventedBox", "fillAmount");
    EXPECT_FALSE(ends->isVisible());
    EXPECT_TRUE(fills->isVisible());
    chooseItem("ventedBoxFills", 0);
    EXPECT_EQ(in<QLabel>("ventedBox", "fillAmount")->text(), "(0 %)");
    VentedBoxInputs inputs;
    inputs.Vb = "50";
    inputs.fb = "30";
    inputs.fillAmount = 0;
    inputs.endCorrection = 0;
    click("ventedBox", "endCorrection");
    chooseItem("ventedBoxEndCorrections", 0);
    EXPECT_EQ(text("ventedBox", "k"), "0.61");
    const auto r = enclosure::recomputeVentedBox(driver, shared(), inputs, format);
    EXPECT_EQ(text("ventedBox", "Lv"), qs(r.ventTexts.Lv));
    click("ventedBox", "VaCaption");
    EXPECT_EQ(in<QLabel>("ventedBox", "VaUnit")->text(), "g");
    QTest::mouseClick(charts[0]->widget(), Qt::LeftButton);
    EXPECT_FALSE(ends->isVisible());
}

TEST_F(VentedBoxGroupTest, CaptionsTuneAtResonanceAndEstimateTheVent) {
    openVented();
    click("ventedBox", "fbCaption");
    EXPECT_EQ(text("ventedBox", "fb"), "30");
    type("ventedBox", "Nv", "3");
    click("ventedBox", "DvCaption");
    EXPECT_EQ(text("ventedBox", "Nv"), "1");
    EXPECT_EQ(text("ventedBox", "Dv"), qs(enclosure::estimateVentDiameter(
                                           driver, {}, enclosure::kVentedVentDivisor, format)));
}

}  // namespace
}  // namespace sublumo::ui_test
