#pragma once

// The file-system calls an atomic write needs, one file per platform (filecalls_posix.cpp,
// filecalls_win.cpp). Failures return -1 (or false) and leave the reason in errno.

#include <cstddef>
#include <filesystem>
#include <string>

namespace jet::detail::filecalls {

// Creates a new file for writing only, failing if the name is taken; children do not inherit it.
int createNew(const std::filesystem::path& path);
// Writes part of the data; how much, or -1.
long write(int fd, const void* data, std::size_t size);
// Puts the written data on the disk.
bool flushToDisk(int fd);
bool close(int fd);
// Renames from over to, replacing to in one step.
bool replace(const std::filesystem::path& from, const std::filesystem::path& to);
void remove(const std::filesystem::path& path);
// Tells this process's temporary files from another's.
std::string processTag();

} // namespace jet::detail::filecalls
