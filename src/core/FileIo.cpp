#include "FileIo.h"

#include "GFunc.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace veloquin {
namespace {

[[noreturn]] void ThrowErrno(int errorNumber)
{
    throw TankFileError(IoErrorText(errorNumber));
}

// Closes a descriptor when the scope ends, unless it was closed on purpose.
class FdGuard
{
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A missing file in a folder that is there, or a folder that is not.
[[noreturn]] void ThrowMissing(const std::string& path)
{
    struct stat folder;
    const bool folderExists = ::stat(DirectoryOf(path).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
    throw TankFileError(folderExists ? "File not found" : "Path not found");
}

// Anything but a regular file is refused by what it is. A folder reads as the
// system's own refusal, as it does wherever a file is expected.
void RequireRegularFile(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return;
    if (S_ISDIR(info.st_mode))
        throw TankFileError("File access denied");
    if (S_ISFIFO(info.st_mode))
        throw TankFileError("Это канал, а не файл");
    if (S_ISSOCK(info.st_mode))
        throw TankFileError("Это сокет, а не файл");
    throw TankFileError("Это устройство, а не файл");
}

[[noreturn]] void ThrowTooLarge(std::size_t maxBytes)
{
    throw TankFileError("Файл больше " + FormatDecimals(0, static_cast<double>(maxBytes >> 20)) +
                        " МБ: это не файл данных Veloquin");
}

// Eight letters that no two stores are likely to share, even from two programs
// started in the same second: the exclusive creation settles the rest.
std::string UniqueToken()
{
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = std::random_device{}();
    std::uint64_t x = seed ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^ ++counter ^
                      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    // splitmix64: every bit of the input reaches the letters.
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    static const char letters[] = "0123456789abcdefghijklmnopqrstuv";
    std::string token(8, '0');
    for (char& c : token) {
        c = letters[x & 31];
        x >>= 5;
    }
    return token;
}

// A new file in `folder`, created exclusively so that no other file is ever
// overwritten by accident. Its name is short whatever the target's: a target
// whose name is near the system's limit must still be storable. Fills
// `tempPath`; returns the descriptor, or -1 with errno set.
int CreateTemporary(FileWriter& writer, const std::string& folder, std::string& tempPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/.~vlq" + UniqueToken() + ".tmp";
        const int fd = writer.CreateExclusive(tempPath.c_str(), 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void WriteAll(FileWriter& writer, int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const long written = writer.Write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (written == 0)
            ThrowErrno(ENOSPC); // a device that takes nothing more is full
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Makes a directory entry durable; the data already is.
void SyncFolder(const std::string& folder)
{
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The file a store writes: the path itself, or the file a followed link points
// to. `exists` tells whether it is there; `info` then describes it.
struct Target
{
    std::string path;
    bool exists = false;
    struct stat info
    {
    };
};

Target FindTarget(const std::string& path, LinkPolicy links)
{
    Target target;
    target.path = path;
    struct stat entry;
    if (::lstat(path.c_str(), &entry) != 0) {
        if (errno == ENOENT)
            return target; // a new file; a missing folder shows when it is created
        ThrowErrno(errno);
    }
    if (S_ISLNK(entry.st_mode)) {
        if (links == LinkPolicy::Refuse)
            throw TankFileError("File access denied");
        // A link that points nowhere is replaced by the file itself rather than
        // creating a file wherever it points.
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved)
            return target;
        target.path = resolved;
        std::free(resolved);
        if (::stat(target.path.c_str(), &entry) != 0)
            ThrowErrno(errno);
    } else if (links == LinkPolicy::Refuse && entry.st_nlink > 1) {
        // Another name of the same file may live anywhere: written in place, it
        // would change a file the user never chose.
        throw TankFileError("File access denied");
    }
    RequireRegularFile(entry);
    if (!MayWrite(entry, UserIds::Current()))
        throw TankFileError("File access denied");
    target.exists = true;
    target.info = entry;
    return target;
}

// The folder does not take new files, but the file may be changed: it is
// rewritten where it is, from its first byte, and then cut to the new length.
// The space is reserved first, so that a full disk is reported before anything
// is overwritten; a device that fails part-way leaves a damaged file, which no
// temporary file can prevent here.
void WriteInPlace(const Target& target, std::string_view bytes, FileWriter& writer)
{
    FdGuard fd(::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0)
        ThrowErrno(errno);
    struct stat opened;
    if (::fstat(fd.Get(), &opened) != 0)
        ThrowErrno(errno);
    if (!SameFile(opened, target.info))
        throw TankFileError("File access denied"); // replaced while we looked
    RequireRegularFile(opened);

    const auto size = static_cast<off_t>(bytes.size());
    if (size > opened.st_size && ::fallocate(fd.Get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
        (errno == ENOSPC || errno == EDQUOT))
        ThrowErrno(errno); // a file system without reservations just goes on
    WriteAll(writer, fd.Get(), bytes);
    if (::ftruncate(fd.Get(), size) != 0)
        ThrowErrno(errno);
    if (writer.Sync(fd.Get()) != 0)
        ThrowErrno(errno);
    if (::close(fd.Release()) != 0)
        ThrowErrno(errno);
}

} // namespace

std::string IoErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT: return "File not found";
    case ENOTDIR: return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return "File access denied";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    case EMFILE:
    case ENFILE: return "Too many open files";
    case ENAMETOOLONG: return "Invalid filename";
    default: break;
    }
    return "I/O error " + std::to_string(errorNumber);
}

std::string ReadFileBytes(const std::string& path, std::size_t maxBytes)
{
    // Looked at before it is opened: opening a device can have effects of its own.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            ThrowMissing(path);
        ThrowErrno(errno);
    }
    RequireRegularFile(info);

    // Without O_NONBLOCK a pipe put there meanwhile would wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            ThrowMissing(path);
        ThrowErrno(errno);
    }
    FdGuard guard(fd);
    if (::fstat(fd, &info) != 0)
        ThrowErrno(errno);
    RequireRegularFile(info);
    if (info.st_size > 0 && static_cast<unsigned long long>(info.st_size) > maxBytes)
        ThrowTooLarge(maxBytes);

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        // One byte beyond the limit tells a file that grew past it from one that ends there.
        const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - bytes.size());
        const ssize_t got = ::read(fd, buffer, wanted);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes)
            ThrowTooLarge(maxBytes);
    }
    return bytes;
}

