#include <QGroupBox>
#include <QPushButton>

#include "added_mass_list.h"
#include "calculator_fixture.h"
#include "diaphragm_area.h"
#include "driver_modification.h"
#include "mms_measurement.h"
#include "q_factors.h"

namespace sublumo::calculator_test {
namespace {

using namespace sublumo::tools;

using ActionsTest = CalculatorTest;

TEST_F(ActionsTest, TheDrawingCyclesThroughTheShapes) {
    auto* frame = find<QGroupBox>("diaphragmAreaFrame");
    const DiaphragmShape order[] = {DiaphragmShape::Square, DiaphragmShape::Elliptic,
                                    DiaphragmShape::Oval, DiaphragmShape::Round};
    for (DiaphragmShape shape : order) {
        find("crossA")->setFocus();
        click("areaShape");
        EXPECT_EQ(frame->title().toStdString(), surfaceAreaCaption(shape));
        EXPECT_EQ(find("areaDPrime")->isEnabled(), otherSideEnabled(shape));
        EXPECT_EQ(focusName(), "areaD");
    }
}

TEST_F(ActionsTest, TheMeasurementListAddsSelectsDeletesAndClears) {
    choose("menuQFactors");
    auto* list = find<QListWidget>("amList");
    EXPECT_FALSE(find("amDelete")->isEnabled());
    EXPECT_FALSE(find("amClear")->isEnabled());
    type("amFs", "50");
    type("amNewFs", "40");
    for (const char* madd : {"10", "12", "11"}) {
        type("amMadd", madd);
        click("amAdd");
        EXPECT_EQ(focusName(), "amNewFs");
    }
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text().toStdString(),
              entryText({"50", "40", "10", computeAddedMass({"50", "40", "10"}, kFormat).mms}));
    EXPECT_TRUE(find("amClear")->isEnabled());
    EXPECT_FALSE(find("amDelete")->isEnabled());
    EXPECT_FALSE(shown("amAverage").empty());

    // Selecting an entry puts its texts back, which recomputes Mms.
    type("amMadd", "99");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(shown("amMadd"), "10");
    EXPECT_EQ(shown("amMms"), computeAddedMass({"50", "40", "10"}, kFormat).mms);
    EXPECT_TRUE(find("amDelete")->isEnabled());

    // The Delete key on the last entry selects the new last one.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    click("amDelete");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(shown("amAverage"), "");  // one entry has no average

