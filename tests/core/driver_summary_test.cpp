#include "driver_summary.h"

#include <gtest/gtest.h>

#include "driver_solver.h"

namespace sublumo {
namespace {

DriverParameters referenceDriver(std::string name, DisplayToggles toggles = {}) {
    SolverInput in;
    in.enteredTexts = {"2.5", "0.35", "30", "60", "260", "0", "5.6", "12", "6", "150", "1.2"};
    in.name = std::move(name);
    in.toggles = toggles;
    return solveDriverParameters({}, in).params;
}

TEST(DriverSummary, PlainFormCarriesNoTags) {
    const auto lines = buildDriverSummary(referenceDriver("Maker One 10W"), "260",
                                          {SummaryForm::Plain, true}, {'.'});
    EXPECT_EQ(lines[0], "Maker One 10W");  // the colour mark has no effect in plain text
    EXPECT_EQ(lines[1],
              "Qms=2.5; Qes=0.35; Qts=0.307; fs=30 Hz; Mms=60 g; Cms=0.469 mm/N; Rms=4.52 kg/s");
    EXPECT_EQ(lines[2],
              "Dd=260 mm; Sd=530.93 cm^2; Vas=187.77 l; Re=5.6 Ohm; Bl=13.45 N/A; Rme=32.31 kg/s");
    EXPECT_EQ(lines[3], "SPL=93.49 dB/W/m; Hc=12 mm; Hg=6 mm; Xmax=3 mm; Pe=150 W; Le=1.2 mH");
}

TEST(DriverSummary, TaggedForms) {
    const DriverParameters driver = referenceDriver("X");
    const auto forum = buildDriverSummary(driver, "260", {SummaryForm::ForumTags, false}, {'.'});
    EXPECT_EQ(forum[0], "[b]X[/b]");
    EXPECT_EQ(forum[1],
              "Qms=2.5; Qes=0.35; [b]Qts[/b]=0.307; [b]fs[/b]=30 Hz; [b]Mms[/b]=60 g; "
              "Cms=0.469 mm/N; Rms=4.52 kg/s");
    const auto html = buildDriverSummary(driver, "260", {SummaryForm::HtmlTags, true}, {','});
    EXPECT_EQ(html[0], "<b><font color=red>•</font></b> <b>X</b>");
    EXPECT_EQ(html[3],
              "<b>SPL</b>=93,49 dB/W/m; Hc=12 mm; Hg=6 mm; Xmax=3 mm; Pe=150 W; Le=1,2 mH");
}

TEST(DriverSummary, ColourMarkWithEmptyName) {
    const auto lines =
        buildDriverSummary(referenceDriver(""), "260", {SummaryForm::ForumTags, true}, {'.'});
    EXPECT_EQ(lines[0], "[b][color=red]•[/color][/b] [b][/b]");
    EXPECT_FALSE(colourMarkEnabled(SummaryForm::Plain));
    EXPECT_TRUE(colourMarkEnabled(SummaryForm::ForumTags));
    EXPECT_TRUE(colourMarkEnabled(SummaryForm::HtmlTags));
}

TEST(DriverSummary, VasAndBlIgnoreThePageToggles) {
    const DriverParameters driver = referenceDriver("X", {true, true, true});
    const auto lines = buildDriverSummary(driver, "260", {}, {'.'});
    EXPECT_NE(lines[2].find("Vas=187.77 l"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find("Bl=13.45 N/A"), std::string::npos) << lines[2];
}

TEST(DriverSummary, DiameterIsTheFieldTextAsShown) {
    const auto lines = buildDriverSummary(referenceDriver("X"), "150,01", {}, {','});
    EXPECT_TRUE(lines[2].starts_with("Dd=150,01 mm; ")) << lines[2];
}

TEST(DriverSummary, ScreenshotFileNameReplacesUnsafeCharacters) {
    EXPECT_EQ(proposedScreenshotFileName("A/B: 1"), "A_B_ 1");
    EXPECT_EQ(proposedScreenshotFileName("Maker (10\") [x] & y+z,-."), "Maker (10_) [x] & y+z,-.");
    EXPECT_EQ(proposedScreenshotFileName("Dæmon 8\\"), "D_mon 8_");  // one mark per character
    EXPECT_EQ(proposedScreenshotFileName(""), "");
}

TEST(DriverSummary, WebSearchAddress) {
    EXPECT_EQ(driverWebSearchAddress(""), "");
    EXPECT_EQ(driverWebSearchAddress("B&C 12PS100"),
              "https://www.google.com/search?q=B%26C%2012PS100");
    // A diacritic and a quotation mark reach the query as spaces; "/" is kept.
    EXPECT_EQ(driverWebSearchAddress("Séas \"A/B\""),
              "https://www.google.com/search?q=S%20as%20%20A/B%20");
}

}  // namespace
}  // namespace sublumo
