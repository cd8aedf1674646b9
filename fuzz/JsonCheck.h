#pragma once
// A strict check that a text is one standard JSON value (RFC 8259) and nothing
// more: what a script reading `veloquin-cli show` relies on, whatever the file.

#include <cstddef>
#include <string_view>

namespace veloquin::fuzz {

class JsonCheck
{
public:
    explicit JsonCheck(std::string_view text) : m_text(text) {}

    // True when the whole text (trailing white space allowed) is one JSON value.
    bool Valid()
    {
        SkipSpace();
        if (!Value(0))
            return false;
        SkipSpace();
        return m_pos == m_text.size();
    }

private:
    static constexpr int kMaxDepth = 64;

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    bool Take(char c)
    {
        if (Peek() != c || AtEnd())
            return false;
        ++m_pos;
        return true;
    }
    void SkipSpace()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t'))
            ++m_pos;
    }
    bool Word(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    static bool Digit(char c) { return c >= '0' && c <= '9'; }

    bool Value(int depth)
    {
        if (depth > kMaxDepth)
            return false;
        switch (Peek()) {
        case '{': return Object(depth);
        case '[': return Array(depth);
        case '"': return String();
        case 't': return Word("true");
        case 'f': return Word("false");
        case 'n': return Word("null");
        default: return Number();
        }
    }

    bool Object(int depth)
    {
        Take('{');
        SkipSpace();
        if (Take('}'))
            return true;
        for (;;) {
            SkipSpace();
            if (!String())
                return false;
            SkipSpace();
            if (!Take(':'))
                return false;
            SkipSpace();
            if (!Value(depth + 1))
                return false;
            SkipSpace();
            if (Take('}'))
                return true;
            if (!Take(','))
                return false;
        }
    }

    bool Array(int depth)
    {
        Take('[');
        SkipSpace();
        if (Take(']'))
            return true;
        for (;;) {
            SkipSpace();
            if (!Value(depth + 1))
                return false;
            SkipSpace();
            if (Take(']'))
                return true;
            if (!Take(','))
                return false;
        }
    }

    // A quoted text of valid UTF-8 without raw control characters.
    bool String()
    {
        if (!Take('"'))
            return false;
        while (!AtEnd()) {
            const auto c = static_cast<unsigned char>(m_text[m_pos]);
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                ++m_pos;
                const char e = Peek();
                if (e == 'u') {
                    ++m_pos;
                    for (int i = 0; i < 4; ++i, ++m_pos) {
                        const char h = Peek();
                        if (!(Digit(h) || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F')))
                            return false;
                    }
                    continue;
                }
                if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos || AtEnd())
                    return false;
                ++m_pos;
                continue;
            }
            if (!Utf8Sequence())
                return false;
        }
        return false;
    }

    bool Utf8Sequence()
    {
        const auto lead = static_cast<unsigned char>(m_text[m_pos]);
        std::size_t extra;
        unsigned minimum;
        if (lead < 0x80) {
            ++m_pos;
            return true;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            minimum = 0x10000;
        } else {
            return false;
        }
        unsigned code = lead & (0x3F >> extra);
        for (std::size_t i = 1; i <= extra; ++i) {
            if (m_pos + i >= m_text.size())
                return false;
            const auto next = static_cast<unsigned char>(m_text[m_pos + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        m_pos += extra + 1;
        return true;
    }

    bool Number()
    {
        Take('-');
        if (Take('0')) {
        } else if (Digit(Peek())) {
            while (Digit(Peek()))
                ++m_pos;
        } else {
            return false;
        }
        if (Take('.')) {
            if (!Digit(Peek()))
                return false;
            while (Digit(Peek()))
                ++m_pos;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_pos;
            if (Peek() == '+' || Peek() == '-')
                ++m_pos;
            if (!Digit(Peek()))
                return false;
            while (Digit(Peek()))
                ++m_pos;
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace veloquin::fuzz
