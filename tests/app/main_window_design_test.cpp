#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "driver_lists/driver_lists_page.h"
#include "enclosure/build_panel.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "main_window.h"
#include "program_info.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

// Readable QStrings in the failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace sublumo {
namespace {

using ui_test::findByName;

// A design as a user makes it: the box type, texts typed into fields of a group, check boxes
// clicked, and the memory slots stored on the way.
struct DesignSteps {
    const char* name;
    const char* boxType;
    std::vector<std::array<const char*, 3>> typed;  // group, field, text
    std::vector<const char*> checked;
    std::vector<int> storedSlots;
    const char* savedWith = nullptr;  // the box type chosen last, when not `boxType`
};

const std::vector<DesignSteps> kDesigns = {
    {"closed",
     "closed",
     {{"closedBox", "Vb", "50"}, {"numdri", "Nd", "2"}},
     {"linkwitzOn"},
     {1, 3}},
    {"vented",
     "vented",
     {{"ventedBox", "Vb", "60"},
      {"ventedBox", "fb", "35"},
      {"additionalOptions", "Rs", "0.5"},
      {"build", "t", "22"},
      {"build", "H", "1.6"},
      {"build", "Vdr", "1.25"}},
     {"cabinGainOn", "isobaric", "slotVent"},
     {2, 8}},
    {"bandpass",
     "bandpass",
     {{"bandpassBox", "Vr", "30"}, {"bandpassBox", "Vf", "20"}, {"bandpassBox", "fb", "60"}},
     {"sourceOn"},
     {1, 2, 3, 4, 5, 6, 7, 8}},
    // Of each linked pair the typed one, Dp and Vap here, leads again when the file is opened,
    // though the radiators' group is hidden then and recomputes only when shown.
    {"radiator",
     "passiveRadiator",
     {{"passiveRadiatorBox", "Vb", "25"},
      {"passiveRadiatorBox", "fb", "25"},
      {"passiveRadiatorBox", "Np", "2"},
      {"passiveRadiatorBox", "Dp", "247.37"},
      {"passiveRadiatorBox", "Mmp", "60"},
      {"passiveRadiatorBox", "Vap", "35.713"},
      {"passiveRadiatorBox", "Qmp", "8"},
      {"passiveRadiatorBox", "Xmaxp", "15"}},
     {},
     {1},
     "closed"},
};

class DesignWindow {
public:
    explicit DesignWindow(ScriptedPlatform& platform) : window(platform, dir.path()) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T = QWidget>
    T* find(const char* name) {
        return findByName<T>(&window, name);
    }
    QLineEdit* field(const char* group, const char* name) {
        return findByName<QLineEdit>(find(group), name);
    }
    void showEnclosure() {
        ui_test::clickTab(find<QTabWidget>("pages"), 1);
        EXPECT_TRUE(ui_test::waitUntil([&] { return !window.pageTimer().isActive(); }));
    }
    void chooseBoxType(const char* type) {
        QWidget* button = find(type);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void store(int slot) {
        auto* plus = find<QToolButton>(("memoryStore" + std::to_string(slot)).c_str());
        EXPECT_TRUE(ui_test::waitUntil([&] { return plus->isEnabled(); }));
        QTest::mouseClick(plus, Qt::LeftButton);
    }
    void make(const DesignSteps& steps) {
        ui_test::typeReferenceDriver(&window);
        ui_test::typeInto(&window, "driverNameField", "woofer 12");
        showEnclosure();
        chooseBoxType(steps.boxType);
        for (const auto& [group, name, text] : steps.typed)
            ui_test::typeInto(field(group, name), text);
        for (const char* box : steps.checked)
            QTest::mouseClick(find<QCheckBox>(box), Qt::LeftButton);
        for (int slot : steps.storedSlots) store(slot);
        if (steps.savedWith != nullptr)
            chooseBoxType(steps.savedWith);
    }
    // Every field of the two pages by group and name, as the user reads them.
    std::map<QString, QString> fieldTexts() {
        std::map<QString, QString> texts;
        for (const char* page : {"loudspeakerPage", "enclosurePage"})
            for (const QLineEdit* edit : find(page)->findChildren<QLineEdit*>())
                if (!edit->objectName().isEmpty() && edit->isVisibleTo(&window))
                    texts[edit->parent()->objectName() + "/" + edit->objectName()] = edit->text();
        return texts;
    }
    // The slot's menu, opened by the keyboard on the focused box.
    QMenu* openSlotMenu(int k) {
        QWidget* box = find(("memorySlot" + std::to_string(k)).c_str());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = find<QMenu>("memorySlotMenu");
        EXPECT_TRUE(ui_test::waitUntil([&] { return menu->isVisible(); }));
        return menu;
    }
    const memory::Slot& slot(int k) {
        return window.enclosurePage().memorySlots().designMemory().slot(k);
    }

    QTemporaryDir dir;
    MainWindow window;
};

// The fields whose texts differ, "group/name: a | b", one a line; empty when all are equal.
std::string differences(const std::map<QString, QString>& a, const std::map<QString, QString>& b) {
    std::string lines;
    for (const auto& [name, text] : a)
        if (const auto other = b.find(name); other == b.end() || other->second != text)
            lines += (name + ": " + text + " | " + (other == b.end() ? "-" : other->second))
                         .toStdString() +
                     "\n";
    return lines;
}

class MainWindowDesignTest : public ::testing::Test {
protected:
    QString filePath(const char* name) const { return files.filePath(QString::fromLatin1(name)); }
    // A window holding the first design, saved to `name`.
    std::unique_ptr<DesignWindow> savedDesign(const char* name = "woofer 12.sublumo") {
        auto design = std::make_unique<DesignWindow>(platform);
        design->make(kDesigns[0]);
        platform.savePath = filePath(name);
        QTest::keyClick(&design->window, Qt::Key_S, Qt::ControlModifier);
        return design;
    }

