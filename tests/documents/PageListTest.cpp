// The page-number lists of the print dialog and veloquin-cli.

#include "PageList.h"

#include <gtest/gtest.h>

namespace veloquin {
namespace {

std::vector<int> Parsed(const char* text, int pages = 21)
{
    std::vector<int> list{-99};
    if (!ParsePageList(text, pages, list)) {
        EXPECT_EQ(std::vector<int>{-99}, list) << "a refused text leaves the list";
        return {};
    }
    return list;
}

TEST(ParsePageList, NumbersAndRanges)
{
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5}), Parsed("1,3-5"));
    EXPECT_EQ((std::vector<int>{2, 3, 4, 7}), Parsed("2-4,7"));
    EXPECT_EQ((std::vector<int>{7}), Parsed("7"));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Parsed("01-3"));
    // Printed in the order listed; a range runs from the last page listed.
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Parsed("3,1-2"));
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6}), Parsed("2-4-6"));
    EXPECT_EQ((std::vector<int>{21}), Parsed("21"));
}

TEST(ParsePageList, RefusedTexts)
{
    for (const char* text : {"", "1,,2", ",1", "1-", "123", "1,123", "1 2", "a", "1;2", "-1", "1,2,", "1.5"})
        EXPECT_TRUE(Parsed(text).empty()) << text;
    // Pages outside the set, page 0 included.
    EXPECT_TRUE(Parsed("22").empty());
    EXPECT_TRUE(Parsed("20-22").empty());
    EXPECT_TRUE(Parsed("0").empty());
    EXPECT_TRUE(Parsed("0-2").empty());
    EXPECT_TRUE(Parsed("1", 0).empty());
    EXPECT_TRUE(Parsed("99999999999999999999", 500).empty());
    EXPECT_TRUE(Parsed("1-99999999999999999999", 500).empty());
}

TEST(ParsePageList, BackwardRangesAndRepeatedPagesAreSaidNotPrintedOtherwise)
{
    const auto said = [](const char* text) {
        std::vector<int> list{-99};
        const std::string message = ReadPageList(text, 21, list);
        EXPECT_EQ(std::vector<int>{-99}, list) << text;
        return message;
    };
    EXPECT_EQ("Диапазон страниц 5-3 идет назад: укажите его по возрастанию (3-5).", said("5-3"));
    EXPECT_EQ("Диапазон страниц 4-2 идет назад: укажите его по возрастанию (2-4).", said("1,4-2"));
    EXPECT_EQ("Страница 1 указана в списке дважды.", said("1,1"));
    EXPECT_EQ("Страница 3 указана в списке дважды.", said("3,1-3"));
    EXPECT_EQ("Страница 4 указана в списке дважды.", said("2-5,4"));
    EXPECT_EQ(kBadPageListMessage, said("1,,2"));
    std::vector<int> list;
    EXPECT_EQ("", ReadPageList("1,3-5", 21, list));
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5}), list);
}

TEST(ParsePageList, NumbersOfThreeDigitsAndMoreInALongSet)
{
    EXPECT_EQ((std::vector<int>{123, 499, 1}), Parsed("123,499,1", 499));
    EXPECT_EQ((std::vector<int>{99, 100, 101}), Parsed("99-101", 499));
    EXPECT_EQ((std::vector<int>{120}), Parsed("000120", 499));
    EXPECT_EQ((std::vector<int>{1000}), Parsed("1000", 1000));
    EXPECT_TRUE(Parsed("500", 499).empty());
}

} // namespace
} // namespace veloquin
