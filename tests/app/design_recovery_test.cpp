#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>

#include "design_recovery.h"
#include "design_session.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "main_window.h"
#include "scripted_input.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

// Readable QStrings in the failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace sublumo {
namespace {

// QProcess::waitForFinished() answers false for a process whose end the event loop has already
// seen, which a wait for its last answer may do.
bool ended(QProcess& process) {
    return process.state() == QProcess::NotRunning || process.waitForFinished();
}

using ui_test::findByName;

constexpr int kWriteWaitMs = 3 * DesignRecovery::kLongestWaitMs;
const QString kQuestion = QStringLiteral(
    "Sublumo: Sublumo did not close properly. Restore the design you were working on?");
// Set in a copy of this program that plays the copy which is killed.
constexpr char kChildDirectory[] = "SUBLUMO_RECOVERY_CHILD_DIR";

class RecoveryWindow {
public:
    RecoveryWindow(ScriptedPlatform& platform, const QString& directory)
        : window(platform, directory) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QLineEdit* field(const char* group, const char* name) {
        return findByName<QLineEdit>(findByName(&window, group), name);
    }
    // A driver, a vented box with its own Vb and two stored designs.
    void make() {
        ui_test::typeReferenceDriver(&window);
        ui_test::typeInto(&window, "driverNameField", "woofer 12");
        ui_test::clickTab(findByName<QTabWidget>(&window, "pages"), 1);
        EXPECT_TRUE(ui_test::waitUntil([&] { return !window.pageTimer().isActive(); }));
        QWidget* vented = findByName(&window, "vented");
        QTest::mouseClick(vented, Qt::LeftButton, {}, QPoint(8, vented->height() / 2));
        ui_test::typeInto(field("ventedBox", "Vb"), "61");
        ui_test::typeInto(field("ventedBox", "fb"), "35");
        for (const char* store : {"memoryStore2", "memoryStore5"}) {
            auto* plus = findByName<QToolButton>(&window, store);
            EXPECT_TRUE(ui_test::waitUntil([&] { return plus->isEnabled(); }));
            QTest::mouseClick(plus, Qt::LeftButton);
        }
    }
    QString recoveryFile() const { return window.designRecovery()->filePath(); }
    // Waits until the file holds what the window shows, as a design file would keep it (a
    // stored design's inputs live only while the program runs).
    bool waitForRecoveryFile() {
        const auto matches = [&] {
            const auto state = design_file::readRecoveryFile(
                QFile::encodeName(recoveryFile()).toStdString(), NumberFormat{'.'});
            return state && design_file::designFileText(state->document) ==
                                design_file::designFileText(window.designSession().gather());
        };
        return ui_test::waitUntil(matches, kWriteWaitMs);
    }
    std::map<QString, QString> fieldTexts() {
        window.enclosurePage();
        std::map<QString, QString> texts;
        for (const char* name : {"loudspeakerPage", "enclosurePage"}) {
            const QWidget* page = findByName(&window, name);
            // What the user reads: the other box types' groups are hidden.
            for (const QLineEdit* edit : page->findChildren<QLineEdit*>())
                if (!edit->objectName().isEmpty() && edit->isVisibleTo(page))
                    texts[edit->parent()->objectName() + "/" + edit->objectName()] = edit->text();
        }
        return texts;
    }
    std::vector<bool> filledSlots() {
        std::vector<bool> filled;
        for (int k = 1; k <= memory::kSlotCount; ++k)
            filled.push_back(window.enclosurePage().memorySlots().designMemory().slot(k).filled);
        return filled;
    }

    MainWindow window;
};

class DesignRecoveryTest : public ::testing::Test {
protected:
    QString recoveryFolder() const { return dir.filePath(QStringLiteral("recovery")); }
    QStringList recoveryFiles() const {
        return QDir(recoveryFolder()).entryList({QStringLiteral("recovery-*")}, QDir::Files);
    }
    // What a copy that died leaves: its file, without a running holder of its lock.
    void leaveDeadCopysFile(RecoveryWindow& crashed) {
        ASSERT_TRUE(crashed.waitForRecoveryFile());
        ASSERT_TRUE(
            QFile::copy(crashed.recoveryFile(),
                        QDir(recoveryFolder()).filePath(QStringLiteral("recovery-1.sublumo"))));
    }

