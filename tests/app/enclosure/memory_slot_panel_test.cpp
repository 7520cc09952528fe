#include "enclosure/memory_slot_panel.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "charts/fake_chart.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

using enclosure::ResponseTable;
using enclosure::TableColumn;
using test::FakeChart;
using ui_test::findByName;

constexpr NumberFormat kComma{','};

enclosure::Curve ramp(double start, double step) {
    enclosure::Curve c{};
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = start + step * static_cast<double>(i);
    return c;
}

ResponseTable designTable(double offset) {
    ResponseTable table(kComma);
    table.setColumn(TableColumn::Relative, ramp(-30.5 + offset, 0.15));
    table.setColumn(TableColumn::Absolute, ramp(60.25 + offset, 0.15));
    return table;
}

memory::ConditionTexts conditions(const std::string& name) {
    return {name, name + " 2x in P: ", "0,1", "0", "20", "88,5", "1", "2,83", "1,43", "0,01"};
}

memory::DesignTexts closedDesign(const std::string& volume) {
    memory::DesignTexts d;
    d.closed = {false, volume, "100", "0,707", "45", "45", "0", "29/71"};
    return d;
}

std::vector<FakeChart::Point> points(const std::vector<double>& f, const std::vector<double>& l) {
    std::vector<FakeChart::Point> p;
    for (std::size_t i = 0; i < f.size(); ++i) p.push_back({f[i], l[i]});
    return p;
}

class MemorySlotPanelTest : public testing::Test {
protected:
    MemorySlotPanelTest()
        : relative(ChartKind::Relative, &host),
          absolute(ChartKind::Absolute, &host),
          panel(relative, absolute, &host) {
        panel.setSnapshotProvider([this] {
            ++asked;
            return memory::DesignSnapshot{conditions(name), closedDesign(volume), &table, kComma,
                                          std::nullopt};
        });
        panel.setStoresEnabled(true);
        host.show();
    }

    QToolButton* plus(int k) { return findByName<QToolButton>(&panel, name_of("memoryStore", k)); }
    QGroupBox* box(int k) { return findByName<QGroupBox>(&panel, name_of("memorySlot", k)); }
    QLabel* text(int k) { return findByName<QLabel>(&panel, name_of("memoryText", k)); }
    static const char* name_of(const char* stem, int k) {
        static std::string held;
        held = stem + std::to_string(k);
        return held.c_str();
    }
    void clickPlus(int k) { QTest::mouseClick(plus(k), Qt::LeftButton); }

    // The slot shows what the pure memory makes of the same texts and table.
    void expectStored(int k) {
        const auto curves = memory::copyCurves(table, kComma);
        ASSERT_TRUE(curves.has_value());
        EXPECT_TRUE(box(k)->isVisible()) << k;
        EXPECT_EQ(box(k)->title().replace("&&", "&").toStdString(),
                  memory::conditionsLine(conditions(name)));
        EXPECT_EQ(text(k)->text().toStdString(), memory::designLine(closedDesign(volume)));
        EXPECT_EQ(relative.points[k], points(curves->frequencies, curves->relative));
        EXPECT_EQ(absolute.points[k], points(curves->frequencies, curves->absolute));
        EXPECT_EQ(box(k)->palette().color(QPalette::WindowText), curve::colour(k));
        EXPECT_EQ(text(k)->palette().color(QPalette::WindowText), curve::colour(k));
    }

    QWidget host;
    FakeChart relative;
    FakeChart absolute;
    MemorySlotPanel panel;
    std::string name = "Maker 10W";
    std::string volume = "50";
    ResponseTable table = designTable(0);
    int asked = 0;
};

TEST(MemorySlotPanel, StoresStayOffUntilThePageHasADesign) {
    QWidget host;
    test::FakeChart relative(ChartKind::Relative, &host);
    test::FakeChart absolute(ChartKind::Absolute, &host);
    const MemorySlotPanel panel(relative, absolute, &host);
    EXPECT_FALSE(panel.storesEnabled());
    EXPECT_FALSE(findByName<QToolButton>(&panel, "memoryStore1")->isEnabled());
}

TEST_F(MemorySlotPanelTest, StartsWithEightPlusLabelsAndNoBoxes) {
    for (int k = 1; k <= 8; ++k) {
        EXPECT_TRUE(plus(k)->isVisible());
        EXPECT_EQ(plus(k)->text(), "+");
        EXPECT_EQ(plus(k)->toolTip(), "Save at this position");
        EXPECT_FALSE(box(k)->isVisible());
        EXPECT_EQ(text(k)->text(), "empty");
        EXPECT_EQ(box(k)->toolTip(), "Delete this memory");
        EXPECT_EQ(box(k)->geometry(), QRect(20, (k - 1) * 35, 560, 30));
    }
}

