#pragma once

class QString;
class QWidget;

namespace sublumo {

// Sets what a label or an icon shows and keeps its accessible texts with it: a label that shows
// text is read as that text (a TextLabel follows it from then on), an icon by its tooltip; the
// description is what a click does (the hint, where a click does nothing of its own). A QLabel
// takes a non-empty `text` as its text.
void showState(QWidget* control, const QString& text, const QString& tooltip,
               const QString& description);

}  // namespace sublumo