    QTemporaryDir dir;
    ScriptedPlatform platform;
};

TEST_F(DesignRecoveryTest, ChangesReachTheFileAfterAPauseAndANormalCloseLeavesNothing) {
    {
        RecoveryWindow untouched(platform, dir.path());
        QTest::qWait(2 * DesignRecovery::kLongestWaitMs);
        EXPECT_TRUE(untouched.window.close());
    }
    EXPECT_FALSE(QDir(recoveryFolder()).exists());  // nothing changed: nothing written
    {
        RecoveryWindow design(platform, dir.path());
        design.make();
        EXPECT_TRUE(design.waitForRecoveryFile());
        EXPECT_TRUE(design.window.close());
        EXPECT_TRUE(recoveryFiles().isEmpty());
    }
    RecoveryWindow next(platform, dir.path());
    EXPECT_TRUE(platform.questions.isEmpty());
}

// The Enclosure page builds and starts its design when first shown, and an open fills every
// field: neither is a change of the user's.
TEST_F(DesignRecoveryTest, VisitingTheEnclosurePageIsNoChange) {
    const QString file = dir.filePath(QStringLiteral("woofer 12.sublumo"));
    {
        RecoveryWindow saved(platform, dir.path());
        saved.make();
        platform.savePath = file;
        ASSERT_TRUE(saved.window.saveDesign());
    }
    for (const bool opened : {false, true}) {
        SCOPED_TRACE(opened ? "a design opened" : "a fresh start");
        QDir(recoveryFolder()).removeRecursively();
        RecoveryWindow visited(platform, dir.path());
        if (opened) {
            ASSERT_TRUE(visited.window.openDesignFile(file));
        }
        for (const int page : {1, 0, 1}) {
            ui_test::clickTab(findByName<QTabWidget>(&visited.window, "pages"), page);
            ASSERT_TRUE(ui_test::waitUntil([&] { return !visited.window.pageTimer().isActive(); }));
        }
        QTest::qWait(2 * DesignRecovery::kLongestWaitMs);
        EXPECT_TRUE(recoveryFiles().isEmpty());
        EXPECT_FALSE(visited.window.designModified());
        EXPECT_FALSE(visited.window.windowTitle().endsWith("*"));
    }
}

TEST_F(DesignRecoveryTest, ALeftoverIsOfferedOnceYesRestoresItNoStartsFresh) {
    std::map<QString, QString> fresh;
    {
        RecoveryWindow untouched(platform, dir.path());
        fresh = untouched.fieldTexts();
    }
    for (const bool restore : {true, false}) {
        SCOPED_TRACE(restore ? "Yes" : "No");
        platform.questions.clear();
        std::map<QString, QString> made;
        std::vector<bool> madeSlots;
        const QString file = dir.filePath(QStringLiteral("woofer 12.sublumo"));
        {
            RecoveryWindow crashed(platform, dir.path());
            crashed.make();
            platform.savePath = file;
            ASSERT_TRUE(crashed.window.saveDesign());
            ui_test::typeInto(crashed.field("ventedBox", "Vb"), "62");  // unsaved
            leaveDeadCopysFile(crashed);
            made = crashed.fieldTexts();
            madeSlots = crashed.filledSlots();
            platform.choiceAnswers = {1};  // "Discard" the change in its file
            ASSERT_TRUE(crashed.window.close());
        }
        platform.questions.clear();
        platform.yesNoAnswers = {restore};
        RecoveryWindow next(platform, dir.path());
        EXPECT_EQ(platform.questions, QStringList{kQuestion});
        EXPECT_EQ(next.fieldTexts(), restore ? made : fresh);
        EXPECT_EQ(next.filledSlots(), restore ? madeSlots : std::vector<bool>(8, false));
        EXPECT_EQ(next.window.designPath(), restore ? file : QString());
        EXPECT_EQ(next.window.designModified(), restore);
        EXPECT_TRUE(recoveryFiles().size() <= 1 && !recoveryFiles().contains("recovery-1.sublumo"));
        platform.choiceAnswers = {1};
        ASSERT_TRUE(next.window.close());
    }
}

TEST_F(DesignRecoveryTest, TheFileOfACopyStillRunningIsNotOffered) {
    RecoveryWindow running(platform, dir.path());
    running.make();
    ASSERT_TRUE(running.waitForRecoveryFile());
    RecoveryWindow second(platform, dir.path());
    EXPECT_TRUE(platform.questions.isEmpty());
    ui_test::typeInto(&second.window, "driverNameField", "tweeter");
    ASSERT_TRUE(second.waitForRecoveryFile());
    EXPECT_NE(second.recoveryFile(), running.recoveryFile());
    EXPECT_TRUE(QFile::exists(running.recoveryFile()));
}

// The killed copy: run by the next test as a process of its own, never by itself.
TEST(RecoveryChild, MakesADesignAndWaitsToBeKilled) {
    const QString directory = qEnvironmentVariable(kChildDirectory);
    if (directory.isEmpty())
        GTEST_SKIP() << "run by KilledCopysDesignComesBack";
    ScriptedPlatform platform;
    RecoveryWindow design(platform, directory);
    design.make();
    ASSERT_TRUE(design.waitForRecoveryFile());
    std::puts("written");
    std::fflush(stdout);
    QTest::qWait(60000);
}

// The program itself, from a copy of it in a folder of its own (its data directory), asking
// about a leftover: while it asks it holds that file, and once killed the next start has it.
TEST_F(DesignRecoveryTest, TheProgramHoldsTheLeftoverItAsksAboutUntilItIsKilled) {
    const QString program = dir.filePath(QStringLiteral("sublumo"));
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(SUBLUMO_PROGRAM), program));
    std::map<QString, QString> made;
    {
        RecoveryWindow crashed(platform, dir.path());
        crashed.make();
        leaveDeadCopysFile(crashed);
        made = crashed.fieldTexts();
        ASSERT_TRUE(crashed.window.close());
    }
    QProcess running;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    running.setProcessEnvironment(environment);
    running.start(program, {});
    // Its question stays open: nobody answers it.
    const QString leftoverLock =
        QDir(recoveryFolder()).filePath(QStringLiteral("recovery-1.sublumo.lock"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(leftoverLock); }, 30000));
    {
        RecoveryWindow whileAsking(platform, dir.path());
        EXPECT_TRUE(platform.questions.isEmpty());
    }
    running.kill();
    ASSERT_TRUE(ended(running));

    platform.yesNoAnswers = {true};
    RecoveryWindow next(platform, dir.path());
    EXPECT_EQ(platform.questions, QStringList{kQuestion});
    EXPECT_EQ(next.fieldTexts(), made);
}

