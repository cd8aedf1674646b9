#include "GFunc.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>

using namespace veloquin;

namespace {

// Every test sets the separator it needs; the one in force before is put back.
class GFuncTest : public ::testing::Test
{
protected:
    void SetUp() override { m_previous = GetDecimalSeparator(); }
    void TearDown() override { SetDecimalSeparator(m_previous); }

private:
    char m_previous = '.';
};

std::string ConvertMessage(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST_F(GFuncTest, RoundDecimalsJudgesTiesOnFourDigitsAndGoesToEven)
{
    EXPECT_EQ(RoundDecimals(1, 19953.62313), 19953.6);
    EXPECT_EQ(RoundDecimals(1, 2.25), 2.2);
    EXPECT_EQ(RoundDecimals(1, 2.35), 2.4);
    EXPECT_EQ(RoundDecimals(1, 2.250004), 2.2); // still a tie on four digits
    EXPECT_EQ(RoundDecimals(1, 2.25004), 2.3);
    EXPECT_EQ(RoundDecimals(1, -2.26), -2.3);
    EXPECT_EQ(RoundDecimals(1, -2.25), -2.2); // the sign does not move the tie
    EXPECT_EQ(RoundDecimals(0, 2.5), 2.0);
    EXPECT_EQ(RoundDecimals(0, 3.5), 4.0);
    EXPECT_EQ(RoundDecimals(0, 0.49996), 0.0); // inside the tie band: 0 is even
    EXPECT_EQ(RoundDecimals(0, 1.49996), 2.0);
    EXPECT_EQ(RoundDecimals(0, 2.50004), 2.0);
    EXPECT_EQ(RoundDecimals(0, 2.50006), 3.0);
    EXPECT_EQ(RoundDecimals(-1, 25), 20.0);
    EXPECT_EQ(RoundDecimals(-1, 35), 40.0);
    EXPECT_EQ(RoundDecimals(-2, 1250), 1200.0);
    EXPECT_EQ(RoundDecimals(3, 15.842555), 15.843);
    EXPECT_EQ(RoundDecimals(3, 0.0), 0.0);
}

TEST_F(GFuncTest, RoundDecimalsSurvivesExtremeCountsAndValues)
{
    EXPECT_EQ(RoundDecimals(-128, 123456.0), 0.0);
    EXPECT_EQ(RoundDecimals(127, 1.5), 1.5);
    EXPECT_EQ(RoundDecimals(2, 1e300), 1e300);
    EXPECT_TRUE(std::isnan(RoundDecimals(2, std::numeric_limits<double>::quiet_NaN())));
}

TEST_F(GFuncTest, FormatDecimalsPadsAndGroupsWithComma)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatDecimals(3, 15.842555), "15,843");
    EXPECT_EQ(FormatDecimals(3, 6), "6,000");
    EXPECT_EQ(FormatDecimals(1, 0.04), "0,0");
    EXPECT_EQ(FormatDecimals(2, 0.5), "0,50");
    EXPECT_EQ(FormatDecimals(3, 1234.5), "1 234,500");
    EXPECT_EQ(FormatDecimals(1, 19953.62), "19 953,6");
    EXPECT_EQ(FormatDecimals(2, 123456.78), "123 456,78");
    EXPECT_EQ(FormatDecimals(3, 12345678.9), "12 345 678,900");
    EXPECT_EQ(FormatDecimals(0, 1234567), "1 234 567");
    EXPECT_EQ(FormatDecimals(0, 123456789), "123 456 789");
    EXPECT_EQ(FormatDecimals(0, 1234567890), "1 234 567 890");
    EXPECT_EQ(FormatDecimals(0, 12345678901.0), "12345678901");
    EXPECT_EQ(FormatDecimals(-1, 25), "20");
}

TEST_F(GFuncTest, FormatDecimalsGroupsOnTheUnroundedValueAndNeverNegatives)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatDecimals(1, 999.96), "1000,0");
    EXPECT_EQ(FormatDecimals(3, -1234.5), "-1234,500");
    EXPECT_EQ(FormatDecimals(2, -0.001), "0,00");
}

