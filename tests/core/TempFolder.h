#pragma once
// A fresh folder per test under /tmp (other builds may run the same tests at
// once), removed with everything in it afterwards; and a way to run a piece of a
// test as an ordinary user, since the suite may run as root, for whom the system
// checks no permissions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace veloquin::test {

class TempFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/veloquin-files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override
    {
        // Folders a test made unwritable must not keep their contents alive.
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(m_dir, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_dir, ec);
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    // The names in the folder, sorted.
    std::vector<std::string> Entries(const std::string& sub = "") const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(sub.empty() ? m_dir : m_dir / sub))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path m_dir;
};

// The ids the unprivileged part of a test runs under when the suite runs as root.
constexpr uid_t kNobodyUid = 65534;
constexpr gid_t kNobodyGid = 65534;

inline bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

// Runs `body` in a child process, as "nobody" when the suite runs as root and as
// the suite's own user otherwise, and returns what the body returned ("" stands
// for success), or how the child failed.
inline std::string RunAsOrdinaryUser(const std::function<std::string()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid < 0)
        return "no fork";
    if (pid == 0) {
        ::close(fds[0]);
        std::string result;
        if (RunningAsRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(kNobodyGid) != 0 || ::setuid(kNobodyUid) != 0))
            result = "cannot become nobody";
        else {
            try {
                result = body();
            } catch (const std::exception& error) {
                result = std::string("exception: ") + error.what();
            }
        }
        const char* data = result.data();
        std::size_t left = result.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], data, left);
            if (n <= 0)
                break;
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        result.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child did not finish: status " + std::to_string(status);
    return result;
}

} // namespace veloquin::test
