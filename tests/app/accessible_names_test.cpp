// What a screen reader reads of every label is what the label shows, in every state a user
// brings the window to: the walk below reaches the pages and calculators as a user does, by
// clicks and keys, and reads each label's accessible name back after every step.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPicture>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "main_window.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

using namespace ui_test;

// A label's text as the eye reads it: plain, on one line.
QString shownText(const QLabel* label) {
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return text.simplified();
}

bool showsPicture(const QLabel* label) {
    return !label->pixmap().isNull() || !label->picture().isNull();
}

class AccessibleNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(platform, dir.path());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The rule: a label that shows text is read as that text, and a blank one as nothing (not as
    // what it once said, nor as its frame's title); a picture, or a symbol such as "×" that a
    // screen reader would skip, is read by a name of its own.
    void expectNamesFollowText(const std::string& state) {
        int labels = 0;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            const QString name = readName(label).simplified();
            const QString shown = shownText(label);
            const std::string where = state + ": " + label->objectName().toStdString();
            if (shown.isEmpty())
                EXPECT_EQ(name.isEmpty(), !showsPicture(label))
                    << where << " reads " << name.toStdString();
            else if (std::none_of(shown.begin(), shown.end(),
                                  [](QChar c) { return c.isLetterOrNumber(); }))
                EXPECT_FALSE(name.isEmpty()) << where;
            else
                EXPECT_EQ(name.toStdString(), shown.toStdString()) << where;
            ++labels;
        }
        EXPECT_GT(labels, 0) << state;
    }

    template <typename T = QWidget>
    T* find(const char* name) const {
        return findByName<T>(window.get(), name);
    }
    void type(const char* field, const QString& text) { typeInto(window.get(), field, text); }
    // Radio buttons take a click on their mark, near the left.
    void choose(const char* name) {
        QWidget* button = find(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void showPage(int index) {
        auto* pages = find<QTabWidget>("pages");
        clickTab(pages, index);
        ASSERT_TRUE(waitUntil([pages, index] { return pages->currentIndex() == index; }));
    }
    void showLowerPage(int index) { clickTab(find<QTabWidget>("lowerArea"), index); }
    QString shown(const char* label) const { return find<QLabel>(label)->text(); }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

constexpr const char* kCalculators[] = {"menuDiaphragmArea",
                                        "menuQFactors",
                                        "menuResonanceShift",
                                        "menuAddedResistanceMass",
                                        "menuVoiceCoilTemperature",
                                        "menuEnclosureResonances",
                                        "menuGoldenRatio",
                                        "menuCrossovers",
                                        "menuAirCoil",
                                        "menuNearField",
                                        "menuDistortion",
                                        "menuInternalResistance",
                                        "menuFreeFall"};

TEST_F(AccessibleNamesTest, EveryLabelIsReadAsTheTextItShows) {
    expectNamesFollowText("start");
    showLowerPage(1);
    for (const char* item : kCalculators) {
        choose(item);
        expectNamesFollowText(std::string("empty driver, ") + item);
    }
    showLowerPage(0);
    showPage(2);
    expectNamesFollowText("Formulas, empty driver");
    showPage(0);

    typeReferenceDriver(window.get());
    type("driverNameField", "Woofer");
    expectNamesFollowText("driver typed");
    clickButton(window.get(), "saveButton");
    ASSERT_TRUE(waitUntil([this] { return shown("countLabel") == "#1/1/1"; }));
    expectNamesFollowText("driver saved");
    auto* lists = find<QTabWidget>("listTabs");
    for (int tab : {1, 2, 0}) {
        clickTab(lists, tab);
        expectNamesFollowText("list tab " + std::to_string(tab));
    }

    showPage(1);
    ASSERT_TRUE(waitUntil([this] { return !window->pageTimer().isActive(); }));
    for (const char* type : {"closed", "vented", "bandpass"}) {
        choose(type);
        expectNamesFollowText(std::string("design computed, ") + type);
    }
    QTest::mouseClick(find("memoryStore1"), Qt::LeftButton);
    ASSERT_FALSE(shown("memoryText1").isEmpty());
    expectNamesFollowText("memory slot stored");
    QWidget* chart = find("graf1");
    QTest::mouseMove(chart, chart->rect().center());
    ASSERT_TRUE(waitUntil([this] { return !shown("cursorReadout").isEmpty(); }));
    expectNamesFollowText("cursor over the chart");
    QTest::mouseMove(chart, QPoint(chart->width() / 2, 1));
    ASSERT_TRUE(waitUntil([this] { return shown("cursorReadout").isEmpty(); }));
    expectNamesFollowText("cursor off the plot area");
    showPage(2);
    expectNamesFollowText("Formulas");
    showPage(0);

    showLowerPage(1);
    for (const char* item : kCalculators) {
        choose(item);
        expectNamesFollowText(std::string("driver typed, ") + item);
    }
}

// The one-line results of the measurement calculators, shown and then blanked by a change.
TEST_F(AccessibleNamesTest, ACalculatorsBlankedLineIsReadAsNothing) {
    showLowerPage(1);
    choose("menuQFactors");
    for (auto [field, text] : {std::pair{"qRe", "6"}, {"qZmax", "54"}, {"qFs", "50"}})
        type(field, text);
    struct Step {
        const char* field;
        const char* text;
        const char* line;
        bool blank;
    };
    const Step steps[] = {{"qF1", "5", "qInformation", false},
                          {"qF1", "50", "qInformation", true},
                          {"amFs", "50", "amShift", true},
                          {"amNewFs", "40", "amShift", false},
                          {"amNewFs", "60", "amShift", true}};
    for (const Step& step : steps) {
        type(step.field, step.text);
        EXPECT_EQ(shown(step.line).isEmpty(), step.blank) << step.field << " " << step.text;
        expectNamesFollowText(std::string(step.field) + " " + step.text);
    }

    auto* list = find<QListWidget>("amList");
    type("amNewFs", "40");
    for (const char* madd : {"10", "12"}) {
        type("amMadd", madd);
        clickButton(window.get(), "amAdd");
    }
    ASSERT_FALSE(shown("amAverage").isEmpty());
    expectNamesFollowText("two measurements");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    clickButton(window.get(), "amDelete");
    EXPECT_TRUE(shown("amAverage").isEmpty());
    expectNamesFollowText("one measurement after a delete");
    type("amMadd", "14");
    clickButton(window.get(), "amAdd");
    ASSERT_FALSE(shown("amAverage").isEmpty());
    clickButton(window.get(), "amClear");
    EXPECT_TRUE(shown("amAverage").isEmpty());
    expectNamesFollowText("measurements cleared");

    QTest::mouseClick(find("amClosedBoxLink"), Qt::LeftButton);
    const Step closed[] = {
        {"cbFs", "50", "cbShift", true},      {"cbNewFs", "100", "cbShift", false},
        {"cbNewFs", "40", "cbShift", true},   {"cbDo", "200", "cbConeVolume", true},
        {"cbDi", "40", "cbConeVolume", true}, {"cbH", "60", "cbConeVolume", false},
        {"cbH", "0", "cbConeVolume", true}};
    for (const Step& step : closed) {
        type(step.field, step.text);
        EXPECT_EQ(shown(step.line).isEmpty(), step.blank) << step.field << " " << step.text;
        expectNamesFollowText(std::string(step.field) + " " + step.text);
    }
}

}  // namespace
}  // namespace sublumo
