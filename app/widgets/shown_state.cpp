#include "shown_state.h"

#include <QLabel>
#include <QString>

namespace sublumo {

void showState(QWidget* control, const QString& text, const QString& tooltip,
               const QString& description) {
    if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !text.isEmpty())
        label->setText(text);
    control->setToolTip(tooltip);
    control->setAccessibleName(text.trimmed().isEmpty() ? tooltip : text.trimmed());
    control->setAccessibleDescription(description);
}

}  // namespace sublumo