TEST_F(GFuncTest, FormatDecimalsNeverWritesExponentsOrThrowsOnShortTexts)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatDecimals(7, 0.0000012), "0,0000012");
    EXPECT_EQ(FormatDecimals(-5, 12345), "0"); // too short for its grouping position
    EXPECT_EQ(FormatDecimals(-6, 1234567), "1 000 000");
}

TEST_F(GFuncTest, FormatDecimalsWithPointSeparator)
{
    SetDecimalSeparator('.');
    EXPECT_EQ(FormatDecimals(3, 1234.5), "1 234.500");
    EXPECT_EQ(FormatDecimals(1, 7), "7.0");
}

TEST_F(GFuncTest, FloatToStrGeneralForm)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(5), "5");
    EXPECT_EQ(FloatToStr(-2.5), "-2,5");
    EXPECT_EQ(FloatToStr(0.1), "0,1");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3"); // 15 significant digits hide the binary noise
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0,666666666666667");
    EXPECT_EQ(FloatToStr(19953.62), "19953,62");
    EXPECT_EQ(FloatToStr(1000000), "1000000");
    EXPECT_EQ(FloatToStr(0.00001), "0,00001");
    EXPECT_EQ(FloatToStr(0.000012), "0,000012");
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
}

TEST_F(GFuncTest, FloatToStrScientificForm)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStr(1.5e-6), "1,5E-6");
    EXPECT_EQ(FloatToStr(-1.5e-6), "-1,5E-6");
    EXPECT_EQ(FloatToStr(1e-300), "1E-300");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1,23456789012346E17");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST_F(GFuncTest, SeparatorIsTheOneTheGeneralFormUses)
{
    for (char separator : {',', '.'}) {
        SetDecimalSeparator(separator);
        EXPECT_EQ(GetDecimalSeparator(), separator);
        EXPECT_EQ(FloatToStr(0.5)[1], GetDecimalSeparator());
    }
    SetDecimalSeparator(';'); // anything else falls back to the point
    EXPECT_EQ(GetDecimalSeparator(), '.');
}

TEST_F(GFuncTest, UserSeparatorIsReadWithoutTouchingTheProcessLocale)
{
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const char* const saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(UserLocaleDecimalSeparator(), '.');
    // A locale the system does not have reads as the point, never as an error.
    ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(UserLocaleDecimalSeparator(), '.');
    if (saved)
        ::setenv("LC_ALL", savedValue.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
}

TEST_F(GFuncTest, CountFractionDigitsUsesTheCurrentSeparator)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(CountFractionDigits("12,345"), 3u);
    EXPECT_EQ(CountFractionDigits("12"), 0u);
    EXPECT_EQ(CountFractionDigits("12,"), 0u);
    EXPECT_EQ(CountFractionDigits("12.345"), 0u);
    SetDecimalSeparator('.');
    EXPECT_EQ(CountFractionDigits("12.345"), 3u);
}

TEST_F(GFuncTest, GeneralFormRoundTripsFifteenDigitValues)
{
    for (char separator : {',', '.'}) {
        SetDecimalSeparator(separator);
        for (double v : {0.0, 1.0, -1.0, 0.1, 2.25, 19953.62313, 123456789.012345, 1.5e-6, 9.87654321e-12, 1e20,
                         -3.14159265358979, 1.23456789012345e17, 4.9e-320, 1.7e308, 0.00001}) {
            EXPECT_EQ(StrToFloat(FloatToStr(v)), v) << FloatToStr(v);
        }
    }
}

