#include "response_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "response.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

TEST(CabinGain, GainFrequencyFromTheLongestDimension) {
    struct Row {
        const char* lmax;
        const char* shownLmax;
        const char* fcg;
    };
    for (const Row& r : {Row{"2.2", "2.2", "78.2"}, Row{"", "2.2", "78.2"}, Row{"0", "0", "0"},
                         Row{"abc", "abc", "0"}, Row{"4", "4", "43"}}) {
        SCOPED_TRACE(r.lmax);
        const CabinGain g = computeCabinGain(r.lmax, kDot);
        EXPECT_EQ(g.lmax, r.shownLmax);
        EXPECT_EQ(g.fcgText, r.fcg);
    }
    EXPECT_NEAR(computeCabinGain("2.2", kDot).fcg, 344.0 / 4.4, 1e-12);
}

TEST(CabinGain, ButterworthHighPassTerm) {
    EXPECT_NEAR(cabinGainTerm(78.0, 78.0), -3.0103, 1e-4);
    EXPECT_NEAR(cabinGainTerm(7.8, 78.0) - cabinGainTerm(3.9, 78.0), 12.04, 0.01);
    EXPECT_NEAR(cabinGainTerm(7800.0, 78.0), 0.0, 1e-6);
}

TEST(LinkwitzTransform, ExampleCircuit) {
    const LinkwitzResult r = computeLinkwitzCircuit({"20", "0.707", "0.1"}, 40.0, 1.0, kDot);
    ASSERT_TRUE(r.circuit);
    EXPECT_NEAR(r.circuit->k, 0.640, 0.0005);
    EXPECT_EQ(r.R1, "12.13");
    EXPECT_EQ(r.R2, "15.53");
    EXPECT_EQ(r.R3, "48.51");
    EXPECT_EQ(r.C1, "1.08");
    EXPECT_EQ(r.C3, "0.27");
    EXPECT_EQ(r.gain, "12.04");
    struct Point {
        double f;
        double dB;
    };
    for (const Point& p : {Point{1, 12.04}, Point{20, 8.13}, Point{40, -0.26}, Point{500, -0.03}})
        EXPECT_NEAR(linkwitzResponse(p.f, *r.circuit), p.dB, 0.005) << p.f;
}

TEST(LinkwitzTransform, CircuitRealisesTheIdealBiquadOverTheGrid) {
    const double f0 = 52.0, q0 = 0.9, fp = 31.0, qp = 0.6;
    const LinkwitzResult r = computeLinkwitzCircuit({"31", "0.6", "0.22"}, f0, q0, kDot);
    ASSERT_TRUE(r.circuit);
    for (double f : frequencyGrid()) {
        const std::complex<double> s(0.0, f);
        const auto h = (s * s + s * f0 / q0 + f0 * f0) / (s * s + s * fp / qp + fp * fp);
        EXPECT_NEAR(linkwitzResponse(f, *r.circuit), 20 * std::log10(std::abs(h)), 1e-9) << f;
    }
}

TEST(LinkwitzTransform, FailureZeroesEverything) {
    struct Row {
        const char* name;
        LinkwitzTexts texts;
    };
    const Row rows[] = {{"fp = f0 and Qp = Q0", {"40", "1", "0.1"}},
                        {"fp zero", {"0", "0.707", "0.1"}},
                        {"C2 zero", {"20", "0.707", "0"}},
                        {"not a number", {"2x", "0.707", "0.1"}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const LinkwitzResult r = computeLinkwitzCircuit(row.texts, 40.0, 1.0, kDot);
        EXPECT_FALSE(r.circuit);
        EXPECT_EQ(r.inputs.fp, "0");
        EXPECT_EQ(r.inputs.Qp, "0");
        EXPECT_EQ(r.inputs.C2, "0");
        for (const std::string* t : {&r.R1, &r.R2, &r.R3, &r.C1, &r.C3, &r.gain})
            EXPECT_EQ(*t, "0");
    }
}

TEST(LinkwitzTransform, EmptyFieldsReceiveDefaults) {
    const LinkwitzResult r = computeLinkwitzCircuit({"", "", ""}, 50.0, 1.0, NumberFormat{','});
    EXPECT_EQ(r.inputs.fp, "33,3");
    EXPECT_EQ(r.inputs.Qp, "0,707");
    EXPECT_EQ(r.inputs.C2, "0,1");
}

}  // namespace
}  // namespace sublumo::enclosure
