#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "build_plan.h"
#include "enclosure/build_panel.h"
#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

namespace enc = enclosure;

class BuildPanelTest : public EnclosurePageTest {
protected:
    // A vented subwoofer with a thermal and an excursion limit, its view opened from the
    // keyboard.
    void openVentedBuild() {
        open(
            {.fs = 25, .Vas = 120, .Qts = 0.38, .Sd = 510, .Re = 3.6, .Pe = 500, .name = "Sub 12"});
        driver.value(Param::Xmax) = 12;
        clickPage("vented");
        type("ventedBox", "Vb", "110");
        type("ventedBox", "fb", "24");
        QWidget* button = findByName<QWidget>(page.get(), "buildButton");
        button->setFocus();
        key(button, Qt::Key_Space);
        ASSERT_TRUE(findByName<QWidget>(page.get(), "build")->isVisible());
    }
    QString results() const { return findByName<QLabel>(page.get(), "buildResults")->text(); }
    // What the pure functions give for the page's vented design and the view's inputs.
    enc::BuildTexts expected() const {
        enc::VentedBoxInputs box;
        box.Vb = text("ventedBox", "Vb").toStdString();
        box.fb = text("ventedBox", "fb").toStdString();
        box.vent.Dv = text("ventedBox", "Dv").toStdString();
        const auto r = enc::recomputeVentedBox(driver, shared(), box, format);
        const enc::BuildDesign design =
            enc::buildDesign(driver, r, box, enc::limitInputs(driver, r, format));
        return enc::computeBuild(design, page->buildPanel().inputs(), format);
    }
    QString expectedText() const {
        QStringList lines;
        for (const std::string& line :
             enc::buildReportLines(expected(), page->buildPanel().inputs()))
            lines << qs(line);
        return lines.join('\n');
    }
};

TEST_F(BuildPanelTest, ShowsThePlanOfTheDesignAndFollowsItsInputs) {
    openVentedBuild();
    EXPECT_EQ(QApplication::focusWidget(), in("build", "t"));
    EXPECT_EQ(results(), expectedText());
    type("build", "t", "19");
    type("build", "Vbr", "2.5");
    type("build", "vmax", "15");
    EXPECT_EQ(results(), expectedText());
    EXPECT_TRUE(results().contains("Gross internal volume: " + qs(expected().gross) + " l"));
    type("ventedBox", "Vb", "90");
    EXPECT_EQ(results(), expectedText());
    key(in("build", "t"), Qt::Key_Escape);
    EXPECT_FALSE(findByName<QWidget>(page.get(), "build")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), findByName<QWidget>(page.get(), "buildButton"));
}

TEST_F(BuildPanelTest, VentLimitFollowsThePortVelocityLineUntilTypedHere) {
    openVentedBuild();
    auto* line = findByName<QDoubleSpinBox>(page.get(), "ventLine");
    EXPECT_EQ(text("build", "vmax"), qs(formatNumber(line->value(), format)));
    line->setValue(line->value() + 3);
    EXPECT_EQ(text("build", "vmax"), qs(formatNumber(line->value(), format)));
    EXPECT_EQ(results(), expectedText());
    type("build", "vmax", "15");
    line->setValue(line->value() + 5);
    EXPECT_EQ(text("build", "vmax"), "15");
}

TEST_F(BuildPanelTest, TheProportionListNamesThePresetOfTheTypedSides) {
    struct Row {
        const char* W;
        const char* H;
        const char* D;
        std::optional<std::size_t> preset;
    };
    openVentedBuild();
    auto* list = in<QComboBox>("build", "proportion");
    for (const Row& row :
         {Row{"2", "2", "2", 0}, Row{"0.6", "1.6", "1", 1}, Row{"1.6", "2.5", "2", 2},
          Row{"1", "2", "3", std::nullopt}, Row{"0", "1", "1", std::nullopt}}) {
        SCOPED_TRACE(std::string(row.W) + ":" + row.H + ":" + row.D);
        type("build", "W", row.W);
        type("build", "H", row.H);
        type("build", "D", row.D);
        const std::string_view item =
            row.preset ? enc::kProportionPresets[*row.preset].item : "custom";
        EXPECT_EQ(list->currentText().toStdString(), item);
    }
    list->setFocus();  // a preset chosen from the keyboard writes its sides
    key(list, Qt::Key_Home);
    EXPECT_EQ(text("build", "W"), text("build", "D"));
    EXPECT_EQ(list->currentIndex(), 0);
}

