#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMouseEvent>

#include "enclosure/memory_slot_panel.h"
#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

using enclosure::LimitKind;

class LimitChartsTest : public EnclosurePageTest {
protected:
    // The vented box of the examples, with a power rating so that every kind has a curve.
    void openVented() {
        enclosure::test::DriverFigures figures;
        figures.Pe = 60;
        open(figures);
        clickPage("vented");
        type("ventedBox", "Vb", "50");
        type("ventedBox", "fb", "30");
    }
    QComboBox* choice() const { return findByName<QComboBox>(page.get(), "chartKind"); }
    // As a keyboard user picks a chart: focus the choice and step down to the item.
    void choose(LimitKind kind) {
        choice()->setFocus();
        QTest::keyClick(choice(), Qt::Key_Home);
        for (int i = 0; i <= static_cast<int>(kind); ++i) QTest::keyClick(choice(), Qt::Key_Down);
    }
    enclosure::LimitChart expected(LimitKind kind, enclosure::LimitInputs in) const {
        in.ventVelocityLine = page->charts().ventVelocityLine();
        return enclosure::computeLimitChart(kind, in);
    }
    void expectCurve(int c, const enclosure::LimitChart& chart) const {
        for (std::size_t part = 0; part < 2; ++part) {
            const auto& drawn = limitPlot->curves[static_cast<std::size_t>(c)][part];
            if (part >= chart.curves.size()) {
                EXPECT_TRUE(drawn.value.empty()) << "curve " << c << " part " << part;
                continue;
            }
            EXPECT_EQ(drawn.frequency, chart.curves[part].frequency);
            EXPECT_EQ(drawn.value, chart.curves[part].value) << "curve " << c;
            EXPECT_EQ(drawn.secondAxis, chart.curves[part].secondAxis);
        }
    }
};

TEST_F(LimitChartsTest, EachKindDrawsTheCurrentDesignWithItsAxisAndLines) {
    openVented();
    ASSERT_TRUE(page->limitInputs().has_value());
    for (LimitKind kind : enclosure::kLimitKinds) {
        SCOPED_TRACE(std::string(enclosure::limitKindTitle(kind)));
        choose(kind);
        ASSERT_EQ(page->charts().limitKind(), kind);
        EXPECT_TRUE(limitPlot->widget()->isVisible());
        EXPECT_FALSE(charts[0]->widget()->isVisible());
        const enclosure::LimitChart chart = expected(kind, *page->limitInputs());
        ASSERT_FALSE(chart.curves.empty());
        expectCurve(curve::kCurrentDesign, chart);
        EXPECT_EQ(limitPlot->axisLabel, qs(std::string(chart.axis)));
        EXPECT_EQ(limitPlot->lines.size(), chart.lines.size());
        EXPECT_TRUE(limitPlot->note.isEmpty());
    }
    choice()->setCurrentIndex(0);
    EXPECT_FALSE(page->charts().limitKind().has_value());
    EXPECT_TRUE(charts[0]->widget()->isVisible());
    EXPECT_FALSE(limitPlot->widget()->isVisible());
}

TEST_F(LimitChartsTest, AKeystrokeRedrawsOnlyTheCurrentDesign) {
    openVented();
    page->memorySlots().store(3);
    choose(LimitKind::Excursion);
    const int slotDraws = limitPlot->drawCount[3];
    type("ventedBox", "Vb", "80");
    expectCurve(curve::kCurrentDesign, expected(LimitKind::Excursion, *page->limitInputs()));
    EXPECT_EQ(limitPlot->drawCount[3], slotDraws);
}

TEST_F(LimitChartsTest, StoredDesignsAppearOnEveryKindUntilDeleted) {
    openVented();
    page->memorySlots().store(2);
    type("ventedBox", "Vb", "90");
    page->memorySlots().store(5);
    type("ventedBox", "Vb", "30");
    const memory::DesignMemory& memory = page->memorySlots().designMemory();
    for (LimitKind kind : {LimitKind::Impedance, LimitKind::PortVelocity, LimitKind::MaximumSpl}) {
        SCOPED_TRACE(std::string(enclosure::limitKindTitle(kind)));
        choose(kind);
        for (int slot : {2, 5}) expectCurve(slot, expected(kind, *memory.slot(slot).limits));
        EXPECT_NE(limitPlot->own(2).value, limitPlot->own(5).value);
    }
    page->memorySlots().remove(2);
    EXPECT_TRUE(limitPlot->own(2).value.empty());
    EXPECT_FALSE(limitPlot->own(5).value.empty());
}

