#include "driver_lists/detailed_list_window.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "driver_database.h"
#include "driver_lists/detailed_list_model.h"
#include "settings_store.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

using database::DetailedRow;
using database::DriverRecord;

constexpr NumberFormat kPoint{'.'};

class DetailedListTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<DetailedListWindow>(kPoint);
        window->setRowsSource([this] { return database::detailedRows(db, names, kPoint); });
        host.setGeometry(40, 30, 566, 670);
    }

    void store(const std::string& name,
               const std::vector<std::pair<const char*, const char*>>& values) {
        for (const auto& [key, value] : values) db.writeValue(name, key, value);
        names.push_back(name);
    }
    void storeThree() {
        store("Zeta 12", {{"Qms", "3"}, {"Qes", "0.4"}, {"Hc", "14"}, {"Dd", "300"}});
        store("Alpha 8", {{"Qms", "2,5"},
                          {"Qes", "0,35"},
                          {"fs", "30"},
                          {"Mms", "60"},
                          {"Dd", "260"},
                          {"Re", "5.6"},
                          {"Hc", "12"}});
        store("Beta 10", {{"Qms", "4"}, {"Qes", "0.5"}, {"Hc", "6"}, {"Dd", "200"}});
    }
    void open() {
        database::SettingsStore settings;
        settings.open((dir.path() + "/sublumo_cfg.ini").toStdString());
        window->showBeside(host, settings);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QString cell(int row, int column) const {
        return window->model().index(row, column).data().toString();
    }
    QStringList nameColumn() const {
        QStringList shown;
        for (int row = 0; row < window->model().rowCount(); ++row) shown << cell(row, 0);
        return shown;
    }
    void releaseOnHeader(int column) {
        QHeaderView* header = window->table().horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    }

    QTemporaryDir dir;
    QWidget host;
    database::DriverDatabase db;
    std::vector<std::string> names;
    std::unique_ptr<DetailedListWindow> window;
};

TEST_F(DetailedListTest, OpensBesideTheMainWindowEnabledAndTitled) {
    EXPECT_FALSE(window->isEnabled());
    storeThree();
    open();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->windowTitle(), "Sublumo 3.04 - detailed list of drivers");
    EXPECT_EQ(window->pos(), QPoint(40 + 437, 30 + 322));
    EXPECT_EQ(window->height(), 670);
    EXPECT_EQ(window->table().verticalHeader()->defaultSectionSize(), 17);
}

