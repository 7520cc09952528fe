#include <QCheckBox>
#include <QGroupBox>

#include "driver_lists/driver_lists_page.h"
#include "driver_lists_fixture.h"

namespace sublumo::ui_test {
namespace {

class FilterFrameTest : public DriverListsFixture {
protected:
    void SetUp() override {
        StoredDriver one{"Maker One 10"};
        one.dd = "199.9995";
        one.qes = "0.4";
        one.qms = "319.6";  // Qts 0.3995
        StoredDriver two{"Maker Two 12"};
        two.dd = "260.0001";
        StoredDriver three{"Other 10"};
        three.dd = "230";
        three.qes = "0.5";
        three.qms = "4";
        writeDatabase({one, two, three});
        start();
    }
    QStringList allRows() const { return rows(list("allList")); }
    void check(const char* box) {
        QTest::mouseClick(find<QCheckBox>(box), Qt::LeftButton, {}, QPoint(6, 8));
    }
    void switchOn() { check("alfbox"); }
    void type(const char* field, const QString& text) { typeInto(window.get(), field, text); }
};

TEST_F(FilterFrameTest, OffEverythingIsDisabledAndTheListIsWhole) {
    for (const char* name : {"hledit", "Ddbox", "Ddmin", "Ddmax", "SPLbox"})
        EXPECT_FALSE(find(name)->isEnabled()) << name;
    EXPECT_EQ(allRows().size(), 3);
    switchOn();
    EXPECT_TRUE(find("hledit")->isEnabled());
    EXPECT_TRUE(find("hledit")->hasFocus());
    EXPECT_TRUE(find("Ddbox")->isEnabled());
    EXPECT_FALSE(find("Ddmin")->isEnabled());  // its criterion is not checked
}

TEST_F(FilterFrameTest, TheSearchIgnoresTheCaseOfAToZ) {
    switchOn();
    type("hledit", "ONE");
    EXPECT_EQ(allRows(), QStringList{"Maker One 10"});
    EXPECT_EQ(tabs()->tabText(0), "Filtered");
    EXPECT_EQ(countText(), "#0/1/3");
    type("hledit", "10");
    EXPECT_EQ(allRows(), (QStringList{"Maker One 10", "Other 10"}));
    type("hledit", "maker");
    check("alfbox");  // off again: every record, caption "All"
    EXPECT_EQ(allRows().size(), 3);
    EXPECT_EQ(tabs()->tabText(0), "All");
}

TEST_F(FilterFrameTest, TheDdCriterionHasATolerance) {
    switchOn();
    check("Ddbox");
    EXPECT_TRUE(find("Ddmin")->hasFocus());
    type("Ddmin", "200");
    type("Ddmax", "260");
    EXPECT_EQ(allRows(), (QStringList{"Maker One 10", "Other 10"}));
}

TEST_F(FilterFrameTest, TheQtsCriterionHasNone) {
    switchOn();
    check("Qtsbox");
    type("Qtsmin", "0.40");
    EXPECT_EQ(allRows(), QStringList{"Other 10"});  // 0.3995 and 0.307 stay out
}

TEST_F(FilterFrameTest, AnEmptyOrTooLargeMaximumTakesTheDatabaseMaximum) {
    switchOn();
    check("Ddbox");
    auto* maximum = find<QLineEdit>("Ddmax");
    maximum->setFocus();
    maximum->selectAll();
    QTest::keyClick(maximum, Qt::Key_Backspace);
    const QString databaseMaximum =
        QString::fromStdString(window->driverListsPage().ranges().maximum[0]);
    EXPECT_EQ(databaseMaximum, "260");
    EXPECT_EQ(maximum->text(), databaseMaximum);
    type("Ddmax", "300");
    EXPECT_EQ(maximum->text(), databaseMaximum);
}

TEST_F(FilterFrameTest, AMinimumAboveTheMaximumTurnsBothRed) {
    switchOn();
    check("Ddbox");
    type("Ddmax", "150");
    type("Ddmin", "200");
    EXPECT_TRUE(find("Ddmin")->styleSheet().contains("red"));
    EXPECT_TRUE(find("Ddmax")->styleSheet().contains("red"));
    EXPECT_TRUE(allRows().isEmpty());
    type("Ddmin", "100");
    EXPECT_FALSE(find("Ddmin")->styleSheet().contains("red"));
}

TEST_F(FilterFrameTest, DiameterClassesSetTheDdBounds) {
    switchOn();
    auto* classes = find<QListView>("diameterClasses");
    QTest::mouseClick(find("diameterClassLabel"), Qt::LeftButton);
    ASSERT_TRUE(classes->isVisible());
    EXPECT_EQ(classes->model()->index(4, 0).data().toString(), QString::fromUtf8("± 8 \""));
    clickRow(classes, 4);
    EXPECT_FALSE(classes->isVisible());
    EXPECT_TRUE(find<QCheckBox>("Ddbox")->isChecked());
    EXPECT_EQ(text("Ddmin"), "140");
    EXPECT_EQ(text("Ddmax"), "180");
    EXPECT_TRUE(find("Ddmin")->hasFocus());

    QTest::mouseClick(find("diameterClassLabel"), Qt::LeftButton);
    classes->setCurrentIndex(classes->model()->index(0, 0));
    QTest::keyClick(classes, Qt::Key_Return);  // the keyboard way
    EXPECT_EQ(text("Ddmin"), QString::fromStdString(window->driverListsPage().ranges().minimum[0]));
    EXPECT_EQ(text("Ddmax"), "70");
}

TEST_F(FilterFrameTest, ADoubleClickOnTheFrameClearsIt) {
    switchOn();
    type("hledit", "One");
    check("fsbox");
    QWidget* frame = find("filterFrame");
    QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(2, frame->height() / 2));
    EXPECT_EQ(text("hledit"), "");
    EXPECT_FALSE(find<QCheckBox>("fsbox")->isChecked());
    EXPECT_EQ(allRows().size(), 3);
}

TEST_F(FilterFrameTest, ARecordThatCannotBeJudgedKeepsThePreviousList) {
    StoredDriver broken{"Broken"};
    broken.dd = "abc";
    writeDatabase({{"Fine"}, broken});
    start();
    switchOn();
    type("hledit", "F");
    EXPECT_EQ(allRows(), QStringList{"Fine"});
    check("Ddbox");
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(allRows(), QStringList{"Fine"});
}

}  // namespace
}  // namespace sublumo::ui_test
