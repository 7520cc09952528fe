#include "driver_files.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace sublumo::database {
namespace {

constexpr NumberFormat kDot{'.'};
constexpr NumberFormat kComma{','};

using Values = std::array<std::string, 11>;

struct RoundTripRow {
    const char* name;
    DriverRecord record;
    NumberFormat format;
};

class DriverFileRoundTrip : public ::testing::TestWithParam<RoundTripRow> {};

TEST_P(DriverFileRoundTrip, WrittenAndReadAgainGivesTheSameTexts) {
    const RoundTripRow& row = GetParam();
    const DriverFileRead read = readDriverFile(writeDriverFile(row.record), row.format);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_EQ(read.record, row.record);
}

INSTANTIATE_TEST_SUITE_P(
    Records, DriverFileRoundTrip,
    ::testing::Values(
        RoundTripRow{"Full",
                     {"Maker One 10W", Values{"2.5", "0.35", "30", "60", "260", "5.6", "12", "6",
                                              "150", "1.2", "https://example.com/one"}},
                     kDot},
        RoundTripRow{"CommaLocale",
                     {"Maker Two 6.5", Values{"4,1", "0,42", "45,5", "25,4", "130,75", "3,2", "8,5",
                                              "5", "80", "0,45", "https://"}},
                     kComma},
        RoundTripRow{
            "OneWordNameAndNoOptionalValues",
            {"Woofer", Values{"3", "0.5", "25", "100", "300", "7", "", "", "", "", "https://"}},
            kDot},
        RoundTripRow{"HcWithoutHg",
                     {"Maker Three",
                      Values{"3", "0.5", "25", "100", "300", "7", "10", "", "", "", "https://"}},
                     kDot},
        // The page shows no Xmax for this pair, so the file carries none to derive from.
        RoundTripRow{"HcWithZeroHg",
                     {"Maker Four",
                      Values{"3", "0.5", "25", "100", "300", "7", "10", "0", "", "", "https://"}},
                     kDot}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DriverFileWriter, WritesSiUnitsWithADecimalPoint) {
    const DriverRecord record{"Maker Two 6.5", Values{"4,1", "0,42", "45,5", "25,4", "100", "3,2",
                                                      "8", "5", "80", "0,45", "https://x"}};
    const std::string file = writeDriverFile(record);
    for (const char* line :
         {"[Driver]\r\n", "Brand=Maker\r\n", "Model=Two 6.5\r\n", "Qms=4.1\r\n", "Fs=45.5\r\n",
          "Mms=0.0254\r\n", "Sd=0.00785398\r\n", "Le=0.00045\r\n", "Hc=0.008\r\n",
          "Hg=0.005\r\n", "Xmax=0.0015\r\n", "URL=https://x\r\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line;
}

struct ReadRow {
    const char* name;
    const char* file;
    const char* fileName;  // as the import passes it
    bool ok;
    DriverRecord record;  // when ok
    bool heightsDerived;
    const char* reason;  // when not
};

class DriverFileReader : public ::testing::TestWithParam<ReadRow> {};

TEST_P(DriverFileReader, ConvertsOrSaysWhy) {
    const ReadRow& row = GetParam();
    const DriverFileRead read = readDriverFile(row.file, kDot, row.fileName);
    EXPECT_EQ(read.ok, row.ok);
    if (row.ok) {
        EXPECT_EQ(read.record, row.record);
        EXPECT_EQ(read.heightsDerived, row.heightsDerived);
    } else {
        EXPECT_EQ(read.reason, row.reason);
    }
}

#define BASE "Qms=2\nQes=0.4\nFs=30\nMms=0.05\nSd=0.0314159265358979\nRe=6\n"

using V = Values;
INSTANTIATE_TEST_SUITE_P(
    Files, DriverFileReader,
    ::testing::Values(
        // Xmax is shown only when Hc and Hg are both above 0: a file without a usable pair
        // gets Hg = 1 mm and Hc = Hg + 2·Xmax.
        ReadRow{
            "XmaxAloneGivesHcAndHg",
            "[Driver]\nBrand=Acme\nModel=W8\n" BASE "Xmax=0.004\nPe=60\nLe=0.0008\n",
            "",
            true,
            {"Acme W8", V{"2", "0.4", "30", "50", "200", "6", "9", "1", "60", "0.8", "https://"}},
            true,
            ""},
        ReadRow{"ZeroHcAndHgBesideXmax",
                "[Driver]\nBrand=Acme\nModel=W8\n" BASE "Hc=0\nHg=0\nXmax=0.018\n",
                "",
                true,
                {"Acme W8", V{"2", "0.4", "30", "50", "200", "6", "37", "1", "", "", "https://"}},
                true,
                ""},
        ReadRow{"OneZeroHeightBesideXmax",
                "[Driver]\nBrand=Acme\nModel=W8\n" BASE "Hc=0.012\nHg=0\nXmax=0.00423\n",
                "",
                true,
                {"Acme W8", V{"2", "0.4", "30", "50", "200", "6", "9.46", "1", "", "", "https://"}},
                true,
                ""},
        ReadRow{"ZeroHeightsWithoutXmaxStayAsTheyAre",
                "[Driver]\nBrand=Acme\nModel=W8\n" BASE "Hc=0\nHg=0\nXmax=0\n",
                "",
                true,
                {"Acme W8", V{"2", "0.4", "30", "50", "200", "6", "0", "0", "", "", "https://"}},
                false,
                ""},
        ReadRow{"HcAndHgWinOverXmax",
                "[Driver]\nBrand=Acme\nModel=W8\n" BASE "Hc=0.01\nHg=0.006\nXmax=0.9\n",
                "",
                true,
                {"Acme W8", V{"2", "0.4", "30", "50", "200", "6", "10", "6", "", "", "https://"}},
                false,
                ""},
        ReadRow{"DecimalCommasAndOtherCase",
                "[driver]\nBRAND=Acme\nmodel=W8\nqms=2\nQES=0,4\nfs=30\nmms=0,05\n"
                "sd=0,0314159265358979\nre=6\nURL=https://acme.example\nBL=7.5\n",
                "",
                true,
                {"Acme W8",
                 V{"2", "0.4", "30", "50", "200", "6", "", "", "", "", "https://acme.example"}},
                false,
                ""},
        ReadRow{"ModelOnlyAndBrackets",
                "[Driver]\nModel=[W8]\n" BASE,
                "other.wdr",
                true,
                {"(W8)", V{"2", "0.4", "30", "50", "200", "6", "", "", "", "", "https://"}},
                false,
                ""},
        ReadRow{"NoNameTakesTheFileName",
                "[Driver]\nBrand=\n" BASE,
                "drivers/Acme [W8].v2.wdr",
                true,
                {"Acme (W8).v2", V{"2", "0.4", "30", "50", "200", "6", "", "", "", "", "https://"}},
                false,
                ""},
        ReadRow{"NoQes",
                "[Driver]\nBrand=Acme\nModel=W8\nQms=2\nFs=30\nMms=1\nSd=1\nRe=6\n",
                "w8.wdr",
                false,
                {},
                false,
                "no Qes"},
        ReadRow{"UnusableSd",
                "[Driver]\nBrand=Acme\nQms=2\nQes=1\nFs=30\nMms=1\nSd=big\nRe=6\n",
                "",
                false,
                {},
                false,
                "no usable Sd"},
        ReadRow{"ZeroRe",
                "[Driver]\nBrand=Acme\nQms=2\nQes=1\nFs=30\nMms=1\nSd=1\nRe=0\n",
                "",
                false,
                {},
                false,
                "no usable Re"},
        ReadRow{"NoNameNorFileName", "[Driver]\n" BASE, "", false, {}, false, "no Brand or Model"},
        ReadRow{"NoNameAndAnEmptyStem",
                "[Driver]\n" BASE,
                ".wdr",
                false,
                {},
                false,
                "no Brand or Model"},
        ReadRow{"NoNameStillNeedsQes",
                "[Driver]\nQms=2\nFs=30\nMms=1\nSd=1\nRe=6\n",
                "w8.wdr",
                false,
                {},
                false,
                "no Qes"},
        ReadRow{"NoSection", "Brand=Acme\n" BASE, "", false, {}, false, "no [Driver] section"}),
    [](const auto& row) { return std::string(row.param.name); });

struct XmaxRow {
    const char* name;
    const char* heights;  // the lines beside Xmax
    const char* xmax;
    NumberFormat format;
};

class DerivedHeights : public ::testing::TestWithParam<XmaxRow> {};

TEST_P(DerivedHeights, WritingTheDriverOutGivesTheFilesXmaxBack) {
    const XmaxRow& row = GetParam();
    const std::string file = std::string("[Driver]\nBrand=Acme\nModel=W8\n") + BASE + row.heights +
                             "Xmax=" + row.xmax + "\n";
    const DriverFileRead read = readDriverFile(file, row.format);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_TRUE(read.heightsDerived);
    const std::string written = writeDriverFile(read.record);
    EXPECT_NE(written.find("\r\nXmax=" + std::string(row.xmax) + "\r\n"), std::string::npos)
        << written;
    // Both heights above 0, so the page shows that Xmax too.
    const DriverFileRead again = readDriverFile(written, row.format);
    EXPECT_FALSE(again.heightsDerived);
    EXPECT_EQ(again.record, read.record);
}

INSTANTIATE_TEST_SUITE_P(Files, DerivedHeights,
                         ::testing::Values(XmaxRow{"NoHeights", "", "0.018", kDot},
                                           XmaxRow{"ZeroHeights", "Hc=0\nHg=0\n", "0.00423", kDot},
                                           XmaxRow{"CommaLocale", "Hc=0\nHg=0\n", "0.0127", kComma},
                                           XmaxRow{"HgOnly", "Hg=0.006\n", "0.0035", kComma},
                                           XmaxRow{"Tiny", "", "0.0001", kDot},
                                           XmaxRow{"Long", "Hc=0\n", "0.0283", kDot}),
                         [](const auto& row) { return std::string(row.param.name); });

// Fifty files of every kind the community shares, with what each should become.
struct Generated {
    std::vector<DriverFileInput> files;
    std::vector<std::string> existing;
    ImportCounts expected;
    int collisions = 0;
};

Generated generateFolder(bool replaceCollisions) {
    Generated g;
    g.existing = {"Brand 3 Model 3", "brand 9 model 9"};
    for (int i = 0; i < 50; ++i) {
        const bool comma = i % 4 == 1;
        const auto number = [&](std::string text) {
            if (comma)
                std::replace(text.begin(), text.end(), '.', ',');
            return text;
        };
        const bool noQes = i % 10 == 7;
        const bool noSection = i == 13 || i == 27;
        const bool noName = i == 41;  // named after its file
        std::string name =
            i % 5 == 2 ? "Bränd [" + std::to_string(i) + "]" : "Brand " + std::to_string(i);
        std::string file = noSection ? "[Speaker]\n" : "[Driver]\n";
        if (!noName)
            file += "Brand=  " + name + "  \nModel=Model " + std::to_string(i) + "\n";
        file += "Qms=" + number("3.25") + "\nFs=" + number(std::to_string(20 + i) + ".5") +
                "\nMms=" + number("0.0421") + "\nSd=" + number("0.0215") + "\nRe=6.1\n";
        if (!noQes)
            file += "Qes=" + number("0.41") + "\n";
        if (i % 3 == 0)
            file += "Xmax=" + number("0.005") + "\n";
        if (i == 15 || i == 16)  // the same driver twice in one folder
            file = "[Driver]\nBrand=Twin\nModel=T\nQms=1\nQes=1\nFs=1\nMms=1\nSd=1\nRe=1\n";
        g.files.push_back({"driver_" + std::to_string(i) + ".wdr", file});

        const bool collides = i == 3 || i == 9 || i == 16;
        if (noQes || noSection)
            ++g.expected.skipped;
        else if (collides && replaceCollisions)
            ++g.expected.replaced;
        else if (collides)
            ++g.expected.skipped;
        else
            ++g.expected.imported;
        g.collisions += (collides && !(noQes || noSection)) ? 1 : 0;
    }
    return g;
}

class FolderImport : public ::testing::TestWithParam<CollisionChoice> {};

TEST_P(FolderImport, FiftyVariedFilesImportWithTheRightCounts) {
    const bool replace = GetParam() == CollisionChoice::Replace;
    const Generated g = generateFolder(replace);
    int asked = 0;
    const auto items = planImport(g.files, g.existing, kComma, [&](const std::string&) {
        ++asked;
        return GetParam();
    });
    const ImportCounts counts = countImport(items);
    EXPECT_EQ(counts.imported, g.expected.imported);
    EXPECT_EQ(counts.replaced, g.expected.replaced);
    EXPECT_EQ(counts.skipped, g.expected.skipped);
    EXPECT_EQ(asked, g.collisions);

    testing::TempDir dir;
    DriverDatabase database;
    database.openDatabase(dir.file("sublumo_tsp.ini"));
    for (const std::string& name : g.existing) database.writeValue(name, "Qms", "1");
    ASSERT_TRUE(applyImport(database, items));
    DriverDatabase reopened;
    reopened.openDatabase(dir.file("sublumo_tsp.ini"));
    EXPECT_EQ(reopened.recordCount(), g.existing.size() + counts.imported);
    EXPECT_EQ(reopened.readValue("Brand 3 Model 3", "Qes"), replace ? "0,41" : "");
    EXPECT_EQ(reopened.readValue("Bränd (2) Model 2", "Qms"), "3,25");
    EXPECT_EQ(reopened.readValue("driver_41", "Qms"), "3,25");
}

INSTANTIATE_TEST_SUITE_P(Answers, FolderImport,
                         ::testing::Values(CollisionChoice::Replace, CollisionChoice::Skip));

struct AnswerRow {
    const char* name;
    std::vector<CollisionChoice> answers;  // in the order asked
    std::vector<ImportAction> actions;     // of the four colliding files
};

class CollisionAnswers : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(CollisionAnswers, AnAllAnswerHoldsForTheRest) {
    const std::string file = "[Driver]\nBrand=Acme\nModel=W8\n" BASE;
    const std::vector<DriverFileInput> files(4, DriverFileInput{"w8.wdr", file});
    const std::vector<std::string> existing = {"ACME W8"};
    std::size_t asked = 0;
    const auto items = planImport(files, existing, kDot, [&](const std::string& name) {
        EXPECT_EQ(name, "Acme W8");
        return GetParam().answers.at(asked++);
    });
    EXPECT_EQ(asked, GetParam().answers.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].action, GetParam().actions[i]) << i;
}

using A = ImportAction;
using C = CollisionChoice;
INSTANTIATE_TEST_SUITE_P(
    Sequences, CollisionAnswers,
    ::testing::Values(AnswerRow{"OneByOne",
                                {C::Replace, C::Skip, C::Skip, C::Replace},
                                {A::Replace, A::Skip, A::Skip, A::Replace}},
                      AnswerRow{"ReplaceAll",
                                {C::Skip, C::ReplaceAll},
                                {A::Skip, A::Replace, A::Replace, A::Replace}},
                      AnswerRow{"SkipAll", {C::SkipAll}, {A::Skip, A::Skip, A::Skip, A::Skip}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ImportSummary, CountsAndEachSkippedFileWithItsReason) {
    const std::vector<DriverFileInput> files = {{"good.wdr", "[Driver]\nBrand=A\nModel=1\n" BASE},
                                                {"bad.wdr", "[Driver]\nBrand=A\nModel=2\nQms=1\n"},
                                                {"again.wdr", "[Driver]\nBrand=B\nModel=1\n" BASE}};
    const std::vector<std::string> existing = {"B 1"};
    const auto items = planImport(files, existing, kDot, {});
    EXPECT_EQ(importSummary(items),
              "Imported: 1, replaced: 0, skipped: 2.\nbad.wdr: no Qes\nagain.wdr: the name exists");
}

TEST(ImportSummary, SaysForHowManyImportedDriversHcAndHgWereDerived) {
    const std::string withXmax = BASE "Hc=0\nHg=0\nXmax=0.005\n";
    std::vector<DriverFileInput> files = {{"a.wdr", "[Driver]\nBrand=A\nModel=1\n" + withXmax},
                                          {"b.wdr", "[Driver]\nBrand=B\nModel=1\n" + withXmax},
                                          {"c.wdr", "[Driver]\nBrand=C\nModel=1\n" BASE}};
    const std::vector<std::string> existing = {"B 1"};
    // The skipped file does not count.
    EXPECT_EQ(importSummary(planImport(files, existing, kDot, {})),
              "Imported: 2, replaced: 0, skipped: 1.\n"
              "Hc and Hg were derived from Xmax for 1 driver (Hg = 1 mm, Hc = Hg + 2·Xmax).\n"
              "b.wdr: the name exists");
    const auto replaced =
        planImport(files, existing, kDot, [](const std::string&) { return C::Replace; });
    EXPECT_EQ(importSummary(replaced),
              "Imported: 2, replaced: 1, skipped: 0.\n"
              "Hc and Hg were derived from Xmax for 2 drivers (Hg = 1 mm, Hc = Hg + 2·Xmax).");
}

TEST(ImportApply, AReplacedRecordLosesItsOldKeys) {
    testing::TempDir dir;
    DriverDatabase database;
    database.openDatabase(dir.file("sublumo_tsp.ini"));
    database.writeValue("Acme W8", "Extra", "old");
    const std::vector<DriverFileInput> files = {
        {"w8.wdr", "[Driver]\nBrand=Acme\nModel=W8\n" BASE}};
    const std::vector<std::string> existing = database.recordNames();
    const auto items =
        planImport(files, existing, kDot, [](const std::string&) { return C::Replace; });
    ASSERT_TRUE(applyImport(database, items));
    EXPECT_EQ(database.keysOf("Acme W8").size(), recordKeys.size());
    EXPECT_EQ(database.readValue("Acme W8", "Dd"), "200");
}

TEST(DriverFileName, ReplacesWhatNoFileNameHolds) {
    EXPECT_EQ(driverFileName("Acme 8/4 \"Pro\""), "Acme 8_4 _Pro_.wdr");
    EXPECT_EQ(driverFileName(".."), "driver.wdr");
}

}  // namespace
}  // namespace sublumo::database
