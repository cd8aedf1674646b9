#include "PageList.h"

#include <algorithm>

namespace veloquin {

const char* const kBadPageListMessage = "Указан неверный диапазон печати.";

namespace {

constexpr int kBeyondAnySet = 1000000000;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool ParsePageList(std::string_view text, int setPageCount, std::vector<int>& pages)
{
    if (text.empty() || !IsDigit(text.back()))
        return false;
    for (char c : text) {
        if (!IsDigit(c) && c != ',' && c != '-')
            return false;
    }

    std::vector<int> list;
    char separator = 0; // before the first number
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A number of any length, then a separator or the end: a long table
        // has hundreds of sheets. Past any set's size a number only grows so far.
        if (!IsDigit(text[pos]))
            return false;
        int number = 0;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            const int digit = text[pos] - '0';
            number = number > (kBeyondAnySet - digit) / 10 ? kBeyondAnySet : number * 10 + digit;
        }
        // Refused before a range is spelled out, so "1-999999999" costs nothing.
        if (number < 1 || number > setPageCount)
            return false;

        if (separator == '-') {
            for (int page = list.back() + 1; page <= number; ++page)
                list.push_back(page);
        } else {
            list.push_back(number);
        }
        if (pos < text.size())
            separator = text[pos++];
    }
    pages = std::move(list);
    return true;
}

} // namespace veloquin
