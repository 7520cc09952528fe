#include <QRadioButton>

#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

class EnclosurePageLayoutTest : public EnclosurePageTest {};

struct TypeRow {
    const char* button;
    const char* group;
    int connectionTop;
    int optionsTop;
    int cabinGainTop;
    bool linkwitzShown;
};

TEST_F(EnclosurePageLayoutTest, TypeSwitchShowsItsGroupAndMovesTheOthers) {
    open();
    const std::array<TypeRow, 3> rows = {{
        {"vented", "ventedBox", 282, 410, 508, false},
        {"bandpass", "bandpassBox", 320, 448, 546, false},
        {"closed", "closedBox", 244, 372, 470, true},
    }};
    for (const TypeRow& row : rows) {
        SCOPED_TRACE(row.button);
        clickPage(row.button);
        for (const char* group : {"closedBox", "ventedBox", "bandpassBox"})
            EXPECT_EQ(findByName<QWidget>(page.get(), group)->isVisible(),
                      std::string(group) == row.group);
        EXPECT_EQ(findByName<QWidget>(page.get(), "numdri")->y(), row.connectionTop);
        EXPECT_EQ(findByName<QWidget>(page.get(), "additionalOptions")->y(), row.optionsTop);
        EXPECT_EQ(findByName<QWidget>(page.get(), "cabinGain")->y(), row.cabinGainTop);
        EXPECT_EQ(findByName<QWidget>(page.get(), "linkwitz")->isVisible(), row.linkwitzShown);
    }
    EXPECT_EQ(page->size(), QSize(747, 670));
}

TEST_F(EnclosurePageLayoutTest, LeavingTheClosedBoxClearsTheEqualiserCurves) {
    enclosure::test::DriverFigures figures;
    open(figures);
    type("closedBox", "Vb", "20");
    QTest::mouseClick(findByName<QWidget>(page.get(), "linkwitzOn"), Qt::LeftButton);
    ASSERT_FALSE(drawn(ChartKind::Relative, curve::kLinkwitzResult).empty());
    click("linkwitz", "circuit");
    clickPage("vented");
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kLinkwitzResult).empty());
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kLinkwitzEqualiser).empty());
    EXPECT_FALSE(findByName<QWidget>(page.get(), "linkwitzCircuit")->isVisible());
    EXPECT_TRUE(in<QCheckBox>("linkwitz", "linkwitzOn")->isChecked());
}

TEST_F(EnclosurePageLayoutTest, NoUsableDriverDisablesThePage) {
    enclosure::test::DriverFigures figures;
    figures.Qts = 0;
    open(figures);
    for (const char* name : {"Vb", "fill"}) EXPECT_FALSE(in("closedBox", name)->isEnabled());
    EXPECT_FALSE(in("numdri", "Nd")->isEnabled());
    EXPECT_FALSE(in("additionalOptions", "Rs")->isEnabled());
    EXPECT_FALSE(findByName<QWidget>(page.get(), "sourceOn")->isEnabled());
    EXPECT_TRUE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    clickPage("vented");
    EXPECT_FALSE(in("ventedBox", "Vb")->isEnabled());
    EXPECT_FALSE(in<QWidget>("ventedBox", "autoCalculation")->isEnabled());
}

TEST_F(EnclosurePageLayoutTest, StartFocusesTheFirstFieldAndTitlesTheWindow) {
    open();
    EXPECT_TRUE(in("closedBox", "Vb")->hasFocus());
    EXPECT_EQ(windowCaption, "Sublumo 3.04 | W8");
    QWidget* closed = findByName<QWidget>(page.get(), "closed");
    closed->setFocus();
    QTest::keyClick(closed, Qt::Key_Down);
    EXPECT_EQ(page->boxType(), EnclosurePage::BoxType::Vented);
    EXPECT_TRUE(findByName<QWidget>(page.get(), "ventedBox")->isVisible());
}

TEST_F(EnclosurePageLayoutTest, UnnamedDriverIsCalledSoInTheCaption) {
    enclosure::test::DriverFigures figures;
    figures.name = "";
    open(figures);
    EXPECT_EQ(windowCaption, "Sublumo 3.04 | unnamed");
}

}  // namespace
}  // namespace sublumo::ui_test
