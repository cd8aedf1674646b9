#pragma once
// Texts typed into edit boxes that go into the tank file, which holds them in
// code page 1251: a text with a character the code page lacks would be saved
// as "?" without a word, so it is refused where it is typed.

#include <QString>

class QLineEdit;

namespace veloquin {

// True when the box's new text can be stored as typed. Otherwise puts back the
// text it held before (without running its change handlers, the caret where
// the refused change began), reports through the general error report which
// character cannot be stored, and returns false.
bool AcceptTypedText(QLineEdit& edit, const QString& previous);

} // namespace veloquin
