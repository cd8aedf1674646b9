#include "FileIo.h"

#include "TankFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
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

// The file a store really replaces: a symbolic link is followed, so that the
// link stays a link.
std::string ResolveTarget(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            std::string result(resolved);
            std::free(resolved);
            return result;
        }
    }
    return path;
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file beside the target, created exclusively so that no other file is
// ever overwritten by accident. Fills `tempPath`; returns the descriptor.
int CreateTemporary(const std::string& target, std::string& tempPath)
{
    static unsigned counter = 0;
    for (int attempt = 0;; ++attempt) {
        tempPath = target + "." + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST || attempt >= 100)
            ThrowErrno(errno);
    }
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

} // namespace

std::string IoErrorText(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
    case EROFS: return "File access denied";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    default: break;
    }
    return "I/O error " + std::to_string(errorNumber);
}

std::string ReadFileBytes(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            throw TankFileError("File not found");
        ThrowErrno(errno);
    }
    FdGuard guard(fd);

    std::string bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), kMaxTankFileBytes));

    char buffer[65536];
    while (bytes.size() < kMaxTankFileBytes) {
        const std::size_t wanted = std::min(sizeof buffer, kMaxTankFileBytes - bytes.size());
        const ssize_t got = ::read(fd, buffer, wanted);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

long FileWriter::Write(int fd, const char* data, std::size_t size)
{
    return static_cast<long>(::write(fd, data, size));
}

int FileWriter::Sync(int fd)
{
    return ::fsync(fd);
}

void ReplaceFile(const std::string& path, std::string_view bytes, FileWriter& writer)
{
    const std::string target = ResolveTarget(path);
    std::string tempPath;
    FdGuard fd(CreateTemporary(target, tempPath));
    try {
        // The replaced file keeps its permissions; a new one gets the usual ones.
        struct stat previous;
        if (::stat(target.c_str(), &previous) == 0)
            ::fchmod(fd.Get(), previous.st_mode & 07777);

        WriteAll(writer, fd.Get(), bytes);
        if (writer.Sync(fd.Get()) != 0)
            ThrowErrno(errno);
        if (::close(fd.Release()) != 0)
            ThrowErrno(errno);
        if (::rename(tempPath.c_str(), target.c_str()) != 0)
            ThrowErrno(errno);
    } catch (...) {
        if (fd.Get() >= 0)
            ::close(fd.Release());
        ::unlink(tempPath.c_str());
        throw;
    }

    // Make the new directory entry itself durable; the data already is.
    const int dirFd = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

void ReplaceFile(const std::string& path, std::string_view bytes)
{
    FileWriter writer;
    ReplaceFile(path, bytes, writer);
}

} // namespace veloquin
