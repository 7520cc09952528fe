#pragma once

class QLineEdit;

namespace sublumo {

// A field the program fills (a derived value, a calculator's output) is read-only, out of the
// focus order and drawn on the window's colour, so the fields a user types into stand out.
// `derived` false gives the field back to the user with the normal look.
void setDerivedLook(QLineEdit* field, bool derived);

// The field's frame is drawn once for each look and size and copied after that. A keystroke in
// the parameter panel repaints half a dozen fields, and drawing their antialiased frames was
// most of its work. Under a style that animates its frames they are drawn as usual.
void drawFrameFromCache(QLineEdit* field);

}  // namespace sublumo
