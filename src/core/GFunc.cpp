#include "GFunc.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale>
#include <system_error>
#include <vector>

namespace veloquin {
namespace {

// 0 until first asked for: the user's locale is consulted lazily so that a test or
// the GUI can set the separator before anything reads it.
char g_decimalSeparator = 0;

char NormalisedSeparator(char separator)
{
    return separator == ',' ? ',' : '.';
}

// A double rounded to 15 significant digits: the digits without trailing zeros
// and the decimal exponent of the first one (value = d1.d2d3... * 10^exponent).
// Kept on the stack: tables format thousands of numbers at a time.
struct DecimalDigits
{
    std::array<char, 16> digits{};
    std::size_t count = 0;
    int exponent = 0;

    std::string_view View() const { return {digits.data(), count}; }
};

DecimalDigits ToFifteenDigits(double magnitude)
{
    // "d.dddddddddddddde+XX": to_chars rounds correctly, unlike a hand-made loop.
    std::array<char, 32> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t ePos = text.find('e');

    DecimalDigits out;
    for (char c : text.substr(0, ePos))
        if (c != '.')
            out.digits[out.count++] = c;
    while (out.count > 1 && out.digits[out.count - 1] == '0')
        --out.count;

    std::string_view exponentText = text.substr(ePos + 1);
    if (!exponentText.empty() && exponentText.front() == '+')
        exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), out.exponent);
    return out;
}

void AppendFixed(std::string& text, const DecimalDigits& d, char separator)
{
    const std::string_view digits = d.View();
    if (d.exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits;
            text.append(integerDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, integerDigits);
            text.push_back(separator);
            text += digits.substr(integerDigits);
        }
    } else {
        text.push_back('0');
        text.push_back(separator);
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        text += digits;
    }
}

void AppendScientific(std::string& text, const DecimalDigits& d, char separator)
{
    const std::string_view digits = d.View();
    text.push_back(digits.front());
    if (digits.size() > 1) {
        text.push_back(separator);
        text += digits.substr(1);
    }
    text.push_back('E');
    if (d.exponent < 0)
        text.push_back('-');
    std::array<char, 8> exponent{};
    const auto end = std::to_chars(exponent.data(), exponent.data() + exponent.size(), std::abs(d.exponent)).ptr;
    text.append(exponent.data(), end);
}

// The general text form; `allowScientific` false writes every finite value in
// positional notation (used where decimals are padded and spaces inserted).
std::string GeneralText(double x, bool allowScientific)
{
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    std::string text; // most numbers fit the string's own small buffer
    if (x == 0) {
        text.push_back('0'); // negative zero too
        return text;
    }

    const DecimalDigits d = ToFifteenDigits(std::fabs(x));
    const char separator = GetDecimalSeparator();
    // Decided on the rounded digits, so a value shows one form for one text.
    const bool scientific = allowScientific && (d.exponent < -5 || d.exponent >= 15);
    if (x < 0)
        text.push_back('-');
    if (scientific)
        AppendScientific(text, d, separator);
    else
        AppendFixed(text, d, separator);
    return text;
}

// Nearest integer, ties to even, of a value in [0, 10000]; the same as nearbyint
// under the default rounding mode, without its cost in a table of thousands of rows.
long double RoundHalfEvenBelow10000(long double y)
{
    const auto whole = static_cast<long long>(y); // truncation is the floor here
    const long double rest = y - static_cast<long double>(whole);
    if (rest > 0.5L || (rest == 0.5L && whole % 2 != 0))
        return static_cast<long double>(whole + 1);
    return static_cast<long double>(whole);
}

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Stands for either decimal separator in NormaliseFloatText.
constexpr char kEitherSeparator = 0;

bool IsSeparator(char c, char separator)
{
    return separator == kEitherSeparator ? c == ',' || c == '.' : c == separator;
}

