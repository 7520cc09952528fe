#include "design_lines.h"

#include <gtest/gtest.h>

namespace sublumo::memory {
namespace {

ClosedTexts exampleClosed() {
    return {false, "50", "100", "0.707", "45", "45", "0", "29/71"};
}

VentTexts vent(VentShape shape) {
    return {shape, "2", "50", "40", "30", "120", "0.732", "1410"};
}

struct DesignRow {
    const char* name;
    DesignTexts texts;
    const char* line;
};

DesignTexts closed(bool infinite) {
    DesignTexts t;
    t.closed = exampleClosed();
    t.closed.infiniteVolume = infinite;
    return t;
}

DesignTexts vented(VentShape shape) {
    DesignTexts t;
    t.type = EnclosureType::Vented;
    t.vented = {"62.5", "50", "31.2", vent(shape)};
    return t;
}

DesignTexts bandpass(VentShape shape) {
    DesignTexts t;
    t.type = EnclosureType::Bandpass;
    t.bandpass = {"30", "20.5", "100", "0", "55", vent(shape)};
    return t;
}

DesignTexts radiators() {
    DesignTexts t;
    t.type = EnclosureType::PassiveRadiator;
    t.radiator = {"25", "25", "18.93", "2", "102.5"};
    return t;
}

const DesignRow kDesignRows[] = {
    {"ClosedExample", closed(false),
     "C: Vb=50 l (100 %), Qtc=0.707, fc=45 Hz, f3=45 Hz, peak=0 dB, Ca/Cm=29/71 %"},
    {"ClosedInfinite", closed(true),
     "C: Vb=infinite, Qtc=0.707, fc=45 Hz, f3=45 Hz, peak=0 dB, Ca/Cm=29/71 %"},
    {"VentedCircle", vented(VentShape::Round),
     "V: Vb=62.5 l (50 %), fb=31.2 Hz, 2xCv 50x120 mm, k=0.732, 1Rv=1410 Hz"},
    {"VentedRectangle", vented(VentShape::Rectangular),
     "V: Vb=62.5 l (50 %), fb=31.2 Hz, 2xRv 40x30x120 mm, k=0.732, 1Rv=1410 Hz"},
    {"VentedTriangle", vented(VentShape::Triangular),
     "V: Vb=62.5 l (50 %), fb=31.2 Hz, 2xTv 40x30x120 mm, k=0.732, 1Rv=1410 Hz"},
    {"BandpassCircle", bandpass(VentShape::Round),
     "B: Vr/Vf=30/20.5 l (100/0 %), fb=55 Hz, 2xCv 50x120 mm, k=0.732, 1Rv=1410 Hz"},
    {"BandpassTriangle", bandpass(VentShape::Triangular),
     "B: Vr/Vf=30/20.5 l (100/0 %), fb=55 Hz, 2xTv 40x30x120 mm, k=0.732, 1Rv=1410 Hz"},
    {"PassiveRadiator", radiators(), "P: Vb=25 l, fb=25 Hz, fp=18.93 Hz, Np=2, M+p=102.5 g"},
};

struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

class DesignLineTest : public testing::TestWithParam<DesignRow> {};

TEST_P(DesignLineTest, JoinsTheDisplayedTexts) {
    EXPECT_EQ(designLine(GetParam().texts), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Enclosures, DesignLineTest, testing::ValuesIn(kDesignRows), RowName{});

ConditionTexts conditions(std::string name, std::string label) {
    return {std::move(name), std::move(label), "0.1", "0", "20", "87.35", "1",
            "2.83",          "1.37",           "0.12"};
}

struct ConditionsRow {
    const char* name;
    ConditionTexts texts;
    const char* line;
};

const ConditionsRow kConditionsRows[] = {
    {"Named", conditions("Maker 10W", "Maker 10W 2x in P: "),
     " Maker 10W 2x in P: , +0.1 Ohm, +0 g, 20 \u00b0C, 87.35 dB/1 m/2.83 V (1.37/0.12 W) "},
    {"UnnamedEvenWithALabel", conditions("", "2x in S: "),
     " unnamed, +0.1 Ohm, +0 g, 20 \u00b0C, 87.35 dB/1 m/2.83 V (1.37/0.12 W) "},
    {"AmpersandKeptLiteral", conditions("B&C 12", "B&C 12"),
     " B&C 12, +0.1 Ohm, +0 g, 20 \u00b0C, 87.35 dB/1 m/2.83 V (1.37/0.12 W) "},
};

class ConditionsLineTest : public testing::TestWithParam<ConditionsRow> {};

TEST_P(ConditionsLineTest, JoinsTheDisplayedTexts) {
    EXPECT_EQ(conditionsLine(GetParam().texts), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Drivers, ConditionsLineTest, testing::ValuesIn(kConditionsRows),
                         RowName{});

}  // namespace
}  // namespace sublumo::memory
