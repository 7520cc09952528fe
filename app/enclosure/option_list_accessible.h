#pragma once

class QListWidget;

namespace sublumo {

// Lets assistive technology read each item of an option list with its enabled state and
// choose only the enabled ones. Installing more than once does nothing.
void installOptionListAccessibility();

// Tells assistive technology that the item at `row` was enabled or disabled.
void notifyItemEnabledChanged(QListWidget* list, int row);

}  // namespace sublumo