// Scans [sign] digits [separator digits] [e|E [sign] digits] and produces the
// same number in the form std::from_chars reads. Also tells whether a magnitude
// that does not fit a double is too large (as opposed to too small).
bool NormaliseFloatText(std::string_view text, char separator, std::string& normalised, bool& hugeMagnitude)
{
    std::size_t i = 0;
    normalised.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normalised.push_back('-');
        ++i;
    }
    std::string integerDigits, fractionDigits;
    while (i < text.size() && IsDigit(text[i]))
        integerDigits.push_back(text[i++]);
    if (i < text.size() && IsSeparator(text[i], separator)) {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            fractionDigits.push_back(text[i++]);
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return false;

    long long exponent = 0;
    bool exponentNegative = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            exponentNegative = text[i++] == '-';
        const std::size_t firstExponentDigit = i;
        while (i < text.size() && IsDigit(text[i])) {
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (i == firstExponentDigit)
            return false;
    }
    if (i != text.size())
        return false;

    normalised += integerDigits.empty() ? "0" : integerDigits;
    if (!fractionDigits.empty())
        normalised += "." + fractionDigits;
    if (exponent != 0) {
        normalised += exponentNegative ? "e-" : "e";
        normalised += std::to_string(exponent);
    }

    // Decimal position of the first non-zero digit, for telling overflow from underflow.
    const std::size_t firstNonZero = integerDigits.find_first_not_of('0');
    long long magnitude;
    if (firstNonZero != std::string::npos) {
        magnitude = static_cast<long long>(integerDigits.size() - firstNonZero) - 1;
    } else {
        const std::size_t firstFraction = fractionDigits.find_first_not_of('0');
        magnitude = firstFraction == std::string::npos ? -1 : -static_cast<long long>(firstFraction) - 1;
    }
    magnitude += exponentNegative ? -exponent : exponent;
    hugeMagnitude = magnitude > 0;
    return true;
}

} // namespace

char UserLocaleDecimalSeparator()
{
    try {
        // A local locale object: the process-wide C locale stays as it is.
        const std::locale userLocale("");
        return NormalisedSeparator(std::use_facet<std::numpunct<char>>(userLocale).decimal_point());
    } catch (...) {
        return '.';
    }
}

char GetDecimalSeparator()
{
    if (g_decimalSeparator == 0)
        g_decimalSeparator = UserLocaleDecimalSeparator();
    return g_decimalSeparator;
}

void SetDecimalSeparator(char separator)
{
    g_decimalSeparator = NormalisedSeparator(separator);
}

unsigned CountFractionDigits(std::string_view text)
{
    const std::size_t pos = text.find(GetDecimalSeparator());
    return pos == std::string_view::npos ? 0u : static_cast<unsigned>(text.size() - pos - 1);
}

double RoundDecimals(std::int8_t n, double x)
{
    if (!std::isfinite(x))
        return x; // nothing to round; a damaged file may carry such values
    const bool negative = x < 0;
    long double b = std::fabs(static_cast<long double>(x));
    // One multiplication or division per step: the results of calibration
    // tables depend on these exact intermediate roundings.
    const int steps = std::abs(static_cast<int>(n));
    for (int i = 0; i < steps; ++i) {
        if (n > 0)
            b *= 10.0L;
        else
            b /= 10.0L;
    }

    long double integerPart = 0;
    const long double fraction = std::modf(b, &integerPart);
    const long double e = RoundHalfEvenBelow10000(fraction * 10000.0L);
    long double c;
    if (e > 5000.0L)
        c = integerPart + 1.0L;
    else if (e < 5000.0L)
        c = integerPart;
    else
        c = std::fmod(integerPart, 2.0L) == 0.0L ? integerPart : integerPart + 1.0L;

    for (int i = 0; i < steps; ++i) {
        if (n > 0)
            c /= 10.0L;
        else
            c *= 10.0L;
    }
    return static_cast<double>(negative ? -c : c);
}

