#include <QAccessible>
#include <QListWidget>
#include <QSignalSpy>

#include "enclosure/option_list.h"
#include "enclosure_page_fixture.h"

namespace sublumo::ui_test {
namespace {

class OptionListTest : public EnclosurePageTest {
protected:
    // The driver of the report: Qms 2 and Qes 0.5 give Qts 0.4 on Re 6; a series resistance
    // of 10 Ohm lifts Qts' to 0.8, above the Qtc of three closed alignments and the b of the
    // flat bandpass one.
    void openWithHighQ(const char* boxType) {
        enclosure::test::DriverFigures figures;
        figures.Qms = 2.0;
        figures.Re = 6.0;
        open(figures);
        clickPage(boxType);
        type("additionalOptions", "Rs", "10");
    }

    QListWidget* items(const char* list) const {
        return findByName<QListWidget>(page.get(), (std::string(list) + "Items").c_str());
    }
    QAccessibleInterface* accessibleItem(const char* list, int row) const {
        return QAccessible::queryAccessibleInterface(items(list))->child(row);
    }
    std::vector<QString> texts(const char* group, const std::vector<const char*>& names) const {
        std::vector<QString> t;
        for (const char* name : names) t.push_back(text(group, name));
        return t;
    }
};

TEST_F(OptionListTest, ADisabledAlignmentDoesNothingHoweverItIsChosen) {
    struct Row {
        const char* boxType;
        const char* group;
        const char* opener;
        const char* list;
        int disabledRow;
        int enabledRow;
        std::vector<const char*> written;
    };
    const Row rows[] = {
        {"closed", "closedBox", "QtcCaption", "closedAlignments", 2, 3, {"Vb"}},
        {"bandpass",
         "bandpassBox",
         "autoCalculation",
         "bandpassAlignments",
         0,
         1,
         {"Vr", "Vf", "fb"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        openWithHighQ(row.boxType);
        click(row.group, row.opener);
        QListWidget* list = items(row.list);
        ASSERT_TRUE(list->isVisible());
        ASSERT_FALSE(list->item(row.disabledRow)->flags().testFlag(Qt::ItemIsEnabled));
        const auto before = texts(row.group, row.written);
        QSignalSpy chosen(findByName<OptionList>(page.get(), row.list), &OptionList::chosen);

        chooseItem(row.list, row.disabledRow);
        EXPECT_EQ(texts(row.group, row.written), before);
        // Reached with the keys: a disabled item left current from an earlier choice.
        list->setCurrentRow(row.disabledRow);
        key(list, Qt::Key_Return);
        key(list, Qt::Key_Space);
        EXPECT_EQ(texts(row.group, row.written), before);
        // Or pressed by assistive technology.
        QAccessibleInterface* disabled = accessibleItem(row.list, row.disabledRow);
        EXPECT_TRUE(disabled->state().disabled);
        EXPECT_TRUE(disabled->actionInterface()->actionNames().isEmpty());
        disabled->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(texts(row.group, row.written), before);
        EXPECT_EQ(chosen.count(), 0);

        chooseItem(row.list, row.enabledRow);
        EXPECT_EQ(chosen.count(), 1);
        EXPECT_NE(texts(row.group, row.written), before);
        EXPECT_GT(text(row.group, row.written[0]).toDouble(), 0);
    }
}

TEST_F(OptionListTest, AssistiveTechnologyReadsEveryItemWithItsState) {
    const std::vector<std::pair<const char*, std::vector<const char*>>> lists = {
        {"closed", {"closedAlignments"}},
        {"vented", {"ventedBoxEndCorrections", "ventedBoxFills"}},
        {"bandpass", {"bandpassAlignments", "bandpassBoxEndCorrections", "bandpassBoxFills"}},
    };
    int disabledSeen = 0;
    for (const auto& [boxType, names] : lists) {
        openWithHighQ(boxType);
        for (const char* name : names) {
            SCOPED_TRACE(name);
            auto* options = findByName<OptionList>(page.get(), name);
            QSignalSpy chosen(options, &OptionList::chosen);
            QListWidget* list = items(name);
            QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(list);
            ASSERT_EQ(shown->childCount(), list->count());
            for (int i = 0; i < list->count(); ++i) {
                QAccessibleInterface* item = shown->child(i);
                const bool enabled = list->item(i)->flags().testFlag(Qt::ItemIsEnabled);
                EXPECT_EQ(item->text(QAccessible::Name), list->item(i)->text());
                EXPECT_EQ(item->role(), QAccessible::ListItem);
                EXPECT_EQ(item->state().disabled, !enabled) << i;
                EXPECT_EQ(shown->indexOfChild(item), i);
                const int before = static_cast<int>(chosen.count());
                item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                EXPECT_EQ(chosen.count(), before + (enabled ? 1 : 0)) << i;
                disabledSeen += enabled ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(disabledSeen, 4);  // three closed alignments and the flat bandpass one
}

}  // namespace
}  // namespace sublumo::ui_test
