#include <QAbstractButton>
#include <QGroupBox>
#include <QSignalBlocker>

#include "calculator_fixture.h"
#include "q_factors.h"
#include "widgets/clickable_label.h"

namespace sublumo::calculator_test {
namespace {

using PageTest = CalculatorTest;

// Each menu item: its panel, the field that takes the focus, and whether choosing it
// computes (an emptied focus field is refilled only by a computation).
struct MenuRow {
    const char* item;
    const char* panel;
    const char* focus;  // nullptr: the field cannot take the focus without a driver
    const char* probe;
    bool computed;
};

constexpr MenuRow kMenuRows[] = {
    {"menuDiaphragmArea", "diaphragmAreaPanel", "areaD", "areaD", false},
    {"menuQFactors", "qFactorsPanel", "qRe", "qRe", false},
    {"menuResonanceShift", "resonanceShiftPanel", nullptr, "shiftNewFs", false},
    {"menuAddedResistanceMass", "addedResistanceAndMassPanel", nullptr, "raddRadd", false},
    {"menuVoiceCoilTemperature", "voiceCoilTemperaturePanel", "tempReAtT1", "tempReAtT1", true},
    {"menuEnclosureResonances", "enclosureResonancesPanel", "boxWidth", "boxWidth", true},
    {"menuGoldenRatio", "goldenRatioPanel", "goldenMinimalSize", "goldenMinimalSize", true},
    {"menuCrossovers", "crossoverPanel", "xoZ", "lpadZ", true},
    {"menuAirCoil", "airCoilPanel", "coilD", "coilD", true},
    {"menuNearField", "nearFieldPanel", "nfDd", "cvVents", true},
    {"menuDistortion", "distortionPanel", "dbValue", "dbValue", true},
    {"menuInternalResistance", "internalResistancePanel", "riU1", "riU1", true},
    {"menuFreeFall", "freeFallPanel", "fallValue", "fallValue", true},
};

TEST_F(PageTest, StartsWithTheFirstCalculatorChosenInTheFirstMenu) {
    EXPECT_EQ(find<QGroupBox>("calculatorMenu1")->title(), " Select from menu ");
    EXPECT_TRUE(find<QRadioButton>("menuDiaphragmArea")->isChecked());
    for (const MenuRow& row : kMenuRows) {
        EXPECT_EQ(find(row.panel)->isVisible(), &row == &kMenuRows[0]) << row.panel;
        EXPECT_EQ(find<QRadioButton>(row.item)->isChecked(), row.item == kMenuRows[0].item);
    }
}

TEST_F(PageTest, ChoosingAnItemShowsItsPanelFocusesItsFieldAndComputesWhereItShould) {
    for (const MenuRow& row : kMenuRows) {
        SCOPED_TRACE(row.item);
        {
            const QSignalBlocker quiet(find(row.probe));
            find<QLineEdit>(row.probe)->clear();
        }
        choose(row.item);
        EXPECT_TRUE(find(row.panel)->isVisible());
        for (const MenuRow& other : kMenuRows) {
            if (&other == &row)
                continue;
            EXPECT_FALSE(find(other.panel)->isVisible()) << other.panel;
            EXPECT_FALSE(find<QRadioButton>(other.item)->isChecked()) << other.item;
        }
        EXPECT_EQ(focusName(), row.focus ? row.focus : row.item);
        EXPECT_EQ(find<QLineEdit>(row.probe)->text().isEmpty(), !row.computed);
        // Later computations refill the probe; the next row starts from a fresh text.
        type(row.probe, "1");
    }
}

TEST_F(PageTest, AnItemOfAnotherMenuClearsTheOthers) {
    choose("menuAirCoil");
    choose("menuGoldenRatio");
    EXPECT_TRUE(find("goldenRatioPanel")->isVisible());
    EXPECT_FALSE(find("airCoilPanel")->isVisible());
    EXPECT_FALSE(find<QRadioButton>("menuAirCoil")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("menuGoldenRatio")->isChecked());
    choose("menuInternalResistance");
    EXPECT_FALSE(find<QRadioButton>("menuGoldenRatio")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("menuDiaphragmArea")->isChecked());
    EXPECT_TRUE(find("internalResistancePanel")->isVisible());
}

TEST_F(PageTest, TheDriverDependentCalculatorsTakeTheFocusOnceTheDriverIsComplete) {
    ui_test::typeReferenceDriver(window.get());
    choose("menuResonanceShift");
    EXPECT_EQ(focusName(), "shiftNewFs");
    choose("menuAddedResistanceMass");
    EXPECT_EQ(focusName(), "raddRadd");
}

TEST_F(PageTest, AnEmptiedInputIsRefilledWithItsDefaultAndSelected) {
    struct Row {
        const char* item;
        const char* field;
        const char* refill;
    };
    for (const Row& row :
         {Row{"menuQFactors", "qRe", "0"}, Row{"menuEnclosureResonances", "boxWidth", "240"},
          Row{"menuInternalResistance", "riU2", "5.9"}, Row{"menuAirCoil", "coilDw", "0.8"}}) {
        choose(row.item);
        clearField(row.field);
        auto* edit = find<QLineEdit>(row.field);
        EXPECT_EQ(edit->text(), row.refill) << row.field;
        EXPECT_EQ(edit->selectedText(), row.refill) << row.field;
    }
}

TEST_F(PageTest, QFactorsHintAsksForReAndZmaxWhenChosen) {
    choose("menuQFactors");
    EXPECT_EQ(shown("qHint"), tools::kQFactorsFirstHint);
    EXPECT_FALSE(find("qF1")->isEnabled());
    EXPECT_FALSE(find("qF2")->isEnabled());
}

// Enter moves through each group's cycle; a field that cannot take the focus passes it on.
struct EnterRow {
    const char* item;
    const char* from;
    const char* to;
};

constexpr EnterRow kEnterRows[] = {
    {"menuDiaphragmArea", "areaD", "areaS"},  // d' is disabled for the round shape
    {"menuDiaphragmArea", "areaS", "areaF"},
    {"menuDiaphragmArea", "areaF", "areaD"},
    {"menuDiaphragmArea", "crossKnownPixels", "crossA"},
    {"menuDiaphragmArea", "crossA", "crossUnknownPixels"},
    {"menuDiaphragmArea", "crossUnknownPixels", "crossKnownPixels"},
    {"menuQFactors", "qRe", "qZmax"},
    {"menuQFactors", "qZmax", "qFs"},
    {"menuQFactors", "qFs", "qRe"},  // f1 is disabled until Re and Zmax are given
    {"menuQFactors", "amFs", "amNewFs"},
    {"menuQFactors", "amNewFs", "amMadd"},
    {"menuQFactors", "amMadd", "amFs"},
    {"menuVoiceCoilTemperature", "tempReAtT1", "tempT1"},
    {"menuVoiceCoilTemperature", "tempT1", "tempT2"},
    {"menuVoiceCoilTemperature", "tempT2", "tempReAtT1"},
    {"menuEnclosureResonances", "boxWidth", "boxHeight"},
    {"menuEnclosureResonances", "boxHeight", "boxDepth"},
    {"menuEnclosureResonances", "boxDepth", "boxWidth"},
    {"menuGoldenRatio", "goldenMinimalSize", "goldenMinimalSize"},
    {"menuCrossovers", "xoZ", "xoFc"},
    {"menuCrossovers", "xoFc", "xoZ"},
    {"menuCrossovers", "lpadZ", "lpadA"},
    {"menuCrossovers", "lpadA", "lpadP"},
    {"menuCrossovers", "lpadP", "lpadZ"},
    {"menuAirCoil", "coilD", "coilH"},
    {"menuAirCoil", "coilH", "coilDw"},
    {"menuAirCoil", "coilDw", "coilTurns"},
    {"menuAirCoil", "coilTurns", "coilD"},
    {"menuNearField", "nfDd", "nfDistance"},
    {"menuNearField", "nfDistance", "nfDd"},
    {"menuNearField", "cvDd", "cvVent"},
    {"menuNearField", "cvVent", "cvVents"},  // the height shows only for rectangles
    {"menuNearField", "cvVents", "cvDd"},
    {"menuInternalResistance", "riU1", "riU2"},
    {"menuInternalResistance", "riU2", "riRLoad"},
    {"menuInternalResistance", "riRLoad", "riU1"},
};

TEST_F(PageTest, EnterFollowsEachGroupsCycle) {
    for (const EnterRow& row : kEnterRows) {
        choose(row.item);
        auto* from = find<QLineEdit>(row.from);
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
        EXPECT_EQ(focusName(), row.to) << row.from;
    }
}

TEST_F(PageTest, EnterReachesTheFieldsThatOpenLater) {
    choose("menuQFactors");
    type("qRe", "6");
    type("qZmax", "54");
    find("qFs")->setFocus();
    QTest::keyClick(find("qFs"), Qt::Key_Return);
    EXPECT_EQ(focusName(), "qF1");
    QTest::keyClick(find("qF1"), Qt::Key_Return);
    EXPECT_EQ(focusName(), "qF2");
    QTest::keyClick(find("qF2"), Qt::Key_Return);
    EXPECT_EQ(focusName(), "qRe");

    choose("menuDiaphragmArea");
    click("areaShape");  // square: d' opens
    QTest::keyClick(find("areaD"), Qt::Key_Return);
    EXPECT_EQ(focusName(), "areaDPrime");

    choose("menuNearField");
    click("cvVentCaption");  // rectangle: the height shows
    QTest::keyClick(find("cvVent"), Qt::Key_Return);
    EXPECT_EQ(focusName(), "cvVentHeight");
    QTest::keyClick(find("cvVentHeight"), Qt::Key_Return);
    EXPECT_EQ(focusName(), "cvVents");
}

TEST_F(PageTest, TheSolverOpensTheModificationInputsOnlyForAUsableDriver) {
    const char* inputs[] = {"shiftNewFs", "raddRadd", "maddMadd"};
    const char* oks[] = {"shiftNewFsOk", "raddRaddOk", "maddMaddOk"};
    for (const char* name : inputs) EXPECT_FALSE(find(name)->isEnabled()) << name;
    for (const char* name : oks) EXPECT_FALSE(find(name)->isEnabled()) << name;
    ui_test::typeReferenceDriver(window.get());
    for (const char* name : inputs) EXPECT_TRUE(find(name)->isEnabled()) << name;
    // Only the comparison opens an "OK".
    for (const char* name : oks) EXPECT_FALSE(find(name)->isEnabled()) << name;
    choose("menuAddedResistanceMass");
    type("raddRadd", "2");
    EXPECT_TRUE(find("raddRaddOk")->isEnabled());
    type("Re", "0");
    EXPECT_FALSE(find("raddRadd")->isEnabled());
    EXPECT_FALSE(find("raddRaddOk")->isEnabled());
}

TEST_F(PageTest, CaptionsCopyTheDriversFieldAndTakeTheFocus) {
    ui_test::typeReferenceDriver(window.get());
    type("Le", "1.2");
    struct Row {
        const char* item;
        const char* caption;
        const char* field;
        const char* source;
    };
    for (const Row& row : {Row{"menuVoiceCoilTemperature", "tempReAtT1Caption", "tempReAtT1", "Re"},
                           Row{"menuResonanceShift", "shiftNewFsCaption", "shiftNewFs", "fs"},
                           Row{"menuNearField", "nfDdCaption", "nfDd", "Dd"},
                           Row{"menuNearField", "cvDdCaption", "cvDd", "Dd"},
                           Row{"menuCrossovers", "lpadZobelLink", "zobelRe", nullptr},
                           Row{"menuCrossovers", "zobelReCaption", "zobelRe", "Re"},
                           Row{"menuCrossovers", "zobelLeCaption", "zobelLe", "Le"}}) {
        choose(row.item);
        click(row.caption);
        if (row.source != nullptr) {  // the link only shows the Zobel network
            EXPECT_EQ(shown(row.field), shown(row.source)) << row.caption;
        }
        EXPECT_EQ(focusName(), row.field) << row.caption;
    }
}

TEST_F(PageTest, SwitchLabelsAnswerTheKeyboardToo) {
    choose("menuCrossovers");
    auto* level = find<ClickableLabel>("xoLevel");
    level->setFocus();
    QTest::keyClick(level, Qt::Key_Space);
    EXPECT_EQ(level->text(), "-6 dB");
    QTest::keyClick(level, Qt::Key_Return);
    EXPECT_EQ(level->text(), "-3 dB");
}

TEST_F(PageTest, EveryControlHasAnAccessibleNameAndDescription) {
    QWidget* page = find("advancedOptionsPage");
    for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
        EXPECT_FALSE(edit->accessibleName().isEmpty()) << edit->objectName().toStdString();
        EXPECT_FALSE(edit->accessibleDescription().isEmpty()) << edit->objectName().toStdString();
    }
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
        EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
        EXPECT_FALSE(button->accessibleDescription().isEmpty())
            << button->objectName().toStdString();
    }
    // The switches are named and say what a click does; what the other labels read is the text
    // they show, checked on every page by the accessible names test.
    for (ClickableLabel* label : page->findChildren<ClickableLabel*>()) {
        if (label->focusPolicy() == Qt::NoFocus)
            continue;
        EXPECT_FALSE(ui_test::readName(label).isEmpty()) << label->objectName().toStdString();
        EXPECT_FALSE(label->accessibleDescription().isEmpty()) << label->objectName().toStdString();
    }
    for (QWidget* other : page->findChildren<QPlainTextEdit*>())
        EXPECT_FALSE(other->accessibleName().isEmpty()) << other->objectName().toStdString();
    // A caption that changes with the mode renames its field.
    choose("menuFreeFall");
    click("fallValueCaption");
    EXPECT_EQ(find("fallValue")->accessibleName(), "height");
}

}  // namespace
}  // namespace sublumo::calculator_test

namespace sublumo::calculator_test {
namespace {

TEST(CalculatorDefaults, DecimalDefaultsUseTheLocalesSeparator) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ScriptedPlatform platform;
    MainWindow window(platform, QString());
    for (auto [field, text] : {std::pair{"zobelLe", "0,8"}, std::pair{"coilDw", "0,8"},
                               std::pair{"riU2", "5,9"}, std::pair{"riRLoad", "3,3"}}) {
        EXPECT_EQ(ui_test::findByName<QLineEdit>(&window, field)->text(), text) << field;
    }
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace sublumo::calculator_test
