#include <QApplication>

#include "command_line.h"
#include "main_window.h"
#include "platform/data_location.h"
#include "platform/platform_services.h"
#include "program_info.h"
#include "scripted_input.h"
#include "widgets/hint_timing.h"

int main(int argc, char* argv[]) {
    const sublumo::StartRequest request = sublumo::readCommandLine(argc, argv);
    if (request.exitStatus)
        return *request.exitStatus;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(sublumo::kProgramTitle));
    sublumo::installHintTiming(app);
    sublumo::DesktopPlatform platform;
    sublumo::MainWindow window(platform,
                               sublumo::dataDirectory(QCoreApplication::applicationDirPath()));
    if (window.startupFailed())
        return 1;  // the database is held by another process: nothing is shown or written
    window.show();
    sublumo::openAtStart(window, request);
    sublumo::ScriptedInput::startIfAsked(window);
    return QApplication::exec();
}