// Nothing of the charts shows between the panel and the strip above them, and the button that
// closes the view stays whole.
TEST_F(BuildPanelTest, ThePanelCoversTheChartsFromTheirTopEdge) {
    openVentedBuild();
    QWidget* panel = findByName<QWidget>(page.get(), "build");
    QWidget* chart = page->charts().chart(ChartKind::Relative).widget();
    const QRect area(chart->mapTo(page.get(), QPoint(0, 0)), chart->size());
    for (const QPoint& p : {area.topLeft(), area.topRight(), area.bottomLeft(), area.center()})
        EXPECT_TRUE(panel->isAncestorOf(page->childAt(p)) || page->childAt(p) == panel)
            << p.x() << "," << p.y();
    QWidget* button = findByName<QWidget>(page.get(), "buildButton");
    EXPECT_EQ(page->childAt(button->geometry().bottomLeft() + QPoint(2, 0)), button);
}

TEST_F(BuildPanelTest, UseThisVentWritesTheProposalIntoTheDesign) {
    openVentedBuild();
    const auto proposal = expected().proposal;
    ASSERT_TRUE(proposal);
    QTest::mouseClick(in<QPushButton>("build", "useVent"), Qt::LeftButton);
    EXPECT_EQ(text("ventedBox", "Dv"), qs(formatNumber(proposal->geometry.Dv, format)));
    EXPECT_EQ(text("ventedBox", "Lv"), qs(formatRounded(proposal->values.Lv, 0, format)));
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The sheet, saved or printed, is one page holding the driver, the volumes and the cut list.
TEST_F(BuildPanelTest, DesignSheetIsOnePageWithTheDriverVolumesAndCutList) {
    struct Row {
        const char* button;
        bool print;
    };
    for (const Row row : {Row{"saveSheet", false}, Row{"printSheet", true}}) {
        openVentedBuild();
        QTemporaryDir dir;
        const QString path = dir.filePath("sheet.pdf");
        (row.print ? platform.printPath : platform.savePath) = path;
        QTest::mouseClick(in<QPushButton>("build", row.button), Qt::LeftButton);
        ASSERT_TRUE(QFile::exists(path)) << row.button;
        EXPECT_TRUE(run("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+1\\n")))
            << row.button;
        const QString sheet = run("pdftotext", {"-layout", path, "-"});
        const enc::BuildTexts plan = expected();
        QStringList wanted = {
            "Sub 12", "Gross internal volume: " + qs(plan.gross), "Net volume: " + qs(plan.net),
            "Outer size (W × H × D): " + qs(plan.outer),
            "Cut list, butt joints, " + text("build", "t") + " mm panels (length × width):"};
        for (const std::string& panel : plan.cutList) wanted << qs(panel);
        for (const QString& text : wanted)
            EXPECT_TRUE(sheet.contains(text)) << row.button << ": " << text.toStdString();
        EXPECT_TRUE(platform.errors.isEmpty()) << row.button;
    }
}

TEST_F(BuildPanelTest, SheetThatCannotBeWrittenReportsTheError) {
    openVentedBuild();
    platform.savePath = QDir::temp().filePath("no-such-folder-sublumo/sheet.pdf");
    QTest::mouseClick(in<QPushButton>("build", "saveSheet"), Qt::LeftButton);
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_FALSE(QFile::exists(*platform.savePath));
}

}  // namespace
}  // namespace sublumo::ui_test
