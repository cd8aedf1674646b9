#pragma once
// An INI ("private profile") file with the semantics of the Windows profile API:
// "[Section]" headers and "key=value" lines, names matched without regard to ASCII
// case, blanks around names and values ignored, the first occurrence winning.
// Lines it does not understand (comments, blank lines, foreign keys) are kept.
//
// Nothing is cached: every read reads the file, and every write rewrites it at
// once through a temporary file beside it, so a failed write never leaves a
// half-written file. The text is handled as bytes and walked in place, once per
// read or write; line ends may be CR LF or LF, and a written line takes the
// file's own (CR LF in a new file), so a write never grows the file by more than
// the lines it adds.
//
// Only a regular file of its own is ever written: a settings file that is a
// symbolic or hard link, a pipe or a device, or that cannot be read, is refused
// as a whole and left as it is.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veloquin {

// A settings file is a few hundred bytes; a longer one is not read at all, and
// no write ever makes a file longer than this (it is refused as too large).
constexpr std::size_t kMaxProfileFileBytes = 1u << 20;

// The text layer of the file, on a text in memory: the value a read finds (none
// when the section or key is missing), and the text a write leaves.
std::optional<std::string> ProfileValue(std::string_view text, std::string_view section, std::string_view key);
std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

// A write the system refused; what() is "Unable to write to " + the file's path.
class SettingsWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class ProfileFile
{
public:
    explicit ProfileFile(std::string path);

    const std::string& Path() const { return m_path; }

    // A missing file, section or key gives the default; so does a value that does
    // not convert (integers are strict decimals, floats take either decimal
    // separator, an empty float is not a number).
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

    // Each write reaches the file before it returns, making its folder when there
    // is none; throws SettingsWriteError, which names a file beyond
    // kMaxProfileFileBytes as too large.
    // Line breaks inside a value are stored as spaces, since they would split it.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void WriteFloat(std::string_view section, std::string_view key, double value);

private:
    std::string m_path;
};

} // namespace veloquin
