#include <QListWidget>

#include "bandpass_box.h"
#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

class BandpassBoxGroupTest : public EnclosurePageTest {
protected:
    void openBandpass() {
        open();
        clickPage("bandpass");
    }
};

TEST_F(BandpassBoxGroupTest, AlignmentSizesBothChambersAndTheTuning) {
    openBandpass();
    withoutSeriesResistance();
    type("bandpassBox", "fill", "0");
    click("bandpassBox", "autoCalculation");
    chooseItem("bandpassAlignments", 0);
    EXPECT_EQ(text("bandpassBox", "Vr"), "22.84");
    EXPECT_EQ(text("bandpassBox", "Vf"), "15.68");
    EXPECT_EQ(text("bandpassBox", "fb"), "53.57");
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
}

TEST_F(BandpassBoxGroupTest, TypedDesignShowsThePureTexts) {
    openBandpass();
    type("bandpassBox", "Vr", "20");
    type("bandpassBox", "Vf", "15");
    enclosure::BandpassBoxInputs inputs;
    inputs.Vr = "20";
    inputs.Vf = "15";
    const auto r = enclosure::recomputeBandpassBox(driver, shared(), inputs, format);
    EXPECT_EQ(text("bandpassBox", "fb"), qs(r.fb));
    EXPECT_EQ(text("bandpassBox", "Lv"), qs(r.ventTexts.Lv));
    EXPECT_EQ(text("bandpassBox", "Sv"), qs(r.ventTexts.Sv));
    EXPECT_FALSE(in("bandpassBox", "fb")->isEnabled());
}

TEST_F(BandpassBoxGroupTest, AutoTuningOnKeepsTheLastTuningUntilTyped) {
    openBandpass();
    type("bandpassBox", "Vr", "20");
    type("bandpassBox", "Vf", "15");
    const QString tuned = text("bandpassBox", "fb");
    click("bandpassBox", "autoTuning");
    EXPECT_EQ(in<QLabel>("bandpassBox", "autoTuning")->text(), "on");
    EXPECT_EQ(text("bandpassBox", "fb"), tuned);
    EXPECT_TRUE(in("bandpassBox", "fb")->hasFocus());
    const auto before = drawn(ChartKind::Relative, curve::kCurrentDesign);
    type("bandpassBox", "fb", "45");
    EXPECT_NE(drawn(ChartKind::Relative, curve::kCurrentDesign), before);
}

TEST_F(BandpassBoxGroupTest, NoFrontVolumeDrawsNothing) {
    openBandpass();
    type("bandpassBox", "Vr", "20");
    for (const char* name : {"Sv", "Lv", "1Rv", "Va"}) EXPECT_EQ(text("bandpassBox", name), "0");
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
}

TEST_F(BandpassBoxGroupTest, EnterSkipsTheTuningWhileItIsAutomatic) {
    openBandpass();
    ASSERT_TRUE(in("bandpassBox", "Vr")->hasFocus());
    key(in("bandpassBox", "Vr"), Qt::Key_Return);
    EXPECT_TRUE(in("bandpassBox", "fill")->hasFocus());
    key(in("bandpassBox", "fill"), Qt::Key_Return);
    EXPECT_TRUE(in("bandpassBox", "Vf")->hasFocus());
    key(in("bandpassBox", "Vf"), Qt::Key_Return);
    EXPECT_TRUE(in("bandpassBox", "Dv")->hasFocus());
    click("bandpassBox", "autoTuning");
    in("bandpassBox", "Vf")->setFocus();
    key(in("bandpassBox", "Vf"), Qt::Key_Return);
    EXPECT_TRUE(in("bandpassBox", "fb")->hasFocus());
}

TEST_F(BandpassBoxGroupTest, ChartDoubleClickOpensAndClosesTheAlignmentList) {
    openBandpass();
    auto* list = findByName<QWidget>(page.get(), "bandpassAlignments");
    QTest::mouseDClick(charts[0]->widget(), Qt::LeftButton);
    EXPECT_TRUE(list->isVisible());
    QTest::mouseDClick(charts[0]->widget(), Qt::LeftButton);
    EXPECT_FALSE(list->isVisible());
}

}  // namespace
}  // namespace sublumo::ui_test
