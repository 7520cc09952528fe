#include <QCheckBox>

#include "enclosure_page_fixture.h"
#include "source_level.h"

namespace sublumo::ui_test {
namespace {

class SourceGroupTest : public EnclosurePageTest {
protected:
    QCheckBox* onOff() const { return in<QCheckBox>("sourceMic", "sourceOn"); }
    bool warningShown() const { return in<QWidget>("sourceMic", "overload")->isVisible(); }
};

TEST_F(SourceGroupTest, SwitchEnablesTheSourceAndShowsTheAbsoluteChart) {
    open();
    EXPECT_FALSE(in("sourceMic", "U")->isEnabled());
    QTest::mouseClick(onOff(), Qt::LeftButton);
    EXPECT_TRUE(in("sourceMic", "U")->isEnabled());
    EXPECT_TRUE(in("sourceMic", "d")->isEnabled());
    EXPECT_TRUE(in("sourceMic", "U")->hasFocus());
    EXPECT_EQ(page->charts().shownChart(), ChartKind::Absolute);
    QTest::mouseClick(onOff(), Qt::LeftButton);
    EXPECT_FALSE(in("sourceMic", "U")->isEnabled());
    EXPECT_EQ(page->charts().shownChart(), ChartKind::Relative);
}

TEST_F(SourceGroupTest, LevelFollowsVoltageAndDistance) {
    open();
    type("closedBox", "Vb", "30");
    QTest::mouseClick(onOff(), Qt::LeftButton);
    type("sourceMic", "d", "2");
    const auto r = enclosure::recomputeClosedBox(
        driver,
        [&] {
            auto s = shared();
            s.d = "2";
            return s;
        }(),
        {"30", "100"}, format);
    EXPECT_EQ(text("sourceMic", "L"), qs(*r.shared.source.L));
    EXPECT_EQ(text("sourceMic", "Pd"), qs(*r.shared.source.Pd));
    EXPECT_EQ(text("sourceMic", "Pr"), qs(*r.shared.source.Pr));
    type("sourceMic", "U", "0");
    EXPECT_TRUE(drawn(ChartKind::Absolute, curve::kCurrentDesign).empty());
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
}

TEST_F(SourceGroupTest, WarningShowsOnlyAbovePe) {
    enclosure::test::DriverFigures figures;
    figures.Pe = 1;
    open(figures);
    QTest::mouseClick(onOff(), Qt::LeftButton);
    type("additionalOptions", "Rs", "0");
    type("sourceMic", "U", "4");
    EXPECT_TRUE(warningShown()) << text("sourceMic", "Pd").toStdString();
    click("sourceMic", "PdCaption");  // set 1 W
    EXPECT_EQ(text("sourceMic", "Pd"), "1");
    EXPECT_FALSE(warningShown());
    EXPECT_EQ(text("sourceMic", "U"), "2.83");
}

}  // namespace
}  // namespace sublumo::ui_test
