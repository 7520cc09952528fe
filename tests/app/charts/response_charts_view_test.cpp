#include "charts/response_charts_view.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "charts/fake_chart.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

using test::FakeChart;
using ui_test::findByName;
using ui_test::waitUntil;

class ResponseChartsViewTest : public testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<ResponseChartsView>(nullptr, charts.factory());
        view->setNumberFormat({'.'});
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QToolButton* picture(const char* name) { return findByName<QToolButton>(view.get(), name); }
    void click(const char* name) { QTest::mouseClick(picture(name), Qt::LeftButton); }
    QString readoutAt(FakeChart& chart, QPoint pixel) {
        QTest::mouseMove(chart.widget(), pixel);
        waitUntil([&] { return !view->cursorReadout().isEmpty(); });
        return view->cursorReadout();
    }
    // The page position of the relative chart's left edge.
    int relativeLeftOnPage() {
        return ResponseChartsView::kPagePosition.x() + charts.relative->widget()->x();
    }

    test::FakeCharts charts;
    std::unique_ptr<ResponseChartsView> view;
};

TEST_F(ResponseChartsViewTest, ChartsSitAtTheirPagePlacesWithOnlyTheRelativeOneShown) {
    const QPoint origin = ResponseChartsView::kPagePosition;
    EXPECT_EQ(charts.relative->widget()->geometry().translated(origin), QRect(151, 44, 587, 309));
    EXPECT_EQ(charts.absolute->widget()->geometry().translated(origin), QRect(148, 44, 590, 309));
    EXPECT_TRUE(charts.relative->widget()->isVisible());
    EXPECT_FALSE(charts.absolute->widget()->isVisible());
    view->showChart(ChartKind::Absolute);
    EXPECT_FALSE(charts.relative->widget()->isVisible());
    EXPECT_TRUE(charts.absolute->widget()->isVisible());
    EXPECT_EQ(findByName<QLabel>(view.get(), "dBCaption")->text(), "dB");
    EXPECT_EQ(findByName<QLabel>(view.get(), "HzCaption")->text(), "Hz");
}

TEST_F(ResponseChartsViewTest, StartWindowShowsOnlyTheShiftUpPictureWithItsHints) {
    EXPECT_EQ(charts.relative->levelMaximum(), 10);
    EXPECT_EQ(charts.absolute->levelMinimum(), 60);
    EXPECT_TRUE(picture("graphShiftUp")->isVisible());
    EXPECT_FALSE(picture("graphShiftDown")->isVisible());
    EXPECT_EQ(picture("graphShiftUp")->toolTip(), "Graph shift (+10 dB)");
    EXPECT_EQ(picture("graphShiftDown")->toolTip(), "Graph shift (-10 dB)");
    EXPECT_FALSE(picture("graphShiftUp")->accessibleName().isEmpty());
    EXPECT_EQ(picture("graphShiftDown")->accessibleDescription(), "Graph shift (-10 dB)");
}

// Drawn, not scaled: each scale has its own pixmap, with something on it.
TEST_F(ResponseChartsViewTest, ShiftPicturesAreDrawnForOneAndTwoTimesScale) {
    for (const char* name : {"graphShiftUp", "graphShiftDown"}) {
        for (double scale : {1.0, 2.0}) {
            const QImage image = picture(name)->icon().pixmap(QSize(16, 16), scale).toImage();
            EXPECT_EQ(image.width(), static_cast<int>(16 * scale)) << name;
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(opaque, image.width() * image.height() / 8) << name << " " << scale;
        }
    }
}