    QTemporaryDir files;
    ScriptedPlatform platform;
};

// A stored design's texts, curves and inputs come back.
void expectSameSlot(const memory::Slot& opened, const memory::Slot& saved) {
    EXPECT_EQ(opened.filled, saved.filled);
    EXPECT_EQ(opened.conditions, saved.conditions);
    EXPECT_EQ(opened.design, saved.design);
    EXPECT_EQ(opened.curves, saved.curves);
    EXPECT_EQ(opened.limits, saved.limits);
    EXPECT_EQ(opened.inputs, saved.inputs);
}

TEST_F(MainWindowDesignTest, EachBoxTypeWithItsSlotsComesBackFromItsFile) {
    for (const DesignSteps& steps : kDesigns) {
        SCOPED_TRACE(steps.name);
        DesignWindow saved(platform);
        saved.make(steps);
        platform.savePath = filePath(steps.name);
        ui_test::clickButton(&saved.window, "saveDesign");
        ASSERT_TRUE(platform.errors.isEmpty()) << platform.errors.join("\n").toStdString();

        DesignWindow opened(platform);
        platform.openPaths = {filePath(steps.name)};
        ui_test::clickButton(&opened.window, "openDesign");
        opened.showEnclosure();
        EXPECT_EQ(opened.window.enclosurePage().boxType(), saved.window.enclosurePage().boxType());
        // Each box type shows what the user had there.
        for (const char* type : {steps.boxType, "closed", "vented", "bandpass", "passiveRadiator"}) {
            SCOPED_TRACE(type);
            opened.chooseBoxType(type);
            saved.chooseBoxType(type);
            EXPECT_EQ(differences(opened.fieldTexts(), saved.fieldTexts()), "");
        }
        for (int k = 1; k <= memory::kSlotCount; ++k) expectSameSlot(opened.slot(k), saved.slot(k));
        // The Build view's inputs come back too, though the view is closed.
        for (const auto& [group, name, text] : steps.typed) {
            if (std::string_view(group) == "build") {
                EXPECT_EQ(opened.field(group, name)->text(), QString::fromUtf8(text)) << name;
            }
        }
        EXPECT_EQ(opened.window.enclosurePage().buildPanel().inputs(),
                  saved.window.enclosurePage().buildPanel().inputs());
    }
}

TEST_F(MainWindowDesignTest, SaveAsksOnceProposingTheDriversNameAndTheCaptionMarksChanges) {
    auto design = savedDesign();
    EXPECT_EQ(platform.saveRequests,
              QStringList{"woofer 12.sublumo|Sublumo design (*.sublumo)|*.sublumo|sublumo"});
    // The page's own caption, then the file.
    const QString caption = design->window.windowTitle();
    EXPECT_TRUE(caption.startsWith(QString::fromLatin1(kProgramTitle) + " | woofer 12"));
    EXPECT_TRUE(caption.endsWith(" - woofer 12.sublumo")) << caption.toStdString();

    ui_test::typeInto(design->field("closedBox", "Vb"), "70");
    EXPECT_TRUE(ui_test::waitUntil([&] { return design->window.windowTitle() == caption + "*"; }));

    QTest::keyClick(&design->window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(platform.saveRequests.size(), 1);  // the same file again, without asking
    EXPECT_EQ(design->window.windowTitle(), caption);

    // "Save design as..." asks again and the caption follows the new file.
    platform.savePath = filePath("copy.sublumo");
    QTest::keyClick(&design->window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(platform.saveRequests.size(), 2);
    EXPECT_TRUE(design->window.windowTitle().endsWith(" - copy.sublumo"));
}

TEST_F(MainWindowDesignTest, AnUnnamedDriverIsProposedAsUnnamed) {
    DesignWindow design(platform);
    QTest::keyClick(&design.window, Qt::Key_S, Qt::ControlModifier);  // cancelled
    EXPECT_TRUE(platform.saveRequests.value(0).startsWith("unnamed.sublumo|"));
    EXPECT_TRUE(design.window.designPath().isEmpty());
}

TEST_F(MainWindowDesignTest, TheCloseQuestionsThreeAnswers) {
    struct Row {
        const char* name;
        int answer;
        bool closes;
        const char* vbInFile;
    };
    for (const Row& row : {Row{"Save", 0, true, "70"}, Row{"Discard", 1, true, "50"},
                           Row{"Cancel", 2, false, "50"}, Row{"box closed", -1, false, "50"}}) {
        SCOPED_TRACE(row.name);
        platform.questions.clear();
        auto design = savedDesign();
        ui_test::typeInto(design->field("closedBox", "Vb"), "70");
        platform.choiceAnswers = {row.answer};
        EXPECT_EQ(design->window.close(), row.closes);
        EXPECT_EQ(platform.questions,
                  QStringList{"Sublumo: Save changes to woofer 12.sublumo? [Save/Discard/Cancel]"});
        EXPECT_EQ(design->window.isVisible(), !row.closes);

        DesignWindow reopened(platform);
        ASSERT_TRUE(reopened.window.openDesignFile(filePath("woofer 12.sublumo")));
        EXPECT_EQ(reopened.field("closedBox", "Vb")->text(), row.vbInFile);
    }
}

TEST_F(MainWindowDesignTest, NothingIsAskedAtTheCloseWithoutChangesOrWithoutAFile) {
    auto saved = savedDesign();
    EXPECT_TRUE(saved->window.close());
    DesignWindow neverSaved(platform);
    neverSaved.make(kDesigns[1]);
    EXPECT_TRUE(neverSaved.window.close());
    EXPECT_TRUE(platform.questions.isEmpty());
}

TEST_F(MainWindowDesignTest, ARefusedFileSaysWhichFileLineAndWhyAndChangesNothing) {
    DesignWindow design(platform);
    design.make(kDesigns[0]);
    const auto before = design.fieldTexts();
    QFile junk(filePath("junk.sublumo"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("[Sublumo design]\r\nformat=1\r\n[closedBox]\r\nVb=not a number\r\n");
    junk.close();
    platform.openPaths = {junk.fileName()};
    QTest::keyClick(&design.window, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].startsWith(junk.fileName() + ", line "))
        << platform.errors[0].toStdString();
    EXPECT_EQ(differences(design.fieldTexts(), before), "");
    EXPECT_TRUE(design.window.designPath().isEmpty());
    EXPECT_TRUE(design.slot(1).filled);
}

TEST_F(MainWindowDesignTest, AFailedSaveShowsTheSystemsTextAndKeepsTheMark) {
    auto design = savedDesign();
    ui_test::typeInto(design->field("closedBox", "Vb"), "70");
    ASSERT_TRUE(ui_test::waitUntil([&] { return design->window.designModified(); }));
    QFile::remove(filePath("woofer 12.sublumo"));
    ASSERT_TRUE(files.remove());  // the folder is gone: nothing can be written there
    QTest::keyClick(&design->window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(design->window.designModified());
    EXPECT_TRUE(design->window.windowTitle().endsWith("woofer 12.sublumo*"));
}

TEST_F(MainWindowDesignTest, AStoredDesignLoadsBackFromItsMenu) {
    DesignWindow design(platform);
    design.make(kDesigns[0]);  // slot 1 holds Vb 50 with two drivers
    ui_test::typeInto(design.field("closedBox", "Vb"), "80");
    ui_test::typeInto(design.field("numdri", "Nd"), "1");
    QMenu* menu = design.openSlotMenu(1);
    QAction* load = design.find<QAction>("loadIntoDesign");
    ASSERT_TRUE(load->isEnabled());
    QTest::keyClick(menu, Qt::Key_Down);  // onto the first item, "Load into design"
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(design.field("closedBox", "Vb")->text(), "50");
    EXPECT_EQ(design.field("numdri", "Nd")->text(), "2");
    EXPECT_TRUE(design.slot(1).filled);

    // "Delete" does what a left click on the box does.
    // A right click reaches the box as the system's context menu event.
    QWidget* box = design.find("memorySlot1");
    QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(4, 4), box->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(box, &right);
    ASSERT_TRUE(ui_test::waitUntil([&] { return menu->isVisible(); }));
    design.find<QAction>("deleteMemory")->trigger();
    EXPECT_FALSE(design.slot(1).filled);
}

// A radiator saved by name comes back into the group's fields, reached by the keyboard, and no
// driver list hears of it.
TEST_F(MainWindowDesignTest, ASavedRadiatorLoadsBackAndStaysOutOfTheDriverLists) {
    DesignWindow design(platform);
    design.make({"radiator",
                 "passiveRadiator",
                 {{"passiveRadiatorBox", "Vb", "25"},
                  {"passiveRadiatorBox", "fb", "25"},
                  {"passiveRadiatorBox", "Np", "2"},
                  {"passiveRadiatorBox", "Sp", "480"},
                  {"passiveRadiatorBox", "Mmp", "60"},
                  {"passiveRadiatorBox", "Vap", "35"},
                  {"passiveRadiatorBox", "Qmp", "8"},
                  {"passiveRadiatorBox", "Xmaxp", "15"}},
                 {},
                 {}});
    const auto typed = design.fieldTexts();
    const auto entries = design.window.driverListsPage().allEntries();
    const auto press = [&](const char* name) {
        QWidget* label = design.find(name);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key_Space);
    };
    platform.textAnswers = {"PR [12\"] a=b"};
    press("saveRadiator");
    for (const auto& [name, text] :
         {std::pair{"Dp", "300"}, {"Mmp", "90"}, {"Cmp", "1"}, {"Qmp", "3"}, {"Xmaxp", "9"}})
        ui_test::typeInto(design.field("passiveRadiatorBox", name), text);
    ASSERT_NE(design.fieldTexts(), typed);
    platform.choiceAnswers = {0};
    press("loadRadiator");
    EXPECT_EQ(differences(typed, design.fieldTexts()), "");
    EXPECT_EQ(design.window.driverListsPage().allEntries(), entries);
    platform.textAnswers = {};
    press("saveRadiator");  // the last name is proposed, then cancelled
    EXPECT_TRUE(platform.questions.back().endsWith("[PR [12\"] a=b]"))
        << platform.questions.back().toStdString();
}

TEST_F(MainWindowDesignTest, AStoredDesignOpenedFromItsFileLoadsBack) {
    savedDesign();  // slot 1 holds Vb 50 with two drivers
    DesignWindow opened(platform);
    platform.openPaths = {filePath("woofer 12.sublumo")};
    ui_test::clickButton(&opened.window, "openDesign");
    opened.showEnclosure();
    ui_test::typeInto(opened.field("closedBox", "Vb"), "80");
    ui_test::typeInto(opened.field("numdri", "Nd"), "1");
    opened.openSlotMenu(1);
    QAction* load = opened.find<QAction>("loadIntoDesign");
    ASSERT_TRUE(load->isEnabled());
    load->trigger();
    EXPECT_EQ(opened.field("closedBox", "Vb")->text(), "50");
    EXPECT_EQ(opened.field("numdri", "Nd")->text(), "2");
}

TEST_F(MainWindowDesignTest, RecentDesignFilesAreKeptAndAMissingOneIsTakenOff) {
    auto design = savedDesign();
    const QString saved = filePath("woofer 12.sublumo");
    ASSERT_TRUE(design->window.close());  // the settings beside the program keep the list

    MainWindow next(platform, design->dir.path());
    next.show();
    ASSERT_EQ(next.recentDesigns(), std::vector<std::string>{saved.toStdString()});
    auto* menu = findByName<QMenu>(&next, "recentDesigns");
    menu->popup(QPoint());
    ASSERT_TRUE(ui_test::waitUntil([&] { return menu->isVisible(); }));
    QAction* entry = findByName<QAction>(menu, "recentDesign1");
    EXPECT_EQ(entry->text(), QDir::toNativeSeparators(saved));
    entry->trigger();
    EXPECT_EQ(next.designPath(), saved);
    EXPECT_TRUE(platform.errors.isEmpty());

    ASSERT_TRUE(QFile::remove(saved));
    menu->close();
    menu->popup(QPoint());
    findByName<QAction>(menu, "recentDesign1")->trigger();
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].startsWith(QDir::toNativeSeparators(saved) + ": "));
    EXPECT_TRUE(next.recentDesigns().empty());
}

TEST_F(MainWindowDesignTest, TheDesignButtonsAreNamedAndReachedByTab) {
    DesignWindow design(platform);
    for (const char* name : {"openDesign", "saveDesign"}) {
        auto* button = design.find<QToolButton>(name);
        EXPECT_EQ(ui_test::readName(button), button->toolTip());
        EXPECT_FALSE(button->accessibleDescription().isEmpty());
        EXPECT_NE(button->focusPolicy() & Qt::TabFocus, 0);
    }
    EXPECT_EQ(design.find<QToolButton>("openDesign")->toolTip(), "Open design...");
    EXPECT_EQ(design.find<QToolButton>("saveDesign")->toolTip(), "Save design...");
    EXPECT_EQ(design.find<QAction>("saveDesignAs")->text(), "Save design as...");

    // Down on the focused "Open design..." drops its list of recent files.
    auto* open = design.find<QToolButton>("openDesign");
    design.window.activateWindow();
    open->setFocus();
    ASSERT_TRUE(ui_test::waitUntil([&] { return open->hasFocus(); }));
    auto* menu = design.find<QMenu>("recentDesigns");
    bool dropped = false;
    QTimer::singleShot(0, menu, [&] {
        dropped = menu->isVisible();
        menu->close();
    });
    QTest::keyClick(open, Qt::Key_Down);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(menu->actions().value(0)->text(), "No recent design files");
}

}  // namespace
}  // namespace sublumo
