// The reader starts suspended and runs only once it is in a job object of its own, so that not one
// of its instructions runs outside the limits. Every step here is required: each exists on every
// Windows the program runs on, and a reader that is not in its job is not started at all.
//  - kill on job close: the reader ends with the viewer, however the viewer ends;
//  - one active process: the reader can start no other program;
//  - a process memory limit and a CPU time limit, like the Linux reader's address space and CPU limits;
//  - death on an unhandled exception, so that a crash brings up no error report dialog;
//  - all UI restrictions: no clipboard, no other process's windows, no global atoms, no desktop
//    switching, no system settings, no logging off.
// The reader then takes away what it holds itself (readerhardening_win.cpp).

#include "readerjob.h"

#include <QProcess>

#include <windows.h>

namespace quill {

namespace {

constexpr SIZE_T kProcessMemoryLimit = 1024u * 1024 * 1024;
constexpr LONGLONG kCpuTimeLimit = 10LL * 1000 * 1000 * 10; // 10 s in units of 100 ns

} // namespace

struct ReaderJob::State {
    HANDLE job = nullptr;
    // QProcess's record of the process it made, filled in by CreateProcess.
    PROCESS_INFORMATION* created = nullptr;
};

ReaderJob::ReaderJob()
    : m_state(std::make_unique<State>())
{
}

ReaderJob::~ReaderJob()
{
    if (m_state->job)
        CloseHandle(m_state->job); // the last handle: whatever still runs in the job ends
}

void ReaderJob::prepare(QProcess& process)
{
    State* state = m_state.get();
    process.setCreateProcessArgumentsModifier([state](QProcess::CreateProcessArguments* arguments) {
        arguments->flags |= CREATE_SUSPENDED;
        state->created = arguments->processInformation;
    });
}

bool ReaderJob::enclose(QProcess& process)
{
    // QProcess keeps its record while the process runs; right after start() it still does.
    const PROCESS_INFORMATION* created = m_state->created;
    if (process.state() != QProcess::Running || !created || !created->hProcess || !created->hThread)
        return false;
    m_state->job = CreateJobObjectW(nullptr, nullptr);
    if (!m_state->job)
        return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_ACTIVE_PROCESS
        | JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_PROCESS_TIME | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.BasicLimitInformation.ActiveProcessLimit = 1;
    limits.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart = kCpuTimeLimit;
    limits.ProcessMemoryLimit = kProcessMemoryLimit;
    JOBOBJECT_BASIC_UI_RESTRICTIONS ui {};
    ui.UIRestrictionsClass = JOB_OBJECT_UILIMIT_ALL;
    return SetInformationJobObject(m_state->job, JobObjectExtendedLimitInformation, &limits, sizeof limits)
        && SetInformationJobObject(m_state->job, JobObjectBasicUIRestrictions, &ui, sizeof ui)
        && AssignProcessToJobObject(m_state->job, created->hProcess)
        && ResumeThread(created->hThread) != static_cast<DWORD>(-1);
}

QString ReaderJob::notConfinedReason()
{
    return QStringLiteral("読み取りプログラムを安全に実行できません（権限を制限できません）");
}

} // namespace quill
