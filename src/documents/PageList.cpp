#include "PageList.h"

namespace veloquin {

const char* const kBadPageListMessage = "Указан неверный диапазон печати.";

namespace {

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
        // One or two digits, then a separator or the end.
        if (!IsDigit(text[pos]))
            return false;
        int number = text[pos] - '0';
        ++pos;
        if (pos < text.size() && IsDigit(text[pos])) {
            number = number * 10 + (text[pos] - '0');
            ++pos;
        }
        if (pos < text.size() && IsDigit(text[pos]))
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
    for (int page : list) {
        if (page < 1 || page > setPageCount)
            return false;
    }
    pages = std::move(list);
    return true;
}

} // namespace veloquin
