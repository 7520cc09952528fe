#include "enclosure/memory_slot_panel.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFrame>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "charts/fake_chart.h"
#include "enclosure/enclosure_page.h"
#include "main_window.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"
#include "widgets/wrapped_label.h"

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

// A slot's text as a reader takes it in: its lines one after the other. A blank at either end
// shows nothing.
std::string readAlong(const QLabel* label) {
    return label->text().replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed().toStdString();
}

std::string shown(const std::string& line) {
    return QString::fromStdString(line).trimmed().toStdString();
}

class MemorySlotPanelTest : public testing::Test {
protected:
    MemorySlotPanelTest()
        : relative(ChartKind::Relative, &host),
          absolute(ChartKind::Absolute, &host),
          panel(relative, absolute, &host) {
        panel.setSnapshotProvider([this] {
            ++asked;
            return memory::DesignSnapshot{conditions(name), closedDesign(volume), &table,
                                          kComma,           std::nullopt,         {}};
        });
        panel.setStoresEnabled(true);
        host.show();
    }

    QToolButton* plus(int k) { return findByName<QToolButton>(&panel, name_of("memoryStore", k)); }
    QFrame* box(int k) { return findByName<QFrame>(&panel, name_of("memorySlot", k)); }
    QLabel* caption(int k) { return findByName<QLabel>(&panel, name_of("memoryConditions", k)); }
    QLabel* text(int k) { return findByName<QLabel>(&panel, name_of("memoryText", k)); }
    static const char* name_of(const char* stem, int k) {
        static std::string held;
        held = stem + std::to_string(k);
        return held.c_str();
    }
    int top(const QWidget* part) const { return part->mapTo(&panel, QPoint()).y(); }
    void clickPlus(int k) { QTest::mouseClick(plus(k), Qt::LeftButton); }

    // The slot shows what the pure memory makes of the same texts and table.
    void expectStored(int k) {
        const auto curves = memory::copyCurves(table, kComma);
        ASSERT_TRUE(curves.has_value());
        EXPECT_TRUE(box(k)->isVisible()) << k;
        EXPECT_EQ(readAlong(caption(k)), shown(memory::conditionsLine(conditions(name))));
        EXPECT_EQ(readAlong(text(k)), memory::designLine(closedDesign(volume)));
        EXPECT_EQ(relative.points[k], points(curves->frequencies, curves->relative));
        EXPECT_EQ(absolute.points[k], points(curves->frequencies, curves->absolute));
        for (const QWidget* part :
             std::initializer_list<const QWidget*>{box(k), caption(k), text(k)})
            EXPECT_EQ(part->palette().color(QPalette::WindowText), curve::colour(k));
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
        if (k > 1) {
            EXPECT_EQ(top(plus(k)) - top(plus(k - 1)),
                      MemorySlotPanel::kRowHeight + MemorySlotPanel::kRowSpacing);
        }
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
    EXPECT_EQ(readAlong(caption(8)),
              "B&C 12PS 2x in P: , +0,1 Ohm, +0 g, 20 \u00b0C, 88,5 dB/1 m/2,83 V (1,43/0,01 W)");
}

TEST_F(MemorySlotPanelTest, AnUnnamedDriverBeginsTheCaptionWithUnnamed) {
    name = "";
    clickPlus(1);
    EXPECT_TRUE(caption(1)->text().startsWith(" unnamed, +0,1 Ohm"));
}

TEST_F(MemorySlotPanelTest, ANameWithoutBlanksWiderThanTheSlotIsCutIntoLinesNotLost) {
    name = QString(QStringLiteral("Maker-W")).repeated(20).toStdString();  // 140 characters
    clickPlus(1);
    QApplication::processEvents();
    const QFontMetrics metrics(caption(1)->font());
    const QStringList lines = caption(1)->text().split(QLatin1Char('\n'));
    EXPECT_GT(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), caption(1)->contentsRect().width());
    const auto withoutBlanks = [](QString text) {
        return text.remove(QRegularExpression(QStringLiteral("\\s")));
    };
    EXPECT_EQ(withoutBlanks(caption(1)->text()),
              withoutBlanks(QString::fromStdString(memory::conditionsLine(conditions(name)))));
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

// The longest lines the three boxes give: a long name, nine drivers, two rectangular vents and
// every field at the widest text it shows.
memory::ConditionTexts longestConditions() {
    const std::string name = "B&C Speakers Reference 26W/8861T-00 Subwoofer Pro";
    return {.driverName = name,
            .designLabel = name + " (9x in S: 70.2 Ohm)",
            .seriesResistance = "0.47",
            .addedMass = "12.5",
            .voiceCoilTemperature = "120",
            .level = "103.25",
            .distance = "1.5",
            .voltage = "28.28",
            .driverPower = "123.45",
            .resistorPower = "12.34"};
}

std::array<memory::DesignTexts, 3> longestDesigns() {
    const memory::VentTexts vents{.shape = enclosure::VentShape::Rectangular,
                                  .count = "2",
                                  .diameter = "",
                                  .width = "150.5",
                                  .height = "20.25",
                                  .length = "1234",
                                  .endCorrection = "0.732",
                                  .firstResonance = "12345"};
    std::array<memory::DesignTexts, 3> d;
    d[0].closed = {false, "1234.56", "100", "1.234", "123.45", "123.45", "12.34", "45/55"};
    d[1].type = memory::EnclosureType::Vented;
    d[1].vented = {"1234.56", "100", "123.45", vents};
    d[2].type = memory::EnclosureType::Bandpass;
    d[2].bandpass = {"1234.56", "987.65", "100", "100", "123.45", vents};
    return d;
}

// The design memory in the real window, filled with the longest lines, at the page's font and
// at a 125 % one. The page keeps its own small font, so the larger one is tried both on the
// application and on the page itself.
class MemorySlotsInTheWindow : public testing::TestWithParam<double> {
protected:
    void SetUp() override {
        appFont = QApplication::font();
        window = std::make_unique<MainWindow>(platform, dir.path());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ui_test::typeReferenceDriver(window.get());
        ui_test::clickTab(findByName<QTabWidget>(window.get(), "pages"), 1);
        page = findByName<EnclosurePage>(window.get(), "enclosurePage");
        QLineEdit* vb = findByName<QLineEdit>(findByName(page, "closedBox"), "Vb");
        ASSERT_TRUE(ui_test::waitUntil([vb] { return vb->isEnabled(); }));
        ui_test::typeInto(vb, "50");
        pageFont = page->font();
        scale(GetParam());
    }
    void TearDown() override {
        QApplication::setFont(appFont);
        if (page)
            page->setFont(pageFont);
    }

