#pragma once
// The benchmarks run programs of their own build tree (veloquin-cli), found
// beside the running benchmark: build/bench/veloquin_bench -> build/src/cli/.

#include <climits>
#include <string>
#include <unistd.h>

namespace veloquin::bench {

// The build tree's top folder, or "" when the running program cannot be found.
inline std::string BuildDirectory()
{
    char self[PATH_MAX];
    const ssize_t size = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (size <= 0)
        return "";
    std::string path(self, static_cast<std::size_t>(size));
    path = path.substr(0, path.rfind('/'));
    return path.substr(0, path.rfind('/'));
}

inline std::string CliPath()
{
    return BuildDirectory() + "/src/cli/veloquin-cli";
}

} // namespace veloquin::bench
