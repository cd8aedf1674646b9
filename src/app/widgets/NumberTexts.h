#pragma once
// Number texts of the windows, as QStrings: the general text form (typed
// values), fixed decimals (computed values), and reading a typed number back
// without nudging a stored value the user did not change.

#include <QString>

namespace veloquin {

// The shortest text that reads back to the value (up to 15 significant digits).
QString GeneralText(double value);
// FormatDecimals: exactly `decimals` decimals, thousands separated by spaces.
QString FixedText(int decimals, double value);
// "[" + text + "]".
QString Bracketed(const QString& text);

// Typed numbers take "," and "." alike as the decimal separator (TypedStrToFloat).
//
// The number a text holds; throws ConvertError when it holds none. A text that
// shows exactly as the stored value is the stored value: passing it back
// (rather than the text read with 15 digits) never nudges a value, or raises
// Modified, because the user merely confirmed what was shown.
double TypedFloat(const QString& text, double stored);
// The number a text holds; throws ConvertError when it holds none.
double TextToFloat(const QString& text);

} // namespace veloquin
