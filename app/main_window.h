#pragma once

#include <QWidget>

class QTabWidget;

namespace sublumo {

class PlatformServices;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(PlatformServices& platform, QString programDirectory, QWidget* parent = nullptr);

private:
    PlatformServices& m_platform;
    QString m_programDirectory;
    QTabWidget* m_pages = nullptr;
};

}  // namespace sublumo
