// The JSON that `veloquin-cli show` writes must parse anywhere: strings escaped
// as the standard requires, numbers that read back to the same double, and no
// NaN or infinity, which JSON has no words for.

#include "JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using veloquin::cli::JsonNumber;
using veloquin::cli::JsonWriter;

namespace {

std::string Quoted(std::string_view text)
{
    JsonWriter json;
    json.String(text);
    return json.Text();
}

} // namespace

TEST(JsonWriter, EscapesQuotesBackslashesAndControlCharacters)
{
    EXPECT_EQ(Quoted("РВС-1000 \"№1\""), "\"РВС-1000 \\\"№1\\\"\"");
    EXPECT_EQ(Quoted("C:\\tanks\\a.vlq"), "\"C:\\\\tanks\\\\a.vlq\"");
    EXPECT_EQ(Quoted("a\nb\r\tc\b\f"), "\"a\\nb\\r\\tc\\b\\f\"");
    EXPECT_EQ(Quoted(std::string("\x01\x1f\x00", 3)), "\"\\u0001\\u001f\\u0000\"");
    // DEL and everything above the control range pass as they stand.
    EXPECT_EQ(Quoted("\x7f/±"), "\"\x7f/±\"");
}

TEST(JsonWriter, NumbersReadBackAndNonFiniteValuesBecomeNull)
{
    EXPECT_EQ(JsonNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(JsonNumber(19998), "19998.0");
    EXPECT_EQ(JsonNumber(-0.5), "-0.5");
    EXPECT_EQ(JsonNumber(1e300), "1e+300");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::denorm_min()), "5e-324");
}

TEST(JsonWriter, NestsObjectsAndArraysWithCommasAndIndents)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("Name");
    json.String("РВС");
    json.Key("Heights");
    json.BeginArray();
    json.Number(1490);
    json.Number(std::nan(""));
    json.EndArray();
    json.Key("Empty");
    json.BeginArray();
    json.EndArray();
    json.Key("Count");
    json.Integer(-1);
    json.Key("Shown");
    json.Bool(false);
    json.EndObject();
    EXPECT_EQ(json.Text(), "{\n"
                           " \"Name\": \"РВС\",\n"
                           " \"Heights\": [\n"
                           "  1490.0,\n"
                           "  null\n"
                           " ],\n"
                           " \"Empty\": [],\n"
                           " \"Count\": -1,\n"
                           " \"Shown\": false\n"
                           "}");
}
