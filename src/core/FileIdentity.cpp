#include "FileIdentity.h"

#include <sys/stat.h>

namespace veloquin {

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat entry;
    if (path.empty() || ::stat(path.c_str(), &entry) != 0)
        return std::nullopt;
    return FileIdentity{entry.st_dev, entry.st_ino};
}

bool OutputIsInput(const std::string& output, const std::string& input)
{
    const std::optional<FileIdentity> in = IdentityOf(input);
    return in && IdentityOf(output) == in;
}

} // namespace veloquin
