#pragma once

#include <QLabel>

namespace sublumo {

// A label that a screen reader reads as exactly the text it shows: the name follows every change
// of the text, whoever makes it, and a blank label reads as nothing (Qt would read the title of
// the frame around it). A label that shows a picture, or a symbol that reads as nothing, is
// given a name of its own with setAccessibleName.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr) : TextLabel(QString(), parent) {}
    explicit TextLabel(const QString& text, QWidget* parent = nullptr);
};

}  // namespace sublumo
