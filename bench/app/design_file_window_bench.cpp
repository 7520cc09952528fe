#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "main_window.h"
#include "scripted_platform.h"

namespace {

// A vented design with all eight memory slots stored, each at another volume, saved twice
// with different volumes so that every open changes the fields.
struct EightSlotDesign {
    EightSlotDesign() : window(platform, dir.path()) {
        window.show();
        const std::pair<const char*, const char*> driver[] = {
            {"Qms", "2.5"}, {"Qes", "0.35"}, {"fs", "30"}, {"Mms", "60"}, {"Dd", "260"},
            {"Re", "5.6"},  {"Hc", "12"},    {"Hg", "6"},  {"Pe", "200"}, {"Le", "1.5"}};
        for (auto [name, text] : driver) window.findChild<QLineEdit*>(name)->setText(text);
        window.findChild<QLineEdit*>("driverNameField")->setText("Maker One 10W");
        window.showPage(1);
        sublumo::EnclosurePage& page = window.enclosurePage();
        page.setBoxType(sublumo::EnclosurePage::BoxType::Vented);
        page.startDesign();
        vb = page.findChild<QWidget*>("ventedBox")->findChild<QLineEdit*>("Vb");
        for (int k = 1; k <= sublumo::memory::kSlotCount; ++k) {
            vb->setText(QString::number(30 + 5 * k));
            page.memorySlots().store(k);
        }
        for (const auto& [file, volume] : {std::pair{&first, "42"}, std::pair{&second, "55"}}) {
            vb->setText(QString::fromLatin1(volume));
            *file = dir.filePath(QStringLiteral("design %1.sublumo").arg(QLatin1String(volume)));
            platform.savePath = *file;
            window.saveDesignAs();
        }
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    sublumo::ScriptedPlatform platform;
    sublumo::MainWindow window;
    QLineEdit* vb = nullptr;
    QString first, second;
};

// Reading the file, filling every field, restoring the eight slots and their curves, the
// recompute, and the repaint of the window.
void BM_OpenDesignWithEightSlots(benchmark::State& state) {
    EightSlotDesign design;
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        design.window.openDesignFile(odd ? design.first : design.second);
        design.window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenDesignWithEightSlots)->Unit(benchmark::kMillisecond);

// Gathering the design from the window and writing it (temporary file, flush, rename).
void BM_SaveDesignWithEightSlots(benchmark::State& state) {
    EightSlotDesign design;
    for (auto _ : state) benchmark::DoNotOptimize(design.window.saveDesign());
}
BENCHMARK(BM_SaveDesignWithEightSlots)->Unit(benchmark::kMillisecond);

}  // namespace
