#pragma once
// Windows code page 1251, the encoding of every text that leaves the program
// (tank files, clipboard). Texts inside the engine are UTF-8.
//
// Byte 0x98 is undefined in the code page; it is carried as U+0098 so that any
// byte string survives a trip through UTF-8 unchanged.

#include <string>
#include <string_view>

namespace veloquin {

std::string Cp1251ToUtf8(std::string_view bytes);

// Characters the code page lacks, and every byte of a malformed UTF-8 sequence,
// become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

} // namespace veloquin