TEST_F(DesignRecoveryTest, KilledCopysDesignComesBack) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildDirectory), dir.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.*")});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return child.readAllStandardOutput().contains("written"); }, 30000));
    {
        RecoveryWindow whileRunning(platform, dir.path());
        EXPECT_TRUE(platform.questions.isEmpty());
    }
    child.kill();  // SIGKILL: no shut-down of any kind
    ASSERT_TRUE(ended(child));

    platform.yesNoAnswers = {true};
    RecoveryWindow next(platform, dir.path());
    EXPECT_EQ(platform.questions, QStringList{kQuestion});
    EXPECT_EQ(findByName<QLineEdit>(&next.window, "driverNameField")->text(), "woofer 12");
    EXPECT_EQ(next.window.enclosurePage().boxType(), EnclosurePage::BoxType::Vented);
    EXPECT_EQ(next.field("ventedBox", "Vb")->text(), "61");
    const std::vector<bool> stored = {false, true, false, false, true, false, false, false};
    EXPECT_EQ(next.filledSlots(), stored);
}

// The real program, from a copy of it in `directory` (its data directory), typed into through
// its scripted input.
class ScriptedProgram {
public:
    explicit ScriptedProgram(const QString& directory) {
        const QString program = QDir(directory).filePath(QStringLiteral("sublumo"));
        if (!QFile::exists(program)) {
            EXPECT_TRUE(QFile::copy(QString::fromUtf8(SUBLUMO_PROGRAM), program));
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QString::fromLatin1(ScriptedInput::kEnvironmentKey), "1");
        process.setProcessEnvironment(environment);
        process.start(program, {});
    }
    // Sends the line and waits for the program's answer: true when it was done.
    bool run(const QString& line) {
        process.write(line.toUtf8() + '\n');
        if (!QTest::qWaitFor([&] { return process.canReadLine(); }, 30000))
            return false;
        const QByteArray answer = process.readLine();
        EXPECT_TRUE(answer.startsWith("done")) << line.toStdString() << ": " << answer.data();
        return answer.startsWith("done");
    }

