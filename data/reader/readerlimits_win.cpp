#include "readerhardening.h"

#include <windows.h>

namespace quill {

void limitReader()
{
    // A failure is the reader's to report, never a dialog on the user's screen. Its memory and CPU
    // time limits come from the job the viewer starts it in (readerjob_win.cpp), which the reader
    // cannot lift.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

} // namespace quill
