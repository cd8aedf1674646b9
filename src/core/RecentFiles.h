#pragma once
// The list of tanks last opened or saved, newest first, kept in the settings file
// in a section of its own ("RecentFiles", keys "File1".."File8"). The readers of
// the window and printer sections never look at it, and a settings file written
// before the list existed simply gives an empty list.

#include "ProfileFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace veloquin {

constexpr std::size_t kMaxRecentFiles = 8;

// Empty and repeated entries are skipped; at most kMaxRecentFiles are read.
std::vector<std::string> ReadRecentFiles(const ProfileFile& file);
// Writes every slot, the unused ones empty, so that a shorter list leaves no
// stale names behind. Throws SettingsWriteError as every settings write does.
void WriteRecentFiles(ProfileFile& file, const std::vector<std::string>& paths);

// The list with path first (moved there if it was already listed), cut to kMaxRecentFiles.
std::vector<std::string> WithRecentFile(const std::vector<std::string>& paths, const std::string& path);
std::vector<std::string> WithoutRecentFile(const std::vector<std::string>& paths, const std::string& path);

} // namespace veloquin
