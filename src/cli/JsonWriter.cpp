#include "JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>

namespace veloquin::cli {

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

void JsonWriter::NewLine()
{
    m_text.push_back('\n');
    m_text.append(m_hasValue.size(), ' ');
}

void JsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_hasValue.empty())
        return;
    if (m_hasValue.back())
        m_text.push_back(',');
    m_hasValue.back() = true;
    NewLine();
}

void JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    AppendQuoted(key);
    m_text += ": ";
    m_afterKey = true;
}

void JsonWriter::BeginObject()
{
    BeforeValue();
    m_text.push_back('{');
    m_hasValue.push_back(false);
}

void JsonWriter::BeginArray()
{
    BeforeValue();
    m_text.push_back('[');
    m_hasValue.push_back(false);
}

void JsonWriter::Close(char bracket)
{
    const bool hadValue = m_hasValue.back();
    m_hasValue.pop_back();
    if (hadValue)
        NewLine();
    m_text.push_back(bracket);
}

void JsonWriter::EndObject()
{
    Close('}');
}

void JsonWriter::EndArray()
{
    Close(']');
}

void JsonWriter::Number(double value)
{
    BeforeValue();
    m_text += JsonNumber(value);
}

void JsonWriter::Integer(long long value)
{
    BeforeValue();
    m_text += std::to_string(value);
}

void JsonWriter::Bool(bool value)
{
    BeforeValue();
    m_text += value ? "true" : "false";
}

void JsonWriter::Null()
{
    BeforeValue();
    m_text += "null";
}

void JsonWriter::String(std::string_view utf8)
{
    BeforeValue();
    AppendQuoted(utf8);
}

void JsonWriter::AppendQuoted(std::string_view utf8)
{
    static const char* const hex = "0123456789abcdef";
    m_text.push_back('"');
    for (char c : utf8) {
        switch (c) {
        case '"': m_text += "\\\""; break;
        case '\\': m_text += "\\\\"; break;
        case '\n': m_text += "\\n"; break;
        case '\r': m_text += "\\r"; break;
        case '\t': m_text += "\\t"; break;
        case '\b': m_text += "\\b"; break;
        case '\f': m_text += "\\f"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                m_text += "\\u00";
                m_text.push_back(hex[(c >> 4) & 0xF]);
                m_text.push_back(hex[c & 0xF]);
            } else {
                m_text.push_back(c);
            }
        }
    }
    m_text.push_back('"');
}

} // namespace veloquin::cli