TEST_F(GFuncTest, StrToFloatAcceptsTheStrictForms)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(StrToFloat("5"), 5.0);
    EXPECT_EQ(StrToFloat("5,"), 5.0);
    EXPECT_EQ(StrToFloat(",5"), 0.5);
    EXPECT_EQ(StrToFloat("  -1,5  "), -1.5);
    EXPECT_EQ(StrToFloat("+2,25"), 2.25);
    EXPECT_EQ(StrToFloat("1,5E-6"), 1.5e-6);
    EXPECT_EQ(StrToFloat("1e+3"), 1000.0);
    EXPECT_EQ(StrToFloat("007"), 7.0);
    EXPECT_EQ(StrToFloat("1e-400"), 0.0); // below the smallest double: zero, not an error
    double value = 42;
    EXPECT_TRUE(TryStrToFloat("3,5", value));
    EXPECT_EQ(value, 3.5);
}

TEST_F(GFuncTest, StrToFloatRejectsEverythingElse)
{
    SetDecimalSeparator(',');
    for (const char* text : {"",    " ",  "1.5", "abc", "1,5x", "1,,5",  ",",      "-",    "+-1",   "--1",    "1e",
                             "1e+", "e5", "nan", "inf", "-inf", "1e400", "-1e400", "0x10", "1 000", "1,5 e3", "\t1"}) {
        double value = 42;
        EXPECT_FALSE(TryStrToFloat(text, value)) << text;
        EXPECT_EQ(value, 42.0) << text;
    }
    SetDecimalSeparator('.');
    double value = 0;
    EXPECT_FALSE(TryStrToFloat("1,5", value));
    EXPECT_TRUE(TryStrToFloat("1.5", value));
    EXPECT_EQ(value, 1.5);
}

TEST_F(GFuncTest, ParsersReportTheTextAsGiven)
{
    SetDecimalSeparator(',');
    EXPECT_EQ(ConvertMessage([] { StrToFloat(" 1.5 "); }), "' 1.5 ' is not a valid floating point value");
    EXPECT_EQ(ConvertMessage([] { StrToFloat(""); }), "'' is not a valid floating point value");
    EXPECT_EQ(ConvertMessage([] { StrToInt("12a"); }), "'12a' is not a valid integer value");
    EXPECT_EQ(ConvertMessage([] { StrToInt("Резервуар"); }), "'Резервуар' is not a valid integer value");
}

TEST_F(GFuncTest, TypedNumbersTakeEitherSeparatorWhateverTheLocale)
{
    for (char separator : {',', '.'}) {
        SetDecimalSeparator(separator);
        EXPECT_EQ(TypedStrToFloat("1,5"), 1.5);
        EXPECT_EQ(TypedStrToFloat(" -1.5 "), -1.5);
        EXPECT_EQ(TypedStrToFloat(",25"), 0.25);
        EXPECT_EQ(TypedStrToFloat("2.5E-3"), 2.5e-3);
        // Still one separator, and no grouping but the program's own: "1,000.5" is no number.
        for (const char* text :
             {"1,000.5", "1.5.", "1,,5", ".", "25OO", "nan", "1 2", "12 34", "1234 567", "1 000 00", "1  000",
              "1 000,500 1", " 1 000 ,5", "\u00A01 000", "1 000E 3", "1 0\u00A000", "- 1 000", "25 OO"}) {
            double value = 42;
            EXPECT_FALSE(TryTypedStrToFloat(text, value)) << text;
            EXPECT_EQ(value, 42.0) << text;
        }
        // The strict parser keeps to the program's own separator.
        double value = 0;
        EXPECT_EQ(TryStrToFloat(separator == ',' ? "1.5" : "1,5", value), false);
    }
}

