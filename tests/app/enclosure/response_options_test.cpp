#include <QCheckBox>

#include "enclosure_page_fixture.h"
#include "response_options.h"

namespace sublumo::ui_test {
namespace {

class ResponseOptionsTest : public EnclosurePageTest {
protected:
    QCheckBox* check(const char* group, const char* name) const {
        return in<QCheckBox>(group, name);
    }
    // A closed box with fc = 40 Hz and Qtc = 1: the equaliser example.
    void openLinkwitzExample() {
        enclosure::test::DriverFigures figures;
        figures.fs = 16;
        figures.Vas = 52.5;
        open(figures);
        type("additionalOptions", "Rs", "0");
        type("closedBox", "fill", "0");
        type("closedBox", "Vb", "10");
        QTest::mouseClick(check("linkwitz", "linkwitzOn"), Qt::LeftButton);
    }
};

TEST_F(ResponseOptionsTest, OptionsNeedAPositiveVolume) {
    open();
    EXPECT_FALSE(check("cabinGain", "cabinGainOn")->isEnabled());
    EXPECT_FALSE(check("linkwitz", "linkwitzOn")->isEnabled());
    bool enabled = false;
    QObject::connect(page.get(), &EnclosurePage::responseOptionsEnabledChanged,
                     [&](bool on) { enabled = on; });
    type("closedBox", "Vb", "30");
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(check("cabinGain", "cabinGainOn")->isEnabled());
    EXPECT_TRUE(check("linkwitz", "linkwitzOn")->isEnabled());
}

TEST_F(ResponseOptionsTest, CabinGainDrawsItsCurveFromTheGainFrequency) {
    open();
    type("closedBox", "Vb", "30");
    QTest::mouseClick(check("cabinGain", "cabinGainOn"), Qt::LeftButton);
    EXPECT_EQ(text("cabinGain", "fcg"), "78.2");
    ASSERT_FALSE(drawn(ChartKind::Relative, curve::kCabinGain).empty());
    const double g = enclosure::cabinGainTerm(20.0, 344.0 / 4.4);
    EXPECT_DOUBLE_EQ(drawn(ChartKind::Relative, curve::kCabinGain)[0].second,
                     drawn(ChartKind::Relative, curve::kCurrentDesign)[0].second - g);
    type("cabinGain", "lmax", "0");
    EXPECT_EQ(text("cabinGain", "fcg"), "0");
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCabinGain).empty());
    type("cabinGain", "lmax", "2.2");
    QTest::mouseClick(check("cabinGain", "cabinGainOn"), Qt::LeftButton);
    EXPECT_FALSE(in("cabinGain", "lmax")->isEnabled());
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCabinGain).empty());
}

TEST_F(ResponseOptionsTest, LinkwitzExampleGivesTheCircuitValues) {
    openLinkwitzExample();
    EXPECT_EQ(text("closedBox", "fc"), "40");
    EXPECT_EQ(text("closedBox", "Qtc"), "1");
    EXPECT_TRUE(in("linkwitz", "fp")->hasFocus());
    type("linkwitz", "fp", "20");
    click("linkwitz", "circuit");
    EXPECT_TRUE(in<QWidget>("linkwitzCircuit", "C2")->hasFocus());
    const auto expected = enclosure::computeLinkwitzCircuit({"20", "0.707", "0.1"}, 40, 1, format);
    const std::array<std::pair<const char*, std::string>, 6> outputs = {{
        {"R1", expected.R1},
        {"R2", expected.R2},
        {"R3", expected.R3},
        {"C1", expected.C1},
        {"C3", expected.C3},
        {"gain", expected.gain},
    }};
    for (const auto& [name, value] : outputs)
        EXPECT_EQ(text("linkwitzCircuit", name), qs(value)) << name;
    EXPECT_EQ(text("linkwitzCircuit", "R1"), "12.13");
    EXPECT_EQ(text("linkwitzCircuit", "gain"), "12.04");
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kLinkwitzEqualiser).empty());
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kLinkwitzResult).empty());
    key(in("linkwitzCircuit", "C2"), Qt::Key_Return);
    EXPECT_TRUE(in("linkwitz", "fp")->hasFocus());
}

TEST_F(ResponseOptionsTest, UnchangedResonanceAndQFailAndClearTheEqualiser) {
    openLinkwitzExample();
    type("linkwitz", "fp", "40");
    type("linkwitz", "Qp", "1");
    for (const char* name : {"R1", "R2", "R3", "C1", "C3", "gain"})
        EXPECT_EQ(text("linkwitzCircuit", name), "0") << name;
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kLinkwitzEqualiser).empty());
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kLinkwitzResult).empty());
}

TEST_F(ResponseOptionsTest, SwitchingOnFillsTheNewResonanceAndOffClearsTheCurves) {
    openLinkwitzExample();
    EXPECT_EQ(text("linkwitz", "fp"), qs(enclosure::defaultLinkwitzFp(40, format)));
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kLinkwitzResult).empty());
    QTest::mouseClick(check("linkwitz", "linkwitzOn"), Qt::LeftButton);
    EXPECT_FALSE(in("linkwitz", "fp")->isEnabled());
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kLinkwitzResult).empty());
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kLinkwitzEqualiser).empty());
}

TEST_F(ResponseOptionsTest, EnterCyclesTheNewResonanceAndQ) {
    openLinkwitzExample();
    key(in("linkwitz", "fp"), Qt::Key_Return);
    EXPECT_TRUE(in("linkwitz", "Qp")->hasFocus());
    key(in("linkwitz", "Qp"), Qt::Key_Return);
    EXPECT_TRUE(in("linkwitz", "fp")->hasFocus());
}

}  // namespace
}  // namespace sublumo::ui_test
