#include "Cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace veloquin;

TEST(Cp1251, EveryByteSurvivesTheTripThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1251(utf8), all);
    EXPECT_EQ(std::count(utf8.begin(), utf8.end(), '?'), 1); // only the one of byte 63
}

TEST(Cp1251, RussianTextsAndSigns)
{
    const std::string name = "\xD0\xE5\xE7\xE5\xF0\xE2\xF3\xE0\xF0\x31";
    EXPECT_EQ(Utf8ToCp1251("Резервуар1"), name);
    EXPECT_EQ(Cp1251ToUtf8(name), "Резервуар1");
    EXPECT_EQ(Utf8ToCp1251("№"), "\xB9");
    EXPECT_EQ(Cp1251ToUtf8("\xB9"), "№");
    EXPECT_EQ(Utf8ToCp1251("±"), "\xB1");
    EXPECT_EQ(Cp1251ToUtf8("\xB1"), "±");
    EXPECT_EQ(Utf8ToCp1251("ЁёЯя€—"), "\xA8\xB8\xDF\xFF\x88\x97");
    EXPECT_EQ(Cp1251ToUtf8(std::string("\x00\r\n\t", 4)), std::string("\x00\r\n\t", 4));
    EXPECT_EQ(Cp1251ToUtf8(""), "");
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1251("a\xC3\xA9z"), "a?z");     // é
    EXPECT_EQ(Utf8ToCp1251("\xE4\xB8\xAD"), "?");     // a CJK character
    EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80"), "?"); // an emoji, four bytes
}

TEST(Cp1251, MalformedUtf8GivesOneQuestionMarkPerBadByte)
{
    EXPECT_EQ(Utf8ToCp1251("\x80"), "?");                          // stray continuation
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");                          // cut short at the end
    EXPECT_EQ(Utf8ToCp1251(std::string("\xE2\x84") + "A"), "??A"); // cut short before ASCII
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");                     // overlong '/'
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");                // a surrogate
    EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");           // above U+10FFFF
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFE\xD0\xAF"), "??\xDF");         // recovers at the next good sequence
}

TEST(Cp1251, FindsTheFirstCharacterTheFileCannotHold)
{
    EXPECT_EQ(FirstCharNotInCp1251("Резервуар №1 ± 0,1 %"), "");
    EXPECT_EQ(FirstCharNotInCp1251("?"), "");
    EXPECT_EQ(FirstCharNotInCp1251("R = 5 Ω, 3 µ"), "Ω");
    EXPECT_EQ(FirstCharNotInCp1251("汉"), "汉");
    EXPECT_EQ(FirstCharNotInCp1251("a\xFF" "b"), "\xFF");
    EXPECT_EQ(Cp1251RefusalMessage("Ω"), "Символ «Ω» нельзя сохранить в файле резервуара.");
}
