#include "export/TableCsv.h"

#include "Cp1251.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace veloquin {
namespace {

constexpr std::string_view kTextTableGirdle = "Пояс №";
constexpr std::size_t kQuotedChars = 40;

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        i += length;
    }
    return true;
}

// A piece of the file for a message: readable whatever its code page, and short.
std::string Quoted(std::string_view text)
{
    std::string utf8 = IsValidUtf8(text) ? std::string(text) : Cp1251ToUtf8(text);
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) >> 6) == 2)
            continue;
        if (++chars > kQuotedChars) {
            utf8 = utf8.substr(0, i) + "…";
            break;
        }
    }
    return "«" + utf8 + "»";
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

struct Columns
{
    std::size_t level = 0;
    std::size_t volume = 1;
};

Columns ColumnsOfHeader(const std::vector<std::string_view>& header)
{
    Columns columns;
    if (header.size() >= 3)
        columns = {1, 2}; // girdle;level;volume
    for (std::size_t k = 0; k < header.size(); ++k) {
        if (Names(header[k], {"level", "Level", "LEVEL", "уров", "Уров", "УРОВ"}))
            columns.level = k;
        else if (Names(header[k], {"volume", "Volume", "VOLUME", "объем", "Объем", "объём", "Объём", "вмест", "Вмест"}))
            columns.volume = k;
    }
    return columns;
}

std::string LineLabel(std::size_t lineNumber)
{
    return "Строка " + std::to_string(lineNumber) + ": ";
}

} // namespace

std::vector<TablePoint> ReadTableCsv(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::vector<TablePoint> table;
    std::optional<Columns> columns;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = Trimmed(bytes.substr(start, end - start));
        start = end + 1;
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
            columns = header ? ColumnsOfHeader(fields) : Columns{fields.size() >= 3 ? 1u : 0u, fields.size() >= 3 ? 2u : 1u};
            if (header)
                continue;
        }
        if (fields.size() <= std::max(columns->level, columns->volume))
            throw TableCsvError(LineLabel(lineNumber) + Quoted(line) + " — ожидались уровень (мм) и объем (м3).");
        const std::string_view levelText = fields[columns->level];
        const std::string_view volumeText = fields[columns->volume];
        const std::optional<double> level = NumberOf(levelText);
        if (!level)
            throw TableCsvError(LineLabel(lineNumber) + "уровень " + Quoted(levelText) + " — не число.");
        const std::optional<double> volume = NumberOf(volumeText);
        if (!volume)
            throw TableCsvError(LineLabel(lineNumber) + "объем " + Quoted(volumeText) + " — не число.");
        if (!table.empty() && !(*level > table.back().levelMm))
            throw TableCsvError(LineLabel(lineNumber) + "уровень " + Quoted(levelText) +
                                " мм не выше предыдущего; уровни таблицы должны возрастать.");
        table.push_back({*level, *volume});
    }
    if (table.empty())
        throw TableCsvError("В файле нет ни одной строки таблицы (уровень в мм и объем в м3).");
    return table;
}

} // namespace veloquin
