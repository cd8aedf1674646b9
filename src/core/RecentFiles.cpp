#include "RecentFiles.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace veloquin {
namespace {

constexpr const char* kRecentFiles = "RecentFiles";

std::string SlotKey(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

// The settings file trims the blanks around a value and cannot hold a line
// break, so a path with either would read back as another path, perhaps of
// another tank. Such a path is stored between quotes, which keep its blanks,
// its control characters and the quote as \xHH and the backslash as \\; every
// other path stays plain, as earlier versions wrote and read it (they take a
// quoted entry for a file that does not exist).
constexpr char kQuote = '"';

bool IsAwkward(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

bool NeedsQuoting(const std::string& path)
{
    if (path.empty())
        return false;
    if (path.front() == ' ' || path.back() == ' ' || path.front() == kQuote)
        return true;
    return std::any_of(path.begin(), path.end(), [](char c) { return IsAwkward(static_cast<unsigned char>(c)); });
}

std::string Stored(const std::string& path)
{
    if (!NeedsQuoting(path))
        return path;
    static const char kHex[] = "0123456789ABCDEF";
    std::string text(1, kQuote);
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsAwkward(byte) || c == kQuote) {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        } else if (c == '\\') {
            text += "\\\\";
        } else {
            text += c;
        }
    }
    return text + kQuote;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The path an entry stands for; none for a quoted entry that is damaged, which
// is dropped rather than guessed at.
std::optional<std::string> PathOf(const std::string& entry)
{
    if (entry.size() < 2 || entry.front() != kQuote || entry.back() != kQuote)
        return entry;
    std::string path;
    for (std::size_t i = 1; i + 1 < entry.size(); ++i) {
        const char c = entry[i];
        if (c == kQuote)
            return std::nullopt;
        if (c != '\\') {
            path += c;
            continue;
        }
        if (i + 2 < entry.size() && entry[i + 1] == '\\') {
            path += '\\';
            ++i;
        } else if (i + 4 < entry.size() && entry[i + 1] == 'x' && HexDigit(entry[i + 2]) >= 0 &&
                   HexDigit(entry[i + 3]) >= 0) {
            path += static_cast<char>(HexDigit(entry[i + 2]) * 16 + HexDigit(entry[i + 3]));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return path;
}

} // namespace

std::vector<std::string> ReadRecentFiles(const ProfileFile& file)
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        std::optional<std::string> path = PathOf(file.ReadString(kRecentFiles, SlotKey(i), ""));
        // A hand-edited file may list a name twice or leave holes.
        if (path && !path->empty() && std::find(paths.begin(), paths.end(), *path) == paths.end())
            paths.push_back(std::move(*path));
    }
    return paths;
}

void WriteRecentFiles(ProfileFile& file, const std::vector<std::string>& paths)
{
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i)
        file.WriteString(kRecentFiles, SlotKey(i), i < paths.size() ? Stored(paths[i]) : std::string());
}

std::vector<std::string> WithRecentFile(const std::vector<std::string>& paths, const std::string& path)
{
    std::vector<std::string> result{path};
    for (const std::string& other : paths) {
        if (result.size() == kMaxRecentFiles)
            break;
        if (other != path)
            result.push_back(other);
    }
    return result;
}

std::vector<std::string> WithoutRecentFile(const std::vector<std::string>& paths, const std::string& path)
{
    std::vector<std::string> result;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(result),
                 [&path](const std::string& other) { return other != path; });
    return result;
}

} // namespace veloquin
