#include "export/TableCsv.h"

#include "Cp1251.h"
#include "GFunc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace veloquin {
namespace {

constexpr std::string_view kTextTableGirdle = "Пояс №";

// A piece of the file for a message: readable whatever its code page, short,
// its control characters shown rather than obeyed.
std::string Quoted(std::string_view text)
{
    return "«" + QuotedInput(IsValidUtf8(text) ? std::string(text) : Cp1251ToUtf8(text)) + "»";
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> Split(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(Trimmed(line.substr(start, end - start)));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

std::vector<std::string_view> SplitOnBlanks(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", i);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        fields.push_back(line.substr(start, end - start));
        i = end;
    }
    return fields;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    if (line.find(';') != std::string_view::npos)
        return Split(line, ';');
    if (line.substr(0, kTextTableGirdle.size()) == kTextTableGirdle) {
        // "Пояс №1", "", "h =", "190", "", "V =", "6,337": the level and the volume only.
        std::vector<std::string_view> all = Split(line, '\t');
        all.erase(std::remove(all.begin(), all.end(), std::string_view()), all.end());
        if (all.size() == 5 && all[1] == "h =" && all[3] == "V =")
            return {all[2], all[4]};
        return all;
    }
    if (line.find('\t') != std::string_view::npos)
        return Split(line, '\t');
    std::vector<std::string_view> fields = SplitOnBlanks(line);
    if (fields.size() == 1 && fields[0].find(',') != std::string_view::npos)
        return Split(fields[0], ',');
    return fields;
}

// A number in either decimal notation, with spaces (also no-break ones) between
// thousands; nan and infinities are no numbers here.
std::optional<double> NumberOf(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ')
            continue;
        if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
            ++i;
            continue;
        }
        plain.push_back(c == ',' ? '.' : c);
    }
    if (plain.empty())
        return std::nullopt;
    const char* first = plain.data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool Names(std::string_view field, std::initializer_list<std::string_view> words)
{
    for (std::string_view word : words)
        if (field.find(word) != std::string_view::npos)
            return true;
    return false;
}

// A unit a header names, and how many of the table's own units (mm, m3) it is.
struct Unit
{
    std::string_view name;
    double factor;
};

constexpr Unit kLevelUnits[] = {{"mm", 1}, {"мм", 1}, {"MM", 1}, {"ММ", 1}, {"cm", 10}, {"см", 10}, {"CM", 10},
                                {"СМ", 10}, {"m", 1000}, {"м", 1000}, {"M", 1000}, {"М", 1000}};
constexpr Unit kVolumeUnits[] = {{"m3", 1},       {"м3", 1},       {"m³", 1},       {"м³", 1},     {"M3", 1},
                                 {"М3", 1},       {"мкуб", 1},     {"l", 0.001},    {"л", 0.001},  {"L", 0.001},
                                 {"Л", 0.001},    {"dm3", 0.001},  {"дм3", 0.001},  {"dm³", 0.001}, {"дм³", 0.001},
                                 {"литр", 0.001}, {"литры", 0.001}, {"литров", 0.001}};

struct Columns
{
    std::size_t level = 0;
    std::size_t volume = 1;
    double mmPerLevelUnit = 1;
    double m3PerVolumeUnit = 1;
};

// The unit a header field names after its name: "level_mm", "Уровень, см",
// "Объем (л)", "volume [m3]". None when the field names no unit ("level").
std::optional<std::string_view> UnitText(std::string_view field)
{
    const std::size_t mark = field.find_last_of("_,([/");
    if (mark == std::string_view::npos)
        return std::nullopt;
    std::string_view unit = Trimmed(field.substr(mark + 1));
    while (!unit.empty() && (unit.back() == ')' || unit.back() == ']' || unit.back() == '.' || unit.back() == ' '))
        unit.remove_suffix(1);
    return unit;
}

// Throws naming the field when it names a unit that is not one of `units`.
template <std::size_t N>
double UnitFactor(std::string_view field, const Unit (&units)[N], std::string_view expected, std::size_t lineNumber)
{
    const std::optional<std::string_view> text = UnitText(field);
    if (!text)
        return 1;
    std::string compact; // "м куб." and "м. куб" read as "мкуб"
    for (char c : *text)
        if (c != ' ' && c != '.')
            compact.push_back(c);
    for (const Unit& unit : units)
        if (compact == unit.name)
            return unit.factor;
    throw TableCsvError("Строка " + std::to_string(lineNumber) + ": единица " + Quoted(*text) + " в заголовке " +
                        Quoted(field) + " не распознана; ожидались " + std::string(expected) + ".");
}

Columns ColumnsOfHeader(const std::vector<std::string_view>& header, std::size_t lineNumber)
{
    Columns columns;
    if (header.size() >= 3)
        columns.level = 1, columns.volume = 2; // girdle;level;volume
    for (std::size_t k = 0; k < header.size(); ++k) {
        if (Names(header[k], {"level", "Level", "LEVEL", "уров", "Уров", "УРОВ"}))
            columns.level = k;
        else if (Names(header[k], {"volume", "Volume", "VOLUME", "объем", "Объем", "объём", "Объём", "вмест", "Вмест"}))
            columns.volume = k;
    }
    if (columns.level < header.size())
        columns.mmPerLevelUnit = UnitFactor(header[columns.level], kLevelUnits, "мм, см или м", lineNumber);
    if (columns.volume < header.size())
        columns.m3PerVolumeUnit = UnitFactor(header[columns.volume], kVolumeUnits, "м3 или л", lineNumber);
    return columns;
}

std::string LevelUnitShown(const Columns& columns)
{
    return columns.mmPerLevelUnit == 1 ? "мм" : columns.mmPerLevelUnit == 10 ? "см" : "м";
}

std::string LineLabel(std::size_t lineNumber)
{
    return "Строка " + std::to_string(lineNumber) + ": ";
}

// Files that are not text at all get a message saying what they are, not one
// about the numbers of their first line.
void RefuseWhatIsNoText(std::string_view bytes)
{
    const bool utf16Mark = bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
    std::size_t oddZeros = 0, evenZeros = 0;
    const std::size_t probe = std::min<std::size_t>(bytes.size(), 512);
    for (std::size_t i = 0; i < probe; ++i)
        if (bytes[i] == '\0')
            ++(i % 2 ? oddZeros : evenZeros);
    // Text of Latin letters and digits in UTF-16 has a zero in every other byte.
    if (utf16Mark || (probe >= 8 && std::max(oddZeros, evenZeros) * 2 >= probe * 9 / 10))
        throw TableCsvError("Файл в кодировке UTF-16: сохраните его как текст в UTF-8 (или в кодировке Windows-1251).");
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) {
        const std::size_t line = 1 + static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + zero, '\n'));
        throw TableCsvError("Это не текст CSV: в строке " + std::to_string(line) +
                            " двоичные данные (байт 0). Может быть, это файл резервуара .vlq?");
    }
}