TEST_F(LimitChartsTest, AClosedBoxSaysItHasNoVentAndTheLineIsEditable) {
    openVented();
    page->memorySlots().store(1);
    choose(LimitKind::PortVelocity);
    auto* line = findByName<QDoubleSpinBox>(page.get(), "ventLine");
    ASSERT_TRUE(line->isVisible());
    line->setValue(12);
    ASSERT_EQ(limitPlot->lines.size(), 1u);
    EXPECT_EQ(limitPlot->lines[0].value, 12);
    clickPage("closed");
    type("closedBox", "Vb", "40");
    EXPECT_EQ(limitPlot->note, "A closed box has no vent.");
    EXPECT_TRUE(limitPlot->own(curve::kCurrentDesign).value.empty());
    EXPECT_FALSE(limitPlot->own(1).value.empty());  // the stored vented box still shows
    EXPECT_EQ(limitPlot->lines.size(), 1u);
    choose(LimitKind::Excursion);
    EXPECT_FALSE(line->isVisible());
}

TEST_F(LimitChartsTest, TheReadoutUsesTheKindsUnit) {
    openVented();
    choose(LimitKind::Excursion);
    QWidget* plot = limitPlot->widget();
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 97.5), plot->mapToGlobal(QPointF(200, 97.5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(plot, &move);
    EXPECT_EQ(page->charts().cursorReadout(), "cursor: 100 Hz / 2.5 mm");
    choose(LimitKind::MaximumSpl);
    QCoreApplication::sendEvent(plot, &move);
    EXPECT_EQ(page->charts().cursorReadout(), "cursor: 100 Hz / 2.5 dB, limited by Pe");
}

// While d is 0 (as on the way to typing 0.5) the group delay still draws; the level charts say
// why they are empty, also to assistive technology, until d is above 0 again.
TEST_F(LimitChartsTest, AtDistanceZeroTheLevelChartsSayWhyTheyAreEmpty) {
    const QString note =
        QStringLiteral("Enter a distance d above 0 to see the sound pressure level.");
    openVented();
    clickPage("sourceOn");
    type("sourceMic", "d", "0");
    EXPECT_EQ(charts[1]->note.toStdString(), note.toStdString());
    EXPECT_TRUE(drawn(ChartKind::Absolute, curve::kCurrentDesign).empty());
    EXPECT_FALSE(drawn(ChartKind::Relative, curve::kCurrentDesign).empty());
    EXPECT_TRUE(charts[1]->widget()->accessibleDescription().startsWith(note));

    choose(LimitKind::GroupDelay);
    EXPECT_EQ(limitPlot->own(curve::kCurrentDesign).value.size(),
              std::size_t{enclosure::kLimitGridPoints});
    EXPECT_TRUE(limitPlot->note.isEmpty());
    choose(LimitKind::MaximumSpl);
    EXPECT_EQ(limitPlot->note.toStdString(), note.toStdString());
    EXPECT_TRUE(limitPlot->own(curve::kCurrentDesign).value.empty());
    EXPECT_TRUE(limitPlot->widget()->accessibleDescription().startsWith(note));

    QTest::keyClick(in("sourceMic", "d"), Qt::Key_End);
    QTest::keyClicks(in("sourceMic", "d"), QStringLiteral(".5"));
    EXPECT_TRUE(limitPlot->note.isEmpty());
    EXPECT_FALSE(limitPlot->own(curve::kCurrentDesign).value.empty());
    EXPECT_FALSE(limitPlot->widget()->accessibleDescription().contains(note));
    EXPECT_TRUE(charts[1]->note.isEmpty());
    EXPECT_FALSE(drawn(ChartKind::Absolute, curve::kCurrentDesign).empty());
}

}  // namespace
}  // namespace sublumo::ui_test
