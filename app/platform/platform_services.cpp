#include "platform_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <cstdio>

namespace sublumo {

namespace {

// "Description (*.ext)|*.ext|..." pairs become Qt's ";;"-separated name filters.
QString qtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2) names << parts[i];
    return names.join(QStringLiteral(";;"));
}

}  // namespace

bool DesktopPlatform::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void DesktopPlatform::showError(QWidget* parent, const QString& text) {
    // Also on stderr, where a start from a terminal or a launcher's log keeps it.
    std::fprintf(stderr, "sublumo: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    QMessageBox::critical(parent, QString::fromLatin1(kErrorTitle), text);
}

void DesktopPlatform::showInfo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

std::optional<QString> DesktopPlatform::askSavePath(QWidget* parent, const QString& proposedName,
                                                    const QString& filter,
                                                    const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtNameFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

QStringList DesktopPlatform::askOpenPaths(QWidget* parent, const QString& title,
                                          const QString& filter, bool many) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(many ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilter(qtNameFilter(filter));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

int DesktopPlatform::askChoice(QWidget* parent, const QString& title, const QString& text,
                               const QStringList& choices) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices) buttons << box.addButton(choice, QMessageBox::AcceptRole);
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.constFirst()));
    box.exec();
    return buttons.indexOf(box.clickedButton());
}

std::optional<QString> DesktopPlatform::askText(QWidget* parent, const QString& title,
                                                const QString& label, const QString& proposed) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, proposed, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

int DesktopPlatform::askItem(QWidget* parent, const QString& title, const QString& label,
                             const QStringList& items) {
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    return ok ? static_cast<int>(items.indexOf(item)) : -1;
}

void DesktopPlatform::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

QImage DesktopPlatform::captureWindow(QWidget* window) {
    if (window == nullptr)
        return {};
    // The screen over the frame shows the window as displayed, decorations included; where
    // the platform cannot read the screen (Wayland, offscreen) the window renders itself.
    const QRect frame = window->frameGeometry();
    if (QScreen* screen = window->screen()) {
        const QRect onScreen = frame.translated(-screen->geometry().topLeft());
        const QPixmap shot =
            screen->grabWindow(0, onScreen.x(), onScreen.y(), frame.width(), frame.height());
        if (!shot.isNull() && shot.width() > 1 && shot.height() > 1)
            return shot.toImage();
    }
    return window->grab().toImage();
}

void DesktopPlatform::setStayOnTop(QWidget* window, bool onTop) {
    // QWindow::setFlag changes the hint on the live window; QWidget::setWindowFlags would hide
    // and re-create it, which moves it and steals activation.
    if (QWindow* handle = window->windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        handle->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    } else {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

bool DesktopPlatform::askPrint(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace sublumo