// Levels beyond a kilometre or volumes beyond ten million cubic metres belong to
// no tank; numbers that large would also make differences infinite.
constexpr double kMaxTableLevelMm = 1e6;
constexpr double kMaxTableVolumeM3 = 1e7;

} // namespace

std::vector<TablePoint> ReadTableCsv(std::string_view bytes)
{
    RefuseWhatIsNoText(bytes);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::vector<TablePoint> table;
    std::optional<Columns> columns;
    std::size_t fieldCount = 0;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        // Lines end in LF, CR LF or a lone CR (old Mac files).
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = Trimmed(bytes.substr(start, end - start));
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        if (lineNumber > kMaxCsvTableLines)
            throw TableCsvError("В файле больше " + std::to_string(kMaxCsvTableLines) +
                                " строк: это не градуировочная таблица.");

        const std::vector<std::string_view> fields = Fields(line);
        if (!columns) {
            const bool header = std::none_of(fields.begin(), fields.end(),
                                             [](std::string_view f) { return NumberOf(f).has_value(); });
            if (header) {
                columns = ColumnsOfHeader(fields, lineNumber);
                continue;
            }
            columns = Columns{};
            if (fields.size() >= 3)
                columns->level = 1, columns->volume = 2;
        }
        // A line split into more or fewer fields than the first (a number with
        // blanks between its thousands in a blank-separated file) is not read.
        if (fieldCount == 0)
            fieldCount = fields.size();
        if (fields.size() != fieldCount)
            throw TableCsvError(LineLabel(lineNumber) + Quoted(line) + " — " + std::to_string(fields.size()) +
                                " полей, в первой строке таблицы " + std::to_string(fieldCount) +
                                ". Числа с пробелами между разрядами разделяйте «;» или табуляцией.");
        if (fields.size() <= std::max(columns->level, columns->volume))
            throw TableCsvError(LineLabel(lineNumber) + Quoted(line) + " — ожидались уровень (мм) и объем (м3).");
        const std::string_view levelText = fields[columns->level];
        const std::string_view volumeText = fields[columns->volume];
        std::optional<double> level = NumberOf(levelText);
        if (!level)
            throw TableCsvError(LineLabel(lineNumber) + "уровень " + Quoted(levelText) + " — не число.");
        std::optional<double> volume = NumberOf(volumeText);
        if (!volume)
            throw TableCsvError(LineLabel(lineNumber) + "объем " + Quoted(volumeText) + " — не число.");
        *level *= columns->mmPerLevelUnit;
        *volume *= columns->m3PerVolumeUnit;
        if (!(std::fabs(*level) <= kMaxTableLevelMm))
            throw TableCsvError(LineLabel(lineNumber) + "уровень " + Quoted(levelText) +
                                " — дальше километра от точки касания: это не уровень резервуара.");
        if (!(std::fabs(*volume) <= kMaxTableVolumeM3))
            throw TableCsvError(LineLabel(lineNumber) + "объем " + Quoted(volumeText) +
                                " — больше 10 миллионов м3: это не объем резервуара.");
        if (!table.empty() && !(*level > table.back().levelMm))
            throw TableCsvError(LineLabel(lineNumber) + "уровень " + Quoted(levelText) + " " +
                                LevelUnitShown(*columns) + " не выше предыдущего; уровни таблицы должны возрастать.");
        if (!table.empty() && *volume < table.back().volumeM3)
            throw TableCsvError(LineLabel(lineNumber) + "объем " + Quoted(volumeText) +
                                " меньше, чем на уровне ниже; объемы таблицы не убывают.");
        table.push_back({*level, *volume});
    }
    if (table.empty())
        throw TableCsvError("В файле нет ни одной строки таблицы (уровень в мм и объем в м3).");
    return table;
}

} // namespace veloquin
