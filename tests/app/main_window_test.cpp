#include <png.h>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "loudspeaker/parameter_panel.h"
#include "loudspeaker/summary_box.h"
#include "main_window.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(platform, dir.path());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T* find(const char* name) {
        return ui_test::findByName<T>(window.get(), name);
    }
    // A radio button only takes clicks on its indicator and caption.
    void chooseForm(const char* name) {
        QTest::mouseClick(find<QRadioButton>(name), Qt::LeftButton, {}, QPoint(6, 10));
    }
    void click(const char* button) { QTest::mouseClick(find<QToolButton>(button), Qt::LeftButton); }
    void type(const char* field, const QString& text) {
        ui_test::typeInto(window.get(), field, text);
    }
    void typeReferenceDriver() { ui_test::typeReferenceDriver(window.get()); }
    bool waitFor(const std::function<bool()>& done) { return ui_test::waitUntil(done); }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, PageSizesAndTheExpandContractIcons) {
    EXPECT_EQ(window->size(), QSize(566, 670));
    EXPECT_TRUE(find("contract")->isVisible());
    EXPECT_FALSE(find("expand")->isVisible());
    EXPECT_EQ(find("iconStrip")->x(), 447);

    click("contract");
    EXPECT_EQ(window->size(), QSize(566, 269));
    EXPECT_FALSE(window->isTall());
    EXPECT_FALSE(find("lowerArea")->isVisible());
    EXPECT_TRUE(find("expand")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), find("driverNameField"));

    window->showPage(1);
    EXPECT_EQ(window->size(), QSize(747, 670));
    EXPECT_EQ(find("iconStrip")->x(), 628);
    EXPECT_FALSE(find("expand")->isVisible());
    EXPECT_FALSE(find("contract")->isVisible());
    EXPECT_FALSE(find("showText")->isVisible());

    window->showPage(0);  // back to the height the flag says
    EXPECT_EQ(window->size(), QSize(566, 269));
    click("expand");
    EXPECT_EQ(window->size(), QSize(566, 670));
    EXPECT_TRUE(find("lowerArea")->isVisible());

    QTest::mouseDClick(find("QmsCaption"), Qt::LeftButton);  // double-click contracts too
    EXPECT_FALSE(window->isTall());
}

TEST_F(MainWindowTest, CaptionNamesTheDriverOnTheOtherPages) {
    window->showPage(1);
    EXPECT_EQ(window->windowTitle(), "Sublumo 3.04 | unnamed");
    window->showPage(0);
    EXPECT_EQ(window->windowTitle(), "Sublumo 3.04");
    type("driverNameField", "Maker One 10W");
    window->showPage(2);
    EXPECT_EQ(window->windowTitle(), "Sublumo 3.04 | Maker One 10W");
}

TEST_F(MainWindowTest, PageTimerRebuildsTheFormulasPage) {
    typeReferenceDriver();
    auto* formulas = find<QPlainTextEdit>("formulasText");
    EXPECT_TRUE(formulas->toPlainText().isEmpty());
    window->showPage(2);
    EXPECT_TRUE(window->pageTimer().isActive());
    ASSERT_TRUE(waitFor([&] { return !formulas->toPlainText().isEmpty(); }));
    EXPECT_FALSE(window->pageTimer().isActive());
    const QStringList lines = formulas->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 47);
    EXPECT_EQ(lines[2], "Qts = Qes*Qms/(Qes+Qms) = 0.307017543859649");
    EXPECT_EQ(formulas->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(formulas->isReadOnly());
}

TEST_F(MainWindowTest, TimerLeftRunningOnLoudspeakerDoesItsWorkOnTheNextVisit) {
    typeReferenceDriver();
    window->showPage(2);
    window->showPage(0);  // before the timer fires
    QSignalSpy ticks(&window->pageTimer(), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(ui_test::kWaitMs));
    EXPECT_TRUE(window->pageTimer().isActive());
    auto* formulas = find<QPlainTextEdit>("formulasText");
    EXPECT_TRUE(formulas->toPlainText().isEmpty());
    window->showPage(2);
    EXPECT_TRUE(waitFor([&] { return !formulas->toPlainText().isEmpty(); }));
}

