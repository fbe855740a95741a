#include "osprocess.h"

#include <cstdlib>

namespace quill::process {

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void setVariable(const char* name, const char* value)
{
    setenv(name, value, 1);
}

void unsetVariable(const char* name)
{
    unsetenv(name);
}

void binaryStandardOutput() { }

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(utf8);
}

std::string utf8Of(const std::filesystem::path& path)
{
    return path.native();
}

} // namespace quill::process
