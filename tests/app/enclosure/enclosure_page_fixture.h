#pragma once

// The Enclosure page on its own, over a driver the test sets, with charts that record what was
// drawn instead of painting it.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "../../enclosure/test_driver.h"
#include "bandpass_box.h"
#include "charts/fake_chart.h"
#include "charts/response_chart.h"
#include "charts/response_charts_view.h"
#include "closed_box.h"
#include "enclosure/enclosure_page.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"
#include "vented_box.h"

namespace sublumo::ui_test {

// Records the points of every curve; an empty curve has been cleared.
class RecordingChart final : public ResponseChart {
public:
    explicit RecordingChart(QWidget* parent) : m_widget(new QWidget(parent)) {
        m_widget->resize(587, 309);
    }
    void clearCurve(int c) override { curves[static_cast<std::size_t>(c)].clear(); }
    void setCurvePoints(int c, std::span<const double> x, std::span<const double> y) override {
        auto& points = curves[static_cast<std::size_t>(c)];
        points.clear();
        for (std::size_t i = 0; i < x.size(); ++i) points.emplace_back(x[i], y[i]);
    }
    void setLevelWindow(double minimum, double maximum) override {
        m_min = minimum;
        m_max = maximum;
    }
    double levelMinimum() const override { return m_min; }
    double levelMaximum() const override { return m_max; }
    void setNote(const QString& text) override { note = text; }
    std::optional<ChartReading> readingAt(QPointF) const override { return std::nullopt; }
    QWidget* widget() override { return m_widget; }

    std::array<std::vector<std::pair<double, double>>, curve::kCount> curves;
    QString note;

private:
    QWidget* m_widget;
    double m_min = -30;
    double m_max = 10;
};

class EnclosurePageTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }

    // Builds the page over `figures` and starts the design as the page timer does.
    void open(const enclosure::test::DriverFigures& figures = {}, bool start = true) {
        driver = enclosure::test::makeDriver(figures);
        page = std::make_unique<EnclosurePage>(
            platform, format, [this]() -> const DriverParameters& { return driver; }, nullptr,
            [this](ChartKind kind, QWidget* parent) {
                auto chart = std::make_unique<RecordingChart>(parent);
                charts[kind == ChartKind::Relative ? 0 : 1] = chart.get();
                return chart;
            },
            [this](QWidget* parent) {
                auto plot = std::make_unique<test::FakeLimitPlot>(parent);
                limitPlot = plot.get();
                return plot;
            });
        QObject::connect(page.get(), &EnclosurePage::windowCaptionChanged, page.get(),
                         [this](const QString& caption) { windowCaption = caption; });
        page->show();
        QApplication::setActiveWindow(page.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(page.get()));
        if (start)
            page->startDesign();
    }

    template <typename T = QLineEdit>
    T* in(const char* group, const char* name) const {
        return findByName<T>(findByName<QWidget>(page.get(), group), name);
    }
    QString text(const char* group, const char* name) const { return in(group, name)->text(); }
    void type(const char* group, const char* name, const QString& text) {
        typeInto(in(group, name), text);
    }
    void click(const char* group, const char* name) {
        QTest::mouseClick(in<QWidget>(group, name), Qt::LeftButton);
    }
    // Radio buttons and check boxes take a click on their mark or caption, near the left.
    void clickPage(const char* name) {
        QWidget* target = findByName<QWidget>(page.get(), name);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
    }
    void key(QWidget* target, Qt::Key k) { QTest::keyClick(target, k); }
    void chooseItem(const char* list, int row) {
        auto* items = findByName<QListWidget>(page.get(), (std::string(list) + "Items").c_str());
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                          items->visualItemRect(items->item(row)).center());
    }
    const std::vector<std::pair<double, double>>& drawn(ChartKind kind, int c) const {
        return charts[kind == ChartKind::Relative ? 0 : 1]->curves[static_cast<std::size_t>(c)];
    }
    // The inputs the pure recompute sees when the page's option fields hold their defaults.
    enclosure::SharedInputs shared(const char* count = "1") const {
        enclosure::SharedInputs s;
        s.arrangement.countText = count;
        s.Rs = text("additionalOptions", "Rs").toStdString();
        s.Mplus = text("additionalOptions", "M+").toStdString();
        s.Tvc = text("additionalOptions", "Tvc").toStdString();
        s.U = text("sourceMic", "U").toStdString();
        s.d = text("sourceMic", "d").toStdString();
        return s;
    }
    // The figures of the box examples hold for the driver alone, without a series resistance.
    void withoutSeriesResistance() { type("additionalOptions", "Rs", "0"); }
    static QString qs(const std::string& s) { return QString::fromStdString(s); }

    ScriptedPlatform platform;
    NumberFormat format{'.'};
    DriverParameters driver;
    std::array<RecordingChart*, 2> charts{};
    test::FakeLimitPlot* limitPlot = nullptr;
    std::unique_ptr<EnclosurePage> page;
    QString windowCaption;
};

}  // namespace sublumo::ui_test