    void scale(double factor) {
        QFont app = appFont;
        app.setPointSizeF(appFont.pointSizeF() * factor);
        QApplication::setFont(app);
        QFont own = pageFont;
        own.setPixelSize(qRound(pageFont.pixelSize() * factor));
        page->setFont(own);
    }

    // Stores the given texts with the current design's curves, by a click on slot k's "+".
    void store(int k, const memory::ConditionTexts& c, const memory::DesignTexts& d) {
        MemorySlotPanel& memorySlots = page->memorySlots();
        memorySlots.setSnapshotProvider([this, c, d] {
            memory::DesignSnapshot snapshot = page->memorySnapshot();
            snapshot.conditions = c;
            snapshot.design = d;
            return snapshot;
        });
        auto* plus =
            findByName<QToolButton>(&memorySlots, ("memoryStore" + std::to_string(k)).c_str());
        memorySlots.ensureWidgetVisible(plus);
        QTest::mouseClick(plus, Qt::LeftButton);
        QApplication::processEvents();  // the slot grows and scrolls into view
    }

    // Every line of the label within its width, and the whole label within the window once
    // its slot is scrolled into view.
    void expectReadable(const QLabel* label, const std::string& line) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(readAlong(label), shown(line));
        EXPECT_EQ(label->font().pixelSize(), page->font().pixelSize());
        const QFontMetrics metrics(label->font());
        for (const QString& shown : label->text().split(QLatin1Char('\n')))
            EXPECT_LE(metrics.horizontalAdvance(shown), label->contentsRect().width())
                << shown.toStdString();
        const auto lines = label->text().count(QLatin1Char('\n')) + 1;
        EXPECT_GE(label->contentsRect().height(), lines * metrics.lineSpacing()) << lines;
        const QRect onWindow(label->mapTo(window.get(), QPoint()), label->size());
        EXPECT_TRUE(window->rect().contains(onWindow)) << onWindow.x() << "," << onWindow.y();
        const QWidget* viewport = page->memorySlots().viewport();
        const QRect inView(viewport->mapTo(window.get(), QPoint()), viewport->size());
        EXPECT_TRUE(inView.contains(onWindow)) << onWindow.y() << " outside " << inView.y();
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
    EnclosurePage* page = nullptr;
    QFont appFont;
    QFont pageFont;
};

TEST_P(MemorySlotsInTheWindow, TheLongestLinesOfEveryBoxAreReadableInEverySlot) {
    const memory::ConditionTexts conditions = longestConditions();
    const auto designs = longestDesigns();
    for (int k = 1; k <= memory::kSlotCount; ++k)
        store(k, conditions, designs[static_cast<std::size_t>(k - 1) % designs.size()]);
    MemorySlotPanel& memorySlots = page->memorySlots();
    for (int k = 1; k <= memory::kSlotCount; ++k) {
        SCOPED_TRACE(k);
        const std::string number = std::to_string(k);
        auto* box = findByName<QFrame>(&memorySlots, ("memorySlot" + number).c_str());
        ASSERT_TRUE(box->isVisible());
        memorySlots.ensureWidgetVisible(box, 0, 0);
        QApplication::processEvents();
        expectReadable(findByName<QLabel>(box, ("memoryConditions" + number).c_str()),
                       memory::conditionsLine(conditions));
        expectReadable(findByName<QLabel>(box, ("memoryText" + number).c_str()),
                       memory::designLine(designs[static_cast<std::size_t>(k - 1) % 3]));
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, MemorySlotsInTheWindow, testing::Values(1.0, 1.25),
                         [](const testing::TestParamInfo<double>& font) {
                             return font.param == 1.0 ? std::string("PageFont")
                                                      : std::string("Font125Percent");
                         });

}  // namespace
}  // namespace sublumo
