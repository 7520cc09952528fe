// The whole window as it starts on a "." and on a "," locale: every number a field starts with
// is written with the locale's separator, and a first design computes with them.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "number_text.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

using ui_test::findByName;

struct LocaleRow {
    const char* name;
    QLocale locale;
    char separator;
};

class StartStateTest : public ::testing::TestWithParam<LocaleRow> {
protected:
    void SetUp() override {
        QLocale::setDefault(GetParam().locale);
        window = std::make_unique<MainWindow>(platform, dir.path());
        // The window has read the locale; nothing may read it again later (a page built on
        // first use included), so a change of separator now must show nowhere.
        QLocale::setDefault(GetParam().separator == ',' ? QLocale::c() : QLocale(QLocale::German));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    template <typename T = QWidget>
    T* find(const char* name) const {
        return findByName<T>(window.get(), name);
    }
    QLineEdit* field(const char* group, const char* name) const {
        return findByName<QLineEdit>(find(group), name);
    }
    QString text(const char* group, const char* name) const { return field(group, name)->text(); }
    double value(const char* group, const char* name) const {
        return parseDecimal(text(group, name).toStdString(), format()).value_or(0.0);
    }
    NumberFormat format() const { return NumberFormat{GetParam().separator}; }
    // "2.83" as the locale writes it.
    QString local(const char* text) const {
        return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                                 QLatin1Char(GetParam().separator));
    }
    // Radio buttons and check boxes take a click on their mark or caption.
    void clickMark(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    // Every page, enclosure type and calculator once, as a user looks round a new program.
    void visitEverything() {
        auto* pages = find<QTabWidget>("pages");
        auto* lower = find<QTabWidget>("lowerArea");
        ui_test::clickTab(lower, 1);
        const QRegularExpression menuItem(QStringLiteral("^menu[A-Z]"));
        for (QRadioButton* item : window->findChildren<QRadioButton*>(menuItem)) clickMark(item);
        ui_test::clickTab(lower, 0);
        ui_test::clickTab(pages, 1);
        for (const char* type : {"vented", "bandpass", "closed"})
            clickMark(find<QRadioButton>(type));
        ui_test::clickTab(pages, 2);
        ui_test::clickTab(pages, 0);
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_P(StartStateTest, EveryStartNumberIsInTheLocalesFormAndADesignComputes) {
    const QChar separator = QLatin1Char(GetParam().separator);
    const QChar other = QLatin1Char(GetParam().separator == '.' ? ',' : '.');
    visitEverything();

    const struct {
        const char* group;
        const char* field;
        const char* start;
    } defaults[] = {
        {"sourceMic", "U", "2.83"},
        {"additionalOptions", "Rs", "0.1"},
        {"cabinGain", "lmax", "2.2"},
        {"cabinGain", "fcg", "78.2"},  // 344 / (2 * 2.2), not an empty field
        {"linkwitz", "Qp", "0.707"},
        {"linkwitzCircuit", "C2", "0.1"},
        {"ventedBox", "k", "0.85"},
        {"bandpassBox", "k", "0.85"},
        {"advancedOptionsPage", "zobelLe", "0.8"},
        {"advancedOptionsPage", "coilDw", "0.8"},
        {"advancedOptionsPage", "riU2", "5.9"},
        {"advancedOptionsPage", "riRLoad", "3.3"},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(text(d.group, d.field).toStdString(), local(d.start).toStdString()) << d.field;
    // Whatever else starts with a fraction writes it the same way.
    const QRegularExpression number(QStringLiteral("^-?[0-9]*[.,][0-9]+$"));
    int fractions = 0;
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (!number.match(edit->text()).hasMatch())
            continue;
        ++fractions;
        EXPECT_FALSE(edit->text().contains(other))
            << edit->objectName().toStdString() << " " << edit->text().toStdString();
    }
    EXPECT_GE(fractions, static_cast<int>(std::size(defaults)));

    // A first design computes from the start texts as they stand.
    ui_test::typeReferenceDriver(window.get());
    ui_test::clickTab(find<QTabWidget>("pages"), 1);
    ASSERT_TRUE(ui_test::waitUntil([&] { return field("closedBox", "Vb")->isEnabled(); }));
    ui_test::typeInto(field("closedBox", "Vb"), QStringLiteral("50"));
    EXPECT_GT(value("closedBox", "Qtc"), 0);
    EXPECT_GT(value("sourceMic", "Pd"), 0);
    EXPECT_GT(value("sourceMic", "L"), 0);
    EXPECT_TRUE(text("closedBox", "Qtc").contains(separator));

    clickMark(find<QCheckBox>("linkwitzOn"));
    ASSERT_TRUE(find<QCheckBox>("linkwitzOn")->isChecked());
    EXPECT_GT(value("linkwitz", "fp"), 0);
    EXPECT_EQ(text("linkwitz", "Qp").toStdString(), local("0.707").toStdString());
    EXPECT_EQ(text("linkwitzCircuit", "C2").toStdString(), local("0.1").toStdString());
    EXPECT_GT(value("linkwitzCircuit", "R1"), 0);
    EXPECT_TRUE(platform.errors.isEmpty()) << platform.errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Locales, StartStateTest,
                         ::testing::Values(LocaleRow{"German", QLocale(QLocale::German), ','},
                                           LocaleRow{"C", QLocale::c(), '.'},
                                           LocaleRow{"English", QLocale(QLocale::English), '.'}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace sublumo
