#include "driver_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace sublumo {
namespace {

// Builds solver input from "name=text" pairs; unnamed entered fields hold "0".
SolverInput inputWith(std::map<Param, std::string> texts, NumberFormat format = {'.'}) {
    SolverInput in;
    in.format = format;
    for (std::size_t i = 0; i < kEnteredCount; ++i) {
        const auto it = texts.find(kEnteredParams[i]);
        in.enteredTexts[i] = it == texts.end() ? "0" : it->second;
    }
    return in;
}

SolverInput referenceDriver(NumberFormat format = {'.'}) {
    const bool comma = format.decimalSeparator == ',';
    return inputWith({{Param::Qms, comma ? "2,5" : "2.5"},
                      {Param::Qes, comma ? "0,35" : "0.35"},
                      {Param::fs, "30"},
                      {Param::Mms, "60"},
                      {Param::Dd, "260"},
                      {Param::Re, comma ? "5,6" : "5.6"}},
                     format);
}

std::map<Param, std::string> writtenTexts(const SolverResult& r) {
    std::map<Param, std::string> texts;
    for (const FieldWrite& w : r.writes) texts[w.field] = w.text;
    return texts;
}

void setEntered(SolverInput& in, Param p, std::string text) {
    for (std::size_t i = 0; i < kEnteredCount; ++i)
        if (kEnteredParams[i] == p)
            in.enteredTexts[i] = std::move(text);
}

TEST(DriverSolver, ReferenceDriverGivesEveryListedValue) {
    for (NumberFormat format : {NumberFormat{'.'}, NumberFormat{','}}) {
        SCOPED_TRACE(format.decimalSeparator);
        const SolverResult r = solveDriverParameters({}, referenceDriver(format));
        ASSERT_FALSE(r.abandoned);
        ASSERT_FALSE(r.arithmeticFault);
        auto texts = writtenTexts(r);
        auto expect = [&](Param p, std::string pointText) {
            if (format.decimalSeparator == ',')
                for (char& c : pointText)
                    if (c == '.')
                        c = ',';
            EXPECT_EQ(texts[p], pointText) << parameterInfo(p).name;
        };
        expect(Param::Qts, "0.307");
        expect(Param::Sd, "530.93");
        expect(Param::Mair, "7.03");
        expect(Param::Mmd, "52.97");
        expect(Param::Cms, "0.469");
        expect(Param::Kms, "2.13");
        expect(Param::Rms, "4.52");
        expect(Param::Vas, "187.77");
        expect(Param::Bl, "13.45");
        expect(Param::gamma, "224");
        expect(Param::EBP, "85.7");
        expect(Param::eta0, "1.405");
        expect(Param::SPL, "93.49");
        expect(Param::USPL, "95.04");
        expect(Param::SPLmax, "0");  // no Pe
        EXPECT_EQ(formatRounded(r.params.value(Param::Vascf), 3, format),
                  format.decimalSeparator == ',' ? "6,631" : "6.631");
        EXPECT_FALSE(r.actions.driverComplete);  // no name yet
    }
}

TEST(DriverSolver, WritesDerivedFieldsInTheFixedOrder) {
    const SolverResult r = solveDriverParameters({}, referenceDriver());
    const Param expected[] = {Param::Qts,    Param::Sd,    Param::Mair,  Param::f4pi, Param::f2pi,
                              Param::fmax,   Param::Mmd,   Param::Xmax,  Param::Vd,   Param::EBP,
                              Param::Cms,    Param::Kms,   Param::Rms,   Param::Vas,  Param::Rme,
                              Param::Bl,     Param::gamma, Param::Gloss, Param::eta0, Param::SPL,
                              Param::SPLmax, Param::USPL,  Param::Zmax,  Param::Res,  Param::Lces,
                              Param::Cmes};
    ASSERT_EQ(r.writes.size(), std::size(expected));
    for (std::size_t i = 0; i < r.writes.size(); ++i)
        EXPECT_EQ(r.writes[i].field, expected[i]) << "write " << i;
}

TEST(DriverSolver, OnlyQFactorsGiven) {
    const SolverResult r =
        solveDriverParameters({}, inputWith({{Param::Qms, "5"}, {Param::Qes, "0.5"}}));
    auto texts = writtenTexts(r);
    EXPECT_EQ(texts[Param::Qts], "0.455");
    for (Param p : {Param::Zmax, Param::Res, Param::Sd, Param::Cms, Param::Vas, Param::Bl,
                    Param::SPL, Param::EBP, Param::Lces})
        EXPECT_EQ(texts[p], "0") << parameterInfo(p).name;
}

TEST(DriverSolver, DisplayTogglesChooseWhatThreeFieldsShow) {
    SolverInput in = referenceDriver();
    setEntered(in, Param::Hc, "12");
    setEntered(in, Param::Hg, "6");
    in.toggles = {true, true, true};
    const SolverResult r = solveDriverParameters({}, in);
    auto texts = writtenTexts(r);
    EXPECT_EQ(texts[Param::Vas], "6.631");
    EXPECT_EQ(texts[Param::Bl], formatRounded(r.params.value(Param::Mpow), 2, {'.'}));
    EXPECT_EQ(texts[Param::Gloss], formatRounded(r.params.value(Param::Glossmm), 2, {'.'}));
    SolverInput plain = in;
    plain.toggles = {};
    EXPECT_EQ(r.params.values, solveDriverParameters({}, plain).params.values)
        << "toggles change what is shown, never what is stored";
}

TEST(DriverSolver, VoiceCoilTravel) {
    for (auto [hc, hg] : {std::pair{"12", "6"}, std::pair{"6", "12"}}) {
        SolverInput in = referenceDriver();
        setEntered(in, Param::Hc, hc);
        setEntered(in, Param::Hg, hg);
        EXPECT_EQ(writtenTexts(solveDriverParameters({}, in))[Param::Xmax], "3");
    }
    SolverInput equal = referenceDriver();
    setEntered(equal, Param::Hc, "8");
    setEntered(equal, Param::Hg, "8");
    const SolverResult r = solveDriverParameters({}, equal);
    auto texts = writtenTexts(r);
    EXPECT_EQ(texts[Param::Xmax], "0");
    EXPECT_EQ(texts[Param::Vd], "0");
    EXPECT_EQ(texts[Param::Gloss], "0");
    EXPECT_GT(r.params.value(Param::Glossmm), 0.0);  // follows from Mms and Cms alone
}

TEST(DriverSolver, PowerHandlingOnlyFeedsSplMax) {
    SolverInput in = referenceDriver();
    setEntered(in, Param::Pe, "100");
    auto texts = writtenTexts(solveDriverParameters({}, in));
    EXPECT_EQ(texts[Param::SPLmax], "110.49");  // 10*log10(100) + 93.49... - 3
}

TEST(DriverSolver, AreaMode) {
    SolverInput in = inputWith({{Param::Sd, "176.71"}});
    in.mode = DiaphragmEntryMode::Area;
    const SolverResult r = solveDriverParameters({}, in);
    EXPECT_EQ(writtenTexts(r)[Param::Dd], "150");
    EXPECT_EQ(r.writes[1].field, Param::Dd);

    SolverInput none = referenceDriver();
    none.mode = DiaphragmEntryMode::Area;
    setEntered(none, Param::Sd, "0");
    const SolverResult z = solveDriverParameters({}, none);
    auto texts = writtenTexts(z);
    for (Param p : {Param::Dd, Param::Mair, Param::f4pi, Param::f2pi, Param::fmax, Param::Mmd,
                    Param::Vas, Param::eta0, Param::SPL})
        EXPECT_EQ(texts[p], "0") << parameterInfo(p).name;
    EXPECT_NE(texts[Param::Cms], "0");
    EXPECT_FALSE(z.actions.addedResistanceInputEnabled);
}

TEST(DriverSolver, LightConeWithLargeDiameterHasNoMmd) {
    SolverInput in = referenceDriver();
    setEntered(in, Param::Mms, "5");  // Mair of a 260 mm cone is 7.03 g
    auto texts = writtenTexts(solveDriverParameters({}, in));
    EXPECT_EQ(texts[Param::Mmd], "0");
    EXPECT_NE(texts[Param::Vas], "0");
}

TEST(DriverSolver, EmptyFieldsAreRefilledInOrder) {
    SolverInput in = referenceDriver();
    setEntered(in, Param::Sd, "");
    setEntered(in, Param::Qms, "");
    setEntered(in, Param::Le, "");
    const SolverResult r = solveDriverParameters({}, in);
    EXPECT_EQ(r.refilledFields, (std::vector<Param>{Param::Qms, Param::Le, Param::Sd}));
    EXPECT_FALSE(r.abandoned);
    EXPECT_EQ(r.params.value(Param::Qms), 0.0);
    EXPECT_EQ(writtenTexts(r)[Param::Qts], "0");
}

TEST(DriverSolver, UnparsableTextAbandonsThePassAndKeepsEarlierTexts) {
    const SolverResult good = solveDriverParameters({}, referenceDriver());
    SolverInput in = referenceDriver();
    setEntered(in, Param::Qms, "9");
    setEntered(in, Param::Mms, "6.0.");
    const SolverResult r = solveDriverParameters(good.params, in);
    EXPECT_TRUE(r.abandoned);
    EXPECT_TRUE(r.writes.empty());
    EXPECT_EQ(r.params.value(Param::Qms), 9.0);   // parsed before the bad field
    EXPECT_EQ(r.params.value(Param::Mms), 60.0);  // kept from the previous pass
    EXPECT_EQ(r.params.value(Param::Qts), good.params.value(Param::Qts));
    EXPECT_TRUE(r.actions.clearAllEnabled);  // availability still decided
}

TEST(DriverSolver, AbsurdInputsNeverProduceInfOrNan) {
    const std::string huge = "1" + std::string(308, '0');
    for (std::size_t field = 0; field < kEnteredCount; ++field) {
        SolverInput in = referenceDriver();
        in.enteredTexts[field] = huge;
        const SolverResult r = solveDriverParameters({}, in);
        for (const FieldWrite& w : r.writes) {
            EXPECT_EQ(w.text.find("inf"), std::string::npos) << w.text;
            EXPECT_EQ(w.text.find("nan"), std::string::npos) << w.text;
        }
        for (double v : r.params.values) EXPECT_TRUE(std::isfinite(v));
        for (double v : r.params.displayValues) EXPECT_TRUE(std::isfinite(v));
    }
    SolverInput both = referenceDriver();
    setEntered(both, Param::Qms, huge);
    setEntered(both, Param::Qes, huge);
    const SolverResult r = solveDriverParameters({}, both);
    EXPECT_TRUE(r.arithmeticFault);
    EXPECT_TRUE(r.writes.empty());  // Qts, the first line, already overflows
    EXPECT_TRUE(r.actions.clearAllEnabled);
}

TEST(DriverSolver, ActionAvailability) {
    SolverInput empty = inputWith({});
    EXPECT_FALSE(solveDriverParameters({}, empty).actions.clearAllEnabled);
    empty.name = "x";
    EXPECT_TRUE(solveDriverParameters({}, empty).actions.clearAllEnabled);

    SolverInput in = referenceDriver();
    ActionAvailability a = solveDriverParameters({}, in).actions;
    EXPECT_TRUE(a.addedResistanceInputEnabled);
    EXPECT_TRUE(a.addedMassAndShiftInputsEnabled);
    EXPECT_FALSE(a.driverComplete);
    EXPECT_EQ(a.save, ControlState::Disabled);
    EXPECT_EQ(a.load, ControlState::Disabled);

    in.name = "Maker One 10W";
    a = solveDriverParameters({}, in).actions;
    EXPECT_TRUE(a.driverComplete);
    EXPECT_EQ(a.save, ControlState::Enabled);
    EXPECT_EQ(a.load, ControlState::Enabled);

    in.listPage = DriverListPage::RecentlyOpened;
    a = solveDriverParameters({}, in).actions;
    EXPECT_EQ(a.save, ControlState::Unchanged);
    EXPECT_EQ(a.load, ControlState::Enabled);

    in.listPage = DriverListPage::Memory;
    in.selectedMemoryRow = 2;
    in.selectedMemoryRowText = "3: empty";
    EXPECT_EQ(solveDriverParameters({}, in).actions.load, ControlState::Disabled);
    in.selectedMemoryRowText = "3: Maker One 10W";
    EXPECT_EQ(solveDriverParameters({}, in).actions.load, ControlState::Enabled);
    in.selectedMemoryRowText = "4: empty";  // not this row's free text
    EXPECT_EQ(solveDriverParameters({}, in).actions.load, ControlState::Enabled);

    setEntered(in, Param::Qms, "0");  // Radd needs no Qms
    a = solveDriverParameters({}, in).actions;
    EXPECT_TRUE(a.addedResistanceInputEnabled);
    EXPECT_FALSE(a.addedMassAndShiftInputsEnabled);
    EXPECT_FALSE(a.driverComplete);
}

TEST(DriverSolver, IsIdempotent) {
    SolverInput in = referenceDriver();
    in.name = "A";
    const SolverResult first = solveDriverParameters({}, in);
    const std::string sdText = writtenTexts(first)[Param::Sd];
    setEntered(in, Param::Sd, sdText);  // the page holds the written Sd
    const SolverResult second = solveDriverParameters(first.params, in);
    EXPECT_EQ(writtenTexts(first), writtenTexts(second));
    EXPECT_EQ(first.params.values, second.params.values);
}

}  // namespace
}  // namespace sublumo
