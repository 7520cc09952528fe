#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <vector>

#include "loudspeaker/parameter_panel.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"
#include "widgets/clickable_label.h"

namespace sublumo {
namespace {

// A shown panel with a scripted platform; fields are found by their parameter names.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { makePanel({'.'}); }

    void makePanel(NumberFormat format) {
        panel = std::make_unique<ParameterPanel>(platform, format);
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    }

    QLineEdit* edit(const char* name) { return panel->findChild<QLineEdit*>(name); }
    ClickableLabel* label(const char* name) { return panel->findChild<ClickableLabel*>(name); }

    void type(const char* field, const QString& text) {
        ui_test::typeInto(panel.get(), field, text);
    }
    void typeReferenceDriver() { ui_test::typeReferenceDriver(panel.get()); }

    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    ScriptedPlatform platform;
    std::unique_ptr<ParameterPanel> panel;
};

TEST_F(PanelTest, StartsWithZeroEverywhereAndDerivedFieldsReadOnly) {
    for (const ParameterInfo& info : allParameterInfo()) {
        if (info.id == Param::Vascf || info.id == Param::Glossmm || info.id == Param::Mpow)
            continue;
        QLineEdit* e = edit(std::string(info.name).c_str());
        ASSERT_NE(e, nullptr) << info.name;
        EXPECT_EQ(e->text(), "0") << info.name;
        const bool derived = !info.entered || info.id == Param::Sd;
        EXPECT_EQ(e->isReadOnly(), derived) << info.name;
        EXPECT_EQ(e->focusPolicy() == Qt::NoFocus, derived) << info.name;
        // Derived fields are drawn on the window's colour, entered ones on the normal base.
        EXPECT_EQ(e->palette().color(QPalette::Base) == e->palette().color(QPalette::Window),
                  derived)
            << info.name;
        EXPECT_EQ(e->accessibleName().toStdString(), info.name);
        EXPECT_EQ(e->toolTip().toStdString(), info.tooltip);
    }
    EXPECT_FALSE(label("clearAll")->isEnabled());
    EXPECT_EQ(edit("driverUrlField")->text(), "https://");
    EXPECT_FALSE(edit("driverUrlField")->isVisible());
}

TEST_F(PanelTest, TypingTheReferenceDriverFillsTheDerivedFields) {
    typeReferenceDriver();
    EXPECT_EQ(edit("Qts")->text(), "0.307");
    EXPECT_EQ(edit("Sd")->text(), "530.93");
    EXPECT_EQ(edit("Vas")->text(), "187.77");
    EXPECT_EQ(edit("Bl")->text(), "13.45");
    EXPECT_EQ(edit("gamma")->text(), "224");
    EXPECT_EQ(edit("SPL")->text(), "93.49");
    EXPECT_EQ(edit("USPL")->text(), "95.04");
    EXPECT_TRUE(label("clearAll")->isEnabled());
    EXPECT_FALSE(panel->actions().driverComplete);
    type("driverNameField", "Maker One 10W");
    EXPECT_TRUE(panel->actions().driverComplete);
}

TEST_F(PanelTest, TypingOnACommaLocale) {
    makePanel({','});
    type("Qms", "2.5");  // the "." key types the locale's separator
    type("Qes", "0,35");
    EXPECT_EQ(edit("Qms")->text(), "2,5");
    EXPECT_EQ(edit("Qts")->text(), "0,307");
    type("fs", "3x0");
    EXPECT_EQ(edit("fs")->text(), "30");
}

TEST_F(PanelTest, EmptiedFieldIsRefilledAndSelected) {
    typeReferenceDriver();
    QLineEdit* qms = edit("Qms");
    qms->setFocus();
    qms->selectAll();
    QTest::keyClick(qms, Qt::Key_Backspace);
    EXPECT_EQ(qms->text(), "0");
    EXPECT_EQ(qms->selectedText(), "0");
    EXPECT_EQ(edit("Qts")->text(), "0");
    QTest::keyClick(qms, Qt::Key_4);  // replaces the selected "0"
    EXPECT_EQ(qms->text(), "4");
}

TEST_F(PanelTest, AreaModeAndTheEnterCycle) {
    click(label("diaphragmToggle"));
    EXPECT_TRUE(edit("Dd")->isReadOnly());
    EXPECT_FALSE(edit("Sd")->isReadOnly());
    EXPECT_EQ(edit("Sd")->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(QApplication::focusWidget(), edit("Sd"));
    type("Sd", "176.71");
    EXPECT_EQ(edit("Dd")->text(), "150");

    edit("Mms")->setFocus();
    QTest::keyClick(edit("Mms"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit("Sd"));
    QTest::keyClick(edit("Sd"), Qt::Key_Return);  // back to diameter entry
    EXPECT_EQ(QApplication::focusWidget(), edit("Dd"));
    EXPECT_FALSE(edit("Dd")->isReadOnly());
    EXPECT_EQ(edit("Dd")->text(), "150");
    EXPECT_EQ(panel->parameters().mode, DiaphragmEntryMode::Diameter);

    const char* cycle[] = {
        "Qms", "Qes", "fs", "Mms", "Dd", "Re", "Hc", "Hg", "Pe", "Le", "driverNameField", "Qms"};
    edit("driverNameField")->setFocus();
    QTest::keyClick(edit("driverNameField"), Qt::Key_Return);
    for (std::size_t i = 0; i + 1 < std::size(cycle); ++i) {
        ASSERT_EQ(QApplication::focusWidget(), edit(cycle[i])) << cycle[i];
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(edit("Qms")->text(), "0");  // Enter never inserts anything
}

TEST_F(PanelTest, LeFieldEnterGoesToTheUrlFieldWhenItShows) {
    click(label("nameLabel"));
    EXPECT_EQ(label("nameLabel")->text(), "URL");
    EXPECT_EQ(label("webSearch")->toolTip(), "Open the link");
    edit("Le")->setFocus();
    QTest::keyClick(edit("Le"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit("driverUrlField"));
    QTest::keyClick(edit("driverUrlField"), Qt::Key_Return);  // switches back to the name
    EXPECT_EQ(QApplication::focusWidget(), edit("driverNameField"));
    EXPECT_EQ(label("nameLabel")->text(), "M&M");
    EXPECT_EQ(label("webSearch")->toolTip(), "Google the driver");
}

TEST_F(PanelTest, DisplayTogglesRewriteTheirFields) {
    typeReferenceDriver();
    click(label("VasUnit"));
    EXPECT_EQ(label("VasUnit")->text(), "ft^3");
    EXPECT_EQ(edit("Vas")->text(), "6.631");
    click(label("VasUnit"));
    EXPECT_EQ(edit("Vas")->text(), "187.77");

    click(label("BlCaption"));
    EXPECT_EQ(label("BlCaption")->text(), "Mpow");
    EXPECT_EQ(label("BlUnit")->text(), "N/sqrt(W)");
    EXPECT_EQ(label("BlCaption")->toolTip(), "Motor system power-factor");
    EXPECT_EQ(edit("Bl")->text(), "5.68");

    type("Hc", "12");
    type("Hg", "6");
    EXPECT_EQ(edit("Gloss")->text(), "9.2");
    click(label("GlossUnit"));
    EXPECT_EQ(label("GlossUnit")->text(), "mm");
    EXPECT_EQ(edit("Gloss")->text(), "0.28");
}

// A switch's accessible name is what it shows now (an icon's tooltip), its description what the
// next click does; a label that changes with another switch follows it the same way.
struct SwitchRow {
    const char* clicked;
    const char* watched;
    QString nameBefore, descriptionBefore, nameAfter, descriptionAfter;
};

TEST_F(PanelTest, SwitchesNameWhatTheyShowAndSayWhatAClickDoes) {
    const QString blHint = QString::fromUtf8(parameterInfo(Param::Bl).tooltip.data());
    const QString mpowHint = QString::fromUtf8(parameterInfo(Param::Mpow).tooltip.data());
    const std::vector<SwitchRow> rows = {
        {"VasUnit", "VasUnit", "litres", "Show Vas in cubic feet", "ft^3", "Show Vas in litres"},
        {"GlossUnit", "GlossUnit", "%", "Show Gloss in millimeters", "mm",
         "Show Gloss in percent of Xmax"},
        {"BlCaption", "BlCaption", "Bl", "Show Mpow instead of Bl", "Mpow",
         "Show Bl instead of Mpow"},
        {"BlCaption", "BlUnit", "N/A", blHint, "N/sqrt(W)", mpowHint},
        {"nameLabel", "nameLabel", "M&M", "Show the URL field", "URL", "Show the name field"},
        {"nameLabel", "webSearch", "Google the driver", "Search the web for the driver's name",
         "Open the link", "Open the URL in the web browser"},
        {"diaphragmToggle", "diaphragmToggle", "Toggle between Dd and Sd", "Enter Sd instead of Dd",
         "Toggle between Dd and Sd", "Enter Dd instead of Sd"},
    };
    for (const SwitchRow& row : rows) {
        SCOPED_TRACE(row.watched);
        ClickableLabel* watched = label(row.watched);
        ASSERT_NE(watched, nullptr);
        for (int pass = 0; pass < 2; ++pass) {  // there and back again
            EXPECT_EQ(ui_test::readName(watched), row.nameBefore);
            EXPECT_EQ(watched->accessibleDescription(), row.descriptionBefore);
            click(label(row.clicked));
            EXPECT_EQ(ui_test::readName(watched), row.nameAfter);
            EXPECT_EQ(watched->accessibleDescription(), row.descriptionAfter);
            if (!watched->text().isEmpty()) {
                EXPECT_EQ(ui_test::readName(watched), watched->text());
            }
            click(label(row.clicked));
        }
    }
    EXPECT_EQ(ui_test::readName(label("clearAll")), "Clear all");
}

TEST_F(PanelTest, ClearAllResetsEverythingAndReturnsToTheName) {
    typeReferenceDriver();
    type("driverNameField", "X");
    click(label("nameLabel"));
    type("driverUrlField", "https://example.com");
    click(label("clearAll"));
    for (const char* name : {"Qms", "Dd", "Qts", "Sd", "Vas", "SPL"})
        EXPECT_EQ(edit(name)->text(), "0");
    EXPECT_TRUE(edit("driverNameField")->isVisible());
    EXPECT_FALSE(edit("driverUrlField")->isVisible());
    EXPECT_EQ(edit("driverUrlField")->text(), "https://");
    EXPECT_EQ(edit("driverNameField")->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), edit("driverNameField"));
    EXPECT_EQ(label("nameLabel")->text(), "M&M");
    EXPECT_FALSE(label("clearAll")->isEnabled());
    for (double v : panel->parameters().values) EXPECT_EQ(v, 0.0);
}

TEST_F(PanelTest, WebSearchAndOpenLink) {
    click(label("webSearch"));
    EXPECT_TRUE(platform.openedAddresses.isEmpty());  // no name: nothing happens

    type("driverNameField", QStringLiteral("B&C S"));
    edit("driverNameField")->insert(QStringLiteral("éas"));  // not typeable through QTest
    click(label("webSearch"));
    ASSERT_EQ(platform.openedAddresses.size(), 1);
    EXPECT_EQ(platform.openedAddresses[0], "https://www.google.com/search?q=B%26C%20S%20as");

    click(label("nameLabel"));
    click(label("webSearch"));  // "https://" alone is no link
    EXPECT_EQ(platform.openedAddresses.size(), 1);

    type("driverUrlField", "file:///etc/passwd");
    click(label("webSearch"));
    EXPECT_EQ(platform.openedAddresses.size(), 1);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains("file:///etc/passwd"));

    type("driverUrlField", "https://example.com/sheet.pdf");
    click(label("webSearch"));
    ASSERT_EQ(platform.openedAddresses.size(), 2);
    EXPECT_EQ(platform.openedAddresses[1], "https://example.com/sheet.pdf");
}

TEST_F(PanelTest, UnparsableTextKeepsTheDerivedFields) {
    typeReferenceDriver();
    edit("Mms")->setText("6.0.");
    EXPECT_EQ(edit("Vas")->text(), "187.77");
    edit("Mms")->setText("60");
    EXPECT_EQ(edit("Vas")->text(), "187.77");
}

TEST_F(PanelTest, ClicksAndDoubleClicksReachTheWindow) {
    int hides = 0, toggles = 0;
    QObject::connect(panel.get(), &ParameterPanel::backgroundClicked, [&] { ++hides; });
    QObject::connect(panel.get(), &ParameterPanel::expandToggleRequested, [&] { ++toggles; });
    click(label("QmsCaption"));
    EXPECT_EQ(hides, 1);
    click(panel.get());
    EXPECT_EQ(hides, 2);
    QTest::mouseDClick(label("ReUnit"), Qt::LeftButton);
    QTest::mouseDClick(panel.get(), Qt::LeftButton);
    EXPECT_EQ(toggles, 2);
}

}  // namespace
}  // namespace sublumo
