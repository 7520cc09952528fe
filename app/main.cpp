#include <QApplication>

#include "main_window.h"
#include "platform_services.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sublumo 3.04"));
    sublumo::DesktopPlatform platform;
    sublumo::MainWindow window(platform, QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
