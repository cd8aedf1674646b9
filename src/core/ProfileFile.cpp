#include "ProfileFile.h"

#include "FileIo.h"
#include "GFunc.h"

#include <cerrno>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace veloquin {
namespace {

using Lines = std::vector<std::string>;

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

// "[Name]" (anything after the closing bracket is ignored).
std::optional<std::string_view> SectionOf(std::string_view line)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// "key = value"; comment lines (';' or '#') hold no key.
bool SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[')
        return false;
    const std::size_t equals = t.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = Trim(t.substr(0, equals));
    value = Trim(t.substr(equals + 1));
    return !key.empty();
}

// Where a section and a key are in the lines: the first section of that name, its
// lines up to the next header, and the first line of that key within them.
struct Location
{
    std::optional<std::size_t> sectionLine;
    std::size_t sectionEnd = 0; // one past its last line
    std::optional<std::size_t> keyLine;
    std::string_view value;
};

Location Find(const Lines& lines, std::string_view section, std::string_view key)
{
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (where.sectionLine) {
            if (name) {
                where.sectionEnd = i;
                return where;
            }
            std::string_view lineKey, lineValue;
            if (!where.keyLine && SplitKeyLine(lines[i], lineKey, lineValue) && SameName(lineKey, key)) {
                where.keyLine = i;
                where.value = lineValue;
            }
        } else if (name && SameName(*name, section)) {
            where.sectionLine = i;
        }
    }
    where.sectionEnd = lines.size();
    return where;
}

Lines SplitLines(std::string_view text)
{
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(text, start, lineEnd - start);
        start = end + 1;
    }
    return lines;
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

bool IsBlank(std::string_view line)
{
    return Trim(line).empty();
}

std::string JoinLines(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The file's text; empty when there is no file. Nullopt when a file is there but
// cannot be read (a pipe, a device, no read permission, far too long): reads then
// give their defaults, and writes are refused rather than replace text unseen.
std::optional<std::string> ReadProfileText(const std::string& path)
{
    struct stat entry;
    if (::lstat(path.c_str(), &entry) != 0)
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    try {
        return ReadFileBytes(path, kMaxProfileFileBytes);
    } catch (const TankFileError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section, std::string_view key)
{
    const Lines lines = SplitLines(text);
    const Location where = Find(lines, section, key);
    if (!where.keyLine)
        return std::nullopt;
    return std::string(where.value);
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value)
{
    Lines lines = SplitLines(text);
    const Location where = Find(lines, section, key);
    std::string keyLine = WithoutLineBreaks(key) + "=" + WithoutLineBreaks(value);

    if (where.keyLine) {
        lines[*where.keyLine] = std::move(keyLine);
    } else if (where.sectionLine) {
        // After the section's last non-blank line, so a blank separator line stays
        // in front of the next section.
        std::size_t insertAt = *where.sectionLine + 1;
        for (std::size_t i = insertAt; i < where.sectionEnd; ++i)
            if (!IsBlank(lines[i]))
                insertAt = i + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(keyLine));
    } else {
        if (!lines.empty() && !IsBlank(lines.back()))
            lines.emplace_back();
        lines.push_back("[" + WithoutLineBreaks(section) + "]");
        lines.push_back(std::move(keyLine));
    }
    return JoinLines(lines);
}

ProfileFile::ProfileFile(std::string path) : m_path(std::move(path)) {}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const std::optional<std::string> text = ReadProfileText(m_path);
    const std::optional<std::string> value = text ? ProfileValue(*text, section, key) : std::nullopt;
    return value ? *value : std::string(defaultValue);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    int value = defaultValue;
    return TryStrToInt(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double ProfileFile::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const
{
    double value = defaultValue;
    return TryStrToFloat(ReadString(section, key, ""), value) ? value : defaultValue;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const auto refused = [this]() { return SettingsWriteError("Unable to write to " + m_path); };
    const std::optional<std::string> text = ReadProfileText(m_path);
    if (!text)
        throw refused();
    try {
        // Only a file of its own, never through a link: a settings file in a
        // shared folder may have been put there by someone else.
        ReplaceFile(m_path, WithProfileValue(*text, section, key, value), LinkPolicy::Refuse);
    } catch (const TankFileError&) {
        throw refused();
    }
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::WriteFloat(std::string_view section, std::string_view key, double value)
{
    WriteString(section, key, FloatToStr(value));
}

} // namespace veloquin
