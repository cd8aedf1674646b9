#pragma once
// The page numbers of the print dialog's "номера:" and of veloquin-cli's
// --pages: numbers of the whole document set (of any length), joined
// by "," (the page) or "-" (the pages after the one before, up to this one):
// "1,3-5" gives 1, 3, 4, 5. Nothing is printed otherwise than asked in silence:
// a range that runs backwards ("5-3") and a page listed twice ("1,1", "3,1-3")
// are refused with a message that says so, in the dialog as in the tool.

#include <string>
#include <string_view>
#include <vector>

namespace veloquin {

extern const char* const kBadPageListMessage; // "Указан неверный диапазон печати."

// Fills `pages` in printing order and returns true, or returns false (and
// leaves `pages` as it was) for a refused text: an empty text, any character
// but digits, "," and "-", a text not ending in a digit, a separator that
// starts a text or follows another, or a page outside 1..setPageCount (page 0
// is refused too).
bool ParsePageList(std::string_view text, int setPageCount, std::vector<int>& pages);

// As ParsePageList, but says why a text is refused: empty when it is accepted,
// else the message for the user (kBadPageListMessage for a text that is no
// list of this set's pages, a message of its own for a backward range and for
// a repeated page).
std::string ReadPageList(std::string_view text, int setPageCount, std::vector<int>& pages);

} // namespace veloquin
