#pragma once
// The ".vlq" tank file: a flat little-endian record with no magic number, strings
// as an int32 length and code page 1251 bytes. Reading hands every value to the
// tank's setters, in file order, on a NEW default tank; the caller swaps it in
// only when the whole file was read, so a damaged file never leaves a half-loaded
// tank behind. Files come from other people: every length and count is checked
// against the bytes that remain before anything is allocated.

#include "TankClasses.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veloquin {

class FileWriter; // FileIo.h

// An input/output failure; what() is the text the user sees:
// "Read beyond end of file", "File access denied", "Disk full", "I/O error %d".
class TankFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A tank read from a file, with the file's version word (kept and written back).
struct LoadedTank
{
    TSteelVertCylTank tank;
    std::int32_t version = 1;
};

// Reads a whole file image into a new default tank, then refreshes every derived
// value; the result has Modified cleared. Throws TankFileError.
LoadedTank ReadTank(std::string_view bytes);
LoadedTank LoadTankFile(const std::string& path);

// The file image of a tank.
std::string WriteTank(const TSteelVertCylTank& tank, std::int32_t version);

// Writes the file beside the target and renames it over the target only when every
// byte was written and flushed: a failed store leaves the previous file intact.
// The caller clears the tank's Modified flag after success. Throws TankFileError.
void StoreTankFile(const std::string& path, const TSteelVertCylTank& tank, std::int32_t version);
// The same through substitute system calls (tests of failing devices).
void StoreTankFile(const std::string& path, const TSteelVertCylTank& tank, std::int32_t version, FileWriter& writer);

} // namespace veloquin
