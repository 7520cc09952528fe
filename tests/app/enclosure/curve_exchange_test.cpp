#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>

#include "curve_files.h"
#include "enclosure/memory_slot_panel.h"
#include "enclosure_page_fixture.h"
#include "file_access.h"
#include "impedance_fit.h"

namespace sublumo::ui_test {
namespace {

using database::CurveReadResult;
using enclosure::LimitKind;

class CurveExchangeTest : public EnclosurePageTest {
protected:
    // A vented design and a stored one that differs from it.
    void openWithStoredDesign() {
        open();
        clickPage("vented");
        type("ventedBox", "Vb", "80");
        type("ventedBox", "fb", "30");
        page->memorySlots().store(2);
        type("ventedBox", "Vb", "50");
    }
    QMenu* menu() const { return findByName<QMenu>(page.get(), "curvesMenu"); }
    void trigger(const QString& text) {
        QMetaObject::invokeMethod(menu(), "aboutToShow");
        for (QAction* action : menu()->actions())
            if (action->text() == text) {
                ASSERT_TRUE(action->isEnabled()) << text.toStdString();
                action->trigger();
                return;
            }
        FAIL() << "no menu entry " << text.toStdString();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    CurveReadResult readBack(const QString& name) const {
        return database::readCurveFile(database::readWholeFile(path(name).toStdString()).bytes);
    }
    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(CurveExchangeTest, FrdFilesReadBackAsTheDrawnResponsesWithTheirPhase) {
    openWithStoredDesign();
    platform.savePath = path("box.frd");
    trigger("Export FRD...");
    ASSERT_TRUE(platform.errors.isEmpty()) << platform.errors.join('\n').toStdString();
    const CurveReadResult current = readBack("box - current design.frd");
    const CurveReadResult stored = readBack("box - memory 2.frd");
    ASSERT_EQ(current.points.size(), enclosure::frequencyGrid().size());
    ASSERT_EQ(stored.points.size(), enclosure::frequencyGrid().size());
    const std::vector<double> phase =
        enclosure::responsePhase(*page->limitInputs(), enclosure::frequencyGrid());
    const auto& drawnCurrent = drawn(ChartKind::Relative, curve::kCurrentDesign);
    const auto& drawnStored = drawn(ChartKind::Relative, 2);
    for (std::size_t i = 0; i < current.points.size(); i += 20) {
        EXPECT_NEAR(current.points[i].frequency, drawnCurrent[i].first, 5e-5);
        EXPECT_NEAR(current.points[i].value, drawnCurrent[i].second, 5e-5);
        EXPECT_NEAR(*current.points[i].phase, phase[i], 5e-4);
        EXPECT_NEAR(stored.points[i].value, drawnStored[i].second, 5e-5);
    }
    EXPECT_TRUE(readBack("box - memory 2.frd").hasPhase);
    EXPECT_TRUE(platform.infos.join("").contains("box - memory 2.frd"));
}

TEST_F(CurveExchangeTest, TheImpedanceChartWritesZmaAndTheCsvHasAColumnPerDesign) {
    openWithStoredDesign();
    page->charts().setLimitKind(LimitKind::Impedance);
    platform.savePath = path("z.zma");
    trigger("Export ZMA...");
    const CurveReadResult z = readBack("z - current design.zma");
    const enclosure::LimitChart chart =
        enclosure::computeLimitChart(LimitKind::Impedance, *page->limitInputs());
    ASSERT_EQ(z.points.size(), chart.curves[0].value.size());
    for (std::size_t i = 0; i < z.points.size(); i += 25) {
        EXPECT_NEAR(z.points[i].value, chart.curves[0].value[i], 5e-5);
        EXPECT_NEAR(*z.points[i].phase, chart.curves[1].value[i], 5e-4);
    }
    platform.savePath = path("all.csv");
    trigger("Export CSV...");
    const std::string csv = database::readWholeFile(path("all.csv").toStdString()).bytes;
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "Frequency [Hz],current design,memory 2");
    // Excursion has no file format of its own, only CSV.
    page->charts().setLimitKind(LimitKind::Excursion);
    QMetaObject::invokeMethod(menu(), "aboutToShow");
    EXPECT_FALSE(menu()->actions().front()->isEnabled());
}

TEST_F(CurveExchangeTest, AFolderThatCannotBeWrittenReportsTheSystemsErrorAndWritesNothing) {
    openWithStoredDesign();
    platform.savePath = path("missing/box.frd");
    trigger("Export FRD...");
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains("No such file or directory"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 0);
    platform.savePath.reset();  // a cancelled dialog writes nothing and says nothing
    trigger("Export CSV...");
    EXPECT_EQ(platform.errors.size(), 1);
}

TEST_F(CurveExchangeTest, AMeasurementIsDrawnOnItsChartUntilItsButtonIsClicked) {
    openWithStoredDesign();
    writeFile("woofer.frd", "Measured woofer\n* comment\n20;80,5;10\n50;88,25;-5\n200;91;0\n");
    platform.openPaths = {path("woofer.frd")};
    trigger("Open measurement...");
    ASSERT_EQ(page->charts().overlays().size(), 1u);
    EXPECT_EQ(drawn(ChartKind::Absolute, curve::kFirstOverlay),
              (std::vector<std::pair<double, double>>{{20, 80.5}, {50, 88.25}, {200, 91}}));
    auto* button = findByName<QToolButton>(page.get(), "overlay1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), "woofer");

    writeFile("woofer.zma", "10 7.5 20\n30 40 0\n100 8 -10\n");
    platform.openPaths = {path("woofer.zma")};
    trigger("Open measurement...");
    EXPECT_EQ(page->charts().limitKind(), LimitKind::Impedance);
    EXPECT_EQ(limitPlot->own(curve::kFirstOverlay + 1).value, (std::vector<double>{7.5, 40, 8}));

    QTest::mouseClick(findByName<QToolButton>(page.get(), "overlay1"), Qt::LeftButton);
    ASSERT_EQ(page->charts().overlays().size(), 1u);
    EXPECT_TRUE(drawn(ChartKind::Absolute, curve::kFirstOverlay).empty());
    EXPECT_EQ(limitPlot->own(curve::kFirstOverlay).value, (std::vector<double>{7.5, 40, 8}));
}

// A label shows whole when it fits the readout line and is cut only at the line's free end;
// its tooltip always holds the whole name.
TEST_F(CurveExchangeTest, AMeasurementsButtonShowsAsMuchOfItsNameAsFits) {
    struct Row {
        QString name;
        bool whole;
    };
    for (const Row& row : {Row{"reference woofer", true}, Row{QString(60, 'w'), false}}) {
        SCOPED_TRACE(row.name.toStdString());
        open();
        writeFile(row.name + ".frd", "20 80\n200 90\n");
        platform.openPaths = {path(row.name + ".frd")};
        trigger("Open measurement...");
        auto* button = findByName<QToolButton>(page.get(), "overlay1");
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text() == "✕ " + row.name, row.whole) << button->text().toStdString();
        EXPECT_TRUE(button->text().startsWith("✕ www") || row.whole);
        EXPECT_LE(button->geometry().right(), findByName<QWidget>(page.get(), "HzCaption")->x());
        EXPECT_TRUE(button->toolTip().startsWith(row.name + "\n"));
    }
}

// A driver's free-air impedance, even in a text file, goes on the impedance chart labelled with
// its fitted fs; the stored design's impedance stays beside it.
TEST_F(CurveExchangeTest, AFreeAirImpedanceIsLabelledWithItsFittedFs) {
    openWithStoredDesign();
    page->charts().setLimitKind(LimitKind::Impedance);
    const tools::FittedDriver measured{6.0, 42.0, 3.0, 0.5, 0.7, 0, tools::InductanceModel::Plain};
    QByteArray text;
    for (int i = 0; i < 200; ++i) {
        const double f = 10.0 * std::pow(1000.0, i / 199.0);
        const std::complex<double> z = tools::modelImpedance(measured, f);
        text += QByteArray::number(f, 'f', 4) + '\t' + QByteArray::number(std::abs(z), 'f', 4) +
                '\t' + QByteArray::number(std::arg(z) * 180.0 / pi, 'f', 3) + '\n';
    }
    writeFile("woofer free air.txt", text);
    platform.openPaths = {path("woofer free air.txt")};
    trigger("Open measurement...");

    ASSERT_EQ(page->charts().overlays().size(), 1u);
    const MeasurementOverlay& overlay = page->charts().overlays().front();
    EXPECT_TRUE(overlay.impedance);
    EXPECT_EQ(overlay.name.toStdString(), "woofer free air (free air, fs 42 Hz)");
    EXPECT_EQ(findByName<QToolButton>(page.get(), "overlay1")->accessibleName(), overlay.name);
    EXPECT_EQ(limitPlot->own(curve::kFirstOverlay).value, overlay.value);
    EXPECT_FALSE(limitPlot->own(curve::kFirstMemorySlot + 1).value.empty());
}

TEST_F(CurveExchangeTest, AFileWithoutPointsSaysWhichLineAndDrawsNothing) {
    open();
    writeFile("bad.frd", "* header\n\nabc 1 2\n");
    platform.openPaths = {path("bad.frd")};
    trigger("Open measurement...");
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_EQ(platform.errors[0], "bad.frd: line 3: 'abc' is not a number");
    platform.openPaths = {path("gone.frd")};
    trigger("Open measurement...");
    EXPECT_EQ(platform.errors.size(), 2);
    EXPECT_TRUE(page->charts().overlays().empty());
}

TEST_F(CurveExchangeTest, TheCurvesButtonOpensTheSameMenuFromTheKeyboard) {
    open();
    auto* button = findByName<QToolButton>(page.get(), "curves");
    EXPECT_EQ(button->menu(), menu());
    EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
}

}  // namespace
}  // namespace sublumo::ui_test