std::string FormatDecimals(std::int8_t n, double x)
{
    const double rounded = RoundDecimals(n, x);
    if (!std::isfinite(rounded))
        return FloatToStr(rounded);

    // Positional notation always: padding decimals onto "1E-7" would make a
    // meaningless text. For every value the general form writes positionally the
    // two are the same.
    std::string t = GeneralText(rounded, false);
    if (n > 0) {
        const auto wanted = static_cast<unsigned>(n);
        unsigned have = CountFractionDigits(t);
        if (have < wanted) {
            if (t.find(GetDecimalSeparator()) == std::string::npos)
                t.push_back(GetDecimalSeparator());
            t.append(wanted - have, '0');
        }
    }

    // Grouping is decided on the unrounded value, and the positions count from the
    // left; a text shorter than a position is left as it is.
    struct Grouping
    {
        double below;
        std::array<std::size_t, 3> positions; // 1-based, 0 = unused
    };
    static constexpr std::array<Grouping, 7> groupings{{{1e4, {2, 0, 0}},
                                                        {1e5, {3, 0, 0}},
                                                        {1e6, {4, 0, 0}},
                                                        {1e7, {2, 6, 0}},
                                                        {1e8, {3, 7, 0}},
                                                        {1e9, {4, 8, 0}},
                                                        {1e10, {2, 6, 10}}}};
    if (x >= 1e3) {
        for (const Grouping& g : groupings) {
            if (x >= g.below)
                continue;
            for (std::size_t position : g.positions)
                if (position != 0 && position - 1 < t.size())
                    t.insert(position - 1, 1, ' ');
            break;
        }
    }
    return t;
}

std::string FloatToStr(double x)
{
    return GeneralText(x, true);
}

namespace {

bool TryParseFloat(std::string_view text, char separator, double& value)
{
    std::string normalised;
    bool hugeMagnitude = false;
    if (!NormaliseFloatText(TrimSpaces(text), separator, normalised, hugeMagnitude))
        return false;

    double parsed = 0;
    const char* end = normalised.data() + normalised.size();
    const auto result = std::from_chars(normalised.data(), end, parsed);
    if (result.ec == std::errc::result_out_of_range) {
        if (hugeMagnitude)
            return false;
        parsed = normalised.front() == '-' ? -0.0 : 0.0; // too small for a double: zero
    } else if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

[[noreturn]] void ThrowNotAFloat(std::string_view text)
{
    throw ConvertError("'" + QuotedInput(text) + "' is not a valid floating point value");
}

// The length of the UTF-8 sequence a lead byte starts (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// The thousands separators a typed number may carry: the space the program
// groups with, and the no-break spaces other programs and a copied text bring.
constexpr std::string_view kGroupSeparators[] = {" ", "\u00A0", "\u202F"};

std::size_t GroupSeparatorLength(std::string_view text)
{
    for (std::string_view separator : kGroupSeparators)
        if (text.substr(0, separator.size()) == separator)
            return separator.size();
    return 0;
}

// Takes the thousands separators out of the whole-number part ("14 894,5" ->
// "14894,5"). Grouping must be regular: one to three digits, then groups of
// exactly three, one separator between; anything else ("1 2", "12  345", a
// separator in the fraction) is no number. A text without separators is as it was.
bool UngroupDigits(std::string_view text, std::string& out)
{
    out.clear();
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        out += text[i++];
    std::size_t groupDigits = 0;
    bool grouped = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            out += text[i++];
            ++groupDigits;
            continue;
        }
        const std::size_t length = GroupSeparatorLength(text.substr(i));
        if (length == 0)
            break;
        if (groupDigits == 0 || groupDigits > 3 || (grouped && groupDigits != 3))
            return false;
        grouped = true;
        groupDigits = 0;
        i += length;
    }
    if (grouped && groupDigits != 3)
        return false;
    const std::string_view rest = text.substr(i);
    for (std::size_t k = 0; k < rest.size(); ++k)
        if (GroupSeparatorLength(rest.substr(k)) > 0)
            return false;
    out.append(rest);
    return true;
}

} // namespace

