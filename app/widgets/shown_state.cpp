#include "shown_state.h"

#include <QLabel>
#include <QString>

namespace sublumo {

void showState(QWidget* control, const QString& text, const QString& tooltip,
               const QString& description) {
    auto* label = qobject_cast<QLabel*>(control);
    if (label != nullptr && !text.isEmpty())
        label->setText(text);
    control->setToolTip(tooltip);
    control->setAccessibleDescription(description);
    // A label's text is read as it stands; an icon is read by its tooltip, and a blank label
    // not at all.
    if (label == nullptr)
        control->setAccessibleName(tooltip);
    else if (label->text().trimmed().isEmpty() && !label->pixmap().isNull())
        control->setAccessibleName(tooltip);
    else
        control->setAccessibleName(QString());
}

}  // namespace sublumo
