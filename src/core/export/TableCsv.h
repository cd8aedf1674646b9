#pragma once
// Reading a calibration table from a file another program (or an earlier
// Veloquin) wrote: the level in mm above the tape's touch point and the volume
// in m3, one level a line. Accepted:
// - the CSV of veloquin-cli csv ("girdle;level_mm;volume_m3");
// - the gauge tables ("level_mm;volume_m3" after lines beginning with "#");
// - the text table as copied from the program ("Пояс №1<TAB><TAB>h =<TAB>190...");
// - two plain columns, level then volume, separated by ";", a tab, spaces, or a
//   comma when the numbers use a decimal point; an optional header line first
//   (columns named "level"/"уровень" and "volume"/"объем" are found by name).
// Numbers may use "." or "," and spaces between thousands.
// The file comes from elsewhere: every line is checked, and a bad one refuses
// the whole file with a message that names the line.

#include "export/TablePoints.h"

#include <stdexcept>
#include <string_view>
#include <vector>

namespace veloquin {

class TableCsvError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// More levels than any table has: a larger file is refused before it is read through.
constexpr std::size_t kMaxCsvTableLines = 200000;

// Throws TableCsvError: text where a number belongs, levels that do not
// increase, no level at all, too many lines.
std::vector<TablePoint> ReadTableCsv(std::string_view bytes);

} // namespace veloquin
