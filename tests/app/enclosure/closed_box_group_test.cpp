#include <QListWidget>

#include "closed_box.h"
#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

using enclosure::ClosedBoxInputs;
using enclosure::recomputeClosedBox;

class ClosedBoxGroupTest : public EnclosurePageTest {};

TEST_F(ClosedBoxGroupTest, TypedVolumeShowsThePureDesignAndDrawsItsCurve) {
    open();
    type("closedBox", "Vb", "30");
    type("closedBox", "fill", "50");
    ClosedBoxInputs inputs;
    inputs.Vb = "30";
    inputs.fill = "50";
    const auto r = recomputeClosedBox(driver, shared(), inputs, format);
    EXPECT_EQ(text("closedBox", "Qtc"), qs(r.Qtc));
    EXPECT_EQ(text("closedBox", "fc"), qs(r.fc));
    EXPECT_EQ(text("closedBox", "f3"), qs(r.f3));
    EXPECT_EQ(text("closedBox", "peak"), qs(r.peak));
    EXPECT_EQ(text("closedBox", "CaCm"), qs(r.CaCm));
    const auto& curve0 = drawn(ChartKind::Relative, curve::kCurrentDesign);
    ASSERT_EQ(curve0.size(), static_cast<std::size_t>(enclosure::kGridPoints));
    const auto& values = r.shared.table.values(enclosure::TableColumn::Relative);
    EXPECT_DOUBLE_EQ(curve0[100].second, values[100]);
    EXPECT_FALSE(drawn(ChartKind::Absolute, curve::kCurrentDesign).empty());
}

TEST_F(ClosedBoxGroupTest, ZeroVolumeShowsZerosAndClearsTheCurve) {
    open();
    type("closedBox", "Vb", "30");
    type("closedBox", "Vb", "0");
    for (const char* name : {"Qtc", "fc", "f3", "peak", "CaCm"})
        EXPECT_EQ(text("closedBox", name), "0") << name;
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    EXPECT_FALSE(findByName<QWidget>(page.get(), "cabinGainOn")->isEnabled());
}

TEST_F(ClosedBoxGroupTest, InfiniteToggleGivesTheBareDriverAndDisablesFill) {
    open();
    click("closedBox", "VbCaption");
    EXPECT_TRUE(in("closedBox", "infinite")->isVisible());
    EXPECT_FALSE(in("closedBox", "fill")->isEnabled());
    EXPECT_EQ(text("closedBox", "CaCm"), "0/100");
    ClosedBoxInputs inputs;
    inputs.infinite = true;
    const auto r = recomputeClosedBox(driver, shared(), inputs, format);
    EXPECT_EQ(text("closedBox", "Qtc"), qs(r.Qtc));
    EXPECT_EQ(text("closedBox", "fc"), qs(r.fc));
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    click("closedBox", "VbCaption");
    EXPECT_FALSE(in("closedBox", "infinite")->isVisible());
    EXPECT_TRUE(in("closedBox", "fill")->isEnabled());
    EXPECT_TRUE(in("closedBox", "Vb")->hasFocus());
}

TEST_F(ClosedBoxGroupTest, FillAboveOneHundredBecomesOneHundredAndArrowsStepByFive) {
    open();
    type("closedBox", "fill", "150");
    EXPECT_EQ(text("closedBox", "fill"), "100");
    key(in("closedBox", "fill"), Qt::Key_Up);
    EXPECT_EQ(text("closedBox", "fill"), "100");
    key(in("closedBox", "fill"), Qt::Key_Down);
    EXPECT_EQ(text("closedBox", "fill"), "95");
    type("closedBox", "fill", "3");
    key(in("closedBox", "fill"), Qt::Key_Down);
    EXPECT_EQ(text("closedBox", "fill"), "0");
    type("closedBox", "fill", "1a,");
    EXPECT_EQ(text("closedBox", "fill"), "1");
}

TEST_F(ClosedBoxGroupTest, ButterworthAlignmentSizesTheBoxFromTheQtcCaption) {
    open();
    withoutSeriesResistance();
    type("closedBox", "fill", "0");
    click("closedBox", "QtcCaption");
    auto* list = findByName<QWidget>(page.get(), "closedAlignments");
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(findByName<QListWidget>(page.get(), "closedAlignmentsItems")->hasFocus());
    chooseItem("closedAlignments", 2);
    EXPECT_EQ(text("closedBox", "Vb"), "23.53");
    EXPECT_EQ(text("closedBox", "Qtc"), "0.707");
    QTest::mouseClick(charts[0]->widget(), Qt::LeftButton);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(in("closedBox", "Vb")->hasFocus());
}

TEST_F(ClosedBoxGroupTest, AlignmentsBelowTheDriversQAreDisabled) {
    enclosure::test::DriverFigures figures;
    figures.Qts = 0.6;
    open(figures);
    auto* items = findByName<QListWidget>(page.get(), "closedAlignmentsItems");
    const std::array<bool, 4> enabled = {false, false, true, true};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(items->item(i)->flags().testFlag(Qt::ItemIsEnabled), enabled[i]) << i;
}

TEST_F(ClosedBoxGroupTest, KeyboardReachesEveryAction) {
    open();
    QWidget* vb = in("closedBox", "Vb");
    EXPECT_TRUE(vb->hasFocus());
    key(vb, Qt::Key_Return);
    EXPECT_TRUE(in("closedBox", "fill")->hasFocus());
    key(in("closedBox", "fill"), Qt::Key_Return);
    EXPECT_TRUE(vb->hasFocus());
    QWidget* qtcCaption = in<QWidget>("closedBox", "QtcCaption");
    key(qtcCaption, Qt::Key_Space);
    auto* items = findByName<QListWidget>(page.get(), "closedAlignmentsItems");
    ASSERT_TRUE(items->hasFocus());
    items->setCurrentRow(3);
    key(items, Qt::Key_Return);
    EXPECT_NE(text("closedBox", "Vb"), "0");
    key(items, Qt::Key_Escape);
    EXPECT_FALSE(items->isVisible());
}

TEST_F(ClosedBoxGroupTest, VolumeHintTellsCubicFeet) {
    open();
    type("closedBox", "Vb", "50");
    QLineEdit* vb = in("closedBox", "Vb");
    QTest::mouseMove(vb);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(vb, &enter);
    EXPECT_EQ(vb->toolTip(), "1.766 ft^3");
}

}  // namespace
}  // namespace sublumo::ui_test
