#include "response_table.h"

#include <gtest/gtest.h>

#include "bandpass_box.h"
#include "closed_box.h"
#include "test_driver.h"
#include "vented_box.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kComma{','};

SharedInputs withCabinGain() {
    SharedInputs s;
    s.arrangement.countText = "1";
    s.cabinGainOn = true;
    return s;
}

ClosedBoxInputs closedBox(const std::string& vb) {
    ClosedBoxInputs in;
    in.Vb = vb;
    return in;
}

ClosedBoxInputs closedWithLinkwitz(const std::string& vb) {
    ClosedBoxInputs in;
    in.Vb = vb;
    in.linkwitzOn = true;
    return in;
}

void expectTextsMatchNumbers(const ResponseTable& t, TableColumn c) {
    ASSERT_TRUE(t.written(c));
    for (int i = 0; i < kGridPoints; ++i)
        EXPECT_EQ(t.text(i, c), formatNumber(t.values(c)[i], kComma)) << i;
}

TEST(ResponseTable, ClosedBoxFillsAllNineColumns) {
    const DriverParameters d = test::makeDriver();
    const ClosedBoxResult r =
        recomputeClosedBox(d, withCabinGain(), closedWithLinkwitz("30"), kComma);
    const ResponseTable& t = r.shared.table;
    const double L = r.shared.source.level;
    ASSERT_GT(L, 80.0);
    EXPECT_TRUE(r.shared.curves.main && r.shared.curves.absolute);
    EXPECT_TRUE(r.shared.curves.cabinGain && r.shared.curves.linkwitz);
    EXPECT_EQ(r.shared.cabinGain->fcgText, "78,2");
    ASSERT_TRUE(r.linkwitz);
    EXPECT_EQ(r.linkwitz->inputs.fp, defaultLinkwitzFp(r.values.fc, kComma));
    for (int c = 0; c < kResponseColumns; ++c) expectTextsMatchNumbers(t, TableColumn(c));
    const auto col = [&](TableColumn c, int i) { return t.values(c)[i]; };
    for (int i : {0, 57, 200}) {
        const double f = frequencyGrid()[i];
        const double R = closedResponse(f, {r.values.fc, r.values.Qtc});
        const double G = cabinGainTerm(f, 344.0 / 4.4);
        const double E = linkwitzResponse(f, *r.linkwitz->circuit);
        EXPECT_DOUBLE_EQ(col(TableColumn::Frequency, i), f);
        EXPECT_DOUBLE_EQ(col(TableColumn::Relative, i), R);
        EXPECT_DOUBLE_EQ(col(TableColumn::Absolute, i), R + L);
        EXPECT_DOUBLE_EQ(col(TableColumn::RelativeCabinGain, i), R - G);
        EXPECT_DOUBLE_EQ(col(TableColumn::AbsoluteCabinGain, i), R + L - G);
        EXPECT_DOUBLE_EQ(col(TableColumn::Equaliser, i), E);
        EXPECT_DOUBLE_EQ(col(TableColumn::Equalised, i), R + E);
        EXPECT_DOUBLE_EQ(col(TableColumn::EqualiserAbsolute, i), E + L);
        EXPECT_DOUBLE_EQ(col(TableColumn::EqualisedAbsolute, i), R + L + E);
    }
    EXPECT_EQ(t.text(0, TableColumn::Frequency), "20");
    EXPECT_EQ(t.text(100, TableColumn::Frequency), "100");
}

TEST(ResponseTable, VentedAndBandpassLeaveTheLinkwitzColumns) {
    const DriverParameters d = test::makeDriver();
    VentedBoxInputs v;
    v.Vb = "48,62";
    v.fb = "30,26";
    const VentedBoxResult rv = recomputeVentedBox(d, withCabinGain(), v, kComma);
    BandpassBoxInputs b;
    b.Vr = "22,84";
    b.fill = "0";
    b.Vf = "15,68";
    const BandpassBoxResult rb = recomputeBandpassBox(d, withCabinGain(), b, kComma);
    for (const SharedResult* s : {&rv.shared, &rb.shared}) {
        EXPECT_TRUE(s->curves.main && s->curves.cabinGain);
        EXPECT_FALSE(s->curves.linkwitz);
        for (int c = 0; c <= 4; ++c) expectTextsMatchNumbers(s->table, TableColumn(c));
        for (int c = 5; c < kResponseColumns; ++c) {
            EXPECT_FALSE(s->table.written(TableColumn(c)));
            EXPECT_EQ(s->table.text(0, TableColumn(c)), "");
        }
    }
}

TEST(ResponseTable, PlotDecisionAndOptionsByType) {
    const DriverParameters d = test::makeDriver();
    SharedInputs noSource = withCabinGain();
    noSource.U = "0";
    SharedInputs noDistance = withCabinGain();
    noDistance.d = "0";
    struct Row {
        const char* name;
        SharedResult shared;
        bool options, main, absolute;
        std::string_view absoluteNote;
    };
    const std::string_view enterU = "Enter a voltage U above 0 to see the sound pressure level.";
    const std::string_view enterD = "Enter a distance d above 0 to see the sound pressure level.";
    VentedBoxInputs ventedNoTuning;
    ventedNoTuning.Vb = "50";
    BandpassBoxInputs bandpassNoRear;
    bandpassNoRear.Vf = "15";
    const Row rows[] = {
        {"closed, no source level", recomputeClosedBox(d, noSource, closedBox("40"), kComma).shared,
         true, true, false, enterU},
        {"closed, no distance", recomputeClosedBox(d, noDistance, closedBox("40"), kComma).shared,
         true, true, false, enterD},
        {"closed, level shown",
         recomputeClosedBox(d, withCabinGain(), closedBox("40"), kComma).shared, true, true, true,
         ""},
        {"closed, no volume", recomputeClosedBox(d, withCabinGain(), closedBox("0"), kComma).shared,
         false, false, false, ""},
        {"vented, fb 0", recomputeVentedBox(d, withCabinGain(), ventedNoTuning, kComma).shared,
         false, false, false, ""},
        {"bandpass, Vr 0", recomputeBandpassBox(d, withCabinGain(), bandpassNoRear, kComma).shared,
         false, false, false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.shared.optionsEnabled, r.options);
        EXPECT_EQ(r.shared.lmaxEnabled, r.options);
        EXPECT_EQ(r.shared.curves.main, r.main);
        EXPECT_EQ(r.shared.curves.cabinGain, r.main);
        EXPECT_EQ(r.shared.curves.absolute, r.absolute);
        EXPECT_EQ(r.shared.curves.absoluteNote, r.absoluteNote);
        EXPECT_FALSE(r.shared.curves.linkwitz);
    }
}

TEST(ResponseTable, LinkwitzFailureClearsItsCurves) {
    const DriverParameters d = test::makeDriver();
    ClosedBoxInputs in = closedWithLinkwitz("50");
    in.linkwitz = {"0", "0,707", "0,1"};
    const ClosedBoxResult r = recomputeClosedBox(d, withCabinGain(), in, kComma);
    ASSERT_TRUE(r.linkwitz);
    EXPECT_FALSE(r.linkwitz->circuit);
    EXPECT_EQ(r.linkwitz->inputs.fp, "0");
    EXPECT_EQ(r.linkwitz->R1, "0");
    EXPECT_FALSE(r.shared.curves.linkwitz);
    EXPECT_TRUE(r.shared.curves.main);
}

}  // namespace
}  // namespace sublumo::enclosure
