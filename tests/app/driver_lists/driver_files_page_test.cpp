// "Import..." and "Export..." on the page "List of drivers": the page hands the files to the
// driver file functions and the database, and shows what they say.
#include <QLocale>

#include "driver_files.h"
#include "driver_lists_fixture.h"
#include "file_access.h"

namespace sublumo::ui_test {
namespace {

using database::CollisionChoice;

const QString kFilter = QStringLiteral("Driver files (*.wdr)|*.wdr");

NumberFormat localFormat() {
    const QString point = QLocale().decimalPoint();
    return NumberFormat{point.isEmpty() ? '.' : point.front().toLatin1()};
}

database::DriverRecord driverNamed(const std::string& name, const std::string& qms) {
    return {name, {qms, "0.35", "30", "60", "260", "5.6", "12", "6", "150", "1.2", "https://"}};
}

class DriverFilesPageTest : public DriverListsFixture {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    std::string writeDriverFile(const char* name, const database::DriverRecord& record) {
        const std::string bytes = database::writeDriverFile(record);
        writeFile(name, QByteArray::fromStdString(bytes));
        return bytes;
    }
    std::string stored(const std::string& name, std::string_view key) const {
        return window->database().readValue(name, key);
    }
};

struct AnswerRow {
    const char* name;
    int answer;  // the button pressed in the collision box, -1 when it is closed
    CollisionChoice meant;
};

class ImportAnswers : public DriverFilesPageTest,
                      public ::testing::WithParamInterface<AnswerRow> {};

TEST_P(ImportAnswers, ImportsTheNewFileAndAsksAboutTheStoredName) {
    const AnswerRow& row = GetParam();
    writeDatabase({{"Maker Old", "2.5"}});
    start();
    const std::vector<database::DriverFileInput> files = {
        {"new.wdr", writeDriverFile("new.wdr", driverNamed("Maker New", "3.3"))},
        {"old.wdr", writeDriverFile("old.wdr", driverNamed("maker old", "4.1"))}};
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wdr"));  // listed, but no file to read
    platform.openPaths = {path("new.wdr"), path("old.wdr"), path("folder.wdr")};
    platform.choiceAnswers = {row.answer};
    click("importButton");

    EXPECT_EQ(platform.openRequests, QStringList{"Import driver files|" + kFilter + "|many"});
    const QString question = QString::fromStdString(database::collisionQuestionText("maker old"));
    EXPECT_EQ(platform.questions,
              QStringList{"Import: " + question + " [Replace/Skip/Replace all/Skip all]"});
    const std::vector<std::string> names = {"Maker Old"};
    std::vector<database::ImportItem> items = database::planImport(
        files, names, localFormat(), [&](const std::string&) { return row.meant; });
    database::ImportItem& folder = items.emplace_back();
    folder.fileName = "folder.wdr";
    folder.skipReason = database::readWholeFile(path("folder.wdr").toStdString()).errorText;
    EXPECT_EQ(platform.infos,
              QStringList{"Import\n" + QString::fromStdString(database::importSummary(items))});
    EXPECT_TRUE(platform.errors.isEmpty());

    const bool replaced = row.meant == CollisionChoice::Replace;
    EXPECT_EQ(stored("Maker New", "Qms"), "3.3");
    EXPECT_EQ(stored("Maker Old", "Qms"), replaced ? "4.1" : "2.5");
    // A replaced record takes the name as the file spells it.
    EXPECT_EQ(rows(list("allList")),
              (QStringList{"Maker New", replaced ? "maker old" : "Maker Old"}));
    EXPECT_TRUE(readFile("sublumo_tsp.ini").contains("[Maker New]\r\n"));
}

INSTANTIATE_TEST_SUITE_P(DriverFiles, ImportAnswers,
                         ::testing::Values(AnswerRow{"Replace", 0, CollisionChoice::Replace},
                                           AnswerRow{"Skip", 1, CollisionChoice::Skip},
                                           AnswerRow{"ClosedBox", -1, CollisionChoice::Skip}),
                         [](const auto& r) { return std::string(r.param.name); });

TEST_F(DriverFilesPageTest, AFileWithXmaxButZeroHeightsComesInWithItsXmaxAndSaysSo) {
    start();
    const QByteArray base =
        "Qms=2\nQes=0.4\nFs=30\nMms=0.05\nSd=0.0314159265358979\nRe=6\nHc=0\nHg=0\n";
    writeFile("w8.wdr", "[Driver]\nBrand=Acme\nModel=W8\n" + base + "Xmax=0.018\n");
    writeFile("nameless.wdr", "[Driver]\n" + base);
    platform.openPaths = {path("w8.wdr"), path("nameless.wdr")};
    click("importButton");
    EXPECT_EQ(platform.infos,
              QStringList{"Import\nImported: 2, replaced: 0, skipped: 0.\nHc and Hg were derived "
                          "from Xmax for 1 driver (Hg = 1 mm, Hc = Hg + 2·Xmax)."});
    EXPECT_EQ(rows(list("allList")), (QStringList{"Acme W8", "nameless"}));

    clickRow(list("allList"), 0);
    click("loadButton");
    EXPECT_EQ(text("Hc"), "37");
    EXPECT_EQ(text("Hg"), "1");
    EXPECT_EQ(text("Xmax"), "18");
}

TEST_F(DriverFilesPageTest, ACancelledDialogChangesNothing) {
    writeDatabase({{"Maker Old"}});
    start();
    typeDriver("Maker Two");
    const QByteArray before = readFile("sublumo_tsp.ini");
    for (const char* button : {"importButton", "exportButton"}) {
        SCOPED_TRACE(button);
        click(button);
    }
    EXPECT_EQ(platform.openRequests.size(), 1);
    EXPECT_EQ(platform.saveRequests.size(), 1);
    EXPECT_EQ(readFile("sublumo_tsp.ini"), before);
    EXPECT_EQ(QDir(dir.path()).entryList({"*.wdr"}), QStringList{});
    EXPECT_TRUE(platform.infos.isEmpty() && platform.errors.isEmpty() &&
                platform.questions.isEmpty());
}

TEST_F(DriverFilesPageTest, AnUnwritableExportPathShowsTheSystemsTextAndWritesNothing) {
    start();
    typeDriver("Maker Two");
    const QString target = path("no such folder/Maker_Two.wdr");
    platform.savePath = target;
    click("exportButton");
    const auto expected = database::replaceFile(target.toStdString(), "");
    ASSERT_TRUE(expected);
    EXPECT_EQ(platform.errors, QStringList{QString::fromStdString(*expected)});
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(DriverFilesPageTest, AnImportThatCannotBeWrittenImportsNothing) {
    writeDatabase({{"Maker Old"}});
    start();
    writeDriverFile("new.wdr", driverNamed("Maker New", "3.3"));
    // The database's place is taken by a folder: the file cannot be replaced.
    ASSERT_TRUE(QFile::remove(path("sublumo_tsp.ini")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sublumo_tsp.ini"));
    platform.openPaths = {path("new.wdr")};
    click("importButton");
    EXPECT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.infos.isEmpty());
    EXPECT_EQ(window->database().recordNames(), std::vector<std::string>{"Maker Old"});
    EXPECT_EQ(rows(list("allList")), QStringList{"Maker Old"});
}

TEST_F(DriverFilesPageTest, AnExportedDriverImportsWithTheSameTexts) {
    start();
    EXPECT_FALSE(enabled("exportButton"));  // nothing to export yet
    typeDriver("Maker Round Trip");
    for (const auto& [field, value] : {std::pair{"Hc", "12.5"},
                                       {"Hg", "6"},
                                       {"Pe", "150"},
                                       {"Le", "0.85"},
                                       {"driverUrlField", "https://maker.example"}})
        typeInto(window.get(), field, value);
    ASSERT_TRUE(enabled("exportButton"));
    const QString target = path("exported.wdr");
    platform.savePath = target;
    click("exportButton");
    ASSERT_TRUE(platform.errors.isEmpty()) << platform.errors.join('\n').toStdString();
    EXPECT_EQ(platform.saveRequests,
              QStringList{QString::fromStdString(database::driverFileName("Maker Round Trip")) +
                          "|" + kFilter + "|wdr"});

    platform.openPaths = {target};
    click("importButton");
    ASSERT_EQ(window->database().recordNames(), std::vector<std::string>{"Maker Round Trip"});
    for (std::size_t i = 0; i + 1 < database::recordKeys.size(); ++i) {
        const std::string key(database::recordKeys[i]);
        EXPECT_EQ(stored("Maker Round Trip", key), text(key.c_str()).toStdString()) << key;
    }
    EXPECT_EQ(stored("Maker Round Trip", "URL"), text("driverUrlField").toStdString());
}

}  // namespace
}  // namespace sublumo::ui_test
