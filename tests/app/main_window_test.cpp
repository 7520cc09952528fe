#include <gtest/gtest.h>
#include <QTabWidget>

#include "main_window.h"
#include "scripted_platform.h"

namespace sublumo {
namespace {

TEST(MainWindow, OpensWithItsTitleAndThreePages) {
    ScriptedPlatform platform;
    MainWindow window(platform, QString());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sublumo 3.04"));
    auto* pages = window.findChild<QTabWidget*>();
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Loudspeaker"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Enclosure"));
    EXPECT_EQ(pages->tabText(2), QStringLiteral("Formulas"));
}

}  // namespace
}  // namespace sublumo
