#include "curve_files.h"

#include <cmath>

#include <gtest/gtest.h>

namespace sublumo::database {
namespace {

const CurveFileHeader kHeader{"Sublumo 3.04", "Closed box 40 l", "1 driver, 2.83 V, 1 m"};

NamedCurve sweep(std::string name, bool withPhase, double level) {
    NamedCurve curve{std::move(name), {}, {}, {}};
    for (double f = 10; f <= 20000; f *= 1.0471285480508996) {  // 1/48 octave
        curve.frequency.push_back(f);
        curve.value.push_back(level + 10 * std::sin(f / 300.0));
        if (withPhase)
            curve.phase.push_back(180 * std::cos(f / 500.0));
    }
    return curve;
}

struct RoundTripRow {
    const char* name;
    NamedCurve curve;
    CurveKind kind;
};

class CurveRoundTrip : public ::testing::TestWithParam<RoundTripRow> {};

TEST_P(CurveRoundTrip, ReadsBackWithinThePrintedPrecision) {
    const RoundTripRow& row = GetParam();
    const std::string file = writeCurveFile(row.curve, kHeader, row.kind);
    const CurveReadResult read = readCurveFile(file);
    ASSERT_TRUE(read.error.empty()) << read.error;
    ASSERT_EQ(read.points.size(), row.curve.frequency.size());
    EXPECT_EQ(read.hasPhase, !row.curve.phase.empty());
    const double fStep = 0.5 * std::pow(10.0, -kFrequencyDecimals) * 1.000001;
    const double vStep = 0.5 * std::pow(10.0, -kValueDecimals) * 1.000001;
    const double pStep = 0.5 * std::pow(10.0, -kPhaseDecimals) * 1.000001;
    for (std::size_t i = 0; i < read.points.size(); ++i) {
        EXPECT_NEAR(read.points[i].frequency, row.curve.frequency[i], fStep);
        EXPECT_NEAR(read.points[i].value, row.curve.value[i], vStep);
        if (read.hasPhase) {
            EXPECT_NEAR(*read.points[i].phase, row.curve.phase[i], pStep);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Curves, CurveRoundTrip,
                         ::testing::Values(RoundTripRow{"ResponseWithPhase", sweep("SPL", true, 88),
                                                        CurveKind::Response},
                                           RoundTripRow{"ImpedanceWithPhase", sweep("Z", true, 20),
                                                        CurveKind::Impedance},
                                           RoundTripRow{"WithoutPhase", sweep("SPL", false, -3),
                                                        CurveKind::Response}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CurveFileWriter, CommentLinesFirstThenAscendingFrequenciesWithADecimalPoint) {
    NamedCurve curve{"Vented 2 ports",
                     {100, 50, 50, 0, 200, 300},
                     {1.5, 2.25, 9, 4, NAN, 3.125},
                     {10, -20.5, 0, 0, 0, 1}};
    const std::string file = writeCurveFile(curve, kHeader, CurveKind::Impedance);
    const std::string expected =
        "* Sublumo 3.04\n* Closed box 40 l\n* 1 driver, 2.83 V, 1 m\n* Vented 2 ports\n"
        "* Frequency [Hz]  Impedance [Ohm]  Phase [deg]\n"
        "50 2.25 -20.5\n100 1.5 10\n300 3.125 1\n";
    EXPECT_EQ(file, expected);
}

TEST(CurveFileWriter, HugeValuesAreWrittenInFullAndReadBack) {
    const NamedCurve curve{"far out", {20, 40}, {-5e73, 1e300}, {}};
    const CurveReadResult read = readCurveFile(writeCurveFile(curve, kHeader, CurveKind::Response));
    ASSERT_EQ(read.points.size(), 2U);
    EXPECT_EQ(read.skippedLines, 0);
    EXPECT_DOUBLE_EQ(read.points[0].value, -5e73);
    EXPECT_DOUBLE_EQ(read.points[1].value, 1e300);
}

TEST(CurveFileWriter, CsvHasAFrequencyColumnAndOneNamedColumnPerCurve) {
    const std::vector<NamedCurve> curves = {{"Closed, 40 l", {20, 40}, {80, 85.5}, {}},
                                            {"Vented \"A\"", {40, 60}, {90, 91}, {}}};
    EXPECT_EQ(writeCurvesCsv(curves),
              "Frequency [Hz],\"Closed, 40 l\",\"Vented \"\"A\"\"\"\n"
              "20,80,\n40,85.5,90\n60,,91\n");
}

struct ReadRow {
    const char* name;
    const char* text;
    std::vector<CurvePoint> points;
    bool hasPhase;
};

class TolerantCurveReader : public ::testing::TestWithParam<ReadRow> {};

TEST_P(TolerantCurveReader, ReadsThePoints) {
    const ReadRow& row = GetParam();
    const CurveReadResult read = readCurveFile(row.text);
    EXPECT_TRUE(read.error.empty()) << read.error;
    ASSERT_EQ(read.points.size(), row.points.size());
    for (std::size_t i = 0; i < row.points.size(); ++i) {
        EXPECT_DOUBLE_EQ(read.points[i].frequency, row.points[i].frequency) << i;
        EXPECT_DOUBLE_EQ(read.points[i].value, row.points[i].value) << i;
        EXPECT_EQ(read.points[i].phase, row.points[i].phase) << i;
    }
    EXPECT_EQ(read.hasPhase, row.hasPhase);
}

const std::vector<CurvePoint> kTwo = {{20.5, 80.25, -10}, {40, 82, 5}};
const std::vector<CurvePoint> kTwoNoPhase = {{20.5, 80.25, {}}, {40, 82, {}}};

INSTANTIATE_TEST_SUITE_P(
    Formats, TolerantCurveReader,
    ::testing::Values(
        ReadRow{"Blanks", "20.5 80.25 -10\n40 82 5\n", kTwo, true},
        ReadRow{"Commas", "20.5,80.25,-10\n40,82,5\n", kTwo, true},
        ReadRow{"CommaAndBlank", "20.5, 80.25, -10\n40, 82, 5\n", kTwo, true},
        ReadRow{"Tabs", "20.5\t80.25\t-10\r\n40\t82\t5\r\n", kTwo, true},
        ReadRow{"SemicolonsAndDecimalCommas", "20,5;80,25;-10\n40;82;5\n", kTwo, true},
        ReadRow{"BlanksAndDecimalCommas", "20,5  80,25  -10\n40 82 5\n", kTwo, true},
        ReadRow{"Exponents", "2.05E+01 8.025e1 -1E1\n+4e1 82 5\n", kTwo, true},
        ReadRow{"QuotedCsv", "\"20.5\",\"80.25\",\"-10\"\n\"40\",\"82\",\"5\"\n", kTwo, true},
        ReadRow{"CommentsAndAHeading",
                "* measured\n# again\n; and\n' more\n\nFreq(Hz) SPL(dB) Phase(deg)\n"
                "20.5 80.25 -10\n40 82 5\n",
                kTwo, true},
        ReadRow{"NoPhaseColumn", "20.5 80.25\n40 82\n", kTwoNoPhase, false},
        ReadRow{"ExtraColumnsIgnored", "20.5 80.25 -10 7 7\n40 82 5 1\n", kTwo, true},
        ReadRow{"OldMacLineEnds", "20.5 80.25 -10\r40 82 5\r", kTwo, true},
        ReadRow{"DescendingAndDuplicated", "40 82 5\n20.5 80.25 -10\n40 1 1\n", kTwo, true},
        ReadRow{"BadLineAfterDataIsSkipped", "20.5 80.25 -10\nnoise here\n40 82 5\n", kTwo, true}),
    [](const auto& row) { return std::string(row.param.name); });

struct ErrorRow {
    const char* name;
    const char* text;
    const char* error;
};

class CurveReaderErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(CurveReaderErrors, SayWhichLineAndWhy) {
    const CurveReadResult read = readCurveFile(GetParam().text);
    EXPECT_TRUE(read.points.empty());
    EXPECT_EQ(read.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    NoUsablePoints, CurveReaderErrors,
    ::testing::Values(
        ErrorRow{"Empty", "", "no line holds a frequency and a value"},
        ErrorRow{"OnlyComments", "* a\n* b\n", "no line holds a frequency and a value"},
        ErrorRow{"OnlyText", "abc\n", "line 1: 'abc' is not a number"},
        ErrorRow{"BadValue", "* 1\n* 2\n* 3\n* 4\n* 5\nFreq SPL\n20 abc 3\n",
                 "line 7: 'abc' is not a number"},
        ErrorRow{"FrequencyAlone", "20\n", "line 1: a frequency without a value"},
        ErrorRow{"NegativeFrequency", "-20 3\n", "line 1: the frequency '-20' is not above 0"},
        ErrorRow{"NotFinite", "20 inf\n", "line 1: 'inf' is not a number"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace sublumo::database

namespace sublumo::database {
namespace {

TEST(CurveFilePaths, OneCurveKeepsThePathAndMoreGetOneFileEachBesideIt) {
    const std::vector<NamedCurve> one = {{"current design", {}, {}, {}}};
    EXPECT_EQ(curveFilePaths("/m/box.frd", one), std::vector<std::string>{"/m/box.frd"});
    const std::vector<NamedCurve> three = {
        {"current design", {}, {}, {}}, {"memory 2", {}, {}, {}}, {"a/b: \"x\"", {}, {}, {}}};
    EXPECT_EQ(curveFilePaths("/m.d/box.frd", three),
              (std::vector<std::string>{"/m.d/box - current design.frd",
                                        "/m.d/box - memory 2.frd", "/m.d/box - a_b_ _x_.frd"}));
    EXPECT_EQ(curveFilePaths("/m.d/box", three)[1], "/m.d/box - memory 2");
}

}  // namespace
}  // namespace sublumo::database
