// The reader's own part of its confinement on Windows; the viewer has already put it in a job
// with limits it cannot lift (readerjob_win.cpp). Once the file is open, the reader gives up what
// a file that took it over could use:
//  required, or it parses nothing (each exists on every Windows the program runs on, so a failure
//  means the confinement is not what it should be):
//   - every privilege removed, and none left when asked again;
//   - its token lowered to low integrity: it can then write to no file, folder or registry key
//     of the user's, the settings key included;
//   - no dynamic code: no memory becomes executable, as under the Linux filter;
//   - images only from the system: none from a network share, none written at low integrity,
//     only those Microsoft signed, System32 searched first; no extension points (AppInit DLLs,
//     window hooks) that would load other code into it;
//  best effort:
//   - the child process policy: Windows documents it for process creation, and whether a running
//     process may set it on itself differs by release; the job's limit of one active process is
//     what stops the reader from starting another, and that limit is required.
// Handles opened before (the database, the standard streams) keep working.

#include "readerhardening.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#ifdef ROSTARI_READER_PROBE
#include "readerprobe.h"
#endif

namespace quill {

namespace {

struct TokenCloser {
    using pointer = HANDLE;
    void operator()(HANDLE token) const { CloseHandle(token); }
};

// A token's information of one class, in storage aligned for its structure.
std::vector<std::max_align_t> tokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind)
{
    DWORD bytes = 0;
    GetTokenInformation(token, kind, nullptr, 0, &bytes);
    std::vector<std::max_align_t> buffer((bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
    if (bytes == 0 || !GetTokenInformation(token, kind, buffer.data(), bytes, &bytes))
        return {};
    return buffer;
}

bool removePrivileges(HANDLE token)
{
    std::vector<std::max_align_t> held = tokenInformation(token, TokenPrivileges);
    if (held.empty())
        return false;
    auto* privileges = reinterpret_cast<TOKEN_PRIVILEGES*>(held.data());
    if (privileges->PrivilegeCount > 0) {
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i)
            privileges->Privileges[i].Attributes = SE_PRIVILEGE_REMOVED;
        // Succeeds with ERROR_NOT_ALL_ASSIGNED when some were not changed.
        if (!AdjustTokenPrivileges(token, FALSE, privileges, 0, nullptr, nullptr) || GetLastError() != ERROR_SUCCESS)
            return false;
    }
    held = tokenInformation(token, TokenPrivileges);
    return !held.empty() && reinterpret_cast<const TOKEN_PRIVILEGES*>(held.data())->PrivilegeCount == 0;
}

bool lowerIntegrity(HANDLE token)
{
    SID low {};
    low.Revision = SID_REVISION;
    low.SubAuthorityCount = 1;
    low.IdentifierAuthority = SECURITY_MANDATORY_LABEL_AUTHORITY;
    low.SubAuthority[0] = SECURITY_MANDATORY_LOW_RID;
    TOKEN_MANDATORY_LABEL label {};
    label.Label.Attributes = SE_GROUP_INTEGRITY;
    label.Label.Sid = &low;
    return SetTokenInformation(token, TokenIntegrityLevel, &label, sizeof label + GetLengthSid(&low));
}

template <typename Policy> bool turnOn(PROCESS_MITIGATION_POLICY kind, Policy policy)
{
    return SetProcessMitigationPolicy(kind, &policy, sizeof policy);
}

bool turnOnRequiredMitigations()
{
    PROCESS_MITIGATION_DYNAMIC_CODE_POLICY dynamicCode {};
    dynamicCode.ProhibitDynamicCode = 1;
    PROCESS_MITIGATION_IMAGE_LOAD_POLICY imageLoad {};
    imageLoad.NoRemoteImages = 1;
    imageLoad.NoLowMandatoryLabelImages = 1;
    imageLoad.PreferSystem32Images = 1;
    PROCESS_MITIGATION_BINARY_SIGNATURE_POLICY signature {};
    signature.MicrosoftSignedOnly = 1;
    PROCESS_MITIGATION_EXTENSION_POINT_DISABLE_POLICY extensionPoints {};
    extensionPoints.DisableExtensionPoints = 1;
    return turnOn(ProcessDynamicCodePolicy, dynamicCode) && turnOn(ProcessImageLoadPolicy, imageLoad)
        && turnOn(ProcessSignaturePolicy, signature) && turnOn(ProcessExtensionPointDisablePolicy, extensionPoints);
}

void turnOnChildProcessPolicy()
{
    PROCESS_MITIGATION_CHILD_PROCESS_POLICY childProcess {};
    childProcess.NoChildProcessCreation = 1;
    turnOn(ProcessChildProcessPolicy, childProcess);
}

bool confine()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_ADJUST_PRIVILEGES | TOKEN_ADJUST_DEFAULT, &opened))
        return false;
    const std::unique_ptr<void, TokenCloser> token(opened);
    if (!removePrivileges(token.get()) || !lowerIntegrity(token.get()) || !turnOnRequiredMitigations())
        return false;
    turnOnChildProcessPolicy();
    return true;
}

} // namespace

bool confineReader()
{
#ifdef ROSTARI_READER_PROBE
    const probe::Plan plan = probe::plan();
    if (plan.confinement != probe::Confinement::Filter)
        return plan.confinement == probe::Confinement::None;
#endif
    if (!confine())
        return false;
#ifdef ROSTARI_READER_PROBE
    probe::carryOut(plan);
#endif
    return true;
}

} // namespace quill