    QProcess process;
};

using Clock = std::chrono::steady_clock;

// A driver and a vented box, then the fields the kill test types into at random.
const std::vector<QString> kDesignSteps = {"type Qms 2.5", "type Qes 0.35", "type fs 30",
                                           "type Mms 60",  "type Dd 260",   "type Re 5.6",
                                           "page 1",       "click vented",  "type ventedBox/Vb 61"};
const std::vector<const char*> kTypedFields = {"driverNameField",      "ventedBox/Vb",
                                               "ventedBox/fb",         "additionalOptions/Rs",
                                               "additionalOptions/M+", "additionalOptions/Tvc"};

TEST_F(DesignRecoveryTest, TheProgramKilledAtARandomMomentGivesBackWhatWasTypedASecondBefore) {
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    ScriptedProgram program(dir.path());
    for (const QString& step : kDesignSteps) ASSERT_TRUE(program.run(step));
    // Each field's texts as the program took them, with the moment it said so.
    std::map<QString, std::vector<std::pair<Clock::time_point, QString>>> typed;
    const Clock::time_point killAt = Clock::now() + std::chrono::milliseconds(between(1200, 4000));
    while (Clock::now() < killAt) {
        const QString field = QString::fromLatin1(kTypedFields[static_cast<std::size_t>(
            between(0, static_cast<int>(kTypedFields.size()) - 1))]);
        const QString text = field == "driverNameField"
                                 ? QStringLiteral("woofer %1").arg(between(1, 99))
                                 : QStringLiteral("%1.%2").arg(between(1, 99)).arg(between(1, 9));
        ASSERT_TRUE(program.run("type " + field + " " + text));
        typed[field].emplace_back(Clock::now(), text);
        QTest::qWait(between(0, 400));
    }
    program.process.kill();  // SIGKILL: no shut-down of any kind
    const Clock::time_point killed = Clock::now();
    ASSERT_TRUE(ended(program.process));

    platform.yesNoAnswers = {true};
    RecoveryWindow next(platform, dir.path());
    ASSERT_EQ(platform.questions, QStringList{kQuestion});
    EXPECT_EQ(next.window.enclosurePage().boxType(), EnclosurePage::BoxType::Vented);
    for (const auto& [field, texts] : typed) {
        SCOPED_TRACE(field.toStdString());
        const auto* control = qobject_cast<QLineEdit*>(
            field.contains('/') ? findByName(&next.window, field.section('/', 0, 0).toLatin1())
                                      ->findChild<QWidget*>(field.section('/', 1))
                                : findByName(&next.window, field.toLatin1()));
        ASSERT_NE(control, nullptr);
        const Clock::time_point secondBefore = killed - std::chrono::seconds(1);
        if (texts.front().first > secondBefore)
            continue;  // typed only within the last second: kept or not, either is right
        // The text typed last a second before the kill, or one typed after it.
        std::vector<QString> allowed;
        for (const auto& [when, text] : texts) {
            if (when <= secondBefore)
                allowed = {text};
            else
                allowed.push_back(text);
        }
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), control->text()), allowed.end())
            << control->text().toStdString() << " is none of " << allowed.front().toStdString()
            << " and the " << allowed.size() - 1 << " later ones";
    }
}

TEST_F(DesignRecoveryTest, TheProgramClosedNormallyOffersNothingAtTheNextStart) {
    ScriptedProgram program(dir.path());
    for (const QString& step : kDesignSteps) ASSERT_TRUE(program.run(step));
    ASSERT_TRUE(program.run(QStringLiteral("close")));
    ASSERT_TRUE(ended(program.process));
    EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
    RecoveryWindow next(platform, dir.path());
    EXPECT_TRUE(platform.questions.isEmpty());
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

}  // namespace
}  // namespace sublumo
