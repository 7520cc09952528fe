#include "field_look.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

namespace sublumo {

void setDerivedLook(QLineEdit* field, bool derived) {
    field->setReadOnly(derived);
    field->setFocusPolicy(derived ? Qt::NoFocus : Qt::StrongFocus);
    QPalette palette = field->palette();
    const QPalette& standard = QApplication::palette(field);
    palette.setColor(QPalette::Base,
                     derived ? standard.color(QPalette::Window) : standard.color(QPalette::Base));
    field->setPalette(palette);
}

}  // namespace sublumo
