#include "readerprobe.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quill::probe {

namespace {

void put(const Plan& plan, const std::string& text)
{
    DWORD written = 0;
    WriteFile(static_cast<HANDLE>(plan.report), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string line(const char* name, unsigned long long value)
{
    return std::string(name) + '=' + std::to_string(value) + '\n';
}

// The folder the probe was started from, which holds the test's library.
std::wstring ownFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring reportPath()
{
    const wchar_t* path = _wgetenv(L"ROSTARI_PROBE_REPORT");
    return path ? path : L"";
}

// Each attempt is true when it went through.
bool startChild()
{
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(system) + L"\\cmd.exe\" /c exit 0";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child {};
    if (!CreateProcessW(
            nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child))
        return false;
    WaitForSingleObject(child.hProcess, 10000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return true;
}

bool allocate(SIZE_T bytes, DWORD protection)
{
    void* memory = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, protection);
    if (memory)
        VirtualFree(memory, 0, MEM_RELEASE);
    return memory != nullptr;
}

bool writeClipboard()
{
    if (!OpenClipboard(nullptr))
        return false;
    const bool emptied = EmptyClipboard();
    CloseClipboard();
    return emptied;
}

bool writeFile()
{
    const HANDLE file = CreateFileW((reportPath() + L".written").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
        FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool writeRegistry()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\rostari-bolt-probe", 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
            nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\rostari-bolt-probe");
    return true;
}

bool loadLibrary()
{
    const HMODULE library = LoadLibraryW((ownFolder() + L"readerprobe_library.dll").c_str());
    if (library)
        FreeLibrary(library);
    return library != nullptr;
}

template <typename Policy> unsigned long long policyFlags(PROCESS_MITIGATION_POLICY kind)
{
    Policy policy {};
    return GetProcessMitigationPolicy(GetCurrentProcess(), kind, &policy, sizeof policy) ? policy.Flags : ~0ull;
}

std::string report()
{
    std::string out;
    BOOL inJob = FALSE;
    out += line("in-job", IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) && inJob);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits {};
    JOBOBJECT_BASIC_UI_RESTRICTIONS ui {};
    // Without a handle: the job this process is in.
    if (QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits, sizeof limits, nullptr)) {
        out += line("job-flags", limits.BasicLimitInformation.LimitFlags);
        out += line("active-processes", limits.BasicLimitInformation.ActiveProcessLimit);
        out += line("process-memory", limits.ProcessMemoryLimit);
        out += line(
            "cpu-time", static_cast<unsigned long long>(limits.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart));
    }
    if (QueryInformationJobObject(nullptr, JobObjectBasicUIRestrictions, &ui, sizeof ui, nullptr))
        out += line("ui", ui.UIRestrictionsClass);
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        alignas(8) unsigned char buffer[1024];
        DWORD bytes = 0;
        if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &bytes))
            out += line("privileges", reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer)->PrivilegeCount);
        if (GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &bytes)) {
            const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
            out += line("integrity", *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u));
        }
        CloseHandle(token);
    }
    out += line("dynamic-code", policyFlags<PROCESS_MITIGATION_DYNAMIC_CODE_POLICY>(ProcessDynamicCodePolicy));
    out += line("image-load", policyFlags<PROCESS_MITIGATION_IMAGE_LOAD_POLICY>(ProcessImageLoadPolicy));
    out += line("signature", policyFlags<PROCESS_MITIGATION_BINARY_SIGNATURE_POLICY>(ProcessSignaturePolicy));
    out += line("extension-points",
        policyFlags<PROCESS_MITIGATION_EXTENSION_POINT_DISABLE_POLICY>(ProcessExtensionPointDisablePolicy));
    return out;
}

} // namespace

Plan plan()
{
    Plan plan = plannedAction();
    const std::wstring path = reportPath();
    if (!path.empty())
        plan.report = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    return plan;
}

void whileReading() { } // the Windows tests read at full speed

void carryOut(const Plan& plan)
{
    if (plan.action.empty())
        return;
    if (plan.action == "report") {
        put(plan, report());
    } else if (plan.action == "hang") {
        put(plan, line("pid", GetCurrentProcessId()));
        Sleep(INFINITE);
    } else {
        bool done = false;
        if (plan.action == "memory")
            done = allocate(SIZE_T(1536) << 20, PAGE_READWRITE); // beyond the job's 1 GiB
        else if (plan.action == "child-process")
            done = startChild();
        else if (plan.action == "clipboard")
            done = writeClipboard();
        else if (plan.action == "write-file")
            done = writeFile();
        else if (plan.action == "write-registry")
            done = writeRegistry();
        else if (plan.action == "dynamic-code")
            done = allocate(4096, PAGE_EXECUTE_READWRITE);
        else if (plan.action == "load-library")
            done = loadLibrary();
        else
            std::_Exit(2); // no such action: no report, which fails the test
        put(plan, done ? std::string("survived\n") : "refused " + std::to_string(GetLastError()) + '\n');
    }
    CloseHandle(static_cast<HANDLE>(plan.report));
    std::_Exit(0);
}

} // namespace quill::probe
