#include "driver_lists/rename_box.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace sublumo {

RenameBox::RenameBox(QWidget* parent)
    : QGroupBox(QStringLiteral(" Rename the selected record "), parent) {
    setObjectName(QStringLiteral("renameBox"));
    setAccessibleName(title().trimmed());
    setAccessibleDescription(QStringLiteral("Gives the selected record of All another name"));
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("renameField"));
    m_field->setAccessibleName(QStringLiteral("New name"));
    m_field->setAccessibleDescription(QStringLiteral("Enter renames the selected record"));
    m_field->installEventFilter(this);
    m_button = new QPushButton(QStringLiteral("Rename"), this);
    m_button->setObjectName(QStringLiteral("renameButton"));
    m_button->setAccessibleName(QStringLiteral("Rename"));
    m_button->setAccessibleDescription(QStringLiteral("Gives the selected record the new name"));
    m_button->setEnabled(false);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(m_field, 1);
    row->addWidget(m_button);
    connect(m_field, &QLineEdit::textChanged, this, &RenameBox::judge);
    connect(m_button, &QPushButton::clicked, this, &RenameBox::renameRequested);
}

QString RenameBox::newName() const {
    return m_field->text();
}

void RenameBox::setSelectedName(const QString& name) {
    m_selected = name;
    m_field->setText(name);
    judge();
}

void RenameBox::disableRename() {
    m_button->setEnabled(false);
}

void RenameBox::focusField() {
    m_field->setFocus();
}

void RenameBox::judge() {
    m_button->setEnabled(!m_field->text().isEmpty() && m_field->text() != m_selected);
}

bool RenameBox::eventFilter(QObject* watched, QEvent* event) {
    // Enter never types into the field; it renames when "Rename" may.
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_button->isEnabled())
                emit renameRequested();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace sublumo
