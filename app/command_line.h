#pragma once

#include <QString>
#include <optional>

namespace sublumo {

class MainWindow;

// What the command line asks of this start.
struct StartRequest {
    // Set when the program ends at once: after --help or --version (0), or misuse (2).
    std::optional<int> exitStatus;
    QString designFile;  // an absolute path to open once the window is up; empty for none
};

// Reads the arguments before any window exists, on a QCoreApplication of its own, so that
// --help, --version and misuse are answered without a display. Prints its answers: help and
// version to stdout, misuse with the usage to stderr.
StartRequest readCommandLine(int& argc, char* argv[]);

// Opens the requested design as soon as the shown window's event loop runs, so that a refusal
// is said over the window and the program carries on with its start state.
void openAtStart(MainWindow& window, const StartRequest& request);

}  // namespace sublumo
