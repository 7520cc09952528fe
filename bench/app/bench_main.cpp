#include <benchmark/benchmark.h>

#include <QApplication>

#include "steady_memory.h"

// One QApplication for every window benchmark of this folder, offscreen unless told otherwise.
// Each benchmark sets up its own window (bench_window.h); what they share is set here once.
int main(int argc, char** argv) {
    sublumo::bench::keepFreedMemory();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
