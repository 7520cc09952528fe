#include <sys/stat.h>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include "charts/response_charts_view.h"
#include "driver_lists_fixture.h"
#include "enclosure/enclosure_page.h"
#include "loudspeaker/summary_box.h"
#include "settings_keys.h"

namespace sublumo::ui_test {
namespace {

class StartupShutdownTest : public DriverListsFixture {
protected:
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    bool checked(const char* name) const { return find<QAbstractButton>(name)->isChecked(); }
    // The lines of one section of the settings file, as written.
    QByteArray section(const QByteArray& file, const QByteArray& name) const {
        const qsizetype at = file.indexOf("[" + name + "]\r\n");
        if (at < 0)
            return {};
        const qsizetype end = file.indexOf("\r\n\r\n", at);
        return file.mid(at, end - at);
    }
};

TEST_F(StartupShutdownTest, WithoutASettingsFileEverythingStartsAtItsDefault) {
    start();
    EXPECT_EQ(window->pos(), QPoint(5, 5));
    EXPECT_TRUE(window->isTall());
    EXPECT_EQ(window->size(), QSize(566, 670));
    EXPECT_FALSE(window->isPinned());
    EXPECT_TRUE(platform.stayOnTopCalls.empty());
    EXPECT_EQ(label("VasUnit"), "litres");
    EXPECT_EQ(label("GlossUnit"), "%");
    EXPECT_EQ(label("BlUnit"), "N/A");
    EXPECT_FALSE(checked("alfbox"));
    EXPECT_EQ(text("Ddmin"), "0");
    // The panel has a derived field SPLmax too.
    EXPECT_EQ(findByName<QLineEdit>(find("filterFrame"), "SPLmax")->text(), "999");
    EXPECT_EQ(countText(), "#0/0/0");
    EXPECT_FALSE(QFile::exists(dir.filePath("sublumo_cfg.ini")));
}

TEST_F(StartupShutdownTest, EveryFormKeyIsRestoredAndWrittenBack) {
    writeDatabase({{"A"}, {"B"}, {"C"}});
    const QByteArray form =
        "[Form]\r\nTop=40\r\nLeft=30\r\nCff=1\r\nmarkbox=1\r\nVasunit=ft^3\r\nGlossunit=mm\r\n"
        "BlMpow=Mpow\r\nHigh=1\r\nPin=0\r\nPos1=2\r\nPos2=0\r\nPos3=4\r\nalfbox=1\r\n"
        "Ddbox=1\r\nfsbox=0\r\nQtsbox=0\r\nMmsbox=0\r\nRebox=0\r\nSPLbox=0\r\nhledit=\r\n"
        "Ddmin=100\r\nDdmax=300\r\nfsmin=0\r\nfsmax=999\r\nQtsmin=0\r\nQtsmax=999\r\n"
        "Mmsmin=0\r\nMmsmax=999\r\nRemin=0\r\nRemax=999\r\nSPLmin=0\r\nSPLmax=999\r\n"
        "Chart=Excursion\r\nPortLine=12";
    writeFile("sublumo_cfg.ini", form + "\r\n\r\n[recent]\r\n0=A\r\n1=B\r\n\r\n");
    start();
    EXPECT_EQ(window->pos(), QPoint(30, 40));
    EXPECT_TRUE(checked("summaryFormForum"));
    EXPECT_TRUE(checked("markbox"));
    EXPECT_EQ(label("VasUnit"), "ft^3");
    EXPECT_EQ(label("GlossUnit"), "mm");
    EXPECT_EQ(label("BlUnit"), "N/sqrt(W)");
    EXPECT_TRUE(checked("alfbox"));
    EXPECT_TRUE(checked("Ddbox"));
    EXPECT_EQ(text("Ddmin"), "100");
    EXPECT_EQ(text("Ddmax"), "300");
    EXPECT_EQ(rows(list("allList")), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(window->enclosurePage().charts().limitKind(), enclosure::LimitKind::Excursion);
    EXPECT_EQ(window->enclosurePage().charts().ventVelocityLine(), 12);

    window->close();
    const QByteArray written = readFile("sublumo_cfg.ini");
    EXPECT_EQ(section(written, "Form"), form);
    EXPECT_EQ(section(written, "recent"), "[recent]\r\n0=A\r\n1=B");
}

// The Enclosure page and the detailed list window are built only when shown: a run that never
// shows them writes their settings back as the file holds them.
TEST_F(StartupShutdownTest, SettingsOfPartsNeverShownGoBackAsTheFileHoldsThem) {
    QByteArray form2 = "[Form2]";
    bool shown = false;
    for (const database::SettingKey& key : database::form2Keys()) {
        form2 += "\r\n" + QByteArray(key.key.data(), static_cast<qsizetype>(key.key.size())) +
                 (shown ? "=1" : "=0");
        shown = !shown;
    }
    writeFile("sublumo_cfg.ini",
              "[Form]\r\nChart=Group delay\r\nPortLine=25\r\n\r\n" + form2 + "\r\n\r\n");
    start();
    window->close();
    const QByteArray written = readFile("sublumo_cfg.ini");
    EXPECT_TRUE(written.contains("\r\nChart=Group delay\r\nPortLine=25\r\n"));
    EXPECT_EQ(section(written, "Form2"), form2);
}

TEST_F(StartupShutdownTest, HighZeroStartsContractedAndPinOneOnTop) {
    writeFile("sublumo_cfg.ini", "[Form]\r\nHigh=0\r\nPin=1\r\n");
    start();
    EXPECT_FALSE(window->isTall());
    EXPECT_EQ(window->height(), 269);
    EXPECT_TRUE(window->isPinned());
    EXPECT_EQ(platform.stayOnTopCalls, std::vector<bool>{true});
    EXPECT_TRUE(find("stayOnTopOn")->isVisible());
}

TEST_F(StartupShutdownTest, ListPositionsAndRecentNamesSurviveARestart) {
    writeDatabase({{"A"}, {"B"}, {"C"}});
    start();
    clickRow(list("allList"), 2);
    QTest::keyClick(list("allList"), Qt::Key_Return);
    clickRow(list("allList"), 1);
    QTest::keyClick(list("allList"), Qt::Key_Return);
    window->close();
    EXPECT_TRUE(readFile("sublumo_cfg.ini").contains("[recent]\r\n0=C\r\n1=B\r\n"));
    start();
    EXPECT_EQ(selected(list("allList")), 1);
    clickTab(tabs(), 1);
    EXPECT_EQ(rows(list("recentList")), (QStringList{"B", "C"}));
}

TEST_F(StartupShutdownTest, ShutDownLeavesEveryBankByteForByte) {
    const QByteArray banks =
        "[MB #2]\r\nMM=Kept & Co\r\nQms=2,5\r\nQes=0.35\r\nfs=30\r\nMms=60\r\nDd=260\r\nRe=5.6\r\n"
        "Hc=\r\nHg=\r\nPe=\r\nLe=\r\nURL=\r\n\r\n[MB #25]\r\nMM=Last\r\n\r\n";
    writeFile("sublumo_cfg.ini", banks);
    start();
    window->close();
    const QByteArray written = readFile("sublumo_cfg.ini");
    EXPECT_TRUE(written.startsWith(banks));
    EXPECT_TRUE(written.contains("[Form]\r\nTop=5\r\n"));
}

TEST_F(StartupShutdownTest, ColumnsChosenInOneRunSurviveARunThatNeverOpensTheDetailedList) {
    writeDatabase({{"A"}});
    const auto openDetailedList = [this] {
        QTest::mouseClick(find<QLabel>("countLabel"), Qt::LeftButton);
        QWidget* list = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "detailedListWindow" && top->isVisible())
                list = top;
        return list;
    };
    start();
    QWidget* list = openDetailedList();
    ASSERT_NE(list, nullptr);
    auto* qms = findByName<QCheckBox>(list, "columnQms");
    QTest::mouseClick(qms, Qt::LeftButton, {}, QPoint(6, qms->height() / 2));
    auto* ebp = findByName<QCheckBox>(list, "columnEBP");
    ebp->setFocus();
    QTest::keyClick(ebp, Qt::Key_Space);
    window->close();
    const QByteArray chosen = section(readFile("sublumo_cfg.ini"), "Form2");
    ASSERT_TRUE(chosen.contains("\r\nQms=0\r\n") && chosen.contains("\r\nEBP=1\r\n"));

    start();
    window->close();
    EXPECT_EQ(section(readFile("sublumo_cfg.ini"), "Form2"), chosen);

    start();
    list = openDetailedList();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(findByName<QCheckBox>(list, "columnQms")->isChecked());
    EXPECT_TRUE(findByName<QCheckBox>(list, "columnEBP")->isChecked());
}

TEST_F(StartupShutdownTest, ADatabaseThatCannotBeReadEndsTheStartWithoutWritingSettings) {
    ASSERT_EQ(mkdir(QFile::encodeName(dir.filePath("sublumo_tsp.ini")).constData(), 0755), 0);
    window = std::make_unique<MainWindow>(platform, dir.path());
    EXPECT_TRUE(window->startupFailed());
    EXPECT_EQ(platform.errors, QStringList{"Sublumo cannot access the database as it is being "
                                           "used by another process."});
    EXPECT_EQ(countText(), "drivers: ?");
    window->close();
    window.reset();
    EXPECT_FALSE(QFile::exists(dir.filePath("sublumo_cfg.ini")));
}

}  // namespace
}  // namespace sublumo::ui_test