TEST_F(GFuncTest, TypedNumbersMayBeGroupedAsTheProgramShowsThem)
{
    SetDecimalSeparator(',');
    // As FormatDecimals writes it, and as a copy through other programs brings it.
    EXPECT_EQ(TypedStrToFloat(FormatDecimals(1, 14894.5)), 14894.5);
    EXPECT_EQ(TypedStrToFloat("14 894,5"), 14894.5);
    EXPECT_EQ(TypedStrToFloat("14\u00A0894,5"), 14894.5);
    EXPECT_EQ(TypedStrToFloat("1\u202F234\u202F567.25"), 1234567.25);
    EXPECT_EQ(TypedStrToFloat(" -1 000 "), -1000.0);
    EXPECT_EQ(TypedStrToFloat("999 999"), 999999.0);
    EXPECT_EQ(TypedStrToFloat("1 000E3"), 1e6);
    // The message quotes what was typed, separators and all.
    EXPECT_EQ(ConvertMessage([] { TypedStrToFloat("1 00"); }), "'1 00' is not a valid floating point value");
}

TEST_F(GFuncTest, MessagesQuoteALongOrControlledTextShortAndWhole)
{
    SetDecimalSeparator(',');
    // 50 MB would make a message box that takes minutes: 60 characters and "…".
    const std::string huge(50'000'000, '7');
    const std::string message = ConvertMessage([&huge] { TypedStrToFloat(huge + "x"); });
    EXPECT_EQ(message, "'" + std::string(60, '7') + "\u2026' is not a valid floating point value");
    // Cyrillic counts in characters, never cut inside one.
    const std::string cyrillic = ConvertMessage([] { StrToInt(std::string(70, 'x').replace(0, 2, "Ж")); });
    EXPECT_EQ(cyrillic.substr(0, 3), "'Ж");
    EXPECT_EQ(cyrillic.find("\u2026"), 1 + 2 + 59u);
    // A NUL or a line end inside a pasted cell shows as a picture, and the message goes on after it.
    const std::string withNul = ConvertMessage([] {
        TypedStrToFloat(std::string("12\0"
                                    "3\n",
                                    5));
    });
    EXPECT_EQ(withNul, "'12\u24003\u240A' is not a valid floating point value");
    EXPECT_EQ(std::string(withNul.c_str()), withNul);
    EXPECT_EQ(QuotedInput(std::string(60, 'a')), std::string(60, 'a'));
}

TEST_F(GFuncTest, QuotedPathKeepsBothEndsAndShowsEveryByte)
{
    // Up to the limit a path is whole; beyond it the middle goes, the file's own name stays.
    EXPECT_EQ(QuotedPath("/" + std::string(59, 'a')), "/" + std::string(59, 'a'));
    const std::string folder = "/home/метролог/" + std::string(40, 'x');
    const std::string cut = QuotedPath(folder + "/РВС-400 №33.vlq");
    EXPECT_EQ(cut, "/home/метролог/" + std::string(14, 'x') + "\u2026" + std::string(14, 'x') + "/РВС-400 №33.vlq");
    // A name that is not UTF-8: one replacement character per stray byte (overlong
    // and surrogate forms included), the cut counted in what is shown.
    EXPECT_EQ(QuotedPath("/t/\xFF\xC0\xAF.vlq"), "/t/\uFFFD\uFFFD\uFFFD.vlq");
    EXPECT_EQ(QuotedPath("/\xED\xA0\x80"), "/\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(QuotedPath(std::string(100, '\xFF')), [] {
        std::string shown;
        for (int k = 0; k < 29; ++k)
            shown += "\uFFFD";
        shown += "\u2026";
        for (int k = 0; k < 30; ++k)
            shown += "\uFFFD";
        return shown;
    }());
    // A line break or a NUL cannot split or cut the message.
    EXPECT_EQ(QuotedPath(std::string("/a\nb\0c", 6)), "/a\u240Ab\u2400c");
    EXPECT_TRUE(IsValidUtf8("ЖжЁ\u2026"));
    EXPECT_FALSE(IsValidUtf8("\xD0"));
}

TEST_F(GFuncTest, StrToIntIsDecimalAndInRange)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt(" -120 "), -120);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    for (const char* text : {"", "-", "+", "+-1", "2147483648", "-2147483649", "1,0", "1.0", "1e3", "0x1F", "$1F",
                             "1 2", "99999999999999999999"}) {
        int value = 42;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}
