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

// The first character of `utf8` that the code page cannot hold (as UTF-8), or an
// empty text when every character survives the trip to the file. A malformed
// byte is returned as it stands.
std::string FirstCharNotInCp1251(std::string_view utf8);

// What a user is told when a typed text holds such a character:
// "Символ «Ω» нельзя сохранить в файле резервуара."
std::string Cp1251RefusalMessage(std::string_view character);

} // namespace veloquin
