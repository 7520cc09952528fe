// The Q-factors panel reads a measured impedance file, fits it off the GUI thread and fills its
// fields; the Mms methods read the second measurement the same way.
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>
#include <random>

#include "calculator_fixture.h"
#include "curve_files.h"
#include "derived_quantities.h"
#include "impedance_fit.h"
#include "mms_measurement.h"

namespace sublumo::calculator_test {
namespace {

using tools::FittedDriver;
using tools::InductanceModel;

// A free-air sweep of `driver` with 1 % noise on the magnitude and 1 degree on the phase,
// written as a ZMA file.
QString writeMeasurement(const QTemporaryDir& dir, const char* name, const FittedDriver& driver) {
    std::mt19937 random(9);
    std::normal_distribution<double> normal;
    database::NamedCurve curve{name, {}, {}, {}};
    for (int i = 0; i < 400; ++i) {
        const double f = 10.0 * std::pow(2000.0, i / 399.0);
        const std::complex<double> z = tools::modelImpedance(driver, f);
        curve.frequency.push_back(f);
        curve.value.push_back(std::abs(z) * (1.0 + 0.01 * normal(random)));
        curve.phase.push_back(std::arg(z) * 180.0 / pi + normal(random));
    }
    const QString path = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".zma"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(database::writeCurveFile(
        curve, {"test", "measurement", "free air"}, database::CurveKind::Impedance)));
    return path;
}

// What the fit of the file as written gives, as the panel is to show it.
tools::ImpedanceFitTexts expectedTexts(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const database::CurveReadResult read = database::readCurveFile(file.readAll().toStdString());
    tools::ImpedanceCurve curve;
    for (const database::CurvePoint& p : read.points) {
        curve.frequency.push_back(p.frequency);
        curve.magnitude.push_back(p.value);
        curve.phase.push_back(*p.phase);
    }
    return tools::impedanceFitTexts(tools::fitImpedance(curve), kFormat);
}

const FittedDriver kDriver{5.6, 30.0, 2.5, 0.35, 0.9, 0, InductanceModel::Plain};

class ImpedanceFitPanelTest : public CalculatorTest {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        choose("menuQFactors");
    }

    // Clicks the button with the script answering its file dialog, and waits for the fit.
    void open(const char* button, const QString& path) {
        platform.openPaths = {path};
        click(button);
        ASSERT_TRUE(ui_test::waitUntil([this, button] { return find(button)->isEnabled(); }));
        QApplication::processEvents();
    }

    QTemporaryDir dir;
};

TEST_F(ImpedanceFitPanelTest, OpenImpedanceFillsTheFieldsAndOkTransfersThem) {
    const QString path = writeMeasurement(dir, "woofer", kDriver);
    const tools::ImpedanceFitTexts want = expectedTexts(path);
    open("qOpenImpedance", path);

    ASSERT_TRUE(platform.errors.isEmpty()) << platform.errors.join(' ').toStdString();
    EXPECT_EQ(shown("qRe"), want.re);
    EXPECT_EQ(shown("qFs"), want.fs);
    EXPECT_EQ(shown("qQms"), want.qms);
    EXPECT_EQ(shown("qQes"), want.qes);
    EXPECT_EQ(shown("qQts"), want.qts);
    EXPECT_EQ(shown("qLe"), want.le);
    EXPECT_EQ(shown("qOpenImpedanceLine"),
              "woofer.zma:\r" + want.modelLine + "\r" + want.residualLine);
    EXPECT_EQ(shown("amFs"), want.fs);
    EXPECT_TRUE(find("fitChart")->isVisible());

    ui_test::typeReferenceDriver(window.get());
    click("qOk");
    for (const tools::FieldWrite& write : tools::fittedTransfer(want).writes)
        EXPECT_EQ(driver().fieldText(write.param).toStdString(), write.text)
            << parameterInfo(write.param).name;

    // Typing over a fitted input leaves the fit: the calculator's own arithmetic takes over.
    type("qF2", "40");
    EXPECT_EQ(shown("qLe"), "0");
    EXPECT_EQ(shown("qOpenImpedanceLine"), "");
}

// A flat impedance of `lines` points the fit refuses, and the reason the panel is to give.
struct RefusedFile {
    const char* name;
    int lines;
    const char* reason;
};

const RefusedFile kRefused[] = {
    {"flat.zma", 100, "no resonance peak"},
    {"huge.zma", 1'300'000, "larger than 10 MB"},  // about 20 MB
};

TEST_F(ImpedanceFitPanelTest, RefusedFileSaysWhyAndChangesNothing) {
    type("qRe", "6");
    for (const RefusedFile& row : kRefused) {
        SCOPED_TRACE(row.name);
        platform.errors.clear();
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < row.lines; ++i) file.write(QByteArray::number(20 + i) + " 8.0 0.0\n");
        file.close();
        open("qOpenImpedance", path);

        ASSERT_EQ(platform.errors.size(), 1);
        EXPECT_TRUE(platform.errors.constFirst().contains(QString::fromLatin1(row.reason)))
            << platform.errors.constFirst().toStdString();
        EXPECT_EQ(shown("qOpenImpedanceLine"), platform.errors.constFirst().toStdString());
        EXPECT_EQ(shown("qRe"), "6");
        EXPECT_EQ(shown("qFs"), "0");
    }
}

// The second measurement's fitted fs goes into "new fs" of the method on show, and with the
// typed mass the calculator gives Mms as it does for typed resonances.
TEST_F(ImpedanceFitPanelTest, SecondMeasurementFillsNewFs) {
    open("qOpenImpedance", writeMeasurement(dir, "free", kDriver));
    FittedDriver loaded = kDriver;
    loaded.fs = 24.0;
    const QString path = writeMeasurement(dir, "loaded", loaded);
    open("amOpenSecond", path);

    const tools::ImpedanceFitTexts want = expectedTexts(path);
    EXPECT_EQ(shown("amNewFs"), want.fs);
    EXPECT_EQ(shown("amOpenSecondLine").rfind("loaded.zma: Fitted: fs " + want.fs + " Hz", 0), 0u)
        << shown("amOpenSecondLine");
    type("amMadd", "20");
    EXPECT_EQ(shown("amMms"), tools::computeAddedMass({shown("amFs"), want.fs, "20"}, kFormat).mms);
}

}  // namespace
}  // namespace sublumo::calculator_test
