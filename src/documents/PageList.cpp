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
    return ReadPageList(text, setPageCount, pages).empty();
}

std::string ReadPageList(std::string_view text, int setPageCount, std::vector<int>& pages)
{
    if (text.empty() || !IsDigit(text.back()))
        return kBadPageListMessage;
    for (char c : text) {
        if (!IsDigit(c) && c != ',' && c != '-')
            return kBadPageListMessage;
    }

    std::vector<int> list;
    std::vector<bool> listed(static_cast<std::size_t>(std::max(setPageCount, 0)) + 1);
    char separator = 0; // before the first number
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A number of any length, then a separator or the end: a long table
        // has hundreds of sheets. Past any set's size a number only grows so far.
        if (!IsDigit(text[pos]))
            return kBadPageListMessage;
        int number = 0;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            const int digit = text[pos] - '0';
            number = number > (kBeyondAnySet - digit) / 10 ? kBeyondAnySet : number * 10 + digit;
        }
        // Refused before a range is spelled out, so "1-999999999" costs nothing.
        if (number < 1 || number > setPageCount)
            return kBadPageListMessage;

        const int from = separator == '-' ? list.back() + 1 : number;
        if (separator == '-' && number < list.back())
            return "Диапазон страниц " + std::to_string(list.back()) + "-" + std::to_string(number) +
                   " идет назад: укажите его по возрастанию (" + std::to_string(number) + "-" +
                   std::to_string(list.back()) + ").";
        for (int page = from; page <= number; ++page) {
            if (listed[static_cast<std::size_t>(page)])
                return "Страница " + std::to_string(page) + " указана в списке дважды.";
            listed[static_cast<std::size_t>(page)] = true;
            list.push_back(page);
        }
        if (pos < text.size())
            separator = text[pos++];
    }
    pages = std::move(list);
    return std::string();
}

} // namespace veloquin
