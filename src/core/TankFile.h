#pragma once
// The ".vlq" tank file: a flat little-endian record with no magic number, strings
// as an int32 length and code page 1251 bytes. Reading hands every value to the
// tank's setters, in file order, on a NEW default tank; the caller swaps it in
// only when the whole file was read, so a damaged file never leaves a half-loaded
// tank behind. Files come from other people: every length and count is checked
// against the bytes that remain before anything is allocated.

#include "FileIo.h"
#include "TankClasses.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veloquin {

// More internal details than any tank holds (a real one has a few dozen). A file
// claiming more is refused by name of the count: every level of the calibration
// table visits every detail, so a million of them would freeze the program.
constexpr std::int32_t kMaxInternalDetails = 100000;

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
