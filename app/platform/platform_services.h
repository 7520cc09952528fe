#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace sublumo {

// Every error box has this title, whatever went wrong; questions and notes pass their own.
inline constexpr char kErrorTitle[] = "Error";

// Everything that talks to the operating system or blocks on a modal dialog goes through
// here, so that tests can answer it and nothing waits on a real dialog.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void showError(QWidget* parent, const QString& text) = 0;
    virtual void showInfo(QWidget* parent, const QString& title, const QString& text) = 0;
    // `filter` is written "Description (*.ext)|*.ext"; nullopt when the user cancels.
    virtual std::optional<QString> askSavePath(QWidget* parent, const QString& proposedName,
                                               const QString& filter,
                                               const QString& defaultSuffix) = 0;
    // Files to read, one or `many`; empty when the user cancels.
    virtual QStringList askOpenPaths(QWidget* parent, const QString& title, const QString& filter,
                                     bool many) = 0;
    // A question with one button per choice; the index of the one pressed, -1 when the box is
    // closed without an answer.
    virtual int askChoice(QWidget* parent, const QString& title, const QString& text,
                          const QStringList& choices) = 0;
    // One line of text, `proposed` filled in; nullopt when the user cancels.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& proposed) = 0;
    // One of `items` picked from a list; its index, -1 when the user cancels.
    virtual int askItem(QWidget* parent, const QString& title, const QString& label,
                        const QStringList& items) = 0;
    virtual void openAddress(const QString& address) = 0;
    // The window as it is displayed, with its frame where the platform can give it.
    virtual QImage captureWindow(QWidget* window) = 0;
    // In or out of the top-most band without moving, resizing or activating the window.
    virtual void setStayOnTop(QWidget* window, bool onTop) = 0;
    // The print dialog, which sets up `printer`; false when the user cancels.
    virtual bool askPrint(QWidget* parent, QPrinter& printer) = 0;
};

// The real desktop: message boxes, the file dialog, the browser and the screen.
class DesktopPlatform final : public PlatformServices {
public:
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    void showInfo(QWidget* parent, const QString& title, const QString& text) override;
    std::optional<QString> askSavePath(QWidget* parent, const QString& proposedName,
                                       const QString& filter,
                                       const QString& defaultSuffix) override;
    QStringList askOpenPaths(QWidget* parent, const QString& title, const QString& filter,
                             bool many) override;
    int askChoice(QWidget* parent, const QString& title, const QString& text,
                  const QStringList& choices) override;
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& proposed) override;
    int askItem(QWidget* parent, const QString& title, const QString& label,
                const QStringList& items) override;
    void openAddress(const QString& address) override;
    QImage captureWindow(QWidget* window) override;
    void setStayOnTop(QWidget* window, bool onTop) override;
    bool askPrint(QWidget* parent, QPrinter& printer) override;
};

}  // namespace sublumo
