#pragma once

class QString;
class QWidget;

namespace sublumo {

// Sets what a label or an icon shows and keeps its accessible texts with it: the name is the text
// shown, or the tooltip where it shows only an icon; the description is what a click does (the
// hint, where a click does nothing of its own). A QLabel takes `text` as its text.
void showState(QWidget* control, const QString& text, const QString& tooltip,
               const QString& description);

}  // namespace sublumo
