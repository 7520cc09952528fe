#pragma once

// The main window on its "Advanced options" page, found and driven as a user would.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <string>

#include "loudspeaker/parameter_panel.h"
#include "main_window.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

namespace sublumo::calculator_test {

inline constexpr NumberFormat kFormat{'.'};

// The menu items in menu order, by their radio buttons' names.
inline constexpr const char* kItems[] = {"menuDiaphragmArea",
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

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(platform, QString());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        auto* lower = find<QTabWidget>("lowerArea");
        ui_test::clickTab(lower, 1);
        ASSERT_TRUE(ui_test::waitUntil([lower] { return lower->currentIndex() == 1; }));
    }

    template <typename T = QWidget>
    T* find(const char* name) const {
        return ui_test::findByName<T>(window.get(), name);
    }
    ParameterPanel& driver() const { return window->parameterPanel(); }

    // A radio button takes clicks on its indicator and caption.
    void choose(const char* item) {
        QTest::mouseClick(find<QRadioButton>(item), Qt::LeftButton, {}, QPoint(6, 8));
    }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    void type(const char* field, const QString& text) {
        ui_test::typeInto(window.get(), field, text);
    }
    // Empties a field as Backspace does.
    void clearField(const char* field) {
        QLineEdit* edit = find<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
    }

    // What a field, a label or a text box shows; a label's line break reads as "\r".
    std::string shown(const char* name) const {
        QWidget* w = find(name);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text().toStdString();
        if (auto* box = qobject_cast<QPlainTextEdit*>(w))
            return box->toPlainText().toStdString();
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text().replace(QLatin1Char('\n'), QLatin1Char('\r')).toStdString();
        return {};
    }
    std::string focusName() const {
        QWidget* focus = QApplication::focusWidget();
        return focus == nullptr ? std::string() : focus->objectName().toStdString();
    }

    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

inline std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

}  // namespace sublumo::calculator_test
