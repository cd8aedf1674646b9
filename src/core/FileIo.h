#pragma once
// Whole-file reading and crash-safe replacement of a file, with the error texts
// the user sees. A store never truncates the file it replaces: the bytes go to a
// new file in the same directory, which is renamed over the target only after
// everything was written and flushed to the device.

#include <cstddef>
#include <string>
#include <string_view>

namespace veloquin {

// Reading stops after this many bytes: a tank file is a few kilobytes, and a path
// that names a device or an endless pipe must not exhaust the memory.
constexpr std::size_t kMaxTankFileBytes = 64u << 20;

// "File access denied", "Disk full" or "I/O error N" for a system error number.
std::string IoErrorText(int errorNumber);

// The contents of a file (at most kMaxTankFileBytes). Throws TankFileError; a
// file that does not exist is "File not found".
std::string ReadFileBytes(const std::string& path);

// The system calls that put the bytes on the device. Tests substitute one that
// fails part-way, as a full disk or a pulled stick would.
class FileWriter
{
public:
    virtual ~FileWriter() = default;
    // As write(2): the number of bytes written, or -1 with errno set.
    virtual long Write(int fd, const char* data, std::size_t size);
    // As fsync(2): 0, or -1 with errno set.
    virtual int Sync(int fd);
};

// Replaces the file at `path` (or creates it) with `bytes`; on any failure the
// temporary file is removed, `path` keeps its previous contents and TankFileError
// is thrown. A replaced file keeps its permissions; a symbolic link is followed.
void ReplaceFile(const std::string& path, std::string_view bytes, FileWriter& writer);
void ReplaceFile(const std::string& path, std::string_view bytes);

} // namespace veloquin