TEST_F(MemorySlotPanelTest, StoringIntoThreeThenFiveShowsTwoBoxesAndTwoCurvesPerChart) {
    clickPlus(3);
    clickPlus(5);
    expectStored(3);
    expectStored(5);
    for (int k : {1, 2, 4, 6, 7, 8}) {
        EXPECT_FALSE(box(k)->isVisible()) << k;
        EXPECT_TRUE(relative.curveEmpty(k) && absolute.curveEmpty(k)) << k;
    }
    // The memory never touches the current design's or the options' curves.
    for (int c : {0, 9, 10, 11})
        EXPECT_EQ(relative.setCount[c] + relative.clearCount[c] + absolute.setCount[c], 0);
}

TEST_F(MemorySlotPanelTest, StoringIntoAFilledSlotReplacesItWithoutAQuestion) {
    clickPlus(2);
    name = "Other 8";
    volume = "75";
    table = designTable(4);
    clickPlus(2);
    expectStored(2);
}

TEST_F(MemorySlotPanelTest, ClickingABoxOrItsTextDeletesOnlyThatSlot) {
    for (int k : {3, 4, 5}) clickPlus(k);
    const auto before = relative.clearCount;
    QTest::mouseClick(box(4), Qt::LeftButton, {}, QPoint(500, 5));
    EXPECT_FALSE(box(4)->isVisible());
    EXPECT_TRUE(relative.curveEmpty(4) && absolute.curveEmpty(4));
    EXPECT_EQ(relative.clearCount[4], before[4] + 1);
    for (int k : {3, 5}) {
        EXPECT_TRUE(box(k)->isVisible());
        EXPECT_EQ(relative.clearCount[k], before[k]);
        EXPECT_FALSE(relative.curveEmpty(k));
    }
    QTest::mouseClick(text(5), Qt::LeftButton);
    EXPECT_FALSE(box(5)->isVisible());
    EXPECT_TRUE(absolute.curveEmpty(5));
}

TEST_F(MemorySlotPanelTest, AFailedStoreHidesTheBoxAndLeavesNoCurve) {
    clickPlus(6);
    table = ResponseTable(kComma);  // no design computed: the level columns are empty
    clickPlus(6);
    EXPECT_FALSE(box(6)->isVisible());
    EXPECT_TRUE(relative.curveEmpty(6));
    EXPECT_TRUE(absolute.curveEmpty(6));
    ResponseTable halfWritten(kComma);
    halfWritten.setColumn(TableColumn::Relative, ramp(0, 1));
    table = halfWritten;
    clickPlus(7);
    EXPECT_FALSE(box(7)->isVisible());
    EXPECT_TRUE(relative.curveEmpty(7));
}

TEST_F(MemorySlotPanelTest, ADisabledPlusDoesNothing) {
    panel.setStoresEnabled(false);
    clickPlus(1);
    panel.store(1);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(box(1)->isVisible());
    EXPECT_EQ(relative.setCount[1], 0);
    panel.setStoresEnabled(true);
    clickPlus(1);
    EXPECT_TRUE(box(1)->isVisible());
}

TEST_F(MemorySlotPanelTest, AnAmpersandInTheDesignLabelShowsLiterally) {
    name = "B&C 12PS";
    clickPlus(8);
    EXPECT_EQ(box(8)->title(), " " + QString::fromStdString(name).replace("&", "&&") +
                                   " 2x in P: , +0,1 Ohm, +0 g, 20 \u00b0C, 88,5 dB/1 m/2,83 V "
                                   "(1,43/0,01 W) ");
}

TEST_F(MemorySlotPanelTest, AnUnnamedDriverBeginsTheCaptionWithUnnamed) {
    name = "";
    clickPlus(1);
    EXPECT_TRUE(box(1)->title().startsWith(" unnamed, +0,1 Ohm"));
}

TEST_F(MemorySlotPanelTest, StoreAndDeleteWorkFromTheKeyboard) {
    plus(2)->setFocus();
    QTest::keyClick(plus(2), Qt::Key_Space);
    ASSERT_TRUE(box(2)->isVisible());
    box(2)->setFocus();
    QTest::keyClick(box(2), Qt::Key_Delete);
    EXPECT_FALSE(box(2)->isVisible());
    EXPECT_TRUE(relative.curveEmpty(2));
}

}  // namespace
}  // namespace sublumo
