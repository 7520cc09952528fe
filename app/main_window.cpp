#include "main_window.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace sublumo {

MainWindow::MainWindow(PlatformServices& platform, QString programDirectory, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_programDirectory(std::move(programDirectory)) {
    setWindowTitle(QStringLiteral("Sublumo 3.04"));
    m_pages = new QTabWidget(this);
    m_pages->addTab(new QWidget, QStringLiteral("Loudspeaker"));
    m_pages->addTab(new QWidget, QStringLiteral("Enclosure"));
    m_pages->addTab(new QWidget, QStringLiteral("Formulas"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    setFixedSize(566, 670);
}

}  // namespace sublumo
