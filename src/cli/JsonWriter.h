#pragma once
// A small streaming JSON writer: indented output, UTF-8 strings escaped as the
// standard requires, and numbers that read back to the same double.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veloquin::cli {

class JsonWriter
{
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Names the next value inside an object.
    void Key(std::string_view key);

    void Number(double value); // shortest round-trip text; null for NaN and infinities
    void Integer(long long value);
    void Bool(bool value);
    void Null();
    void String(std::string_view utf8);

    const std::string& Text() const { return m_text; }

private:
    void BeforeValue();
    void Close(char bracket);
    void NewLine();
    void AppendQuoted(std::string_view utf8);

    std::string m_text;
    // Per open container: whether it holds a value yet.
    std::vector<bool> m_hasValue;
    bool m_afterKey = false;
};

// The JSON number text of a double: the shortest text that reads back to the same
// value, with ".0" added to whole numbers so that they stay reals; "null" when the
// value is not finite (JSON has no NaN).
std::string JsonNumber(double value);

} // namespace veloquin::cli
