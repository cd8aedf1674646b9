#include "Cp1251.h"

#include <array>
#include <cstdint>

namespace veloquin {
namespace {

// Code points of bytes 0x80..0xFF.
constexpr std::array<char32_t, 128> kHighHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every code point of the table is in the basic plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char ToCodePage(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<char>(cp);
    // А..я, by far the most frequent, lie in one run of the code page.
    if (cp >= 0x410 && cp <= 0x44F)
        return static_cast<char>(0xC0 + (cp - 0x410));
    for (std::size_t i = 0; i < kHighHalf.size(); ++i)
        if (kHighHalf[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one well-formed UTF-8 sequence at the start of `text` (no overlong
// forms, no surrogates, nothing above U+10FFFF). Returns its length, or 0 when
// the first byte does not begin a well-formed sequence.
std::size_t DecodeUtf8(std::string_view text, char32_t& cp)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        cp = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        AppendUtf8(out, b < 0x80 ? char32_t{b} : kHighHalf[b - 0x80u]);
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(utf8, cp);
        if (length == 0) {
            out.push_back('?');
            utf8.remove_prefix(1);
        } else {
            out.push_back(ToCodePage(cp));
            utf8.remove_prefix(length);
        }
    }
    return out;
}

std::string FirstCharNotInCp1251(std::string_view utf8)
{
    while (!utf8.empty()) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(utf8, cp);
        if (length == 0)
            return std::string(utf8.substr(0, 1));
        if (cp != '?' && ToCodePage(cp) == '?')
            return std::string(utf8.substr(0, length));
        utf8.remove_prefix(length);
    }
    return {};
}

std::string Cp1251RefusalMessage(std::string_view character)
{
    return "Символ «" + std::string(character) + "» нельзя сохранить в файле резервуара.";
}

} // namespace veloquin