    click("amClear");
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(find("amDelete")->isEnabled());
    EXPECT_FALSE(find("amClear")->isEnabled());
    EXPECT_FALSE(find("amOk")->isEnabled());
}

TEST_F(ActionsTest, TheMmsLinksSwitchTheMethods) {
    choose("menuQFactors");
    click("amClosedBoxLink");
    EXPECT_TRUE(find("closedBoxPanel")->isVisible());
    EXPECT_FALSE(find("addedMassPanel")->isVisible());
    EXPECT_EQ(focusName(), "cbFs");
    click("cbAddedMassLink");
    EXPECT_TRUE(find("addedMassPanel")->isVisible());
    EXPECT_EQ(focusName(), "amFs");
}

// An "OK": the calculator's transfer reaches the driver's fields, each write running the
// solver, with the name's suffix and the focus.
struct TransferRow {
    const char* name;
    const char* item;
    std::vector<const char*> clicks;
    std::vector<std::pair<const char*, const char*>> typed;
    const char* ok;
    std::function<DriverTransfer(const CalculatorTest&, const DriverParameters&)> expected;
};

void PrintTo(const TransferRow& row, std::ostream* out) {
    *out << row.name;
}

class Transfer : public CalculatorTest, public ::testing::WithParamInterface<TransferRow> {
public:
    std::string read(const char* name) const { return shown(name); }
};

const TransferRow kTransfers[] = {
    {"SurfaceAreaSwitchesBackToDd",
     "menuDiaphragmArea",
     {"diaphragmToggle"},
     {{"areaD", "150"}, {"areaS", "12"}},
     "areaOk",
     [](const CalculatorTest& t, const DriverParameters& d) {
         return surfaceAreaTransfer(static_cast<const Transfer&>(t).read("areaDd"), d.mode);
     }},
    {"QFactors",
     "menuQFactors",
     {},
     {{"qRe", "6"}, {"qZmax", "54"}, {"qFs", "50"}, {"qF1", "40"}, {"qF2", "62.5"}},
     "qOk",
     [](const CalculatorTest&, const DriverParameters&) {
         return qFactorsTransfer(computeQFactors({"6", "54", "50", "40", "62.5"}, kFormat));
     }},
    {"AddedMassMethod",
     "menuQFactors",
     {},
     {{"amFs", "50"}, {"amNewFs", "40"}, {"amMadd", "10"}},
     "amOk",
     [](const CalculatorTest&, const DriverParameters&) {
         return addedMassTransfer(computeAddedMass({"50", "40", "10"}, kFormat).mms);
     }},
    {"ClosedBoxMethodSwitchesToSd",
     "menuQFactors",
     {"amClosedBoxLink"},
     {{"cbFs", "30"}, {"cbNewFs", "60"}, {"cbVbox", "20"}, {"cbSd", "500"}},
     "cbOk",
     [](const CalculatorTest&, const DriverParameters& d) {
         return closedBoxTransfer(
             computeClosedBox({"30", "60", "20", "500", "0", "0", "0"}, kFormat), d.mode);
     }},
    {"ResonanceShift",
     "menuResonanceShift",
     {},
     {{"shiftNewFs", "25"}},
     "shiftNewFsOk",
     [](const CalculatorTest&, const DriverParameters& d) {
         return *computeResonanceShift("25", d, kFormat).transfer;
     }},
    {"AddedResistance",
     "menuAddedResistanceMass",
     {},
     {{"raddRadd", "2"}},
     "raddRaddOk",
     [](const CalculatorTest&, const DriverParameters& d) {
         return *computeAddedResistance("2", d, kFormat).transfer;
     }},
    {"AddedMassToCone",
     "menuAddedResistanceMass",
     {},
     {{"maddMadd", "5"}},
     "maddMaddOk",
     [](const CalculatorTest&, const DriverParameters& d) {
         return *computeAddedMassToCone("5", d, kFormat).transfer;
     }},
};

TEST_P(Transfer, OkWritesTheDriversFieldsAndRunsTheSolver) {
    const TransferRow& row = GetParam();
    ui_test::typeReferenceDriver(window.get());
    type("driverNameField", "X");
    choose(row.item);
    for (const char* label : row.clicks) click(label);
    for (const auto& [field, text] : row.typed) type(field, text);
    const DriverTransfer expected = row.expected(*this, driver().parameters());
    const std::string qtsBefore = shown("Qts");
    const std::string vasBefore = shown("Vas");
    ASSERT_TRUE(find(row.ok)->isEnabled());
    click(row.ok);

    for (const tools::FieldWrite& write : expected.writes) {
        EXPECT_EQ(driver().fieldText(write.param).toStdString(), write.text)
            << parameterInfo(write.param).name;
    }
    EXPECT_EQ(shown("driverNameField"), "X" + expected.nameSuffix);
    if (expected.focus) {
        EXPECT_EQ(focusName(), parameterInfo(*expected.focus).name);
    }
    if (expected.entryMode) {
        EXPECT_EQ(driver().parameters().mode, *expected.entryMode);
    }
    // The solver ran on the new texts: a derived value moved.
    EXPECT_TRUE(shown("Qts") != qtsBefore || shown("Vas") != vasBefore);
}

INSTANTIATE_TEST_SUITE_P(Calculators, Transfer, ::testing::ValuesIn(kTransfers),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ActionsTest, NoChangeLeavesTheModificationOkClosed) {
    ui_test::typeReferenceDriver(window.get());
    choose("menuResonanceShift");
    type("shiftNewFs", "30");  // the driver's fs
    EXPECT_FALSE(find("shiftNewFsOk")->isEnabled());
    choose("menuAddedResistanceMass");
    type("raddRadd", "0");
    EXPECT_FALSE(find("raddRaddOk")->isEnabled());
    EXPECT_EQ(shown("raddRaddText"), "");
}

}  // namespace
}  // namespace sublumo::calculator_test
