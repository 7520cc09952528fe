// Random designs of all three box types, put into the window from a file, saved by the window and
// opened by a second window: both show the same texts and the same curves on every chart kind.
#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <map>
#include <set>

#include "design_file.h"
#include "design_samples.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "main_window.h"
#include "scripted_platform.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

using ui_test::findByName;

// 300 designs in all, each box type a third of them; the test checks that they met every
// wiring, vent shape and option both ways.
constexpr int kDesignsPerLocale = 150;

// One window shown for all designs of a locale.
class RoundTripWindow {
public:
    RoundTripWindow(ScriptedPlatform& platform, const QString& directory)
        : m_platform(platform), window(platform, directory) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        findByName(&window, "enclosurePage");  // built once, not at every design
    }

    // The shortcuts work in the active window, as they do for a user.
    void activate() {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void open(const QString& path) {
        activate();
        m_platform.openPaths = {path};
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    }
    void saveAs(const QString& path) {
        activate();
        m_platform.savePath = path;
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // Every field and switch of the two pages by group and name, the other box types' too.
    std::map<QString, QString> fieldTexts() const {
        std::map<QString, QString> texts;
        for (const char* page : {"loudspeakerPage", "enclosurePage"}) {
            const QWidget* root = findByName(&window, page);
            for (const QLineEdit* edit : root->findChildren<QLineEdit*>())
                if (!edit->objectName().isEmpty())
                    texts[name(edit)] = edit->text();
            for (const QAbstractButton* button : root->findChildren<QAbstractButton*>())
                if (button->isCheckable() && !button->objectName().isEmpty())
                    texts[name(button)] = button->isChecked() ? "on" : "off";
        }
        return texts;
    }
    // What each chart of the page draws, graph by graph, after `kind` is chosen.
    std::vector<std::vector<QPointF>> curvesOn(int kind) {
        findByName<QComboBox>(&window, "chartKind")->setCurrentIndex(kind);
        std::vector<std::vector<QPointF>> curves;
        for (const QCustomPlot* plot : window.enclosurePage().findChildren<QCustomPlot*>())
            for (int g = 0; g < plot->graphCount(); ++g) {
                std::vector<QPointF>& points = curves.emplace_back();
                for (const QCPGraphData& point : *plot->graph(g)->data())
                    points.emplace_back(point.key, point.value);
            }
        return curves;
    }
    int chartKindCount() const { return findByName<QComboBox>(&window, "chartKind")->count(); }
    const memory::Slot& slot(int k) const {
        return window.enclosurePage().memorySlots().designMemory().slot(k);
    }

private:
    static QString name(const QObject* control) {
        return control->parent()->objectName() + "/" + control->objectName();
    }

    ScriptedPlatform& m_platform;

public:
    MainWindow window;
};

// Points equal as doubles; a point a curve could not compute is the same on both.
bool samePoints(const std::vector<std::vector<QPointF>>& a,
                const std::vector<std::vector<QPointF>>& b) {
    const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    if (a.size() != b.size())
        return false;
    for (std::size_t c = 0; c < a.size(); ++c) {
        if (a[c].size() != b[c].size())
            return false;
        for (std::size_t i = 0; i < a[c].size(); ++i)
            if (!same(a[c][i].x(), b[c][i].x()) || !same(a[c][i].y(), b[c][i].y()))
                return false;
    }
    return true;
}

// "group/name: a | b" for each field that differs, one a line.
std::string differences(const std::map<QString, QString>& a, const std::map<QString, QString>& b) {
    std::string lines;
    for (const auto& [name, text] : a)
        if (const auto other = b.find(name); other == b.end() || other->second != text)
            lines += (name + ": " + text + " | " + (other == b.end() ? "-" : other->second))
                         .toStdString() +
                     "\n";
    return lines;
}

// Each key's texts that the designs held, so the test can tell it met every choice.
using SeenValues = std::map<std::string, std::set<std::string>>;

void noteValues(const design_file::DesignDocument& document, SeenValues& seen) {
    for (const design_file::PageGroup& group : design_file::pageGroups())
        for (const design_file::PageKey& key : group.keys)
            if (key.kind == design_file::ValueKind::Choice ||
                key.kind == design_file::ValueKind::Flag)
                if (const std::string* text = document.pageValue(group.name, key.name))
                    seen[std::string(group.name) + "/" + std::string(key.name)].insert(*text);
}

void expectEveryChoiceMet(const SeenValues& seen) {
    for (const design_file::PageGroup& group : design_file::pageGroups())
        for (const design_file::PageKey& key : group.keys) {
            const std::string name = std::string(group.name) + "/" + std::string(key.name);
            if (key.kind == design_file::ValueKind::Flag) {
                EXPECT_EQ(seen.at(name).size(), 2U) << name;
            } else if (key.kind == design_file::ValueKind::Choice) {
                EXPECT_EQ(seen.at(name).size(), key.choices.size()) << name;
            }
        }
}

class DesignRoundTripTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override {
        QLocale::setDefault(GetParam() == ',' ? QLocale(QLocale::German) : QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QTemporaryDir dir;
    ScriptedPlatform platform;
};

TEST_P(DesignRoundTripTest, RandomDesignsSavedByTheWindowOpenTheSameInAnother) {
    const NumberFormat format{GetParam()};
    const QString given = dir.filePath(QStringLiteral("given.sublumo"));
    const QString saved = dir.filePath(QStringLiteral("saved.sublumo"));
    for (const char* folder : {"saving", "opening"}) QDir(dir.path()).mkdir(folder);
    RoundTripWindow saving(platform, dir.filePath(QStringLiteral("saving")));
    RoundTripWindow opening(platform, dir.filePath(QStringLiteral("opening")));
    design_file::RandomDesigns random(GetParam() == ',' ? 21 : 12);
    SeenValues seen;
    for (int n = 0; n < kDesignsPerLocale; ++n) {
        SCOPED_TRACE("design " + std::to_string(n));
        const design_file::DesignDocument design = random.design(n % static_cast<int>(design_file::kBoxTypes.size()), format);
        noteValues(design, seen);
        ASSERT_TRUE(design_file::writeDesignFile(given.toStdString(), design));
        saving.open(given);
        saving.saveAs(saved);
        opening.open(saved);
        ASSERT_TRUE(platform.errors.isEmpty()) << platform.errors.join("\n").toStdString();
        ASSERT_EQ(opening.window.designPath(), saved);

        EXPECT_EQ(differences(opening.fieldTexts(), saving.fieldTexts()), "");
        for (int k = 1; k <= memory::kSlotCount; ++k) {
            EXPECT_EQ(saving.slot(k), design.memorySlots[static_cast<std::size_t>(k - 1)]) << k;
            EXPECT_EQ(opening.slot(k), saving.slot(k)) << k;
        }
        for (int kind = 0; kind < saving.chartKindCount(); ++kind)
            EXPECT_TRUE(samePoints(opening.curvesOn(kind), saving.curvesOn(kind)))
                << "chart kind " << kind;
    }
    expectEveryChoiceMet(seen);
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, DesignRoundTripTest, ::testing::Values('.', ','),
                         [](const auto& row) {
                             return std::string(row.param == ',' ? "Comma" : "Point");
                         });

}  // namespace
}  // namespace sublumo
