#include "ProfileFile.h"

#include "FileIo.h"
#include "GFunc.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace veloquin {
namespace {

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

bool IsBlank(std::string_view line)
{
    return Trim(line).empty();
}

// One line of the text where it lies: its content without the line end (LF, or
// CR LF, or a CR that ends the text), and where the next line begins. The text
// is walked in place, once per read or write, whatever its length.
struct Line
{
    std::string_view content;
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
    bool endsWithLf = false;
};

class LineCursor
{
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}

    bool Next(Line& line)
    {
        if (m_pos >= m_text.size())
            return false;
        const std::size_t lf = m_text.find('\n', m_pos);
        line.begin = m_pos;
        line.endsWithLf = lf != std::string_view::npos;
        const std::size_t end = line.endsWithLf ? lf : m_text.size();
        line.contentEnd = end > m_pos && m_text[end - 1] == '\r' ? end - 1 : end;
        line.content = m_text.substr(m_pos, line.contentEnd - m_pos);
        line.next = line.endsWithLf ? lf + 1 : m_text.size();
        m_pos = line.next;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Where a section and a key are: the first section of that name, the last
// non-blank line of it (its header when it has none), and the first line of
// that key among its lines up to the next header.
struct Location
{
    std::optional<Line> lastOfSection;
    std::optional<Line> keyLine;
    std::string_view value;
};

enum class Purpose
{
    Read, // the key's line is all that is wanted
    Write // the section's end is wanted too
};

Location Find(std::string_view text, std::string_view section, std::string_view key, Purpose purpose)
{
    Location where;
    LineCursor cursor(text);
    Line line;
    while (cursor.Next(line)) {
        const auto name = SectionOf(line.content);
        if (where.lastOfSection) {
            if (name)
                break;
            std::string_view lineKey, lineValue;
            if (!where.keyLine && SplitKeyLine(line.content, lineKey, lineValue) && SameName(lineKey, key)) {
                where.keyLine = line;
                where.value = lineValue;
                if (purpose == Purpose::Read)
                    break;
            }
            if (!IsBlank(line.content))
                where.lastOfSection = line;
        } else if (name && SameName(*name, section)) {
            where.lastOfSection = line;
        }
    }
    return where;
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

// The line end a written line gets: the text's own (so that a file never grows
// by more than the lines written into it), CR LF for a text without one.
std::string_view LineEndOf(std::string_view text)
{
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos || (lf > 0 && text[lf - 1] == '\r'))
        return "\r\n";
    return "\n";
}

// The text up to the end of `line`, with a line end after it when it had none.
void AppendThrough(std::string& out, std::string_view text, const Line& line, std::string_view lineEnd)
{
    if (line.endsWithLf) {
        out.append(text.substr(0, line.next));
    } else if (line.contentEnd < line.next) {
        // The CR that ends the text is this line's end: an LF makes it CR LF and
        // leaves the line's content as it read ("5\r\r" still reads "5\r", not "5").
        out.append(text.substr(0, line.next));
        out.append("\n");
    } else {
        out.append(text.substr(0, line.contentEnd));
        out.append(lineEnd);
    }
}

// The file's text; empty when there is no file. Nullopt when a file is there but
// cannot be read (a pipe, a device, no read permission, too long): reads then
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

// The folder of a settings file in the user's configuration folder need not
// exist before the first write; a folder that cannot be made shows as the
// refused write that follows.
void MakeFolderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::exists(folder, error) && !error)
        std::filesystem::create_directories(folder, error);
}

bool TooLargeToRead(const std::string& path)
{
    struct stat entry;
    return ::stat(path.c_str(), &entry) == 0 && S_ISREG(entry.st_mode) &&
           static_cast<unsigned long long>(entry.st_size) > kMaxProfileFileBytes;
}

} // namespace

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section, std::string_view key)
{
    const Location where = Find(text, section, key, Purpose::Read);
    if (!where.keyLine)
        return std::nullopt;
    return std::string(where.value);
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value)
{
    const Location where = Find(text, section, key, Purpose::Write);
    const std::string keyLine = WithoutLineBreaks(key) + "=" + WithoutLineBreaks(value);
    const std::string_view lineEnd = LineEndOf(text);
    std::string out;
    out.reserve(text.size() + keyLine.size() + section.size() + 16);

    if (where.keyLine) {
        // Only the line's content changes; its line end stays as it was.
        out.append(text.substr(0, where.keyLine->begin));
        out.append(keyLine);
        out.append(text.substr(where.keyLine->contentEnd));
    } else if (where.lastOfSection) {
        // After the section's last non-blank line, so a blank separator line stays
        // in front of the next section.
        const Line& after = *where.lastOfSection;
        AppendThrough(out, text, after, lineEnd);
        out.append(keyLine);
        out.append(lineEnd);
        out.append(text.substr(after.next));
    } else {
        LineCursor cursor(text);
        Line line, last;
        bool any = false;
        while (cursor.Next(line)) {
            last = line;
            any = true;
        }
        if (any) {
            AppendThrough(out, text, last, lineEnd);
            if (!IsBlank(last.content))
                out.append(lineEnd);
        }
        out.append("[" + WithoutLineBreaks(section) + "]");
        out.append(lineEnd);
        out.append(keyLine);
        out.append(lineEnd);
    }
    return out;
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
    // Written under a locale with the other separator ("5,5" read where "." is
    // the separator), the number is the same: a default in its place would be
    // written back over it at exit.
    double value = defaultValue;
    return TryTypedStrToFloat(ReadString(section, key, ""), value) ? value : defaultValue;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const auto refused = [this]() { return SettingsWriteError("Unable to write to " + QuotedPath(m_path)); };
    // A file beyond the reader's limit is named as such: a plain refusal would
    // leave the user guessing why no setting is ever kept.
    const auto tooLarge = [this]() {
        return SettingsWriteError("Файл настроек " + QuotedPath(m_path) + " больше " +
                                  FormatDecimals(0, static_cast<double>(kMaxProfileFileBytes >> 20)) +
                                  " МБ: настройки в него не записываются. Удалите или сократите его.");
    };
    const std::optional<std::string> text = ReadProfileText(m_path);
    if (!text)
        throw TooLargeToRead(m_path) ? tooLarge() : refused();
    const std::string written = WithProfileValue(*text, section, key, value);
    // Never a file its own reader would refuse at the next start.
    if (written.size() > kMaxProfileFileBytes)
        throw tooLarge();
    try {
        // Only a file of its own, never through a link: a settings file in a
        // shared folder may have been put there by someone else.
        MakeFolderOf(m_path);
        ReplaceFile(m_path, written, LinkPolicy::Refuse);
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
