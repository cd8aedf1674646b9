#pragma once
// Whole-file reading and crash-safe replacement of a file, with the error texts
// the user sees. Only regular files are read or replaced: a name that stands for
// a pipe, a device or a socket is refused before anything is opened, so that
// neither a pipe without a writer nor a device node can hang or harm the program.
// A store never truncates the file it replaces: the bytes go to a new file in the
// same directory, which is renamed over the target only after everything was
// written and flushed to the device.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

struct stat;

namespace veloquin {

// An input/output failure of the tank file or the settings file; what() is the
// text the user sees: "Read beyond end of file", "File not found", "Path not
// found", "File access denied", "Disk full", "I/O error %d"...
class TankFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reading stops after this many bytes: a tank file is a few kilobytes, and a
// path that names a huge file must not exhaust the memory.
constexpr std::size_t kMaxTankFileBytes = 64u << 20;

// The text the user sees for a system error number: "File not found", "Path not
// found", "File access denied", "Disk full", "Too many open files", "Invalid
// filename", or "I/O error N" where none of them fits.
std::string IoErrorText(int errorNumber);

// The contents of the regular file at `path` (a symbolic link is followed).
// Throws TankFileError: "File not found", "Path not found" when the folder is
// missing, "File access denied" for a folder, a message naming what the path is
// for a pipe, a device or a socket, and one naming the limit for a file longer
// than `maxBytes`.
std::string ReadFileBytes(const std::string& path, std::size_t maxBytes = kMaxTankFileBytes);

// The identity the system checks file permissions against.
struct UserIds
{
    uid_t uid = 0;
    gid_t gid = 0;
    std::vector<gid_t> groups;

    static UserIds Current();
};

// Whether the user may change the file, as the system's permission bits decide,
// with one exception that mirrors a read-only attribute: a file that nobody may
// write is read-only for the administrator too.
bool MayWrite(const struct stat& info, const UserIds& user);

// The system calls that put the bytes on the device. Tests substitute one that
// fails part-way, as a full disk or a pulled stick would, or a folder that
// refuses new files.
class FileWriter
{
public:
    virtual ~FileWriter() = default;
    // As open(2) with O_WRONLY | O_CREAT | O_EXCL: a descriptor, or -1 with errno set.
    virtual int CreateExclusive(const char* path, mode_t mode);
    // As write(2): the number of bytes written, or -1 with errno set.
    virtual long Write(int fd, const char* data, std::size_t size);
    // As fsync(2): 0, or -1 with errno set.
    virtual int Sync(int fd);
};

// What a symbolic link at the path means to a store.
enum class LinkPolicy
{
    Follow, // the file it points to is replaced and the link stays a link
    Refuse, // nothing is written (a file that others may have planted)
};

// Replaces the regular file at `path` (or creates it) with `bytes`. The file
// must be writable by the user; a replaced file keeps its permissions and, where
// the system allows, its owner. Where the folder refuses a new file but the file
// itself is writable, the file is rewritten in place. On any failure the
// temporary file is removed and TankFileError is thrown; a refused store leaves
// the path untouched.
void ReplaceFile(const std::string& path, std::string_view bytes, FileWriter& writer,
                 LinkPolicy links = LinkPolicy::Follow);
void ReplaceFile(const std::string& path, std::string_view bytes, LinkPolicy links = LinkPolicy::Follow);

} // namespace veloquin
