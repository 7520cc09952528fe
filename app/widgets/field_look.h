#pragma once

class QLineEdit;

namespace sublumo {

// A field the program fills (a derived value, a calculator's output) is read-only, out of the
// focus order and drawn on the window's colour, so the fields a user types into stand out.
// `derived` false gives the field back to the user with the normal look.
void setDerivedLook(QLineEdit* field, bool derived);

}  // namespace sublumo