TEST_F(MainWindowTest, EnclosurePageTimerStartsTheDesign) {
    int starts = 0;
    QObject::connect(window.get(), &MainWindow::enclosureStartRequested, [&] { ++starts; });
    ui_test::clickTab(find<QTabWidget>("pages"), 1);
    EXPECT_TRUE(waitFor([&] { return starts == 1; }));
    EXPECT_FALSE(window->pageTimer().isActive());  // one-shot: no second start
    EXPECT_EQ(starts, 1);
}

// The window opens with the Loudspeaker page only; each other part appears as the user first
// goes to it, showing the driver typed meanwhile. (findChild, not findByName, which would
// build them all.)
TEST_F(MainWindowTest, PagesAndTheDetailedListAreBuiltWhenFirstShown) {
    const auto exists = [this](const char* name) {
        return window->findChild<QWidget*>(QString::fromLatin1(name)) != nullptr;
    };
    for (const char* part :
         {"enclosurePage", "formulasText", "advancedOptionsPage", "detailedListWindow"})
        EXPECT_FALSE(exists(part)) << part;
    ui_test::typeInto(window->parameterPanel().field(Param::Qms), "2.5");
    ui_test::typeInto(window->parameterPanel().field(Param::Qes), "0.35");
    ui_test::typeInto(window->parameterPanel().field(Param::fs), "30");
    ui_test::typeInto(window->parameterPanel().field(Param::Mms), "60");
    ui_test::typeInto(window->parameterPanel().field(Param::Dd), "260");
    ui_test::typeInto(window->parameterPanel().field(Param::Re), "5.6");

    auto* lower = window->findChild<QTabWidget*>("lowerArea");
    ui_test::clickTab(lower, 1);
    ASSERT_TRUE(exists("advancedOptionsPage"));
    EXPECT_TRUE(window->findChild<QWidget*>("advancedOptionsPage")->isVisible());
    EXPECT_TRUE(window->findChild<QRadioButton*>("menuDiaphragmArea")->isChecked());

    ui_test::clickTab(window->findChild<QTabWidget*>("pages"), 1);
    ASSERT_TRUE(exists("enclosurePage"));
    EXPECT_TRUE(window->findChild<QWidget*>("enclosurePage")->isVisible());
    auto* vb = window->findChild<QWidget*>("closedBox")->findChild<QLineEdit*>("Vb");
    EXPECT_TRUE(waitFor([vb] { return vb->isEnabled(); }));  // the design started
    EXPECT_FALSE(exists("formulasText"));

    QTest::keyClick(window->findChild<QTabWidget*>("pages")->tabBar(), Qt::Key_Right);
    auto* formulas = window->findChild<QPlainTextEdit*>("formulasText");
    ASSERT_NE(formulas, nullptr);
    EXPECT_TRUE(waitFor([formulas] { return formulas->toPlainText().contains("Qts = "); }));

    window->showPage(0);
    ui_test::clickTab(lower, 0);
    EXPECT_FALSE(exists("detailedListWindow"));
    QTest::mouseClick(window->findChild<QWidget*>("countLabel"), Qt::LeftButton);
    ASSERT_TRUE(exists("detailedListWindow"));
    EXPECT_TRUE(window->findChild<QWidget*>("detailedListWindow")->isVisible());
}

TEST_F(MainWindowTest, SummaryBoxFormsAndVisibility) {
    typeReferenceDriver();
    type("driverNameField", "X");
    auto* box = find<SummaryBox>("summaryBox");
    auto* text = find<QPlainTextEdit>("summaryText");
    auto* mark = find<QCheckBox>("markbox");
    EXPECT_FALSE(box->isVisible());
    click("showText");
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(text->toPlainText().startsWith("X\nQms=2.5; Qes=0.35; Qts=0.307; fs=30 Hz;"));
    EXPECT_FALSE(mark->isEnabled());

    chooseForm("summaryFormForum");
    EXPECT_TRUE(mark->isEnabled());
    mark->click();
    EXPECT_TRUE(text->toPlainText().startsWith("[b][color=red]•[/color][/b] [b]X[/b]\n"));
    chooseForm("summaryFormHtml");
    EXPECT_TRUE(text->toPlainText().startsWith("<b><font color=red>•</font></b> <b>X</b>\n"));
    chooseForm("summaryFormPlain");
    EXPECT_TRUE(text->toPlainText().startsWith("X\n"));
    EXPECT_TRUE(mark->isChecked());  // kept, but without effect

    QTest::mouseClick(text->viewport(), Qt::LeftButton);
    EXPECT_EQ(text->textCursor().selectedText().size(), text->toPlainText().size());

    QTest::mouseClick(find("QmsCaption"), Qt::LeftButton);  // a click on the panel hides it
    EXPECT_FALSE(box->isVisible());
    click("showText");
    click("showText");
    EXPECT_FALSE(box->isVisible());
}

