#include "platform/platform_services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "driver_record.h"

namespace sublumo {
namespace {

// What a real message box showed; the box is answered with Escape as soon as it is up, so
// that nothing waits on it.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

ShownBox showAndClose(const std::function<void()>& open) {
    ShownBox shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        shown = {box->windowTitle(), box->text(), box->icon()};
        box->reject();
    });
    closer.start(10);
    open();
    return shown;
}

TEST(DesktopPlatform, MessageBoxesCarryTheirTitles) {
    DesktopPlatform platform;
    const auto qs = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    const QString notFound = qs(database::kRecordNotFoundMessage);
    const QString nothingRenamed = qs(database::kNothingRenamedMessage);
    struct Row {
        const char* name;
        std::function<void()> open;
        const char* title;
        QString text;
        QMessageBox::Icon icon;
    };
    const Row rows[] = {
        {"record not found", [&] { platform.showError(nullptr, notFound); }, "Error", notFound,
         QMessageBox::Critical},
        {"nothing renamed", [&] { platform.showError(nullptr, nothingRenamed); }, "Error",
         nothingRenamed, QMessageBox::Critical},
        {"confirmation", [&] { platform.askYesNo(nullptr, "Confirm", "Overwrite?"); }, "Confirm",
         "Overwrite?", QMessageBox::Question},
        {"Info box", [&] { platform.showInfo(nullptr, "Info", "Sublumo 3.04"); }, "Info",
         "Sublumo 3.04", QMessageBox::Information},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ShownBox shown = showAndClose(row.open);
        EXPECT_EQ(shown.title, row.title);
        EXPECT_EQ(shown.text, row.text);
        EXPECT_EQ(shown.icon, row.icon);
    }
}

}  // namespace
}  // namespace sublumo
