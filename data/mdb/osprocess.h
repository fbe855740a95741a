#pragma once

// Process-level calls that differ between POSIX and Windows, for the programs without Qt
// (osprocess_posix.cpp, osprocess_win.cpp). Paths and arguments are UTF-8 everywhere.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quill::process {

// The command line as UTF-8; Windows hands main() its arguments in the ANSI code page, which
// cannot hold every file name, so there they come from the wide command line.
std::vector<std::string> utf8Arguments(int argc, char** argv);

void setVariable(const char* name, const char* value);
void unsetVariable(const char* name);

// Standard output carries bytes as they are: Windows would otherwise turn "\n" into "\r\n".
void binaryStandardOutput();

// A path from UTF-8 text and back. POSIX keeps the bytes as they are; an empty path stands for
// text that is no UTF-8 on Windows.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8Of(const std::filesystem::path& path);

} // namespace quill::process
