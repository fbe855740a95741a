#include "osprocess.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <shellapi.h>

namespace quill::process {

namespace {

std::string utf8FromWide(const wchar_t* wide)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}

struct LocalFreer {
    void operator()(wchar_t** block) const { LocalFree(block); }
};

} // namespace

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreer> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!wide || count != argc)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(utf8FromWide(wide.get()[i]));
    return arguments;
}

void setVariable(const char* name, const char* value)
{
    _putenv_s(name, value);
}

void unsetVariable(const char* name)
{
    _putenv_s(name, ""); // an empty value removes the variable
}

void binaryStandardOutput()
{
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    try {
        return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
    } catch (const std::filesystem::filesystem_error&) {
        return {};
    }
}

std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace quill::process
