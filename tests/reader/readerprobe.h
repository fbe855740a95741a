#pragma once

// Test builds of the reader only, never installed: a reader that behaves as a file which took
// it over would make it behave. $ROSTARI_PROBE chooses:
//   (unset)       the real reader
//   unconfined    the real reader without its confinement
//   fail          a reader that cannot confine itself
// On Linux (readerprobe.cpp):
//   answer        under the filter, the bytes of the file $ROSTARI_PROBE_ANSWER as its answer
//                 (what follows the magic)
//   slow-read     the real reader, 250 ms for each piece of the file it reads (a slow drive)
//   die-reading   killed by a signal at the first piece read
//   any action of kForbiddenActions: under the filter, attempts it
// A forbidden action that the filter lets through ends the reader with kSurvived.
// On Windows (readerprobe_win.cpp) the reader writes what it finds, once confined, to the file
// $ROSTARI_PROBE_REPORT, which it opens before:
//   report        its job, privileges, integrity level and mitigation policies as "name=value" lines
//   hang          "pid=<its process id>", then it waits for ever
//   any other     attempts that action and writes "survived" or "refused <Windows error>"

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quill::probe {

// What the Linux filter forbids.
inline constexpr std::array<std::string_view, 8> kForbiddenActions { "open", "openat", "socket", "execve", "fork",
    "mmap-exec", "write-stdin", "raise-limit" };
inline constexpr int kSurvived = 97;

enum class Confinement { Filter, None, Fails };

struct Plan {
    Confinement confinement = Confinement::Filter;
    std::string action;
    std::string answer;
    void* report = nullptr; // Windows: the report file's handle
};

// What ROSTARI_PROBE asks for, before any platform's files are opened.
inline Plan plannedAction()
{
    Plan plan;
    const char* chosen = std::getenv("ROSTARI_PROBE");
    plan.action = chosen ? chosen : "";
    if (plan.action == "unconfined")
        plan.confinement = Confinement::None;
    else if (plan.action == "fail")
        plan.confinement = Confinement::Fails;
    return plan;
}

// Before the confinement: what to do, with any file it needs already open.
Plan plan();
// Confined: does it, and returns only when there is nothing to do.
void carryOut(const Plan& plan);
// While the file comes in, after each piece read.
void whileReading();

} // namespace quill::probe
