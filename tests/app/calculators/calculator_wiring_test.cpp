#include "air_coil.h"
#include "calculator_fixture.h"
#include "crossover.h"
#include "diaphragm_area.h"
#include "distortion_level.h"
#include "driver_modification.h"
#include "enclosure_geometry.h"
#include "free_fall.h"
#include "internal_resistance.h"
#include "level_combination.h"
#include "mms_measurement.h"
#include "q_factors.h"
#include "voice_coil_temperature.h"

namespace sublumo::calculator_test {
namespace {

using namespace sublumo::tools;

// Reads what the window shows, to hand the same texts to the tools library.
using Read = std::function<std::string(const char*)>;
using Expected = std::function<std::string(const Read&, const DriverParameters&)>;

struct Check {
    const char* output;
    Expected expected;
};

// A user's steps on one calculator (clicks on labels, then typing) and what the window must
// show afterwards: the tools library's answer for the texts the fields then hold.
struct WiringRow {
    const char* name;
    const char* item;
    std::vector<const char*> clicks;
    std::vector<std::pair<const char*, const char*>> typed;
    std::vector<Check> checks;
};

SurfaceAreaInputs area(const Read& r, DiaphragmShape shape, SurroundShare share) {
    return {r("areaD"), r("areaDPrime"), r("areaS"), r("areaF"), shape, share};
}
QFactorsResult qFactors(const Read& r) {
    return computeQFactors({r("qRe"), r("qZmax"), r("qFs"), r("qF1"), r("qF2")}, kFormat);
}
ClosedBoxResult closedBox(const Read& r) {
    return computeClosedBox(
        {r("cbFs"), r("cbNewFs"), r("cbVbox"), r("cbSd"), r("cbDo"), r("cbDi"), r("cbH")}, kFormat);
}
AirCoilResult airCoil(const Read& r) {
    return computeAirCoil({r("coilD"), r("coilH"), r("coilDw"), r("coilTurns")}, kFormat);
}
ConeVentInputs coneVent(const Read& r, VentShape shape) {
    return {r("cvDd"), r("cvVent"), r("cvVentHeight"), r("cvVents"), shape};
}

void PrintTo(const WiringRow& row, std::ostream* out) {
    *out << row.name;
}

const WiringRow kRows[] = {
    {"RoundDiaphragm",
     "menuDiaphragmArea",
     {},
     {{"areaD", "100"}, {"areaS", "10"}},
     {{"areaSd",
       [](const Read& r, auto&) {
           return computeSurfaceArea(area(r, DiaphragmShape::Round, SurroundShare::Third), kFormat)
               .sd;
       }},
      {"areaDd",
       [](const Read& r, auto&) {
           return computeSurfaceArea(area(r, DiaphragmShape::Round, SurroundShare::Third), kFormat)
               .dd;
       }}}},
    {"HalfSurroundOvalDiaphragm",
     "menuDiaphragmArea",
     {"areaSurround", "areaShape", "areaShape", "areaShape"},
     {{"areaD", "100"}, {"areaDPrime", "160"}, {"areaS", "10"}},
     {{"areaSd",
       [](const Read& r, auto&) {
           return computeSurfaceArea(area(r, DiaphragmShape::Oval, SurroundShare::Half), kFormat)
               .sd;
       }},
      {"areaSurround", [](const Read&, auto&) { return surroundLabel(SurroundShare::Half); }}}},
    {"CrossMultiplication",
     "menuDiaphragmArea",
     {},
     {{"crossKnownPixels", "200"}, {"crossA", "150"}, {"crossUnknownPixels", "333"}},
     {{"crossB",
       [](const Read& r, auto&) {
           return computeCrossMultiplication(
                      {r("crossKnownPixels"), r("crossA"), r("crossUnknownPixels")}, kFormat)
               .b;
       }}}},
    {"QFactors",
     "menuQFactors",
     {},
     {{"qRe", "6"}, {"qZmax", "54"}, {"qFs", "50"}, {"qF1", "40"}, {"qF2", "65"}},
     {{"qQms", [](const Read& r, auto&) { return qFactors(r).qms; }},
      {"qQes", [](const Read& r, auto&) { return qFactors(r).qes; }},
      {"qQts", [](const Read& r, auto&) { return qFactors(r).qts; }},
      {"qHint", [](const Read& r, auto&) { return qFactors(r).hint; }},
      {"qInformation", [](const Read& r, auto&) { return qFactors(r).information; }}}},
    {"AddedMassMethod",
     "menuQFactors",
     {},
     {{"amFs", "50"}, {"amNewFs", "40"}, {"amMadd", "10"}},
     {{"amMms",
       [](const Read& r, auto&) {
           return computeAddedMass({r("amFs"), r("amNewFs"), r("amMadd")}, kFormat).mms;
       }},
      {"amShift",
       [](const Read& r, auto&) {
           return computeAddedMass({r("amFs"), r("amNewFs"), r("amMadd")}, kFormat).shiftLine;
       }}}},
    {"ClosedBoxMethod",
     "menuQFactors",
     {"amClosedBoxLink"},
     {{"cbFs", "50"},
      {"cbNewFs", "100"},
      {"cbVbox", "10"},
      {"cbSd", "220"},
      {"cbDo", "200"},
      {"cbDi", "40"},
      {"cbH", "60"}},
     {{"cbVas", [](const Read& r, auto&) { return closedBox(r).vas; }},
      {"cbMms", [](const Read& r, auto&) { return closedBox(r).mms; }},
      {"cbShift", [](const Read& r, auto&) { return closedBox(r).shiftLine; }},
      {"cbConeVolume", [](const Read& r, auto&) { return closedBox(r).coneVolumeLine; }}}},
    {"ResonanceShift",
     "menuResonanceShift",
     {},
     {{"shiftNewFs", "35"}},
     {{"shiftNewFsText",
       [](const Read& r, const DriverParameters& d) {
           return joined(computeResonanceShift(r("shiftNewFs"), d, kFormat).lines);
       }}}},
    {"AddedResistance",
     "menuAddedResistanceMass",
     {},
     {{"raddRadd", "-0.5"}},
     {{"raddRaddText",
       [](const Read& r, const DriverParameters& d) {
           return joined(computeAddedResistance(r("raddRadd"), d, kFormat).lines);
       }}}},
    {"AddedMassToCone",
     "menuAddedResistanceMass",
     {},
     {{"maddMadd", "5"}},
     {{"maddMaddText",
       [](const Read& r, const DriverParameters& d) {
           return joined(computeAddedMassToCone(r("maddMadd"), d, kFormat).lines);
       }}}},
    {"VoiceCoilTemperature",
     "menuVoiceCoilTemperature",
     {},
     {{"tempT1", "25"}, {"tempT2", "80"}},
     {{"tempText",
       [](const Read& r, const DriverParameters& d) {
           return joined(
               computeVoiceCoilTemperature({r("tempReAtT1"), r("tempT1"), r("tempT2")}, d, kFormat)
                   .lines);
       }}}},
    {"EnclosureResonances",
     "menuEnclosureResonances",
     {},
     {{"boxHeight", "400"}},
     {{"boxText",
       [](const Read& r, auto&) {
           return joined(
               computeEnclosureResonances({r("boxWidth"), r("boxHeight"), r("boxDepth")}, kFormat)
                   .lines);
       }}}},
    {"GoldenRatio",
     "menuGoldenRatio",
     {},
     {{"goldenMinimalSize", "170"}},
     {{"goldenText",
       [](const Read& r, auto&) {
           return joined(computeGoldenRatio({r("goldenMinimalSize")}, kFormat).lines);
       }}}},
    {"LinkwitzRileyCrossover",
     "menuCrossovers",
     {"xoLevel"},
     {{"xoFc", "2500"}},
     {{"xoText",
       [](const Read& r, auto&) {
           return joined(
               computeCrossover({r("xoZ"), r("xoFc"), CrossoverLevel::Minus6dB}, kFormat).lines);
       }},
      {"xoLevel",
       [](const Read&, auto&) { return crossoverLevelLabel(CrossoverLevel::Minus6dB); }}}},
    {"LPad",
     "menuCrossovers",
     {},
     {{"lpadA", "6"}},
     {{"lpadText",
       [](const Read& r, auto&) {
           return joined(computeLPad({r("lpadZ"), r("lpadA"), r("lpadP")}, kFormat).lines);
       }},
      {"lpadVoltage",
       [](const Read& r, auto&) {
           return computeLPad({r("lpadZ"), r("lpadA"), r("lpadP")}, kFormat).voltageLabel;
       }}}},
    {"Zobel",
     "menuCrossovers",
     {"lpadZobelLink"},
     {{"zobelRe", "4"}},
     {{"zobelText",
       [](const Read& r, const DriverParameters& d) {
           return joined(computeZobel({r("zobelRe"), r("zobelLe")}, d, kFormat).lines);
       }}}},
    {"AirCoil",
     "menuAirCoil",
     {},
     {{"coilTurns", "200"}},
     {{"coilL", [](const Read& r, auto&) { return airCoil(r).inductance; }},
      {"coilR", [](const Read& r, auto&) { return airCoil(r).resistance; }},
      {"coilLayers", [](const Read& r, auto&) { return airCoil(r).layers; }},
      {"coilOuterD", [](const Read& r, auto&) { return airCoil(r).outerDiameter; }},
      {"coilLength", [](const Read& r, auto&) { return airCoil(r).wireLength; }},
      {"coilSw", [](const Read& r, auto&) { return airCoil(r).wireSectionLabel; }},
      {"coilTurnsPerLayer", [](const Read& r, auto&) { return airCoil(r).turnsPerLayerLabel; }},
      {"coilMass", [](const Read& r, auto&) { return airCoil(r).wireMassLabel; }}}},
    {"NearField",
     "menuNearField",
     {},
     {{"nfDistance", "500"}},
     {{"nfText",
       [](const Read& r, const DriverParameters& d) {
           return joined(computeNearField({r("nfDd"), r("nfDistance")}, d, kFormat).lines);
       }}}},
    {"RectangularVents",
     "menuNearField",
     {"cvVentCaption"},
     {{"cvVentHeight", "30"}, {"cvVents", "2"}},
     {{"cvText",
       [](const Read& r, const DriverParameters& d) {
           return joined(computeConeVent(coneVent(r, VentShape::Rectangle), d, kFormat).lines);
       }},
      {"cvVentCaption", [](const Read&, auto&) { return ventLabel(VentShape::Rectangle); }}}},
    {"PercentToDecibels",
     "menuDistortion",
     {"dbValueCaption"},
     {},
     {{"dbValue",
       [](const Read&, auto&) {
           return toggleDistortionMode({"1", DistortionMode::Percent}, kFormat).value;
       }},
      {"dbText",
       [](const Read& r, auto&) {
           return joined(
               computeDistortion({r("dbValue"), DistortionMode::Decibels}, kFormat).lines);
       }},
      {"dbValueUnit",
       [](const Read&, auto&) { return distortionUnitLabel(DistortionMode::Decibels); }}}},
    {"InternalResistance",
     "menuInternalResistance",
     {},
     {{"riU1", "12"}},
     {{"riText",
       [](const Read& r, auto&) {
           return joined(
               computeInternalResistance({r("riU1"), r("riU2"), r("riRLoad")}, kFormat).lines);
       }}}},
    {"FreeFallFromAHeight",
     "menuFreeFall",
     {"fallValueCaption"},
     {{"fallValue", "2"}},
     {{"fallText",
       [](const Read& r, auto&) {
           return joined(computeFreeFall({r("fallValue"), FallMode::Height}, kFormat).lines);
       }},
      {"fallValueUnit", [](const Read&, auto&) { return fallUnitLabel(FallMode::Height); }}}},
};

class Wiring : public CalculatorTest, public ::testing::WithParamInterface<WiringRow> {};

TEST_P(Wiring, TheWindowShowsTheToolsAnswerForTheTypedTexts) {
    const WiringRow& row = GetParam();
    ui_test::typeReferenceDriver(window.get());
    choose(row.item);
    for (const char* label : row.clicks) click(label);
    for (const auto& [field, text] : row.typed) type(field, text);
    const Read read = [this](const char* name) { return shown(name); };
    for (const Check& check : row.checks) {
        const std::string expected = check.expected(read, driver().parameters());
        EXPECT_EQ(shown(check.output), expected) << check.output;
    }
}

INSTANTIATE_TEST_SUITE_P(Calculators, Wiring, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace sublumo::calculator_test
