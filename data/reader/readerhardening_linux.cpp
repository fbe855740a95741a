#include "readerhardening.h"

#include <cstdio>
#include <memory>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

#ifdef ROSTARI_READER_PROBE
#include "readerprobe.h"
#endif

namespace quill {

namespace {

#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer reads /proc, starts a symbolizer for a report and a tracer thread for its leak
// check at exit: the sanitizer build leaves its reader unconfined.
constexpr bool kConfine = false;
#else
constexpr bool kConfine = true;
#endif

struct FilterReleaser {
    void operator()(void* filter) const { seccomp_release(filter); }
};

struct Rule {
    int syscall;
    unsigned conditions; // 0 or 1
    scmp_arg_cmp condition;
};

// Allowed: memory that is never executable, the two output streams, and the end. Anything else,
// other architectures' system call numbers included, kills the process with SIGSYS.
bool installFilter()
{
    const std::unique_ptr<void, FilterReleaser> filter(seccomp_init(SCMP_ACT_KILL_PROCESS));
    if (!filter || seccomp_attr_set(filter.get(), SCMP_FLTATR_ACT_BADARCH, SCMP_ACT_KILL_PROCESS) != 0)
        return false;
    const scmp_arg_cmp any {};
    const scmp_arg_cmp notExecutable = SCMP_A2_32(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0);
    const Rule rules[] {
        { SCMP_SYS(write), 1, SCMP_A0_32(SCMP_CMP_EQ, STDOUT_FILENO) },
        { SCMP_SYS(write), 1, SCMP_A0_32(SCMP_CMP_EQ, STDERR_FILENO) },
        { SCMP_SYS(brk), 0, any },
        { SCMP_SYS(mmap), 1, notExecutable },
        { SCMP_SYS(mprotect), 1, notExecutable },
        { SCMP_SYS(mremap), 0, any },
        { SCMP_SYS(munmap), 0, any },
        { SCMP_SYS(exit_group), 0, any },
        { SCMP_SYS(exit), 0, any },
    };
    for (const Rule& rule : rules)
        if (seccomp_rule_add_array(filter.get(), SCMP_ACT_ALLOW, rule.syscall, rule.conditions, &rule.condition) != 0)
            return false;
    return seccomp_load(filter.get()) == 0;
}

} // namespace

bool confineReader()
{
#ifdef ROSTARI_READER_PROBE
    const probe::Plan plan = probe::plan();
    if (plan.confinement != probe::Confinement::Filter)
        return plan.confinement == probe::Confinement::None;
#endif
    if (kConfine) {
        // glibc looks at a stream's descriptor (fstat) when it makes its buffer: make it now.
        // Standard error is unbuffered and needs none.
        if (std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ) != 0)
            return false;
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || !installFilter())
            return false;
    }
#ifdef ROSTARI_READER_PROBE
    probe::carryOut(plan);
#endif
    return true;
}

} // namespace quill
