#include "RecentFiles.h"

#include <algorithm>
#include <iterator>

namespace veloquin {
namespace {

constexpr const char* kRecentFiles = "RecentFiles";

std::string SlotKey(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

std::vector<std::string> ReadRecentFiles(const ProfileFile& file)
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        std::string path = file.ReadString(kRecentFiles, SlotKey(i), "");
        // A hand-edited file may list a name twice or leave holes.
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    }
    return paths;
}

void WriteRecentFiles(ProfileFile& file, const std::vector<std::string>& paths)
{
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i)
        file.WriteString(kRecentFiles, SlotKey(i), i < paths.size() ? paths[i] : std::string());
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