TEST_F(MainWindowTest, StayOnTopSwapsItsIcons) {
    click("stayOnTopOff");
    EXPECT_TRUE(window->isPinned());
    EXPECT_TRUE(find("stayOnTopOn")->isVisible());
    EXPECT_FALSE(find("stayOnTopOff")->isVisible());
    click("stayOnTopOn");
    EXPECT_FALSE(window->isPinned());
    EXPECT_EQ(platform.stayOnTopCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(window->size(), QSize(566, 670));
}

// Each icon of a pair names the state it shows and says what a click on it does.
TEST_F(MainWindowTest, StripIconsNameTheirStateAndSayWhatAClickDoes) {
    struct Step {
        const char* clicked;
        const char* nowShowing;
        const char* name;
        const char* description;
    };
    const Step steps[] = {
        {"contract", "expand", "Expand window", "Show the driver lists and calculators below"},
        {"expand", "contract", "Contract window", "Hide the driver lists and calculators"},
        {"stayOnTopOff", "stayOnTopOn", "Stay on top enabled",
         "Let other windows cover this one again"},
        {"stayOnTopOn", "stayOnTopOff", "Stay on top disabled",
         "Keep the window above other windows"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.clicked);
        click(step.clicked);
        auto* shown = find<QToolButton>(step.nowShowing);
        ASSERT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->accessibleName(), step.name);
        EXPECT_EQ(shown->accessibleName(), shown->toolTip());
        EXPECT_EQ(shown->accessibleDescription(), step.description);
    }
}

TEST_F(MainWindowTest, InfoBox) {
    click("info");
    ASSERT_EQ(platform.infos.size(), 1);
    const QStringList lines = platform.infos[0].split('\n');
    EXPECT_EQ(lines[0], "Info");
    EXPECT_EQ(lines[1], "Sublumo 3.04 (released 2024-03-25)");
    EXPECT_TRUE(lines.contains("Qms, Qes, fs, Mms, Dd and Re. The rest is calculated."));
    EXPECT_TRUE(lines.contains("speed of sound: 344 m/s at 20 °C"));
    EXPECT_EQ(lines.last(), "Ql: 7 (BR), 10000 (BP)");
}

// Reads a PNG file back with libpng and gives its size.
QSize pngSize(const QString& path) {
    FILE* file = std::fopen(path.toLocal8Bit().constData(), "rb");
    if (file == nullptr)
        return {};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QSize size;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_info(png, info);
        size = QSize(static_cast<int>(png_get_image_width(png, info)),
                     static_cast<int>(png_get_image_height(png, info)));
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return size;
}

TEST_F(MainWindowTest, ScreenshotIsCapturedBeforeTheDialogAndSavedAsPng) {
    type("driverNameField", "A/B: 1");
    platform.capturedImage = DesktopPlatform().captureWindow(window.get());
    platform.savePath = dir.filePath("shot.png");
    click("screenshot");
    EXPECT_EQ(platform.captures, 1);
    ASSERT_EQ(platform.saveRequests.size(), 1);
    EXPECT_EQ(platform.saveRequests[0], "A_B_ 1|Portable Network Graphics (*.png)|*.png|png");
    EXPECT_EQ(pngSize(dir.filePath("shot.png")), window->frameGeometry().size());
    EXPECT_TRUE(platform.errors.isEmpty());

    platform.savePath.reset();  // cancelled: nothing written
    click("screenshot");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"shot.png"});

    platform.savePath = dir.filePath("missing/shot.png");
    click("screenshot");
    EXPECT_EQ(platform.errors.size(), 1);  // the write failure is reported
}

}  // namespace
}  // namespace sublumo
