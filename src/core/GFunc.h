#pragma once
// Number helpers shared by every layer: the user's decimal separator, the
// rounding rule of calibration tables (ties judged on four digits go to the even
// neighbour), fixed-decimal texts with space-grouped thousands, and the general
// text form with its strict parsers.
//
// None of these use the C library's locale-dependent conversions: the process
// locale may say "," while files and tests need a fixed, explicit separator.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veloquin {

// A typed text that does not convert; what() is the text the user sees,
// e.g. "'abc' is not a valid floating point value".
class ConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The one decimal separator the program shows and parses ('.' or ',').
char GetDecimalSeparator();
void SetDecimalSeparator(char separator);
// The separator of the user's locale (LC_NUMERIC / LANG), '.' when it cannot be told.
char UserLocaleDecimalSeparator();

// Characters after the first decimal separator; 0 when there is none.
unsigned CountFractionDigits(std::string_view text);

// x rounded to n decimals (n < 0 rounds to tens, hundreds...), computed in
// extended precision; a fraction within 0.00005 of one half is a tie and goes
// to the even neighbour.
double RoundDecimals(std::int8_t n, double x);

// RoundDecimals(n, x) with exactly n decimals and thousands separated by spaces
// (grouping decided on the unrounded x; negative values are never grouped).
std::string FormatDecimals(std::int8_t n, double x);

// The general text form: shortest text with up to 15 significant digits, the
// current decimal separator, no trailing zeros; scientific ("1,5E-6", "1E20")
// only below 0.00001 or with more than 15 integer digits.
std::string FloatToStr(double x);

// Strict parsers for typed texts (surrounding spaces allowed, nothing else).
// They throw ConvertError with the message the user sees; nan and infinity are
// never accepted.
double StrToFloat(std::string_view text);
int StrToInt(std::string_view text);
bool TryStrToFloat(std::string_view text, double& value);
bool TryStrToInt(std::string_view text, int& value);

// Numbers typed or pasted by the user: "," and "." are both read as the decimal
// separator whatever GetDecimalSeparator says, since spreadsheets and field
// notes here write the comma and other programs the point. Otherwise as strict
// as StrToFloat, with its message.
double TypedStrToFloat(std::string_view text);
bool TryTypedStrToFloat(std::string_view text, double& value);

// How a message quotes what the user typed: at most kQuotedInputChars characters
// (a cut text ends in "…"), and control characters (a NUL among them) shown as
// their visible pictures, so that a pasted text never floods or cuts a message.
constexpr std::size_t kQuotedInputChars = 60;
std::string QuotedInput(std::string_view utf8);

// How a message quotes a path, whose folder and own name both matter: its bytes
// as they stand (a byte that is not UTF-8 shown as the replacement character
// U+FFFD, since a file name need not be UTF-8), control characters as their
// pictures, and at most kQuotedInputChars characters, the middle of a longer
// one left out ("…") so that both ends show.
std::string QuotedPath(std::string_view bytes);

// Whether a text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

// A text of the user's (a tank's name, a file's path) put into one line of a
// line-oriented output (a comment line of a gauge table, a row of a report):
// line breaks, tabs and other control characters, and the Unicode line and
// paragraph separators, become spaces, so that no part of it starts a line of
// its own that a reader could take for data.
std::string OneLineText(std::string_view utf8);

} // namespace veloquin