bool TryStrToFloat(std::string_view text, double& value)
{
    return TryParseFloat(text, GetDecimalSeparator(), value);
}

double StrToFloat(std::string_view text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        ThrowNotAFloat(text);
    return value;
}

// A typed number may also be grouped in thousands as the program shows it
// ("14 894,5", with a space or a no-break space): see UngroupDigits.
bool TryTypedStrToFloat(std::string_view text, double& value)
{
    std::string ungrouped;
    if (!UngroupDigits(TrimSpaces(text), ungrouped))
        return false;
    return TryParseFloat(ungrouped, kEitherSeparator, value);
}

double TypedStrToFloat(std::string_view text)
{
    double value = 0;
    if (!TryTypedStrToFloat(text, value))
        ThrowNotAFloat(text);
    return value;
}

namespace {

constexpr std::string_view kEllipsis = "\u2026";
constexpr std::string_view kReplacementCharacter = "\uFFFD";

// A control character as its picture: U+2400 + code (U+2421 for DEL), the
// Control Pictures block; any other character as it is.
void AppendShown(std::string& out, std::string_view character)
{
    const auto lead = static_cast<unsigned char>(character.front());
    if (lead >= 0x20 && lead != 0x7F) {
        out.append(character);
        return;
    }
    const unsigned picture = lead == 0x7F ? 0x2421 : 0x2400 + lead;
    out += static_cast<char>(0xE0 | (picture >> 12));
    out += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (picture & 0x3F));
}

// The length of the well-formed UTF-8 sequence at i, 0 where there is none.
std::size_t ValidSequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    const std::size_t length = (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next >> 6) != 2)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kLeastOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeastOfLength[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string QuotedInput(std::string_view utf8)
{
    std::string quoted;
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (chars == kQuotedInputChars) {
            quoted += kEllipsis;
            break;
        }
        const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        AppendShown(quoted, utf8.substr(i, length));
        i += length;
        ++chars;
    }
    return quoted;
}

std::string QuotedPath(std::string_view bytes)
{
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = ValidSequenceLength(bytes, i);
        // Each stray byte is a character of its own, as the file's name shows it elsewhere.
        characters.push_back(length == 0 ? kReplacementCharacter : bytes.substr(i, length));
        i += std::max<std::size_t>(length, 1);
    }
    std::string quoted;
    const auto append = [&quoted, &characters](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k)
            AppendShown(quoted, characters[k]);
    };
    if (characters.size() <= kQuotedInputChars) {
        append(0, characters.size());
        return quoted;
    }
    // The file's own name is the end: it keeps the larger half.
    const std::size_t tail = kQuotedInputChars / 2;
    append(0, kQuotedInputChars - tail - 1);
    quoted += kEllipsis;
    append(characters.size() - tail, characters.size());
    return quoted;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = ValidSequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string OneLineText(std::string_view utf8)
{
    std::string line;
    line.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) {
            line += ' ';
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x85) {
            line += ' '; // NEL
            ++i;
        } else if (c == 0xE2 && utf8.substr(i + 1, 2) == "\x80\xA8") {
            line += ' '; // LINE SEPARATOR
            i += 2;
        } else if (c == 0xE2 && utf8.substr(i + 1, 2) == "\x80\xA9") {
            line += ' '; // PARAGRAPH SEPARATOR
            i += 2;
        } else {
            line += static_cast<char>(c);
        }
    }
    return line;
}

bool TryStrToInt(std::string_view text, int& value)
{
    std::string_view t = TrimSpaces(text);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
        if (!t.empty() && t.front() == '-')
            return false;
    }
    if (t.empty() || (t.front() == '-' && t.size() == 1))
        return false;
    for (std::size_t i = t.front() == '-' ? 1 : 0; i < t.size(); ++i)
        if (!IsDigit(t[i]))
            return false;

    int parsed = 0;
    const auto result = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size())
        return false;
    value = parsed;
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw ConvertError("'" + QuotedInput(text) + "' is not a valid integer value");
    return value;
}

} // namespace veloquin
