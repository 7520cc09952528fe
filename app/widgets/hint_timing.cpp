#include "hint_timing.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace sublumo {

namespace {

class HintDelayStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Shows a control's own hint for the full duration; item views and others that answer the
// event themselves keep their way.
class HintDuration final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->toolTip().isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(),
                           kHintDurationMs);
        return true;
    }
};

}  // namespace

void installHintTiming(QApplication& app) {
    QApplication::setStyle(new HintDelayStyle);
    app.installEventFilter(new HintDuration(&app));
}

}  // namespace sublumo