TEST_F(DetailedListTest, AnEmptyDatabaseGivesTheHeadersAndOneEmptyRow) {
    open();
    ASSERT_EQ(window->model().rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(window->model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Manufacturer and Model");
}

TEST_F(DetailedListTest, RowsShowTheStoredTextsAndDerivedValuesInListOrder) {
    storeThree();
    open();
    EXPECT_EQ(nameColumn(), QStringList({"Zeta 12", "Alpha 8", "Beta 10"}));
    EXPECT_EQ(cell(1, 1), "2.5");      // stored with ","
    EXPECT_EQ(cell(1, 3), "0.307");    // Qts
    EXPECT_EQ(cell(1, 11), "187.77");  // Vas
}

TEST_F(DetailedListTest, HeaderClicksSortAndAColumnWithoutNumbersRestoresListOrder) {
    storeThree();
    open();
    releaseOnHeader(20);  // "Hc [mm]"
    EXPECT_EQ(nameColumn(), QStringList({"Beta 10", "Alpha 8", "Zeta 12"}));
    releaseOnHeader(0);  // "Manufacturer and Model"
    EXPECT_EQ(nameColumn(), QStringList({"Zeta 12", "Alpha 8", "Beta 10"}));

    releaseOnHeader(9);  // "Dd [mm]"
    EXPECT_EQ(nameColumn(), QStringList({"Beta 10", "Alpha 8", "Zeta 12"}));
    db.writeValue("Zeta 12", "Hc", "");  // one driver without Hc
    window->rebuild();
    releaseOnHeader(9);
    releaseOnHeader(20);
    EXPECT_EQ(nameColumn(), QStringList({"Zeta 12", "Alpha 8", "Beta 10"}));

    // The keyboard way: Ctrl+S sorts by the current cell's column.
    window->table().setFocus();
    window->table().setCurrentIndex(window->model().index(0, 9));
    QTest::keyClick(&window->table(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(nameColumn(), QStringList({"Beta 10", "Alpha 8", "Zeta 12"}));
}

TEST_F(DetailedListTest, UncheckingAColumnHidesItAndNarrowsTheWindowByItsWidthPlusOne) {
    storeThree();
    open();
    const int widthBefore = window->width();
    const int qmsWidth = window->columnWidth(1);
    ASSERT_GT(qmsWidth, 5);
    EXPECT_EQ(widthBefore, window->clientWidthForColumns());
    auto* qms = ui_test::findByName<QCheckBox>(window.get(), "columnQms");
    QTest::mouseClick(qms, Qt::LeftButton, {}, QPoint(6, qms->height() / 2));
    EXPECT_TRUE(window->table().isColumnHidden(1));
    EXPECT_EQ(window->columnWidth(1), -1);
    EXPECT_EQ(window->width(), widthBefore - qmsWidth - 1);
    qms->setFocus();
    QTest::keyClick(qms, Qt::Key_Space);  // and back from the keyboard
    EXPECT_FALSE(window->table().isColumnHidden(1));
    EXPECT_EQ(window->width(), widthBefore);
}

TEST_F(DetailedListTest, EveryShownColumnHoldsItsWidestTextInFull) {
    storeThree();
    store("Light 1", {{"Qms", "12.75"}, {"Mms", "0.5"}, {"Dd", "1000"}, {"Hc", "-3"}});
    open();
    ui_test::clickButton(window.get(), "allColumns");
    ui_test::clickButton(window.get(), "allColumns");  // every column shown
    const QFontMetrics metrics(window->table().font());
    const int margins =
        2 * (window->table().style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int c = 0; c < window->model().columnCount(); ++c) {
        ASSERT_FALSE(window->table().isColumnHidden(c)) << c;
        for (int row = 0; row < window->model().rowCount(); ++row)
            EXPECT_LE(metrics.horizontalAdvance(cell(row, c)) + margins, window->columnWidth(c))
                << cell(row, c).toStdString();
    }
}

TEST_F(DetailedListTest, LinksResetAndSwitchEveryColumn) {
    open();
    auto* all = ui_test::findByName<QPushButton>(window.get(), "allColumns");
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_EQ(all->text(), "check all");
    EXPECT_EQ(all->accessibleName(), "check all");
    for (int c = 1; c < 40; ++c) EXPECT_TRUE(window->table().isColumnHidden(c)) << c;
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_EQ(all->text(), "uncheck all");
    EXPECT_FALSE(window->table().isColumnHidden(4));  // "EBP [Hz]", hidden at first
    ui_test::clickButton(window.get(), "resetColumns");
    EXPECT_TRUE(window->table().isColumnHidden(4));
    EXPECT_FALSE(window->table().isColumnHidden(3));
}

TEST_F(DetailedListTest, ColumnSwitchesComeFromAndGoToTheSettings) {
    database::SettingsStore settings;
    const std::string path = (dir.path() + "/sublumo_cfg.ini").toStdString();
    settings.open(path);
    settings.writeBoolean("Form2", "Qms", false);
    settings.writeBoolean("Form2", "EBP", true);
    ASSERT_TRUE(settings.flush().ok);
    open();
    EXPECT_TRUE(window->table().isColumnHidden(1));
    EXPECT_FALSE(window->table().isColumnHidden(4));

    ui_test::clickButton(window.get(), "resetColumns");
    database::SettingsStore closing;
    closing.open(path);
    window->writeColumnSwitches(closing);
    ASSERT_TRUE(closing.flush().ok);
    database::SettingsStore reread;
    reread.open(path);
    EXPECT_TRUE(reread.readBoolean("Form2", "Qms", false));
    EXPECT_FALSE(reread.readBoolean("Form2", "EBP", true));
    EXPECT_EQ(reread.sectionKeys("Form2").size(), 39u);
}

TEST_F(DetailedListTest, DoubleClickOrEnterLoadsTheRow) {
    storeThree();
    open();
    QSignalSpy loads(window.get(), &DetailedListWindow::loadRequested);
    QTableView& table = window->table();
    const QRect alpha = table.visualRect(window->model().index(1, 2));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, alpha.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, alpha.center());
    ASSERT_EQ(loads.size(), 1);
    const auto record = loads.at(0).at(0).value<DriverRecord>();
    EXPECT_EQ(record.name, "Alpha 8");
    EXPECT_EQ(record.value("Qms"), "2.5");
    EXPECT_EQ(record.value("Dd"), "260");
    EXPECT_EQ(record.value("Hc"), "12");

    table.setFocus();
    table.setCurrentIndex(window->model().index(2, 1));
    QTest::keyClick(&table, Qt::Key_Return);
    ASSERT_EQ(loads.size(), 2);
    EXPECT_EQ(loads.at(1).at(0).value<DriverRecord>().name, "Beta 10");
}

TEST_F(DetailedListTest, AutoReloadRebuildsOnlyWhileCheckedAndShown) {
    storeThree();
    window->rebuildIfAutoReloading();  // hidden: nothing
    EXPECT_EQ(window->model().rowCount(), 0);
    open();
    store("Gamma 6", {{"Qms", "5"}});
    window->rebuildIfAutoReloading();
    EXPECT_EQ(window->model().rowCount(), 4);
    auto* autoReload = ui_test::findByName<QCheckBox>(window.get(), "autoReload");
    autoReload->setChecked(false);
    store("Delta 5", {{"Qms", "5"}});
    window->rebuildIfAutoReloading();
    EXPECT_EQ(window->model().rowCount(), 4);
    autoReload->setChecked(true);  // checking it rebuilds at once
    EXPECT_EQ(window->model().rowCount(), 5);
}

TEST_F(DetailedListTest, OneWheelStepMovesTwoRows) {
    for (int i = 0; i < 100; ++i) store("Driver " + std::to_string(i), {{"Qms", "1"}});
    open();
    QWidget* viewport = window->table().viewport();
    QWheelEvent down(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), {}, {0, -120},
                     Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &down);
    EXPECT_EQ(window->table().verticalScrollBar()->value(), 2);
    QWheelEvent up(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), {}, {0, 120},
                   Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &up);
    QApplication::sendEvent(viewport, &up);
    EXPECT_EQ(window->table().verticalScrollBar()->value(), 0);
}

}  // namespace
}  // namespace sublumo
