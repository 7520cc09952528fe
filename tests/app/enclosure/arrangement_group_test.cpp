#include <QCheckBox>
#include <QRadioButton>

#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

class ArrangementGroupTest : public EnclosurePageTest {
protected:
    QRadioButton* wiring(const char* name) const { return in<QRadioButton>("numdri", name); }
    QCheckBox* isobaric() const { return in<QCheckBox>("numdri", "isobaric"); }
    void setCount(const char* n) { type("numdri", "Nd", QString::fromLatin1(n)); }
};

// Which wirings and "isobaric" each count offers.
struct Availability {
    const char* count;
    bool group, series, parallel, serParA, serParB, isobaric;
};

TEST_F(ArrangementGroupTest, CountEnablesTheWiringsItOffers) {
    open();
    const std::array<Availability, 5> rows = {{
        {"1", false, false, false, false, false, false},
        {"2", true, true, true, false, false, true},
        {"3", true, true, true, false, false, false},
        {"4", true, true, true, true, false, true},
        {"8", true, true, true, true, true, true},
    }};
    for (const Availability& row : rows) {
        setCount(row.count);
        SCOPED_TRACE(row.count);
        EXPECT_EQ(in<QWidget>("numdri", "zapojeni")->isEnabled(), row.group);
        EXPECT_EQ(wiring("series")->isEnabled(), row.series);
        EXPECT_EQ(wiring("parallel")->isEnabled(), row.parallel);
        EXPECT_EQ(wiring("serParA")->isEnabled(), row.serParA);
        EXPECT_EQ(wiring("serParB")->isEnabled(), row.serParB);
        EXPECT_EQ(isobaric()->isEnabled(), row.isobaric);
    }
}

TEST_F(ArrangementGroupTest, CaptionsShowEachWiringsLoad) {
    open();  // Re = 8 Ohm
    setCount("2");
    EXPECT_EQ(wiring("series")->text(), "series (16 Ohm)");
    EXPECT_EQ(wiring("parallel")->text(), "parallel (4 Ohm)");
    EXPECT_EQ(wiring("series")->accessibleName(), "series (16 Ohm)");
    setCount("4");
    EXPECT_EQ(wiring("serParA")->text(), "ser-par. (8 Ohm)");
}

TEST_F(ArrangementGroupTest, DesignLabelTitlesTheWindow) {
    enclosure::test::DriverFigures figures;
    figures.Re = 4;
    open(figures);
    EXPECT_EQ(page->designLabel(), "W8");
    setCount("4");
    EXPECT_EQ(page->designLabel(), "W8 (4x in S: 16 Ohm)");
    EXPECT_EQ(windowCaption, "Sublumo 3.04 | W8 (4x in S: 16 Ohm)");
    setCount("2");
    QTest::mouseClick(wiring("parallel"), Qt::LeftButton);
    QTest::mouseClick(isobaric(), Qt::LeftButton);
    EXPECT_EQ(page->designLabel(), "W8 (2x in P as IB: 2 Ohm)");
    setCount("3");
    EXPECT_FALSE(isobaric()->isEnabled());
    EXPECT_EQ(page->designLabel(), "W8 (3x in P: 1.33 Ohm)");
}

TEST_F(ArrangementGroupTest, CountRedesignsTheBox) {
    open();
    type("closedBox", "Vb", "30");
    const QString single = text("closedBox", "Qtc");
    setCount("2");
    const auto r = enclosure::recomputeClosedBox(driver, shared("2"), {"30", "100"}, format);
    EXPECT_EQ(text("closedBox", "Qtc"), qs(r.Qtc));
    EXPECT_NE(text("closedBox", "Qtc"), single);
}

TEST_F(ArrangementGroupTest, CountFieldTakesOneDigitAndStepsWithinOneToNine) {
    open();
    QLineEdit* nd = in("numdri", "Nd");
    typeInto(nd, "0x");
    EXPECT_EQ(nd->text(), "1");
    typeInto(nd, "9");
    key(nd, Qt::Key_Up);
    EXPECT_EQ(nd->text(), "9");
    key(nd, Qt::Key_Down);
    EXPECT_EQ(nd->text(), "8");
    typeInto(nd, "1");
    key(nd, Qt::Key_Down);
    EXPECT_EQ(nd->text(), "1");
}

TEST_F(ArrangementGroupTest, OptionFieldsRefillAndCycleOnEnter) {
    open();
    type("additionalOptions", "Rs", "");
    type("closedBox", "Vb", "20");
    EXPECT_EQ(text("additionalOptions", "Rs"), "0.1");
    QLineEdit* rs = in("additionalOptions", "Rs");
    rs->setFocus();
    key(rs, Qt::Key_Return);
    EXPECT_TRUE(in("additionalOptions", "M+")->hasFocus());
    key(in("additionalOptions", "M+"), Qt::Key_Return);
    EXPECT_TRUE(in("additionalOptions", "Tvc")->hasFocus());
    key(in("additionalOptions", "Tvc"), Qt::Key_Return);
    EXPECT_TRUE(rs->hasFocus());
}

}  // namespace
}  // namespace sublumo::ui_test