UserIds UserIds::Current()
{
    UserIds ids;
    ids.uid = ::geteuid();
    ids.gid = ::getegid();
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        ids.groups.resize(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, ids.groups.data());
        ids.groups.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    return ids;
}

bool MayWrite(const struct stat& info, const UserIds& user)
{
    const mode_t mode = info.st_mode;
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    if (user.uid == 0)
        return true;
    if (info.st_uid == user.uid)
        return (mode & S_IWUSR) != 0;
    const bool inGroup =
        info.st_gid == user.gid || std::find(user.groups.begin(), user.groups.end(), info.st_gid) != user.groups.end();
    if (inGroup)
        return (mode & S_IWGRP) != 0;
    return (mode & S_IWOTH) != 0;
}

int FileWriter::CreateExclusive(const char* path, mode_t mode)
{
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

long FileWriter::Write(int fd, const char* data, std::size_t size)
{
    return static_cast<long>(::write(fd, data, size));
}

int FileWriter::Sync(int fd)
{
    return ::fsync(fd);
}

void ReplaceFile(const std::string& path, std::string_view bytes, FileWriter& writer, LinkPolicy links)
{
    const Target target = FindTarget(path, links);
    const std::string folder = DirectoryOf(target.path);
    std::string tempPath;
    FdGuard fd(CreateTemporary(writer, folder, tempPath));
    if (fd.Get() < 0) {
        const int error = errno;
        if (target.exists && (error == EACCES || error == EPERM)) {
            WriteInPlace(target, bytes, writer);
            return;
        }
        // Creating a file in a folder that is not there.
        if (error == ENOENT)
            throw TankFileError("Path not found");
        ThrowErrno(error);
    }
    try {
        if (target.exists) {
            // The owner first: changing it clears the set-id bits that the mode restores.
            if ((target.info.st_uid != ::geteuid() || target.info.st_gid != ::getegid()) &&
                ::fchown(fd.Get(), target.info.st_uid, target.info.st_gid) != 0) {
                // Only the administrator may give a file away: the user owns the new one.
            }
            ::fchmod(fd.Get(), target.info.st_mode & 07777);
        }
        WriteAll(writer, fd.Get(), bytes);
        if (writer.Sync(fd.Get()) != 0)
            ThrowErrno(errno);
        if (::close(fd.Release()) != 0)
            ThrowErrno(errno);
        // Whatever stands at the name now is replaced, never written through: a
        // link planted meanwhile is itself replaced, its target left alone.
        if (::rename(tempPath.c_str(), target.path.c_str()) != 0)
            ThrowErrno(errno);
    } catch (...) {
        if (fd.Get() >= 0)
            ::close(fd.Release());
        ::unlink(tempPath.c_str());
        throw;
    }
    SyncFolder(folder);
}

void ReplaceFile(const std::string& path, std::string_view bytes, LinkPolicy links)
{
    FileWriter writer;
    ReplaceFile(path, bytes, writer, links);
}

} // namespace veloquin
