#include "widgets/hint_timing.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QStyle>
#include <QTest>
#include <QToolTip>

namespace sublumo {
namespace {

TEST(HintTiming, AHintComesUpQuicklyAndShowsTheControlsOwnText) {
    installHintTiming(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), kHintDelayMs);
    QLabel label(QStringLiteral("Qts"));
    label.setToolTip(QStringLiteral("Total Q factor"));
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&label, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), label.toolTip());
    QToolTip::hideText();
}

}  // namespace
}  // namespace sublumo
