#pragma once
// Which file a name stands for, so that an output the user chose is never the
// file being read: the command-line tool and the program's save dialog keep to
// the one rule here.

#include <optional>
#include <string>
#include <sys/types.h>

namespace veloquin {

// The file behind a name, however it is spelled: through a symbolic link, with
// "..", or under another hard link.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// The identity of the file at `path` (a link is followed); none when nothing is there.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Whether writing to `output` would replace the file `input` names; both must
// exist for that to be so.
bool OutputIsInput(const std::string& output, const std::string& input);

} // namespace veloquin