TEST_F(ResponseChartsViewTest, FiveShiftsUpReachTheTopAndFiveDownComeBack) {
    QSignalSpy changed(view.get(), &ResponseChartsView::chartWindowChanged);
    for (int i = 0; i < 5; ++i) click("graphShiftUp");
    EXPECT_EQ(changed.count(), 5);
    EXPECT_EQ(charts.relative->levelMinimum(), 20);
    EXPECT_EQ(charts.relative->levelMaximum(), 60);
    EXPECT_EQ(charts.absolute->levelMinimum(), 110);
    EXPECT_EQ(charts.absolute->levelMaximum(), 150);
    EXPECT_FALSE(picture("graphShiftUp")->isVisible());
    EXPECT_TRUE(picture("graphShiftDown")->isVisible());
    EXPECT_EQ(relativeLeftOnPage(), 154);
    EXPECT_EQ(charts.relative->widget()->width(), 584);
    // Every step went through the table, 90 dB apart.
    ASSERT_EQ(charts.absolute->windows.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(charts.absolute->windows[i].second, charts.relative->windows[i].second + 90);

    for (int i = 0; i < 5; ++i) click("graphShiftDown");
    EXPECT_EQ(charts.relative->levelMinimum(), -30);
    EXPECT_EQ(charts.relative->levelMaximum(), 10);
    EXPECT_EQ(charts.absolute->levelMaximum(), 100);
    EXPECT_TRUE(picture("graphShiftUp")->isVisible());
    EXPECT_FALSE(picture("graphShiftDown")->isVisible());
    EXPECT_EQ(relativeLeftOnPage(), 151);
    EXPECT_EQ(charts.relative->widget()->width(), 587);
}

TEST_F(ResponseChartsViewTest, ShiftPicturesWorkFromTheKeyboard) {
    QToolButton* up = picture("graphShiftUp");
    up->setFocus();
    for (int i = 0; i < 5; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(charts.relative->levelMaximum(), 60);
    // The hidden picture handed the focus on, so the keys keep working.
    EXPECT_EQ(QApplication::focusWidget(), picture("graphShiftDown"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(charts.relative->levelMaximum(), 50);
}

TEST_F(ResponseChartsViewTest, ReadoutFollowsTheChartUnderThePointer) {
    FakeChart& relative = *charts.relative;
    EXPECT_EQ(readoutAt(relative, {22, 75}), "cursor: 20 Hz / 0 dB");
    EXPECT_EQ(readoutAt(relative, {581, 291}), "cursor: 499.5 Hz / -30 dB");
    QTest::mouseMove(relative.widget(), {300, 2});
    EXPECT_TRUE(waitUntil([&] { return view->cursorReadout().isEmpty(); }));
    click("graphShiftUp");
    EXPECT_EQ(readoutAt(relative, {22, 75}), "cursor: 20 Hz / 10 dB");

    view->showChart(ChartKind::Absolute);
    EXPECT_EQ(readoutAt(*charts.absolute, {25, 3}), "cursor: 20 Hz / 110 dB");
}

TEST_F(ResponseChartsViewTest, LeavingTheChartEmptiesTheReadout) {
    readoutAt(*charts.relative, {200, 100});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(charts.relative->widget(), &leave);
    EXPECT_EQ(view->cursorReadout(), "");
}

TEST_F(ResponseChartsViewTest, ClicksOnEitherChartAreReportedToThePage) {
    QSignalSpy clicked(view.get(), &ResponseChartsView::chartClicked);
    QSignalSpy doubleClicked(view.get(), &ResponseChartsView::chartDoubleClicked);
    QTest::mouseClick(charts.relative->widget(), Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(clicked.count(), 1);
    view->showChart(ChartKind::Absolute);
    QTest::mouseDClick(charts.absolute->widget(), Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(doubleClicked.count(), 1);
}

// A screen reader finds the "Curves" menu under its button, as it finds a menu bar's menu under
// its item, reads its title and items, and opens it; a right click on a chart opens it too.
TEST_F(ResponseChartsViewTest, TheCurvesMenuIsReadAsTheMenuOfItsButton) {
    auto* button = findByName<QToolButton>(view.get(), "curves");
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->role(), QAccessible::ButtonMenu);
    EXPECT_EQ(read->text(QAccessible::Name), "Curves");
    EXPECT_TRUE(read->state().hasPopup);
    ASSERT_EQ(read->childCount(), 1);
    QAccessibleInterface* menu = read->child(0);
    EXPECT_EQ(read->indexOfChild(menu), 0);
    EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
    EXPECT_EQ(menu->text(QAccessible::Name), "Curves");
    QStringList items;
    for (int i = 0; i < menu->childCount(); ++i)
        if (menu->child(i)->role() == QAccessible::MenuItem)
            items << menu->child(i)->text(QAccessible::Name);
    QStringList shown;
    for (const QAction* action : button->menu()->actions())
        if (!action->isSeparator())
            shown << action->text();
    EXPECT_FALSE(items.isEmpty());
    EXPECT_EQ(items, shown);

    // The menu runs its own loop while open: it is read and closed from inside it.
    QMenu* popup = button->menu();
    bool readWhileOpen = false;
    QObject::connect(popup, &QMenu::aboutToShow, popup, [&] {
        QTimer::singleShot(0, popup, [&] {
            readWhileOpen = !menu->state().invisible;
            popup->close();
        });
    });
    read->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(waitUntil([&] { return readWhileOpen; }));

    // What a right click (or the menu key) on the chart sends it.
    QWidget* chart = charts.relative->widget();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, {100, 100},
                                 chart->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(chart, &rightClick);
    EXPECT_TRUE(waitUntil([&] { return popup->isVisible(); }));
    EXPECT_FALSE(menu->state().invisible);
    popup->close();
}

}  // namespace
}  // namespace sublumo
